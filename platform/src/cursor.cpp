// The cursor: position in screen coordinates, visibility counter, and the conversions
// between screen and client coordinates.
#include "platform/src/internal.h"

#include <SDL2/SDL.h>

using namespace OvPlatform;

namespace
{

int cursorCounter = 0; // the cursor shows while this is 0 or more, as on Windows

bool WindowOrigin(HWND hwnd, int* x, int* y)
{
    Window* window = LookupWindow(hwnd);
    if (!window)
    {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    SDL_GetWindowPosition(window->sdl, x, y);
    return true;
}

} // namespace

extern "C" BOOL WINAPI GetCursorPos(LPPOINT point)
{
    if (!point || !EnsureVideo())
        return FALSE;
    int x = 0, y = 0;
    // While a button is held over one of our windows the X server grabs the pointer for it,
    // and the global position SDL caches is not refreshed until the button goes up (a drag
    // would see the cursor stand still). The motion events the window receives meanwhile
    // are right: take the position from them, relative to the window.
    SDL_Window* focus = SDL_GetMouseFocus();
    if (focus && SDL_GetMouseState(&x, &y) != 0)
    {
        int left = 0, top = 0;
        SDL_GetWindowPosition(focus, &left, &top);
        *point = POINT{left + x, top + y};
        return TRUE;
    }
    SDL_GetGlobalMouseState(&x, &y);
    *point = POINT{x, y};
    return TRUE;
}

extern "C" BOOL WINAPI SetCursorPos(int x, int y)
{
    return EnsureVideo() && SDL_WarpMouseGlobal(x, y) == 0;
}

extern "C" int WINAPI ShowCursor(BOOL show)
{
    cursorCounter += show ? 1 : -1;
    if (EnsureVideo())
        SDL_ShowCursor(cursorCounter >= 0 ? SDL_ENABLE : SDL_DISABLE);
    return cursorCounter;
}

extern "C" BOOL WINAPI ScreenToClient(HWND hwnd, LPPOINT point)
{
    int x = 0, y = 0;
    if (!point || !WindowOrigin(hwnd, &x, &y))
        return FALSE;
    point->x -= x;
    point->y -= y;
    return TRUE;
}

extern "C" BOOL WINAPI ClientToScreen(HWND hwnd, LPPOINT point)
{
    int x = 0, y = 0;
    if (!point || !WindowOrigin(hwnd, &x, &y))
        return FALSE;
    point->x += x;
    point->y += y;
    return TRUE;
}

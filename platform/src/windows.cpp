// Windows: creation and destruction, showing, focus and geometry. Each HWND owns one SDL
// window, borderless (every window here is a popup: outer and client rectangles coincide),
// OpenGL-capable and hidden until shown.
#include "platform/src/internal.h"
#include "platform/src/x11_window.h"

#include <SDL2/SDL.h>

#include <algorithm>

namespace OvPlatform
{

bool SkipsTaskbar(DWORD exStyle)
{
    return (exStyle & WS_EX_TOOLWINDOW) && !(exStyle & WS_EX_APPWINDOW);
}

SDL_Window* CreateNativeWindow(const Window& window, int x, int y, int width, int height)
{
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
    if (window.exStyle & WS_EX_TOPMOST)
        flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    if (SkipsTaskbar(window.exStyle))
        flags |= SDL_WINDOW_SKIP_TASKBAR;
    return SDL_CreateWindow(window.title.c_str(), x, y, std::max(width, 1), std::max(height, 1),
                            flags);
}

void ApplyNativeStyles(Window& window, DWORD oldExStyle)
{
    DWORD changed = oldExStyle ^ window.exStyle;
    if (changed & WS_EX_TOPMOST)
        SDL_SetWindowAlwaysOnTop(window.sdl,
                                 (window.exStyle & WS_EX_TOPMOST) ? SDL_TRUE : SDL_FALSE);
    // SDL rewrites the window state when topmost changes, so the taskbar hint follows it.
    if ((changed & WS_EX_TOPMOST) || SkipsTaskbar(oldExStyle) != SkipsTaskbar(window.exStyle))
        X11SetSkipTaskbar(window.sdl, SkipsTaskbar(window.exStyle));
    if ((oldExStyle & WS_EX_LAYERED) && !(window.exStyle & WS_EX_LAYERED))
    {
        // Leaving the layered style discards the layered attributes, as on Windows.
        window.layered = {};
        SDL_SetWindowOpacity(window.sdl, 1.0f);
        X11Flush(window.sdl);
    }
}

} // namespace OvPlatform

using namespace OvPlatform;

namespace
{

Window* ValidWindow(HWND hwnd)
{
    Window* window = LookupWindow(hwnd);
    if (!window)
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return window;
}

int PositionOrDefault(int value)
{
    return value == CW_USEDEFAULT ? int(SDL_WINDOWPOS_UNDEFINED) : value;
}

int SizeOrDefault(int value, int fallback)
{
    return value == CW_USEDEFAULT ? fallback : value;
}

void ShowNative(Window& window)
{
    SDL_ShowWindow(window.sdl);
    window.visible = true;
}

} // namespace

extern "C" HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName,
                                       DWORD style, int x, int y, int width, int height,
                                       HWND parent, HMENU menu, HINSTANCE hInstance, LPVOID param)
{
    WindowClass* windowClass = LookupClass(className, hInstance);
    if (!windowClass)
    {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    if (!EnsureVideo())
    {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    auto record = std::make_unique<Window>();
    record->windowClass = windowClass;
    record->style = style & ~DWORD(WS_VISIBLE);
    record->exStyle = exStyle;
    record->title = windowName ? windowName : "";
    record->proc = windowClass->proc;
    record->sdl = CreateNativeWindow(*record, PositionOrDefault(x), PositionOrDefault(y),
                                     SizeOrDefault(width, 640), SizeOrDefault(height, 480));
    if (!record->sdl)
    {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    record->sdlId = SDL_GetWindowID(record->sdl);
    HWND hwnd = AddWindow(std::move(record))->hwnd;
    windowClass->windowCount++;

    CREATESTRUCTA create{param,       ProgramInstanceIfNull(hInstance),
                         menu,        parent,
                         height,      width,
                         y,           x,
                         LONG(style), windowName,
                         className,   exStyle};
    LPARAM createParam = reinterpret_cast<LPARAM>(&create);
    if (!SendMessageA(hwnd, WM_NCCREATE, 0, createParam) ||
        SendMessageA(hwnd, WM_CREATE, 0, createParam) == -1)
    {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if ((style & WS_VISIBLE) && IsWindow(hwnd))
        ShowWindow(hwnd, SW_SHOW);
    return hwnd;
}

namespace
{
void ActivateNextWindow();
}

extern "C" BOOL WINAPI DestroyWindow(HWND hwnd)
{
    Window* window = ValidWindow(hwnd);
    if (!window)
        return FALSE;
    if (window->destroying)
        return TRUE;
    window->destroying = true;
    SendMessageA(hwnd, WM_DESTROY, 0, 0);
    SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
    RemoveTrayIcons(hwnd);
    PurgeMessages(hwnd);
    window->windowClass->windowCount--;
    const bool wasActive = GetActiveWindow() == hwnd || FocusWindow() == hwnd;
    SDL_DestroyWindow(window->sdl);
    RemoveWindow(hwnd);
    if (wasActive)
        ActivateNextWindow();
    return TRUE;
}

extern "C" BOOL WINAPI IsWindow(HWND hwnd)
{
    return LookupWindow(hwnd) ? TRUE : FALSE;
}

extern "C" BOOL WINAPI IsWindowVisible(HWND hwnd)
{
    Window* window = LookupWindow(hwnd);
    return window && window->visible;
}

// Returns whether the window was visible before.
extern "C" BOOL WINAPI ShowWindow(HWND hwnd, int cmdShow)
{
    Window* window = ValidWindow(hwnd);
    if (!window)
        return FALSE;
    BOOL wasVisible = window->visible;
    Uint32 flags = SDL_GetWindowFlags(window->sdl);
    switch (cmdShow)
    {
    case SW_HIDE:
        SDL_HideWindow(window->sdl);
        window->visible = false;
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        ShowNative(*window);
        SDL_MinimizeWindow(window->sdl);
        break;
    case SW_SHOWMAXIMIZED:
        ShowNative(*window);
        SDL_MaximizeWindow(window->sdl);
        break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
        ShowNative(*window);
        if (flags & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_MAXIMIZED))
            SDL_RestoreWindow(window->sdl);
        break;
    case SW_SHOW:
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE:
        ShowNative(*window);
        break;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        break;
    }
    return wasVisible;
}

extern "C" BOOL WINAPI UpdateWindow(HWND hwnd)
{
    return ValidWindow(hwnd) ? TRUE : FALSE; // the engine paints; there is no update region
}

namespace
{
HWND foreground = nullptr;
HWND active = nullptr;
} // namespace

extern "C" BOOL WINAPI SetForegroundWindow(HWND hwnd)
{
    Window* window = ValidWindow(hwnd);
    if (!window)
        return FALSE;
    SDL_RaiseWindow(window->sdl);
    foreground = active = hwnd;
    return TRUE;
}

extern "C" HWND WINAPI GetForegroundWindow(void)
{
    return IsWindow(foreground) ? foreground : nullptr;
}

extern "C" HWND WINAPI SetActiveWindow(HWND hwnd)
{
    Window* window = ValidWindow(hwnd);
    if (!window)
        return nullptr;
    HWND previous = GetActiveWindow();
    SDL_RaiseWindow(window->sdl);
    active = hwnd;
    return previous;
}

extern "C" HWND WINAPI GetActiveWindow(void)
{
    return IsWindow(active) ? active : nullptr;
}

// Keyboard focus goes to the X window directly (no window manager is needed); SDL ignores
// the request while the window is not mapped.
extern "C" HWND WINAPI SetFocus(HWND hwnd)
{
    HWND previous = FocusWindow();
    if (!hwnd)
    {
        SetFocusWindow(nullptr);
        return previous;
    }
    Window* window = ValidWindow(hwnd);
    if (!window)
        return nullptr;
    if (window->visible)
        SDL_SetWindowInputFocus(window->sdl);
    SetFocusWindow(hwnd);
    return previous;
}

extern "C" HWND WINAPI GetFocus(void)
{
    return FocusWindow();
}

namespace
{
// As on Windows, destroying the active window activates another: here the most recently
// created visible one, which takes the keyboard focus.
void ActivateNextWindow()
{
    const std::vector<HWND> windows = AllWindows();
    for (auto next = windows.rbegin(); next != windows.rend(); ++next)
        if (IsWindowVisible(*next))
        {
            SetActiveWindow(*next);
            SetFocus(*next);
            return;
        }
    active = nullptr;
}
} // namespace

extern "C" BOOL WINAPI MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL)
{
    Window* window = ValidWindow(hwnd);
    if (!window)
        return FALSE;
    SDL_SetWindowPosition(window->sdl, x, y);
    SDL_SetWindowSize(window->sdl, std::max(width, 1), std::max(height, 1));
    return TRUE;
}

extern "C" BOOL WINAPI SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy,
                                    UINT flags)
{
    Window* window = ValidWindow(hwnd);
    if (!window)
        return FALSE;
    if (!(flags & SWP_NOMOVE))
        SDL_SetWindowPosition(window->sdl, x, y);
    if (!(flags & SWP_NOSIZE))
        SDL_SetWindowSize(window->sdl, std::max(cx, 1), std::max(cy, 1));
    if (!(flags & SWP_NOZORDER))
    {
        if (insertAfter == HWND_TOPMOST)
            SetWindowLongA(hwnd, GWL_EXSTYLE, LONG(window->exStyle | WS_EX_TOPMOST));
        else if (insertAfter == HWND_NOTOPMOST)
            SetWindowLongA(hwnd, GWL_EXSTYLE, LONG(window->exStyle & ~DWORD(WS_EX_TOPMOST)));
        else if (insertAfter == HWND_TOP)
            SDL_RaiseWindow(window->sdl);
    }
    if (flags & SWP_SHOWWINDOW)
        ShowWindow(hwnd, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    if (flags & SWP_HIDEWINDOW)
        ShowWindow(hwnd, SW_HIDE);
    return TRUE;
}

extern "C" BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT rect)
{
    Window* window = ValidWindow(hwnd);
    if (!window || !rect)
        return FALSE;
    int x = 0, y = 0, width = 0, height = 0;
    SDL_GetWindowPosition(window->sdl, &x, &y);
    SDL_GetWindowSize(window->sdl, &width, &height);
    *rect = RECT{x, y, x + width, y + height};
    return TRUE;
}

extern "C" BOOL WINAPI GetClientRect(HWND hwnd, LPRECT rect)
{
    Window* window = ValidWindow(hwnd);
    if (!window || !rect)
        return FALSE;
    int width = 0, height = 0;
    SDL_GetWindowSize(window->sdl, &width, &height);
    *rect = RECT{0, 0, width, height};
    return TRUE;
}

extern "C" BOOL WINAPI SetWindowTextA(HWND hwnd, LPCSTR text)
{
    Window* window = ValidWindow(hwnd);
    if (!window)
        return FALSE;
    window->title = text ? text : "";
    SDL_SetWindowTitle(window->sdl, window->title.c_str());
    return TRUE;
}

// Windows here never have a frame, whatever their style, so the rectangle stays as it is.
extern "C" BOOL WINAPI AdjustWindowRectEx(LPRECT rect, DWORD, BOOL, DWORD)
{
    return rect ? TRUE : FALSE;
}

// Window longs (styles, procedure, user data, id) and layered-window attributes.
#include "platform/src/internal.h"
#include "platform/src/x11_window.h"

#include <SDL2/SDL.h>

using namespace OvPlatform;

namespace
{

// Reads or writes one window long; `value` is null for a read. Returns the previous value.
bool AccessWindowLong(HWND hwnd, int index, const LONG_PTR* value, LONG_PTR* previous)
{
    Window* window = LookupWindow(hwnd);
    if (!window)
    {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    switch (index)
    {
    case GWL_STYLE:
        *previous = LONG(window->style | (window->visible ? WS_VISIBLE : 0));
        if (value) // visibility changes only through ShowWindow
            window->style = DWORD(*value) & ~DWORD(WS_VISIBLE);
        return true;
    case GWL_EXSTYLE:
    {
        DWORD old = window->exStyle;
        *previous = LONG(old);
        if (value)
        {
            window->exStyle = DWORD(*value);
            ApplyNativeStyles(*window, old);
        }
        return true;
    }
    case GWLP_WNDPROC:
        *previous = reinterpret_cast<LONG_PTR>(window->proc);
        if (value)
            window->proc = reinterpret_cast<WNDPROC>(*value);
        return true;
    case GWLP_USERDATA:
        *previous = window->userData;
        if (value)
            window->userData = *value;
        return true;
    case GWL_ID:
        *previous = window->id;
        if (value)
            window->id = *value;
        return true;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
}

LONG_PTR WindowLong(HWND hwnd, int index, const LONG_PTR* value)
{
    LONG_PTR previous = 0;
    SetLastError(0);
    return AccessWindowLong(hwnd, index, value, &previous) ? previous : 0;
}

} // namespace

extern "C" LONG_PTR WINAPI GetWindowLongPtrA(HWND hwnd, int index)
{
    return WindowLong(hwnd, index, nullptr);
}

extern "C" LONG_PTR WINAPI SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value)
{
    return WindowLong(hwnd, index, &value);
}

// A procedure address does not fit a LONG on 64-bit builds: use the pointer variants.
extern "C" LONG WINAPI GetWindowLongA(HWND hwnd, int index)
{
    if (index == GWL_WNDPROC && sizeof(LONG_PTR) > sizeof(LONG))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return LONG(WindowLong(hwnd, index, nullptr));
}

extern "C" LONG WINAPI SetWindowLongA(HWND hwnd, int index, LONG value)
{
    if (index == GWL_WNDPROC && sizeof(LONG_PTR) > sizeof(LONG))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    LONG_PTR wide = value;
    return LONG(WindowLong(hwnd, index, &wide));
}

// The alpha becomes the SDL window's opacity (the _NET_WM_WINDOW_OPACITY hint on X11, which
// a compositing window manager honours). The colour key is kept for read-back only: SDL2
// cannot make colour-keyed pixels of an OpenGL window transparent.
extern "C" BOOL WINAPI SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags)
{
    Window* window = LookupWindow(hwnd);
    if (!window)
    {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (!(window->exStyle & WS_EX_LAYERED))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    window->layered = LayeredAttributes{true, key, alpha, flags};
    float opacity = (flags & LWA_ALPHA) ? float(alpha) / 255.0f : 1.0f;
    SDL_SetWindowOpacity(window->sdl, opacity);
    X11Flush(window->sdl);
    return TRUE;
}

extern "C" BOOL WINAPI GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha,
                                                  DWORD* flags)
{
    Window* window = LookupWindow(hwnd);
    if (!window)
    {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (!(window->exStyle & WS_EX_LAYERED) || !window->layered.set)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (key)
        *key = window->layered.key;
    if (alpha)
        *alpha = window->layered.alpha;
    if (flags)
        *flags = window->layered.flags;
    return TRUE;
}

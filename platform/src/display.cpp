// Screen metrics, the work area, display modes and the refresh rate, read from SDL's view of
// the displays. The desktop's display mode is never changed here: see ChangeDisplaySettingsA.
#include "platform/src/internal.h"

#include <SDL2/SDL.h>

#include <cstring>

using namespace OvPlatform;

namespace
{

// Windows reports 24-bit true colour as 32 bits per pixel.
DWORD WindowsBitsPerPixel(Uint32 format)
{
    int bits = SDL_BITSPERPIXEL(format);
    return bits == 24 ? 32 : DWORD(bits);
}

bool DesktopMode(int display, SDL_DisplayMode* mode)
{
    return EnsureVideo() && SDL_GetDesktopDisplayMode(display, mode) == 0;
}

void FillDevMode(const SDL_DisplayMode& mode, DEVMODEA* out)
{
    WORD size = out->dmSize, extra = out->dmDriverExtra;
    std::memset(out, 0, sizeof(DEVMODEA));
    std::strncpy(reinterpret_cast<char*>(out->dmDeviceName), "\\\\.\\DISPLAY1",
                 sizeof(out->dmDeviceName) - 1);
    out->dmSize = size;
    out->dmDriverExtra = extra;
    out->dmBitsPerPel = WindowsBitsPerPixel(mode.format);
    out->dmPelsWidth = DWORD(mode.w);
    out->dmPelsHeight = DWORD(mode.h);
    out->dmDisplayFrequency = DWORD(mode.refresh_rate);
    out->dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
}

// Whether `mode` asks for exactly `candidate` in the fields it names.
bool Requests(const DEVMODEA& mode, const SDL_DisplayMode& candidate)
{
    if ((mode.dmFields & DM_PELSWIDTH) && mode.dmPelsWidth != DWORD(candidate.w))
        return false;
    if ((mode.dmFields & DM_PELSHEIGHT) && mode.dmPelsHeight != DWORD(candidate.h))
        return false;
    if ((mode.dmFields & DM_BITSPERPEL) &&
        mode.dmBitsPerPel != WindowsBitsPerPixel(candidate.format))
        return false;
    if ((mode.dmFields & DM_DISPLAYFREQUENCY) && mode.dmDisplayFrequency > 1 &&
        mode.dmDisplayFrequency != DWORD(candidate.refresh_rate))
        return false;
    return true;
}

int DisplayOf(HDC hdc)
{
    Window* window = LookupWindowByDC(hdc);
    int display = window ? SDL_GetWindowDisplayIndex(window->sdl) : 0;
    return display < 0 ? 0 : display;
}

char screenDC = 0; // its address is the screen's device-context handle

} // namespace

extern "C" int WINAPI GetSystemMetrics(int index)
{
    SDL_DisplayMode mode;
    switch (index)
    {
    case SM_CXSCREEN:
        return DesktopMode(0, &mode) ? mode.w : 0;
    case SM_CYSCREEN:
        return DesktopMode(0, &mode) ? mode.h : 0;
    case SM_CMONITORS:
        return EnsureVideo() ? SDL_GetNumVideoDisplays() : 0;
    default:
        return 0;
    }
}

extern "C" BOOL WINAPI SystemParametersInfoA(UINT action, UINT, LPVOID pvParam, UINT)
{
    SDL_Rect area;
    if (action != SPI_GETWORKAREA || !pvParam || !EnsureVideo() ||
        SDL_GetDisplayUsableBounds(0, &area) != 0)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *static_cast<RECT*>(pvParam) = RECT{area.x, area.y, area.x + area.w, area.y + area.h};
    return TRUE;
}

extern "C" BOOL WINAPI EnumDisplaySettingsA(LPCSTR, DWORD modeNumber, DEVMODEA* mode)
{
    SDL_DisplayMode found;
    if (!mode || !EnsureVideo())
        return FALSE;
    bool ok = (modeNumber == ENUM_CURRENT_SETTINGS || modeNumber == ENUM_REGISTRY_SETTINGS)
                  ? SDL_GetDesktopDisplayMode(0, &found) == 0
                  : SDL_GetDisplayMode(0, int(modeNumber), &found) == 0;
    if (ok)
        FillDevMode(found, mode);
    return ok;
}

// The desktop's mode stays as it is: SDL2 changes modes only for its own full-screen windows.
// A request for the mode in force succeeds (there is nothing to change); a mode the display
// lists but is not in force fails (DISP_CHANGE_FAILED); anything else is DISP_CHANGE_BADMODE.
// A null mode (back to the desktop's mode) always succeeds.
extern "C" LONG WINAPI ChangeDisplaySettingsA(DEVMODEA* mode, DWORD)
{
    if (!mode)
        return DISP_CHANGE_SUCCESSFUL;
    if (mode->dmSize < offsetof(DEVMODEA, dmICMMethod))
        return DISP_CHANGE_BADMODE;
    SDL_DisplayMode current;
    if (!DesktopMode(0, &current))
        return DISP_CHANGE_FAILED;
    if (Requests(*mode, current))
        return DISP_CHANGE_SUCCESSFUL;
    for (int i = 0, count = SDL_GetNumDisplayModes(0); i < count; ++i)
    {
        SDL_DisplayMode listed;
        if (SDL_GetDisplayMode(0, i, &listed) == 0 && Requests(*mode, listed))
            return DISP_CHANGE_FAILED;
    }
    return DISP_CHANGE_BADMODE;
}

extern "C" HDC WINAPI GetDC(HWND hwnd)
{
    if (!hwnd)
        return reinterpret_cast<HDC>(&screenDC);
    Window* window = LookupWindow(hwnd);
    return window ? reinterpret_cast<HDC>(&window->dc) : nullptr;
}

extern "C" int WINAPI ReleaseDC(HWND, HDC hdc)
{
    return hdc == reinterpret_cast<HDC>(&screenDC) || LookupWindowByDC(hdc) ? 1 : 0;
}

// VREFRESH is 0 when the display does not report a rate (Xvfb does not).
extern "C" int WINAPI GetDeviceCaps(HDC hdc, int index)
{
    if (!ReleaseDC(nullptr, hdc) || !EnsureVideo())
        return 0;
    SDL_DisplayMode mode;
    if (SDL_GetCurrentDisplayMode(DisplayOf(hdc), &mode) != 0)
        return 0;
    switch (index)
    {
    case HORZRES:
        return mode.w;
    case VERTRES:
        return mode.h;
    case BITSPIXEL:
        return int(WindowsBitsPerPixel(mode.format));
    case VREFRESH:
        return mode.refresh_rate;
    default:
        return 0;
    }
}

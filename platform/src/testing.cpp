// The test hooks of platform/testing.h.
#include "platform/testing.h"

#include "platform/src/clock.h"
#include "platform/src/internal.h"
#include "platform/src/native_state.h"
#include "platform/src/tray.h"
#include "platform/src/x11_window.h"

#include <cmath>

using namespace OvPlatform;

namespace
{
int64_t Nanoseconds(double seconds)
{
    return std::llround(seconds * 1e9);
}
} // namespace

void PlatformTestUseManualClock(bool on)
{
    Clock().manual = on;
}

void PlatformTestSetTime(double seconds)
{
    Clock().manualNs = Nanoseconds(seconds);
}

void PlatformTestAdvanceTime(double seconds)
{
    Clock().manualNs += Nanoseconds(seconds);
}

double PlatformTestTime()
{
    return double(Clock().manualNs) / 1e9;
}

void PlatformTestSetTimeStepPerRead(double seconds)
{
    Clock().stepPerReadNs = Nanoseconds(seconds);
}

void PlatformTestSetPerformanceCounterAvailable(bool available)
{
    Clock().counterAvailable = available;
}

void PlatformTestSetAlphaVisualsAvailable(bool available)
{
    AlphaVisualsAvailable() = available;
}

unsigned long PlatformTestX11Window(HWND hwnd)
{
    Window* window = LookupWindow(hwnd);
    return window ? X11WindowId(window->sdl) : 0;
}

int PlatformTestTrayIconCount()
{
    return int(TrayIcons().size());
}

bool PlatformTestTrayIcon(HWND owner, UINT id, NOTIFYICONDATAA* out)
{
    for (const NOTIFYICONDATAA& icon : TrayIcons())
    {
        if (icon.hWnd == owner && icon.uID == id)
        {
            if (out)
                *out = icon;
            return true;
        }
    }
    return false;
}

bool PlatformTestClickTrayIcon(HWND owner, UINT id, UINT mouseMessage)
{
    NOTIFYICONDATAA icon{};
    if (!PlatformTestTrayIcon(owner, id, &icon) || !(icon.uFlags & NIF_MESSAGE))
        return false;
    return PostMessageA(owner, icon.uCallbackMessage, id, LPARAM(mouseMessage));
}

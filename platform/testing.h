// Test-only hooks into libovplatform: a manual clock that stands in for the performance
// counter, a switch that hides alpha-capable visuals, and read-back of state that Linux
// cannot show (tray icons, the X window behind a handle). Tests include it; the framework,
// the engine and the game never do.
#pragma once

#include "platform/win32.h"

#ifndef _WIN32
#include <cstdint>

// Manual clock. While on, QueryPerformanceCounter, GetTickCount and Sleep use it: Sleep
// advances it instead of sleeping. Turning it on keeps the current manual time (0 at start).
OV_PLATFORM_API void PlatformTestUseManualClock(bool on);
// Sets the manual clock to `seconds`.
OV_PLATFORM_API void PlatformTestSetTime(double seconds);
// Moves the manual clock on by `seconds`.
OV_PLATFORM_API void PlatformTestAdvanceTime(double seconds);
// The manual clock's time in seconds (whether or not it is on).
OV_PLATFORM_API double PlatformTestTime();
// Every read of the manual clock advances it by this much afterwards (0 by default), so code
// that busy-waits on the counter finishes deterministically.
OV_PLATFORM_API void PlatformTestSetTimeStepPerRead(double seconds);
// When false, QueryPerformanceFrequency and QueryPerformanceCounter fail (return FALSE), as on
// a system without a high-resolution counter. True by default.
OV_PLATFORM_API void PlatformTestSetPerformanceCounterAvailable(bool available);

// When false, PlatformPrepareGLWindow refuses formats with alpha, as on a display without a
// visual that has an alpha channel. True by default.
OV_PLATFORM_API void PlatformTestSetAlphaVisualsAvailable(bool available);

// The X11 window id behind a handle (0 when unknown or not on X11), for xdotool and xprop.
OV_PLATFORM_API unsigned long PlatformTestX11Window(HWND hwnd);

// The number of notification-area icons registered (NIM_ADD and not yet NIM_DELETE).
OV_PLATFORM_API int PlatformTestTrayIconCount();
// A copy of the icon record for (owner, id) into `out`; false when there is no such icon.
OV_PLATFORM_API bool PlatformTestTrayIcon(HWND owner, UINT id, NOTIFYICONDATAA* out);
// Posts the icon's callback message to its owner (wParam = id, lParam = mouseMessage), as
// the shell does when the icon is clicked. False when there is no such icon or it has no
// callback message.
OV_PLATFORM_API bool PlatformTestClickTrayIcon(HWND owner, UINT id, UINT mouseMessage);

// While set, MessageBoxA calls the handler with the owner, the text and caption it would show
// (null ones already replaced by "" and "Error") and the type, and returns its answer instead
// of showing SDL's box. Null restores the box.
typedef int (*PlatformTestMessageBoxHandler)(HWND owner, const char* text, const char* caption,
                                             UINT type);
// Installs the message-box handler; null shows SDL's box again.
OV_PLATFORM_API void PlatformTestSetMessageBoxHandler(PlatformTestMessageBoxHandler handler);
#endif

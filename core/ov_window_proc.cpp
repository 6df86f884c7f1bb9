// The window procedure shared by every framework window.
#include "core/ov_input.h"
#include "core/ov_loop.h"
#include "core/ov_window.h"

namespace OvCore
{

namespace
{

constexpr UINT FIRST_APP_MESSAGE = 0x8001;
constexpr UINT LAST_APP_MESSAGE = 0xBFFE;
constexpr WPARAM SYSTEM_COMMAND_MASK = 0xFFF0; // the low four bits are the system's own

// Only restore does anything: Alt+F4, the screen saver, monitor power-off and the rest of
// the system menu must not disturb a running game.
void HandleSystemCommand(HWND window, WPARAM command)
{
    if ((command & SYSTEM_COMMAND_MASK) == SC_RESTORE)
        ShowWindow(window, SW_SHOWDEFAULT);
}

} // namespace

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    OV_LOOP& loop = Loop();
    if (message == WM_CLOSE)
    {
        PostQuitMessage(0); // ends the frame loop
        return 0;
    }
    if (message == WM_SYSCOMMAND)
    {
        HandleSystemCommand(window, wParam);
        return 0;
    }
    if (Input().HandleMessage(message, wParam, lParam))
        return 0;
    if (message == OV_WINDOW::TRAY_MESSAGE)
    {
        if (loop.trayHook)
            loop.trayHook(window, wParam, lParam);
        return 0;
    }
    if (message >= FIRST_APP_MESSAGE && message <= LAST_APP_MESSAGE && loop.appMessageHook)
    {
        loop.appMessageHook(window, message, wParam, lParam);
        return 0;
    }
    if (loop.defaultHook)
        loop.defaultHook(window, message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace OvCore

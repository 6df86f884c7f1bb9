#include "app/ov_entry.h"

#include "app/ov_application.h"
#include "core/ov_input.h"
#include "core/ov_loop.h"
#include "orvane_core.h"
#include "platform/win32.h"

#include <cassert>
#include <cstdlib>

namespace OvCore
{

namespace
{

// The record of "main", created on first use ("main" always fits a registry name).
OV_WINDOW& MainWindow()
{
    OV_WINDOW* window = Application().windows.Get("main", 0).Get();
    assert(window);
    return *window;
}

void ConfigureMainWindow(const char* title)
{
    OV_WINDOW& window = MainWindow();
    window.title = title;
    window.colourBits = 32;
    window.depthBits = 16;
}

void RegisterStates(const OV_STATE_DEFINITION* definitions, int32_t count)
{
    OV_APPLICATION& app = Application();
    for (int32_t i = 0; definitions && i < count; ++i)
    {
        OV_STATE_ENTRY state = app.states.Get(definitions[i].name, 0);
        if (!state)
            continue; // a null or over-long name
        state->callback = definitions[i].callback;
        if (i == 0)
            app.current = state;
    }
}

// Ctrl+C and a termination request end the program as Quit does: the running state's loop
// stops, no state follows, and the shut-down below runs.
BOOL WINAPI QuitOnControl(DWORD /*controlType*/)
{
    Application().Quit();
    return TRUE;
}

} // namespace

int RunProgram(const char* title, const OV_STATE_DEFINITION* states, int32_t count,
               const char* commandLine)
{
    OvInitiation();
    OV_APPLICATION& app = Application();
    app.commandLine = commandLine ? commandLine : "";
    ConfigureMainWindow(title);
    Input().ignoreRepeat = 1;
    std::srand(static_cast<unsigned>(OV_LOOP::NowPrecise()));
    RegisterStates(states, count);

    if (!MainWindow().OpenWindow())
        return 0;
    SetConsoleCtrlHandler(QuitOnControl, TRUE);
    app.RunStates();
    SetConsoleCtrlHandler(QuitOnControl, FALSE);
    // Every window a state left open goes with the main one, while the engine still runs.
    for (auto window : app.windows)
        window->CloseOrDetach();
    // What the states left loaded goes while the engine still runs, not in static destructors.
    app.ReleaseAll();
    OvClosure();
    return 1;
}

} // namespace OvCore

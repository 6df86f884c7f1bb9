// What the example programs share: their screenshot option and their centred main window.
#pragma once

#include "app/ov_application.h"
#include "core/ov_window.h"

#include <cstdint>
#include <string>

namespace Example
{

// The path after "--screenshot " when the command line starts with it, else "".
inline std::string ScreenshotOption(const char* commandLine)
{
    const std::string arguments = commandLine ? commandLine : "";
    const std::string flag = "--screenshot ";
    return arguments.rfind(flag, 0) == 0 ? arguments.substr(flag.size()) : "";
}

// The window "main", centred on the screen, open and active, vsync asked for and the camera
// over its pixels; null when it cannot open.
inline OvCore::OV_WINDOW* OpenMainWindow(const char* title, int32_t width, int32_t height)
{
    OvCore::OV_APPLICATION& app = OvCore::Application();
    OvCore::OV_WINDOW& window = *app.windows.Get("main");
    window.title = title;
    window.width = width;
    window.height = height;
    app.CenterWindow("main");
    if (!window.OpenWindow())
        return nullptr;
    app.ActivateWindow("main");
    app.SetVsync(true);
    app.camera.width = float(width);
    app.camera.height = float(height);
    return &window;
}

} // namespace Example

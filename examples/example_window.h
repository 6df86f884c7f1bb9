// What the example programs share: their screenshot option and their centred main window.
#pragma once

#include "app/ov_application.h"
#include "core/ov_loop.h"
#include "core/ov_window.h"
#include "graphics/image_files.h"

#include <chrono>
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

// The end of an example's frame: once `delay` has passed since `start`, a screenshot asked
// for is saved and the program stops; then the frame is shown.
inline void FinishFrame(const std::string& screenshot, std::chrono::steady_clock::time_point start,
                        std::chrono::steady_clock::duration delay, int32_t width, int32_t height)
{
    if (!screenshot.empty() && std::chrono::steady_clock::now() - start > delay)
    {
        OvCore::SaveRenderImage(width, height, screenshot.c_str(), "png");
        OvCore::Loop().running = false;
    }
    OvRenderScene(OV_SCENE_FLUSH | OV_SCENE_SWAP);
}

} // namespace Example

// OV_APPLICATION, the one process-wide context of a program built on the framework: the
// screen size, the window registry ("main" is the program's window), the frame hooks, and
// the operations on named windows and on the drawing state. Games reach it through
// Application(); each subsystem adds its registries and operations in files of its own.
#pragma once

#include "core/ov_registry.h"
#include "core/ov_window.h"
#include "graphics/ov_camera.h"
#include "graphics/ov_shader.h"
#include "graphics/ov_sprite.h"
#include "graphics/ov_view.h"

#include <cstdint>

namespace OvCore
{

// A hook of the frame: no arguments, no result.
typedef void (*OV_HOOK)();

class OV_APPLICATION
{
public:
    OV_APPLICATION();
    OV_APPLICATION(const OV_APPLICATION&) = delete;
    OV_APPLICATION& operator=(const OV_APPLICATION&) = delete;

    // The primary display's full-screen size, read at construction.
    int32_t width = 0;
    int32_t height = 0;
    float aspect = 1.0f;

    OV_REGISTRY<OV_WINDOW> windows;

    // Graphics: sprites and shader sets by name, the camera applied each frame, the 2D views
    // the scene draws through and the view being drawn (null outside the draw pass). The
    // registries release their textures and programs when emptied.
    OV_REGISTRY<OV_SPRITE> sprites;
    OV_REGISTRY<OV_SHADER> shaders;
    OV_CAMERA camera;
    OV_REGISTRY<OV_VIEW> views;
    OV_ENTRY<OV_VIEW> currentView;

    OV_HOOK updateHook = nullptr;
    OV_HOOK beforeDrawHook = nullptr;
    OV_HOOK afterDrawHook = nullptr;

    // Named windows, found by name whatever the index; an unknown name does nothing and
    // gives null or false.
    OV_WINDOW* WindowNamed(const char* name, int32_t index = 0) const;
    // Sets up the engine for drawing into the window: its render target active, no vertical
    // sync, default clear colour, drawing colour and blending.
    bool ActivateWindow(const char* name, int32_t index = 0);
    // Centres the record on the screen; ApplyWindow makes it so.
    bool CenterWindow(const char* name, int32_t index = 0);
    // Re-activates the active render target with an orthographic camera over the window.
    bool ViewWindow(const char* name, int32_t index = 0);

    // Drawing state: colours packed 0xAABBGGRR or as channels 0..1.
    void SetDrawColour(uint32_t packed);
    void SetDrawColour(double red, double green, double blue, double alpha);
    void ClearScreen(uint32_t packed);
    void ClearScreen(double red, double green, double blue, double alpha);
    void SetBlend(int32_t source, int32_t destination, int32_t equation);
    void ResetBlend();

    // Vertical sync from the engine; where it has none, the frame loop paces itself to the
    // display's refresh rate (on) or not at all (off).
    void SetVsync(bool on);
};

// The process-wide application context, created on first use.
OV_APPLICATION& Application();

} // namespace OvCore

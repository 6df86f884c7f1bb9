// The application core's part of OV_APPLICATION: the screen size, the window registry
// ("main" is the program's window), and the operations on named windows and on the
// engine's drawing state. Programs reach it as Application() (app/ov_application.h); code
// of the core and the layers above reach it as CorePart().
#pragma once

#include "core/ov_registry.h"
#include "core/ov_window.h"

#include <cstdint>

namespace OvCore
{

// The application core's share of OV_APPLICATION: the screen, the windows and the drawing state.
class OV_CORE_PART
{
  public:
    OV_CORE_PART();
    OV_CORE_PART(const OV_CORE_PART&) = delete;
    OV_CORE_PART& operator=(const OV_CORE_PART&) = delete;

    // The primary display's full-screen size, read at construction.
    int32_t width = 0;
    int32_t height = 0;
    float aspect = 1.0f;

    // The program's windows by name ("main" is the one the program opens at start).
    OV_REGISTRY<OV_WINDOW> windows;

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
    // The colour that tints what is drawn next (the default is opaque white).
    void SetDrawColour(uint32_t packed);
    void SetDrawColour(double red, double green, double blue, double alpha);
    // Clears the active render target's colour buffer to the colour.
    void ClearScreen(uint32_t packed);
    void ClearScreen(double red, double green, double blue, double alpha);
    // Blend factors and equation, as the engine's blend constants (default 164, 165 and 174).
    void SetBlend(int32_t source, int32_t destination, int32_t equation);
    // Back to the default blending: source alpha, one minus source alpha, add.
    void ResetBlend();

    // Vertical sync from the engine; where it has none, the frame loop paces itself to the
    // display's refresh rate (on) or not at all (off).
    void SetVsync(bool on);

  protected:
    ~OV_CORE_PART() = default;
};

// The process's core part: the one inside Application(), bound by the composition root.
OV_CORE_PART& CorePart();

} // namespace OvCore

// The core part: named windows, the engine's drawing state and vertical sync.
#include "core/ov_core_part.h"

#include "core/ov_loop.h"
#include "core/ov_math.h"
#include "orvane_core.h"

namespace OvCore
{

namespace
{

void SetPackedColour(int32_t state, uint32_t packed)
{
    OvSetState(state, ColourChannel(packed, 'R'), ColourChannel(packed, 'G'),
               ColourChannel(packed, 'B'), ColourChannel(packed, 'A'));
}

} // namespace

OV_CORE_PART::OV_CORE_PART()
{
    OV_WINDOW screen;
    screen.UseFullScreenExtent();
    width = screen.width;
    height = screen.height;
    aspect = screen.aspect;
}

// Find-by-name: the first window of that name, whatever its index.
OV_WINDOW* OV_CORE_PART::WindowNamed(const char* name, int32_t /*index*/) const
{
    return windows.FindName(name).Get();
}

bool OV_CORE_PART::ActivateWindow(const char* name, int32_t index)
{
    OV_WINDOW* window = WindowNamed(name, index);
    if (!window)
        return false;
    OvRenderTargetActivate(window->target());
    OvExtensions(0);
    OvRenderVsync(0);
    OvSetState(OV_STATE_TEXTURING, 1);
    OvSetState(OV_STATE_CLEAR_COLOUR, 0, 0, 0, 0);
    OvSetState(OV_STATE_DRAW_COLOUR, 1, 1, 1, 1);
    OvSetState(OV_STATE_BLENDING, 1);
    OvSetState(OV_STATE_BLEND, OV_BLEND_SOURCE_ALPHA, OV_BLEND_ONE_MINUS_SOURCE_ALPHA);
    return true;
}

bool OV_CORE_PART::CenterWindow(const char* name, int32_t index)
{
    OV_WINDOW* window = WindowNamed(name, index);
    if (!window)
        return false;
    window->x = width / 2 - window->width / 2;
    window->y = height / 2 - window->height / 2;
    return true;
}

bool OV_CORE_PART::ViewWindow(const char* name, int32_t index)
{
    OV_WINDOW* window = WindowNamed(name, index);
    if (!window)
        return false;
    if (const auto* active = static_cast<const OvHandle*>(OvGetState(OV_STATE_ACTIVE_TARGET)))
        OvRenderTargetActivate(*active);
    OvCameraOrtho(0, 0, window->width, window->height, 0);
    return true;
}

void OV_CORE_PART::SetDrawColour(uint32_t packed)
{
    SetPackedColour(OV_STATE_DRAW_COLOUR, packed);
}

void OV_CORE_PART::SetDrawColour(double red, double green, double blue, double alpha)
{
    OvSetState(OV_STATE_DRAW_COLOUR, red, green, blue, alpha);
}

void OV_CORE_PART::ClearScreen(uint32_t packed)
{
    SetPackedColour(OV_STATE_CLEAR_COLOUR, packed);
    OvRenderScene(OV_SCENE_CLEAR_COLOUR);
}

void OV_CORE_PART::ClearScreen(double red, double green, double blue, double alpha)
{
    OvSetState(OV_STATE_CLEAR_COLOUR, red, green, blue, alpha);
    OvRenderScene(OV_SCENE_CLEAR_COLOUR);
}

void OV_CORE_PART::SetBlend(int32_t source, int32_t destination, int32_t equation)
{
    OvSetState(OV_STATE_BLEND, source, destination);
    OvSetState(OV_STATE_BLEND_EQUATION, equation);
}

void OV_CORE_PART::ResetBlend()
{
    SetBlend(OV_BLEND_SOURCE_ALPHA, OV_BLEND_ONE_MINUS_SOURCE_ALPHA, OV_EQUATION_ADD);
}

void OV_CORE_PART::SetVsync(bool on)
{
    OV_LOOP& loop = Loop();
    if (OvRenderVsync(on ? 1 : 0))
        return;
    const int32_t refreshRate = OV_WINDOW().refreshRate();
    loop.framePeriod = on && refreshRate > 0 ? 1000.0f / static_cast<float>(refreshRate) : 0.0f;
    loop.Calibrate();
}

} // namespace OvCore

// The operations of OV_APPLICATION on named windows and on the engine's drawing state.
#include "core/ov_application.h"

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

// Find-by-name: the first window of that name, whatever its index.
OV_WINDOW* OV_APPLICATION::WindowNamed(const char* name, int32_t /*index*/) const
{
    return windows.FindName(name).Get();
}

bool OV_APPLICATION::ActivateWindow(const char* name, int32_t index)
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

bool OV_APPLICATION::CenterWindow(const char* name, int32_t index)
{
    OV_WINDOW* window = WindowNamed(name, index);
    if (!window)
        return false;
    window->x = width / 2 - window->width / 2;
    window->y = height / 2 - window->height / 2;
    return true;
}

bool OV_APPLICATION::ViewWindow(const char* name, int32_t index)
{
    OV_WINDOW* window = WindowNamed(name, index);
    if (!window)
        return false;
    if (const auto* active = static_cast<const OvHandle*>(OvGetState(OV_STATE_ACTIVE_TARGET)))
        OvRenderTargetActivate(*active);
    OvCameraOrtho(0, 0, window->width, window->height, 0);
    return true;
}

void OV_APPLICATION::SetDrawColour(uint32_t packed)
{
    SetPackedColour(OV_STATE_DRAW_COLOUR, packed);
}

void OV_APPLICATION::SetDrawColour(double red, double green, double blue, double alpha)
{
    OvSetState(OV_STATE_DRAW_COLOUR, red, green, blue, alpha);
}

void OV_APPLICATION::ClearScreen(uint32_t packed)
{
    SetPackedColour(OV_STATE_CLEAR_COLOUR, packed);
    OvRenderScene(OV_SCENE_CLEAR_COLOUR);
}

void OV_APPLICATION::ClearScreen(double red, double green, double blue, double alpha)
{
    OvSetState(OV_STATE_CLEAR_COLOUR, red, green, blue, alpha);
    OvRenderScene(OV_SCENE_CLEAR_COLOUR);
}

void OV_APPLICATION::SetBlend(int32_t source, int32_t destination, int32_t equation)
{
    OvSetState(OV_STATE_BLEND, source, destination);
    OvSetState(OV_STATE_BLEND_EQUATION, equation);
}

void OV_APPLICATION::ResetBlend()
{
    SetBlend(OV_BLEND_SOURCE_ALPHA, OV_BLEND_ONE_MINUS_SOURCE_ALPHA, OV_EQUATION_ADD);
}

} // namespace OvCore

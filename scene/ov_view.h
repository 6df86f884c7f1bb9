// OV_VIEW, a 2D view: a world rectangle (viewPosition, viewSize) drawn into a rectangle of
// the render target (portPosition, portSize, in pixels from the bottom-left), clipped to it,
// optionally cleared first and optionally following an actor. The scene step begins every
// active view of Application().views, draws the scene into it, then ends it.
#pragma once

#include "core/ov_vector.h"

#include <cstdint>

namespace OvCore
{

class OV_ACTOR;

// A world rectangle drawn into a rectangle of the render target.
struct OV_VIEW
{
    uint8_t active = 0;         // the scene draws through the view only while set
    OV_VECTOR portPosition;     // target rectangle in render-target pixels: x, y
    OV_VECTOR portSize;         // the target rectangle's width and height, pixels
    OV_VECTOR viewPosition;     // top left of the world rectangle shown, world units
    OV_VECTOR viewSize;         // width and height of the world rectangle, world units
    double angle = 0;           // turn of the view, degrees
    OV_ACTOR* follow = nullptr; // kept at the centre of the view while set
    uint8_t clear = 1;          // clear the port with the clear colour first

    // Sets up drawing into the port: follows the actor, points the engine's viewport and
    // camera at the port and the world rectangle, clips to the port and clears it. Nothing
    // when not active. The render target's stored viewport is left as it was.
    void Begin();
    // Back to drawing over the whole render target: its viewport, an orthographic camera
    // over it, no clipping.
    static void End();
};

} // namespace OvCore

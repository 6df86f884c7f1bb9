// Pixels read back through the engine's own calls, as a program would read them: a texture
// through OvTextureLock, and the active render target copied into a texture with
// OvTextureFromRender first. Engine and platform only, no framework.
#pragma once

#include "support/image.h"

#include "orvane_core.h"

#include <cstdint>

namespace OvTest
{

// The texture's pixels in the engine's row order; empty when it cannot be locked.
Image TexturePixels(OvHandle texture);

// The width x height pixels of the active render target whose bottom-left corner is (x, y),
// counted from the target's bottom-left as the engine counts; row 0 of the result is the
// top row. Empty when the engine cannot read them.
Image ReadTarget(int32_t x, int32_t y, int32_t width, int32_t height);

// The active render target's pixel at (x, y), counted from the bottom-left. A pixel the
// engine cannot read fails the test and comes back as (1, 2, 3, 4).
Rgba ReadTargetPixel(int32_t x, int32_t y);

} // namespace OvTest

// OpenGL frame buffer objects for the engine's frame buffers. A frame buffer object is a
// container that contexts do not share, so one is made in the context that draws, for one
// activation, and deleted when it ends.
#pragma once

#include <cstdint>

#include "gl/renderer.h"

namespace ov::gl
{

// True when the current (or root) context draws through frame buffer objects.
bool frameBuffersAvailable(Renderer& renderer);
// In the renderer's context (its batch flushed): a frame buffer object drawing into level 0
// of `texture`, bound for drawing and reading. 0 (the previous binding kept) when it cannot
// be made or is incomplete.
uint32_t bindFrameBuffer(Renderer& renderer, uint32_t texture);
// In the current context: binds `previous` (0: the window's own buffers) and deletes `name`.
void releaseFrameBuffer(uint32_t name, uint32_t previous);
// Builds the texture's mipmap levels from level 0 and has minifying use them.
bool generateMipmaps(Renderer& renderer, uint32_t texture);

} // namespace ov::gl

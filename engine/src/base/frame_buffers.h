// Drawing into frame buffers: the nest of active frame buffers (innermost last), each
// ending back where drawing went before it, and their release.
#pragma once

#include "base/objects.h"

namespace ov
{

// The frame buffer's texture when it is live and has pixels; null otherwise.
Texture* frameBufferTexture(FrameBuffer& frameBuffer);
// Draws go into the frame buffer, with a viewport over all of it, until it is unactivated.
// False without an active render target, for a texture without pixels or locked, for a
// frame buffer already active, beyond ActiveFrameBuffer::kMostNested, or when the context
// cannot draw into it.
bool activateFrameBuffer(FrameBuffer& frameBuffer);
// Only the innermost active frame buffer ends: drawing goes back to the one outside it or
// to the render target, with the viewport it had. False for any other frame buffer.
bool unactivateFrameBuffer(FrameBuffer& frameBuffer);
bool isActive(const FrameBuffer& frameBuffer);
// Whether the active render target's context can draw into it now (it is tried).
bool canDrawInto(FrameBuffer& frameBuffer);
// A context about to be destroyed: its frame buffer objects go with it.
void forgetFrameBufferContext(const gl::Context* context);
// Ends its activation and those inside it and destroys its own texture.
void releaseFrameBuffer(FrameBuffer& frameBuffer);

} // namespace ov

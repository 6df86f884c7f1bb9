// OpenGL buffer objects for vertex buffers: kind 0 holds vertices, kind 1 indices.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gl/renderer.h"

namespace ov::gl
{

bool buffersAvailable(Renderer& renderer);
// A buffer of `bytes` (data may be null); 0 on failure.
uint32_t createBuffer(Renderer& renderer, int kind, size_t bytes, const void* data,
                      int32_t usageCode);
void deleteBuffer(Renderer& renderer, uint32_t name);
void* mapBuffer(Renderer& renderer, int kind, uint32_t name, int32_t accessCode);
bool unmapBuffer(Renderer& renderer, int kind, uint32_t name);

} // namespace ov::gl

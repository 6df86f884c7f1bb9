// OpenGL texture objects: creation, pixel upload and read-back, parameters and copies from
// the active render target. Pixels are RGBA8 rows, row 0 first.
#pragma once

#include <cstdint>

#include "gl/renderer.h"

namespace ov::gl
{

uint32_t createTexture(Renderer& renderer);
void deleteTexture(Renderer& renderer, uint32_t name);
// Null pixels make a transparent-black texture. False when the size is beyond the device.
bool uploadTexture(Renderer& renderer, uint32_t name, int32_t width, int32_t height,
                   const void* pixels);
bool setTextureParameter(Renderer& renderer, uint32_t name, int32_t parameterCode, float value);
// Copies a region of the active target's back buffer, or of the frame buffer drawn into
// (x, y from the bottom-left); with
// `allocate` the texture takes the region's size, else the region must fit its storage.
bool copyFromRender(Renderer& renderer, uint32_t name, int32_t x, int32_t y, int32_t width,
                    int32_t height, bool allocate);
bool readTexture(Renderer& renderer, uint32_t name, void* pixels);
int32_t maxTextureSize(Renderer& renderer);

} // namespace ov::gl

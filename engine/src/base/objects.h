// The engine's objects behind the handles of the C interface.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gl/gl_context.h"
#include "orvane_core.h"

namespace ov
{

struct RenderTarget
{
    void* window = nullptr; // the platform's HWND
    std::unique_ptr<gl::Context> context;
    int32_t colourBits = 32;
    int32_t depthBits = 16;                 // asked for
    int32_t surfaceDepthBits = 0;           // query 447: what the surface got
    std::array<int32_t, 4> viewport{};      // queries 440-443
    std::array<double, 2> planes{1, 10000}; // queries 445, 446: perspective near and far
    int32_t mode = 81;                      // query 448
    double fieldOfView = 45;
    double orthoNear = -1;
    double orthoFar = 1;
    double aspect = 0; // 0: the viewport's
};

struct Texture
{
    const void* handle = nullptr; // its handle's object word (its id), for OvTextureActivate
    uint32_t name = 0;            // the OpenGL texture, made on first use
    int32_t width = 0;
    int32_t height = 0;
    int32_t lockedBytes = 0; // query 261
    bool locked = false;
    bool lockReadOnly = false;
    std::vector<uint8_t> lockPixels;
};

struct VertexBuffer
{
    std::array<uint32_t, 2> names{}; // vertices, indices
    std::array<uint32_t, 2> sizes{}; // bytes
    std::array<bool, 2> mapped{};
    std::array<void*, 2> mappedPointers{};
    uint32_t largestIndex = 0; // checked against the vertex count before drawing
};

// A picture drawn like a render target and then used as a texture. The texture drawn into
// is an engine texture (query 451); the one Create makes is destroyed with the frame buffer,
// one handed in or swapped in stays its owner's.
struct FrameBuffer
{
    OvHandle texture{1, nullptr};    // drawn into
    OvHandle ownTexture{1, nullptr}; // made by OvFrameBufferCreate
    std::array<int32_t, 2> size{};   // queries 449, 450: the texture's, as last seen
};

struct Shader
{
    int32_t kind = 0; // 429-433 once loaded
    uint32_t name = 0;
    bool built = false;
};

} // namespace ov

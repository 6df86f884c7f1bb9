// The engine's vertex as the framework fills it (texture coordinate, colour, normal,
// position: 15 floats, 60 bytes), and the four-float vector used for vertex data, corners and
// shader parameters. Sprites, vertex buffers, shapes and models share them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace OvCore
{

// Four floats (x, y, z, w), default (0, 0, 0, 1); colours are (red, green, blue, alpha).
struct OV_VECTOR_F
{
    float x = 0; // first component: x, red, or a texture's u
    float y = 0; // second component: y, green, or v
    float z = 0; // third component: z or blue
    float w = 1; // fourth component: w or alpha, 1 unless set

    constexpr OV_VECTOR_F() = default;
    // The vector (x0, y0, z0, w0).
    constexpr OV_VECTOR_F(float x0, float y0, float z0 = 0, float w0 = 1)
        : x(x0), y(y0), z(z0), w(w0)
    {
    }

    // Equal when all four components are equal.
    constexpr bool operator==(const OV_VECTOR_F&) const = default;
};

// One vertex in the engine's interleaved layout; OvDrawDataStruct and the vertex buffers
// read arrays of these.
struct OV_VERTEX
{
    OV_VECTOR_F texcoord{0, 0, 0, 1}; // texture coordinate (u, v in 0..1)
    OV_VECTOR_F colour{1, 1, 1, 1};   // red, green, blue, alpha in 0..1; white by default
    float normal[3] = {0, 0, 1};      // the surface normal, toward the viewer by default
    OV_VECTOR_F position{0, 0, 0, 1}; // where the vertex lies, in the caller's units

    // Byte offsets of the fields and the stride, as the engine's OvDrawData takes them.
    static constexpr int32_t TEXCOORD_OFFSET = 0;
    static constexpr int32_t COLOUR_OFFSET = 16;
    static constexpr int32_t NORMAL_OFFSET = 32;
    static constexpr int32_t POSITION_OFFSET = 44;
    static constexpr int32_t STRIDE = 60;
};
static_assert(sizeof(OV_VERTEX) == OV_VERTEX::STRIDE, "the engine's vertex is 60 bytes");
static_assert(offsetof(OV_VERTEX, colour) == OV_VERTEX::COLOUR_OFFSET);
static_assert(offsetof(OV_VERTEX, normal) == OV_VERTEX::NORMAL_OFFSET);
static_assert(offsetof(OV_VERTEX, position) == OV_VERTEX::POSITION_OFFSET);

} // namespace OvCore

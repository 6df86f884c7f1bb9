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
    float x = 0;
    float y = 0;
    float z = 0;
    float w = 1;

    constexpr OV_VECTOR_F() = default;
    constexpr OV_VECTOR_F(float x0, float y0, float z0 = 0, float w0 = 1)
        : x(x0), y(y0), z(z0), w(w0)
    {
    }

    constexpr bool operator==(const OV_VECTOR_F&) const = default;
};

// One vertex in the engine's interleaved layout; OvDrawDataStruct and the vertex buffers
// read arrays of these.
struct OV_VERTEX
{
    OV_VECTOR_F texcoord{0, 0, 0, 1};
    OV_VECTOR_F colour{1, 1, 1, 1};
    float normal[3] = {0, 0, 1};
    OV_VECTOR_F position{0, 0, 0, 1};

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

// Filling the batch on the CPU: vertices transformed by the model-view matrix, colours
// packed, fans turned into triangles. The sprite path (60-byte vertices, four at a time)
// is the one that must be fast.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gl/renderer.h"
#include "math/mat4.h"

namespace ov
{

// Draws this small go through the batch; larger ones go to OpenGL as they are.
constexpr int32_t kMaxBatchedVertices = 1024;

// One array of an OvDrawData call, read component by component.
struct VertexStream
{
    const uint8_t* base = nullptr; // null: absent
    size_t stride = 0;
    int32_t size = 4;
    bool isDouble = false;

    double get(size_t index, int component, double fallback) const;
};

struct StreamVertexSource
{
    VertexStream position, colour, texcoord;
    uint32_t packedDefaultColour = 0xFFFFFFFFu;
};

enum class BatchShape
{
    Quads,
    Triangles,
    Fan
};

// The batch shape of an engine primitive mode (11, 8, 10), if it has one.
bool batchShapeOf(int32_t mode, BatchShape& shape);

// Appends `count` vertices from `first` of 60-byte vertices; false when the renderer has no
// context (nothing is drawn then).
bool batchStructVertices(gl::Renderer& renderer, const Mat4& modelView, BatchShape shape,
                         const uint8_t* vertices, int32_t first, int32_t count);
bool batchStreamVertices(gl::Renderer& renderer, const Mat4& modelView, BatchShape shape,
                         const StreamVertexSource& source, int32_t first, int32_t count);

} // namespace ov

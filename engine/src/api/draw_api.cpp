// Drawing: small quads, triangles and fans go through the CPU-transformed batch; points,
// lines, indexed, buffered and large draws go to OpenGL as they are, under the real
// model-view matrix so that shaders see it.
#include <algorithm>

#include "api/guard.h"
#include "base/batch_fill.h"
#include "base/engine.h"
#include "gl/gl_codes.h"
#include "orvane_core.h"

using namespace ov;

namespace
{

constexpr uint32_t kGlFloat = 0x1406;
constexpr uint32_t kGlDouble = 0x140A;

struct DrawDataArgs
{
    int32_t mode, first, count;
    const void *positions, *colours, *texcoords, *normals, *indices;
    int32_t flags, valueType;
    int32_t strides[4];
    int32_t sizes[3];
    int32_t enabled;
    int32_t offsets[4];
    int32_t indexSize;
};

struct Layout
{
    bool isDouble;
    gl::ArraySource arrays[4]; // position, colour, texcoord, normal
};

bool sizeInRange(int32_t size, int32_t low, int32_t high)
{
    return size >= low && size <= high;
}

// The arrays of a call with defaults applied; false for sizes, strides or types it cannot
// mean.
bool readLayout(const DrawDataArgs& a, Layout& layout)
{
    if (a.valueType != 0 && a.valueType != OV_VALUE_FLOAT && a.valueType != OV_VALUE_DOUBLE)
        return false;
    layout.isDouble = a.valueType == OV_VALUE_DOUBLE;
    const int32_t sizes[4] = {a.sizes[0] ? a.sizes[0] : 4, a.sizes[1] ? a.sizes[1] : 4,
                              a.sizes[2] ? a.sizes[2] : 2, 3};
    if (!sizeInRange(sizes[0], 2, 4) || !sizeInRange(sizes[1], 3, 4) ||
        !sizeInRange(sizes[2], 1, 4))
        return false;
    const void* pointers[4] = {a.positions, a.colours, a.texcoords, a.normals};
    const bool buffered = a.flags & OV_DRAW_BUFFERED;
    for (int i = 0; i < 4; ++i)
    {
        if (a.strides[i] < 0 || a.offsets[i] < 0)
            return false;
        gl::ArraySource& array = layout.arrays[i];
        array.size = sizes[i];
        array.stride = a.strides[i];
        array.enabled = buffered || a.enabled ? (a.enabled >> i) & 1 : pointers[i] != nullptr;
        array.enabled = array.enabled && (buffered || pointers[i]);
        array.pointer = buffered      ? reinterpret_cast<const void*>(uintptr_t(a.offsets[i]))
                        : pointers[i] ? static_cast<const char*>(pointers[i]) + a.offsets[i]
                                      : nullptr;
    }
    return true;
}

size_t elementBytes(const gl::ArraySource& array, bool isDouble)
{
    return size_t(array.size) * (isDouble ? 8 : 4);
}

// Whether `count` indices from `first` lie inside the active index buffer and name only
// vertices below `vertexCount`.
bool indicesFitBuffer(const DrawDataArgs& a, uint64_t vertexCount)
{
    const VertexBuffer* indices = engine().activeBuffers[1];
    const uint64_t indexBytes = a.indexSize == 2 ? 2 : 4;
    const uint64_t start = reinterpret_cast<uintptr_t>(a.indices);
    return indices && indices->names[1] != 0 && !indices->mapped[1] &&
           indices->largestIndex < vertexCount &&
           start + (uint64_t(a.first) + uint64_t(a.count)) * indexBytes <= indices->sizes[1];
}

// Whether a buffered draw reads only inside the active buffers.
bool fitsBuffers(const DrawDataArgs& a, const Layout& layout)
{
    const Engine& e = engine();
    const VertexBuffer* vertices = e.activeBuffers[0];
    if (!vertices || vertices->names[0] == 0 || vertices->mapped[0])
        return false;
    uint64_t vertexCount = UINT64_MAX;
    for (const gl::ArraySource& array : layout.arrays)
    {
        if (!array.enabled)
            continue;
        const uint64_t element = elementBytes(array, layout.isDouble);
        const uint64_t stride = array.stride ? uint64_t(array.stride) : element;
        const uint64_t offset = reinterpret_cast<uintptr_t>(array.pointer);
        if (offset + element > vertices->sizes[0])
            return false;
        vertexCount = std::min(vertexCount, (vertices->sizes[0] - offset - element) / stride + 1);
    }
    if (!(a.flags & OV_DRAW_INDEXED))
        return uint64_t(a.first) + uint64_t(a.count) <= vertexCount;
    return indicesFitBuffer(a, vertexCount);
}

void drawDirect(const DrawDataArgs& a, const Layout& layout)
{
    Engine& e = engine();
    const auto mode = gl::primitiveMode(a.mode);
    if (!mode)
        return;
    gl::ArrayDraw draw;
    draw.mode = *mode;
    draw.first = a.first;
    draw.count = a.count;
    draw.valueType = layout.isDouble ? kGlDouble : kGlFloat;
    draw.position = layout.arrays[0];
    draw.colour = layout.arrays[1];
    draw.texcoord = layout.arrays[2];
    draw.normal = layout.arrays[3];
    draw.arraysInBuffer = a.flags & OV_DRAW_BUFFERED;
    draw.indicesInBuffer = a.flags & OV_DRAW_INDEXED;
    draw.indexed = draw.indicesInBuffer || a.indices;
    draw.indices = a.indices;
    draw.indexSize = a.indexSize == 2 ? 2 : 4;
    std::copy(e.state.drawColour.begin(), e.state.drawColour.end(), draw.currentColour);
    // Client arrays carry no length, so indices from a buffer are checked against the buffer
    // only; client vertex arrays must hold every vertex the indices name.
    if (draw.arraysInBuffer ? !fitsBuffers(a, layout)
                            : draw.indicesInBuffer && !indicesFitBuffer(a, UINT64_MAX))
        return;
    e.renderer.drawArrays(draw, e.matrices.modelView());
}

VertexStream streamOf(const gl::ArraySource& array, bool isDouble)
{
    VertexStream stream;
    if (!array.enabled)
        return stream;
    stream.base = static_cast<const uint8_t*>(array.pointer);
    stream.size = array.size;
    stream.isDouble = isDouble;
    stream.stride = array.stride ? size_t(array.stride) : elementBytes(array, isDouble);
    return stream;
}

void drawData(const DrawDataArgs& a)
{
    Layout layout;
    if (a.count <= 0 || a.first < 0 || !readLayout(a, layout) || !layout.arrays[0].enabled)
        return;
    BatchShape shape;
    const bool batchable = !(a.flags & (OV_DRAW_BUFFERED | OV_DRAW_INDEXED)) && !a.indices &&
                           a.count <= kMaxBatchedVertices && batchShapeOf(a.mode, shape);
    if (!batchable)
        return drawDirect(a, layout);
    Engine& e = engine();
    StreamVertexSource source;
    source.position = streamOf(layout.arrays[0], layout.isDouble);
    source.colour = streamOf(layout.arrays[1], layout.isDouble);
    source.texcoord = streamOf(layout.arrays[2], layout.isDouble);
    source.packedDefaultColour = e.state.packedDrawColour;
    batchStreamVertices(e.renderer, e.matrices.modelView(), shape, source, a.first, a.count);
}

} // namespace

extern "C"
{

    OV_API void OvDrawData(int32_t mode, int32_t first, int32_t count, const void* positions,
                           const void* colours, const void* texcoords, const void* normals,
                           const void* indices, int32_t flags, int32_t valueType,
                           int32_t positionStride, int32_t colourStride, int32_t texcoordStride,
                           int32_t normalStride, int32_t positionSize, int32_t colourSize,
                           int32_t texcoordSize, int32_t enabled, int32_t positionOffset,
                           int32_t colourOffset, int32_t texcoordOffset, int32_t normalOffset,
                           int32_t indexSize)
    {
        guard(
            [&]
            {
                drawData(DrawDataArgs{mode,
                                      first,
                                      count,
                                      positions,
                                      colours,
                                      texcoords,
                                      normals,
                                      indices,
                                      flags,
                                      valueType,
                                      {positionStride, colourStride, texcoordStride, normalStride},
                                      {positionSize, colourSize, texcoordSize},
                                      enabled,
                                      {positionOffset, colourOffset, texcoordOffset, normalOffset},
                                      indexSize});
            });
    }

    OV_API void OvDrawDataStruct(int32_t mode, int32_t first, int32_t count, const void* vertices,
                                 const uint32_t* indices)
    {
        guard(
            [&]
            {
                Engine& e = engine();
                if (!vertices || count <= 0 || first < 0)
                    return;
                BatchShape shape;
                if (!indices && count <= kMaxBatchedVertices && batchShapeOf(mode, shape))
                {
                    batchStructVertices(e.renderer, e.matrices.modelView(), shape,
                                        static_cast<const uint8_t*>(vertices), first, count);
                    return;
                }
                // The interleaved layout: texcoord at 0, colour 16, normal 32, position 44.
                const char* base = static_cast<const char*>(vertices);
                drawData(DrawDataArgs{mode,
                                      first,
                                      count,
                                      base + 44,
                                      base + 16,
                                      base,
                                      base + 32,
                                      indices,
                                      0,
                                      OV_VALUE_FLOAT,
                                      {60, 60, 60, 60},
                                      {4, 4, 4},
                                      15,
                                      {0, 0, 0, 0},
                                      4});
            });
    }

    OV_API void OvPrimitiveBegin(int32_t mode)
    {
        guard(
            [&]
            {
                ImmediatePrimitive& p = engine().immediate;
                p.reset();
                p.open = gl::primitiveMode(mode).has_value();
                p.mode = mode;
            });
    }

    OV_API void OvPutTexvertex(double s, double t, double r, double q)
    {
        guard([&] { engine().immediate.texcoord = {s, t, r, q}; });
    }

    OV_API void OvPutVertex(double x, double y, double z, double w)
    {
        guard(
            [&]
            {
                Engine& e = engine();
                ImmediatePrimitive& p = e.immediate;
                if (!p.open || p.positions.size() >= ImmediatePrimitive::kMaxVertices)
                    return;
                p.positions.push_back({x, y, z, w});
                p.texcoords.push_back(p.texcoord);
                p.colours.push_back(e.state.drawColour);
            });
    }

    OV_API void OvPrimitiveEnd(void)
    {
        guard(
            [&]
            {
                ImmediatePrimitive& p = engine().immediate;
                if (p.open && !p.positions.empty())
                    drawData(DrawDataArgs{p.mode,
                                          0,
                                          int32_t(p.positions.size()),
                                          p.positions.data(),
                                          p.colours.data(),
                                          p.texcoords.data(),
                                          nullptr,
                                          nullptr,
                                          0,
                                          OV_VALUE_DOUBLE,
                                          {0, 0, 0, 0},
                                          {4, 4, 4},
                                          0,
                                          {0, 0, 0, 0},
                                          4});
                p.reset();
            });
    }

} // extern "C"

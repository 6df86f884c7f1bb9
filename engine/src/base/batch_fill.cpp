#include "base/batch_fill.h"

#include <cstring>

#include "base/engine.h"

namespace ov
{

namespace
{

// The model-view's affine rows; points are (x, y, z, w) with w usually 1.
struct Transform
{
    explicit Transform(const Mat4& matrix)
        : m(matrix.m.data()), planar(m[2] == 0 && m[6] == 0 && m[8] == 0 && m[9] == 0 && m[10] == 1)
    {
    }
    const double* m;
    bool planar; // a 2D transform: sprites' translate, turn and scale

    void apply(double x, double y, double z, double w, gl::BatchVertex& out) const
    {
        if (planar && z == 0 && w == 1)
        {
            out.x = float(m[0] * x + m[4] * y + m[12]);
            out.y = float(m[1] * x + m[5] * y + m[13]);
            out.z = float(m[14]);
            return;
        }
        out.x = float(m[0] * x + m[4] * y + m[8] * z + m[12] * w);
        out.y = float(m[1] * x + m[5] * y + m[9] * z + m[13] * w);
        out.z = float(m[2] * x + m[6] * y + m[10] * z + m[14] * w);
    }
};

// Sprites repeat one colour on all four corners: pack each distinct colour once.
struct ColourPacker
{
    float last[4] = {1, 1, 1, 1};
    uint32_t packed = 0xFFFFFFFFu;

    uint32_t pack(const uint8_t* rgba)
    {
        if (std::memcmp(rgba, last, sizeof last) != 0)
        {
            std::memcpy(last, rgba, sizeof last);
            packed = packColour(last[0], last[1], last[2], last[3]);
        }
        return packed;
    }
};

ColourPacker packer;

// Reads only what a batched vertex keeps: texture coordinate (offset 0), colour (16) and
// position (44) of the 60-byte layout.
void structVertex(const Transform& transform, const uint8_t* vertex, gl::BatchVertex& out)
{
    float position[4];
    std::memcpy(position, vertex + 44, sizeof position);
    transform.apply(position[0], position[1], position[2], position[3], out);
    std::memcpy(&out.u, vertex, sizeof out.u);
    std::memcpy(&out.v, vertex + sizeof(float), sizeof out.v);
    out.colour = packer.pack(vertex + 16);
}

void streamVertex(const Transform& transform, const StreamVertexSource& source, size_t index,
                  gl::BatchVertex& out)
{
    const VertexStream& p = source.position;
    transform.apply(p.get(index, 0, 0), p.get(index, 1, 0), p.get(index, 2, 0), p.get(index, 3, 1),
                    out);
    out.u = float(source.texcoord.get(index, 0, 0));
    out.v = float(source.texcoord.get(index, 1, 0));
    if (source.colour.base)
    {
        const VertexStream& c = source.colour;
        out.colour = packColour(float(c.get(index, 0, 1)), float(c.get(index, 1, 1)),
                                float(c.get(index, 2, 1)), float(c.get(index, 3, 1)));
    }
    else
    {
        out.colour = source.packedDefaultColour;
    }
}

// Walks the primitives of a shape, handing each output slot the input vertex it takes.
template <class Put>
bool fillShape(gl::Renderer& renderer, BatchShape shape, int32_t count, Put&& put)
{
    if (shape == BatchShape::Quads)
    {
        const int32_t quads = count / 4;
        gl::BatchVertex* out = renderer.reserve(gl::BatchKind::Quads, quads);
        if (!out)
            return quads == 0;
        for (int32_t i = 0; i < quads * 4; ++i)
            put(i, out[i]);
        return true;
    }
    const int32_t triangles = shape == BatchShape::Triangles ? count / 3 : count - 2;
    if (triangles <= 0)
        return true;
    gl::BatchVertex* out = renderer.reserve(gl::BatchKind::Triangles, triangles);
    if (!out)
        return false;
    for (int32_t t = 0; t < triangles; ++t)
    {
        if (shape == BatchShape::Triangles)
        {
            for (int k = 0; k < 3; ++k)
                put(t * 3 + k, out[t * 3 + k]);
        }
        else
        {
            put(0, out[t * 3]);
            put(t + 1, out[t * 3 + 1]);
            put(t + 2, out[t * 3 + 2]);
        }
    }
    return true;
}

} // namespace

double VertexStream::get(size_t index, int component, double fallback) const
{
    if (!base || component >= size)
        return fallback;
    const uint8_t* at = base + index * stride;
    if (isDouble)
    {
        double value;
        std::memcpy(&value, at + component * sizeof(double), sizeof value);
        return value;
    }
    float value;
    std::memcpy(&value, at + component * sizeof(float), sizeof value);
    return value;
}

bool batchShapeOf(int32_t mode, BatchShape& shape)
{
    switch (mode)
    {
    case 11:
        shape = BatchShape::Quads;
        return true;
    case 8:
        shape = BatchShape::Triangles;
        return true;
    case 10:
        shape = BatchShape::Fan;
        return true;
    default:
        return false;
    }
}

bool batchStructVertices(gl::Renderer& renderer, const Mat4& modelView, BatchShape shape,
                         const uint8_t* vertices, int32_t first, int32_t count)
{
    const Transform transform(modelView);
    const uint8_t* base = vertices + size_t(first) * 60;
    return fillShape(renderer, shape, count,
                     [&](int32_t i, gl::BatchVertex& out)
                     { structVertex(transform, base + size_t(i) * 60, out); });
}

bool batchStreamVertices(gl::Renderer& renderer, const Mat4& modelView, BatchShape shape,
                         const StreamVertexSource& source, int32_t first, int32_t count)
{
    const Transform transform(modelView);
    return fillShape(renderer, shape, count,
                     [&](int32_t i, gl::BatchVertex& out)
                     { streamVertex(transform, source, size_t(first) + size_t(i), out); });
}

} // namespace ov

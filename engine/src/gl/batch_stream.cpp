#include "gl/batch_stream.h"

#include <algorithm>
#include <cstring>
#include <epoxy/gl.h>

#include "gl/batch_program.h"
#include "gl/renderer.h"

namespace ov::gl
{

namespace
{

// Small batches (the GUI's) share one buffer until it is full; small enough to stay in the
// cache, where writing the vertices is cheapest.
constexpr size_t kMinimumCapacity = size_t(1) << 20;

// x, y, u, v and, with `colour`, the packed colour.
template <bool colour> void writeFlat(const BatchVertex* in, int count, char* out)
{
    constexpr size_t stride = colour ? 20 : 16;
    for (int i = 0; i < count; ++i, out += stride)
    {
        const float values[4] = {in[i].x, in[i].y, in[i].u, in[i].v};
        std::memcpy(out, values, sizeof values);
        if (colour)
            std::memcpy(out + sizeof values, &in[i].colour, sizeof in[i].colour);
    }
}

int strideOf(const BatchLayout& layout)
{
    if (!layout.flat)
        return sizeof(BatchVertex);
    return layout.oneColour ? 16 : 20;
}

const char* offsetPointer(size_t offset)
{
    return reinterpret_cast<const char*>(uintptr_t(offset));
}

} // namespace

void BatchLayout::scan(const BatchVertex* vertices, int count)
{
    if (scanned == 0 && count > 0)
        colour = vertices[0].colour;
    for (int i = scanned; i < count; ++i)
    {
        oneColour = oneColour && vertices[i].colour == colour;
        flat = flat && vertices[i].z == 0;
    }
    scanned = count;
}

bool BatchStream::available()
{
    if (!tried_)
    {
        tried_ = true;
        if (epoxy_gl_version() >= 30 || epoxy_has_gl_extension("GL_ARB_map_buffer_range"))
            glGenBuffers(1, &buffer_);
    }
    return buffer_ != 0;
}

bool BatchStream::write(const BatchVertex* vertices, const float* slots, int count,
                        const BatchLayout& layout, PlacedBatch& placed)
{
    const int stride = strideOf(layout);
    const size_t vertexBytes = size_t(stride) * size_t(count);
    const size_t bytes = vertexBytes + (slots ? sizeof(float) * size_t(count) : 0);
    // Appending needs no wait; starting again invalidates the whole buffer, which the driver
    // orphans only while earlier draws still read it (a new store's pages cost faults).
    GLbitfield access = GL_MAP_WRITE_BIT | GL_MAP_INVALIDATE_RANGE_BIT | GL_MAP_UNSYNCHRONIZED_BIT;
    if (bytes > capacity_)
    {
        capacity_ = std::max(bytes, kMinimumCapacity);
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(capacity_), nullptr, GL_STREAM_DRAW);
        used_ = 0;
    }
    else if (used_ + bytes > capacity_)
    {
        access = GL_MAP_WRITE_BIT | GL_MAP_INVALIDATE_BUFFER_BIT;
        used_ = 0;
    }
    char* room = static_cast<char*>(
        glMapBufferRange(GL_ARRAY_BUFFER, GLintptr(used_), GLsizeiptr(bytes), access));
    if (!room)
    {
        capacity_ = 0; // orphan before the next try
        return false;
    }
    if (!layout.flat)
        std::memcpy(room, vertices, vertexBytes);
    else if (layout.oneColour)
        writeFlat<false>(vertices, count, room);
    else
        writeFlat<true>(vertices, count, room);
    if (slots)
        std::memcpy(room + vertexBytes, slots, sizeof(float) * size_t(count));
    if (glUnmapBuffer(GL_ARRAY_BUFFER) != GL_TRUE)
    {
        capacity_ = 0; // the store was lost: a new one next time
        return false;
    }
    placed.vertices = offsetPointer(used_);
    placed.slots = slots ? offsetPointer(used_ + vertexBytes) : nullptr;
    placed.stride = stride;
    placed.positionSize = layout.flat ? 2 : 3;
    placed.texCoordOffset = layout.flat ? 8 : int(offsetof(BatchVertex, u));
    placed.colourOffset = layout.oneColour ? -1
                          : layout.flat    ? 16
                                           : int(offsetof(BatchVertex, colour));
    used_ += (bytes + 15) & ~size_t(15);
    return true;
}

PlacedBatch clientBatch(const BatchVertex* vertices, const float* slots, const BatchLayout& layout)
{
    PlacedBatch placed;
    placed.vertices = reinterpret_cast<const char*>(vertices);
    placed.slots = reinterpret_cast<const char*>(slots);
    placed.stride = sizeof(BatchVertex);
    placed.positionSize = layout.flat ? 2 : 3;
    placed.texCoordOffset = int(offsetof(BatchVertex, u));
    placed.colourOffset = layout.oneColour ? -1 : int(offsetof(BatchVertex, colour));
    return placed;
}

void pointAttributes(const PlacedBatch& placed)
{
    glVertexAttribPointer(kPositionAttribute, placed.positionSize, GL_FLOAT, GL_FALSE,
                          placed.stride, placed.vertices);
    glEnableVertexAttribArray(kPositionAttribute);
    glVertexAttribPointer(kTexCoordAttribute, 2, GL_FLOAT, GL_FALSE, placed.stride,
                          placed.vertices + placed.texCoordOffset);
    glEnableVertexAttribArray(kTexCoordAttribute);
    if (placed.colourOffset >= 0)
    {
        glVertexAttribPointer(kColourAttribute, 4, GL_UNSIGNED_BYTE, GL_TRUE, placed.stride,
                              placed.vertices + placed.colourOffset);
        glEnableVertexAttribArray(kColourAttribute);
    }
    if (placed.slots)
    {
        glVertexAttribPointer(kSlotAttribute, 1, GL_FLOAT, GL_FALSE, 0, placed.slots);
        glEnableVertexAttribArray(kSlotAttribute);
    }
}

void releaseAttributes()
{
    for (GLuint attribute :
         {kPositionAttribute, kTexCoordAttribute, kColourAttribute, kSlotAttribute})
        glDisableVertexAttribArray(attribute);
}

} // namespace ov::gl

#include "graphics/ov_vertex_buffer.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

namespace OvCore
{

namespace
{

constexpr OvHandle EMPTY_HANDLE{1, nullptr};
constexpr uint32_t INDEX_BYTES = sizeof(uint32_t);

bool IsEmpty(OvHandle handle)
{
    return (handle.flags & 0xFFu) != 0 || handle.object == nullptr;
}

// Client arrays of `count` elements, copied from `data` when given (default values otherwise).
template <class T> bool FillArray(std::vector<T>& array, const void* data, uint32_t count)
{
    try
    {
        array.assign(count, T{});
    }
    catch (const std::bad_alloc&)
    {
        array.clear();
        return false;
    }
    if (data && count > 0)
        std::memcpy(array.data(), data, static_cast<size_t>(count) * sizeof(T));
    return true;
}

} // namespace

OV_VERTEX_BUFFER::OV_VERTEX_BUFFER(OV_VERTEX_BUFFER&& other) noexcept
{
    *this = std::move(other);
}

OV_VERTEX_BUFFER& OV_VERTEX_BUFFER::operator=(OV_VERTEX_BUFFER&& other) noexcept
{
    if (this == &other)
        return *this;
    Destroy();
    handle = std::exchange(other.handle, EMPTY_HANDLE);
    vertices = std::move(other.vertices);
    indices = std::move(other.indices);
    buffered = std::exchange(other.buffered, 0);
    mode = other.mode;
    other.vertices.clear();
    other.indices.clear();
    return *this;
}

bool OV_VERTEX_BUFFER::Create(int32_t drawMode, const void* vertexData, uint32_t vertexCount,
                              const uint32_t* indexData, uint32_t indexCount,
                              int32_t /*vertexUsage*/, int32_t /*indexUsage*/, bool clientOnly)
{
    if (!IsEmpty(handle))
        return false;
    mode = drawMode;
    buffered = 0;
    if (!clientOnly && OvVertexBufferInit())
        buffered = 1;
    if (buffered)
    {
        constexpr uint32_t limit = std::numeric_limits<uint32_t>::max();
        // Byte sizes that do not fit the engine's 32-bit sizes are refused, not wrapped.
        if (vertexCount > limit / OV_VERTEX::STRIDE || indexCount > limit / INDEX_BYTES ||
            !OvVertexBufferCreate(&handle, vertexCount * OV_VERTEX::STRIDE, vertexData,
                                  OV_USAGE_STATIC, indexCount * INDEX_BYTES, indexData,
                                  OV_USAGE_STATIC))
        {
            handle = EMPTY_HANDLE;
            buffered = 0;
            return false;
        }
        OvVertexBufferUnactivate(OV_BUFFER_VERTICES);
        OvVertexBufferUnactivate(OV_BUFFER_INDICES);
        return true;
    }
    vertices.clear();
    indices.clear();
    if (!FillArray(vertices, vertexData, vertexCount) || !FillArray(indices, indexData, indexCount))
    {
        vertices.clear();
        indices.clear();
        return false;
    }
    return !vertices.empty() || !indices.empty();
}

void OV_VERTEX_BUFFER::Draw() const
{
    if (buffered)
    {
        if (IsEmpty(handle))
            return;
        OvVertexBufferActivate(handle, OV_BUFFER_VERTICES);
        const bool indexed = OvVertexBufferHasBuffer(handle, OV_BUFFER_INDICES) != 0;
        if (indexed)
            OvVertexBufferActivate(handle, OV_BUFFER_INDICES);
        const auto count = static_cast<int32_t>(indexed ? IndexCount() : VertexCount());
        constexpr int32_t stride = OV_VERTEX::STRIDE;
        constexpr int32_t allArrays = 1 | 2 | 4 | 8; // position, colour, texcoord, normal
        OvDrawData(mode, 0, count, nullptr, nullptr, nullptr, nullptr, nullptr,
                   OV_DRAW_BUFFERED | (indexed ? OV_DRAW_INDEXED : 0), OV_VALUE_FLOAT, stride,
                   stride, stride, stride, 4, 4, 4, allArrays, OV_VERTEX::POSITION_OFFSET,
                   OV_VERTEX::COLOUR_OFFSET, OV_VERTEX::TEXCOORD_OFFSET, OV_VERTEX::NORMAL_OFFSET,
                   INDEX_BYTES);
        OvVertexBufferUnactivate(OV_BUFFER_VERTICES);
        OvVertexBufferUnactivate(OV_BUFFER_INDICES);
        return;
    }
    if (vertices.empty())
        return;
    // Indices may have been written through MapIndices: one naming a vertex past the array
    // refuses the draw rather than letting OpenGL read beyond it.
    const auto vertexCount = static_cast<uint32_t>(vertices.size());
    if (std::any_of(indices.begin(), indices.end(),
                    [vertexCount](uint32_t index) { return index >= vertexCount; }))
        return;
    if (indices.empty())
        OvDrawDataStruct(mode, 0, static_cast<int32_t>(vertices.size()), vertices.data(), nullptr);
    else
        OvDrawDataStruct(mode, 0, static_cast<int32_t>(indices.size()), vertices.data(),
                         indices.data());
}

uint32_t OV_VERTEX_BUFFER::VertexCount() const
{
    if (buffered)
        return OvVertexBufferSize(handle, OV_BUFFER_VERTICES) / OV_VERTEX::STRIDE;
    return static_cast<uint32_t>(vertices.size());
}

uint32_t OV_VERTEX_BUFFER::IndexCount() const
{
    if (buffered)
        return OvVertexBufferSize(handle, OV_BUFFER_INDICES) / INDEX_BYTES;
    return static_cast<uint32_t>(indices.size());
}

int32_t OV_VERTEX_BUFFER::MapCode(int32_t access)
{
    const bool write = access & ACCESS_WRITE;
    const bool read = access & ACCESS_READ;
    if (write && !read)
        return OV_MAP_WRITE_ONLY;
    if (read && !write)
        return OV_MAP_READ_ONLY;
    return OV_MAP_READ_WRITE;
}

void* OV_VERTEX_BUFFER::MapKind(int32_t kind, int32_t access)
{
    OvVertexBufferActivate(handle, kind);
    void* data = OvVertexBufferMap(kind, MapCode(access));
    OvVertexBufferUnactivate(kind);
    return data;
}

void OV_VERTEX_BUFFER::UnmapKind(int32_t kind)
{
    OvVertexBufferActivate(handle, kind);
    OvVertexBufferUnmap(kind);
    OvVertexBufferUnactivate(kind);
}

void* OV_VERTEX_BUFFER::MapVertices(int32_t access)
{
    if (!buffered)
        return vertices.data();
    return MapKind(OV_BUFFER_VERTICES, access);
}

void* OV_VERTEX_BUFFER::MapIndices(int32_t access)
{
    if (!buffered)
        return indices.data();
    return MapKind(OV_BUFFER_INDICES, access);
}

void OV_VERTEX_BUFFER::UnmapVertices()
{
    if (buffered)
        UnmapKind(OV_BUFFER_VERTICES);
}

void OV_VERTEX_BUFFER::UnmapIndices()
{
    if (buffered)
        UnmapKind(OV_BUFFER_INDICES);
}

void OV_VERTEX_BUFFER::Destroy()
{
    if (buffered)
    {
        OvVertexBufferDestroy(handle);
        handle = EMPTY_HANDLE;
        buffered = 0;
        return;
    }
    vertices.clear();
    indices.clear();
}

} // namespace OvCore

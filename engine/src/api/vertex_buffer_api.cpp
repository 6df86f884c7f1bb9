// Vertex buffers: an OpenGL buffer of vertices and an optional one of 32-bit indices.
#include <algorithm>
#include <cstring>

#include "api/guard.h"
#include "base/destroy.h"
#include "base/engine.h"
#include "gl/gl_buffer.h"
#include "orvane_core.h"

using namespace ov;

namespace
{

std::optional<int> kindIndex(int32_t kind)
{
    if (kind == 452)
        return 0;
    if (kind == 453)
        return 1;
    return std::nullopt;
}

uint32_t largestIndex(const void* indices, uint32_t bytes)
{
    uint32_t largest = 0;
    for (uint32_t at = 0; at + 4 <= bytes; at += 4)
    {
        uint32_t index;
        std::memcpy(&index, static_cast<const uint8_t*>(indices) + at, 4);
        largest = std::max(largest, index);
    }
    return largest;
}

void activateBuffer(VertexBuffer* buffer, int kind)
{
    Engine& e = engine();
    e.activeBuffers[kind] = buffer;
    e.renderer.setBuffer(kind, buffer ? buffer->names[kind] : 0);
}

} // namespace

extern "C"
{

    OV_API uint8_t OvVertexBufferInit(void)
    {
        return guard(uint8_t(0),
                     [] { return uint8_t(gl::buffersAvailable(engine().renderer) ? 1 : 0); });
    }

    OV_API uint8_t OvVertexBufferCreate(OvHandle* out, uint32_t vertexBytes, const void* vertexData,
                                        int32_t vertexUsage, uint32_t indexBytes,
                                        const void* indexData, int32_t indexUsage)
    {
        return guard(uint8_t(0),
                     [&]() -> uint8_t
                     {
                         Engine& e = engine();
                         if (!out || e.buffers.find(*out))
                             return 0;
                         *out = emptyHandle();
                         if (vertexBytes == 0 && indexBytes == 0)
                             return 0;
                         auto buffer = std::make_unique<VertexBuffer>();
                         const uint32_t bytes[2] = {vertexBytes, indexBytes};
                         const void* data[2] = {vertexData, indexData};
                         const int32_t usage[2] = {vertexUsage, indexUsage};
                         for (int kind = 0; kind < 2; ++kind)
                         {
                             if (bytes[kind] == 0)
                                 continue;
                             buffer->names[kind] = gl::createBuffer(e.renderer, kind, bytes[kind],
                                                                    data[kind], usage[kind]);
                             if (buffer->names[kind] == 0)
                             {
                                 releaseVertexBuffer(*buffer);
                                 return 0;
                             }
                             buffer->sizes[kind] = bytes[kind];
                         }
                         buffer->largestIndex = indexData ? largestIndex(indexData, indexBytes) : 0;
                         VertexBuffer* raw = buffer.get();
                         *out = e.buffers.add(buffer);
                         if (handleIsEmpty(*out))
                         {
                             releaseVertexBuffer(*buffer);
                             return 0;
                         }
                         activateBuffer(raw, 0);
                         activateBuffer(raw, 1);
                         return 1;
                     });
    }

    OV_API void OvVertexBufferDestroy(OvHandle handle)
    {
        guard(
            [&]
            {
                if (auto buffer = engine().buffers.remove(handle))
                    releaseVertexBuffer(*buffer);
            });
    }

    OV_API void OvVertexBufferActivate(OvHandle handle, int32_t kind)
    {
        guard(
            [&]
            {
                const auto index = kindIndex(kind);
                if (VertexBuffer* buffer = engine().buffers.find(handle); buffer && index)
                    activateBuffer(buffer, *index);
            });
    }

    OV_API void OvVertexBufferUnactivate(int32_t kind)
    {
        guard(
            [&]
            {
                if (const auto index = kindIndex(kind))
                    activateBuffer(nullptr, *index);
            });
    }

    OV_API uint8_t OvVertexBufferHasBuffer(OvHandle handle, int32_t kind)
    {
        return guard(uint8_t(0),
                     [&]() -> uint8_t
                     {
                         const auto index = kindIndex(kind);
                         const VertexBuffer* buffer = engine().buffers.find(handle);
                         return buffer && index && buffer->names[*index] != 0 ? 1 : 0;
                     });
    }

    OV_API uint32_t OvVertexBufferSize(OvHandle handle, int32_t kind)
    {
        return guard(uint32_t(0),
                     [&]() -> uint32_t
                     {
                         const auto index = kindIndex(kind);
                         const VertexBuffer* buffer = engine().buffers.find(handle);
                         return buffer && index ? buffer->sizes[*index] : 0;
                     });
    }

    OV_API void* OvVertexBufferMap(int32_t kind, int32_t access)
    {
        return guard(static_cast<void*>(nullptr),
                     [&]() -> void*
                     {
                         const auto index = kindIndex(kind);
                         if (!index || (access < 463 || access > 465))
                             return nullptr;
                         VertexBuffer* buffer = engine().activeBuffers[*index];
                         if (!buffer || buffer->names[*index] == 0 || buffer->mapped[*index])
                             return nullptr;
                         // Index maps are readable so the largest index can be found again at
                         // unmap.
                         void* pointer =
                             gl::mapBuffer(engine().renderer, *index, buffer->names[*index],
                                           *index == 1 ? 465 : access);
                         buffer->mapped[*index] = pointer != nullptr;
                         buffer->mappedPointers[*index] = pointer;
                         return pointer;
                     });
    }

    OV_API uint8_t OvVertexBufferUnmap(int32_t kind)
    {
        return guard(uint8_t(0),
                     [&]() -> uint8_t
                     {
                         const auto index = kindIndex(kind);
                         if (!index)
                             return 0;
                         VertexBuffer* buffer = engine().activeBuffers[*index];
                         if (!buffer || !buffer->mapped[*index])
                             return 0;
                         if (*index == 1) // the indices may have changed
                             buffer->largestIndex =
                                 largestIndex(buffer->mappedPointers[1], buffer->sizes[1]);
                         buffer->mapped[*index] = false;
                         buffer->mappedPointers[*index] = nullptr;
                         return gl::unmapBuffer(engine().renderer, *index, buffer->names[*index])
                                    ? 1
                                    : 0;
                     });
    }

} // extern "C"

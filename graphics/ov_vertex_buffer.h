// OV_VERTEX_BUFFER, a mesh of engine vertices (and optional 32-bit indices) kept either in
// engine buffers or in client memory, drawn with one primitive mode. Models build their
// parts from these; any program can draw its own geometry with them. The buffer owns its
// data: Destroy, or the destructor, releases it.
#pragma once

#include "graphics/ov_vertex.h"
#include "orvane_core.h"

#include <cstdint>
#include <vector>

namespace OvCore
{

// A mesh of engine vertices and optional indices, in engine buffers or client memory.
class OV_VERTEX_BUFFER
{
  public:
    // Bits of the `access` argument of the map operations.
    static constexpr int32_t ACCESS_WRITE = 4;
    static constexpr int32_t ACCESS_READ = 8;

    OvHandle handle{1, nullptr};     // the engine buffers; empty for a client mesh
    std::vector<OV_VERTEX> vertices; // client memory, when not buffered
    std::vector<uint32_t> indices;   // client memory, when not buffered; empty draws unindexed
    uint8_t buffered = 0;            // 1 while the mesh lives in engine buffers
    int32_t mode = 0; // primitive mode of Draw (OV_PRIMITIVE_QUADS, ..._TRIANGLES, ...)

    OV_VERTEX_BUFFER() = default;
    OV_VERTEX_BUFFER(const OV_VERTEX_BUFFER&) = delete;
    OV_VERTEX_BUFFER& operator=(const OV_VERTEX_BUFFER&) = delete;
    // Takes over the other's buffers or arrays and mode; the other is left empty.
    OV_VERTEX_BUFFER(OV_VERTEX_BUFFER&& other) noexcept;
    // Destroys this mesh, then takes over the other's as the move constructor does.
    OV_VERTEX_BUFFER& operator=(OV_VERTEX_BUFFER&& other) noexcept;
    ~OV_VERTEX_BUFFER() { Destroy(); }

    // Fills the mesh: in engine buffers when the engine has them and clientOnly is false,
    // otherwise in client memory (data copied when given, else default vertices). The usages
    // are accepted for compatibility; buffers are always static. False when an engine buffer
    // already exists, when the engine cannot create one (no fall-back), or when a client
    // mesh would be empty.
    bool Create(int32_t mode, const void* vertexData, uint32_t vertexCount,
                const uint32_t* indexData, uint32_t indexCount, int32_t vertexUsage,
                int32_t indexUsage, bool clientOnly);
    // Draws the mesh with `mode`, indexed when it has indices. A client mesh with an index
    // past its vertices draws nothing.
    void Draw() const;
    // The number of vertices, in the engine buffer or the client array.
    uint32_t VertexCount() const;
    // The number of indices; 0 for an unindexed mesh.
    uint32_t IndexCount() const;

    // A pointer to the vertices (indices): the client array, or the engine buffer mapped
    // with the code `access` selects (4 write only, 8 read only, else read and write).
    void* MapVertices(int32_t access);
    void* MapIndices(int32_t access);
    // Ends a map of the engine buffer's vertices (indices); nothing for a client mesh.
    void UnmapVertices();
    void UnmapIndices();
    // True while the mesh lives in engine buffers.
    bool IsBuffered() const { return buffered != 0; }
    // Releases the engine buffer, or empties the client arrays.
    void Destroy();

    // The engine map code for an access mask.
    static int32_t MapCode(int32_t access);

  private:
    void* MapKind(int32_t kind, int32_t access);
    void UnmapKind(int32_t kind);
};

} // namespace OvCore

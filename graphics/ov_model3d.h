// MODEL3D, the 3D model a 3D actor carries: textured triangle meshes (parts) read from a
// Wavefront OBJ file and its MTL libraries, each in a vertex buffer with its texture, drawn
// in world coordinates at a position, rotation and scale.
#pragma once

#include "core/ov_vector.h"
#include "graphics/ov_vertex_buffer.h"
#include "orvane_core.h"

#include <cstdint>
#include <vector>

namespace OvCore
{

// One mesh: a texture per texture unit and the vertex buffer holding its triangles.
struct MODEL_PART
{
    std::vector<OvHandle> textures; // per texture unit; an empty handle leaves the unit untextured
    OV_VERTEX_BUFFER buffer;        // the part's triangles
};

// A model read from an OBJ file: its parts, drawn together at one placement.
struct MODEL3D
{
    int32_t loaded = 0;            // 1 once a Load succeeded; the model then owns the textures
    std::vector<MODEL_PART> parts; // one per material used, in the order first used

    MODEL3D() = default;
    MODEL3D(const MODEL3D&) = delete; // the model owns its textures and buffers
    MODEL3D& operator=(const MODEL3D&) = delete;
    ~MODEL3D() { Release(false); }

    // Reads the OBJ file at `path` (MTL libraries and textures are found in `folder`): one
    // part per material used, in the order the materials were first used, appended to those
    // already loaded. The filters go to texture parameters 237 and 238 of each texture;
    // `usageFlags` and `clientSideOnly` to the vertex buffers. False, with nothing added, when
    // the file cannot be read, passes the reader's limits (graphics/obj_reader.h), or memory
    // or a vertex buffer for a mesh cannot be had.
    bool Load(const char* path, const char* folder, int32_t minFilter, int32_t magFilter,
              int32_t usageFlags, bool clientSideOnly);
    // Every part with its textures bound, under the identity translated to `position`, turned
    // about X by rotation.z, Y by rotation.y and Z by rotation.x, and scaled; w is ignored.
    void Draw(const OV_VECTOR& position, const OV_VECTOR& rotation, const OV_VECTOR& scale) const;
    // Destroys every part's vertex buffer and empties `parts`; a loaded model also destroys
    // the parts' textures unless keepTextures (another owner still uses them).
    void Release(bool keepTextures);

  private:
    // Load's work; false or a throw (memory ran out) and Load takes back what it added.
    bool LoadParts(const char* path, const char* folder, int32_t minFilter, int32_t magFilter,
                   int32_t usageFlags, bool clientSideOnly);
};

} // namespace OvCore

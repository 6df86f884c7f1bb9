// MODEL3D, the 3D model a 3D actor carries: textured triangle meshes (parts), each in a
// vertex buffer with its textures. The record and its release are here; reading OBJ/MTL
// files into it and drawing it come with the model loader.
#pragma once

#include "graphics/ov_vertex_buffer.h"
#include "orvane_core.h"

#include <cstdint>
#include <vector>

namespace OvCore
{

// One mesh: a texture per texture unit and the vertex buffer holding its triangles.
struct MODEL_PART
{
    std::vector<OvHandle> textures;
    OV_VERTEX_BUFFER buffer;
};

struct MODEL3D
{
    int32_t loaded = 0;
    std::vector<MODEL_PART> parts;

    MODEL3D() = default;
    MODEL3D(const MODEL3D&) = delete; // the model owns its textures and buffers
    MODEL3D& operator=(const MODEL3D&) = delete;
    ~MODEL3D() { Release(false); }

    // Destroys every part's vertex buffer and empties `parts`; a loaded model also destroys
    // the parts' textures unless keepTextures (another owner still uses them).
    void Release(bool keepTextures);
};

} // namespace OvCore

#include "graphics/ov_model3d.h"

#include "graphics/obj_reader.h"
#include "graphics/ov_vector_math.h"

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>

namespace OvCore
{

namespace
{

constexpr OvHandle NO_TEXTURE{1, nullptr};

// The bytes of a regular file, at most `limit` + 1 of them (so that the reader can tell it is
// too long); false when it is no regular file (a folder, a pipe that would block) or cannot be
// opened.
bool ReadFileText(const std::string& path, size_t limit, std::string& text)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    const uintmax_t size = std::filesystem::file_size(path, error);
    std::ifstream file(path, std::ios::binary);
    if (error || !file)
        return false;
    // Room for the file as it is, not for the largest one allowed.
    text.assign(static_cast<size_t>(std::min<uintmax_t>(size, limit) + 1), '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(file.gcount()));
    return !file.bad();
}

std::string InFolder(const char* folder, const std::string& name)
{
    return std::string(folder ? folder : "") + "/" + name;
}

// The material's texture, loaded with the model's filters; none when it names no file or the
// file does not load.
OvHandle LoadTexture(const std::string& path, int32_t minFilter, int32_t magFilter)
{
    OvHandle texture = NO_TEXTURE;
    if (!OvTextureCreate(&texture))
        return NO_TEXTURE;
    if (!OvTextureLoad(texture, path.c_str(), 1))
    {
        OvTextureDestroy(texture);
        return NO_TEXTURE;
    }
    OvTextureActivate(texture);
    OvTextureParameter(OV_TEXTURE_MIN_FILTER, static_cast<float>(minFilter));
    OvTextureParameter(OV_TEXTURE_MAG_FILTER, static_cast<float>(magFilter));
    OvTextureUnactivate(OV_TEXTURE_2D);
    return texture;
}

const OBJ_MATERIAL* MaterialNamed(const OBJ_MODEL& model, const std::string& name)
{
    for (const OBJ_MATERIAL& material : model.materials)
        if (material.name == name)
            return &material;
    return nullptr;
}

bool IsEmpty(OvHandle handle)
{
    return (handle.flags & 0xFFu) != 0 || handle.object == nullptr;
}

} // namespace

bool MODEL3D::Load(const char* path, const char* folder, int32_t minFilter, int32_t magFilter,
                   int32_t usageFlags, bool clientSideOnly)
{
    const size_t had = parts.size();
    bool made = false;
    try
    {
        made = LoadParts(path, folder, minFilter, magFilter, usageFlags, clientSideOnly);
    }
    catch (const std::bad_alloc&)
    {
    }
    if (made)
        return true;
    // Memory ran out part-way, or a mesh found no room in a vertex buffer: the parts this
    // call made go again, with their textures.
    for (size_t i = had; i < parts.size(); ++i)
        for (OvHandle texture : parts[i].textures)
            OvTextureDestroy(texture);
    parts.erase(parts.begin() + static_cast<std::ptrdiff_t>(had), parts.end());
    return false;
}

bool MODEL3D::LoadParts(const char* path, const char* folder, int32_t minFilter, int32_t magFilter,
                        int32_t usageFlags, bool clientSideOnly)
{
    std::string text;
    if (!path || !ReadFileText(path, OBJ_MAX_FILE_BYTES, text))
        return false;
    const OBJ_LIBRARY_READER readLibrary = [folder](const std::string& name, std::string& out)
    { return ReadFileText(InFolder(folder, name), OBJ_MAX_LIBRARY_BYTES, out); };
    OBJ_MODEL model;
    if (!ReadObj(text, readLibrary, model))
        return false;
    for (OBJ_MESH& mesh : model.meshes)
    {
        const OBJ_MATERIAL* material = MaterialNamed(model, mesh.material);
        const bool textured = material && !material->texture.empty();
        MODEL_PART& part = parts.emplace_back();
        part.textures.push_back(
            textured ? LoadTexture(InFolder(folder, material->texture), minFilter, magFilter)
                     : NO_TEXTURE);
        if (!part.buffer.Create(OV_PRIMITIVE_TRIANGLES, mesh.vertices.data(),
                                static_cast<uint32_t>(mesh.vertices.size()), nullptr, 0, usageFlags,
                                usageFlags, clientSideOnly) &&
            !mesh.vertices.empty())
            return false;
        mesh.vertices = {};
    }
    loaded = 1;
    return true;
}

void MODEL3D::Draw(const OV_VECTOR& position, const OV_VECTOR& rotation,
                   const OV_VECTOR& scale) const
{
    for (const MODEL_PART& part : parts)
    {
        if (part.textures.empty())
            OvTextureUnactivate(OV_TEXTURE_2D);
        for (size_t unit = part.textures.size(); unit-- > 0;)
        {
            OvTextureUnit(static_cast<int32_t>(unit));
            if (IsEmpty(part.textures[unit]))
                OvTextureUnactivate(OV_TEXTURE_2D);
            else
                OvTextureActivate(part.textures[unit]);
        }
        PushPlacement(position, rotation, scale, true);
        part.buffer.Draw();
        OvMatrixPop();
    }
}

void MODEL3D::Release(bool keepTextures)
{
    if (loaded && !keepTextures)
    {
        loaded = 0;
        for (MODEL_PART& part : parts)
        {
            for (OvHandle texture : part.textures)
                OvTextureDestroy(texture);
            part.textures.clear();
        }
    }
    parts.clear(); // each part's buffer destroys itself
}

} // namespace OvCore

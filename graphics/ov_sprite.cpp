#include "graphics/ov_sprite.h"

#include "core/ov_string.h"
#include "formats/byte_buffer.h"
#include "formats/package.h"
#include "graphics/ov_vector_math.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>
#include <vector>

namespace OvCore
{

namespace
{

constexpr OvHandle EMPTY_HANDLE{1, nullptr};

bool IsEmpty(OvHandle handle)
{
    return (handle.flags & 0xFFu) != 0 || handle.object == nullptr;
}

int32_t TextureInt(OvHandle texture, int32_t query)
{
    const auto* value = static_cast<const int32_t*>(OvTextureGet(texture, query));
    return value ? *value : 0;
}

// A new engine texture, or an empty handle.
OvHandle CreateTexture()
{
    OvHandle texture = EMPTY_HANDLE;
    if (!OvTextureCreate(&texture))
        return EMPTY_HANDLE;
    return texture;
}

// A buffer that shows `size` bytes at `bytes` without owning them.
void Borrow(ByteBuffer& buffer, void* bytes, uint32_t size)
{
    buffer.start = buffer.cursor = static_cast<uint8_t*>(bytes);
    buffer.capacity = buffer.count = size;
    buffer.borrowed = 1;
}

} // namespace

OV_SPRITE::OV_SPRITE()
{
    RebuildPositions();
    RebuildTexcoords();
}

OV_SPRITE::OV_SPRITE(const OV_SPRITE& other)
{
    CopyFields(other);
}

OV_SPRITE& OV_SPRITE::operator=(const OV_SPRITE& other)
{
    if (this != &other)
    {
        DestroyOwnedTextures();
        CopyFields(other);
    }
    return *this;
}

OV_SPRITE::OV_SPRITE(OV_SPRITE&& other) noexcept
{
    *this = std::move(other);
}

OV_SPRITE& OV_SPRITE::operator=(OV_SPRITE&& other) noexcept
{
    if (this == &other)
        return *this;
    DestroyOwnedTextures();
    CopyFields(other);
    borrowed = other.borrowed;
    // The moved-from record keeps its fields but no longer owns or shows any texture.
    other.frames.clear();
    other.current = NO_FRAME;
    other.frameIndex = -1;
    other.loaded = 0;
    return *this;
}

OV_SPRITE::~OV_SPRITE()
{
    DestroyOwnedTextures();
}

void OV_SPRITE::CopyFields(const OV_SPRITE& other)
{
    loaded = other.loaded;
    frames = other.frames;
    current = other.current;
    frameIndex = other.frameIndex;
    stripCount = other.stripCount;
    stripPosition = other.stripPosition;
    width = other.width;
    height = other.height;
    originX = other.originX;
    originY = other.originY;
    boxWidth = other.boxWidth;
    boxHeight = other.boxHeight;
    boxOriginX = other.boxOriginX;
    boxOriginY = other.boxOriginY;
    std::copy(std::begin(other.vertices), std::end(other.vertices), std::begin(vertices));
    borrowed = true;
}

void OV_SPRITE::DestroyOwnedTextures()
{
    if (borrowed || !loaded)
        return;
    for (OvHandle texture : frames)
        OvTextureDestroy(texture);
    frames.clear();
    current = NO_FRAME;
    frameIndex = -1;
    loaded = 0;
}

// ---- Loading --------------------------------------------------------------------------------

void OV_SPRITE::AddLoadedFrame(OvHandle texture, bool activate, int32_t minFilter,
                               int32_t magFilter)
{
    if (activate)
        OvTextureActivate(texture);
    OvTextureParameter(OV_TEXTURE_MIN_FILTER, static_cast<float>(minFilter));
    OvTextureParameter(OV_TEXTURE_MAG_FILTER, static_cast<float>(magFilter));
    OvTextureUnactivate(OV_TEXTURE_2D);
    AddFrame(texture);
    width = std::max(width, TextureInt(texture, OV_TEXTURE_WIDTH));
    height = std::max(height, TextureInt(texture, OV_TEXTURE_HEIGHT));
}

void OV_SPRITE::FinishLoad(int32_t hotspotX, int32_t hotspotY, int32_t frameBoxWidth,
                           int32_t frameBoxHeight, int32_t frameBoxOriginX, int32_t frameBoxOriginY)
{
    SetFrame(0);
    originX = hotspotX;
    originY = hotspotY;
    boxWidth = frameBoxWidth;
    boxHeight = frameBoxHeight;
    boxOriginX = frameBoxOriginX;
    boxOriginY = frameBoxOriginY;
    if (stripCount > 1)
        width /= stripCount;
    if (boxWidth < 0)
    {
        boxWidth = width;
        boxOriginX = hotspotX;
    }
    if (boxHeight < 0)
    {
        boxHeight = height;
        boxOriginY = hotspotY;
    }
    RebuildPositions();
    RebuildTexcoords();
    loaded = 1;
}

bool OV_SPRITE::LoadFromFiles(const char* fileList, uint8_t flags, int32_t minFilter,
                              int32_t magFilter, int32_t hotspotX, int32_t hotspotY,
                              int32_t frameBoxWidth, int32_t frameBoxHeight,
                              int32_t frameBoxOriginX, int32_t frameBoxOriginY)
{
    if (!fileList)
        return false;
    const FileLoader load = [](OvHandle texture, const char* path, uint8_t loadFlags)
    { return OvTextureLoad(texture, path, loadFlags) != 0; };
    AddFileFrames(fileList, load, flags, minFilter, magFilter);
    FinishLoad(hotspotX, hotspotY, frameBoxWidth, frameBoxHeight, frameBoxOriginX, frameBoxOriginY);
    return true;
}

void OV_SPRITE::AddFileFrames(const char* fileList, FileLoader load, uint8_t flags,
                              int32_t minFilter, int32_t magFilter)
{
    uint32_t count = 0;
    const std::unique_ptr<OV_STRING[]> paths = OV_STRING(fileList).Split(";", count);
    for (uint32_t i = 0; i < count; ++i)
    {
        const OvHandle texture = CreateTexture();
        if (IsEmpty(texture))
            continue;
        if (!load(texture, paths[i].Text(), flags))
        {
            OvTextureDestroy(texture); // not filled: not kept either
            continue;
        }
        AddLoadedFrame(texture, true, minFilter, magFilter);
    }
}

bool OV_SPRITE::LoadFromMemory(const void* const* images, int32_t count, uint8_t flags,
                               int32_t minFilter, int32_t magFilter, int32_t hotspotX,
                               int32_t hotspotY, int32_t frameBoxWidth, int32_t frameBoxHeight,
                               int32_t frameBoxOriginX, int32_t frameBoxOriginY,
                               const size_t* sizes)
{
    if (!images || count <= 0)
        return false;
    for (int32_t i = 0; i < count; ++i)
    {
        if (!images[i])
            continue;
        const OvHandle texture = CreateTexture();
        if (IsEmpty(texture))
            continue;
        if (!OvTextureLoadFromMemory(texture, images[i], flags, sizes ? sizes[i] : 0))
        {
            OvTextureDestroy(texture); // not filled: not kept either
            continue;
        }
        AddLoadedFrame(texture, true, minFilter, magFilter);
    }
    FinishLoad(hotspotX, hotspotY, frameBoxWidth, frameBoxHeight, frameBoxOriginX, frameBoxOriginY);
    return true;
}

bool OV_SPRITE::LoadFromRender(int32_t x, int32_t y, int32_t w, int32_t h, int32_t minFilter,
                               int32_t magFilter, int32_t hotspotX, int32_t hotspotY,
                               int32_t frameBoxWidth, int32_t frameBoxHeight,
                               int32_t frameBoxOriginX, int32_t frameBoxOriginY)
{
    const OvHandle texture = CreateTexture();
    if (!IsEmpty(texture))
    {
        if (OvTextureFromRender(texture, x, y, w, h, 1))
            AddLoadedFrame(texture, false, minFilter, magFilter);
        else
            OvTextureDestroy(texture); // not filled: not kept either
    }
    FinishLoad(hotspotX, hotspotY, frameBoxWidth, frameBoxHeight, frameBoxOriginX, frameBoxOriginY);
    return true;
}

bool OV_SPRITE::LoadEmpty(int32_t w, int32_t h, int32_t minFilter, int32_t magFilter,
                          int32_t hotspotX, int32_t hotspotY, int32_t frameBoxWidth,
                          int32_t frameBoxHeight, int32_t frameBoxOriginX, int32_t frameBoxOriginY)
{
    if (w <= 0 || h <= 0)
        return false;
    const OvHandle texture = CreateTexture();
    if (!IsEmpty(texture))
    {
        if (OvTextureLoadEmpty(texture, w, h, 1))
            AddLoadedFrame(texture, false, minFilter, magFilter);
        else
            OvTextureDestroy(texture); // not filled: not kept either
    }
    FinishLoad(hotspotX, hotspotY, frameBoxWidth, frameBoxHeight, frameBoxOriginX, frameBoxOriginY);
    return true;
}

void OV_SPRITE::Unload(bool keepTextures)
{
    if (loaded)
    {
        loaded = 0;
        if (!keepTextures && !borrowed)
            for (OvHandle texture : frames)
                OvTextureDestroy(texture);
    }
    frames.clear();
    SetFrame(-1);
}

// ---- Frames -----------------------------------------------------------------------------------

bool OV_SPRITE::AddFrame(OvHandle texture)
{
    if (IsEmpty(texture))
        return false;
    frames.push_back(texture);
    return true;
}

bool OV_SPRITE::RemoveFrame(OvHandle texture)
{
    const auto found = std::find_if(frames.begin(), frames.end(),
                                    [&](OvHandle frame) { return frame.object == texture.object; });
    if (found == frames.end())
        return false;
    const auto removed = static_cast<int32_t>(found - frames.begin());
    frames.erase(found);
    // The current frame stays the same texture; removing it leaves no current frame.
    if (removed == current)
        SetFrame(-1);
    else if (removed < current)
        --current;
    return true;
}

bool OV_SPRITE::SetFrame(float index)
{
    const double whole = std::trunc(static_cast<double>(index));
    if (frames.empty() || !(whole >= 0) || whole >= static_cast<double>(frames.size()))
    {
        current = NO_FRAME;
        frameIndex = -1;
        return false;
    }
    current = static_cast<int32_t>(whole);
    frameIndex = index;
    return true;
}

void OV_SPRITE::AdvanceFrame(float delta)
{
    if (frames.empty())
    {
        current = NO_FRAME;
        frameIndex = 0;
        return;
    }
    const auto count = static_cast<int64_t>(frames.size());
    const float moved = frameIndex + delta;
    if (std::isfinite(moved))
    {
        const double steps =
            std::trunc(static_cast<double>(moved)) - std::trunc(static_cast<double>(frameIndex));
        // Whole turns round the frames change nothing, so only the remainder is walked.
        const auto shift = static_cast<int64_t>(std::fmod(steps, static_cast<double>(count)));
        const int64_t from = current == NO_FRAME ? 0 : current;
        current = static_cast<int32_t>(((from + shift) % count + count) % count);
    }
    frameIndex = std::fmod(moved, static_cast<float>(count));
}

void OV_SPRITE::AdvanceStrip(float delta)
{
    // A strip of 0 cells is one cell; wrapping by 0 would leave no position at all.
    const int32_t cells = stripCount != 0 ? stripCount : 1;
    stripPosition = std::fmod(stripPosition + delta, static_cast<float>(cells));
    RebuildTexcoords();
}

OvHandle OV_SPRITE::CurrentFrame() const
{
    if (current < 0 || current >= FrameCount())
        return EMPTY_HANDLE;
    return frames[current];
}

void OV_SPRITE::CenterOrigin()
{
    originX = width / 2;
    originY = height / 2;
    RebuildPositions();
}

void OV_SPRITE::SetColor(float red, float green, float blue, float alpha)
{
    for (OV_VERTEX& vertex : vertices)
        vertex.colour = OV_VECTOR_F(red, green, blue, alpha);
}

OV_VECTOR_F OV_SPRITE::GetColor() const
{
    return vertices[0].colour;
}

void OV_SPRITE::RebuildPositions()
{
    const auto left = static_cast<float>(-originX);
    const auto top = static_cast<float>(-originY);
    const auto right = static_cast<float>(width - originX);
    const auto bottom = static_cast<float>(height - originY);
    vertices[0].position = OV_VECTOR_F(left, top);
    vertices[1].position = OV_VECTOR_F(right, top);
    vertices[2].position = OV_VECTOR_F(right, bottom);
    vertices[3].position = OV_VECTOR_F(left, bottom);
}

void OV_SPRITE::RebuildTexcoords()
{
    float u0 = 0;
    float u1 = 1;
    if (stripCount > 0)
    {
        const auto cells = static_cast<float>(stripCount);
        u0 = std::floor(stripPosition) / cells;
        u1 = std::floor(stripPosition + 1) / cells;
    }
    vertices[0].texcoord = OV_VECTOR_F(u0, 0, 0, 1);
    vertices[1].texcoord = OV_VECTOR_F(u1, 0, 0, 1);
    vertices[2].texcoord = OV_VECTOR_F(u1, 1, 0, 1);
    vertices[3].texcoord = OV_VECTOR_F(u0, 1, 0, 1);
}

// ---- Drawing ----------------------------------------------------------------------------------

void OV_SPRITE::Draw(const OV_VECTOR& position, const OV_VECTOR& rotation,
                     const OV_VECTOR& scale) const
{
    const OvHandle frame = CurrentFrame();
    if (IsEmpty(frame))
        return;
    PushPlacement(position, rotation, scale, true);
    OvTextureActivate(frame);
    OvDrawDataStruct(OV_PRIMITIVE_QUADS, 0, 4, vertices, nullptr);
    OvMatrixPop();
}

void OV_SPRITE::DrawStretched(const OV_VECTOR_F& corner1, const OV_VECTOR_F& corner2, float u,
                              float v) const
{
    const OvHandle frame = CurrentFrame();
    if (IsEmpty(frame))
        return;
    OV_VERTEX quad[4];
    std::copy(std::begin(vertices), std::end(vertices), std::begin(quad));
    quad[0].position = OV_VECTOR_F(corner1.x, corner1.y);
    quad[1].position = OV_VECTOR_F(corner2.x, corner1.y);
    quad[2].position = OV_VECTOR_F(corner2.x, corner2.y);
    quad[3].position = OV_VECTOR_F(corner1.x, corner2.y);
    quad[0].texcoord = OV_VECTOR_F(0, 0, 0, 1);
    quad[1].texcoord = OV_VECTOR_F(u, 0, 0, 1);
    quad[2].texcoord = OV_VECTOR_F(u, v, 0, 1);
    quad[3].texcoord = OV_VECTOR_F(0, v, 0, 1);
    OvTextureActivate(frame);
    OvDrawDataStruct(OV_PRIMITIVE_QUADS, 0, 4, quad, nullptr);
}

void OV_SPRITE::DrawTiled(const OV_VECTOR_F& corner1, const OV_VECTOR_F& corner2, float factorU,
                          float factorV) const
{
    // A sprite without size has nothing to repeat (and no frame to draw).
    if (width <= 0 || height <= 0)
        return;
    const float u = (corner2.x - corner1.x) / static_cast<float>(width) * factorU;
    const float v = (corner2.y - corner1.y) / static_cast<float>(height) * factorV;
    DrawStretched(corner1, corner2, u, v);
}

// ---- Pixels -----------------------------------------------------------------------------------

void* OV_SPRITE::Lock(int32_t* outWidth, int32_t* outHeight) const
{
    const OvHandle frame = CurrentFrame();
    if (IsEmpty(frame))
        return nullptr;
    void* pixels = OvTextureLock(frame, OV_LOCK_READ_WRITE);
    if (!pixels)
        return nullptr;
    if (outWidth)
        *outWidth = TextureInt(frame, OV_TEXTURE_WIDTH);
    if (outHeight)
        *outHeight = TextureInt(frame, OV_TEXTURE_HEIGHT);
    return pixels;
}

void OV_SPRITE::Unlock(int32_t flag) const
{
    const OvHandle frame = CurrentFrame();
    if (!IsEmpty(frame))
        OvTextureUnlock(frame, flag);
}

bool OV_SPRITE::SaveFrame(const char* path) const
{
    const OvHandle frame = CurrentFrame();
    if (IsEmpty(frame))
        return false;
    const void* pixels = OvTextureLock(frame, OV_LOCK_READ_ONLY);
    if (!pixels)
        return false;
    ByteBuffer buffer;
    const int32_t size = TextureInt(frame, OV_TEXTURE_LOCKED_BYTES);
    const bool copied = size <= 0 || buffer.Write(pixels, static_cast<uint32_t>(size)) ==
                                         static_cast<uint32_t>(size);
    OvTextureUnlock(frame, 0);
    return copied && buffer.SaveFile(path);
}

bool OV_SPRITE::SavePackage(const char* packageName) const
{
    std::vector<OvHandle> locked;
    std::vector<ByteBuffer> pixels(frames.size());
    std::vector<OV_STRING> names(frames.size());
    std::vector<PackageFile> files;
    for (OvHandle frame : frames)
    {
        void* bytes = OvTextureLock(frame, OV_LOCK_READ_ONLY);
        if (!bytes)
            continue;
        const uint32_t n = static_cast<uint32_t>(locked.size());
        locked.push_back(frame);
        Borrow(pixels[n], bytes,
               static_cast<uint32_t>(std::max(0, TextureInt(frame, OV_TEXTURE_LOCKED_BYTES))));
        names[n].Format("%u", n);
        files.push_back({names[n].Text(), &pixels[n]});
    }
    const bool saved =
        PackageInfo::PackageSave(packageName, files.data(), static_cast<uint32_t>(files.size()));
    for (OvHandle frame : locked)
        OvTextureUnlock(frame, 0);
    return saved;
}

} // namespace OvCore

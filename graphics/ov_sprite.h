// OV_SPRITE, a named drawable image: one engine texture per frame, an optional strip of equal
// cells across each frame, a hotspot, a bounding box and four prepared vertices. Games load
// sprites into the application's sprite registry (Application().sprites) and draw them
// directly or through actors; the loaders hand files to the engine, which decodes them.
//
// Ownership: the record a loader filled owns its textures and destroys them in Unload and in
// its destructor. A copy (an actor's sprite taken from the registry) is borrowed: it shares
// the textures and never destroys them, so no texture can be released twice.
#pragma once

#include "core/ov_vector.h"
#include "graphics/ov_vertex.h"
#include "orvane_core.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace OvCore
{

// A sprite: frames (textures), hotspot, bounding box and the four vertices it draws with.
class OV_SPRITE
{
  public:
    static constexpr int32_t NO_FRAME = -1; // `current` when there is no current frame

    uint8_t loaded = 0;           // 1 once a loader finished; 0 again after Unload
    std::vector<OvHandle> frames; // in load order
    int32_t current = NO_FRAME;   // position in frames
    float frameIndex = -1;        // the current frame as a fractional index
    int32_t stripCount = 0;       // cells across each frame; set it before loading
    float stripPosition = 0;      // the cell drawn (integer part)
    int32_t width = 0;            // one cell, in pixels
    int32_t height = 0;           // one cell's height in pixels (the tallest frame)
    int32_t originX = 0;          // hotspot from the top-left corner
    int32_t originY = 0;          // the hotspot's y, pixels down from the top
    int32_t boxWidth = 0;         // bounding box; negative sizes default to the cell's
    int32_t boxHeight = 0;        // the box's height; negative at load means the cell's
    int32_t boxOriginX = 0;       // the hotspot's x from the box's left edge
    int32_t boxOriginY = 0;       // the hotspot's y from the box's top edge
    OV_VERTEX vertices[4];        // top-left, top-right, bottom-right, bottom-left
    bool borrowed = false;        // a copy sharing another record's textures

    OV_SPRITE();
    OV_SPRITE(const OV_SPRITE& other);                // a borrowed copy sharing the textures
    OV_SPRITE& operator=(const OV_SPRITE& other);     // drops its own textures; a borrowed copy
    OV_SPRITE(OV_SPRITE&& other) noexcept;            // takes the textures; other is left empty
    OV_SPRITE& operator=(OV_SPRITE&& other) noexcept; // drops its own textures, takes the other's
    ~OV_SPRITE();

    // Loaders append frames to those already present. Each takes the texture filters
    // (OV_FILTER_NEAREST or OV_FILTER_LINEAR) and then originX, originY, boxWidth, boxHeight,
    // boxOriginX, boxOriginY. A source the engine cannot load is skipped; only the argument
    // checks make a loader return false.
    //
    // `fileList`: paths separated by ';', one frame each (.ovt files). False when null.
    bool LoadFromFiles(const char* fileList, uint8_t flags, int32_t minFilter, int32_t magFilter,
                       int32_t originX, int32_t originY, int32_t boxWidth, int32_t boxHeight,
                       int32_t boxOriginX, int32_t boxOriginY);
    // `images`: `count` encoded images in memory (null entries skipped). `sizes`, when
    // given, holds each image's length in bytes so the engine never reads past it; without
    // it the length comes from the image's own headers. False for null images or count <= 0.
    bool LoadFromMemory(const void* const* images, int32_t count, uint8_t flags, int32_t minFilter,
                        int32_t magFilter, int32_t originX, int32_t originY, int32_t boxWidth,
                        int32_t boxHeight, int32_t boxOriginX, int32_t boxOriginY,
                        const size_t* sizes = nullptr);
    // `fileList` as for LoadFromFiles, each path an ordinary image file (PNG, BMP, JPEG, TGA,
    // GIF) decoded by graphics/image_files.h. False when null.
    bool LoadFromImageFiles(const char* fileList, int32_t minFilter, int32_t magFilter,
                            int32_t originX, int32_t originY, int32_t boxWidth, int32_t boxHeight,
                            int32_t boxOriginX, int32_t boxOriginY);
    // One frame copied from the active render target (x, y from its bottom-left).
    bool LoadFromRender(int32_t x, int32_t y, int32_t w, int32_t h, int32_t minFilter,
                        int32_t magFilter, int32_t originX, int32_t originY, int32_t boxWidth,
                        int32_t boxHeight, int32_t boxOriginX, int32_t boxOriginY);
    // One transparent frame of w x h pixels. False when w or h is not positive.
    bool LoadEmpty(int32_t w, int32_t h, int32_t minFilter, int32_t magFilter, int32_t originX,
                   int32_t originY, int32_t boxWidth, int32_t boxHeight, int32_t boxOriginX,
                   int32_t boxOriginY);

    // AddFrame appends a frame, refusing an empty handle; RemoveFrame forgets (does not destroy)
    // the first frame with the handle's texture.
    bool AddFrame(OvHandle texture);
    bool RemoveFrame(OvHandle texture);
    // Truncates the index; outside the frames there is no current frame (false).
    bool SetFrame(float index);
    // Moves by a fractional number of frames, wrapping both ways.
    void AdvanceFrame(float delta);
    // Moves the strip cell, wrapping at stripCount.
    void AdvanceStrip(float delta);
    // The number of frames.
    int32_t FrameCount() const { return static_cast<int32_t>(frames.size()); }
    // The current frame's texture; an empty handle when there is none.
    OvHandle CurrentFrame() const;
    // Hotspot at the middle of the cell.
    void CenterOrigin();
    // The colour (0..1 per channel) of all four vertices, which tints what Draw shows.
    void SetColor(float red, float green, float blue, float alpha);
    OV_VECTOR_F GetColor() const; // the top-left vertex's colour

    // Drawing; nothing happens without a current frame. Draw puts the hotspot at `position`,
    // turns by `rotation` (x is the turn in the screen plane, degrees) and scales about it;
    // it ignores the caller's model-view transform. DrawStretched and DrawTiled fill the
    // rectangle between two corners under the caller's transform, with texture coordinates
    // up to (u, v) or repeating the frame at its own pixel size times the factors.
    void Draw(const OV_VECTOR& position, const OV_VECTOR& rotation, const OV_VECTOR& scale) const;
    void DrawStretched(const OV_VECTOR_F& corner1, const OV_VECTOR_F& corner2, float u,
                       float v) const;
    void DrawTiled(const OV_VECTOR_F& corner1, const OV_VECTOR_F& corner2, float factorU,
                   float factorV) const;

    // The current frame's RGBA pixels (rows in texture order) and its size; null when there
    // is no current frame or the engine cannot lock it. Unlock's flag 1 uploads changes.
    void* Lock(int32_t* outWidth = nullptr, int32_t* outHeight = nullptr) const;
    void Unlock(int32_t flag) const;
    // Writes the current frame's raw RGBA bytes to a file.
    bool SaveFrame(const char* path) const;
    // Writes every frame that locks as a package entry of raw RGBA bytes, named by its number
    // among those frames ("0", "1", ...). True when the package was written.
    bool SavePackage(const char* packageName) const;

    // Forgets every frame; an owning record also destroys the textures unless keepTextures.
    void Unload(bool keepTextures);

  private:
    // Fills a new texture from a file; true when it did (the texture then is active).
    using FileLoader = bool (*)(OvHandle texture, const char* path, uint8_t flags);

    // Filters, then adds the frame and widens the size (steps 3 and 4 of every loader).
    void AddLoadedFrame(OvHandle texture, bool activate, int32_t minFilter, int32_t magFilter);
    // A frame for each path of a ';'-separated list that `load` can read; the others are
    // skipped.
    void AddFileFrames(const char* fileList, FileLoader load, uint8_t flags, int32_t minFilter,
                       int32_t magFilter);
    void FinishLoad(int32_t originX, int32_t originY, int32_t boxWidth, int32_t boxHeight,
                    int32_t boxOriginX, int32_t boxOriginY);
    void RebuildPositions();
    void RebuildTexcoords();
    void DestroyOwnedTextures();
    void CopyFields(const OV_SPRITE& other);
};

} // namespace OvCore

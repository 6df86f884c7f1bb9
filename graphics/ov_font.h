// OV_FONT, a bitmap font: a glyph texture, the engine display list that draws strings with
// it, and optionally the glyph descriptor read from a .fnt file (docs/formats.md). Without a
// descriptor the engine treats the texture as its built-in 16 x 16 grid font. Programs keep
// fonts in Application().fonts; the GUI draws its captions through them. Text can be aligned
// line by line about the drawing position, horizontally and vertically.
//
// A font owns its texture, display list and descriptor and releases them in Unload and in its
// destructor; it cannot be copied (hold a pointer to the registry's record instead).
#pragma once

#include "core/ov_vector.h"
#include "graphics/font_descriptor.h"
#include "orvane_core.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace OvCore
{

// A bitmap font: glyph texture, engine display list, optional descriptor and alignment.
class OV_FONT
{
  public:
    // Alignments: every line of the text relative to the drawing position.
    static constexpr int32_t ALIGN_TOP = -1, ALIGN_MIDDLE = 0, ALIGN_BOTTOM = 1;
    static constexpr int32_t ALIGN_LEFT = -1, ALIGN_CENTRE = 0, ALIGN_RIGHT = 1;

    uint8_t loaded = 0;                   // 1 after a load succeeded; 0 again after Unload
    int32_t verticalAlign = ALIGN_TOP;    // ALIGN_TOP, ALIGN_MIDDLE or ALIGN_BOTTOM
    int32_t horizontalAlign = ALIGN_LEFT; // ALIGN_LEFT, ALIGN_CENTRE or ALIGN_RIGHT
    OvHandle texture{1, nullptr};         // the glyph texture; empty while not loaded
    OvHandle displayList{1, nullptr};     // the engine's list that draws strings; empty until made
    std::unique_ptr<FONT_DESCRIPTOR> descriptor; // null: the engine's grid font

    OV_FONT() = default;
    OV_FONT(const OV_FONT&) = delete;
    OV_FONT& operator=(const OV_FONT&) = delete;
    // Takes over the other font's texture, list, descriptor and settings; the other is left
    // unloaded.
    OV_FONT(OV_FONT&& other) noexcept;
    // Unloads this font, then takes over the other's as the move constructor does.
    OV_FONT& operator=(OV_FONT&& other) noexcept;
    ~OV_FONT(); // releases what the font holds, as Unload does

    // Loaders: the glyph texture from an .ovt file (Load), an encoded image in memory
    // (LoadFromMemory; `imageSize` 0 lets the engine read the length from the image's
    // headers) or an ordinary image file (LoadImage), then the descriptor, if one is given,
    // and the display list. Lines break at `lineBreak`. A font loaded again first lets go of
    // what it held. False when the texture source is null or fails, or the descriptor cannot
    // be read (the texture is released then); false with the texture kept when the engine
    // cannot make the display list.
    bool Load(const char* texturePath, const char* descriptorPath, char lineBreak,
              int32_t minFilter, int32_t magFilter);
    // The descriptor is read only when both `descriptorText` and `descriptorLength` are set.
    bool LoadFromMemory(const void* image, const char* descriptorText, uint32_t descriptorLength,
                        char lineBreak, int32_t minFilter, int32_t magFilter, size_t imageSize = 0);
    // The glyph texture decoded from an ordinary image file (graphics/image_files.h).
    bool LoadImage(const char* imagePath, const char* descriptorPath, char lineBreak,
                   int32_t minFilter, int32_t magFilter);

    // Draws under the caller's transform, moved to `position`, turned by `rotation` (x is the
    // turn in the screen plane, degrees) and scaled; with both alignments -1 the text's
    // top-left corner is at `position`. Nothing for null text or a font that is not loaded.
    void Draw(const char* text, const OV_VECTOR& position, const OV_VECTOR& scale,
              const OV_VECTOR& rotation) const;

    // (width, height, 0, 1) of the text in unscaled pixels: the widest line, and the lines'
    // heights added up (an empty line adds nothing).
    OV_VECTOR Measure(const char* text) const;

    // Releases the texture, the display list and the descriptor.
    void Unload();

  private:
    template <class LoadTexture, class ReadDescriptor>
    bool LoadWith(char lineBreak, int32_t minFilter, int32_t magFilter, LoadTexture&& loadTexture,
                  bool withDescriptor, ReadDescriptor&& readDescriptor);
    unsigned char LineBreak() const;
    OV_VECTOR MeasureText(std::string_view text) const;
    void DrawLine(std::string_view line, const OV_VECTOR& position, const OV_VECTOR& scale,
                  const OV_VECTOR& rotation, double x, double y) const;
    void ReleaseTexture();
};

} // namespace OvCore

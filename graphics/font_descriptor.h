// FONT_DESCRIPTOR, the glyph table of a bitmap font: per character its size, offsets, advance
// and texture rectangle, read from a descriptor text file (info/common/char lines, as
// tools/ovfont writes them). OV_FONT measures text with it and hands it unchanged to the
// engine's OvGenerateFont, so its layout below is part of the engine interface.
#pragma once

#include <cstddef>
#include <cstdint>

namespace OvCore
{

// One character: sizes in pixels, then the texture coordinates of its rectangle.
struct FONT_GLYPH
{
    float width = 0;    // width of the glyph's rectangle in the texture, pixels
    float height = 0;   // height of that rectangle, pixels
    float xoffset = 0;  // pixels from the pen position to the glyph's left edge
    float yoffset = 0;  // pixels from the top of the line to the glyph's top edge
    float xadvance = 0; // pixels the pen moves on after the glyph
    float u0 = 0;       // left edge of the rectangle as a texture coordinate (0..1)
    float v0 = 0;       // top edge as a texture coordinate
    float u1 = 0;       // right edge as a texture coordinate
    float v1 = 0;       // bottom edge as a texture coordinate
};

// The glyph table of a font with its spacing and line settings, in the engine's layout.
struct FONT_DESCRIPTOR
{
    float letterSpacing = 0;     // added to every advance when measuring
    float lineSpacing = 0;       // added to the line height when measuring
    char lineBreak = 10;         // the character that ends a line (line feed by default)
    float lineHeight = 0;        // pixels from one line to the next, from the file's "common" line
    FONT_GLYPH glyphs[256] = {}; // indexed by the unsigned character code
};

// The layout the engine reads: 16 bytes of header, then 256 records of nine floats.
static_assert(sizeof(FONT_GLYPH) == 9 * sizeof(float));
static_assert(offsetof(FONT_DESCRIPTOR, lineSpacing) == 4);
static_assert(offsetof(FONT_DESCRIPTOR, lineBreak) == 8);
static_assert(offsetof(FONT_DESCRIPTOR, lineHeight) == 12);
static_assert(offsetof(FONT_DESCRIPTOR, glyphs) == 16);
static_assert(sizeof(FONT_DESCRIPTOR) == 16 + 256 * sizeof(FONT_GLYPH));

// Reads `length` bytes of descriptor text into `descriptor`: the "common" line's lineHeight
// and texture size, and every "char" line with an id of 0..255 (other ids, lines and keys are
// ignored). Texture coordinates need a "common" line with a positive scaleW and scaleH before
// the "char" lines; without one they stay 0. False for null or empty text, or lack of memory.
// Lines end at carriage returns, line feeds and zero bytes; they are read one at a time, so
// the memory a text costs is that of its longest line.
bool ParseDescriptor(FONT_DESCRIPTOR& descriptor, const char* text, uint32_t length);

// The largest descriptor file read: every glyph and kerning pair of 256 characters fits many
// times over.
constexpr uint64_t FONT_DESCRIPTOR_LARGEST_FILE = 4u << 20;

// The same for the file at `path`. False when it cannot be opened, is empty or is larger than
// FONT_DESCRIPTOR_LARGEST_FILE.
bool ReadDescriptor(FONT_DESCRIPTOR& descriptor, const char* path);

} // namespace OvCore

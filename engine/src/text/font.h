// Fonts: the display lists behind OvGenerateFont / OvDrawFont, the built-in grid font's
// metrics (states 96-99) and the line-break character of new lists (state 100). A display
// list is pure CPU data (a copy of the glyph table); drawing turns a string into quads and
// appends them to the renderer's batch, so a string of one texture is one draw call.
#pragma once

#include <cstdint>

#include "base/handle_table.h"
#include "orvane_core.h"

namespace ov
{

// The descriptor as the framework hands it over (FONT_DESCRIPTOR): floats throughout, the
// line-break byte padded to four bytes, 256 glyphs indexed by the unsigned character code.
struct FontGlyph
{
    float width, height, xoffset, yoffset, xadvance;
    float u0, v0, u1, v1;
};

struct FontDescriptor
{
    float letterSpacing;
    float lineSpacing;
    uint8_t lineBreak;
    uint8_t padding[3];
    float lineHeight;
    FontGlyph glyphs[256];
};
static_assert(sizeof(FontGlyph) == 36);
static_assert(sizeof(FontDescriptor) == OV_FONT_DESCRIPTOR_BYTES);

struct DisplayList
{
    bool grid = true;         // the built-in grid font: metrics from states 96-99
    uint8_t lineBreak = 10;   // state 100 when the list was generated
    FontDescriptor metrics{}; // descriptor fonts only; every value finite
};

// States 96-100. The grid metrics are read whenever a grid font draws, so measuring with
// OvGetState and drawing always agree.
struct FontStates
{
    double glyphWidth = 16;   // 96
    double glyphHeight = 16;  // 97
    double letterSpacing = 0; // 98
    double lineSpacing = 0;   // 99
    int32_t lineBreak = 10;   // 100: a character code 0-255
};

HandleTable<DisplayList>& displayLists();
FontStates& fontStates();

// A list made from `descriptor` (copied, non-finite values read as 0) or, when null, the
// grid font; its line break is the current state 100.
DisplayList makeDisplayList(const void* descriptor);

// Appends the quads of `text` (zero-terminated) to the batch, transformed by the model-view
// matrix, in the drawing colour.
void drawText(const DisplayList& list, const char* text);

// States 96-100: false for any other state.
bool setFontState(int32_t state, const double values[4]);
void* fontStateStorage(int32_t state);

// OvClosure: every display list goes and the states return to their defaults.
void destroyAllFonts();

} // namespace ov

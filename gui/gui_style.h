// GUI_STYLE, how a control's box looks: the box is cut into a 3 x 3 grid of areas (border
// rows and columns of the AreaSplit sizes, the middle takes the rest), each textured and
// coloured on its own; then the caption and the icon. Theme files fill styles by name
// (gui/gui_theme.cpp); the renderer draws with them.
#pragma once

#include "core/ov_vector.h"
#include "graphics/ov_vertex.h"
#include "orvane_core.h"

#include <cstdint>

namespace OvCore
{

class OV_FONT;

namespace OV_GUI
{

// The nine areas of a box, row by row from the top-left: the indexes of CONTROL::Areas and
// of the per-area fields of a style (and the Align words of a theme file).
enum GUI_AREA : int
{
    AREA_TOP_LEFT,     // 0: the corner, left split wide and top split high
    AREA_TOP,          // 1: the top edge between the corners, top split high
    AREA_TOP_RIGHT,    // 2: the corner, right split wide and top split high
    AREA_LEFT,         // 3: the left edge, left split wide
    AREA_MIDDLE,       // 4: what the splits leave (the whole box when there are none)
    AREA_RIGHT,        // 5: the right edge, right split wide
    AREA_BOTTOM_LEFT,  // 6: the corner, left split wide and bottom split high
    AREA_BOTTOM,       // 7: the bottom edge, bottom split high
    AREA_BOTTOM_RIGHT, // 8: the corner, right split wide and bottom split high
    // Nine: the length of the per-area arrays.
    AREA_COUNT
};
// The four splits in their order: the indexes of AreaSplit and AreaSplitPercent.
enum GUI_SPLIT : int
{
    SPLIT_TOP,    // 0: the height of the top row
    SPLIT_BOTTOM, // 1: the height of the bottom row
    SPLIT_LEFT,   // 2: the width of the left column
    // 3: the width of the right column.
    SPLIT_RIGHT
};

// How a control's box is drawn: the splits that cut it into nine areas, each area's texture,
// texture coordinates and corner colours, the caption's font, place and colours, and the
// icon's rectangle. Controls point at styles of their system's Styles table.
struct GUI_STYLE
{
    // The defaults: no splits, every area untextured and white with the whole texture's
    // coordinates, no font, captions white at the top-left, no border drawing.
    GUI_STYLE();

    // Texture of each area; an empty handle draws the area untextured.
    OvHandle AreaTexture[AREA_COUNT];
    // Texture coordinates (u, v) of each area's four corners, clockwise from the top-left.
    OV_VECTOR_F AreaCoords[AREA_COUNT][4];
    // Tile size in pixels of each area's texture (x across, y down); above 0 on an axis, the
    // texture repeats over the whole control's width (height) / tile, replacing AreaCoords.
    OV_VECTOR_F AreaTiled[AREA_COUNT];
    // Where the tiling starts, in pixels (x, y): the texture moves by offset / tile. Used only
    // on a tiled axis.
    OV_VECTOR_F AreaOffset[AREA_COUNT];
    // Colour (red, green, blue, alpha in 0..1) at each area's four corners, blended across.
    OV_VECTOR_F AreaColors[AREA_COUNT][4];
    OV_VECTOR_F AreaColorFilter{1, 1, 1, 1}; // white: the colours as they are
    // Sizes in pixels of the border rows and columns (top, bottom, left, right; GUI_SPLIT
    // order), or percentages of the box where AreaSplitPercent says; the middle takes the rest.
    float AreaSplit[4] = {0, 0, 0, 0};
    uint8_t AreaSplitPercent[4] = {0, 0, 0, 0}; // '%' marks a percentage
    OV_FONT* TextFont = nullptr; // an entry of the GUI_SYSTEM's Fonts; null: no caption
    // Where the caption is anchored, in pixels from the box's top-left.
    OV_VECTOR TextOffset;
    // Scale of the caption's glyphs (x, y); 1 is the font's own size.
    OV_VECTOR TextScale{1, 1, 0, 1};
    // Colour of the caption (red, green, blue, alpha in 0..1).
    OV_VECTOR TextColor{1, 1, 1, 1};
    // Colour of the caption's outline.
    OV_VECTOR TextBorderColor;
    // How far in pixels the outline's copies of the caption are moved; 0: no outline.
    float TextBorderSize = 0;
    // The outline is 4 x this many copies at equal angles around the caption; below 1: none.
    int32_t TextBorderQuality = 1;
    int32_t TextHalign = -1; // -1 left, 0 centre, 1 right
    int32_t TextValign = -1; // -1 top, 0 middle, 1 bottom
    // The icon's quad: four corners clockwise from the top-left, in pixels from the box's
    // top-left.
    OV_VECTOR_F IconRect[4];
    // The areas are drawn as outlines (their edges pulled one pixel inside), not filled.
    bool AsBorder = false;

    // The split sizes on a box of `width` x `height`: percentages taken of the height (top,
    // bottom) or the width (left, right), then limited so the borders fit the box.
    void SplitsFor(float width, float height, float out[4]) const;
};

} // namespace OV_GUI
} // namespace OvCore

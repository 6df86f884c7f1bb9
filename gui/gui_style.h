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

// Areas row by row, and the four splits in their order.
enum GUI_AREA : int
{
    AREA_TOP_LEFT,
    AREA_TOP,
    AREA_TOP_RIGHT,
    AREA_LEFT,
    AREA_MIDDLE,
    AREA_RIGHT,
    AREA_BOTTOM_LEFT,
    AREA_BOTTOM,
    AREA_BOTTOM_RIGHT,
    AREA_COUNT
};
enum GUI_SPLIT : int
{
    SPLIT_TOP,
    SPLIT_BOTTOM,
    SPLIT_LEFT,
    SPLIT_RIGHT
};

struct GUI_STYLE
{
    GUI_STYLE();

    OvHandle AreaTexture[AREA_COUNT];
    OV_VECTOR_F AreaCoords[AREA_COUNT][4];
    OV_VECTOR_F AreaTiled[AREA_COUNT];
    OV_VECTOR_F AreaOffset[AREA_COUNT];
    OV_VECTOR_F AreaColors[AREA_COUNT][4];
    OV_VECTOR_F AreaColorFilter{1, 1, 1, 1}; // white: the colours as they are
    float AreaSplit[4] = {0, 0, 0, 0};
    uint8_t AreaSplitPercent[4] = {0, 0, 0, 0}; // '%' marks a percentage
    OV_FONT* TextFont = nullptr;                // an entry of the GUI_SYSTEM's Fonts
    OV_VECTOR TextOffset;
    OV_VECTOR TextScale{1, 1, 0, 1};
    OV_VECTOR TextColor{1, 1, 1, 1};
    OV_VECTOR TextBorderColor;
    float TextBorderSize = 0;
    int32_t TextBorderQuality = 1;
    int32_t TextHalign = -1; // -1 left, 0 centre, 1 right
    int32_t TextValign = -1; // -1 top, 0 middle, 1 bottom
    OV_VECTOR_F IconRect[4];
    bool AsBorder = false;

    // The split sizes on a box of `width` x `height`: percentages taken of the height (top,
    // bottom) or the width (left, right), then limited so the borders fit the box.
    void SplitsFor(float width, float height, float out[4]) const;
};

} // namespace OV_GUI
} // namespace OvCore

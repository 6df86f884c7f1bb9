// Style defaults and the split sizes on a box.
#include "gui/gui_style.h"

#include <algorithm>

namespace OvCore
{
namespace OV_GUI
{

GUI_STYLE::GUI_STYLE()
{
    for (int area = 0; area < AREA_COUNT; ++area)
    {
        AreaTexture[area] = OvHandle{1, nullptr};
        AreaCoords[area][0] = OV_VECTOR_F(0, 0);
        AreaCoords[area][1] = OV_VECTOR_F(1, 0);
        AreaCoords[area][2] = OV_VECTOR_F(1, 1);
        AreaCoords[area][3] = OV_VECTOR_F(0, 1);
        for (OV_VECTOR_F& colour : AreaColors[area])
            colour = OV_VECTOR_F(1, 1, 1, 1);
    }
}

void GUI_STYLE::SplitsFor(float width, float height, float out[4]) const
{
    width = width > 0 ? width : 0; // also NaN
    height = height > 0 ? height : 0;
    const float across[4] = {height, height, width, width};
    for (int i = 0; i < 4; ++i)
    {
        const float split =
            AreaSplitPercent[i] == '%' ? AreaSplit[i] * across[i] / 100 : AreaSplit[i];
        out[i] = split > 0 ? split : 0; // also NaN
    }
    float& top = out[SPLIT_TOP];
    float& bottom = out[SPLIT_BOTTOM];
    float& left = out[SPLIT_LEFT];
    float& right = out[SPLIT_RIGHT];
    left = std::min(left, width);
    top = std::min(top, height);
    if (left + right > width)
        right = width - left;
    if (top + bottom > height)
        bottom = height - top;
}

} // namespace OV_GUI
} // namespace OvCore

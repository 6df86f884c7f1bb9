// The nine areas (tiling, colour filter, outlines), the caption with its outline passes and
// the icon of a styled control.
#include "gui/gui_draw_style.h"

#include "graphics/ov_font.h"
#include "graphics/ov_vector_math.h"

namespace OvCore
{
namespace OV_GUI
{

namespace
{

void DrawQuad(int32_t mode, const OV_VECTOR_F* positions, const OV_VECTOR_F* colours,
              const OV_VECTOR_F* texcoords)
{
    OvDrawData(mode, 0, 4, positions, colours, texcoords, nullptr, nullptr, 0, OV_VALUE_FLOAT, 0, 0,
               0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0);
}

// The area's texture coordinates; a tiled axis repeats the texture once per tile of the whole
// control's size, whatever the area's own size, so neighbouring areas line up.
void AreaCoords(const CONTROL& control, const GUI_STYLE& style, int area, OV_VECTOR_F out[4])
{
    for (int corner = 0; corner < 4; ++corner)
        out[corner] = style.AreaCoords[area][corner];
    const OV_VECTOR_F& tiled = style.AreaTiled[area];
    const OV_VECTOR_F& offset = style.AreaOffset[area];
    if (tiled.x > 0)
    {
        const float n = control.Size.x / tiled.x, o = offset.x / tiled.x;
        out[0].x = out[3].x = o;
        out[1].x = out[2].x = o + n;
    }
    if (tiled.y > 0)
    {
        const float m = control.Size.y / tiled.y, p = offset.y / tiled.y;
        out[0].y = out[1].y = p;
        out[2].y = out[3].y = p + m;
    }
}

void AreaColours(const GUI_STYLE& style, int area, OV_VECTOR_F out[4])
{
    const OV_VECTOR_F& filter = style.AreaColorFilter;
    for (int corner = 0; corner < 4; ++corner)
    {
        const OV_VECTOR_F& c = style.AreaColors[area][corner];
        out[corner] = OV_VECTOR_F(c.x * filter.x, c.y * filter.y, c.z * filter.z, c.w * filter.w);
    }
}

void TextAt(const OV_FONT& font, const CONTROL& control, const GUI_STYLE& style,
            const OV_VECTOR& at)
{
    font.Draw(control.Text.Text(), at, style.TextScale, OV_VECTOR(0, 0, 0, 0));
}

void SetColour(const OV_VECTOR& colour)
{
    OvSetState(OV_STATE_DRAW_COLOUR, colour.x, colour.y, colour.z, colour.w);
}

} // namespace

void DrawAreas(const CONTROL& control, const GUI_STYLE& style)
{
    for (int area = 0; area < AREA_COUNT; ++area)
    {
        if (style.AreaTexture[area].object)
            OvTextureActivate(style.AreaTexture[area]);
        else
            OvTextureUnactivate(OV_TEXTURE_2D);
        OV_VECTOR_F coords[4], colours[4], positions[4];
        AreaCoords(control, style, area, coords);
        AreaColours(style, area, colours);
        for (int corner = 0; corner < 4; ++corner)
            positions[corner] = control.Areas[area][corner];
        if (style.AsBorder)
        {
            // The lines fall inside the box: the left edge in by one pixel, the bottom up.
            positions[0].x += 1, positions[3].x += 1;
            positions[2].y -= 1, positions[3].y -= 1;
        }
        DrawQuad(style.AsBorder ? OV_PRIMITIVE_LINE_LOOP : OV_PRIMITIVE_QUADS, positions, colours,
                 coords);
    }
}

void DrawCaption(const CONTROL& control, const GUI_STYLE& style)
{
    OV_FONT* font = style.TextFont;
    if (!font || !control.Text.Text()[0])
        return;
    const int32_t horizontal = font->horizontalAlign, vertical = font->verticalAlign;
    font->horizontalAlign = style.TextHalign;
    font->verticalAlign = style.TextValign;
    const OV_VECTOR_F& topLeft = control.TopLeft();
    const OV_VECTOR anchor(style.TextOffset.x + topLeft.x, style.TextOffset.y + topLeft.y,
                           style.TextOffset.z + topLeft.z, style.TextOffset.w + topLeft.w);
    if (style.TextBorderSize > 0 && style.TextBorderQuality >= 1)
    {
        SetColour(style.TextBorderColor);
        const int steps = style.TextBorderQuality * 4;
        for (int i = 0; i < steps; ++i)
        {
            const OV_VECTOR shift =
                Lengthdir(OV_VECTOR(i * 360.0 / steps, 0, 0), style.TextBorderSize);
            TextAt(*font, control, style,
                   OV_VECTOR(anchor.x + shift.x, anchor.y + shift.y, anchor.z + shift.z, anchor.w));
        }
    }
    SetColour(style.TextColor);
    TextAt(*font, control, style, anchor);
    font->horizontalAlign = horizontal;
    font->verticalAlign = vertical;
}

void DrawIcon(const CONTROL& control, const GUI_STYLE& style)
{
    if (!control.Icon.object)
        return;
    static const OV_VECTOR_F WHOLE_TEXTURE[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    OvTextureActivate(control.Icon);
    OvMatrixPush();
    const OV_VECTOR_F& topLeft = control.TopLeft();
    OvMatrixTranslate(topLeft.x, topLeft.y, topLeft.z);
    DrawQuad(OV_PRIMITIVE_QUADS, style.IconRect, nullptr, WHOLE_TEXTURE);
    OvMatrixPop();
}

} // namespace OV_GUI
} // namespace OvCore

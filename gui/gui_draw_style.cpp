// The nine areas (tiling, colour filter, outlines), the caption with its outline passes and
// the icon of a styled control.
#include "gui/gui_draw_style.h"

#include "graphics/ov_font.h"
#include "graphics/ov_vector_math.h"

#include <algorithm>
#include <cmath>

namespace OvCore
{
namespace OV_GUI
{

namespace
{

void DrawQuads(int32_t mode, int32_t vertices, const OV_VECTOR_F* positions,
               const OV_VECTOR_F* colours, const OV_VECTOR_F* texcoords)
{
    OvDrawData(mode, 0, vertices, positions, colours, texcoords, nullptr, nullptr, 0,
               OV_VALUE_FLOAT, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0);
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

void Include(GUI_CLIP& bounds, double x, double y)
{
    bounds.minimum.x = std::min(bounds.minimum.x, x);
    bounds.minimum.y = std::min(bounds.minimum.y, y);
    bounds.maximum.x = std::max(bounds.maximum.x, x);
    bounds.maximum.y = std::max(bounds.maximum.y, y);
}

// The left (top) edge of text `size` long placed at `anchor` with `align` -1, 0 or 1.
double AlignedStart(double anchor, double size, int32_t align)
{
    return align < 0 ? anchor : align == 0 ? anchor - size / 2 : anchor - size;
}

void IncludeCaption(GUI_CLIP& bounds, const CONTROL& control, const GUI_STYLE& style)
{
    const OV_FONT* font = style.TextFont;
    if (!font || !control.Text.Text()[0])
        return;
    const OV_VECTOR size = font->Measure(control.Text.Text());
    const double width = std::fabs(size.x * style.TextScale.x);
    const double height = std::fabs(size.y * style.TextScale.y);
    const OV_VECTOR_F& topLeft = control.TopLeft();
    const double left = AlignedStart(topLeft.x + style.TextOffset.x, width, style.TextHalign);
    const double top = AlignedStart(topLeft.y + style.TextOffset.y, height, style.TextValign);
    const double reach =
        1 + (style.TextBorderQuality >= 1 ? std::max(0.0, double(style.TextBorderSize)) : 0);
    Include(bounds, left - reach, top - reach);
    Include(bounds, left + width + reach, top + height + reach);
}

} // namespace

GUI_CLIP DrawnBounds(const CONTROL& control, const GUI_STYLE& style)
{
    GUI_CLIP bounds{OV_VECTOR(HUGE_VAL, HUGE_VAL, 0, 1), OV_VECTOR(-HUGE_VAL, -HUGE_VAL, 0, 1)};
    for (const auto& area : control.Areas)
        for (const OV_VECTOR_F& corner : area)
            Include(bounds, corner.x, corner.y);
    if (style.AsBorder) // a line on an edge lights the pixels on either side of it
    {
        bounds.minimum.x -= 1, bounds.minimum.y -= 1;
        bounds.maximum.x += 1, bounds.maximum.y += 1;
    }
    IncludeCaption(bounds, control, style);
    if (control.Icon.object)
        for (const OV_VECTOR_F& corner : style.IconRect)
            Include(bounds, control.TopLeft().x + corner.x, control.TopLeft().y + corner.y);
    return bounds;
}

void DrawAreas(const CONTROL& control, const GUI_STYLE& style)
{
    // Areas in a row that share a texture go to the engine as one draw of filled quads;
    // outlines are one line loop each.
    OV_VECTOR_F coords[AREA_COUNT * 4], colours[AREA_COUNT * 4], positions[AREA_COUNT * 4];
    for (int area = 0; area < AREA_COUNT; ++area)
    {
        OV_VECTOR_F* at = positions + area * 4;
        AreaCoords(control, style, area, coords + area * 4);
        AreaColours(style, area, colours + area * 4);
        for (int corner = 0; corner < 4; ++corner)
            at[corner] = control.Areas[area][corner];
        if (style.AsBorder)
        {
            // The lines fall inside the box: the left edge in by one pixel, the bottom up.
            at[0].x += 1, at[3].x += 1;
            at[2].y -= 1, at[3].y -= 1;
        }
    }
    for (int first = 0; first < AREA_COUNT;)
    {
        const OvHandle& texture = style.AreaTexture[first];
        int end = first + 1;
        while (!style.AsBorder && end < AREA_COUNT &&
               style.AreaTexture[end].object == texture.object)
            ++end;
        if (texture.object)
            OvTextureActivate(texture);
        else
            OvTextureUnactivate(OV_TEXTURE_2D);
        DrawQuads(style.AsBorder ? OV_PRIMITIVE_LINE_LOOP : OV_PRIMITIVE_QUADS, (end - first) * 4,
                  positions + first * 4, colours + first * 4, coords + first * 4);
        first = end;
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
    DrawQuads(OV_PRIMITIVE_QUADS, 4, style.IconRect, nullptr, WHOLE_TEXTURE);
    OvMatrixPop();
}

} // namespace OV_GUI
} // namespace OvCore

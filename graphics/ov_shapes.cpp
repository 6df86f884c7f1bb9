#include "graphics/ov_shapes.h"

#include "graphics/ov_vector_math.h"

#include <vector>

namespace OvCore
{

namespace
{

bool IsEmpty(OvHandle handle)
{
    return (handle.flags & 0xFFu) != 0 || handle.object == nullptr;
}

void BindTexture(OvHandle texture)
{
    if (IsEmpty(texture))
        OvTextureUnactivate(OV_TEXTURE_2D);
    else
        OvTextureActivate(texture);
}

void ResetColour()
{
    OvSetState(OV_STATE_DRAW_COLOUR, 1, 1, 1, 1);
}

// One OvDrawData call over arrays of double vectors (four components each).
void DrawArrays(int32_t mode, int32_t count, const OV_VECTOR* positions, const OV_VECTOR* colours,
                const OV_VECTOR* texCoords)
{
    OvDrawData(mode, 0, count, positions, colours, texCoords, nullptr, nullptr, 0, OV_VALUE_DOUBLE,
               0, 0, 0, 0, 4, 4, 4);
}

// One vertex of an immediate primitive: its texture coordinate, its colour, its position.
void PutVertex(const OV_VECTOR& texCoord, const OV_VECTOR& colour, const OV_VECTOR& position)
{
    OvPutTexvertex(texCoord.x, texCoord.y, texCoord.z, texCoord.w);
    OvSetState(OV_STATE_DRAW_COLOUR, colour.x, colour.y, colour.z, colour.w);
    OvPutVertex(position.x, position.y, position.z, position.w);
}

void DrawImmediate(int32_t mode, size_t count, const OV_VECTOR* positions, const OV_VECTOR* colours,
                   const OV_VECTOR* texCoords)
{
    OvPrimitiveBegin(mode);
    for (size_t i = 0; i < count; ++i)
        PutVertex(texCoords[i], colours[i], positions[i]);
    OvPrimitiveEnd();
}

void Submit(bool useArrays, int32_t mode, size_t count, const OV_VECTOR* positions,
            const OV_VECTOR* colours, const OV_VECTOR* texCoords)
{
    if (useArrays)
        DrawArrays(mode, static_cast<int32_t>(count), positions, colours, texCoords);
    else
        DrawImmediate(mode, count, positions, colours, texCoords);
}

OV_VECTOR Plus(const OV_VECTOR& a, const OV_VECTOR& b)
{
    return OV_VECTOR(a.x + b.x, a.y + b.y, a.z + b.z, a.w);
}

} // namespace

void OV_TRIANGLE::Draw(const OV_VECTOR& position) const
{
    BindTexture(texture);
    OvMatrixPush();
    OvMatrixTranslate(position.x, position.y, position.z);
    DrawArrays(filled ? OV_PRIMITIVE_TRIANGLES : OV_PRIMITIVE_LINE_LOOP, 3, points, colors,
               texCoords);
    OvMatrixPop();
    ResetColour();
}

void OV_RECTANGLE::Draw(const OV_VECTOR& position, bool useArrays) const
{
    BindTexture(texture);
    const double x = position.x, y = position.y;
    const OV_VECTOR corners[4] = {{x + corner1.x, y + corner1.y},
                                  {x + corner2.x, y + corner1.y},
                                  {x + corner2.x, y + corner2.y},
                                  {x + corner1.x, y + corner2.y}};
    static const OV_VECTOR texCoords[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    Submit(useArrays, filled ? OV_PRIMITIVE_QUADS : OV_PRIMITIVE_LINE_LOOP, 4, corners, colors,
           texCoords);
    ResetColour();
}

void OV_CIRCLE::Draw(const OV_VECTOR& center, float startAngle, bool useArrays) const
{
    if (segments < MIN_SEGMENTS || segments > MAX_SEGMENTS)
        return;
    BindTexture(texture);
    const double step = 360.0 / segments;
    const OV_VECTOR middle(0.5, 0.5, 0, 1);
    std::vector<OV_VECTOR> positions, texCoords, colours;
    const size_t count = filled ? size_t(segments) + 2 : size_t(segments);
    positions.reserve(count);
    texCoords.reserve(count);
    colours.reserve(count);
    if (filled)
    {
        positions.push_back(center);
        texCoords.push_back(middle);
        colours.push_back(centerColor);
    }
    const int32_t last = filled ? segments : segments - 1;
    for (int32_t i = 0; i <= last; ++i)
    {
        positions.push_back(Plus(center, Lengthdir({step * i + startAngle, 0, 0}, radius)));
        texCoords.push_back(Plus(middle, Lengthdir({step * i, 0, 0}, 0.5)));
        colours.push_back(rimColor);
    }
    Submit(useArrays, filled ? OV_PRIMITIVE_TRIANGLE_FAN : OV_PRIMITIVE_LINE_LOOP, count,
           positions.data(), colours.data(), texCoords.data());
    ResetColour();
}

} // namespace OvCore

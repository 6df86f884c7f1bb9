// Small 2D shapes: a triangle, a rectangle and a circle (a regular polygon), each optionally
// textured, filled or outlined, with a colour per vertex. Rectangles and circles go to the
// engine either as arrays in one OvDrawData call or vertex by vertex between
// OvPrimitiveBegin and OvPrimitiveEnd (useArrays). Every Draw leaves the drawing colour
// white again.
#pragma once

#include "core/ov_vector.h"
#include "orvane_core.h"

#include <cstdint>

namespace OvCore
{

// A triangle of three points with a texture coordinate and a colour at each.
class OV_TRIANGLE
{
  public:
    uint8_t filled = 0;           // 1 fills the triangle; 0 draws its outline
    OvHandle texture{1, nullptr}; // empty: untextured
    OV_VECTOR points[3];          // the corners, relative to the drawing position
    OV_VECTOR texCoords[3];       // the texture coordinate (x, y in 0..1) of each corner
    OV_VECTOR colors[3];          // the colour of each corner (red, green, blue, alpha)

    // The points are relative to `position` (a translation of the model-view transform).
    void Draw(const OV_VECTOR& position) const;
};

// An axis-aligned rectangle between two corners, the whole texture over it.
class OV_RECTANGLE
{
  public:
    uint8_t filled = 0;           // 1 fills the rectangle; 0 draws its outline
    OvHandle texture{1, nullptr}; // empty: untextured
    OV_VECTOR corner1;            // opposite corners relative to the drawing position
    OV_VECTOR corner2;            // the corner opposite corner1
    OV_VECTOR colors[4];          // (x1, y1), (x2, y1), (x2, y2), (x1, y2)

    // The corners are offset by position.x and position.y directly, not through a matrix.
    void Draw(const OV_VECTOR& position, bool useArrays) const;
};

// A regular polygon about a centre, filled as a fan or drawn as its rim.
class OV_CIRCLE
{
  public:
    // Circles of fewer than MIN_SEGMENTS or more than MAX_SEGMENTS segments draw nothing.
    static constexpr int32_t MIN_SEGMENTS = 3;
    static constexpr int32_t MAX_SEGMENTS = 65536;

    float radius = 0;                  // from the centre to the rim points
    int32_t segments = 0;              // rim points, MIN_SEGMENTS..MAX_SEGMENTS
    uint8_t filled = 0;                // 1 fills the polygon; 0 draws its rim
    OvHandle texture{1, nullptr};      // empty: untextured; the texture's middle at the centre
    OV_VECTOR centerColor{0, 0, 0, 0}; // the centre vertex's colour (filled circles only)
    OV_VECTOR rimColor{0, 0, 0, 0};    // every rim point's colour

    // Filled: a fan from a centre vertex through segments + 1 rim points (the first repeated
    // to close it); outline: a loop through the segments rim points. The first rim point lies
    // at `startAngle` degrees; the texture does not turn with it.
    void Draw(const OV_VECTOR& center, float startAngle, bool useArrays) const;
};

} // namespace OvCore

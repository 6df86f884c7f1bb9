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

class OV_TRIANGLE
{
  public:
    uint8_t filled = 0;
    OvHandle texture{1, nullptr}; // empty: untextured
    OV_VECTOR points[3];
    OV_VECTOR texCoords[3];
    OV_VECTOR colors[3];

    // The points are relative to `position` (a translation of the model-view transform).
    void Draw(const OV_VECTOR& position) const;
};

class OV_RECTANGLE
{
  public:
    uint8_t filled = 0;
    OvHandle texture{1, nullptr};
    OV_VECTOR corner1; // opposite corners relative to the drawing position
    OV_VECTOR corner2;
    OV_VECTOR colors[4]; // (x1, y1), (x2, y1), (x2, y2), (x1, y2)

    // The corners are offset by position.x and position.y directly, not through a matrix.
    void Draw(const OV_VECTOR& position, bool useArrays) const;
};

class OV_CIRCLE
{
  public:
    // Circles of fewer than MIN_SEGMENTS or more than MAX_SEGMENTS segments draw nothing.
    static constexpr int32_t MIN_SEGMENTS = 3;
    static constexpr int32_t MAX_SEGMENTS = 65536;

    float radius = 0;
    int32_t segments = 0;
    uint8_t filled = 0;
    OvHandle texture{1, nullptr};
    OV_VECTOR centerColor{0, 0, 0, 0};
    OV_VECTOR rimColor{0, 0, 0, 0};

    // Filled: a fan from a centre vertex through segments + 1 rim points (the first repeated
    // to close it); outline: a loop through the segments rim points. The first rim point lies
    // at `startAngle` degrees; the texture does not turn with it.
    void Draw(const OV_VECTOR& center, float startAngle, bool useArrays) const;
};

} // namespace OvCore

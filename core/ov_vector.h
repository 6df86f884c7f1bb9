// OV_VECTOR, the framework's four-component double vector (x, y, z, w), default (0, 0, 0, 1):
// positions, sizes, rotation triples (degrees) and colours (red, green, blue, alpha) across
// the framework and games.
#pragma once

namespace OvCore
{

// Four doubles (x, y, z, w), default (0, 0, 0, 1); as a colour (red, green, blue, alpha) in 0..1.
struct OV_VECTOR
{
    // Horizontal position or size, or red; in a rotation triple the turn in the screen plane.
    double x = 0;
    // Vertical position or size, or green; in a rotation triple the turn about the Y axis.
    double y = 0;
    // Depth, or blue; in a rotation triple the turn about the X axis (applied first).
    double z = 0;
    double w = 1; // 1 unless set; alpha for a colour

    constexpr OV_VECTOR() = default;
    // The vector (x0, y0, z0, w0).
    constexpr OV_VECTOR(double x0, double y0, double z0 = 0, double w0 = 1)
        : x(x0), y(y0), z(z0), w(w0)
    {
    }

    // Equal when all four components are equal.
    constexpr bool operator==(const OV_VECTOR&) const = default;
};

} // namespace OvCore

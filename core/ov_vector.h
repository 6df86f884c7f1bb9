// OV_VECTOR, the framework's four-component double vector (x, y, z, w), default (0, 0, 0, 1):
// positions, sizes, rotation triples (degrees) and colours (red, green, blue, alpha) across
// the framework and games.
#pragma once

namespace OvCore
{

struct OV_VECTOR
{
    double x = 0;
    double y = 0;
    double z = 0;
    double w = 1;

    constexpr OV_VECTOR() = default;
    constexpr OV_VECTOR(double x0, double y0, double z0 = 0, double w0 = 1)
        : x(x0), y(y0), z(z0), w(w0)
    {
    }

    constexpr bool operator==(const OV_VECTOR&) const = default;
};

} // namespace OvCore

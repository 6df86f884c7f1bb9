// Vector helpers. angleX turns in the screen plane from +X towards +Y (clockwise on a screen
// whose y grows downwards); angleY lifts the direction towards +Z.
#include <cmath>
#include <numbers>

#include "api/guard.h"
#include "orvane_core.h"

namespace
{

constexpr double kDegrees = 180.0 / std::numbers::pi;

} // namespace

extern "C"
{

    OV_API void OvLengthdir(double angleX, double angleY, double, double length, double* out)
    {
        ov::guard(
            [&]
            {
                if (!out)
                    return;
                const double turn = angleX / kDegrees, lift = angleY / kDegrees;
                out[0] = length * std::cos(lift) * std::cos(turn);
                out[1] = length * std::cos(lift) * std::sin(turn);
                out[2] = length * std::sin(lift);
            });
    }

    OV_API void OvDirection(double fromX, double fromY, double fromZ, double, double toX,
                            double toY, double toZ, double, double* out)
    {
        ov::guard(
            [&]
            {
                if (!out)
                    return;
                const double dx = toX - fromX, dy = toY - fromY, dz = toZ - fromZ;
                double turn = std::atan2(dy, dx) * kDegrees;
                if (turn < 0)
                    turn += 360;
                out[0] = turn;
                out[1] = std::atan2(dz, std::hypot(dx, dy)) * kDegrees;
                out[2] = 0;
            });
    }

} // extern "C"

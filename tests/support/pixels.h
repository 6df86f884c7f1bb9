// The one pixel type of the tests: 8-bit RGBA as the engine stores it (texture locks, render
// read-back, .ovt images), with the colours the drawing tests use and a rasteriser tolerance.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <ostream>

namespace OvTest
{

struct Rgba
{
    uint8_t r = 0, g = 0, b = 0, a = 255;
    bool operator==(const Rgba&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Rgba& c)
{
    return out << "(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ", " << int(c.a)
               << ")";
}

constexpr Rgba RED{255, 0, 0, 255};
constexpr Rgba GREEN{0, 255, 0, 255};
constexpr Rgba BLUE{0, 0, 255, 255};
constexpr Rgba WHITE{255, 255, 255, 255};
constexpr Rgba BLACK{0, 0, 0, 255};

// True when the red, green and blue channels are each within `tolerance` (rasterisers
// differ in the last bit); alpha is not compared.
inline bool Near(const Rgba& a, const Rgba& b, int tolerance = 3)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

} // namespace OvTest

#include "core/ov_math.h"

#include <algorithm>
#include <cstdlib>

namespace OvCore
{

double DegToRad(double degrees)
{
    return degrees * OV_PI / 180.0;
}

double RadToDeg(double radians)
{
    return radians * 180.0 / OV_PI;
}

float DegToRad(float degrees)
{
    return degrees * OV_PI_F / 180.0f;
}

float RadToDeg(float radians)
{
    return radians * 180.0f / OV_PI_F;
}

double Random(double x)
{
    return (std::rand() % 1000) / 1000.0 * x;
}

double Lerp(double a, double b, double t)
{
    return a + (b - a) * std::clamp(t, 0.0, 1.0);
}

void SetBit(uint8_t* bytes, uint32_t bit)
{
    bytes[bit / 8] |= static_cast<uint8_t>(1u << (bit % 8));
}

void ClearBit(uint8_t* bytes, uint32_t bit)
{
    bytes[bit / 8] &= static_cast<uint8_t>(~(1u << (bit % 8)));
}

bool TestBit(const uint8_t* bytes, uint32_t bit)
{
    return (bytes[bit / 8] >> (bit % 8)) & 1u;
}

double ColourChannel(uint32_t packed, char letter)
{
    int shift;
    switch (letter)
    {
    case 'R':
    case 'r':
        shift = 0;
        break;
    case 'G':
    case 'g':
        shift = 8;
        break;
    case 'B':
    case 'b':
        shift = 16;
        break;
    case 'A':
    case 'a':
        shift = 24;
        break;
    default:
        return 0.0;
    }
    return ((packed >> shift) & 0xFFu) / 255.0;
}

} // namespace OvCore

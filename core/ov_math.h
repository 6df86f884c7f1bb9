// Small math helpers of the framework: random numbers, interpolation, degree conversions,
// bit helpers and packed-colour channels. Used throughout the framework and by games.
#pragma once

#include <cstdint>

namespace OvCore
{

// Pi in double and in float precision, for the degree conversions and for games.
constexpr double OV_PI = 3.141592653589793;
constexpr float OV_PI_F = 3.1415927f;

// Degrees to radians and back, in double and in float (angles in the framework are degrees).
double DegToRad(double degrees);
double RadToDeg(double radians);
float DegToRad(float degrees);
float RadToDeg(float radians);

// (rand() mod 1000) / 1000 * x: 1000 steps from 0 up to 0.999 * x. Seed with srand.
double Random(double x);

// a + (b - a) * t, with t clamped to [0, 1].
double Lerp(double a, double b, double t);

// Bit `bit` of a byte array: byte bit / 8, bit bit % 8, least significant first.
void SetBit(uint8_t* bytes, uint32_t bit);
void ClearBit(uint8_t* bytes, uint32_t bit);
bool TestBit(const uint8_t* bytes, uint32_t bit);

// One channel of a colour packed as 0xAABBGGRR, in 0..1. `letter` is R, G, B or A in either
// case; any other letter gives 0.
double ColourChannel(uint32_t packed, char letter);

} // namespace OvCore

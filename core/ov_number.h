// OV_NUMBER, the framework's number: one double with arithmetic, comparisons against any
// built-in number (widened to double) and truncating conversions. The number payload of
// OV_VALUE; used by layout variables and expressions.
#pragma once

#include <concepts>
#include <cstdint>

namespace OvCore
{

struct OV_NUMBER
{
    double value = 0.0;

    OV_NUMBER() = default;
    OV_NUMBER(double v) : value(v) {}

    OV_NUMBER operator+(OV_NUMBER other) const { return value + other.value; }
    OV_NUMBER operator-(OV_NUMBER other) const { return value - other.value; }
    OV_NUMBER operator*(OV_NUMBER other) const { return value * other.value; }
    OV_NUMBER operator/(OV_NUMBER other) const { return value / other.value; }
    OV_NUMBER& operator+=(OV_NUMBER other) { return *this = *this + other; }
    OV_NUMBER& operator-=(OV_NUMBER other) { return *this = *this - other; }
    OV_NUMBER& operator*=(OV_NUMBER other) { return *this = *this * other; }
    OV_NUMBER& operator/=(OV_NUMBER other) { return *this = *this / other; }

    bool operator==(OV_NUMBER other) const { return value == other.value; }
    // double, float and 8/16/32-bit integers, signed or not: compared as doubles.
    template <class T>
    requires std::integral<T> || std::floating_point<T>
    bool operator==(T other) const { return value == static_cast<double>(other); }

    // Truncating conversions. Values outside the 32-bit range, and NaN, give INT32_MIN (the
    // processor's "integer indefinite") instead of undefined behaviour; the 16-bit and byte
    // forms keep the low bits of the 32-bit result.
    float ToFloat() const { return static_cast<float>(value); }
    int32_t ToInt32() const;
    int16_t ToInt16() const { return static_cast<int16_t>(ToInt32()); }
    uint8_t ToByte() const { return static_cast<uint8_t>(ToInt32()); }
    explicit operator bool() const { return value != 0.0; }
};

} // namespace OvCore

// OV_NUMBER, the framework's number: one double with arithmetic, comparisons against any
// built-in number (widened to double) and truncating conversions. The number payload of
// OV_VALUE; used by layout variables and expressions.
#pragma once

#include <concepts>
#include <cstdint>

namespace OvCore
{

// A double with arithmetic, comparisons and truncating conversions; implicitly made from a double.
struct OV_NUMBER
{
    double value = 0.0; // the number itself

    OV_NUMBER() = default;
    // Wraps `v`; implicit, so a double passes wherever a number is asked for.
    OV_NUMBER(double v) : value(v) {}

    // The sum as doubles.
    OV_NUMBER operator+(OV_NUMBER other) const { return value + other.value; }
    // The difference as doubles.
    OV_NUMBER operator-(OV_NUMBER other) const { return value - other.value; }
    // The product as doubles.
    OV_NUMBER operator*(OV_NUMBER other) const { return value * other.value; }
    // The quotient as doubles; dividing by zero gives an infinity or NaN.
    OV_NUMBER operator/(OV_NUMBER other) const { return value / other.value; }
    // Adds `other` in place.
    OV_NUMBER& operator+=(OV_NUMBER other) { return *this = *this + other; }
    // Subtracts `other` in place.
    OV_NUMBER& operator-=(OV_NUMBER other) { return *this = *this - other; }
    // Multiplies by `other` in place.
    OV_NUMBER& operator*=(OV_NUMBER other) { return *this = *this * other; }
    // Divides by `other` in place.
    OV_NUMBER& operator/=(OV_NUMBER other) { return *this = *this / other; }

    // Equal when the doubles are equal (NaN equals nothing).
    bool operator==(OV_NUMBER other) const { return value == other.value; }
    // double, float and 8/16/32-bit integers, signed or not: compared as doubles.
    template <class T>
    requires std::integral<T> || std::floating_point<T>
    bool operator==(T other) const { return value == static_cast<double>(other); }

    // ToFloat gives the nearest float; the others truncate toward zero. Values outside the 32-bit
    // range, and NaN, give INT32_MIN (the processor's "integer indefinite") instead of undefined
    // behaviour; the 16-bit and byte forms keep the low bits of the 32-bit result.
    float ToFloat() const { return static_cast<float>(value); }
    // Toward zero; INT32_MIN outside the 32-bit range and for NaN.
    int32_t ToInt32() const;
    // The low 16 bits of ToInt32.
    int16_t ToInt16() const { return static_cast<int16_t>(ToInt32()); }
    // The low 8 bits of ToInt32.
    uint8_t ToByte() const { return static_cast<uint8_t>(ToInt32()); }
    // True for any value but 0 and -0 (NaN is true).
    explicit operator bool() const { return value != 0.0; }
};

} // namespace OvCore

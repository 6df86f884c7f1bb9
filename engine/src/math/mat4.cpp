#include "math/mat4.h"

#include <cmath>
#include <numbers>

namespace ov
{

Mat4 Mat4::operator*(const Mat4& right) const
{
    Mat4 out;
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row)
        {
            double sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += at(row, k) * right.at(k, column);
            out.at(row, column) = sum;
        }
    return out;
}

void Mat4::translate(double x, double y, double z)
{
    for (int row = 0; row < 4; ++row)
        m[12 + row] += m[row] * x + m[4 + row] * y + m[8 + row] * z;
}

void Mat4::scale(double x, double y, double z)
{
    for (int row = 0; row < 4; ++row)
    {
        m[row] *= x;
        m[4 + row] *= y;
        m[8 + row] *= z;
    }
}

namespace
{

// Right-multiplies a rotation in the plane of columns a and b (about the third axis).
void rotatePlane(Mat4& matrix, int a, int b, double c, double s)
{
    for (int row = 0; row < 4; ++row)
    {
        const double first = matrix.m[a * 4 + row];
        const double second = matrix.m[b * 4 + row];
        matrix.m[a * 4 + row] = first * c + second * s;
        matrix.m[b * 4 + row] = second * c - first * s;
    }
}

} // namespace

void Mat4::rotate(double degrees, double x, double y, double z)
{
    if (degrees == 0)
        return;
    const double radians = degrees * std::numbers::pi / 180.0;
    const double c = std::cos(radians), s = std::sin(radians);
    // A rotation about one of the axes (the screen-plane turn of every sprite) touches two
    // columns and needs no normalising.
    if (x == 0 && y == 0 && z != 0)
        return rotatePlane(*this, 0, 1, c, z > 0 ? s : -s);
    if (x == 0 && z == 0 && y != 0)
        return rotatePlane(*this, 2, 0, c, y > 0 ? s : -s);
    if (y == 0 && z == 0 && x != 0)
        return rotatePlane(*this, 1, 2, c, x > 0 ? s : -s);
    const double length = std::sqrt(x * x + y * y + z * z);
    if (length == 0 || !std::isfinite(length))
        return;
    x /= length, y /= length, z /= length;
    Mat4 r;
    const double t = 1 - c;
    r.at(0, 0) = x * x * t + c, r.at(0, 1) = x * y * t - z * s, r.at(0, 2) = x * z * t + y * s;
    r.at(1, 0) = y * x * t + z * s, r.at(1, 1) = y * y * t + c, r.at(1, 2) = y * z * t - x * s;
    r.at(2, 0) = z * x * t - y * s, r.at(2, 1) = z * y * t + x * s, r.at(2, 2) = z * z * t + c;
    *this = *this * r;
}

Mat4 orthoMatrix(double left, double right, double bottom, double top, double zNear, double zFar)
{
    Mat4 out;
    if (right == left || top == bottom || zFar == zNear)
        return out;
    out.at(0, 0) = 2 / (right - left);
    out.at(1, 1) = 2 / (top - bottom);
    out.at(2, 2) = -2 / (zFar - zNear);
    out.at(0, 3) = -(right + left) / (right - left);
    out.at(1, 3) = -(top + bottom) / (top - bottom);
    out.at(2, 3) = -(zFar + zNear) / (zFar - zNear);
    return out;
}

Mat4 perspectiveMatrix(double fovYDegrees, double aspect, double zNear, double zFar)
{
    Mat4 out;
    const double f = 1 / std::tan(fovYDegrees * std::numbers::pi / 360.0);
    if (!std::isfinite(f) || aspect == 0 || zFar == zNear)
        return out;
    out.at(0, 0) = f / aspect;
    out.at(1, 1) = f;
    out.at(2, 2) = (zFar + zNear) / (zNear - zFar);
    out.at(2, 3) = 2 * zFar * zNear / (zNear - zFar);
    out.at(3, 2) = -1;
    out.at(3, 3) = 0;
    return out;
}

} // namespace ov

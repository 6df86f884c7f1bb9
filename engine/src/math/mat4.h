// A 4x4 double matrix in OpenGL's column-major order, with the few operations the engine's
// matrix stacks and cameras need. Translate, rotate and scale multiply on the right, as the
// fixed-function matrix calls do, and take cheap paths for the cases sprites hit.
#pragma once

#include <array>

namespace ov
{

struct Mat4
{
    std::array<double, 16> m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    static Mat4 identity() { return {}; }
    bool isIdentity() const { return *this == Mat4{}; }
    double& at(int row, int column) { return m[column * 4 + row]; }
    double at(int row, int column) const { return m[column * 4 + row]; }
    bool operator==(const Mat4&) const = default;

    Mat4 operator*(const Mat4& right) const;
    void translate(double x, double y, double z);
    void scale(double x, double y, double z);
    // Degrees about the axis (x, y, z); a zero angle or a zero axis changes nothing.
    void rotate(double degrees, double x, double y, double z);
};

Mat4 orthoMatrix(double left, double right, double bottom, double top, double zNear, double zFar);
Mat4 perspectiveMatrix(double fovYDegrees, double aspect, double zNear, double zFar);

} // namespace ov

#include "math/camera.h"

namespace ov
{

Mat4 orthoLens(const OrthoCamera& c)
{
    return orthoMatrix(-c.width / 2, c.width / 2, c.height / 2, -c.height / 2, c.zNear, c.zFar);
}

Mat4 orthoFull(const OrthoCamera& c)
{
    Mat4 out = orthoLens(c);
    out.rotate(-c.angle, 0, 0, 1);
    out.translate(-(c.x + c.width / 2), -(c.y + c.height / 2), 0);
    return out;
}

Mat4 perspectiveLens(const PerspectiveCamera& c)
{
    Mat4 out = perspectiveMatrix(c.fovY, c.aspect, c.zNear, c.zFar);
    if (c.yDown)
        out.scale(1, -1, 1);
    return out;
}

Mat4 perspectiveFull(const PerspectiveCamera& c)
{
    // The inverse of translate(eye) * Rx(roll) * Ry(pitch) * Rz(turn).
    Mat4 out = perspectiveLens(c);
    out.rotate(-c.turn, 0, 0, 1);
    out.rotate(-c.pitch, 0, 1, 0);
    out.rotate(-c.roll, 1, 0, 0);
    out.translate(-c.x, -c.y, -c.z);
    return out;
}

} // namespace ov

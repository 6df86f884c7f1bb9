#include "graphics/ov_vector_math.h"

#include "orvane_core.h"

namespace OvCore
{

OV_VECTOR Lengthdir(const OV_VECTOR& angles, double length)
{
    double out[4] = {0, 0, 0, 1};
    OvLengthdir(angles.x, angles.y, angles.z, length, out);
    return OV_VECTOR(out[0], out[1], out[2], out[3]);
}

OV_VECTOR Direction(const OV_VECTOR& from, const OV_VECTOR& to)
{
    double out[4] = {0, 0, 0, 1};
    OvDirection(from.x, from.y, from.z, from.w, to.x, to.y, to.z, to.w, out);
    return OV_VECTOR(out[0], out[1], out[2], out[3]);
}

void PushPlacement(const OV_VECTOR& position, const OV_VECTOR& rotation, const OV_VECTOR& scale,
                   bool fromIdentity)
{
    OvMatrixPush();
    if (fromIdentity)
        OvMatrixIdentity();
    OvMatrixTranslate(position.x, position.y, position.z);
    OvMatrixRotate(rotation.z, 1, 0, 0);
    OvMatrixRotate(rotation.y, 0, 1, 0);
    OvMatrixRotate(rotation.x, 0, 0, 1);
    OvMatrixScale(scale.x, scale.y, scale.z);
}

} // namespace OvCore

#include "graphics/ov_camera.h"

#include "orvane_core.h"

namespace OvCore
{

void OV_CAMERA::Apply() const
{
    if (perspective)
        OvCameraPerspective(angles.x, angles.y, angles.z, angles.w, position.x, position.y,
                            position.z, position.w, perspectiveFlag);
    else
        OvCameraOrtho(position.x, position.y, width, height, angles.x);
}

void OV_CAMERA::Build(double* out) const
{
    if (perspective)
        OvCameraPerspectiveBuild(angles.x, angles.y, angles.z, angles.w, position.x, position.y,
                                 position.z, position.w, perspectiveFlag, out);
    else
        OvCameraOrthoBuild(position.x, position.y, width, height, angles.x, out);
}

void OV_CAMERA::BuildHalf(double* out) const
{
    if (perspective)
        OvCameraPerspectiveBuildHalf(angles.x, angles.y, angles.z, angles.w, position.x, position.y,
                                     position.z, position.w, perspectiveFlag, out);
    else
        OvCameraOrthoBuildHalf(position.x, position.y, width, height, angles.x, out);
}

void SetTargetPair(double first, double second)
{
    const auto* target = static_cast<const OvHandle*>(OvGetState(OV_STATE_ACTIVE_TARGET));
    if (!target)
        return;
    if (auto* field = static_cast<double*>(OvRenderTargetGet(*target, OV_TARGET_NEAR)))
        *field = first;
    if (auto* field = static_cast<double*>(OvRenderTargetGet(*target, OV_TARGET_FAR)))
        *field = second;
}

} // namespace OvCore

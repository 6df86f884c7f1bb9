// The matrix stacks and the cameras. Model-view changes stay on the CPU; a projection change
// flushes the batch drawn under the old one.
#include <algorithm>
#include <cmath>

#include "api/guard.h"
#include "base/engine.h"
#include "math/camera.h"
#include "orvane_core.h"

using namespace ov;

namespace
{

template <class F> void editCurrent(F&& edit)
{
    Engine& e = engine();
    edit(e.matrices.current());
    if (e.matrices.mode() == MatrixMode::Projection)
        e.renderer.setProjection(e.matrices.projection());
}

bool finite(std::initializer_list<double> values)
{
    for (double value : values)
        if (!std::isfinite(value))
            return false;
    return true;
}

OrthoCamera orthoCamera(double x, double y, double width, double height, double angle)
{
    OrthoCamera camera{x, y, width, height, angle};
    if (const RenderTarget* target = engine().activeTarget)
    {
        camera.zNear = target->orthoNear;
        camera.zFar = target->orthoFar;
    }
    return camera;
}

PerspectiveCamera perspectiveCamera(double turn, double pitch, double roll, double fov, double x,
                                    double y, double z, int32_t flags)
{
    PerspectiveCamera camera;
    camera.turn = turn, camera.pitch = pitch, camera.roll = roll;
    camera.x = x, camera.y = y, camera.z = z;
    camera.yDown = flags & 1;
    if (const RenderTarget* target = engine().activeTarget)
    {
        camera.fovY = target->fieldOfView;
        camera.zNear = target->planes[0];
        camera.zFar = target->planes[1];
        const auto& viewport = target->viewport;
        camera.aspect = target->aspect > 0 ? target->aspect
                        : viewport[3] > 0  ? double(viewport[2]) / viewport[3]
                                           : 1;
    }
    if (fov > 0 && fov < 180)
        camera.fovY = fov;
    return camera;
}

void loadProjection(const Mat4& projection)
{
    Engine& e = engine();
    e.matrices.top(MatrixMode::Projection) = projection;
    e.renderer.setProjection(projection);
}

void copyOut(const Mat4& matrix, double* out)
{
    if (out)
        std::copy(matrix.m.begin(), matrix.m.end(), out);
}

} // namespace

extern "C"
{

    OV_API void OvMatrixPush(void)
    {
        guard([] { engine().matrices.push(); });
    }

    OV_API void OvMatrixPop(void)
    {
        guard(
            []
            {
                if (engine().matrices.pop())
                    editCurrent([](Mat4&) {});
            });
    }

    OV_API void OvMatrixIdentity(void)
    {
        guard([] { editCurrent([](Mat4& m) { m = Mat4{}; }); });
    }

    OV_API void OvMatrixTranslate(double x, double y, double z)
    {
        guard(
            [&]
            {
                if (finite({x, y, z}))
                    editCurrent([&](Mat4& m) { m.translate(x, y, z); });
            });
    }

    OV_API void OvMatrixRotate(double angle, double x, double y, double z)
    {
        guard(
            [&]
            {
                if (angle != 0 && finite({angle, x, y, z}))
                    editCurrent([&](Mat4& m) { m.rotate(angle, x, y, z); });
            });
    }

    OV_API void OvMatrixScale(double x, double y, double z)
    {
        guard(
            [&]
            {
                if ((x != 1 || y != 1 || z != 1) && finite({x, y, z}))
                    editCurrent([&](Mat4& m) { m.scale(x, y, z); });
            });
    }

    OV_API void OvMatrixMode(int32_t mode)
    {
        guard([&] { engine().matrices.setModeCode(mode); });
    }

    OV_API void OvMatrixLoad(const double* matrix)
    {
        guard(
            [&]
            {
                if (matrix)
                    editCurrent([&](Mat4& m) { std::copy(matrix, matrix + 16, m.m.begin()); });
            });
    }

    OV_API void OvMatrixSave(int32_t mode, double* matrix)
    {
        guard(
            [&]
            {
                if (const auto which = matrixModeFromCode(mode))
                    copyOut(engine().matrices.top(*which), matrix);
            });
    }

    OV_API void OvCameraOrtho(double x, double y, double width, double height, double angle)
    {
        guard([&] { loadProjection(orthoFull(orthoCamera(x, y, width, height, angle))); });
    }

    OV_API void OvCameraPerspective(double turn, double pitch, double roll, double fov, double x,
                                    double y, double z, double, int32_t flags)
    {
        guard(
            [&] {
                loadProjection(
                    perspectiveFull(perspectiveCamera(turn, pitch, roll, fov, x, y, z, flags)));
            });
    }

    OV_API void OvCameraOrthoBuild(double x, double y, double width, double height, double angle,
                                   double* out)
    {
        guard([&] { copyOut(orthoFull(orthoCamera(x, y, width, height, angle)), out); });
    }

    OV_API void OvCameraPerspectiveBuild(double turn, double pitch, double roll, double fov,
                                         double x, double y, double z, double, int32_t flags,
                                         double* out)
    {
        guard(
            [&] {
                copyOut(perspectiveFull(perspectiveCamera(turn, pitch, roll, fov, x, y, z, flags)),
                        out);
            });
    }

    OV_API void OvCameraOrthoBuildHalf(double x, double y, double width, double height,
                                       double angle, double* out)
    {
        guard([&] { copyOut(orthoLens(orthoCamera(x, y, width, height, angle)), out); });
    }

    OV_API void OvCameraPerspectiveBuildHalf(double turn, double pitch, double roll, double fov,
                                             double x, double y, double z, double, int32_t flags,
                                             double* out)
    {
        guard(
            [&] {
                copyOut(perspectiveLens(perspectiveCamera(turn, pitch, roll, fov, x, y, z, flags)),
                        out);
            });
    }

} // extern "C"

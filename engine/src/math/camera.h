// Camera matrices. Each camera is a lens (the "half": projection alone, centred on the
// camera) times a placement (the inverse of the camera's position and rotation); the engine
// loads lens x placement into the projection stack.
#pragma once

#include <cstdint>

#include "math/mat4.h"

namespace ov
{

struct OrthoCamera
{
    double x = 0, y = 0, width = 1, height = 1; // world rectangle, y growing downwards
    double angle = 0;                           // degrees the camera turns about its centre
    double zNear = -1, zFar = 1;
};

struct PerspectiveCamera
{
    double turn = 0, pitch = 0, roll = 0; // degrees about Z, Y, X
    double fovY = 45;                     // degrees
    double x = 0, y = 0, z = 0;           // eye
    double aspect = 1, zNear = 1, zFar = 10000;
    bool yDown = false; // screen y grows downwards
};

Mat4 orthoLens(const OrthoCamera& camera);
Mat4 orthoFull(const OrthoCamera& camera);
Mat4 perspectiveLens(const PerspectiveCamera& camera);
Mat4 perspectiveFull(const PerspectiveCamera& camera);

} // namespace ov

// OV_CAMERA, the projection a program applies once per frame before drawing: orthographic
// (a world rectangle of width x height at `position`, turned by angles.x) or perspective.
// The application keeps one (Application().camera); Tarnvale applies an 800 x 600
// orthographic camera every frame.
#pragma once

#include "core/ov_vector.h"

#include <cstdint>

namespace OvCore
{

// The projection: an orthographic world rectangle or a perspective eye.
struct OV_CAMERA
{
    float width = 0;              // visible width in world units
    float height = 0;             // visible height in world units, y growing downwards
    OV_VECTOR position;           // orthographic: the rectangle's top left; perspective: the eye
    OV_VECTOR angles{0, 0, 0, 0}; // perspective: turn, pitch, roll, field of view
    uint8_t perspectiveFlag = 0;  // handed to the engine with a perspective camera
    uint8_t perspective = 0;      // 1 selects the perspective projection

    // Sets the engine's projection.
    void Apply() const;
    // The same projection into a caller's 16 doubles (column-major); BuildHalf leaves out
    // the camera's own position and turn.
    void Build(double* out) const;
    void BuildHalf(double* out) const;
};

// Writes two doubles into fields 445 and 446 of the active render target (the perspective
// near and far planes of this engine).
void SetTargetPair(double first, double second);

} // namespace OvCore

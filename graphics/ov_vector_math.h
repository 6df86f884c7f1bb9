// Vector helpers on the engine's angle convention (degrees): the displacement of a length
// along a direction, and the direction from one point to another. Actors move with them
// (Tarnvale's player adds Lengthdir, its cars subtract it).
#pragma once

#include "core/ov_vector.h"

namespace OvCore
{

// The vector of `length` along `angles`: angles.x turns in the screen plane from +X towards
// +Y, angles.y lifts towards +Z. w is 1.
OV_VECTOR Lengthdir(const OV_VECTOR& angles, double length);
// The angles pointing from `from` to `to` (x in [0, 360), y in [-90, 90]).
OV_VECTOR Direction(const OV_VECTOR& from, const OV_VECTOR& to);

// Pushes the model-view matrix and applies the framework's placement: translate to
// `position`, turn about X by rotation.z, Y by rotation.y and Z by rotation.x, then scale.
// `fromIdentity` replaces the current matrix first (sprites and models are placed in world
// coordinates; text is drawn on top of the caller's transform). The caller pops.
void PushPlacement(const OV_VECTOR& position, const OV_VECTOR& rotation, const OV_VECTOR& scale,
                   bool fromIdentity);

} // namespace OvCore

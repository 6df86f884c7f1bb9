// Movement shared by Tarnvale's actors (player.cpp, cars.cpp): stepping a position along a
// heading with the engine's Lengthdir convention, and keeping view "main" centred on the
// actor the player controls.
#pragma once

#include "core/ov_vector.h"

// The half size of view "main" (800 x 600): the controlled actor sits in its middle.
inline constexpr double VIEW_HALF_WIDTH = 400;
inline constexpr double VIEW_HALF_HEIGHT = 300;

// position += Lengthdir((angle, 0, 0, 0), length) in x, y and z; w stays as it is.
void StepAlong(OvCore::OV_VECTOR& position, double angle, double length);
// Puts the top-left corner of view "main" so that `position` is in its middle.
void CentreViewOn(const OvCore::OV_VECTOR& position);

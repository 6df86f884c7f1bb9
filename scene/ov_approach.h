// Approach helpers for actors and points: move toward a target by a step, or by a step that
// shrinks within `ease` of the target so the mover slows down as it arrives. x, y and z take
// part (distances are Euclidean over them); w is left as it is. A step of 0 or less, or a
// mover already at its target, never moves.
#pragma once

#include "core/ov_vector.h"

namespace OvCore
{

class OV_ACTOR;

// Moves the actor's position `step` units toward `target`, stopping on it; nothing for null.
void MoveActorTowards(OV_ACTOR* actor, const OV_VECTOR& target, double step);
// `out` becomes `from` moved `step` units toward `to`, never past it.
void MoveTowards(OV_VECTOR& out, const OV_VECTOR& from, const OV_VECTOR& to, double step);
// The eased forms: within `ease` units of the target the step shrinks in proportion to the
// distance left. `ease` must be greater than 0; otherwise nothing moves.
void MoveActorTowardsEased(OV_ACTOR* actor, const OV_VECTOR& target, double step, double ease);
void MoveTowardsEased(OV_VECTOR& out, const OV_VECTOR& from, const OV_VECTOR& to, double step,
                      double ease);

} // namespace OvCore

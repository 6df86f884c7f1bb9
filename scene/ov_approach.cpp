#include "scene/ov_approach.h"

#include "scene/ov_actor.h"

#include <algorithm>
#include <cmath>

namespace OvCore
{

namespace
{

double Distance(const OV_VECTOR& from, const OV_VECTOR& to)
{
    return std::sqrt((to.x - from.x) * (to.x - from.x) + (to.y - from.y) * (to.y - from.y) +
                     (to.z - from.z) * (to.z - from.z));
}

// `from` moved `length` along the direction to `to`; w kept. `distance` is non-zero.
OV_VECTOR Advance(const OV_VECTOR& from, const OV_VECTOR& to, double distance, double length)
{
    const double t = length / distance;
    return OV_VECTOR(from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t,
                     from.z + (to.z - from.z) * t, from.w);
}

// The point after one eased or plain step; `from` itself when nothing moves.
OV_VECTOR Step(const OV_VECTOR& from, const OV_VECTOR& to, double step, double ease)
{
    const double distance = Distance(from, to);
    if (!(step > 0) || distance == 0 || !(ease > 0))
        return from;
    double length = std::min(distance, step);
    if (std::isfinite(ease))
        length *= std::min(ease, distance) / ease;
    return Advance(from, to, distance, length);
}

constexpr double NO_EASE = INFINITY;

} // namespace

void MoveActorTowards(OV_ACTOR* actor, const OV_VECTOR& target, double step)
{
    if (actor)
        actor->position = Step(actor->position, target, step, NO_EASE);
}

void MoveTowards(OV_VECTOR& out, const OV_VECTOR& from, const OV_VECTOR& to, double step)
{
    out = Step(from, to, step, NO_EASE);
}

void MoveActorTowardsEased(OV_ACTOR* actor, const OV_VECTOR& target, double step, double ease)
{
    if (actor)
        actor->position = Step(actor->position, target, step, ease);
}

void MoveTowardsEased(OV_VECTOR& out, const OV_VECTOR& from, const OV_VECTOR& to, double step,
                      double ease)
{
    out = Step(from, to, step, ease);
}

} // namespace OvCore

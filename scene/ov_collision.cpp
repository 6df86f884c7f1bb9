// Collision queries and depth order over the live actors of the scene.
#include "scene/ov_scene_part.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

namespace OvCore
{

namespace
{

struct Box
{
    double left, top, right, bottom;
};

// The sprite's bounding box at the actor's position and scale (rotation ignored); false for
// an actor without a sprite.
bool ActorBox(const OV_ACTOR& actor, const OV_VECTOR& offset, Box& box)
{
    const auto* actor2d = dynamic_cast<const OV_ACTOR2D*>(&actor);
    if (!actor2d)
        return false;
    const OV_SPRITE& sprite = actor2d->sprite;
    const double x1 = actor.position.x + offset.x - sprite.boxOriginX * actor.scale.x;
    const double y1 = actor.position.y + offset.y - sprite.boxOriginY * actor.scale.y;
    const double x2 = x1 + sprite.boxWidth * actor.scale.x;
    const double y2 = y1 + sprite.boxHeight * actor.scale.y;
    // A negative scale mirrors the box; it still covers the same ground.
    box = {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
    return true;
}

bool BoxesCollide(const OV_ACTOR& actor, const OV_ACTOR& other, const OV_VECTOR& offset)
{
    Box a, b;
    if (!ActorBox(actor, offset, a) || !ActorBox(other, OV_VECTOR(), b))
        return false;
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool CirclesCollide(const OV_ACTOR& actor, const OV_ACTOR& other)
{
    const double dx = other.position.x - actor.position.x;
    const double dy = other.position.y - actor.position.y;
    const double dz = other.position.z - actor.position.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz) < actor.rotation.w + other.rotation.w;
}

bool Collide(int32_t mode, const OV_ACTOR& actor, const OV_ACTOR& other, const OV_VECTOR& offset)
{
    switch (mode)
    {
    case OV_COLLISION_BOX:
        return BoxesCollide(actor, other, offset);
    case OV_COLLISION_CIRCLE:
        return CirclesCollide(actor, other);
    default:
        return false;
    }
}

bool NameIs(const OV_ACTOR& actor, const char* name)
{
    return std::strncmp(actor.key.name, name, OV_ACTOR_KEY::NameField) == 0;
}

} // namespace

OV_ACTOR* OV_SCENE_PART::FindCollision(int32_t mode, const OV_ACTOR* actor, const char* name,
                                       const OV_VECTOR& offset) const
{
    if (!actor)
        return nullptr;
    for (auto entry : actors)
    {
        OV_ACTOR& other = **entry;
        if (name && !NameIs(other, name))
            continue;
        if (Collide(mode, *actor, other, offset))
            return &other;
    }
    return nullptr;
}

void OV_SCENE_PART::SortActorsByDepth()
{
    if (actors.IsPinned())
    {
        sortDeferred_ = true; // the walk standing on the nodes sorts when it is over
        return;
    }
    struct Held
    {
        OV_REGISTRY_KEY key;
        std::unique_ptr<OV_ACTOR> actor;
    };
    std::vector<Held> held;
    for (auto entry : actors)
    {
        Held item{{}, std::move(*entry)};
        std::memcpy(item.key.name, entry.Name(), std::strlen(entry.Name()));
        item.key.index = entry.Index();
        held.push_back(std::move(item));
    }
    // Adjacent swaps until a pass makes none: the greatest depth first, equal depths (and
    // depths that do not compare, such as NaN) keep their order.
    for (bool swapped = true; swapped;)
    {
        swapped = false;
        for (size_t i = 1; i < held.size(); ++i)
            if (held[i - 1].actor->depth < held[i].actor->depth)
            {
                std::swap(held[i - 1], held[i]);
                swapped = true;
            }
    }
    actors.Clear(); // the nodes hold nothing now; the id counter keeps running
    for (Held& item : held)
        *actors.Append(item.key.name, item.key.index) = std::move(item.actor);
}

} // namespace OvCore

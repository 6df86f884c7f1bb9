// Actors: the game objects the scene updates and draws every frame. A program derives from
// OV_ACTOR (or OV_ACTOR2D with a sprite, OV_ACTOR3D with a model), overrides Update and
// Draw, creates it with new and hands it to Application().AddActor, which owns it from then
// on and deletes it after RemoveActor or in ReleaseAll. The scene never copies an actor.
#pragma once

#include "core/ov_vector.h"
#include "graphics/ov_model3d.h"
#include "graphics/ov_sprite.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace OvCore
{

// An actor's name and id: the name collision queries filter by (SetActorName) and the id
// AddActor assigns.
struct OV_ACTOR_KEY
{
    static constexpr uint32_t NameField = 124; // bytes of the name field, NUL padding included
    static constexpr uint32_t MaxName = 122;   // longer names are refused
    char name[NameField] = {};                 // the name, NUL-padded
    int32_t id = 0;                            // unique per scene, in the order actors were added
};

// A game object of the scene: a place, a turn, a scale and a depth, and its Update and Draw.
class OV_ACTOR
{
  public:
    OV_ACTOR() = default;
    OV_ACTOR(const OV_ACTOR&) = delete; // the scene holds actors by pointer only
    OV_ACTOR& operator=(const OV_ACTOR&) = delete;
    virtual ~OV_ACTOR() = default;
    // Once per update tick, in list order; the base does nothing.
    virtual void Update() {}
    // Once per drawn view on each render tick, in list order; the base does nothing.
    virtual void Draw() {}

    OV_ACTOR_KEY key;               // name and id, written by AddActor and SetActorName
    float depth = 0;                // SortActorsByDepth draws the greatest depth first
    OV_VECTOR position;             // (0, 0, 0, 1)
    OV_VECTOR rotation{0, 0, 0, 0}; // x: turn in the screen plane (degrees); w: the radius
                                    // of circle collisions (FindCollision mode 8)
    OV_VECTOR scale{1, 1, 1, 1};    // x and y scale the sprite and its bounding box
    // An owned list the scene leaves alone, for the program's own use.
    std::vector<std::unique_ptr<OV_ACTOR>> auxiliary;
};

// An actor drawn through a sprite. A derived constructor copies the registry's sprite into
// `sprite`: the copy is borrowed, so the registry's textures outlive the actor.
class OV_ACTOR2D : public OV_ACTOR
{
  public:
    OV_SPRITE sprite; // usually a borrowed copy of a registry sprite

    // Draws `sprite` at the actor's position, rotation and scale.
    void DrawSprite() const { sprite.Draw(position, rotation, scale); }
};

// An actor carrying a 3D model, released with the actor.
class OV_ACTOR3D : public OV_ACTOR
{
  public:
    MODEL3D model; // owned by the actor
};

} // namespace OvCore

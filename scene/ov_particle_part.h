// The particles' and soft bodies' part of OV_APPLICATION: the emitters by name, each with
// its scene fields (drawn behind or in front of its owner actor, or on its own; the callback
// its update hands each particle), and the soft-body models by name. The composition root
// (app/) updates the emitters after the actors, draws them around the actors in every view,
// draws the soft bodies after the actors, clears the owner of an emitter when its actor is
// destroyed, and releases both in ReleaseAll. Programs reach it as Application().emitters and
// Application().softBodies; the scene and the layers above as ParticlePart().
#pragma once

#include "core/ov_registry.h"
#include "graphics/ov_emitter.h"
#include "scene/ov_actor.h"
#include "scene/ov_dna_model.h"

#include <cstdint>

namespace OvCore
{

// An emitter as the scene keeps it.
class OV_SCENE_EMITTER : public OV_EMITTER
{
  public:
    uint8_t drawBehind = 0;                          // before its owner's Draw (or the actors')
    OV_ACTOR* owner = nullptr;                       // drawn with this actor; null: on its own
    OV_PARTICLE_CALLBACK particleCallback = nullptr; // handed to Update each frame
};

// The scene's share of OV_APPLICATION for particles and soft bodies.
class OV_PARTICLE_PART
{
  public:
    OV_PARTICLE_PART() = default;
    OV_PARTICLE_PART(const OV_PARTICLE_PART&) = delete;
    OV_PARTICLE_PART& operator=(const OV_PARTICLE_PART&) = delete;

    OV_REGISTRY<OV_SCENE_EMITTER> emitters; // updated each update tick, drawn in each view
    OV_REGISTRY<OV_DNA_MODEL> softBodies;   // drawn in each view after the actors

    // Every emitter's Update(particleCallback, false), in registry order.
    void UpdateEmitters();
    // The emitters owned by `owner` (null: those with no owner) whose drawBehind equals
    // `behind`.
    void DrawEmitters(const OV_ACTOR* owner, bool behind);
    // Every soft-body model's Draw, which also advances its simulation.
    void DrawSoftBodies();
    // Emitters owned by `actor` go on alone: the actor is about to be destroyed.
    void ForgetEmitterOwner(const OV_ACTOR* actor);
    // Every emitter goes on alone: all actors are about to be destroyed.
    void ForgetEmitterOwners();

    // The releases of ReleaseAll: every emitter emptied and the registry cleared; every
    // soft body destroyed and the registry cleared.
    void ReleaseEmitters();
    void ReleaseSoftBodies();

  protected:
    ~OV_PARTICLE_PART() = default;
};

// The process's particle part: the one inside Application(), bound by the composition root.
OV_PARTICLE_PART& ParticlePart();

} // namespace OvCore

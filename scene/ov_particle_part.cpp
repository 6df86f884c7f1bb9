#include "scene/ov_particle_part.h"

namespace OvCore
{

// Callbacks may add or remove emitters: the pinned registry keeps removed ones alive until
// the walk is over.
void OV_PARTICLE_PART::UpdateEmitters()
{
    OV_REGISTRY<OV_SCENE_EMITTER>::Pin pin(emitters);
    for (auto emitter : emitters)
        emitter->Update(emitter->particleCallback, false);
}

void OV_PARTICLE_PART::DrawEmitters(const OV_ACTOR* owner, bool behind)
{
    OV_REGISTRY<OV_SCENE_EMITTER>::Pin pin(emitters);
    for (auto emitter : emitters)
        if (emitter->owner == owner && (emitter->drawBehind != 0) == behind)
            emitter->Draw();
}

void OV_PARTICLE_PART::DrawSoftBodies()
{
    OV_REGISTRY<OV_DNA_MODEL>::Pin pin(softBodies);
    for (auto body : softBodies)
        body->Draw();
}

void OV_PARTICLE_PART::ForgetEmitterOwner(const OV_ACTOR* actor)
{
    for (auto emitter : emitters)
        if (emitter->owner == actor)
            emitter->owner = nullptr;
}

void OV_PARTICLE_PART::ForgetEmitterOwners()
{
    for (auto emitter : emitters)
        emitter->owner = nullptr;
}

void OV_PARTICLE_PART::ReleaseEmitters()
{
    for (auto emitter : emitters)
        emitter->Clear();
    emitters.Clear();
}

void OV_PARTICLE_PART::ReleaseSoftBodies()
{
    softBodies.Clear(); // each model destroys its body
}

} // namespace OvCore

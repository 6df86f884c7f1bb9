// The scene part: adding and removing actors, the scene's pieces of the frame (updates,
// draws, pending actors going live, queued actors destroyed, timers) and its releases.
#include "scene/ov_scene_part.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace OvCore
{

namespace
{

bool Holds(const OV_ACTOR_REGISTRY& registry, const OV_ACTOR* actor)
{
    for (auto entry : registry)
        if (entry->get() == actor)
            return true;
    return false;
}

// A view must not go on following an actor that no longer exists.
void ForgetFollowed(OV_REGISTRY<OV_VIEW>& views, const OV_ACTOR* actor)
{
    for (auto view : views)
        if (view->follow == actor)
            view->follow = nullptr;
}

void BringPendingActorsLive(OV_SCENE_PART& scene)
{
    for (auto entry : scene.pendingActors)
        *scene.actors.Append(entry.Name(), entry.Index()) = std::move(*entry);
    scene.pendingActors.Clear();
}

void DestroyLiveActor(OV_SCENE_PART& scene, OV_ACTOR* actor)
{
    for (auto entry : scene.actors)
    {
        if (entry->get() != actor)
            continue;
        ForgetFollowed(scene.views, actor);
        scene.actors.Remove(entry); // deletes the actor
        // Its destructor may have queued itself again; a later actor could get its address.
        std::erase(scene.removalQueue, actor);
        return;
    }
}

// Actors queued while these are destroyed (by their destructors) wait for the next frame.
void DestroyQueuedActors(OV_SCENE_PART& scene)
{
    std::vector<OV_ACTOR*> queue;
    queue.swap(scene.removalQueue);
    for (OV_ACTOR* actor : queue)
        DestroyLiveActor(scene, actor); // an actor queued twice is gone the second time
}

void AdvanceTimers(OV_REGISTRY<OV_TIMER>& timers, float delta)
{
    // The next entry is taken first: a callback may remove its own timer.
    for (auto entry = timers.First(); entry;)
    {
        const auto next = entry.Next();
        entry->Advance(delta);
        entry = next;
    }
}

} // namespace

OV_ACTOR* OV_SCENE_PART::AddActor(const char* name, OV_ACTOR* actor)
{
    if (!actor || !OV_ACTOR_REGISTRY::NameFits(name))
        return nullptr;
    // Owned twice would mean deleted twice.
    if (Holds(actors, actor) || Holds(pendingActors, actor))
        return nullptr;
    const int32_t id = static_cast<int32_t>(actors.NextId());
    pendingActors.Append(name, id)->reset(actor);
    actor->key.id = id;
    return actor;
}

bool OV_SCENE_PART::SetActorName(OV_ACTOR* actor, const char* name)
{
    if (!actor || !name || std::strlen(name) > OV_ACTOR_KEY::MaxName)
        return false;
    std::memset(actor->key.name, 0, sizeof actor->key.name);
    std::memcpy(actor->key.name, name, std::strlen(name));
    return true;
}

void OV_SCENE_PART::RemoveActor(OV_ACTOR* actor)
{
    if (actor)
        removalQueue.push_back(actor);
}

void OV_SCENE_PART::UpdateActors()
{
    for (auto entry : actors)
        (*entry)->Update();
}

void OV_SCENE_PART::DrawActors()
{
    for (auto entry : actors)
        (*entry)->Draw();
}

void OV_SCENE_PART::EndFrame(float delta)
{
    BringPendingActorsLive(*this);
    DestroyQueuedActors(*this);
    AdvanceTimers(timers, delta);
}

void OV_SCENE_PART::ReleaseActors()
{
    // Every actor once: the queue only names actors the registries own. 3D actors release
    // their models as they go.
    removalQueue.clear();
    actors.Clear();
    pendingActors.Clear();
}

void OV_SCENE_PART::ReleaseViews()
{
    currentView = OV_ENTRY<OV_VIEW>();
    views.Clear();
}

void OV_SCENE_PART::ReleaseTimers()
{
    timers.Clear();
}

} // namespace OvCore

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

// A callback may remove any timer, or clear them all: removed timers are not advanced.
void AdvanceTimers(OV_REGISTRY<OV_TIMER>& timers, float delta)
{
    OV_REGISTRY<OV_TIMER>::Pin pin(timers);
    for (auto entry : timers)
        entry->Advance(delta);
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
    WalkActors(&OV_ACTOR::Update);
}

void OV_SCENE_PART::DrawActors(const AROUND_DRAW& around)
{
    WalkActors(&OV_ACTOR::Draw, around);
}

// An actor may remove actors, release the scene or reorder it from its Update or Draw: the
// pinned registry keeps the nodes until the walk is over, and a reorder waits for its end.
void OV_SCENE_PART::WalkActors(void (OV_ACTOR::*step)(), const AROUND_DRAW& around)
{
    {
        OV_ACTOR_REGISTRY::Pin pin(actors);
        for (auto entry : actors)
        {
            OV_ACTOR& actor = **entry;
            if (around)
                around(actor, true);
            (actor.*step)();
            if (around)
                around(actor, false);
        }
    }
    if (sortDeferred_ && !actors.IsPinned())
    {
        sortDeferred_ = false;
        SortActorsByDepth();
    }
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
    // their models as they go. Destructors that add actors get a few more rounds; what they
    // queue names actors that are gone, so the queue is emptied last.
    for (int round = 0; round < 8 && !(actors.IsEmpty() && pendingActors.IsEmpty()); ++round)
    {
        actors.Clear();
        pendingActors.Clear();
    }
    removalQueue.clear();
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

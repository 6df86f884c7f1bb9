// The scene of OV_APPLICATION: adding and removing actors, the per-frame scene step (update
// pass, draw pass over the active views, pending actors going live, queued actors
// destroyed, timers) and ReleaseAll.
#include "core/ov_application.h"

#include "core/ov_loop.h"

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

void UpdatePass(OV_APPLICATION& app)
{
    if (app.updateHook)
        app.updateHook();
    for (auto entry : app.actors)
        (*entry)->Update();
}

// The hooks round the actors; emitters and soft bodies join in here once they exist.
void DrawSequence(OV_APPLICATION& app)
{
    if (app.beforeDrawHook)
        app.beforeDrawHook();
    for (auto entry : app.actors)
        (*entry)->Draw();
    if (app.afterDrawHook)
        app.afterDrawHook();
}

// Once into every active view, or once as it is when there are no views.
void DrawPass(OV_APPLICATION& app)
{
    if (app.views.IsEmpty())
    {
        DrawSequence(app);
        return;
    }
    for (auto view : app.views)
    {
        if (!view->active)
            continue;
        app.currentView = view;
        view->Begin();
        DrawSequence(app);
        OV_VIEW::End();
    }
    app.currentView = OV_ENTRY<OV_VIEW>();
}

void BringPendingActorsLive(OV_APPLICATION& app)
{
    for (auto entry : app.pendingActors)
        *app.actors.Append(entry.Name(), entry.Index()) = std::move(*entry);
    app.pendingActors.Clear();
}

// A view must not go on following an actor that no longer exists.
void ForgetFollowed(OV_APPLICATION& app, const OV_ACTOR* actor)
{
    for (auto view : app.views)
        if (view->follow == actor)
            view->follow = nullptr;
}

void DestroyLiveActor(OV_APPLICATION& app, OV_ACTOR* actor)
{
    for (auto entry : app.actors)
    {
        if (entry->get() != actor)
            continue;
        ForgetFollowed(app, actor);
        app.actors.Remove(entry); // deletes the actor
        // Its destructor may have queued itself again; a later actor could get its address.
        std::erase(app.removalQueue, actor);
        return;
    }
}

// Actors queued while these are destroyed (by their destructors) wait for the next frame.
void DestroyQueuedActors(OV_APPLICATION& app)
{
    std::vector<OV_ACTOR*> queue;
    queue.swap(app.removalQueue);
    for (OV_ACTOR* actor : queue)
        DestroyLiveActor(app, actor); // an actor queued twice is gone the second time
}

void AdvanceTimers(OV_APPLICATION& app, float delta)
{
    // The next entry is taken first: a callback may remove its own timer.
    for (auto entry = app.timers.First(); entry;)
    {
        const auto next = entry.Next();
        entry->Advance(delta);
        entry = next;
    }
}

} // namespace

OV_ACTOR* OV_APPLICATION::AddActor(const char* name, OV_ACTOR* actor)
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

bool OV_APPLICATION::SetActorName(OV_ACTOR* actor, const char* name)
{
    if (!actor || !name || std::strlen(name) > OV_ACTOR_KEY::MaxName)
        return false;
    std::memset(actor->key.name, 0, sizeof actor->key.name);
    std::memcpy(actor->key.name, name, std::strlen(name));
    return true;
}

void OV_APPLICATION::RemoveActor(OV_ACTOR* actor)
{
    if (actor)
        removalQueue.push_back(actor);
}

void OV_APPLICATION::SceneStep()
{
    const OV_LOOP& loop = Loop();
    if (loop.updateTick)
        UpdatePass(*this);
    if (loop.renderTick)
        DrawPass(*this);
    BringPendingActorsLive(*this);
    DestroyQueuedActors(*this);
    AdvanceTimers(*this, loop.delta);
}

void OV_APPLICATION::ReleaseAll()
{
    sounds.Clear();
    for (auto sprite : sprites)
        sprite->Unload(false);
    sprites.Clear();
    // Every actor once: the queue only names actors the registries own. 3D actors release
    // their models as they go.
    removalQueue.clear();
    actors.Clear();
    pendingActors.Clear();
    fonts.Clear();
    gui.Clear();
    currentView = OV_ENTRY<OV_VIEW>();
    views.Clear();
    emitters.Clear();
    shaders.Clear();
    softBodies.Clear();
    connections.Clear();
    timers.Clear();
}

} // namespace OvCore

// The scene's part of OV_APPLICATION: the actors (added this frame, live, queued for
// destruction), the timers, the 2D views the scene is drawn through, and the pieces of the
// scene step that are the scene's own. The composition root (app/) calls those pieces in
// the order of one frame (SceneStep) and of ReleaseAll. Programs reach it as Application()
// (app/ov_application.h); the scene and the layers above reach it as ScenePart().
#pragma once

#include "core/ov_registry.h"
#include "core/ov_vector.h"
#include "scene/ov_actor.h"
#include "scene/ov_timer.h"
#include "scene/ov_view.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace OvCore
{

// Actors by (name, id); the registry owns them.
using OV_ACTOR_REGISTRY = OV_REGISTRY<std::unique_ptr<OV_ACTOR>>;

// FindCollision modes: sprite bounding boxes, and circles of radius rotation.w.
enum OV_COLLISION_MODE : int32_t
{
    OV_COLLISION_BOX = 7,    // the sprites' bounding boxes, scaled with the actors, overlap
    OV_COLLISION_CIRCLE = 8, // the circles of radius rotation.w about the positions overlap
};

// The scene's share of OV_APPLICATION: actors, timers and views, and their frame.
class OV_SCENE_PART
{
  public:
    OV_SCENE_PART() = default;
    OV_SCENE_PART(const OV_SCENE_PART&) = delete;
    OV_SCENE_PART& operator=(const OV_SCENE_PART&) = delete;

    // Actors added this frame, going live at its end; the live actors in update and draw
    // order (their registry issues the ids); the actors queued for destruction at the end
    // of the frame (named, not owned: the registries own them).
    OV_ACTOR_REGISTRY pendingActors;
    OV_ACTOR_REGISTRY actors;
    std::vector<OV_ACTOR*> removalQueue;
    // Countdowns by name, advanced at the end of every frame.
    OV_REGISTRY<OV_TIMER> timers;
    // The views the scene is drawn through, and the view being drawn (empty outside the
    // draw pass).
    OV_REGISTRY<OV_VIEW> views;
    OV_ENTRY<OV_VIEW> currentView;

    // AddActor takes ownership of a new actor under (name, next id), writes the id into its
    // key and returns it; it goes live at the end of the frame. Null (and the caller keeps
    // the actor) for a null actor, a null or over-long name, or an actor the scene already
    // holds. SetActorName sets the name collision queries filter by (at most 122
    // characters). RemoveActor queues an actor for destruction at the end of the frame.
    OV_ACTOR* AddActor(const char* name, OV_ACTOR* actor);
    static bool SetActorName(OV_ACTOR* actor, const char* name);
    void RemoveActor(OV_ACTOR* actor);
    // The first live actor (with that key name, unless null) that collides with `actor`, the
    // actor itself included; `offset` shifts the box of `actor` in box mode.
    OV_ACTOR* FindCollision(int32_t mode, const OV_ACTOR* actor, const char* name,
                            const OV_VECTOR& offset) const;
    // Greatest depth first (drawn behind the rest); equal depths keep their order. From
    // inside an actor's Update or Draw the sort happens when that pass is over.
    void SortActorsByDepth();

    // What the draw pass does around each actor's Draw: called with `behind` true just
    // before it and false just after (the emitters an actor owns are drawn so).
    using AROUND_DRAW = std::function<void(OV_ACTOR& actor, bool behind)>;

    // The scene's pieces of one frame: every live actor's Update; every live actor's Draw
    // (into the current view); then, at the end of the frame, the actors added during it go
    // live, the queued actors are destroyed and the timers count `delta` seconds down.
    void UpdateActors();
    void DrawActors(const AROUND_DRAW& around = nullptr);
    void EndFrame(float delta);

    // The releases of ReleaseAll, called by it in its order: every live, pending and queued
    // actor destroyed; the views; the timers.
    void ReleaseActors();
    void ReleaseViews();
    void ReleaseTimers();

  protected:
    ~OV_SCENE_PART() = default;

  private:
    void WalkActors(void (OV_ACTOR::*step)(), const AROUND_DRAW& around = nullptr);
    bool sortDeferred_ = false;
};

// The process's scene part: the one inside Application(), bound by the composition root.
OV_SCENE_PART& ScenePart();

} // namespace OvCore

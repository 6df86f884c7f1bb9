// OV_APPLICATION, the one process-wide context of a program built on the framework: the
// screen size, the window registry ("main" is the program's window), the frame hooks, and
// the operations on named windows and on the drawing state. Games reach it through
// Application(); each subsystem adds its registries and operations in files of its own.
#pragma once

#include "core/ov_registry.h"
#include "core/ov_state.h"
#include "core/ov_string.h"
#include "core/ov_window.h"
#include "graphics/ov_camera.h"
#include "graphics/ov_font.h"
#include "graphics/ov_shader.h"
#include "graphics/ov_sprite.h"
#include "graphics/ov_view.h"
#include "scene/ov_actor.h"
#include "scene/ov_scene_lists.h"
#include "scene/ov_timer.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace OvCore
{

// A hook of the frame: no arguments, no result.
typedef void (*OV_HOOK)();

// Actors by (name, id); the registry owns them.
using OV_ACTOR_REGISTRY = OV_REGISTRY<std::unique_ptr<OV_ACTOR>>;

// FindCollision modes: sprite bounding boxes, and circles of radius rotation.w.
enum OV_COLLISION_MODE : int32_t
{
    OV_COLLISION_BOX = 7,
    OV_COLLISION_CIRCLE = 8,
};

class OV_APPLICATION
{
public:
    OV_APPLICATION();
    OV_APPLICATION(const OV_APPLICATION&) = delete;
    OV_APPLICATION& operator=(const OV_APPLICATION&) = delete;

    // The primary display's full-screen size, read at construction.
    int32_t width = 0;
    int32_t height = 0;
    float aspect = 1.0f;

    // Scene (scene/ov_scene.cpp): actors added this frame, going live at its end; the live
    // actors in update and draw order (their registry issues the ids); the actors queued for
    // destruction at the end of the frame (named, not owned: the registries own them).
    OV_ACTOR_REGISTRY pendingActors;
    OV_ACTOR_REGISTRY actors;
    std::vector<OV_ACTOR*> removalQueue;
    OV_EMPTY_LIST emitters;
    OV_REGISTRY<OV_TIMER> timers;
    OV_EMPTY_LIST softBodies;
    OV_EMPTY_LIST gui;
    OV_EMPTY_LIST connections;
    OV_EMPTY_LIST sounds;

    // States (core/ov_states.cpp) in registration order, the one running now, whether a
    // state that returns is followed by the next, and whether a requested change is pending.
    OV_REGISTRY<OV_STATE> states;
    OV_STATE_ENTRY current;
    bool advance = true;
    bool jumped = false;
    // The process command line, stored by RunProgram.
    OV_STRING commandLine;

    OV_REGISTRY<OV_WINDOW> windows;

    // Graphics: sprites and shader sets by name, the camera applied each frame, the 2D views
    // the scene draws through and the view being drawn (null outside the draw pass). The
    // registries release their textures and programs when emptied.
    OV_REGISTRY<OV_SPRITE> sprites;
    OV_REGISTRY<OV_SHADER> shaders;
    // Fonts by name (graphics/ov_font.h); each releases its texture and list when removed.
    OV_REGISTRY<OV_FONT> fonts;
    OV_CAMERA camera;
    OV_REGISTRY<OV_VIEW> views;
    OV_ENTRY<OV_VIEW> currentView;

    OV_HOOK updateHook = nullptr;
    OV_HOOK beforeDrawHook = nullptr;
    OV_HOOK afterDrawHook = nullptr;

    // The state machine. RunStates runs states from `current` until none is left: false at
    // once when no state is registered. A change (SelectState by name, whatever the index, or
    // by entry; NextState; PreviousState) ends the running state's frame loop and names the
    // state that follows; it is refused (false) when the loop is already ending, so the
    // first request of a frame wins, and when there is no such state. Quit ends the machine
    // after the running state returns. CountStates(null) counts every state.
    bool RunStates();
    bool SelectState(const char* name, int32_t index = 0);
    bool SelectState(OV_STATE_ENTRY state);
    bool NextState();
    bool PreviousState();
    void Quit();
    uint32_t CountStates(const char* name = nullptr) const;

    // Actors. AddActor takes ownership of a new actor under (name, next id), writes the id
    // into its key and returns it; it goes live at the end of the frame. Null (and the
    // caller keeps the actor) for a null actor, a null or over-long name, or an actor the
    // scene already holds. SetActorName sets the name collision queries filter by (at most
    // 122 characters). RemoveActor queues an actor for destruction at the end of the frame.
    OV_ACTOR* AddActor(const char* name, OV_ACTOR* actor);
    static bool SetActorName(OV_ACTOR* actor, const char* name);
    void RemoveActor(OV_ACTOR* actor);
    // The first live actor (with that key name, unless null) that collides with `actor`, the
    // actor itself included; `offset` shifts the box of `actor` in box mode.
    OV_ACTOR* FindCollision(int32_t mode, const OV_ACTOR* actor, const char* name,
                            const OV_VECTOR& offset) const;
    // Greatest depth first (drawn behind the rest); equal depths keep their order. Not from
    // inside an actor's Update or Draw.
    void SortActorsByDepth();
    // Once per frame from the frame callback: on the update tick the update hook and every
    // live actor's Update; on the render tick, for every active view (or once without
    // views) the before-draw hook, every actor's Draw and the after-draw hook; then actors
    // added this frame go live, queued actors are destroyed and timers count down.
    void SceneStep();
    // Releases sprites, actors, views, shaders, timers and the other scene resources; not
    // the windows or the states. Not from inside the scene step.
    void ReleaseAll();

    // Named windows, found by name whatever the index; an unknown name does nothing and
    // gives null or false.
    OV_WINDOW* WindowNamed(const char* name, int32_t index = 0) const;
    // Sets up the engine for drawing into the window: its render target active, no vertical
    // sync, default clear colour, drawing colour and blending.
    bool ActivateWindow(const char* name, int32_t index = 0);
    // Centres the record on the screen; ApplyWindow makes it so.
    bool CenterWindow(const char* name, int32_t index = 0);
    // Re-activates the active render target with an orthographic camera over the window.
    bool ViewWindow(const char* name, int32_t index = 0);

    // Drawing state: colours packed 0xAABBGGRR or as channels 0..1.
    void SetDrawColour(uint32_t packed);
    void SetDrawColour(double red, double green, double blue, double alpha);
    void ClearScreen(uint32_t packed);
    void ClearScreen(double red, double green, double blue, double alpha);
    void SetBlend(int32_t source, int32_t destination, int32_t equation);
    void ResetBlend();

    // Vertical sync from the engine; where it has none, the frame loop paces itself to the
    // display's refresh rate (on) or not at all (off).
    void SetVsync(bool on);
};

// The process-wide application context, created on first use.
OV_APPLICATION& Application();

} // namespace OvCore

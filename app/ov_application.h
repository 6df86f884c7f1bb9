// OV_APPLICATION, the one process-wide context of a program built on the framework, and the
// composition root: it is made of one part per subsystem (the core's windows, the
// graphics registries, the scene), each owning its registries and its own steps, and adds
// what binds them: the states, the command line, the frame hooks, SceneStep, which calls
// the subsystems' steps in the order of one frame, and ReleaseAll, which releases them in
// its order. Programs reach it through Application(): Application().sprites,
// Application().AddActor(...), Application().SceneStep().
#pragma once

#include "app/ov_state.h"
#include "core/ov_core_part.h"
#include "core/ov_registry.h"
#include "core/ov_string.h"
#include "graphics/ov_graphics_part.h"
#include "gui/ov_gui_part.h"
#include "net/ov_net_part.h"
#include "scene/ov_particle_part.h"
#include "scene/ov_scene_part.h"
#include "sound/ov_sound_part.h"

#include <cstdint>

namespace OvCore
{

// A hook of the frame: no arguments, no result.
typedef void (*OV_HOOK)();

// The subsystems' parts are bases so that their members are the application's own; they
// are destroyed in the reverse order: the scene's actors first, the windows last.
class OV_APPLICATION : public OV_CORE_PART,
                       public OV_GRAPHICS_PART,
                       public OV_SCENE_PART,
                       public OV_NET_PART,
                       public OV_PARTICLE_PART,
                       public OV_GUI_PART,
                       public OV_SOUND_PART
{
  public:
    OV_APPLICATION() = default;
    OV_APPLICATION(const OV_APPLICATION&) = delete;
    OV_APPLICATION& operator=(const OV_APPLICATION&) = delete;

    // States (app/ov_states.cpp) in registration order, the one running now, whether a
    // state that returns is followed by the next, and whether a requested change is pending.
    OV_REGISTRY<OV_STATE> states;
    OV_STATE_ENTRY current;
    bool advance = true;
    bool jumped = false;
    // The process command line, stored by RunProgram.
    OV_STRING commandLine;

    OV_HOOK updateHook = nullptr;     // each update tick, before the endpoints and actors
    OV_HOOK beforeDrawHook = nullptr; // in each view, before the emitters and actors
    OV_HOOK afterDrawHook = nullptr;  // in each view, after everything the scene draws

    // RunStates runs states from `current` until none is left: false at
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

    // Once per frame from the frame callback: on the update tick the update hook, a poll of
    // every network endpoint and every live actor's Update; then, while the GUI is bound to a
    // window, its input pass, removal step and clean-up of named controls; on the render tick, for
    // every active view (or once without views) the before-draw hook, every actor's Draw and the
    // after-draw hook; then actors added this frame go live, queued actors are destroyed and timers
    // count down.
    void SceneStep();
    // Releases the loaded sounds, sprites, actors, fonts, the GUI, views, shaders, timers,
    // endpoints and the other subsystems' resources; not the windows or the states. Not from
    // inside the scene step.
    void ReleaseAll();
};

// The process-wide application context, created on first use.
OV_APPLICATION& Application();

} // namespace OvCore

// The states of a program: a state is one named routine that sets itself up, runs a frame
// loop until it is told to stop, tears itself down and returns. OV_APPLICATION keeps them in
// registration order and runs them one after another (RunStates); programs hand their list
// to RunProgram (app/ov_entry.h), which registers it.
#pragma once

#include "core/ov_registry.h"

namespace OvCore
{

// A state routine: no arguments, no result. It returns when its frame loop has ended.
typedef void (*OV_STATE_ROUTINE)();

// The value of a state registry entry.
struct OV_STATE
{
    OV_STATE_ROUTINE callback = nullptr; // the routine RunStates calls for the state
};

// One state of a program's list: registered under `name`, index 0.
struct OV_STATE_DEFINITION
{
    const char* name;          // the state's name ("intro", "game")
    OV_STATE_ROUTINE callback; // the routine run while the state is current
};

// A handle on one state of the registry (the running one, say).
using OV_STATE_ENTRY = OV_ENTRY<OV_STATE>;

} // namespace OvCore

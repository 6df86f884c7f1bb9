// The layout expression language: the short word-based scripts that layout files attach to
// their elements (OnLoad) to set a control's fields by name, work with typed variables, move
// the selection to other named controls and call a few control commands. docs/gui.md
// describes the language.
//
// Every script is hostile text: a run reads each word once (there are no loops), and the
// script, the variables and the texts it builds are bounded by SCRIPT_LIMITS; a script longer
// than its limit is not run at all, an append past the text limit is not made.
#pragma once

#include "gui/gui_system.h"

#include <cstdint>

namespace OvCore
{
namespace OV_GUI
{

// The bounds of one script run.
struct SCRIPT_LIMITS
{
    static constexpr uint32_t SCRIPT_BYTES = 64 * 1024; // longer scripts are not run
    static constexpr uint32_t VARIABLES = 256;          // declared ones, besides the predefined
    static constexpr uint32_t TEXT_BYTES = 64 * 1024;   // a string, Text or Extend never grows past
};

// Runs `script` with `control` as `this` (nothing happens for no control or no script).
// Changes made before the run ends stay made; variables live for the run only.
void RunScript(CONTROL* control, const char* script, GUI_SYSTEM& system);

} // namespace OV_GUI
} // namespace OvCore

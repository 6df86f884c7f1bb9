// Layout files: whole screens of controls described in markup. LoadLayout reads the children
// of one element of a layout file and creates, for each, the matching control through the
// factories (gui/gui_factories.h), attaches the event and render procedures the application
// registered by name, runs each control's OnLoad script (gui/layout_script.h) and descends
// into nested elements; Include pulls in elements of other files or of the same one.
// docs/gui.md describes the format.
//
// Layout files are hostile input: only regular files are read, up to LAYOUT_LIMITS::FILE_BYTES, a
// load handles at most ELEMENTS elements, nests at most NESTING levels and INCLUDE_DEPTH includes
// deep, and loads at most INCLUDES included files; an include that would load an element
// already being loaded (a cycle, direct or through other files) is not followed. What was
// stopped is told in the notes, when the caller asks for them; the load goes on around it.
#pragma once

#include "core/ov_registry.h"
#include "formats/markup.h"
#include "gui/gui_control.h"
#include "gui/gui_system.h"

#include <cstdint>
#include <string>
#include <vector>

namespace OvCore
{
namespace OV_GUI
{

// Procedure name to procedure (a name looked up and not there is added with none), and icon
// name to texture (added with a zero handle).
using LAYOUT_PROCEDURES = OV_REGISTRY<Com::C_GUI_CONTROL::PROC>;
using LAYOUT_ICONS = OV_REGISTRY<OvHandle>;

// The bounds one LoadLayout holds a layout file to (what was cut is told in the notes).
struct LAYOUT_LIMITS
{
    static constexpr uint32_t FILE_BYTES = 1024 * 1024; // bytes of one file; larger: not read
    static constexpr uint32_t ELEMENTS = 4096;          // elements one load handles, includes too
    static constexpr uint32_t NESTING = 64;      // levels of elements, counted through includes
    static constexpr uint32_t INCLUDE_DEPTH = 8; // how deep includes may nest in includes
    static constexpr uint32_t INCLUDES = 64;     // included loads one load makes at most
};

// One line per thing a load stopped or could not follow ("include cycle: ...").
using LAYOUT_NOTES = std::vector<std::string>;

// Creates the controls of the children of the element `elementPath` (a FindNode path) of the
// layout file `path` under `parent` (the root when null). With `start` (and `document`, the
// markup it belongs to) the children of that element are read instead and `path` only names
// the file an Include with an empty File reads again. False, creating nothing, when the file
// cannot be read or parsed or the path names no element; true otherwise.
bool LoadLayout(const char* path, const char* elementPath, LAYOUT_PROCEDURES& procedures,
                LAYOUT_ICONS& icons, GUI_SYSTEM& system, MARKUP_NODE* start = nullptr,
                CONTROL* parent = nullptr, MARKUP_NODE* document = nullptr,
                LAYOUT_NOTES* notes = nullptr);

} // namespace OV_GUI
} // namespace OvCore

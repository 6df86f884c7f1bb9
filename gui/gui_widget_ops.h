// What the behaviours of windows, push buttons, scroll planes, edit boxes, sliders and menus
// report to applications (the command bits their owners hear through SendEvent), and the
// operations programs and layout commands use on these composites. Each operation takes the
// control a factory returned (gui/gui_factories.h) and tolerates a missing or foreign one.
#pragma once

#include "core/ov_string.h"
#include "gui/gui_control.h"

#include <cstdint>

namespace OvCore
{
namespace OV_GUI
{

// A window's content hears from its title bar and title buttons.
constexpr uint32_t WINDOW_MOVED = 0x800;      // the bar moved the window (each frame it moves)
constexpr uint32_t WINDOW_CLOSED = 0x1000;    // close pressed: the window leaves at pass end
constexpr uint32_t WINDOW_FULL_SIZE = 0x2000; // full size pressed; resizing is the program's
constexpr uint32_t WINDOW_MINIMISE = 0x4000;  // minimise pressed; hiding is the program's
// A push button's owner (the control CreateButton returned).
constexpr uint32_t BUTTON_CLICKED = 0x800;  // pressed with the cursor on it
constexpr uint32_t BUTTON_ENTERED = 0x1000; // the cursor entered (the hover style is on)
constexpr uint32_t BUTTON_LEFT = 0x2000;    // the cursor left (the normal style is back)
// A scroll track, when its thumb moved the content.
constexpr uint32_t SCROLL_MOVED_H = 0x800;  // to the horizontal track ("hscrollb")
constexpr uint32_t SCROLL_MOVED_V = 0x1000; // to the vertical track ("vscrollb")
// An edit box's owner.
constexpr uint32_t EDIT_ENTERED = 0x800; // pressed on: edit mode is on
constexpr uint32_t EDIT_LEFT = 0x1000;   // a click elsewhere (or being switched off) left edit mode
constexpr uint32_t EDIT_TYPED = 0x2000;  // characters were typed into the value this frame
constexpr uint32_t EDIT_KEYS = 0x4000;   // a key went down in edit mode (caret keys applied)
// A slider's owner, every frame its handle is dragged.
constexpr uint32_t SLIDER_MOVED_H = 0x800;  // from a horizontal slider ("hbar")
constexpr uint32_t SLIDER_MOVED_V = 0x1000; // from a vertical slider ("vbar")
// A menu button.
constexpr uint32_t MENU_ENTERED = 0x800; // the cursor entered the menu button
constexpr uint32_t MENU_LEFT = 0x1000;   // the cursor left it
constexpr uint32_t MENU_OPENED = 0x2000; // it was pressed and its list opened

// The longest value an edit box holds, in bytes: typing past it is dropped, longer texts
// are cut.
constexpr uint32_t EDIT_VALUE_LIMIT = 64 * 1024;

// For the content of a scroll plane (what CreateScrollPlane returned): each thumb takes the
// new content length, goes back to the track's start and is sized to the visible share;
// the content scrolls back to (0, 0). False for no control.
bool ScrollSetContentSize(CONTROL* content, float width, float height);

// Edit boxes, by the owner CreateEditBox returned. Each is false when the owner is missing
// or its first child is not an edit box.

// The value becomes `text` (cut to EDIT_VALUE_LIMIT) with the caret at its end; false without
// an edit box.
bool EditBoxSetText(CONTROL* owner, const char* text);
// `out` becomes the value, the text before the caret and after it; false without an edit box.
bool EditBoxGetText(CONTROL* owner, OV_STRING& out);
// Turns edit mode on or off (off also takes the caret bar out of the displayed text); false
// without an edit box.
bool EditBoxEditMode(CONTROL* owner, bool on);
// Turns the password mask on or off; the displayed text follows at once, one "*" per
// character or plain. False without an edit box.
bool EditBoxPasswordMode(CONTROL* owner, bool on);

// Sliders, by the owner CreateSlider returned. The factor is the handle's place along the
// track, 0 at the start and 1 at the end; 0 for a control that is not a slider and for a
// handle as long as the track.
float SliderGetFactor(CONTROL* owner);
// Puts the handle at factor × (track length - half the handle's length), kept on the track;
// a factor that is not a number counts as 0. False when the owner holds no slider.
bool SliderSetFactor(CONTROL* owner, float factor);

// Menus, by the menu button CreateMenu or AddSubMenu returned. Expand opens its list;
// collapse closes it and every sub-menu list below it. False when it has no list.
bool MenuExpand(CONTROL* menuButton);
bool MenuCollapse(CONTROL* menuButton);

} // namespace OV_GUI
} // namespace OvCore

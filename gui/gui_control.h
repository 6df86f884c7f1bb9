// CONTROL, the element of the GUI: a box in the tree of a window's GUI_SYSTEM with its
// geometry (position, size, margins, fit and dock flags), its input state (event bits filled
// by the input pass), its text, icon and styles. The control classes of the framework derive
// from it; what each does with its events is its own OnEvents.
//
// A control attached to a GUI_SYSTEM belongs to it: the system deletes it when its node
// leaves the tree or the system is destroyed (gui/gui_system.h).
#pragma once

#include "core/ov_registry.h"
#include "core/ov_string.h"
#include "formats/byte_buffer.h"
#include "graphics/ov_vertex.h"
#include "gui/gui_style.h"
#include "orvane_core.h"

#include <cstdint>
#include <string_view>

namespace OvCore
{
namespace OV_GUI
{

class GUI_SYSTEM;
struct CONTROL_NODE;

// A style reference: an entry of a GUI_SYSTEM's Styles table, null for none.
using STYLE_REF = OV_ENTRY<GUI_STYLE>;

// Event bits of CONTROL::Events, set by the input pass. The key and button bits reach every
// active control wherever the cursor is; the cursor bits test the control's clipped rectangle
// (its box less its cut margins). Bits 0x800 to 0x4000 are left to the commands composites
// send their owners.
constexpr uint32_t KEY_PRESSED = 0x1;     // a key went down this frame
constexpr uint32_t KEY_HELD = 0x2;        // a key is down
constexpr uint32_t KEY_RELEASED = 0x4;    // a key went up this frame
constexpr uint32_t MOUSE_PRESSED = 0x8;   // a button (left, middle, right) went down this frame
constexpr uint32_t MOUSE_HELD = 0x10;     // a button is down, or the wheel turned this frame
constexpr uint32_t MOUSE_RELEASED = 0x20; // a button went up this frame
constexpr uint32_t MOUSE_ENTER = 0x40;    // the cursor is inside now and was not last pass
constexpr uint32_t MOUSE_LEAVE = 0x80;    // the cursor is outside now and was inside last pass
constexpr uint32_t MOUSE_OVER = 0x100;    // the cursor is inside the control's rectangle
constexpr uint32_t MOUSE_OUT = 0x200;     // the cursor is outside the control's rectangle
constexpr uint32_t MOUSE_MOVE = 0x400;    // the cursor moved since the last pass (whole pixels)

// Fit, inherit and dock flags of CONTROL::Behaviour, also the words layout files write. The
// layout pass applies them every frame to the stored Position and Size, against the parent's
// size and margins (the window's size and no margins for a top-level control), in the order
// inherit, fit top, left, bottom, right, dock middle, centre, top, left, bottom, right, bottom
// inside, right inside. W, H: the room's size; x, y, w, h: the control's box.
constexpr uint32_t EMPTY = 0;                          // no flag: the box stays as set
constexpr uint32_t FIT_TO_EDGE_TOP = 0x1;              // h += y, then y = 0
constexpr uint32_t FIT_TO_EDGE_BOTTOM = 0x2;           // h reaches the room's bottom margin
constexpr uint32_t FIT_TO_EDGE_LEFT = 0x4;             // w += x, then x = 0
constexpr uint32_t FIT_TO_EDGE_RIGHT = 0x8;            // w reaches the room's right margin
constexpr uint32_t FIT_TO_EDGE = 0xF;                  // all four fits: fills the room
constexpr uint32_t INHERIT_WIDTH = 0x10;               // w = W
constexpr uint32_t INHERIT_HEIGHT = 0x20;              // h = H
constexpr uint32_t INHERIT_SIZE = 0x30;                // both: the room's size
constexpr uint32_t DOCK_TO_EDGE_TOP = 0x40;            // y = -h: just above the room
constexpr uint32_t DOCK_TO_EDGE_BOTTOM = 0x80;         // just below the room (y = H - mB)
constexpr uint32_t DOCK_TO_EDGE_LEFT = 0x100;          // x = -w: just left of the room
constexpr uint32_t DOCK_TO_EDGE_RIGHT = 0x200;         // just right of the room (x = W - mR)
constexpr uint32_t DOCK_TO_EDGE_BOTTOM_INSIDE = 0x400; // on the room's bottom edge, inside
constexpr uint32_t DOCK_TO_EDGE_RIGHT_INSIDE = 0x800;  // on the room's right edge, inside
constexpr uint32_t DOCK_TO_CENTER = 0x1000;            // centred across: x = W / 2 - w / 2 - mL
constexpr uint32_t DOCK_TO_MIDDLE = 0x2000;            // centred down: y = H / 2 - h / 2 - mT
constexpr uint32_t CENTRALIZE = 0x3000;                // centred on both axes

// The element of the GUI: a box in a GUI_SYSTEM's tree with its geometry, flags, event bits,
// text, icon and styles. The base class does nothing with its events; the classes below do.
class CONTROL
{
  public:
    // A detached control with every field at its default: visible, active, hitable, no styles.
    CONTROL();
    // Not copied (a control is one node of one tree); deleted through the base class by the
    // system that owns it.
    CONTROL(const CONTROL&) = delete;
    CONTROL& operator=(const CONTROL&) = delete;
    virtual ~CONTROL() = default;
    // Once per input pass, with Events set.
    virtual void OnEvents() {}
    // The renderer's hook, before the children are drawn.
    virtual void OnRender() {}
    // True when OnRender draws: only then is the hook run under the control's own clip (a
    // class that draws in OnRender returns true, or its drawing is clipped by its parents').
    virtual bool DrawsInOnRender() const { return false; }

    // The nine areas of the box, row by row from the top-left, each with its corners
    // clockwise from the top-left, in screen pixels (filled by the layout pass).
    OV_VECTOR_F Areas[9][4];
    // The system that owns the control, set by AddControl; null while detached.
    GUI_SYSTEM* System = nullptr;
    // The control's node in the system's tree, set by AddControl; null while detached.
    CONTROL_NODE* Node = nullptr;
    // Set by the drawing pass each frame: true when the control or an ancestor is not Active
    // (it is then drawn with StyleUnactive).
    bool DrawnInactive = false;
    // The Events bits of the last finished pass (Events is cleared after delivery).
    uint32_t PreviousEvents = 0;
    // Stacking order among the siblings: lower is in front (drawn last, wins the hover); equal
    // values keep tree order, later siblings in front.
    float Order = 0;
    // This pass's event bits (the input bits and the command bits), set by the input pass or
    // SendEvent and read in OnEvents; 0 outside the pass.
    uint32_t Events = 0;
    // The fit, inherit and dock flags the layout pass applies (FIT_TO_EDGE, DOCK_TO_CENTER, ...).
    uint32_t Behaviour = 0;
    // Top-left in pixels (x, y) from the parent's top-left corner, which lies inside the
    // parent's margins; the parent's ChildOffset and the control's Offset are added.
    OV_VECTOR_F Position;
    // Width and height of the box in pixels (x, y), margins included.
    OV_VECTOR_F Size;
    // Extra displacement of this control alone, in pixels, added to its corners.
    OV_VECTOR_F Offset;
    // Displacement of every child in pixels: how a scroll plane's content scrolls.
    OV_VECTOR_F ChildOffset;
    // Insets of the drawn box from Position and Size in pixels; children are placed from the
    // inset top-left, and fitted and docked in the room the margins leave.
    float MarginTop = 0, MarginBottom = 0, MarginLeft = 0, MarginRight = 0;
    // Shrink the rectangle that is hit-tested and that clips the children, on each side in
    // pixels; negative values widen it (a window's title bar above its content).
    float CutMarginTop = 0, CutMarginBottom = 0, CutMarginLeft = 0, CutMarginRight = 0;
    // Takes part in input; an inactive control gets no bits, its subtree is skipped by the
    // input pass and drawn with the unactive styles.
    bool Active = true;
    // Drawn; an invisible control hides its whole subtree, which still takes input (and may
    // be hovered) while Active.
    bool Visible = true;
    // May become the system's Hovered control; false on a decoration lets the control under
    // it be hovered.
    bool Hitable = true;
    // Keeps its CorrectionMask bits (pressed, enter, over) when it is not the hovered control.
    bool NonCorrected = false;
    // Children are clipped to this control's rectangle, for input and drawing.
    bool CutArea = true;
    // Caption or content, drawn with the style's TextFont.
    OV_STRING Text;
    ByteBuffer Extend; // the role tag, a text from the buffer's start
    // Icon texture drawn over the style's IconRect; no object: no icon.
    OvHandle Icon{1, nullptr};
    // Style drawn while the control is Active (an entry of the system's Styles); null: none.
    STYLE_REF StyleActive;
    // Style drawn while it or an ancestor is inactive; null: none.
    STYLE_REF StyleUnactive;

    // The control of the parent node; null for the root control and unattached controls.
    CONTROL* Parent() const;
    // The tag as text: Extend up to its first zero byte or its end; empty when there is none.
    std::string_view Tag() const;
    // True when the tag is exactly `tag` (false for null).
    bool HasTag(const char* tag) const;
    // Replaces Extend with `tag` and its terminating zero (null: the empty tag).
    void SetTag(const char* tag);
    // The box's top-left in window pixels: corner 0 of area 0.
    const OV_VECTOR_F& TopLeft() const { return Areas[0][0]; }
    // The box's bottom-right in window pixels: corner 2 of area 8.
    const OV_VECTOR_F& BottomRight() const { return Areas[8][2]; }
};

// The classes of the framework's composites; their behaviours are their OnEvents.

// A part of a window, by its tag: the area ("winarea", no behaviour), the title bar ("bar":
// drags the window, sends WINDOW_MOVED) or a title button ("btnclose", "btnfull", "btnmini").
class __window : public CONTROL
{
  public:
    void OnEvents() override;
    // The title bar is being dragged: from a press on it until the button is released.
    bool Dragging = false;
};

// A part of a scroll bar: a track ("hscrollb", "vscrollb", no behaviour) or the thumb on it
// ("hscrollf", "vscrollf"), which is sized to the visible share and scrolls the content.
class __scroll : public CONTROL
{
  public:
    void OnEvents() override;
    // The thumb is being dragged: from a press on it until the button is released.
    bool Dragging = false;
    // Cursor minus thumb position along the bar at the press, in pixels, kept while dragging.
    float GrabOffset = 0;
    // Length of the content along the thumb's axis in pixels (ScrollSetContentSize sets it);
    // the thumb is the visible length times visible / max(this, visible).
    float ContentLength = 0;
};

// A row of a list box: a click selects it alone (with Ctrl: toggles it, keeping the others).
class __list : public CONTROL
{
  public:
    void OnEvents() override;

    // The row is selected; the application reads it (rows send no command).
    bool Selected = false;
    // StyleActive of a selected row, of an unselected row under the cursor, and of an
    // unselected row otherwise.
    STYLE_REF SelectedStyle, OverStyle, NormalStyle;
};

// The box of a check row: a click toggles Checked and sends CHECK_TOGGLED to the row.
class __check : public CONTROL
{
  public:
    void OnEvents() override;

    // The box is ticked; toggled by a click.
    bool Checked = false;
    // The StyleActive / StyleUnactive pair of a checked box (On) and of an unchecked one (Off).
    STYLE_REF ActiveOnStyle, ActiveOffStyle, UnactiveOnStyle, UnactiveOffStyle;
};

// The box of an option row: a click selects it and unselects every other box of the panel
// (with Ctrl: leaves none selected), then sends OPTION_CLICKED to the panel.
class __option : public CONTROL
{
  public:
    void OnEvents() override;

    // This is the panel's chosen option.
    bool Selected = false;
    // The StyleActive / StyleUnactive pair of a selected box (On) and of the others (Off).
    STYLE_REF ActiveOnStyle, ActiveOffStyle, UnactiveOnStyle, UnactiveOffStyle;
};

// The track of a slider, "hbar" (horizontal) or "vbar" (vertical) by its tag; its first child
// is the handle, which follows the cursor while dragged.
class __slider : public CONTROL
{
  public:
    void OnEvents() override;
    // The handle is being dragged: from a press on the track until a button goes up.
    bool Dragging = false;
};

// A single-line text entry (tag "editbox") with a blinking caret and an optional password
// mask; its value is Before followed by After, Text only what is shown.
class __edit : public CONTROL
{
  public:
    void OnEvents() override;
    // The box takes typed characters and caret keys; set by a click on it, cleared by a click
    // elsewhere or when it becomes unreachable.
    bool EditMode = false;
    // Seconds left until the caret toggles (0.5 s per phase), counted down in edit mode.
    float BlinkTimer = 0;
    // Set when the caret toggles and cleared again before the pass ends, so it reads false
    // outside OnEvents.
    bool BlinkTick = false;
    // The caret bar "|" is in the shown Text now.
    bool CaretShown = false;
    // The value left of the caret.
    OV_STRING Before;
    // The value right of the caret.
    OV_STRING After;
    // Text shows one "*" per character of the value; CreateEditBox sets it from its argument.
    bool Password = true;
};

// A row of a combo box's list: a click chooses it (the box shows its Text, the list closes).
class __comboitem : public CONTROL
{
  public:
    void OnEvents() override;

    // StyleActive while the cursor is over the row, and otherwise.
    STYLE_REF HoverStyle, NormalStyle;
};

// A part of a combo box, by its tag: the control that fills the box ("comboboxm": opens the
// list) or the list's content ("comboboxl": keeps the list open under the cursor, closes it
// on a click elsewhere).
class __combo : public CONTROL
{
  public:
    void OnEvents() override;

    // On the list's content: the row chosen last; null until one is (RemoveItem and
    // ClearItems clear it when they take that row out).
    __comboitem* SelectedItem = nullptr;
};

// A plain panel: no behaviour.
class __default : public CONTROL
{
};

// The child that fills a push button and takes its clicks: sends BUTTON_CLICKED,
// BUTTON_ENTERED and BUTTON_LEFT to the button (its parent) and swaps the button's style.
class __button : public CONTROL
{
  public:
    void OnEvents() override;
    // The button's StyleActive while the cursor is over it, and after it leaves.
    STYLE_REF HoverStyle, NormalStyle;
};

// A part of a menu, by its tag: the control that fills a menu button ("menu": opens the list)
// or the drop-down list ("menulist": stays open under the cursor, closes on a click
// elsewhere, keeps the lists of enclosing menus open).
class __menu : public CONTROL
{
  public:
    void OnEvents() override;
};

} // namespace OV_GUI

namespace Com
{

// The control applications hear through: its two callbacks (none by default) are called
// from OnEvents and OnRender with the control itself.
class C_GUI_CONTROL : public OV_GUI::CONTROL
{
  public:
    // A callback: receives the control it is set on.
    typedef void (*PROC)(C_GUI_CONTROL* control);
    // Called from OnEvents with the control, its Events still set; null: none.
    PROC EventProc = nullptr;
    // Called from OnRender under the control's own clip, the origin moved to its children's
    // clip corner plus its ChildOffset; null: none (and DrawsInOnRender is false).
    PROC RenderProc = nullptr;

    void OnEvents() override;
    void OnRender() override;
    bool DrawsInOnRender() const override { return RenderProc != nullptr; }
};

} // namespace Com
} // namespace OvCore

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

// Event bits of CONTROL::Events.
constexpr uint32_t KEY_PRESSED = 0x1;
constexpr uint32_t KEY_HELD = 0x2;
constexpr uint32_t KEY_RELEASED = 0x4;
constexpr uint32_t MOUSE_PRESSED = 0x8;
constexpr uint32_t MOUSE_HELD = 0x10;
constexpr uint32_t MOUSE_RELEASED = 0x20;
constexpr uint32_t MOUSE_ENTER = 0x40;
constexpr uint32_t MOUSE_LEAVE = 0x80;
constexpr uint32_t MOUSE_OVER = 0x100;
constexpr uint32_t MOUSE_OUT = 0x200;
constexpr uint32_t MOUSE_MOVE = 0x400;

// Fit, inherit and dock flags of CONTROL::Behaviour.
constexpr uint32_t EMPTY = 0;
constexpr uint32_t FIT_TO_EDGE_TOP = 0x1;
constexpr uint32_t FIT_TO_EDGE_BOTTOM = 0x2;
constexpr uint32_t FIT_TO_EDGE_LEFT = 0x4;
constexpr uint32_t FIT_TO_EDGE_RIGHT = 0x8;
constexpr uint32_t FIT_TO_EDGE = 0xF;
constexpr uint32_t INHERIT_WIDTH = 0x10;
constexpr uint32_t INHERIT_HEIGHT = 0x20;
constexpr uint32_t INHERIT_SIZE = 0x30;
constexpr uint32_t DOCK_TO_EDGE_TOP = 0x40;
constexpr uint32_t DOCK_TO_EDGE_BOTTOM = 0x80;
constexpr uint32_t DOCK_TO_EDGE_LEFT = 0x100;
constexpr uint32_t DOCK_TO_EDGE_RIGHT = 0x200;
constexpr uint32_t DOCK_TO_EDGE_BOTTOM_INSIDE = 0x400;
constexpr uint32_t DOCK_TO_EDGE_RIGHT_INSIDE = 0x800;
constexpr uint32_t DOCK_TO_CENTER = 0x1000;
constexpr uint32_t DOCK_TO_MIDDLE = 0x2000;
constexpr uint32_t CENTRALIZE = 0x3000;

class CONTROL
{
  public:
    CONTROL();
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
    GUI_SYSTEM* System = nullptr;
    CONTROL_NODE* Node = nullptr;
    bool DrawnInactive = false;
    uint32_t PreviousEvents = 0;
    float Order = 0;
    uint32_t Events = 0;
    uint32_t Behaviour = 0;
    OV_VECTOR_F Position;
    OV_VECTOR_F Size;
    OV_VECTOR_F Offset;
    OV_VECTOR_F ChildOffset;
    float MarginTop = 0, MarginBottom = 0, MarginLeft = 0, MarginRight = 0;
    float CutMarginTop = 0, CutMarginBottom = 0, CutMarginLeft = 0, CutMarginRight = 0;
    bool Active = true;
    bool Visible = true;
    bool Hitable = true;
    bool NonCorrected = false;
    bool CutArea = true;
    OV_STRING Text;
    ByteBuffer Extend; // the role tag, a text from the buffer's start
    OvHandle Icon{1, nullptr};
    STYLE_REF StyleActive;
    STYLE_REF StyleUnactive;

    // The control of the parent node; null for the root control and unattached controls.
    CONTROL* Parent() const;
    // The tag as text (empty when there is none), and its replacement.
    std::string_view Tag() const;
    bool HasTag(const char* tag) const;
    void SetTag(const char* tag);
    // Corner 0 of area 0 and corner 2 of area 8.
    const OV_VECTOR_F& TopLeft() const { return Areas[0][0]; }
    const OV_VECTOR_F& BottomRight() const { return Areas[8][2]; }
};

// The classes of the framework's composites; their behaviours are their OnEvents.
class __window : public CONTROL
{
  public:
    void OnEvents() override;
    bool Dragging = false;
};

class __scroll : public CONTROL
{
  public:
    void OnEvents() override;
    bool Dragging = false;
    float GrabOffset = 0;
    float ContentLength = 0;
};

class __list : public CONTROL
{
  public:
    void OnEvents() override;

    bool Selected = false;
    STYLE_REF SelectedStyle, OverStyle, NormalStyle;
};

class __check : public CONTROL
{
  public:
    void OnEvents() override;

    bool Checked = false;
    STYLE_REF ActiveOnStyle, ActiveOffStyle, UnactiveOnStyle, UnactiveOffStyle;
};

class __option : public CONTROL
{
  public:
    void OnEvents() override;

    bool Selected = false;
    STYLE_REF ActiveOnStyle, ActiveOffStyle, UnactiveOnStyle, UnactiveOffStyle;
};

class __slider : public CONTROL
{
  public:
    void OnEvents() override;
    bool Dragging = false;
};

class __edit : public CONTROL
{
  public:
    void OnEvents() override;
    bool EditMode = false;
    float BlinkTimer = 0;
    bool BlinkTick = false;
    bool CaretShown = false;
    OV_STRING Before;
    OV_STRING After;
    bool Password = true;
};

class __comboitem : public CONTROL
{
  public:
    void OnEvents() override;

    STYLE_REF HoverStyle, NormalStyle;
};

class __combo : public CONTROL
{
  public:
    void OnEvents() override;

    __comboitem* SelectedItem = nullptr;
};

// A plain panel: no behaviour.
class __default : public CONTROL
{
};

class __button : public CONTROL
{
  public:
    void OnEvents() override;
    STYLE_REF HoverStyle, NormalStyle;
};

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
    typedef void (*PROC)(C_GUI_CONTROL* control);
    PROC EventProc = nullptr;
    PROC RenderProc = nullptr;

    void OnEvents() override;
    void OnRender() override;
    bool DrawsInOnRender() const override { return RenderProc != nullptr; }
};

} // namespace Com
} // namespace OvCore

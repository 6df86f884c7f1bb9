// What the control behaviours share: the press and release tests, the command a composite
// part reports to its owner, and the cursor of the running pass.
#pragma once

#include "gui/gui_system.h"

#include <cstdint>

namespace OvCore
{
namespace OV_GUI
{

// The cursor is over the control and a button went down this frame.
inline bool PressedOn(uint32_t events)
{
    return (events & MOUSE_OVER) && (events & MOUSE_PRESSED);
}

// A button went up this frame, or none is down.
inline bool Released(uint32_t events)
{
    return (events & MOUSE_RELEASED) || !(events & MOUSE_HELD);
}

// The control and every ancestor are active: only then does the input pass reach it (a
// control under an inactive one still has its OnEvents called, with no bits).
inline bool Reachable(const CONTROL& control)
{
    for (const CONTROL* at = &control; at; at = at->Parent())
        if (!at->Active)
            return false;
    return true;
}

// The owner gets the bit, its OnEvents runs at once and its Events are cleared.
inline void SendCommand(const CONTROL& sender, CONTROL* owner, uint32_t bit)
{
    if (sender.System && owner)
        sender.System->SendEvent(owner, bit, 0x2, false, true);
}

// The first child's control, null when there is none.
inline CONTROL* FirstChild(const CONTROL* control)
{
    if (!control || !control->Node || control->Node->children.empty())
        return nullptr;
    return control->Node->children.front().control.get();
}

// The cursor of the pass being delivered (LastMouse still holds the previous pass's).
inline OV_VECTOR PassCursor(const GUI_SYSTEM& system)
{
    return OV_VECTOR(system.LastMouse.x + system.MouseMove.x,
                     system.LastMouse.y + system.MouseMove.y, 0, 1);
}

} // namespace OV_GUI
} // namespace OvCore

// What the behaviours of list rows and option boxes share: the key that changes a click.
#pragma once

#include "core/ov_input.h"

namespace OvCore
{
namespace OV_GUI
{

// Held, Ctrl makes a click on a list row toggle it alone and a click on an option unselect.
constexpr int CTRL_KEY = 17;

// True while Ctrl is down (read from the input record of this frame).
inline bool CtrlHeld()
{
    return Input().KeyDown(CTRL_KEY);
}

} // namespace OV_GUI
} // namespace OvCore

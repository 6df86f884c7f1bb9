// The layout pass: every frame it turns each control's Position, Size, margins, Behaviour
// flags and style splits into the window-pixel corners of the nine areas of its box (Areas),
// which the input pass hit-tests and the drawing pass draws.
#pragma once

#include "gui/gui_system.h"

namespace OvCore
{
namespace OV_GUI
{

// LayoutControl on every child of the root, in tree order; nothing without a window.
void LayoutPass(GUI_SYSTEM& system);
// Fits and docks the control in its parent's room, fills its Areas from its style's splits
// and its margins, placed from the parent's top-left (shifted by the parent's ChildOffset)
// plus its own Offset, then lays out its children in tree order. Nothing happens for a
// control without a system bound to a window, or without a parent.
void LayoutControl(CONTROL& control);

} // namespace OV_GUI
} // namespace OvCore

// The fit, inherit and dock steps that size and place a control in its parent's room before
// its corners are computed (the layout pass runs them on every control, every frame).
#pragma once

#include "gui/gui_control.h"

namespace OvCore
{
namespace OV_GUI
{

// The room a control is fitted and docked in: the parent's size and margins, or the window's
// size and no margins for a top-level control.
struct PARENT_ROOM
{
    // The room's size in pixels (W and H of the fit and dock steps).
    float width = 0, height = 0;
    // The parent's margins in pixels, 0 against the window.
    float marginTop = 0, marginBottom = 0, marginLeft = 0, marginRight = 0;
};

// The room of the control's parent; false for a control that is not attached, or whose
// system has no window while its parent is the root.
bool RoomOf(const CONTROL& control, PARENT_ROOM& room);

// The fourteen steps on the stored Position and Size, in their order: inherit width and
// height, fit to the top, left, bottom and right edges, dock to the middle and the centre,
// dock outside the top, left, bottom and right edges, dock inside the bottom and right edges.
void FitAndDock(CONTROL& control, const PARENT_ROOM& room);
// The same in the control's own room; false (nothing changed) when it has none.
bool FitAndDock(CONTROL& control);

} // namespace OV_GUI
} // namespace OvCore

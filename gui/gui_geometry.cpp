// Fit, inherit and dock.
#include "gui/gui_geometry.h"

#include "core/ov_window.h"
#include "gui/gui_system.h"

namespace OvCore
{
namespace OV_GUI
{

bool RoomOf(const CONTROL& control, PARENT_ROOM& room)
{
    const CONTROL* parent = control.Parent();
    if (!parent || !control.System)
        return false;
    if (parent == control.System->RootControl())
    {
        const OV_WINDOW* window = control.System->Window;
        if (!window)
            return false;
        room = PARENT_ROOM{float(window->width), float(window->height)};
        return true;
    }
    room = PARENT_ROOM{parent->Size.x,       parent->Size.y,     parent->MarginTop,
                       parent->MarginBottom, parent->MarginLeft, parent->MarginRight};
    return true;
}

void FitAndDock(CONTROL& control, const PARENT_ROOM& room)
{
    const uint32_t flags = control.Behaviour;
    float& x = control.Position.x;
    float& y = control.Position.y;
    float& w = control.Size.x;
    float& h = control.Size.y;
    const float W = room.width, H = room.height;
    if (flags & INHERIT_WIDTH)
        w = W;
    if (flags & INHERIT_HEIGHT)
        h = H;
    if (flags & FIT_TO_EDGE_TOP)
        h += y, y = 0;
    if (flags & FIT_TO_EDGE_LEFT)
        w += x, x = 0;
    if (flags & FIT_TO_EDGE_BOTTOM)
        h = H - y - room.marginBottom - room.marginTop;
    if (flags & FIT_TO_EDGE_RIGHT)
        w = W - x - room.marginRight - room.marginLeft;
    if (flags & DOCK_TO_MIDDLE)
        y = H * 0.5f - h * 0.5f - room.marginTop;
    if (flags & DOCK_TO_CENTER)
        x = W * 0.5f - w * 0.5f - room.marginLeft;
    if (flags & DOCK_TO_EDGE_TOP)
        y = -h;
    if (flags & DOCK_TO_EDGE_LEFT)
        x = -w;
    if (flags & DOCK_TO_EDGE_BOTTOM)
        y = H - room.marginBottom;
    if (flags & DOCK_TO_EDGE_RIGHT)
        x = W - room.marginRight;
    if (flags & DOCK_TO_EDGE_BOTTOM_INSIDE)
        y = H - h - room.marginBottom;
    if (flags & DOCK_TO_EDGE_RIGHT_INSIDE)
        x = W - w - room.marginRight;
}

bool FitAndDock(CONTROL& control)
{
    PARENT_ROOM room;
    if (!RoomOf(control, room))
        return false;
    FitAndDock(control, room);
    return true;
}

} // namespace OV_GUI
} // namespace OvCore

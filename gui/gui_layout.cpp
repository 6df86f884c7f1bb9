// The layout pass: fit and dock, the splits, the grid lines of the nine areas and their
// absolute corners.
#include "gui/gui_layout.h"

#include "gui/gui_geometry.h"

namespace OvCore
{
namespace OV_GUI
{

namespace
{

const GUI_STYLE* CurrentStyle(const CONTROL& control)
{
    return (control.Active ? control.StyleActive : control.StyleUnactive).Get();
}

// The four column and four row lines of the grid, in the parent's coordinates: the box inset
// by the control's own margins, the border rows and columns as thick as the splits.
void GridLines(const CONTROL& control, float columns[4], float rows[4])
{
    float split[4] = {0, 0, 0, 0};
    const float x = control.Position.x, y = control.Position.y;
    const float w = control.Size.x, h = control.Size.y;
    if (const GUI_STYLE* style = CurrentStyle(control))
        style->SplitsFor(w, h, split);
    columns[0] = x + control.MarginLeft;
    columns[1] = columns[0] + split[SPLIT_LEFT];
    columns[2] = x + w - control.MarginRight - split[SPLIT_RIGHT];
    columns[3] = x + w - control.MarginRight;
    rows[0] = y + control.MarginTop;
    rows[1] = rows[0] + split[SPLIT_TOP];
    rows[2] = y + h - control.MarginBottom - split[SPLIT_BOTTOM];
    rows[3] = y + h - control.MarginBottom;
}

void FillAreas(CONTROL& control, const CONTROL& parent)
{
    float columns[4], rows[4];
    GridLines(control, columns, rows);
    const OV_VECTOR_F& origin = parent.TopLeft();
    const float dx = origin.x + control.Offset.x + parent.ChildOffset.x;
    const float dy = origin.y + control.Offset.y + parent.ChildOffset.y;
    const float dz = origin.z + control.Offset.z + parent.ChildOffset.z;
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
        {
            OV_VECTOR_F* corners = control.Areas[row * 3 + column];
            const float left = columns[column] + dx, right = columns[column + 1] + dx;
            const float top = rows[row] + dy, bottom = rows[row + 1] + dy;
            corners[0] = OV_VECTOR_F(left, top, dz);
            corners[1] = OV_VECTOR_F(right, top, dz);
            corners[2] = OV_VECTOR_F(right, bottom, dz);
            corners[3] = OV_VECTOR_F(left, bottom, dz);
        }
}

} // namespace

void LayoutPass(GUI_SYSTEM& system)
{
    if (!system.Window)
        return;
    for (CONTROL_NODE& node : system.Root.children)
        LayoutControl(*node.control);
}

void LayoutControl(CONTROL& control)
{
    if (!control.System || !control.System->Window || !control.Node)
        return;
    const CONTROL* parent = control.Parent();
    if (!parent || !FitAndDock(control))
        return;
    FillAreas(control, *parent);
    for (CONTROL_NODE& node : control.Node->children)
        LayoutControl(*node.control);
}

} // namespace OV_GUI
} // namespace OvCore

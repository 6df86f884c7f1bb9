// List rows: a click selects the row alone, with Ctrl it toggles the row and keeps the
// others; unselected rows light up under the cursor. Rows report nothing: the application
// reads Selected.
#include "gui/behaviour_common.h"
#include "gui/behaviour_selection.h"

namespace OvCore
{
namespace OV_GUI
{

namespace
{

void UnselectRows(CONTROL& list)
{
    for (CONTROL_NODE& node : list.Node->children)
        if (auto* row = dynamic_cast<__list*>(node.control.get()))
        {
            row->Selected = false;
            row->StyleActive = row->NormalStyle;
        }
}

} // namespace

void __list::OnEvents()
{
    if (PressedOn(Events))
    {
        CONTROL* list = Parent();
        if (list && !CtrlHeld())
            UnselectRows(*list);
        Selected = !Selected;
        StyleActive = Selected ? SelectedStyle : OverStyle;
    }
    if (Selected)
        return;
    if (Events & MOUSE_ENTER)
        StyleActive = OverStyle;
    if (Events & MOUSE_LEAVE)
        StyleActive = NormalStyle;
}

} // namespace OV_GUI
} // namespace OvCore

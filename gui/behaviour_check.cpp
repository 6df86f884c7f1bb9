// Check and option boxes: a click toggles a check box; a click on an option selects it
// alone, with Ctrl it unselects every option of the box. Each box wears the on or off pair
// of its styles.
#include "gui/behaviour_common.h"
#include "gui/behaviour_selection.h"
#include "gui/gui_items.h"

namespace OvCore
{
namespace OV_GUI
{

namespace
{

template <class BOX> void Wear(BOX& box, bool on)
{
    box.StyleActive = on ? box.ActiveOnStyle : box.ActiveOffStyle;
    box.StyleUnactive = on ? box.UnactiveOnStyle : box.UnactiveOffStyle;
}

void UnselectOptions(CONTROL& panel)
{
    for (CONTROL_NODE& row : panel.Node->children)
        if (auto* option = dynamic_cast<__option*>(FirstChild(row.control.get())))
        {
            option->Selected = false;
            Wear(*option, false);
        }
}

} // namespace

void __check::OnEvents()
{
    if (!PressedOn(Events))
        return;
    Checked = !Checked;
    Wear(*this, Checked);
    SendCommand(*this, Parent(), CHECK_TOGGLED);
}

void __option::OnEvents()
{
    if (!PressedOn(Events))
        return;
    CONTROL* row = Parent();
    CONTROL* panel = row ? row->Parent() : nullptr;
    if (panel)
        UnselectOptions(*panel);
    if (!CtrlHeld())
    {
        Selected = true;
        Wear(*this, true);
    }
    SendCommand(*this, panel, OPTION_CLICKED);
}

} // namespace OV_GUI
} // namespace OvCore

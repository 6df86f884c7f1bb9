// Menus: a press on a menu button opens its list; the list stays open while the cursor is on
// it, a sub-menu keeps the lists around it open, and a click elsewhere closes it.
//
// The parts (gui/gui_menus.cpp): a menu button (a C_GUI_CONTROL tagged "menubutton", or
// "menuitem" inside another list) holds a __menu tagged "menu", which holds its list, a
// __menu tagged "menulist" whose entries are buttons and sub-menu buttons.
#include "gui/behaviour_common.h"
#include "gui/gui_widget_ops.h"

#include <vector>

namespace OvCore
{
namespace OV_GUI
{

namespace
{

void Show(CONTROL& list, bool open)
{
    list.Active = open;
    list.Visible = open;
}

// The list of a "menu" control, null when its first child is no list.
CONTROL* ListIn(CONTROL* menu)
{
    CONTROL* list = FirstChild(menu);
    return list && list->HasTag("menulist") ? list : nullptr;
}

// The list of a menu button: the first child of its first child.
CONTROL* ListOf(CONTROL* menuButton)
{
    CONTROL* menu = FirstChild(menuButton);
    return menu && menu->HasTag("menu") ? ListIn(menu) : nullptr;
}

void MenuEvents(__menu& menu)
{
    CONTROL* button = menu.Parent();
    if (menu.Events & MOUSE_ENTER)
        SendCommand(menu, button, MENU_ENTERED);
    if (menu.Events & MOUSE_LEAVE)
        SendCommand(menu, button, MENU_LEFT);
    CONTROL* list = ListIn(&menu);
    if ((menu.Events & MOUSE_PRESSED) && list)
    {
        Show(*list, true);
        SendCommand(menu, button, MENU_OPENED);
    }
}

// A sub-menu's list in use keeps the list holding its menu item open; that list's own
// OnEvents passes it on outwards, one enclosing list per level of the (bounded) tree.
void KeepEnclosingOpen(__menu& list)
{
    CONTROL* menu = list.Parent();
    CONTROL* button = menu ? menu->Parent() : nullptr;
    const bool inUse = (list.Events & MOUSE_OVER) || (menu && (menu->Events & MOUSE_OVER));
    if (!inUse || !button || !button->HasTag("menuitem"))
        return;
    CONTROL* enclosing = button->Parent();
    if (!enclosing)
        return;
    Show(*enclosing, true);
    SendCommand(list, enclosing, MOUSE_OVER);
}

void ListEvents(__menu& list)
{
    if (list.Events & MOUSE_OVER)
        Show(list, true);
    KeepEnclosingOpen(list);
    CONTROL* menu = list.Parent();
    if ((list.Events & MOUSE_HELD) && !(list.Events & MOUSE_OVER) && menu &&
        (menu->Events & MOUSE_OUT))
        Show(list, false);
}

} // namespace

void __menu::OnEvents()
{
    if (HasTag("menu"))
        MenuEvents(*this);
    else if (HasTag("menulist"))
        ListEvents(*this);
}

bool MenuExpand(CONTROL* menuButton)
{
    CONTROL* list = ListOf(menuButton);
    if (!list)
        return false;
    Show(*list, true);
    return true;
}

// Iterative: sub-menus may nest as deep as the tree allows.
bool MenuCollapse(CONTROL* menuButton)
{
    CONTROL* top = ListOf(menuButton);
    if (!top)
        return false;
    std::vector<CONTROL*> lists{top};
    while (!lists.empty())
    {
        CONTROL* list = lists.back();
        lists.pop_back();
        Show(*list, false);
        for (CONTROL_NODE& entry : list->Node->children)
            if (entry.control->HasTag("menuitem"))
                if (CONTROL* inner = ListOf(entry.control.get()))
                    lists.push_back(inner);
    }
    return true;
}

} // namespace OV_GUI
} // namespace OvCore

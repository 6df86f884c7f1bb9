// The factories of menus, their entries and combo boxes.
#include "gui/gui_factories.h"

#include "gui/gui_factory_parts.h"
#include "gui/gui_skin.h"

namespace OvCore
{
namespace OV_GUI
{

using Com::C_GUI_CONTROL;

namespace
{

// List dock flags a combo box takes as they are; others dock the list below the box. The
// lower bound is 0x63: a list docked only to the top edge (0x40) is not taken, one docked to
// the top and left edges (0x140) is.
bool IsComboDock(uint32_t flags)
{
    return flags > 0x63 && flags < 0x4000;
}

CONTROL* BuildMenu(SKIN_BUILDER& builder, CONTROL* parent, const OV_VECTOR_F& position,
                   const OV_VECTOR_F& size, const char* caption, OvHandle icon, uint32_t listDock)
{
    auto* button = builder.Part<C_GUI_CONTROL>(parent);
    button->Position = position;
    button->Size = size;
    button->CutArea = false;
    builder.Styles(button, "AreaActive", "AreaUnactive");
    button->Text = caption;
    button->Icon = icon;
    button->SetTag("menubutton");
    auto* menu = builder.Part<__menu>(button);
    menu->Behaviour = INHERIT_SIZE;
    menu->CutArea = false; // its list drops out of its box
    menu->SetTag("menu");
    auto* list = builder.Part<__menu>(menu);
    list->CutArea = false;
    list->SetTag("menulist");
    builder.Styles(list, "ListArea", "ListArea");
    list->Behaviour = listDock;
    list->Visible = false;
    list->Active = false;
    return button;
}

// The list of a menu button: the first child of its first child.
CONTROL* MenuList(CONTROL* menuButton)
{
    if (!menuButton || !menuButton->Node || menuButton->Node->children.empty())
        return nullptr;
    CONTROL_NODE& menu = menuButton->Node->children.front();
    return menu.children.empty() ? nullptr : menu.children.front().control.get();
}

// Every entry in tree order at x = 0 below the ones before it, `width` wide; the list grows
// to hold them and a new entry `height` high. Returns where the new entry goes.
float StackList(CONTROL& list, float width, float height)
{
    float y = 0;
    for (CONTROL_NODE& entry : list.Node->children)
    {
        entry.control->Position.x = 0;
        entry.control->Position.y = y;
        entry.control->Size.x = width;
        y += entry.control->Size.y;
    }
    list.Size.x = width;
    list.Size.y = y + height;
    return y;
}

} // namespace

CONTROL* CreateMenu(GUI_SYSTEM& system, const PLACE& place, const char* caption, OvHandle icon,
                    uint32_t listDock)
{
    SKIN_BUILDER builder(system, place.skin);
    CONTROL* button =
        BuildMenu(builder, place.parent, place.position, place.size, caption, icon, listDock);
    return builder.Finish(button, place.name);
}

CONTROL* AddSubMenu(GUI_SYSTEM& system, const PLACE& place, const char* caption, OvHandle icon,
                    uint32_t listDock)
{
    CONTROL* list = MenuList(place.parent);
    if (!list || list->System != &system)
        return nullptr;
    const float y = StackList(*list, place.size.x, place.size.y);
    SKIN_BUILDER builder(system, place.skin);
    CONTROL* entry =
        BuildMenu(builder, list, OV_VECTOR_F(0, y), place.size, caption, icon, listDock);
    entry->SetTag("menuitem");
    return builder.Finish(entry, place.name);
}

CONTROL* AddMenuButton(GUI_SYSTEM& system, const PLACE& place, const char* caption, OvHandle icon)
{
    CONTROL* list = MenuList(place.parent);
    if (!list || list->System != &system)
        return nullptr;
    const float y = StackList(*list, place.size.x, place.size.y);
    SKIN_BUILDER builder(system, place.skin);
    CONTROL* entry = BuildButton(builder, list, OV_VECTOR_F(0, y), place.size, caption, icon);
    return builder.Finish(entry, place.name);
}

CONTROL* CreateComboBox(GUI_SYSTEM& system, const PLACE& place, OV_VECTOR_F listSize,
                        OV_VECTOR_F barSize, const MARGINS& content, uint32_t listDock,
                        float iconSize)
{
    SKIN_BUILDER builder(system, place.skin);
    auto* box = builder.Part<C_GUI_CONTROL>(place.parent);
    box->Position = place.position;
    box->Size = place.size;
    box->CutArea = false;
    builder.Styles(box, "ButtonActive", "ButtonUnactive");
    auto* face = builder.Part<__combo>(box);
    face->Behaviour = INHERIT_SIZE;
    face->SetTag("comboboxm");
    // The list opens outside the box: clipped to the box, it could be neither seen nor hit.
    face->CutArea = false;

    const SCROLL_PLANE list = BuildScrollPlane(builder, face, OV_VECTOR_F(0, 0), listSize,
                                               barSize.x, barSize.y, 0, 0, content, true);
    list.outer->Behaviour = IsComboDock(listDock) ? listDock : DOCK_TO_EDGE_BOTTOM;
    list.outer->Active = false;
    list.outer->Visible = false;

    auto* icon = builder.Part<__default>(face);
    icon->SetTag("comboboxic");
    icon->Behaviour = DOCK_TO_MIDDLE | DOCK_TO_EDGE_RIGHT_INSIDE;
    icon->Size = OV_VECTOR_F(iconSize, iconSize);
    builder.Styles(icon, "IconActive", "IconUnactive");
    icon->Hitable = false;
    return builder.Finish(box, place.name);
}

} // namespace OV_GUI
} // namespace OvCore

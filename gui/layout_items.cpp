// Item and Menu elements: what they make depends on the control they are nested in.
#include "gui/gui_factories.h"
#include "gui/gui_items.h"
#include "gui/layout_parts.h"

#include <cstring>

namespace OvCore
{
namespace OV_GUI
{

namespace
{

// The parent's tag as the whole content of its Extend buffer.
OV_STRING TagOf(CONTROL& control)
{
    OV_STRING tag;
    control.Extend.Seek(0, false, false);
    control.Extend.ReadString(tag, false);
    return tag;
}

bool FirstChildTagged(CONTROL& control, const char* tag)
{
    return control.Node && !control.Node->children.empty() &&
           control.Node->children.front().control->HasTag(tag);
}

// The menu side of the ListDockType words; other words keep `fallback`.
uint32_t MenuDock(const char* word, uint32_t fallback)
{
    const struct
    {
        const char* word;
        uint32_t value;
    } docks[] = {{"TOP", 0x40},    {"BOTTOM", 0x80},   {"LEFT", 0x100},
                 {"RIGHT", 0x200}, {"LEFT-UP", 0x500}, {"RIGHT-UP", 0x600}};
    for (const auto& dock : docks)
        if (std::strcmp(dock.word, word) == 0)
            return dock.value;
    return fallback;
}

LAYOUT_BUILT Entry(CONTROL* control, bool eventProc)
{
    LAYOUT_BUILT built;
    built.control = control;
    built.eventProc = eventProc;
    return built;
}

// A menu entry: a push button in the menu's list.
CONTROL* MenuEntry(LAYOUT_LOAD& load, LAYOUT_ELEMENT& element, CONTROL& parent,
                   const OV_STRING& text)
{
    const std::string skin = element.Text("Skin");
    PLACE place;
    place.skin = skin.c_str();
    place.size = element.Vector("Size");
    place.parent = &parent;
    return AddMenuButton(load.system, place, text.Text(), IconOf(load, element));
}

} // namespace

LAYOUT_BUILT BuildItem(LAYOUT_LOAD& load, LAYOUT_ELEMENT& element, CONTROL* parent)
{
    if (!parent)
        return {};
    const OV_STRING tag = TagOf(*parent);
    const OV_STRING text = element.Content();
    const std::string skin = element.Text("Skin");
    CONTROL* row = nullptr;
    bool eventProc = false;
    if (tag == "listbox")
        row = AddListItem(skin.c_str(), text.Text(), element.Number("Size"), parent);
    else if (tag == "checkbox")
        row = AddCheckItem(skin.c_str(), text.Text(), element.Number("Size"),
                           element.Vector("CheckSize"), parent);
    else if (tag == "optionbox")
        row = AddOptionItem(skin.c_str(), text.Text(), element.Number("Size"),
                            element.Vector("OptSize"), parent);
    else if (tag == "menubutton" || tag == "menuitem")
    {
        row = MenuEntry(load, element, *parent, text);
        eventProc = true;
    }
    else if (FirstChildTagged(*parent, "comboboxm"))
        row = AddComboItem(skin.c_str(), text.Text(), element.Number("Size"), parent);
    UnescapeText(row);
    return Entry(row, eventProc);
}

LAYOUT_BUILT BuildMenu(LAYOUT_LOAD& load, LAYOUT_ELEMENT& element, CONTROL* parent)
{
    const bool subMenu = parent && TagOf(*parent) == "menubutton";
    const OV_STRING text = element.Content();
    const std::string skin = element.Text("Skin");
    const std::string name = element.Text("Name");
    PLACE place;
    place.skin = skin.c_str();
    place.parent = parent;
    CONTROL* menu = nullptr;
    if (subMenu)
    {
        place.size = element.Vector("Size");
        const OvHandle icon = IconOf(load, element);
        const uint32_t dock = MenuDock(element.Text("ListDockType"), DOCK_TO_EDGE_RIGHT);
        menu = AddSubMenu(load.system, place, text.Text(), icon, dock);
    }
    else
    {
        place.position = element.Vector("Position");
        place.size = element.Vector("Size");
        const OvHandle icon = IconOf(load, element);
        const uint32_t dock = MenuDock(element.Text("ListDockType"), DOCK_TO_EDGE_BOTTOM);
        place.name = name.empty() ? nullptr : name.c_str();
        menu = CreateMenu(load.system, place, text.Text(), icon, dock);
    }
    UnescapeText(menu);
    LAYOUT_BUILT built = Entry(menu, true);
    built.children = true;
    return built;
}

} // namespace OV_GUI
} // namespace OvCore

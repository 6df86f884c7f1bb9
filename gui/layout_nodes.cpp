// The attribute forms of layout elements and the node kinds built straight through one
// factory each.
#include "gui/gui_factories.h"
#include "gui/layout_parts.h"

#include <cstring>

namespace OvCore
{
namespace OV_GUI
{

const char* LAYOUT_ELEMENT::Text(const char* key)
{
    MARKUP_ATTRIBUTE* attribute = node_.FindAttribute(".", key, MARKUP_FIND, &node_);
    return attribute ? attribute->value.Text() : "";
}

OV_VECTOR_F LAYOUT_ELEMENT::Vector(const char* key, OV_VECTOR_F fallback)
{
    const OV_STRING value(Text(key));
    if (value.Length() > 0)
        value.ParseTyped(&fallback, sizeof(fallback), 'f');
    return fallback;
}

float LAYOUT_ELEMENT::Number(const char* key)
{
    const OV_STRING value(Text(key));
    float number = 0;
    if (value.Length() > 0)
        value.ParseTyped(&number, sizeof(number), 'h');
    return number;
}

bool LAYOUT_ELEMENT::Switch(const char* key)
{
    return std::strcmp(Text(key), "On") == 0;
}

OV_STRING LAYOUT_ELEMENT::Content()
{
    MARKUP_NODE* text = node_.FindNode("./", MARKUP_FIND, &node_);
    return text && text->name.Length() == 0 ? text->text : OV_STRING();
}

MARGINS LAYOUT_ELEMENT::Margins(const char* key)
{
    const OV_VECTOR_F m = Vector(key, OV_VECTOR_F(0, 0, 0, 0));
    return {m.x, m.y, m.z, m.w};
}

OvHandle IconOf(LAYOUT_LOAD& load, LAYOUT_ELEMENT& element)
{
    const char* name = element.Text("Icon");
    OvHandle* icon = *name ? load.icons.Get(name).Get() : nullptr;
    return icon ? *icon : OvHandle{0, nullptr};
}

void UnescapeText(CONTROL* control)
{
    if (control)
        control->Text.Unescape();
}

namespace
{

// The common arguments of the factories: Position, Size, Name and Skin.
struct ELEMENT_PLACE
{
    std::string name, skin;
    PLACE place;

    ELEMENT_PLACE(LAYOUT_ELEMENT& element, CONTROL* parent)
        : name(element.Text("Name")), skin(element.Text("Skin"))
    {
        place.skin = skin.c_str();
        place.name = name.empty() ? nullptr : name.c_str();
        place.position = element.Vector("Position");
        place.size = element.Vector("Size");
        place.parent = parent;
    }
};

// Control: a bare C_GUI_CONTROL; its fields are the OnLoad script's to set.
CONTROL* BuildControl(LAYOUT_LOAD& load, LAYOUT_ELEMENT& element, CONTROL* parent)
{
    CONTROL* control = load.system.AddControl(new Com::C_GUI_CONTROL, parent);
    const char* name = element.Text("Name");
    if (control && *name)
        load.system.NameControl(name, control);
    return control;
}

uint32_t WindowDecoration(LAYOUT_ELEMENT& element)
{
    return (element.Switch("Caption") ? WINDOW_TITLE_BAR : 0) |
           (element.Switch("ButtonClose") ? WINDOW_CLOSE_BUTTON : 0) |
           (element.Switch("ButtonMin") ? WINDOW_MINIMISE_BUTTON : 0) |
           (element.Switch("ButtonFull") ? WINDOW_FULL_SIZE_BUTTON : 0);
}

CONTROL* BuildWindow(LAYOUT_LOAD& load, LAYOUT_ELEMENT& element, CONTROL* parent)
{
    const uint32_t decoration = WindowDecoration(element);
    const OvHandle icon = IconOf(load, element);
    const MARGINS margins = element.Margins("Margin");
    const std::string title = element.Text("Title");
    const ELEMENT_PLACE at(element, parent);
    return CreateWindow(load.system, at.place, title.c_str(), decoration, icon, margins);
}

CONTROL* BuildScrollPlane(LAYOUT_LOAD& load, LAYOUT_ELEMENT& element, CONTROL* parent)
{
    const ELEMENT_PLACE at(element, parent);
    const OV_VECTOR_F bars = element.Vector("BarSize");
    const OV_VECTOR_F content = element.Vector("ContentSize");
    return CreateScrollPlane(load.system, at.place, bars.x, bars.y, content.x, content.y,
                             element.Margins("Margin"));
}

// A list box scrolls vertically only: BarSize is the width of its one bar.
CONTROL* BuildListBox(LAYOUT_LOAD& load, LAYOUT_ELEMENT& element, CONTROL* parent)
{
    const ELEMENT_PLACE at(element, parent);
    const float bar = element.Number("BarSize");
    return CreateListBox(load.system, at.place, bar, 0, 0, 0, element.Margins("Margin"));
}

CONTROL* BuildCaptioned(LAYOUT_LOAD& load, LAYOUT_ELEMENT& element, CONTROL* parent, bool button)
{
    const OvHandle icon = button ? IconOf(load, element) : OvHandle{0, nullptr};
    const OV_STRING content = element.Content();
    const ELEMENT_PLACE at(element, parent);
    CONTROL* control = button ? CreateButton(load.system, at.place, content.Text(), icon)
                              : CreateStatic(load.system, at.place, content.Text());
    UnescapeText(control);
    return control;
}

CONTROL* BuildPanel(LAYOUT_LOAD& load, LAYOUT_ELEMENT& element, CONTROL* parent, bool option)
{
    const ELEMENT_PLACE at(element, parent);
    const MARGINS cut = element.Margins("Margin");
    return option ? CreateOptionBox(load.system, at.place, cut.top, cut.bottom, cut.left)
                  : CreateCheckBox(load.system, at.place, cut.top, cut.bottom, cut.left);
}

CONTROL* BuildEditBox(LAYOUT_LOAD& load, LAYOUT_ELEMENT& element, CONTROL* parent)
{
    const ELEMENT_PLACE at(element, parent);
    const bool password = element.Switch("Password");
    return CreateEditBox(load.system, at.place, element.Content().Text(), password);
}

CONTROL* BuildGroup(LAYOUT_LOAD& load, LAYOUT_ELEMENT& element, CONTROL* parent)
{
    const ELEMENT_PLACE at(element, parent);
    const std::string title = element.Text("Title");
    return CreateGroup(load.system, at.place, title.c_str());
}

uint32_t ComboDock(const char* word);

// The drop-down list scrolls vertically with a bar BarSize wide; the arrow icon is a square
// as high as the box.
CONTROL* BuildComboBox(LAYOUT_LOAD& load, LAYOUT_ELEMENT& element, CONTROL* parent)
{
    const ELEMENT_PLACE at(element, parent);
    const OV_VECTOR_F listSize = element.Vector("ListSize");
    const float bar = element.Number("BarSize");
    const MARGINS margins = element.Margins("Margin");
    const uint32_t dock = ComboDock(element.Text("ListDockType"));
    const std::string caption = element.Text("Text");
    CONTROL* box = CreateComboBox(load.system, at.place, listSize, OV_VECTOR_F(bar, 0), margins,
                                  dock, at.place.size.y);
    if (box)
        box->Text = caption.c_str();
    return box;
}

uint32_t ComboDock(const char* word)
{
    const struct
    {
        const char* word;
        uint32_t value;
    } docks[] = {{"TOP", 0x40},    {"BOTTOM", 0x80},   {"LEFT", 0x100},
                 {"RIGHT", 0x200}, {"LEFT-UP", 0x140}, {"RIGHT-UP", 0x240}};
    for (const auto& dock : docks)
        if (std::strcmp(dock.word, word) == 0)
            return dock.value;
    return DOCK_TO_EDGE_BOTTOM;
}

} // namespace

LAYOUT_BUILT BuildElement(LAYOUT_LOAD& load, LAYOUT_ELEMENT& element, CONTROL* parent, bool& known)
{
    const OV_STRING kind(element.Kind());
    known = true;
    // kind: control, procedures honoured (event, render), children taken
    auto built = [](CONTROL* control, bool eventProc, bool renderProc, bool children)
    {
        LAYOUT_BUILT result;
        result.control = control;
        result.eventProc = eventProc;
        result.renderProc = renderProc;
        result.children = children;
        return result;
    };
    if (kind == "Control")
        return built(BuildControl(load, element, parent), true, true, true);
    if (kind == "Window")
        return built(BuildWindow(load, element, parent), true, true, true);
    if (kind == "Button" || kind == "Static")
        return built(BuildCaptioned(load, element, parent, kind == "Button"), true, true, true);
    if (kind == "ScrollPlane")
        return built(BuildScrollPlane(load, element, parent), true, true, true);
    if (kind == "ProgressBar")
    {
        const ELEMENT_PLACE at(element, parent);
        return built(CreateProgressBar(load.system, at.place, element.Margins("Margin")), true,
                     false, false);
    }
    if (kind == "ListBox")
        return built(BuildListBox(load, element, parent), true, false, true);
    if (kind == "CheckBox" || kind == "OptionBox")
        return built(BuildPanel(load, element, parent, kind == "OptionBox"), true, false, true);
    if (kind == "Slider")
    {
        const ELEMENT_PLACE at(element, parent);
        return built(CreateSlider(load.system, at.place), true, false, false);
    }
    if (kind == "EditBox")
        return built(BuildEditBox(load, element, parent), true, false, false);
    if (kind == "Group")
        return built(BuildGroup(load, element, parent), false, false, true);
    if (kind == "ComboBox")
        return built(BuildComboBox(load, element, parent), true, false, true);
    if (kind == "Item")
        return BuildItem(load, element, parent);
    if (kind == "Menu")
        return BuildMenu(load, element, parent);
    known = false;
    return {};
}

} // namespace OV_GUI
} // namespace OvCore

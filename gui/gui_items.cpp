// The item operations of list, check, option and combo boxes: adding rows with their
// styles, stacking them, taking them out and reading which are selected.
#include "gui/gui_items.h"

#include "gui/behaviour_common.h"
#include "gui/gui_skin.h"
#include "gui/gui_system.h"
#include "gui/gui_widget_ops.h"

#include <algorithm>

namespace OvCore
{
namespace OV_GUI
{

namespace
{

bool InTree(const CONTROL* control)
{
    return control && control->System && control->System->Contains(control->Node);
}

// A container of `tag` that has room for one more row.
bool TakesRow(const CONTROL* container, const char* tag)
{
    return InTree(container) && container->HasTag(tag) &&
           container->Node->children.size() < ITEM_LIMIT;
}

bool Measurable(float length)
{
    return length >= 0 && length <= ITEM_SIZE_LIMIT; // false for NaN
}

// Every row at x = 0 below the rows before it; returns the height they take.
float Restack(CONTROL& container)
{
    float y = 0;
    for (CONTROL_NODE& row : container.Node->children)
    {
        row.control->Position.x = 0;
        row.control->Position.y = y;
        y += row.control->Size.y;
    }
    return y;
}

// A row `height` high below the rows already there, fitted to the container's width.
template <class ROW> ROW* AppendRow(CONTROL& container, const char* text, float height)
{
    const float y = Restack(container);
    auto* row = static_cast<ROW*>(container.System->AddControl(new ROW, &container));
    if (!row)
        return nullptr;
    row->Behaviour = FIT_TO_EDGE_LEFT | FIT_TO_EDGE_RIGHT;
    row->Position = OV_VECTOR_F(0, y);
    row->Size = OV_VECTOR_F(0, height);
    row->Text = text;
    return row;
}

// Each row's box centred in a row `height` high, never left of the row's start.
void CentreBoxes(CONTROL& panel, float height)
{
    for (CONTROL_NODE& row : panel.Node->children)
        if (CONTROL* box = FirstChild(row.control.get()))
        {
            box->Position.x = std::max(0.0f, height * 0.5f - box->Size.x * 0.5f);
            box->Position.y = height * 0.5f - box->Size.y * 0.5f;
        }
}

template <class BOX> void SetBoxStyles(BOX& box, GUI_SYSTEM& system, const char* skin)
{
    box.ActiveOnStyle = StyleOf(system, skin, "CellActiveOn");
    box.UnactiveOnStyle = StyleOf(system, skin, "CellUnactiveOn");
    box.ActiveOffStyle = StyleOf(system, skin, "CellActiveOff");
    box.UnactiveOffStyle = StyleOf(system, skin, "CellUnactiveOff");
    box.StyleActive = box.ActiveOffStyle;
    box.StyleUnactive = box.UnactiveOffStyle;
}

template <class BOX>
CONTROL* AddBoxItem(const char* skin, const char* text, float height, const OV_VECTOR_F& boxSize,
                    CONTROL* panel, const char* tag)
{
    if (!TakesRow(panel, tag) || !Measurable(height) || !Measurable(boxSize.x) ||
        !Measurable(boxSize.y))
        return nullptr;
    GUI_SYSTEM& system = *panel->System;
    auto* row = AppendRow<__default>(*panel, text, height);
    if (!row)
        return nullptr;
    row->StyleActive = StyleOf(system, skin, "CellActive");
    row->StyleUnactive = StyleOf(system, skin, "CellUnactive");
    auto* box = static_cast<BOX*>(system.AddControl(new BOX, row));
    if (!box)
    {
        system.RemoveControl(row);
        return nullptr;
    }
    box->Size = OV_VECTOR_F(boxSize.x, boxSize.y);
    SetBoxStyles(*box, system, skin);
    CentreBoxes(*panel, height);
    return row;
}

// Combo rows ask for "CellIUnactive" while inactive; a skin without that element gives them
// the "CellUnactive" every other row uses, so they are not left with the default style.
STYLE_REF ComboUnactiveStyle(GUI_SYSTEM& system, const char* skin)
{
    auto found = system.Skins.Find(skin ? skin : "");
    const bool named = found && found->Find("CellIUnactive");
    return StyleOf(system, skin, named ? "CellIUnactive" : "CellUnactive");
}

// The list content of a combo box, given the content itself or the combo box.
CONTROL* ComboListOf(CONTROL* control)
{
    if (control && control->HasTag("comboboxl"))
        return control;
    CONTROL* face = FirstChild(control);
    if (!face || !face->HasTag("comboboxm"))
        return nullptr;
    CONTROL* list = FirstChild(FirstChild(face));
    return list && list->HasTag("comboboxl") ? list : nullptr;
}

bool IsSelectedRow(const CONTROL& row)
{
    if (const auto* entry = dynamic_cast<const __list*>(&row))
        return entry->Selected;
    if (const auto* list = dynamic_cast<const __combo*>(row.Parent()))
        return list->SelectedItem == &row;
    const CONTROL* box = FirstChild(&row);
    if (const auto* check = dynamic_cast<const __check*>(box))
        return check->Checked;
    if (const auto* option = dynamic_cast<const __option*>(box))
        return option->Selected;
    return false;
}

enum class PICK
{
    ALL,
    SELECTED,
    UNSELECTED
};

void CollectRows(const CONTROL* container, std::vector<CONTROL*>& rows, PICK pick)
{
    rows.clear();
    if (!container || !container->Node)
        return;
    for (const CONTROL_NODE& row : container->Node->children)
        if (pick == PICK::ALL || IsSelectedRow(*row.control) == (pick == PICK::SELECTED))
            rows.push_back(row.control.get());
}

// A combo list forgets a row it is about to lose.
void ForgetSelection(CONTROL& container, const CONTROL* row)
{
    auto* list = dynamic_cast<__combo*>(&container);
    if (list && (!row || list->SelectedItem == row))
        list->SelectedItem = nullptr;
}

} // namespace

__list* AddListItem(const char* skin, const char* text, float height, CONTROL* list)
{
    if (!TakesRow(list, "listbox") || !Measurable(height))
        return nullptr;
    auto* row = AppendRow<__list>(*list, text, height);
    if (!row)
        return nullptr;
    GUI_SYSTEM& system = *list->System;
    row->StyleActive = StyleOf(system, skin, "CellActive");
    row->StyleUnactive = StyleOf(system, skin, "CellUnactive");
    row->OverStyle = StyleOf(system, skin, "CellOver");
    row->SelectedStyle = StyleOf(system, skin, "CellSelected");
    row->NormalStyle = row->StyleActive;
    ScrollSetContentSize(list, 0, row->Position.y + height);
    return row;
}

CONTROL* AddCheckItem(const char* skin, const char* text, float height, const OV_VECTOR_F& boxSize,
                      CONTROL* checkBox)
{
    return AddBoxItem<__check>(skin, text, height, boxSize, checkBox, "checkbox");
}

CONTROL* AddOptionItem(const char* skin, const char* text, float height, const OV_VECTOR_F& boxSize,
                       CONTROL* optionBox)
{
    return AddBoxItem<__option>(skin, text, height, boxSize, optionBox, "optionbox");
}

__comboitem* AddComboItem(const char* skin, const char* text, float height, CONTROL* comboList)
{
    CONTROL* list = ComboListOf(comboList);
    if (!TakesRow(list, "comboboxl") || !Measurable(height))
        return nullptr;
    auto* row = AppendRow<__comboitem>(*list, text, height);
    if (!row)
        return nullptr;
    GUI_SYSTEM& system = *list->System;
    row->StyleActive = StyleOf(system, skin, "CellActive");
    row->StyleUnactive = ComboUnactiveStyle(system, skin);
    row->HoverStyle = StyleOf(system, skin, "CellOver");
    row->NormalStyle = row->StyleActive;
    ScrollSetContentSize(list, 0, row->Position.y + height);
    return row;
}

bool RemoveItem(CONTROL* container, int index)
{
    if (!InTree(container) || index < 0 || uint32_t(index) >= CountItems(container))
        return false;
    auto row = container->Node->children.begin();
    std::advance(row, index);
    CONTROL* doomed = row->control.get();
    ForgetSelection(*container, doomed);
    container->System->RemoveControl(doomed);
    Restack(*container);
    return true;
}

bool ClearItems(CONTROL* container)
{
    static constexpr const char* CONTAINERS[] = {"listbox", "checkbox", "optionbox", "comboboxl"};
    if (!InTree(container) ||
        std::none_of(std::begin(CONTAINERS), std::end(CONTAINERS),
                     [container](const char* tag) { return container->HasTag(tag); }))
        return false;
    ForgetSelection(*container, nullptr);
    std::vector<CONTROL*> doomed;
    GetItems(container, doomed);
    for (CONTROL* row : doomed)
        container->System->RemoveControl(row);
    return true;
}

uint32_t CountItems(const CONTROL* container)
{
    return container && container->Node ? uint32_t(container->Node->children.size()) : 0;
}

void GetItems(const CONTROL* container, std::vector<CONTROL*>& rows)
{
    CollectRows(container, rows, PICK::ALL);
}

void GetSelectedItems(const CONTROL* container, std::vector<CONTROL*>& rows)
{
    CollectRows(container, rows, PICK::SELECTED);
}

void GetUnselectedItems(const CONTROL* container, std::vector<CONTROL*>& rows)
{
    CollectRows(container, rows, PICK::UNSELECTED);
}

CONTROL* GetSelectedOption(const CONTROL* optionBox)
{
    if (!optionBox || !optionBox->Node)
        return nullptr;
    for (const CONTROL_NODE& row : optionBox->Node->children)
    {
        const auto* option = dynamic_cast<const __option*>(FirstChild(row.control.get()));
        if (option && option->Selected)
            return row.control.get();
    }
    return nullptr;
}

} // namespace OV_GUI
} // namespace OvCore

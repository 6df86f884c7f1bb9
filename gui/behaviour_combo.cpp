// Combo boxes: pressing the box opens its drop-down list; a press anywhere off the list and
// off the box closes it again; choosing an item closes it and puts the item's text on the
// box. The box (the control CreateComboBox returned) hears of it all by command bits.
#include "gui/behaviour_common.h"
#include "gui/gui_items.h"

namespace OvCore
{
namespace OV_GUI
{

namespace
{

// The control `levels` parents up; null past the root.
CONTROL* Ancestor(CONTROL* control, int levels)
{
    for (; control && levels > 0; --levels)
        control = control->Parent();
    return control;
}

// A drop-down list takes input exactly while it is shown.
void Show(CONTROL* list, bool shown)
{
    if (!list)
        return;
    list->Active = shown;
    list->Visible = shown;
}

// The control filling the combo box ("comboboxm"); its first child is the list's outer area.
void OnFaceEvents(__combo& face)
{
    CONTROL* box = face.Parent();
    if (face.Events & MOUSE_ENTER)
        SendCommand(face, box, COMBO_ENTERED);
    if (face.Events & MOUSE_LEAVE)
        SendCommand(face, box, COMBO_LEFT);
    if (face.Events & MOUSE_PRESSED)
    {
        Show(FirstChild(&face), true);
        SendCommand(face, box, COMBO_OPENED);
    }
}

// The list's content ("comboboxl"), delivered after its outer area and the face, whose bits
// of this pass are still set.
void OnListEvents(__combo& list)
{
    CONTROL* outer = list.Parent();
    CONTROL* face = outer ? outer->Parent() : nullptr;
    if (!face)
        return;
    if (outer->Events & MOUSE_OVER)
        Show(outer, true);
    const bool pressedElsewhere = (outer->Events & MOUSE_HELD) && (outer->Events & MOUSE_OUT);
    if (pressedElsewhere && (face->Events & MOUSE_OUT))
        Show(outer, false);
}

} // namespace

void __combo::OnEvents()
{
    if (HasTag("comboboxm"))
        OnFaceEvents(*this);
    else if (HasTag("comboboxl"))
        OnListEvents(*this);
}

void __comboitem::OnEvents()
{
    if (PressedOn(Events))
    {
        StyleActive = NormalStyle;
        CONTROL* list = Parent();
        if (auto* content = dynamic_cast<__combo*>(list))
            content->SelectedItem = this;
        Show(Ancestor(list, 1), false);
        if (CONTROL* box = Ancestor(list, 3))
        {
            box->Text = Text;
            SendCommand(*this, box, COMBO_CHOSEN);
        }
    }
    if (Events & MOUSE_ENTER)
        StyleActive = HoverStyle;
    if (Events & MOUSE_LEAVE)
        StyleActive = NormalStyle;
}

} // namespace OV_GUI
} // namespace OvCore

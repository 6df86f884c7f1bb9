// The rows of the selection controls. A list box keeps its rows (__list) in the content of
// its scroll plane (tag "listbox"), a check or option box in its panel (tag "checkbox" or
// "optionbox": each row a __default whose first child is its __check or __option box), a
// combo box in the content of its drop-down list (tag "comboboxl": __comboitem rows). Rows
// are the container's children in tree order, stacked from the top (each at x = 0 and at
// the sum of the heights before it) and fitted to the container's width.
//
// The application reads which rows are selected; list rows report nothing, the others
// send the command bits below (SendEvent, mode 2, cleared).
#pragma once

#include "gui/gui_control.h"

#include <cstdint>
#include <vector>

namespace OvCore
{
namespace OV_GUI
{

// A check box's row when its box was clicked (Checked has changed).
constexpr uint32_t CHECK_TOGGLED = 0x800;
// An option box's panel when one of its boxes was clicked.
constexpr uint32_t OPTION_CLICKED = 0x800;
// The combo box (the control CreateComboBox returned): an item was chosen (its Text is now
// the box's), the cursor entered or left the box, the box was pressed and its list opened.
constexpr uint32_t COMBO_CHOSEN = 0x800;   // an item was chosen; the box shows its Text
constexpr uint32_t COMBO_ENTERED = 0x1000; // the cursor entered the box
constexpr uint32_t COMBO_LEFT = 0x2000;    // the cursor left the box
constexpr uint32_t COMBO_OPENED = 0x4000;  // the box was pressed and its list opened

// Rows one container holds at most: an add past it is refused (null) and changes nothing.
constexpr uint32_t ITEM_LIMIT = 4096;
// The largest row height and box side in pixels, so a full container stays finite.
constexpr float ITEM_SIZE_LIMIT = 1000000;

// Each add restacks the rows already there and appends the new one at the bottom, with the
// styles of `skin`. Null, adding nothing, when the container is not in a tree or does not
// carry its tag, when it holds ITEM_LIMIT rows, or for a height (or box size) that is
// negative, not finite or above ITEM_SIZE_LIMIT. A list or combo list then sets its scroll plane's
// content height to the sum of the row heights.
__list* AddListItem(const char* skin, const char* text, float height, CONTROL* list);
// Every row's box, old and new, is centred in a row of the new height (never left of 0).
CONTROL* AddCheckItem(const char* skin, const char* text, float height, const OV_VECTOR_F& boxSize,
                      CONTROL* checkBox);
CONTROL* AddOptionItem(const char* skin, const char* text, float height, const OV_VECTOR_F& boxSize,
                       CONTROL* optionBox);
// `comboList` is the list content (tag "comboboxl") or the combo box itself (the control
// whose first child carries "comboboxm"), as a layout file names it.
__comboitem* AddComboItem(const char* skin, const char* text, float height, CONTROL* comboList);

// Takes out the row at the 0-based index with its subtree and restacks the others; false
// for an index past the end. The scroll plane's content size stays.
bool RemoveItem(CONTROL* container, int index);
// Takes out every row of a container carrying "listbox", "checkbox", "optionbox" or
// "comboboxl"; false for any other control.
bool ClearItems(CONTROL* container);
// The number of rows; a null container has none.
uint32_t CountItems(const CONTROL* container);
// Empties `rows`, then fills it with every row in tree order (none for a null container).
void GetItems(const CONTROL* container, std::vector<CONTROL*>& rows);
// Empties `rows`, then fills it with the selected rows in tree order. Selected: a list row's
// Selected, a check row's box Checked, an option row's box Selected, a combo row being its
// list's SelectedItem.
void GetSelectedItems(const CONTROL* container, std::vector<CONTROL*>& rows);
// Empties `rows`, then fills it with the rows GetSelectedItems leaves out, in tree order.
void GetUnselectedItems(const CONTROL* container, std::vector<CONTROL*>& rows);
// The first row whose option is selected; null when none is.
CONTROL* GetSelectedOption(const CONTROL* optionBox);

} // namespace OV_GUI
} // namespace OvCore

// The factories of the GUI's composites: each builds its part tree under a parent control,
// tags every part with its role (Extend), gives it its fit and dock flags and takes its
// styles from a skin. Each returns the control that stands for the element (the one layout
// children go into, or that the application hears through), entered in NamedControls under
// the given name; null when a part could not be attached (nothing of it stays in the tree).
// The layout reader calls them for its elements; programs may call them directly.
#pragma once

#include "gui/gui_system.h"

// The Windows headers name a macro CreateWindow; it would rename the factory.
#ifdef CreateWindow
#undef CreateWindow
#endif

namespace OvCore
{
namespace OV_GUI
{

// What every factory takes: the skin, the name (none: not entered), the box relative to the
// parent, and the parent (none: the root).
struct PLACE
{
    // The skin the parts' styles come from ("" names a skin like any other).
    const char* skin = "";
    const char* name = nullptr; // the NamedControls name of the result; null or "": none
    OV_VECTOR_F position;       // top-left in pixels from the parent's top-left (x, y)
    OV_VECTOR_F size;           // width and height in pixels (x, y)
    CONTROL* parent = nullptr;  // the control to build under; null: the root (top level)
};

// Four sizes in pixels, in the order of the margin fields: content margins of a window or a
// scroll plane, the bar margins of a progress bar.
struct MARGINS
{
    // The inset on each side, in pixels.
    float top = 0, bottom = 0, left = 0, right = 0;
};

// Flags of CreateWindow. Any of them gives the window a title bar's room at its top.
constexpr uint32_t WINDOW_TITLE_BAR = 0x1;        // the bar with the caption and the icon
constexpr uint32_t WINDOW_CLOSE_BUTTON = 0x2;     // a close button at the right end
constexpr uint32_t WINDOW_MINIMISE_BUTTON = 0x4;  // a minimise button, left of the others
constexpr uint32_t WINDOW_FULL_SIZE_BUTTON = 0x8; // a full-size button, left of close

// The height of a window's title bar and the size of its buttons.
constexpr float TITLE_BAR_HEIGHT = 24;   // pixels; also the title buttons' height
constexpr float TITLE_BUTTON_WIDTH = 32; // pixels per title button, from the right end

// A window: an area, its content (the result), a title bar and title buttons by `flags`.
CONTROL* CreateWindow(GUI_SYSTEM& system, const PLACE& place, const char* caption, uint32_t flags,
                      OvHandle icon, const MARGINS& content);
// A push button: the result holds the caption and icon, its child takes the clicks.
CONTROL* CreateButton(GUI_SYSTEM& system, const PLACE& place, const char* caption, OvHandle icon);
// A scroll plane: an outer area with the content (the result) and two scroll bars of the
// given width (vertical) and height (horizontal) for content of the given size.
CONTROL* CreateScrollPlane(GUI_SYSTEM& system, const PLACE& place, float barWidth, float barHeight,
                           float contentWidth, float contentHeight, const MARGINS& content);
// A list box: a scroll plane whose content (the result, tagged "listbox") takes the rows
// AddListItem adds.
CONTROL* CreateListBox(GUI_SYSTEM& system, const PLACE& place, float barWidth, float barHeight,
                       float contentWidth, float contentHeight, const MARGINS& content);
// A static: a C_GUI_CONTROL showing the caption, with no behaviour of its own.
CONTROL* CreateStatic(GUI_SYSTEM& system, const PLACE& place, const char* caption);
// A group: a plain panel showing the title, for controls placed inside it.
CONTROL* CreateGroup(GUI_SYSTEM& system, const PLACE& place, const char* title);
// A progress bar: the bar margins are the result's cut margins; the bar starts 0 wide.
CONTROL* CreateProgressBar(GUI_SYSTEM& system, const PLACE& place, const MARGINS& bar);
// Check and option boxes: panels whose rows are added later; the cut margins make room
// around the rows (the height grows by the top and bottom ones).
CONTROL* CreateCheckBox(GUI_SYSTEM& system, const PLACE& place, float cutTop, float cutBottom,
                        float cutLeft);
CONTROL* CreateOptionBox(GUI_SYSTEM& system, const PLACE& place, float cutTop, float cutBottom,
                         float cutLeft);
// A slider, vertical when it is not wider than high, with a square handle.
CONTROL* CreateSlider(GUI_SYSTEM& system, const PLACE& place);
// A menu button with its hidden list, docked by `listDock`.
CONTROL* CreateMenu(GUI_SYSTEM& system, const PLACE& place, const char* caption, OvHandle icon,
                    uint32_t listDock);
// A sub-menu entry in a menu's list (place.parent is the menu button): a menu button tagged
// "menuitem" whose own list opens by `listDock`. The list is restacked, every entry taking
// place.size's width, the new one below the others; null when place.parent has no list.
CONTROL* AddSubMenu(GUI_SYSTEM& system, const PLACE& place, const char* caption, OvHandle icon,
                    uint32_t listDock);
// A push button entry in a menu's list, placed and restacked as by AddSubMenu.
CONTROL* AddMenuButton(GUI_SYSTEM& system, const PLACE& place, const char* caption, OvHandle icon);
// An edit box: the result (the owner the EditBox operations take) and its __edit, holding
// `text` with the caret at its end, masked when `password`.
CONTROL* CreateEditBox(GUI_SYSTEM& system, const PLACE& place, const char* text, bool password);
// A combo box: the box, its hidden drop-down list (a scroll plane of `listSize` with bars of
// `barSize`, docked below the box unless `listDock` names another dock) and a square icon.
CONTROL* CreateComboBox(GUI_SYSTEM& system, const PLACE& place, OV_VECTOR_F listSize,
                        OV_VECTOR_F barSize, const MARGINS& content, uint32_t listDock,
                        float iconSize);

} // namespace OV_GUI
} // namespace OvCore

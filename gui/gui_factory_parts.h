// Parts that more than one factory builds: the scroll plane (also the combo box's list) and
// the restacking of a menu's list.
#pragma once

#include "gui/gui_factories.h"
#include "gui/gui_skin.h"

namespace OvCore
{
namespace OV_GUI
{

// The two controls of a scroll plane a factory goes on with.
struct SCROLL_PLANE
{
    CONTROL* outer;   // the outer area: content first, then the two tracks
    CONTROL* content; // the control the plane's children go into, the factory's result
};

// The outer area at `position` / `size` under `parent`, its content (a C_GUI_CONTROL, or a
// __combo tagged "comboboxl" for a combo box's list) and the two tracks with their thumbs.
SCROLL_PLANE BuildScrollPlane(SKIN_BUILDER& builder, CONTROL* parent, const OV_VECTOR_F& position,
                              const OV_VECTOR_F& size, float barWidth, float barHeight,
                              float contentWidth, float contentHeight, const MARGINS& content,
                              bool comboList);

// The push button of CreateButton, built into an existing composite.
CONTROL* BuildButton(SKIN_BUILDER& builder, CONTROL* parent, const OV_VECTOR_F& position,
                     const OV_VECTOR_F& size, const char* caption, OvHandle icon);

} // namespace OV_GUI
} // namespace OvCore

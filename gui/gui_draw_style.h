// What a style draws of one control: the nine areas, the caption and the icon (the drawing
// pass calls them in that order, under the control's scissor rectangle).
#pragma once

#include "gui/gui_control.h"
#include "gui/gui_draw.h"

namespace OvCore
{
namespace OV_GUI
{

void DrawAreas(const CONTROL& control, const GUI_STYLE& style);
void DrawCaption(const CONTROL& control, const GUI_STYLE& style);
void DrawIcon(const CONTROL& control, const GUI_STYLE& style);
// Where those three draw, in window pixels: the areas' corners, the caption's measured box
// widened by its outline and a pixel of glyph overhang, and the icon's rectangle.
GUI_CLIP DrawnBounds(const CONTROL& control, const GUI_STYLE& style);

} // namespace OV_GUI
} // namespace OvCore

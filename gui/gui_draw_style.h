// What a style draws of one control: the nine areas, the caption and the icon (the drawing
// pass calls them in that order, under the control's scissor rectangle).
#pragma once

#include "gui/gui_control.h"
#include "gui/gui_draw.h"

namespace OvCore
{
namespace OV_GUI
{

// The nine areas at the control's Areas: quads (outlines with AsBorder) with each area's
// texture, coordinates and corner colours times AreaColorFilter; areas in a row that share a
// texture go to the engine as one draw.
void DrawAreas(const CONTROL& control, const GUI_STYLE& style);
// The control's Text in the style's font at TextOffset from the box's top-left, first its
// outline copies, then in TextColor (left as the drawing colour); nothing without text or
// font. The font's alignments are restored.
void DrawCaption(const CONTROL& control, const GUI_STYLE& style);
// The control's Icon over the style's IconRect from the box's top-left, in the current
// colour; nothing without an icon.
void DrawIcon(const CONTROL& control, const GUI_STYLE& style);
// Where those three draw, in window pixels: the areas' corners, the caption's measured box
// widened by its outline and a pixel of glyph overhang, and the icon's rectangle.
GUI_CLIP DrawnBounds(const CONTROL& control, const GUI_STYLE& style);

} // namespace OV_GUI
} // namespace OvCore

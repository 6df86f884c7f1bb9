// The drawing pass: every visible control drawn from its Areas with its current style (nine
// textured, coloured quads or outlines, the caption with its outline, the icon), then its
// OnRender hook, then its children in front-to-back order, each under the engine's scissor
// rectangle narrowed from parent to child. It draws through the engine's batch, so controls
// sharing one theme texture cost few draw calls.
#pragma once

#include "core/ov_vector.h"
#include "gui/gui_system.h"

namespace OvCore
{
namespace OV_GUI
{

// A clip rectangle in window pixels, y growing downwards.
struct GUI_CLIP
{
    OV_VECTOR minimum; // the top-left corner (x, y)
    OV_VECTOR maximum; // the bottom-right corner (x, y), outside the rectangle
};

// Draws every top-level control, scissor test on meanwhile; with `perPixelAlpha` twice, first
// into the alpha channel, then into the colour channels. Nothing without a window.
void DrawPass(GUI_SYSTEM& system, bool perPixelAlpha);
// Draws a visible control and its subtree inside `clip`; `inheritedInactive` draws it with
// its unactive style, as when a parent is inactive.
void DrawControl(CONTROL& control, const GUI_CLIP& clip, bool inheritedInactive);

} // namespace OV_GUI
} // namespace OvCore

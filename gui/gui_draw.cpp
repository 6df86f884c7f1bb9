// The drawing pass: the walk over the tree, the clip rectangles and the scissor, the style
// chosen by activity, the hook and the per-pixel-alpha double pass.
#include "gui/gui_draw.h"

#include "core/ov_window.h"
#include "gui/gui_draw_style.h"
#include "gui/gui_order.h"

#include <algorithm>
#include <cmath>

namespace OvCore
{
namespace OV_GUI
{

namespace
{

GUI_CLIP Intersect(const GUI_CLIP& clip, double left, double top, double right, double bottom)
{
    GUI_CLIP out = clip;
    out.minimum.x = std::max(clip.minimum.x, left);
    out.minimum.y = std::max(clip.minimum.y, top);
    out.maximum.x = std::min(clip.maximum.x, right);
    out.maximum.y = std::min(clip.maximum.y, bottom);
    return out;
}

GUI_CLIP OwnClip(const CONTROL& control, const GUI_CLIP& clip)
{
    if (!control.CutArea)
        return clip;
    const OV_VECTOR_F &topLeft = control.TopLeft(), &bottomRight = control.BottomRight();
    return Intersect(clip, topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
}

GUI_CLIP ChildrenClip(const CONTROL& control, const GUI_CLIP& clip)
{
    if (!control.CutArea)
        return clip;
    const OV_VECTOR_F &topLeft = control.TopLeft(), &bottomRight = control.BottomRight();
    return Intersect(clip, topLeft.x + control.CutMarginLeft, topLeft.y + control.CutMarginTop,
                     bottomRight.x - control.CutMarginRight,
                     bottomRight.y - control.CutMarginBottom);
}

bool IsEmpty(const GUI_CLIP& clip)
{
    return !(clip.minimum.x < clip.maximum.x && clip.minimum.y < clip.maximum.y);
}

bool Inside(const GUI_CLIP& inner, const GUI_CLIP& outer)
{
    return outer.minimum.x <= inner.minimum.x && outer.minimum.y <= inner.minimum.y &&
           inner.maximum.x <= outer.maximum.x && inner.maximum.y <= outer.maximum.y;
}

// Truncated like a cast, kept inside the pixel range the engine takes (NaN counts as 0).
double Whole(double value)
{
    constexpr double LIMIT = 1 << 30;
    return std::isnan(value) ? 0 : std::trunc(std::clamp(value, -LIMIT, LIMIT));
}

// The engine counts rows from the bottom; a rectangle of no size is sent as 0 wide or high.
void SetScissor(const GUI_CLIP& clip, int32_t windowHeight)
{
    const double width = Whole(clip.maximum.x - clip.minimum.x);
    const double height = Whole(clip.maximum.y - clip.minimum.y);
    OvSetState(OV_STATE_SCISSOR_BOX, Whole(clip.minimum.x), windowHeight - Whole(clip.maximum.y),
               width < 1 ? 0 : width, height < 1 ? 0 : height);
}

// The style to draw with, or null when the control draws nothing of its own: the style of
// its own activity must be there, and the unactive one is used under an inactive parent.
const GUI_STYLE* DrawnStyle(const CONTROL& control, bool inheritedInactive)
{
    const STYLE_REF& own = control.Active ? control.StyleActive : control.StyleUnactive;
    if (!own)
        return nullptr;
    const bool inactive = !control.Active || inheritedInactive;
    return (inactive ? control.StyleUnactive : control.StyleActive).Get();
}

void RunHook(CONTROL& control, const GUI_CLIP& childrenClip, bool inheritedInactive)
{
    OvMatrixPush();
    OvMatrixTranslate(control.ChildOffset.x + childrenClip.minimum.x,
                      control.ChildOffset.y + childrenClip.minimum.y,
                      control.ChildOffset.z + childrenClip.minimum.z);
    control.DrawnInactive = !control.Active || inheritedInactive;
    control.OnRender();
    OvMatrixPop();
}

// Back to front; a hook may add or take out controls, so the order is listed first and a
// node no longer in the tree is passed over (it stays allocated while the pass holds it).
void DrawChildren(GUI_SYSTEM& system, CONTROL_NODE& parent, const GUI_CLIP& clip,
                  bool inheritedInactive)
{
    for (CONTROL_NODE* node : SortedChildren(parent))
        if (system.Contains(node))
            DrawControl(*node->control, clip, inheritedInactive);
}

void DrawTopLevel(GUI_SYSTEM& system)
{
    const OV_WINDOW& window = *system.Window;
    const GUI_CLIP screen{OV_VECTOR(0, 0, 0, 1), OV_VECTOR(window.width, window.height, 0, 1)};
    DrawChildren(system, system.Root, screen, false);
}

} // namespace

void DrawPass(GUI_SYSTEM& system, bool perPixelAlpha)
{
    if (!system.Window)
        return;
    GUI_SYSTEM::Hold hold(system);
    OvSetState(OV_STATE_SCISSOR_TEST, 1);
    if (perPixelAlpha)
    {
        OvSetState(OV_STATE_COLOUR_MASK, 0, 0, 0, 1);
        OvSetState(OV_STATE_BLEND, OV_BLEND_SOURCE_ALPHA, OV_BLEND_ONE);
        DrawTopLevel(system);
        OvSetState(OV_STATE_BLEND, OV_BLEND_SOURCE_ALPHA, OV_BLEND_ONE_MINUS_SOURCE_ALPHA);
        OvSetState(OV_STATE_COLOUR_MASK, 1, 1, 1, 0);
        DrawTopLevel(system);
        OvSetState(OV_STATE_COLOUR_MASK, 1, 1, 1, 1);
    }
    else
        DrawTopLevel(system);
    OvSetState(OV_STATE_SCISSOR_TEST, 0);
}

void DrawControl(CONTROL& control, const GUI_CLIP& clip, bool inheritedInactive)
{
    if (!control.Node || !control.Visible || !control.System || !control.System->Window)
        return;
    GUI_SYSTEM& system = *control.System;
    GUI_SYSTEM::Hold hold(system); // a hook may take this control out
    const int32_t height = system.Window->height;
    const GUI_CLIP own = OwnClip(control, clip);
    const GUI_CLIP childrenClip = ChildrenClip(control, clip);
    const GUI_STYLE* style = DrawnStyle(control, inheritedInactive);
    if (style && IsEmpty(own))
        SetScissor(own, height); // sent as it is, drawn nothing
    else if (style)
    {
        // The control's own clip is sent only when its drawing reaches outside it: otherwise
        // the parent's clip, the same for every sibling, gives the same pixels, and the
        // engine's batch is not cut at every control.
        SetScissor(Inside(DrawnBounds(control, *style), own) ? clip : own, height);
        DrawAreas(control, *style);
        DrawCaption(control, *style);
        OvSetState(OV_STATE_DRAW_COLOUR, 1, 1, 1, 1);
        DrawIcon(control, *style);
    }
    if (control.DrawsInOnRender())
        SetScissor(own, height);
    RunHook(control, childrenClip, inheritedInactive);
    if (system.Contains(control.Node))
        DrawChildren(system, *control.Node, childrenClip, control.DrawnInactive);
}

} // namespace OV_GUI
} // namespace OvCore

// Scroll planes: a thumb sized to the visible share of the content, dragged along its track,
// scrolls the content; ScrollSetContentSize resets both thumbs for new content.
//
// The plane's parts (gui/gui_factories.cpp): the outer area holds the content first, then
// the horizontal track ("hscrollb") and the vertical one ("vscrollb"), each with its thumb
// ("hscrollf", "vscrollf") as its first child.
#include "gui/behaviour_common.h"
#include "gui/gui_widget_ops.h"

#include <algorithm>

namespace OvCore
{
namespace OV_GUI
{

namespace
{

// One axis of a plane: x with widths and the left and right margins, or y with heights and
// the top and bottom ones.
struct AXIS
{
    bool vertical;

    float& Along(OV_VECTOR_F& v) const { return vertical ? v.y : v.x; }
    float Along(const OV_VECTOR& v) const { return float(vertical ? v.y : v.x); }
    // The outer area's margin on the side its track takes.
    float BarMargin(const CONTROL& outer) const
    {
        return vertical ? outer.MarginBottom : outer.MarginRight;
    }
    float BothMargins(const CONTROL& content) const
    {
        return vertical ? content.MarginTop + content.MarginBottom
                        : content.MarginLeft + content.MarginRight;
    }
    uint32_t MovedBit() const { return vertical ? SCROLL_MOVED_V : SCROLL_MOVED_H; }
};

// The visible length V and the thumb's length V × V / max(content, V); nothing is visible
// when the bar's margin takes the whole area.
float ThumbLength(const AXIS& axis, __scroll& thumb, CONTROL& outer)
{
    const float visible = std::max(0.0f, axis.Along(outer.Size) - axis.BarMargin(outer));
    if (visible <= 0)
        return 0;
    return visible * visible / std::max(visible, thumb.ContentLength);
}

// Where the content goes for the thumb's place: the whole scrollable run maps onto the
// thumb's run; a thumb as long as the content's box leaves the content at 0.
void ScrollContent(const AXIS& axis, __scroll& thumb, CONTROL& outer, CONTROL& content)
{
    const float box = axis.Along(content.Size);
    const float run = box - axis.Along(thumb.Size);
    if (run <= 0)
    {
        axis.Along(content.ChildOffset) = 0;
        return;
    }
    const float scrolled = std::max(thumb.ContentLength, axis.Along(outer.Size));
    axis.Along(content.ChildOffset) =
        -(scrolled + axis.BothMargins(content) - box) * axis.Along(thumb.Position) / run;
}

void ThumbEvents(const AXIS& axis, __scroll& thumb)
{
    CONTROL* track = thumb.Parent();
    CONTROL* outer = track ? track->Parent() : nullptr;
    CONTROL* content = FirstChild(outer);
    if (!outer || !content)
        return;
    const float visible = std::max(0.0f, axis.Along(outer->Size) - axis.BarMargin(*outer));
    axis.Along(thumb.Size) = ThumbLength(axis, thumb, *outer);

    // The drag follows this pass's cursor, so the thumb ends where the cursor stops.
    const float cursor = axis.Along(PassCursor(*thumb.System));
    if (PressedOn(thumb.Events))
    {
        thumb.Dragging = true;
        thumb.GrabOffset = cursor - axis.Along(thumb.Position);
    }
    if (Released(thumb.Events))
    {
        thumb.Dragging = false;
        thumb.GrabOffset = 0;
    }
    if (!thumb.Dragging || !(thumb.Events & MOUSE_MOVE))
        return;
    const float end = std::max(0.0f, visible - axis.Along(thumb.Size));
    axis.Along(thumb.Position) = std::clamp(cursor - thumb.GrabOffset, 0.0f, end);
    ScrollContent(axis, thumb, *outer, *content);
    SendCommand(thumb, track, axis.MovedBit());
}

// A track's thumb for new content: at the start, sized to track × outer / max(outer, length).
void ResetThumb(const AXIS& axis, CONTROL& track, CONTROL& outer, float length)
{
    auto* thumb = dynamic_cast<__scroll*>(FirstChild(&track));
    if (!thumb)
        return;
    thumb->ContentLength = length;
    axis.Along(thumb->Position) = 0;
    const float outerLength = axis.Along(outer.Size);
    axis.Along(thumb->Size) =
        axis.Along(track.Size) * outerLength / std::max({outerLength, length, 1.0f});
}

} // namespace

void __scroll::OnEvents()
{
    if (HasTag("hscrollf"))
        ThumbEvents(AXIS{false}, *this);
    else if (HasTag("vscrollf"))
        ThumbEvents(AXIS{true}, *this);
}

bool ScrollSetContentSize(CONTROL* content, float width, float height)
{
    if (!content)
        return false;
    CONTROL* outer = content->Parent();
    if (outer)
        for (CONTROL_NODE& sibling : outer->Node->children)
        {
            CONTROL& track = *sibling.control;
            if (track.HasTag("hscrollb"))
                ResetThumb(AXIS{false}, track, *outer, width);
            else if (track.HasTag("vscrollb"))
                ResetThumb(AXIS{true}, track, *outer, height);
        }
    content->ChildOffset = OV_VECTOR_F(0, 0, 0, 1);
    return true;
}

} // namespace OV_GUI
} // namespace OvCore

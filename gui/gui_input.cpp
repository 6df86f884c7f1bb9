// The input pass of a GUI_SYSTEM: the tree is walked back to front under narrowing clip
// rectangles, every active control gets the global key and button bits and its own mouse
// bits, the frontmost control under the cursor becomes the hovered one, the correction step
// strips the masked bits from every other control, and the bits are delivered parent first.
#include "core/ov_input.h"
#include "core/ov_window.h"
#include "gui/gui_order.h"
#include "gui/gui_system.h"

#include <algorithm>
#include <cmath>

namespace OvCore
{
namespace OV_GUI
{

namespace
{

struct CLIP
{
    double left, top, right, bottom;
};

// The cursor as the pass sees it: whole pixels now, and the last pass's position.
struct CURSOR
{
    int x, y;
    OV_VECTOR last;
};

CLIP HitRectangle(const CONTROL& control, const CLIP& clip)
{
    const OV_VECTOR_F& topLeft = control.TopLeft();
    const OV_VECTOR_F& bottomRight = control.BottomRight();
    return {std::max<double>(topLeft.x + control.CutMarginLeft, clip.left),
            std::max<double>(topLeft.y + control.CutMarginTop, clip.top),
            std::min<double>(bottomRight.x - control.CutMarginRight, clip.right),
            std::min<double>(bottomRight.y - control.CutMarginBottom, clip.bottom)};
}

// Truncated like a cast; values beyond int (or NaN) count as far outside.
long long Whole(double value)
{
    if (!(std::fabs(value) < 1e15))
        return value > 0 ? (1LL << 50) : -(1LL << 50);
    return static_cast<long long>(value);
}

bool CursorInside(const CLIP& rect, int x, int y)
{
    return Whole(rect.left) <= x && x < Whole(rect.right) && Whole(rect.top) <= y &&
           y < Whole(rect.bottom);
}

bool PointInside(const CLIP& rect, double x, double y)
{
    return rect.left <= x && x < rect.right && rect.top <= y && y < rect.bottom;
}

uint32_t GlobalBits(const OV_INPUT& input)
{
    uint32_t bits = 0;
    bits |= input.KeyPressed(0) ? KEY_PRESSED : 0;
    bits |= input.KeyDown(0) ? KEY_HELD : 0;
    bits |= input.KeyReleased(0) ? KEY_RELEASED : 0;
    bits |= input.MousePressed(0) ? MOUSE_PRESSED : 0;
    bits |= input.MouseDown(0) ? MOUSE_HELD : 0;
    bits |= input.MouseReleased(0) ? MOUSE_RELEASED : 0;
    return bits;
}

class INPUT_WALK
{
  public:
    INPUT_WALK(GUI_SYSTEM& system, const CURSOR& cursor, uint32_t globalBits)
        : system_(system), cursor_(cursor), globalBits_(globalBits)
    {
        moved_ = cursor.x != cursor.last.x || cursor.y != cursor.last.y;
    }

    void Visit(CONTROL_NODE& parent, const CLIP& clip)
    {
        for (CONTROL_NODE* node : SortedChildren(parent))
            VisitControl(*node, clip);
    }

  private:
    void VisitControl(CONTROL_NODE& node, const CLIP& clip)
    {
        CONTROL& control = *node.control;
        const CLIP rect = HitRectangle(control, clip);
        if (!control.Active)
        {
            control.Events = 0;
            return;
        }
        control.Events |= globalBits_ | (moved_ ? MOUSE_MOVE : 0);
        const bool wasInside = PointInside(rect, cursor_.last.x, cursor_.last.y);
        if (CursorInside(rect, cursor_.x, cursor_.y))
        {
            if (control.Hitable)
                system_.Hovered = &control;
            control.Events |= MOUSE_OVER | (wasInside ? 0 : MOUSE_ENTER);
        }
        else
            control.Events |= MOUSE_OUT | (wasInside ? MOUSE_LEAVE : 0);
        Visit(node, control.CutArea ? rect : clip);
    }

    GUI_SYSTEM& system_;
    CURSOR cursor_;
    uint32_t globalBits_;
    bool moved_ = false;
};

void Correct(CONTROL_NODE& parent, const CONTROL* hovered, uint32_t mask)
{
    for (CONTROL_NODE& node : parent.children)
    {
        CONTROL& control = *node.control;
        if (&control != hovered && !control.NonCorrected)
            control.Events &= ~mask;
        Correct(node, hovered, mask);
    }
}

// Parent first, in tree order. A handler may add or take out controls: the children are
// listed before they are visited and a node no longer in the tree is passed over (taken-out
// nodes stay allocated while the pass holds the system).
void Deliver(GUI_SYSTEM& system, CONTROL_NODE& parent)
{
    std::vector<CONTROL_NODE*> children;
    for (CONTROL_NODE& child : parent.children)
        children.push_back(&child);
    for (CONTROL_NODE* node : children)
    {
        if (!system.Contains(node))
            continue;
        CONTROL& control = *node->control;
        control.OnEvents();
        Deliver(system, *node);
        control.PreviousEvents = control.Events;
        control.Events = 0;
    }
}

} // namespace

void GUI_SYSTEM::InputPass()
{
    if (!Window)
        return;
    Hold hold(*this);
    const OV_INPUT& input = Input();
    const CURSOR cursor{input.CursorX(*Window), input.CursorY(*Window), LastMouse};
    Hovered = nullptr;
    MouseMove = OV_VECTOR(cursor.x - LastMouse.x, cursor.y - LastMouse.y, 0, 1);

    INPUT_WALK walk(*this, cursor, GlobalBits(input));
    walk.Visit(Root, {0, 0, double(Window->width), double(Window->height)});
    Correct(Root, Hovered, CorrectionMask);
    Deliver(*this, Root);
    LastMouse = OV_VECTOR(cursor.x, cursor.y, 0, 1);
}

} // namespace OV_GUI
} // namespace OvCore

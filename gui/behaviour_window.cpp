// Windows and push buttons: the title bar drags its window, the title buttons close it or
// report full size and minimise, and a push button reports presses and swaps its owner's
// style as the cursor enters and leaves it.
//
// A window's parts (gui/gui_factories.cpp): the window area ("winarea") holds its content
// first, then the title bar ("bar") and the title buttons ("btnclose", "btnfull",
// "btnmini"). What the application hears arrives at the content.
#include "gui/behaviour_common.h"
#include "gui/gui_widget_ops.h"

namespace OvCore
{
namespace OV_GUI
{

namespace
{

void TitleBarEvents(__window& bar)
{
    CONTROL* window = bar.Parent();
    if (!window)
        return;
    if (PressedOn(bar.Events))
    {
        bar.System->BringToFront(window, true);
        bar.Dragging = true;
    }
    if (Released(bar.Events))
        bar.Dragging = false;
    if (bar.Dragging && (bar.Events & MOUSE_MOVE))
    {
        window->Position.x += float(bar.System->MouseMove.x);
        window->Position.y += float(bar.System->MouseMove.y);
        SendCommand(bar, FirstChild(window), WINDOW_MOVED);
    }
}

// The window leaves the tree at the end of the pass; its content hears of it first.
void CloseButtonEvents(__window& button)
{
    CONTROL* window = button.Parent();
    if (!window || !PressedOn(button.Events))
        return;
    button.System->QueueRemoval(window);
    SendCommand(button, FirstChild(window), WINDOW_CLOSED);
}

// Full size and minimise are only reported; the application decides what they do.
void ReportingButtonEvents(__window& button, uint32_t bit)
{
    if (PressedOn(button.Events))
        SendCommand(button, FirstChild(button.Parent()), bit);
}

} // namespace

void __window::OnEvents()
{
    if (!System)
        return;
    if (HasTag("bar"))
        TitleBarEvents(*this);
    else if (HasTag("btnclose"))
        CloseButtonEvents(*this);
    else if (HasTag("btnfull"))
        ReportingButtonEvents(*this, WINDOW_FULL_SIZE);
    else if (HasTag("btnmini"))
        ReportingButtonEvents(*this, WINDOW_MINIMISE);
}

void __button::OnEvents()
{
    CONTROL* owner = Parent();
    if (!owner)
        return;
    if (PressedOn(Events))
        SendCommand(*this, owner, BUTTON_CLICKED);
    if (Events & MOUSE_ENTER)
    {
        owner->StyleActive = HoverStyle;
        SendCommand(*this, owner, BUTTON_ENTERED);
    }
    if (Events & MOUSE_LEAVE)
    {
        owner->StyleActive = NormalStyle;
        SendCommand(*this, owner, BUTTON_LEFT);
    }
}

} // namespace OV_GUI
} // namespace OvCore

// Edit boxes: a press enters edit mode, typed characters go in at the caret, Home, End,
// Backspace, Delete, Left and Right move and delete around it, the caret blinks, and a
// click elsewhere leaves edit mode. The value is Before + After, the caret between them;
// Text is only what is shown (masked with stars in password mode).
#include "core/ov_input.h"
#include "core/ov_loop.h"
#include "gui/behaviour_common.h"
#include "gui/gui_widget_ops.h"

#include <string>

namespace OvCore
{
namespace OV_GUI
{

namespace
{

constexpr float BLINK_PHASE = 0.5f; // seconds the caret stays shown, then hidden
constexpr int KEY_BACKSPACE = 8, KEY_END = 35, KEY_HOME = 36, KEY_LEFT = 37, KEY_RIGHT = 39,
              KEY_DELETE = 46;

// Typed bytes the box takes: backspace, tab, carriage return and line feed are keys rather
// than text, and a zero byte would end the value early.
bool Typable(char c)
{
    return c != 0 && c != '\b' && c != '\t' && c != '\r' && c != '\n';
}

// The characters typed since the last frame; the box takes them from the queue, so no other
// box (nor a later frame) sees them again.
std::string TakeTyped()
{
    std::string typed;
    char c;
    while (Input().PopChar(c))
        if (Typable(c))
            typed += c;
    return typed;
}

uint32_t ValueLength(const __edit& edit)
{
    return edit.Before.Length() + edit.After.Length();
}

void AppendTyped(__edit& edit, const std::string& typed)
{
    const uint32_t room = EDIT_VALUE_LIMIT - std::min(EDIT_VALUE_LIMIT, ValueLength(edit));
    edit.Before += typed.substr(0, room).c_str();
}

std::string Stars(uint32_t count)
{
    return std::string(count, '*');
}

// The shown text: the value with the caret bar between Before and After when `caret`.
void ShowText(__edit& edit, bool caret)
{
    std::string shown = edit.Password ? Stars(edit.Before.Length()) : edit.Before.Text();
    if (caret)
        shown += '|';
    shown += edit.Password ? Stars(edit.After.Length()) : edit.After.Text();
    edit.Text = shown.c_str();
}

void Blink(__edit& edit)
{
    edit.BlinkTimer -= Loop().delta;
    if (edit.BlinkTimer > 0)
        return;
    edit.BlinkTimer = BLINK_PHASE;
    edit.BlinkTick = true;
    edit.CaretShown = !edit.CaretShown;
}

void DropLast(OV_STRING& text)
{
    text.Assign(text.Text(), text.Length() - 1);
}

void DropFirst(OV_STRING& text)
{
    text = OV_STRING(text.Text() + 1);
}

// Moves the last byte of `from` to the front of `to`, or the first of `from` to the end.
void MoveLastToFront(OV_STRING& from, OV_STRING& to)
{
    const char moved[2] = {from.Text()[from.Length() - 1], 0};
    DropLast(from);
    OV_STRING joined(moved);
    joined += to;
    to = joined;
}

void MoveFirstToEnd(OV_STRING& from, OV_STRING& to)
{
    const char moved[2] = {from.Text()[0], 0};
    DropFirst(from);
    to += moved;
}

// The caret keys of this frame, all of them, in this order.
void CaretKeys(__edit& edit)
{
    const OV_INPUT& input = Input();
    if (input.KeyPressed(KEY_HOME))
    {
        edit.Before += edit.After;
        edit.After = edit.Before;
        edit.Before.Clear();
    }
    if (input.KeyPressed(KEY_END))
    {
        edit.Before += edit.After;
        edit.After.Clear();
    }
    if (input.KeyPressed(KEY_BACKSPACE) && edit.Before.Length())
        DropLast(edit.Before);
    if (input.KeyPressed(KEY_DELETE) && edit.After.Length())
        DropFirst(edit.After);
    if (input.KeyPressed(KEY_LEFT) && edit.Before.Length())
        MoveLastToFront(edit.Before, edit.After);
    if (input.KeyPressed(KEY_RIGHT) && edit.After.Length())
        MoveFirstToEnd(edit.After, edit.Before);
}

void EditFrame(__edit& edit)
{
    const std::string typed = TakeTyped();
    Blink(edit);
    AppendTyped(edit, typed);
    ShowText(edit, edit.CaretShown);
    edit.BlinkTick = false;
    if (edit.Events & KEY_PRESSED)
    {
        CaretKeys(edit);
        SendCommand(edit, edit.Parent(), EDIT_KEYS);
    }
    if (!typed.empty())
        SendCommand(edit, edit.Parent(), EDIT_TYPED);
}

// The edit box of an owner made by CreateEditBox, or null.
__edit* EditOf(CONTROL* owner)
{
    CONTROL* first = FirstChild(owner);
    return first && first->HasTag("editbox") ? dynamic_cast<__edit*>(first) : nullptr;
}

} // namespace

void __edit::OnEvents()
{
    // A box switched off (or under a control switched off) leaves edit mode rather than
    // take keys meant for others while no click can reach it.
    const bool reachable = Reachable(*this);
    if (EditMode && reachable)
        EditFrame(*this);
    if (PressedOn(Events))
    {
        EditMode = true;
        SendCommand(*this, Parent(), EDIT_ENTERED);
    }
    if (EditMode && (!reachable || ((Events & MOUSE_HELD) && !(Events & MOUSE_OVER))))
    {
        EditMode = false;
        ShowText(*this, false);
        SendCommand(*this, Parent(), EDIT_LEFT);
    }
}

bool EditBoxSetText(CONTROL* owner, const char* text)
{
    __edit* edit = EditOf(owner);
    if (!edit)
        return false;
    const std::string value = text ? text : "";
    edit->Before = value.substr(0, EDIT_VALUE_LIMIT).c_str();
    edit->After.Clear();
    ShowText(*edit, false);
    return true;
}

bool EditBoxGetText(CONTROL* owner, OV_STRING& out)
{
    __edit* edit = EditOf(owner);
    if (!edit)
        return false;
    out = edit->Before;
    out += edit->After;
    return true;
}

bool EditBoxEditMode(CONTROL* owner, bool on)
{
    __edit* edit = EditOf(owner);
    if (!edit)
        return false;
    edit->EditMode = on;
    if (!on)
        ShowText(*edit, false);
    return true;
}

bool EditBoxPasswordMode(CONTROL* owner, bool on)
{
    __edit* edit = EditOf(owner);
    if (!edit)
        return false;
    edit->Password = on;
    ShowText(*edit, false);
    return true;
}

} // namespace OV_GUI
} // namespace OvCore

#include "core/ov_input.h"

#include "core/ov_window.h"

#include <algorithm>
#include <string>

namespace OvCore
{

namespace
{

constexpr int KEY_COUNT = 256;

bool ValidKey(int k)
{
    return k >= 0 && k < KEY_COUNT;
}

// Any key 1..255 with the flag: code 0 is never a key of its own.
bool AnyKey(const uint8_t (&flags)[KEY_COUNT])
{
    return std::any_of(flags + 1, flags + KEY_COUNT, [](uint8_t f) { return f != 0; });
}

bool ReadKey(const uint8_t (&flags)[KEY_COUNT], int k)
{
    if (k == 0)
        return AnyKey(flags);
    return ValidKey(k) && flags[k] != 0;
}

void WriteKey(uint8_t (&flags)[KEY_COUNT], int k, bool value)
{
    if (ValidKey(k))
        flags[k] = value ? 1 : 0;
}

// Public button numbers 1 left, 2 right, 3 middle to array slots; -1 for anything else.
int SlotOf(int button)
{
    switch (button)
    {
    case 1:
        return OV_INPUT::SLOT_LEFT;
    case 2:
        return OV_INPUT::SLOT_RIGHT;
    case 3:
        return OV_INPUT::SLOT_MIDDLE;
    default:
        return -1;
    }
}

bool AnyButton(const uint8_t (&flags)[OV_INPUT::SLOT_COUNT])
{
    return std::any_of(flags, flags + OV_INPUT::SLOT_COUNT, [](uint8_t f) { return f != 0; });
}

bool ReadButton(const uint8_t (&flags)[OV_INPUT::SLOT_COUNT], int button)
{
    if (button == 0)
        return AnyButton(flags);
    int slot = SlotOf(button);
    return slot >= 0 && flags[slot] != 0;
}

void WriteButton(uint8_t (&flags)[OV_INPUT::SLOT_COUNT], int button, bool value)
{
    int slot = SlotOf(button);
    if (slot >= 0)
        flags[slot] = value ? 1 : 0;
}

int WheelDelta(WPARAM wParam)
{
    return static_cast<int16_t>((wParam >> 16) & 0xFFFF);
}

} // namespace

OV_INPUT& Input()
{
    static OV_INPUT input;
    return input;
}

bool OV_INPUT::HandleMessage(UINT message, WPARAM wParam, LPARAM)
{
    switch (message)
    {
    case WM_KEYDOWN:
        OnKeyDown(static_cast<unsigned>(wParam));
        return true;
    case WM_KEYUP:
        OnKeyUp(static_cast<unsigned>(wParam));
        return true;
    case WM_CHAR:
        OnChar(static_cast<unsigned>(wParam));
        return true;
    case WM_LBUTTONDOWN:
        OnButtonDown(SLOT_LEFT);
        return true;
    case WM_LBUTTONUP:
        OnButtonUp(SLOT_LEFT);
        return true;
    case WM_RBUTTONDOWN:
        OnButtonDown(SLOT_RIGHT);
        return true;
    case WM_RBUTTONUP:
        OnButtonUp(SLOT_RIGHT);
        return true;
    case WM_MBUTTONDOWN:
        OnButtonDown(SLOT_MIDDLE);
        return true;
    case WM_MBUTTONUP:
        OnButtonUp(SLOT_MIDDLE);
        return true;
    case WM_MOUSEWHEEL:
        OnWheel(WheelDelta(wParam));
        return true;
    default:
        return false;
    }
}

void OV_INPUT::OnKeyDown(unsigned key)
{
    // Virtual-key codes fit a byte; anything larger is not a key we keep.
    if (key >= KEY_COUNT)
        return;
    if (ignoreRepeat && keyDown[key])
        return;
    keyDown[key] = 1;
    keyPressed[key] = 1;
    lastKey = static_cast<uint8_t>(key);
}

void OV_INPUT::OnKeyUp(unsigned key)
{
    if (key >= KEY_COUNT)
        return;
    keyDown[key] = 0;
    keyReleased[key] = 1;
}

void OV_INPUT::OnChar(unsigned code)
{
    chars.push_back(static_cast<char>(code & 0xFF));
}

void OV_INPUT::OnButtonDown(MouseSlot slot)
{
    mouseDown[slot] = 1;
    mousePressed[slot] = 1;
}

void OV_INPUT::OnButtonUp(MouseSlot slot)
{
    mouseDown[slot] = 0;
    mouseReleased[slot] = 1;
}

void OV_INPUT::OnWheel(int amount)
{
    wheelAccum += amount;
    if (wheelAccum >= WHEEL_NOTCH || wheelAccum <= -WHEEL_NOTCH)
    {
        wheelNotches = wheelAccum / WHEEL_NOTCH;
        if (wheelAccum > 0)
            wheelUp = 1;
        else
            wheelDown = 1;
        wheelAccum %= WHEEL_NOTCH;
    }
}

bool OV_INPUT::KeyDown(int k) const
{
    return ReadKey(keyDown, k);
}
bool OV_INPUT::KeyPressed(int k) const
{
    return ReadKey(keyPressed, k);
}
bool OV_INPUT::KeyReleased(int k) const
{
    return ReadKey(keyReleased, k);
}
void OV_INPUT::SetKeyDown(int k, bool value)
{
    WriteKey(keyDown, k, value);
}
void OV_INPUT::SetKeyPressed(int k, bool value)
{
    WriteKey(keyPressed, k, value);
}
void OV_INPUT::SetKeyReleased(int k, bool value)
{
    WriteKey(keyReleased, k, value);
}
void OV_INPUT::ReleaseKeyLater(int k)
{
    WriteKey(keyReleaseLater, k, true);
}

bool OV_INPUT::MouseDown(int button) const
{
    switch (button)
    {
    case 0:
        return AnyButton(mouseDown) || wheelUp || wheelDown;
    case 4:
        return wheelUp != 0;
    case 5:
        return wheelDown != 0;
    default:
        return ReadButton(mouseDown, button);
    }
}

bool OV_INPUT::MousePressed(int button) const
{
    return ReadButton(mousePressed, button);
}
bool OV_INPUT::MouseReleased(int button) const
{
    return ReadButton(mouseReleased, button);
}

void OV_INPUT::SetMouseDown(int button, bool value)
{
    if (button == 4)
        wheelUp = value ? 1 : 0;
    else if (button == 5)
        wheelDown = value ? 1 : 0;
    else
        WriteButton(mouseDown, button, value);
}

void OV_INPUT::SetMousePressed(int button, bool value)
{
    WriteButton(mousePressed, button, value);
}
void OV_INPUT::SetMouseReleased(int button, bool value)
{
    WriteButton(mouseReleased, button, value);
}

bool OV_INPUT::ReleaseMouseLater(int button)
{
    if (SlotOf(button) < 0)
        return false;
    WriteButton(mouseReleaseLater, button, true);
    return true;
}

void OV_INPUT::ClearInput(bool all)
{
    if (all)
    {
        std::fill(std::begin(keyDown), std::end(keyDown), 0);
        std::fill(std::begin(mouseDown), std::end(mouseDown), 0);
    }
    EndFrame();
}

void OV_INPUT::EndFrame()
{
    for (int k = 0; k < KEY_COUNT; ++k)
    {
        if (keyReleaseLater[k])
            keyReleaseLater[k] = keyDown[k] = 0;
    }
    std::fill(std::begin(keyPressed), std::end(keyPressed), 0);
    std::fill(std::begin(keyReleased), std::end(keyReleased), 0);
    for (int slot = 0; slot < SLOT_COUNT; ++slot)
    {
        if (mouseReleaseLater[slot])
            mouseReleaseLater[slot] = mouseDown[slot] = 0;
    }
    std::fill(std::begin(mousePressed), std::end(mousePressed), 0);
    std::fill(std::begin(mouseReleased), std::end(mouseReleased), 0);
    wheelUp = wheelDown = 0;
}

OV_VECTOR OV_INPUT::SampleCursor()
{
    POINT point;
    if (!GetCursorPos(&point))
        return OV_VECTOR(0, 0, 0, 1);
    cursor = point;
    return OV_VECTOR(cursor.x, cursor.y, 0, 1);
}

bool OV_INPUT::SetCursor(int x, int y)
{
    cursor.x = x;
    cursor.y = y;
    return SetCursorPos(x, y) != FALSE;
}

int OV_INPUT::CursorX(const OV_WINDOW& window) const
{
    return cursor.x - window.x;
}
int OV_INPUT::CursorY(const OV_WINDOW& window) const
{
    return cursor.y - window.y;
}

bool OV_INPUT::PopChar(char& c)
{
    if (chars.empty())
        return false;
    c = chars.front();
    chars.pop_front();
    return true;
}

bool OV_INPUT::ReadChars(OV_STRING& text, bool keep)
{
    if (chars.empty())
        return false;
    std::string typed(chars.begin(), chars.end());
    text += typed.c_str();
    if (!keep)
        chars.clear();
    return true;
}

} // namespace OvCore

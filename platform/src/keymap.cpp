// The scancode table. Scancodes name physical positions, so keys read as they would on a US
// layout; left and right modifiers both give the generic VK_SHIFT, VK_CONTROL and VK_MENU,
// as WM_KEYDOWN reports them.
#include "platform/src/keymap.h"

#include "platform/win32.h"

#include <SDL2/SDL_scancode.h>

namespace OvPlatform
{
namespace
{

struct Entry
{
    SDL_Scancode scancode;
    int code;
    bool extended;
};

constexpr Entry kTable[] = {
    {SDL_SCANCODE_RETURN, VK_RETURN, false},
    {SDL_SCANCODE_ESCAPE, VK_ESCAPE, false},
    {SDL_SCANCODE_BACKSPACE, VK_BACK, false},
    {SDL_SCANCODE_TAB, VK_TAB, false},
    {SDL_SCANCODE_SPACE, VK_SPACE, false},
    {SDL_SCANCODE_MINUS, VK_OEM_MINUS, false},
    {SDL_SCANCODE_EQUALS, VK_OEM_PLUS, false},
    {SDL_SCANCODE_LEFTBRACKET, VK_OEM_4, false},
    {SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6, false},
    {SDL_SCANCODE_BACKSLASH, VK_OEM_5, false},
    {SDL_SCANCODE_NONUSHASH, VK_OEM_5, false},
    {SDL_SCANCODE_SEMICOLON, VK_OEM_1, false},
    {SDL_SCANCODE_APOSTROPHE, VK_OEM_7, false},
    {SDL_SCANCODE_GRAVE, VK_OEM_3, false},
    {SDL_SCANCODE_COMMA, VK_OEM_COMMA, false},
    {SDL_SCANCODE_PERIOD, VK_OEM_PERIOD, false},
    {SDL_SCANCODE_SLASH, VK_OEM_2, false},
    {SDL_SCANCODE_NONUSBACKSLASH, VK_OEM_102, false},
    {SDL_SCANCODE_CAPSLOCK, VK_CAPITAL, false},
    {SDL_SCANCODE_PRINTSCREEN, VK_SNAPSHOT, true},
    {SDL_SCANCODE_SCROLLLOCK, VK_SCROLL, false},
    {SDL_SCANCODE_PAUSE, VK_PAUSE, false},
    {SDL_SCANCODE_INSERT, VK_INSERT, true},
    {SDL_SCANCODE_HOME, VK_HOME, true},
    {SDL_SCANCODE_PAGEUP, VK_PRIOR, true},
    {SDL_SCANCODE_DELETE, VK_DELETE, true},
    {SDL_SCANCODE_END, VK_END, true},
    {SDL_SCANCODE_PAGEDOWN, VK_NEXT, true},
    {SDL_SCANCODE_RIGHT, VK_RIGHT, true},
    {SDL_SCANCODE_LEFT, VK_LEFT, true},
    {SDL_SCANCODE_DOWN, VK_DOWN, true},
    {SDL_SCANCODE_UP, VK_UP, true},
    {SDL_SCANCODE_NUMLOCKCLEAR, VK_NUMLOCK, true},
    {SDL_SCANCODE_KP_DIVIDE, VK_DIVIDE, true},
    {SDL_SCANCODE_KP_MULTIPLY, VK_MULTIPLY, false},
    {SDL_SCANCODE_KP_MINUS, VK_SUBTRACT, false},
    {SDL_SCANCODE_KP_PLUS, VK_ADD, false},
    {SDL_SCANCODE_KP_ENTER, VK_RETURN, true},
    {SDL_SCANCODE_KP_PERIOD, VK_DECIMAL, false},
    {SDL_SCANCODE_KP_0, VK_NUMPAD0, false},
    {SDL_SCANCODE_APPLICATION, VK_APPS, true},
    {SDL_SCANCODE_LCTRL, VK_CONTROL, false},
    {SDL_SCANCODE_LSHIFT, VK_SHIFT, false},
    {SDL_SCANCODE_LALT, VK_MENU, false},
    {SDL_SCANCODE_LGUI, VK_LWIN, true},
    {SDL_SCANCODE_RCTRL, VK_CONTROL, true},
    {SDL_SCANCODE_RSHIFT, VK_SHIFT, false},
    {SDL_SCANCODE_RALT, VK_MENU, true},
    {SDL_SCANCODE_RGUI, VK_RWIN, true},
};

} // namespace

VirtualKey VirtualKeyFromScancode(int scancode)
{
    // SDL numbers these blocks contiguously, like the virtual-key codes they map to.
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return {'A' + (scancode - SDL_SCANCODE_A), false};
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
        return {'1' + (scancode - SDL_SCANCODE_1), false};
    if (scancode == SDL_SCANCODE_0)
        return {'0', false};
    if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12)
        return {VK_F1 + (scancode - SDL_SCANCODE_F1), false};
    if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9)
        return {VK_NUMPAD1 + (scancode - SDL_SCANCODE_KP_1), false};
    for (const Entry& entry : kTable)
        if (entry.scancode == scancode)
            return {entry.code, entry.extended};
    return {0, false};
}

} // namespace OvPlatform

// SDL events become input messages, in the order and with the parameters Windows uses.
#include "platform/src/internal.h"
#include "platform/src/keymap.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cmath>

using namespace OvPlatform;

namespace
{

WPARAM mouseButtons = 0; // MK_ flags of the buttons held, as the messages tell it

HWND TargetWindow(uint32_t sdlId)
{
    Window* window = LookupWindowBySdlId(sdlId);
    return window ? window->hwnd : FocusWindow();
}

WPARAM MouseKeyState()
{
    SDL_Keymod mods = SDL_GetModState();
    return mouseButtons | ((mods & KMOD_SHIFT) ? MK_SHIFT : 0) |
           ((mods & KMOD_CTRL) ? MK_CONTROL : 0);
}

// lParam of key messages: repeat count 1, extended-key bit 24, context (Alt) bit 29,
// previous key state bit 30 (set for auto-repeat and for every key-up), transition bit 31.
// The OEM scan code (bits 16-23) is not known here and stays 0.
void TranslateKey(const SDL_KeyboardEvent& key)
{
    HWND hwnd = TargetWindow(key.windowID);
    VirtualKey vk = VirtualKeyFromScancode(key.keysym.scancode);
    if (!hwnd || !vk.code)
        return;
    bool down = key.type == SDL_KEYDOWN;
    bool alt = key.keysym.mod & KMOD_ALT;
    bool ctrl = key.keysym.mod & KMOD_CTRL;
    bool system = (alt && !ctrl) || vk.code == VK_F10;
    DWORD lParam = 1;
    if (vk.extended)
        lParam |= 1u << 24;
    if (alt)
        lParam |= 1u << 29;
    if (!down || key.repeat)
        lParam |= 1u << 30;
    if (!down)
        lParam |= 1u << 31;
    UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    PostInput(hwnd, message, WPARAM(vk.code), LPARAM(lParam));
}

// Next code point of UTF-8 text; malformed bytes count as one character each.
unsigned NextCodePoint(const unsigned char*& text)
{
    unsigned lead = *text++;
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    unsigned code = extra ? lead & (0x3Fu >> extra) : lead;
    for (int i = 0; i < extra; ++i)
    {
        if ((*text & 0xC0) != 0x80)
            return '?';
        code = (code << 6) | (*text++ & 0x3F);
    }
    return lead >= 0x80 && !extra ? '?' : code;
}

// One WM_CHAR per character: Latin-1 characters as their byte, others as '?'.
void TranslateText(const SDL_TextInputEvent& text)
{
    HWND hwnd = TargetWindow(text.windowID);
    if (!hwnd)
        return;
    const unsigned char* cursor = reinterpret_cast<const unsigned char*>(text.text);
    while (*cursor)
    {
        unsigned code = NextCodePoint(cursor);
        PostInput(hwnd, WM_CHAR, WPARAM(code < 256 ? code : '?'), 1);
    }
}

void TranslateButton(const SDL_MouseButtonEvent& button)
{
    HWND hwnd = TargetWindow(button.windowID);
    if (!hwnd)
        return;
    bool down = button.type == SDL_MOUSEBUTTONDOWN;
    UINT message = 0;
    WPARAM flag = 0;
    switch (button.button)
    {
    case SDL_BUTTON_LEFT:
        message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
        flag = MK_LBUTTON;
        break;
    case SDL_BUTTON_RIGHT:
        message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
        flag = MK_RBUTTON;
        break;
    case SDL_BUTTON_MIDDLE:
        message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
        flag = MK_MBUTTON;
        break;
    default:
        return;
    }
    mouseButtons = down ? (mouseButtons | flag) : (mouseButtons & ~flag);
    PostInput(hwnd, message, MouseKeyState(), MAKELPARAM(button.x, button.y));
}

// 120 units per notch, positive away from the user; lParam holds the cursor in screen
// coordinates.
void TranslateWheel(const SDL_MouseWheelEvent& wheel)
{
    HWND hwnd = TargetWindow(wheel.windowID);
    if (!hwnd)
        return;
    float notches = wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -wheel.preciseY : wheel.preciseY;
    long delta = std::clamp(std::lround(notches * WHEEL_DELTA), -32768L, 32767L);
    if (delta == 0)
        return;
    POINT cursor{0, 0};
    GetCursorPos(&cursor);
    PostInput(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(MouseKeyState(), WORD(short(delta))),
              MAKELPARAM(cursor.x, cursor.y));
}

void TranslateWindowEvent(const SDL_WindowEvent& event)
{
    Window* window = LookupWindowBySdlId(event.windowID);
    if (!window)
        return;
    switch (event.event)
    {
    case SDL_WINDOWEVENT_CLOSE:
        PostInput(window->hwnd, WM_CLOSE, 0, 0);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        SetFocusWindow(window->hwnd);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        if (FocusWindow() == window->hwnd)
            SetFocusWindow(nullptr);
        break;
    default:
        break;
    }
}

void Translate(const SDL_Event& event)
{
    switch (event.type)
    {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        TranslateKey(event.key);
        break;
    case SDL_TEXTINPUT:
        TranslateText(event.text);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        TranslateButton(event.button);
        break;
    case SDL_MOUSEWHEEL:
        TranslateWheel(event.wheel);
        break;
    case SDL_WINDOWEVENT:
        TranslateWindowEvent(event.window);
        break;
    default:
        break; // motion is polled with GetCursorPos; SDL_QUIT follows window closes
    }
}

} // namespace

namespace OvPlatform
{

void TranslateSdlEvents()
{
    if (!VideoReady())
        return;
    SDL_PumpEvents();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0)
        Translate(event);
}

} // namespace OvPlatform

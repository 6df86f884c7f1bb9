// SDL scancodes to Win32 virtual-key codes. Private to platform/src.
#pragma once

namespace OvPlatform
{

struct VirtualKey
{
    int code;      // 0 when the key has no virtual-key code
    bool extended; // lParam bit 24: keys of the enhanced keyboard's extra blocks
};

VirtualKey VirtualKeyFromScancode(int scancode);

} // namespace OvPlatform

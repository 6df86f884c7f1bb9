// The keyboard and mouse record of the framework: one process-wide OV_INPUT, written by the
// window procedure as messages arrive and polled by games and the GUI (is down, was pressed
// or released this frame, per virtual-key code and per mouse button, the wheel, the cursor
// and the typed characters). The frame loop samples the cursor and clears the edges.
#pragma once

#include "core/ov_string.h"
#include "core/ov_vector.h"
#include "platform/win32.h"

#include <cstdint>
#include <deque>

namespace OvCore
{

struct OV_WINDOW;

// The keyboard and mouse record; one per process, reached through Input().
class OV_INPUT
{
  public:
    // Mouse slots of the arrays below; the public button numbers are 1 left, 2 right,
    // 3 middle, 4 wheel up, 5 wheel down and 0 "any".
    enum MouseSlot
    {
        SLOT_LEFT = 0,   // the left button (public number 1)
        SLOT_MIDDLE = 1, // the middle button (public number 3)
        SLOT_RIGHT = 2,  // the right button (public number 2)
        // The number of slots: the size of the mouse arrays.
        SLOT_COUNT = 3
    };
    static constexpr int WHEEL_NOTCH = 120; // wheel units of one notch, as the system counts them

    // Per virtual-key code, 0 or 1: held now (a level, until the key-up message).
    uint8_t keyDown[256] = {};
    // Per virtual-key code: pressed since the last end of frame.
    uint8_t keyPressed[256] = {};
    // Per virtual-key code: released since the last end of frame.
    uint8_t keyReleased[256] = {};
    // Per virtual-key code: set by ReleaseKeyLater; the key goes up at the end of the frame.
    uint8_t keyReleaseLater[256] = {};
    // Per mouse slot (left, middle, right): the button is held now.
    uint8_t mouseDown[SLOT_COUNT] = {};
    // Per mouse slot: pressed since the last end of frame.
    uint8_t mousePressed[SLOT_COUNT] = {};
    // Per mouse slot: released since the last end of frame.
    uint8_t mouseReleased[SLOT_COUNT] = {};
    // Per mouse slot: set by ReleaseMouseLater; the button goes up at the end of the frame.
    uint8_t mouseReleaseLater[SLOT_COUNT] = {};
    // Wheel movement not yet counted as a notch, in wheel units (sign kept).
    int32_t wheelAccum = 0;
    // Set in the frame in which a whole notch up was completed; cleared at the end of frame.
    uint8_t wheelUp = 0;
    // Set in the frame in which a whole notch down was completed.
    uint8_t wheelDown = 0;
    // Whole notches of the last completed movement, positive up; kept across frames.
    int32_t wheelNotches = 0;
    // The cursor in screen pixels as last sampled (each frame start) or set.
    POINT cursor = {};
    // The typed characters (low byte of each character code), oldest first.
    std::deque<char> chars;
    // Virtual-key code of the last accepted key press.
    uint8_t lastKey = 0;
    // When set, auto-repeated key-down messages of a key already down are ignored.
    uint8_t ignoreRepeat = 0;

    // Message effects. HandleMessage returns false for messages that are not input.
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnKeyDown(unsigned key);
    void OnKeyUp(unsigned key);
    void OnChar(unsigned code);
    void OnButtonDown(MouseSlot slot);
    void OnButtonUp(MouseSlot slot);
    void OnWheel(int amount);

    // Keys: k = 0 asks whether any key 1..255 has the flag; codes above 255 read false.
    bool KeyDown(int k) const;
    bool KeyPressed(int k) const;
    bool KeyReleased(int k) const;
    void SetKeyDown(int k, bool value);
    void SetKeyPressed(int k, bool value);
    void SetKeyReleased(int k, bool value);
    // The key reads as down until the end of the current frame.
    void ReleaseKeyLater(int k);

    // Mouse buttons by public number (see above).
    bool MouseDown(int button) const;
    bool MousePressed(int button) const;
    bool MouseReleased(int button) const;
    void SetMouseDown(int button, bool value);
    void SetMousePressed(int button, bool value);
    void SetMouseReleased(int button, bool value);
    bool ReleaseMouseLater(int button);

    // With `all`, levels are cleared too; then the end-of-frame clearing runs.
    void ClearInput(bool all);
    // End of frame: deferred releases take effect, every edge is cleared.
    void EndFrame();

    // Cursor in screen coordinates, or relative to a window's client origin.
    // Reads the system cursor into `cursor` and returns it as (x, y, 0, 1); when the system
    // cannot tell, (0, 0, 0, 1) with `cursor` unchanged.
    OV_VECTOR SampleCursor();
    // Stores (x, y), screen pixels, as the cursor and moves the system cursor there; false when the
    // move failed.
    bool SetCursor(int x, int y);
    // The cursor's x in screen pixels, as last sampled.
    int CursorX() const { return cursor.x; }
    // The cursor's y in screen pixels, as last sampled.
    int CursorY() const { return cursor.y; }
    // The cursor's x relative to the window's `x`.
    int CursorX(const OV_WINDOW& window) const;
    // The cursor's y relative to the window's `y`.
    int CursorY(const OV_WINDOW& window) const;

    // Typed characters, oldest first.
    // Takes the oldest queued character into `c`; false when none is queued.
    bool PopChar(char& c);
    // Appends every queued character to `text` and, unless `keep`, empties the queue; false when
    // none was queued.
    bool ReadChars(OV_STRING& text, bool keep);
    // The number of characters queued.
    int CharCount() const { return static_cast<int>(chars.size()); }
    // Drops every queued character.
    void ClearChars() { chars.clear(); }
};

// The process-wide input record, created on first use.
OV_INPUT& Input();

} // namespace OvCore

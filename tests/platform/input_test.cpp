// Real key presses and mouse clicks sent to the X server with xdotool (XTest) arrive as
// Win32 messages with the right codes.
#include "platform/testing.h"
#include "platform/win32.h"
#include "recording_window.h"

#include <gtest/gtest.h>

namespace
{

class XInput : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        window_ = std::make_unique<RecordingWindow>(WS_EX_APPWINDOW, 100, 100, 200, 150);
        window_->ShowAndFocus();
        DrainMessages();
        Recorded().clear();
    }

    void TearDown() override { window_.reset(); }

    HWND hwnd() const { return window_->hwnd(); }
    std::string XWindow() const { return std::to_string(PlatformTestX11Window(hwnd())); }

    std::unique_ptr<RecordingWindow> window_;
};

bool IsKeyUpParam(LPARAM lParam)
{
    return (DWORD(lParam) & 0xC0000000u) == 0xC0000000u && LOWORD(lParam) == 1;
}

} // namespace

TEST_F(XInput, SetFocusGivesTheWindowTheXKeyboardFocus)
{
    std::string focused = RunCommand("xdotool getwindowfocus");
    EXPECT_EQ(std::stoul(focused), PlatformTestX11Window(hwnd()));
    EXPECT_EQ(GetFocus(), hwnd());
}

TEST_F(XInput, LetterKeyArrivesAsKeyDownCharAndKeyUp)
{
    RunCommand("xdotool key a");
    ASSERT_TRUE(PumpUntilRecorded({WM_KEYUP}, 1));
    auto keys = RecordedOf({WM_KEYDOWN, WM_CHAR, WM_KEYUP});
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0].message, UINT(WM_KEYDOWN));
    EXPECT_EQ(keys[0].hwnd, hwnd());
    EXPECT_EQ(keys[0].wParam, WPARAM('A'));
    EXPECT_EQ(DWORD(keys[0].lParam) & 0xC0000000u, 0u); // first press: previous state up
    EXPECT_EQ(LOWORD(keys[0].lParam), 1);
    EXPECT_EQ(keys[1].message, UINT(WM_CHAR));
    EXPECT_EQ(keys[1].wParam, WPARAM('a'));
    EXPECT_EQ(keys[2].message, UINT(WM_KEYUP));
    EXPECT_EQ(keys[2].wParam, WPARAM('A'));
    EXPECT_TRUE(IsKeyUpParam(keys[2].lParam));
}

TEST_F(XInput, ShiftedDigitEnterEscapeAndArrowsHaveTheirVirtualKeys)
{
    RunCommand("xdotool key shift+1 Return Escape Left F5 space BackSpace Delete Home");
    ASSERT_TRUE(PumpUntilRecorded({WM_KEYUP}, 10));
    std::vector<WPARAM> downs;
    for (const RecordedMessage& each : RecordedOf({WM_KEYDOWN}))
        downs.push_back(each.wParam);
    EXPECT_EQ(downs, (std::vector<WPARAM>{VK_SHIFT, '1', VK_RETURN, VK_ESCAPE, VK_LEFT, VK_F5,
                                          VK_SPACE, VK_BACK, VK_DELETE, VK_HOME}));
    std::string typed;
    for (const RecordedMessage& each : RecordedOf({WM_CHAR}))
        typed += char(each.wParam);
    // '!' from text input; CR, ESC, space and BS as Windows makes them.
    EXPECT_EQ(typed, std::string("!\r\x1b \b"));
    // Arrow keys are extended keys (lParam bit 24); letters and digits are not.
    for (const RecordedMessage& each : RecordedOf({WM_KEYDOWN}))
        EXPECT_EQ(
            (each.lParam >> 24) & 1,
            (each.wParam == VK_LEFT || each.wParam == VK_DELETE || each.wParam == VK_HOME) ? 1 : 0)
            << each.wParam;
}

TEST_F(XInput, MouseButtonsAndWheelArriveWithClientCoordinates)
{
    RunCommand("xdotool mousemove --window " + XWindow() +
               " 30 40 click 1 click 3 click 2 click 4 click 5");
    ASSERT_TRUE(PumpUntilRecorded({WM_MOUSEWHEEL}, 2));
    auto buttons = RecordedOf({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP,
                               WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MOUSEWHEEL});
    std::vector<UINT> order;
    for (const RecordedMessage& each : buttons)
        order.push_back(each.message);
    EXPECT_EQ(order,
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP,
                                 WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MOUSEWHEEL, WM_MOUSEWHEEL}));
    ASSERT_EQ(buttons.size(), 8u);
    EXPECT_EQ(GET_X_LPARAM(buttons[0].lParam), 30);
    EXPECT_EQ(GET_Y_LPARAM(buttons[0].lParam), 40);
    EXPECT_EQ(buttons[0].wParam & MK_LBUTTON, WPARAM(MK_LBUTTON));
    EXPECT_EQ(buttons[1].wParam & MK_LBUTTON, 0u);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(buttons[6].wParam), 120);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(buttons[7].wParam), -120);
    // The wheel reports the cursor in screen coordinates.
    EXPECT_EQ(GET_X_LPARAM(buttons[6].lParam), 130);
    EXPECT_EQ(GET_Y_LPARAM(buttons[6].lParam), 140);
}

TEST_F(XInput, PostedInputIsDeliveredBeforeWaitingXInput)
{
    RunCommand("xdotool key b");
    PostMessageA(hwnd(), WM_KEYDOWN, 'Z', 1);
    ASSERT_TRUE(PumpUntilRecorded({WM_KEYUP}, 1));
    auto downs = RecordedOf({WM_KEYDOWN});
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[0].wParam, WPARAM('Z'));
    EXPECT_EQ(downs[1].wParam, WPARAM('B'));
}

// A drag: while the button is held the cursor is read where the pointer is, not where it
// was pressed.
TEST_F(XInput, TheCursorFollowsThePointerWhileAButtonIsHeld)
{
    RunCommand("xdotool mousemove --window " + XWindow() + " 20 20 mousedown 1");
    ASSERT_TRUE(PumpUntilRecorded({WM_LBUTTONDOWN}, 1));
    RunCommand("xdotool mousemove --window " + XWindow() + " 150 90 sleep 0.2");
    DrainMessages();
    POINT cursor{};
    ASSERT_TRUE(GetCursorPos(&cursor));
    RunCommand("xdotool mouseup 1");
    DrainMessages();
    EXPECT_EQ(cursor.x, 250);
    EXPECT_EQ(cursor.y, 190);
}

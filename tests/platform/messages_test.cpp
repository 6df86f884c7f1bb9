// The message queue: posting, peeking, filters, WM_QUIT, dispatch and the default procedure.
#include "platform/win32.h"
#include "recording_window.h"

#include <gtest/gtest.h>

namespace
{

class MessageQueue : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        DrainMessages();
        Recorded().clear();
    }
};

} // namespace

TEST_F(MessageQueue, PostedMessagesReachTheirOwnProceduresInOrder)
{
    RecordingWindow first, second;
    ASSERT_TRUE(PostMessageA(first.hwnd(), WM_KEYDOWN, 'W', 1));
    ASSERT_TRUE(PostMessageA(second.hwnd(), WM_CHAR, 'x', 1));
    ASSERT_TRUE(PostMessageA(first.hwnd(), WM_KEYUP, 'W', 0xC0000001));
    ASSERT_TRUE(PostMessageA(second.hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, -240), 0));
    Recorded().clear();
    DrainMessages();

    auto received = RecordedOf({WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_MOUSEWHEEL});
    ASSERT_EQ(received.size(), 4u);
    EXPECT_EQ(received[0].hwnd, first.hwnd());
    EXPECT_EQ(received[0].message, UINT(WM_KEYDOWN));
    EXPECT_EQ(received[1].hwnd, second.hwnd());
    EXPECT_EQ(received[1].wParam, WPARAM('x'));
    EXPECT_EQ(received[2].message, UINT(WM_KEYUP));
    EXPECT_EQ(received[2].lParam, LPARAM(0xC0000001));
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(received[3].wParam), -240);
}

TEST_F(MessageQueue, QuitComesAfterPostedMessagesAndIgnoresFilters)
{
    RecordingWindow window;
    PostQuitMessage(7);
    PostMessageA(window.hwnd(), WM_APP + 1, 0, 0);

    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, UINT(WM_APP + 1));
    // A filter that excludes WM_QUIT still gets it; PM_NOREMOVE leaves it pending.
    ASSERT_TRUE(PeekMessageA(&msg, window.hwnd(), WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE));
    EXPECT_EQ(msg.message, UINT(WM_QUIT));
    EXPECT_EQ(msg.hwnd, nullptr);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, UINT(WM_QUIT));
    EXPECT_EQ(msg.wParam, WPARAM(7));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageQueue, WindowAndRangeFiltersLeaveOtherMessagesQueued)
{
    RecordingWindow first, second;
    PostMessageA(first.hwnd(), WM_USER, 1, 0);
    PostMessageA(second.hwnd(), WM_USER, 2, 0);
    PostMessageA(nullptr, WM_USER, 3, 0); // a thread message
    PostMessageA(first.hwnd(), WM_CHAR, 'a', 0);

    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, second.hwnd(), 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, WPARAM(2));
    ASSERT_TRUE(PeekMessageA(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, WPARAM(3));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_CHAR, WM_CHAR, PM_REMOVE));
    EXPECT_EQ(msg.wParam, WPARAM('a'));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, WPARAM(1));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageQueue, DestroyedWindowsLoseTheirMessages)
{
    auto doomed = std::make_unique<RecordingWindow>();
    HWND hwnd = doomed->hwnd();
    PostMessageA(hwnd, WM_USER, 0, 0);
    doomed.reset();
    MSG msg{};
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_FALSE(PostMessageA(hwnd, WM_USER, 0, 0));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(MessageQueue, TranslateMessageMakesControlCharactersFromKeys)
{
    RecordingWindow window;
    PostMessageA(window.hwnd(), WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(window.hwnd(), WM_KEYDOWN, VK_BACK, 1);
    PostMessageA(window.hwnd(), WM_KEYDOWN, 'A', 1); // letters come from text input
    PostMessageA(window.hwnd(), WM_KEYUP, VK_RETURN, 0xC0000001);
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    auto chars = RecordedOf({WM_CHAR});
    ASSERT_EQ(chars.size(), 2u);
    EXPECT_EQ(chars[0].wParam, WPARAM('\r'));
    EXPECT_EQ(chars[1].wParam, WPARAM('\b'));
}

TEST_F(MessageQueue, DefaultProcedureClosesOnAltF4AndWmClose)
{
    RecordingWindow window;
    HWND hwnd = window.hwnd();
    PostMessageA(hwnd, WM_SYSKEYDOWN, VK_F4, LPARAM(1 | (1 << 29)));
    DrainMessages();
    EXPECT_FALSE(IsWindow(hwnd));
    auto chain = RecordedOf({WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY});
    ASSERT_EQ(chain.size(), 3u);
    EXPECT_EQ(chain[0].wParam, WPARAM(SC_CLOSE));
    EXPECT_EQ(chain[1].message, UINT(WM_CLOSE));
    EXPECT_EQ(chain[2].message, UINT(WM_DESTROY));
}

TEST_F(MessageQueue, MessagesCarryTimeAndCursor)
{
    RecordingWindow window;
    ASSERT_TRUE(SetCursorPos(5, 6));
    PostMessageA(window.hwnd(), WM_USER, 0, 0);
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.pt.x, 5);
    EXPECT_EQ(msg.pt.y, 6);
    EXPECT_LE(msg.time, GetTickCount());
}

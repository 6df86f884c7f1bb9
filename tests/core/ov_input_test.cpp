// Input as the window procedure receives it: messages posted to a framework window, handled
// by the real frame loop, read by frame code one frame at a time.
#include "support/frame_script.h"
#include "support/manual_clock.h"

#include "core/ov_input.h"
#include "core/ov_window.h"

#include <string>

using namespace OvCore;
using OvTest::FrameScript;

namespace
{

constexpr const char* CLASS_NAME = "ov-input-test";

// A bare window on the framework's window procedure: input needs no render target.
class InputTest : public OvTest::ManualClockTest
{
  protected:
    void SetUp() override
    {
        ManualClockTest::SetUp();
        WNDCLASSEXA windowClass = {};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = WindowProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = CLASS_NAME;
        ASSERT_NE(RegisterClassExA(&windowClass), 0);
        window = CreateWindowExA(0, CLASS_NAME, "input", WS_POPUP, 0, 0, 64, 64, nullptr, nullptr,
                                 windowClass.hInstance, nullptr);
        ASSERT_NE(window, nullptr);
    }

    void TearDown() override
    {
        DestroyWindow(window);
        UnregisterClassA(CLASS_NAME, GetModuleHandleA(nullptr));
        ManualClockTest::TearDown();
    }

    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        EXPECT_TRUE(PostMessageA(window, message, wParam, lParam));
    }
    // lParam as Windows sets it: repeat count 1, and bit 30 when the key was already down.
    void PostKeyDown(WPARAM key, bool repeat = false)
    {
        Post(WM_KEYDOWN, key, repeat ? (1 | (1 << 30)) : 1);
    }
    void PostKeyUp(WPARAM key) { Post(WM_KEYUP, key, 1 | (3u << 30)); }
    void PostWheel(int amount) { Post(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(amount))); }

    HWND window = nullptr;
};

TEST_F(InputTest, HeldKeyIsPressedOnceWhenRepeatsAreIgnored)
{
    OV_INPUT& input = Input();
    input.ignoreRepeat = 1;
    PostKeyDown('A');
    const size_t frames =
        FrameScript({
                        [&]
                        {
                            EXPECT_TRUE(input.KeyPressed('A'));
                            EXPECT_TRUE(input.KeyDown('A'));
                            EXPECT_EQ(input.lastKey, 'A');
                            PostKeyDown('B');
                            PostKeyUp('B');
                            PostKeyDown('A', true);
                        },
                        [&]
                        {
                            EXPECT_FALSE(input.KeyPressed('A'));
                            EXPECT_TRUE(input.KeyDown('A'));
                            EXPECT_EQ(input.lastKey,
                                      'B'); // the ignored repeat did not take it back
                            // Pressed and released between two frames: both edges, not down.
                            EXPECT_TRUE(input.KeyPressed('B'));
                            EXPECT_TRUE(input.KeyReleased('B'));
                            EXPECT_FALSE(input.KeyDown('B'));
                            PostKeyUp('A');
                        },
                        [&]
                        {
                            EXPECT_TRUE(input.KeyReleased('A'));
                            EXPECT_FALSE(input.KeyDown('A'));
                            EXPECT_FALSE(input.KeyReleased('B'));
                        },
                    })
            .Run();
    EXPECT_EQ(frames, 3u);
}

TEST_F(InputTest, EveryRepeatPressesAgainWhenRepeatsCount)
{
    OV_INPUT& input = Input();
    input.ignoreRepeat = 0;
    PostKeyDown('A');
    FrameScript({
                    [&]
                    {
                        EXPECT_TRUE(input.KeyPressed('A'));
                        PostKeyDown('B');
                        PostKeyDown('A', true);
                    },
                    [&]
                    {
                        EXPECT_TRUE(input.KeyPressed('A'));
                        EXPECT_TRUE(input.KeyPressed('B'));
                        EXPECT_EQ(input.lastKey, 'A');
                    },
                    [&] { EXPECT_FALSE(input.KeyPressed('A')); },
                })
        .Run();
}

TEST_F(InputTest, KeyZeroAsksForAnyRealKeyAndOutOfRangeCodesAreIgnored)
{
    OV_INPUT& input = Input();
    input.SetKeyDown(0, true);
    EXPECT_FALSE(input.KeyDown(0)); // code 0 itself never counts
    EXPECT_FALSE(input.KeyDown(256));
    EXPECT_FALSE(input.KeyDown(-1));
    input.SetKeyDown(300, true); // ignored, no write out of bounds
    PostKeyDown(0x1FF);
    PostKeyDown(VK_SHIFT);
    FrameScript({
                    [&]
                    {
                        EXPECT_TRUE(input.KeyDown(0));
                        EXPECT_TRUE(input.KeyPressed(0));
                        EXPECT_EQ(input.lastKey, VK_SHIFT);
                        PostKeyUp(VK_SHIFT);
                    },
                    [&]
                    {
                        EXPECT_FALSE(input.KeyDown(0));
                        EXPECT_TRUE(input.KeyReleased(0));
                    },
                    [&] { EXPECT_FALSE(input.KeyReleased(0)); },
                })
        .Run();
}

TEST_F(InputTest, ReleaseKeyLaterKeepsTheKeyDownForTheRestOfTheFrame)
{
    OV_INPUT& input = Input();
    input.ignoreRepeat = 1;
    PostKeyDown(VK_RETURN);
    FrameScript({
                    [&]
                    {
                        input.ReleaseKeyLater(VK_RETURN);
                        EXPECT_TRUE(input.KeyDown(VK_RETURN));
                    },
                    [&]
                    {
                        EXPECT_FALSE(input.KeyDown(VK_RETURN));
                        PostKeyDown(VK_RETURN); // a new press is not swallowed as a repeat
                    },
                    [&] { EXPECT_TRUE(input.KeyPressed(VK_RETURN)); },
                    [&] { EXPECT_TRUE(input.KeyDown(VK_RETURN)); },
                })
        .Run();
}

TEST_F(InputTest, WheelCountsWholeNotchesAndKeepsTheRemainder)
{
    OV_INPUT& input = Input();
    PostWheel(60);
    FrameScript({
                    [&]
                    {
                        EXPECT_FALSE(input.MouseDown(4));
                        EXPECT_FALSE(input.MouseDown(0));
                        EXPECT_EQ(input.wheelNotches, 0);
                        PostWheel(60);
                    },
                    [&]
                    {
                        EXPECT_TRUE(input.MouseDown(4));
                        EXPECT_TRUE(
                            input.MouseDown(0)); // a notch counts as "any" with no button held
                        EXPECT_EQ(input.wheelNotches, 1);
                        EXPECT_EQ(input.wheelAccum, 0);
                        PostWheel(-250);
                    },
                    [&]
                    {
                        EXPECT_FALSE(input.MouseDown(4));
                        EXPECT_TRUE(input.MouseDown(5));
                        EXPECT_EQ(input.wheelNotches, -2);
                        EXPECT_EQ(input.wheelAccum, -10);
                    },
                    [&]
                    {
                        EXPECT_FALSE(input.MouseDown(5));
                        EXPECT_EQ(input.wheelNotches, -2); // kept until the next whole notch
                    },
                })
        .Run();
}

TEST_F(InputTest, ButtonsUseThePublicNumbers)
{
    OV_INPUT& input = Input();
    Post(WM_RBUTTONDOWN);
    FrameScript({
                    [&]
                    {
                        EXPECT_TRUE(input.MouseDown(2));
                        EXPECT_TRUE(input.MousePressed(2));
                        EXPECT_TRUE(input.MousePressed(0));
                        EXPECT_FALSE(input.MouseDown(1));
                        EXPECT_FALSE(input.MouseDown(3));
                        EXPECT_FALSE(input.MouseDown(6));
                        EXPECT_FALSE(input.MousePressed(4));
                        Post(WM_RBUTTONUP);
                        Post(WM_MBUTTONDOWN);
                    },
                    [&]
                    {
                        EXPECT_TRUE(input.MouseReleased(2));
                        EXPECT_FALSE(input.MouseDown(2));
                        EXPECT_TRUE(input.MouseDown(3));
                        EXPECT_EQ(input.mouseDown[OV_INPUT::SLOT_MIDDLE], 1);
                    },
                })
        .Run();
}

TEST_F(InputTest, ReleaseMouseLaterLetsGoAtTheEndOfTheFrame)
{
    OV_INPUT& input = Input();
    Post(WM_LBUTTONDOWN);
    FrameScript({
                    [&]
                    {
                        EXPECT_TRUE(input.ReleaseMouseLater(1));
                        EXPECT_FALSE(input.ReleaseMouseLater(4));
                        EXPECT_TRUE(input.MouseDown(1));
                    },
                    [&]
                    {
                        EXPECT_FALSE(input.MouseDown(1));
                        Post(WM_LBUTTONDOWN);
                    },
                    [&]
                    {
                        EXPECT_TRUE(input.MousePressed(1));
                        EXPECT_TRUE(input.MouseDown(1));
                    },
                    [&] { EXPECT_TRUE(input.MouseDown(1)); },
                })
        .Run();
}

TEST_F(InputTest, TypedCharactersLastUntilTheEndOfTheNextFrame)
{
    OV_INPUT& input = Input();
    Post(WM_CHAR, 'h');
    Post(WM_CHAR, 'i');
    Post(WM_CHAR, 0x1C3); // only the low byte is a character
    FrameScript({
                    [&]
                    {
                        char first = 0;
                        ASSERT_TRUE(input.PopChar(first));
                        EXPECT_EQ(first, 'h');
                        OV_STRING text("<");
                        EXPECT_TRUE(input.ReadChars(text, true));
                        EXPECT_STREQ(text.Text(), "<i\xC3");
                        EXPECT_EQ(input.CharCount(), 2);
                    },
                    [&]
                    {
                        EXPECT_EQ(input.CharCount(), 0);
                        OV_STRING text;
                        EXPECT_FALSE(input.ReadChars(text, false));
                        Loop().clearCharsEachFrame = false;
                        Post(WM_CHAR, 'x');
                    },
                    [&] { EXPECT_EQ(input.CharCount(), 1); },
                    [&] { EXPECT_EQ(input.CharCount(), 1); },
                })
        .Run();
}

// ---- the window procedure ------------------------------------------------------------------

struct HookCalls
{
    std::vector<UINT> app;
    std::vector<UINT> other;
    WPARAM trayWParam = 0;
    LPARAM trayLParam = 0;
};
HookCalls hookCalls;

TEST_F(InputTest, ApplicationAndTrayMessagesReachTheLoopHooks)
{
    hookCalls = HookCalls();
    OV_LOOP& loop = Loop();
    loop.trayHook = [](HWND, WPARAM wParam, LPARAM lParam)
    {
        hookCalls.trayWParam = wParam;
        hookCalls.trayLParam = lParam;
    };
    loop.appMessageHook = [](HWND, UINT message, WPARAM, LPARAM)
    { hookCalls.app.push_back(message); };
    loop.defaultHook = [](HWND, UINT message, WPARAM, LPARAM)
    {
        if (message >= WM_USER)
            hookCalls.other.push_back(message);
    };
    Post(OV_WINDOW::TRAY_MESSAGE, 7, WM_LBUTTONUP);
    Post(0x8001);
    Post(0xBFFE);
    Post(0xBFFF);
    Post(WM_USER);
    FrameScript({[] {}}).Run();
    EXPECT_EQ(hookCalls.trayWParam, 7u);
    EXPECT_EQ(hookCalls.trayLParam, WM_LBUTTONUP);
    EXPECT_EQ(hookCalls.app, (std::vector<UINT>{0x8001, 0xBFFE}));
    EXPECT_EQ(hookCalls.other, (std::vector<UINT>{0xBFFF, WM_USER}));
}

TEST_F(InputTest, SystemCommandsAreSwallowedAndCloseEndsTheLoop)
{
    Post(WM_SYSCOMMAND, SC_CLOSE);
    Post(WM_SYSCOMMAND, SC_SCREENSAVE);
    Post(WM_SYSCOMMAND, SC_MONITORPOWER, 2);
    const size_t frames = FrameScript({
                                          [&] { Post(WM_CLOSE); },
                                          [] {},
                                          [] {},
                                      })
                              .Run();
    EXPECT_EQ(frames, 1u);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(Loop().running); // ready for the next state's loop
}

} // namespace

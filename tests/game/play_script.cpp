#include "play_script.h"

#include "app/ov_application.h"
#include "core/ov_input.h"
#include "core/ov_loop.h"
#include "game/game_state.h"
#include "game/game_values.h"
#include "platform/testing.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

using namespace OvCore;

namespace OvGameTest
{

namespace
{

void PostToMain(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (const OV_WINDOW* window = Application().WindowNamed("main", 0))
        PostMessageA(window->hwnd(), message, wParam, lParam);
}

// Key messages as Windows fills them: repeat count 1; a key up also has the previous-state
// and transition bits.
constexpr LPARAM KEY_DOWN_BITS = 1;
constexpr LPARAM KEY_UP_BITS = LPARAM(1 | 0xC0000000u);

} // namespace

PlayScript& PlayScript::Do(Action action)
{
    steps_.push_back({std::move(action), 0});
    return *this;
}

PlayScript& PlayScript::Wait(int frames)
{
    steps_.push_back({nullptr, frames});
    return *this;
}

PlayScript& PlayScript::Hold(int key)
{
    return Do([key] { PostToMain(WM_KEYDOWN, WPARAM(key), KEY_DOWN_BITS); });
}

PlayScript& PlayScript::Release(int key)
{
    return Do([key] { PostToMain(WM_KEYUP, WPARAM(key), KEY_UP_BITS); });
}

PlayScript& PlayScript::Tap(int key)
{
    return Hold(key).Release(key);
}

PlayScript& PlayScript::Post(unsigned message)
{
    return Do([message] { PostToMain(message, 0, 0); });
}

PlayScript& PlayScript::Check(const char* step, Action check)
{
    checks.push_back(step);
    return Do(
        [this, step, check = std::move(check)]
        {
            SCOPED_TRACE(step);
            check();
            reached.push_back(step);
        });
}

int PlayScript::Run(int frameLimit)
{
    frameLimit_ = frameLimit;
    // The game's values live for the process; a run starts as the program would.
    timeScale = 1;
    greyFactor = 0;
    gameStep = 0;
    handoff = NO_HANDOFF;
    Input() = OV_INPUT();
    Loop() = OV_LOOP();
    PlatformTestUseManualClock(true);
    PlatformTestSetTime(1000);
    // The frame loop reads the clock once a frame: every frame lasts 1/60 s.
    PlatformTestSetTimeStepPerRead(FRAME_SECONDS);
    programStartTime = PlatformTestTime();

    // The game reads data/ relative to the current directory: the committed game/data.
    const std::filesystem::path folder = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::path(OV_SOURCE_DIR) / "game");

    running_ = this;
    Application().updateHook = UpdateHook;
    const int result = RunTarnvale("");
    Application().updateHook = nullptr;
    std::filesystem::current_path(folder);
    running_ = nullptr;
    PlatformTestSetTimeStepPerRead(0);
    PlatformTestUseManualClock(false);
    return result;
}

// The game leaves the update hook to the program; it is the first thing of every game
// frame that the script can reach.
void PlayScript::UpdateHook()
{
    PlayScript& script = *running_;
    OV_APPLICATION& app = Application();
    if (app.afterDrawHook == AfterDrawHook)
        return;
    script.gameHooksInstalled =
        app.beforeDrawHook == GameBeforeDraw && app.afterDrawHook == GameAfterDraw;
    script.gameStartTime = PlatformTestTime();
    script.stateAtGameStart = app.current ? app.current.Name() : "";
    app.afterDrawHook = AfterDrawHook;
}

void PlayScript::AfterDrawHook()
{
    GameAfterDraw();
    PlayScript& script = *running_;
    ++script.frame;
    script.RunSteps();
}

void PlayScript::RunSteps()
{
    if (next_ >= steps_.size())
    {
        ++framesAfterScript;
        if (frame > frameLimit_)
            PostToMain(WM_CLOSE, 0, 0);
        return;
    }
    if (frame < waitUntil_)
        return;
    while (next_ < steps_.size())
    {
        Step& step = steps_[next_++];
        if (step.action)
            step.action();
        else if (step.wait > 0)
        {
            waitUntil_ = frame + step.wait;
            return;
        }
    }
}

C_GRACZ* PlayScript::Player()
{
    for (auto entry : Application().actors)
        if (auto* player = dynamic_cast<C_GRACZ*>(entry->get()))
            return player;
    return nullptr;
}

C_CAR* PlayScript::Car(const char* name, int which)
{
    for (auto entry : Application().actors)
        if (std::strcmp((*entry)->key.name, name) == 0 && which-- == 0)
            return dynamic_cast<C_CAR*>(entry->get());
    return nullptr;
}

OV_VECTOR PlayScript::ViewCorner()
{
    const auto view = Application().views.Find("main", 0);
    return view ? view->viewPosition : OV_VECTOR();
}

} // namespace OvGameTest

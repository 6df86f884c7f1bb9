// The state machine of OV_APPLICATION on real frame loops (manual clock), and the program
// entry routine on a real window.
#include "support/manual_clock.h"

#include "app/ov_application.h"
#include "app/ov_entry.h"
#include "core/ov_input.h"
#include "core/ov_loop.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

using namespace OvCore;

namespace
{

// What a test state does: something before its loop, something in each frame (given the
// frame number), and how many frames it runs before returning on its own.
struct Script
{
    std::function<void()> beforeLoop = [] {};
    std::function<void(int)> onFrame = [](int) {};
    int frames = 3;
};

constexpr std::array<const char*, 3> NAMES = {"first", "second", "third"};
std::array<Script, 3> scripts;
std::vector<std::string> ran; // state names in the order they started
std::vector<int> framesRun;   // frames each run went through

void Frame(HWND, void* context)
{
    auto& [script, frame] = *static_cast<std::pair<Script*, int>*>(context);
    script->onFrame(frame);
    ++framesRun.back();
    if (++frame >= script->frames)
        Loop().running = false;
}

template <size_t N> void TestState()
{
    ran.push_back(NAMES[N]);
    framesRun.push_back(0);
    scripts[N].beforeLoop();
    std::pair<Script*, int> context{&scripts[N], 0};
    Loop().RunFrameLoop(Frame, &context);
}

class StatesTest : public OvTest::ManualClockTest
{
  protected:
    void SetUp() override
    {
        ManualClockTest::SetUp();
        ResetStates();
        scripts = {};
        ran.clear();
        framesRun.clear();
    }

    void TearDown() override
    {
        ResetStates();
        ManualClockTest::TearDown();
    }

    static void ResetStates()
    {
        OV_APPLICATION& app = Application();
        app.states.Clear();
        app.current = OV_STATE_ENTRY();
        app.advance = true;
        app.jumped = false;
    }

    // Registers the three test states in order and starts with the first.
    static void RegisterAll()
    {
        OV_APPLICATION& app = Application();
        app.states.Get(NAMES[0])->callback = TestState<0>;
        app.states.Get(NAMES[1])->callback = TestState<1>;
        app.states.Get(NAMES[2])->callback = TestState<2>;
        app.current = app.states.First();
    }

    static std::vector<std::string> Names(std::initializer_list<const char*> names)
    {
        return std::vector<std::string>(names.begin(), names.end());
    }
};

TEST_F(StatesTest, StatesThatReturnOnTheirOwnRunInRegistrationOrder)
{
    EXPECT_FALSE(Application().RunStates()); // nothing registered
    RegisterAll();
    EXPECT_TRUE(Application().RunStates());
    EXPECT_EQ(ran, Names({"first", "second", "third"}));
    EXPECT_EQ(framesRun, std::vector<int>({3, 3, 3}));
    EXPECT_FALSE(Application().current);
    EXPECT_TRUE(Application().advance);
    EXPECT_FALSE(Application().jumped);
    EXPECT_TRUE(Loop().running);
}

TEST_F(StatesTest, FirstRequestOfAFrameWinsAndItsTargetRunsNext)
{
    OV_APPLICATION& app = Application();
    bool second = true;
    scripts[0].onFrame = [&](int frame)
    {
        if (frame != 1)
            return;
        EXPECT_TRUE(app.SelectState("third"));
        EXPECT_TRUE(app.jumped);
        EXPECT_FALSE(app.advance);
        second = app.SelectState("second");
        EXPECT_STREQ(app.current.Name(), "third");
    };
    RegisterAll();
    app.RunStates();
    EXPECT_FALSE(second);
    EXPECT_EQ(ran, Names({"first", "third"})); // third is the last: the machine ends
    EXPECT_EQ(framesRun.front(), 2);           // the requesting frame completes
}

TEST_F(StatesTest, RefusedRequestsLeaveTheRunningStateUndisturbed)
{
    OV_APPLICATION& app = Application();
    scripts[0].onFrame = [&](int frame)
    {
        if (frame == 0)
        {
            EXPECT_FALSE(app.SelectState("fourth"));
        }
        if (frame == 1)
        {
            EXPECT_FALSE(app.SelectState(OV_STATE_ENTRY()));
        }
    };
    scripts[2].onFrame = [&](int frame)
    {
        if (frame == 0)
        {
            EXPECT_FALSE(app.NextState()); // the last state has no next
        }
    };
    RegisterAll();
    app.RunStates();
    EXPECT_EQ(ran, Names({"first", "second", "third"}));
    EXPECT_EQ(framesRun, std::vector<int>({3, 3, 3}));
}

TEST_F(StatesTest, NextAndPreviousMoveAlongTheRegistrationOrder)
{
    OV_APPLICATION& app = Application();
    int firstRuns = 0, secondRuns = 0;
    scripts[0].beforeLoop = [&] { ++firstRuns; };
    scripts[0].onFrame = [&](int frame)
    {
        if (frame == 0 && firstRuns == 1)
        {
            EXPECT_FALSE(app.PreviousState()); // nothing before the first
        }
        if (frame == 0 && firstRuns == 2)
        {
            EXPECT_TRUE(app.NextState());
        }
    };
    scripts[1].beforeLoop = [&] { ++secondRuns; };
    scripts[1].onFrame = [&](int frame)
    {
        if (frame == 0 && secondRuns == 1)
        {
            EXPECT_TRUE(app.PreviousState());
        }
    };
    RegisterAll();
    app.RunStates();
    EXPECT_EQ(ran, Names({"first", "second", "first", "second", "third"}));
    EXPECT_EQ(framesRun, std::vector<int>({3, 1, 1, 3, 3}));
}

TEST_F(StatesTest, QuitFromTheFirstStateSkipsTheRest)
{
    OV_APPLICATION& app = Application();
    scripts[0].onFrame = [&](int frame)
    {
        if (frame == 0)
            app.Quit();
    };
    RegisterAll();
    EXPECT_TRUE(app.RunStates());
    EXPECT_EQ(ran, Names({"first"}));
    EXPECT_EQ(framesRun, std::vector<int>({1}));
    EXPECT_TRUE(Loop().running);
}

TEST_F(StatesTest, ChangeRequestedBeforeTheLoopStillGivesTheTargetItsFrames)
{
    OV_APPLICATION& app = Application();
    scripts[0].beforeLoop = [&] { EXPECT_TRUE(app.SelectState("third")); };
    RegisterAll();
    app.RunStates();
    EXPECT_EQ(ran, Names({"first", "third"}));
    EXPECT_EQ(framesRun, std::vector<int>({0, 3}));
}

TEST_F(StatesTest, StateRemovingItselfIsFollowedByTheNextAndClearingAllEndsTheMachine)
{
    OV_APPLICATION& app = Application();
    scripts[0].beforeLoop = [&] { app.states.Access(OV_ACCESS_REMOVE, NAMES[0]); };
    scripts[1].beforeLoop = [&] { app.states.Clear(); };
    RegisterAll();
    EXPECT_TRUE(app.RunStates());
    EXPECT_EQ(ran, Names({"first", "second"}));
    EXPECT_TRUE(app.states.IsEmpty());
    EXPECT_FALSE(app.current);
}

TEST_F(StatesTest, CountStatesCountsAllOrByName)
{
    OV_APPLICATION& app = Application();
    EXPECT_EQ(app.CountStates(), 0u);
    RegisterAll();
    app.states.Get("second", 1);
    EXPECT_EQ(app.CountStates(), 4u);
    EXPECT_EQ(app.CountStates("second"), 2u);
    EXPECT_EQ(app.CountStates("fourth"), 0u);
}

// The entry routine on the real "main" window.
class EntryTest : public StatesTest
{
  protected:
    void TearDown() override
    {
        if (OV_WINDOW* main = Application().WindowNamed("main"))
            main->CloseWindow();
        Application().windows.Access(OV_ACCESS_REMOVE, "main");
        StatesTest::TearDown();
    }
};

TEST_F(EntryTest, WithoutStatesTheEntryStillClosesTheWindowAndShutsTheEngineDown)
{
    OvInitiation();
    OvHandle texture{1, nullptr};
    ASSERT_TRUE(OvTextureCreate(&texture));
    ASSERT_TRUE(OvTextureLoadEmpty(texture, 4, 4, 0));
    ASSERT_NE(OvTextureGet(texture, OV_TEXTURE_WIDTH), nullptr);

    EXPECT_EQ(RunProgram("Entry without states", nullptr, 0, "--level 2"), 1);

    OV_APPLICATION& app = Application();
    EXPECT_STREQ(app.commandLine.Text(), "--level 2");
    OV_WINDOW* main = app.WindowNamed("main");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->hwnd(), nullptr);
    EXPECT_STREQ(main->title.Text(), "Entry without states");
    EXPECT_EQ(main->colourBits, 32);
    EXPECT_EQ(main->depthBits, 16);
    EXPECT_EQ(Input().ignoreRepeat, 1);
    EXPECT_EQ(OvTextureGet(texture, OV_TEXTURE_WIDTH), nullptr); // the engine let go of its objects
}

TEST_F(EntryTest, EntryRunsTheStatesOnTheOpenMainWindow)
{
    const OV_WINDOW* main = nullptr;
    scripts[0].beforeLoop = [&]
    {
        main = Application().WindowNamed("main");
        ASSERT_NE(main, nullptr);
        EXPECT_TRUE(IsWindow(main->hwnd()));
        EXPECT_STREQ(Application().current.Name(), "first");
    };
    // What a state leaves loaded is released before the engine shuts down.
    scripts[1].beforeLoop = []
    {
        Application().sprites.Get("left behind");
        Application().AddActor("left behind", new OV_ACTOR());
    };
    const OV_STATE_DEFINITION states[] = {{"first", TestState<0>}, {"second", TestState<1>}};
    EXPECT_EQ(RunProgram("Entry with states", states, 2, nullptr), 1);
    EXPECT_EQ(ran, Names({"first", "second"}));
    EXPECT_TRUE(Application().sprites.IsEmpty());
    EXPECT_TRUE(Application().pendingActors.IsEmpty() && Application().actors.IsEmpty());
    EXPECT_STREQ(Application().commandLine.Text(), "");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->hwnd(), nullptr);
}

TEST_F(EntryTest, EntryEndsAtOnceWhenTheMainWindowCannotOpen)
{
    OvInitiation();
    OV_WINDOW blocker; // holds the window class of the title
    blocker.title = "Entry blocked";
    ASSERT_TRUE(blocker.OpenWindow());
    const OV_STATE_DEFINITION states[] = {{"first", TestState<0>}};
    EXPECT_EQ(RunProgram("Entry blocked", states, 1, nullptr), 0);
    EXPECT_TRUE(ran.empty());
    blocker.CloseWindow();
    OvClosure();
}

} // namespace

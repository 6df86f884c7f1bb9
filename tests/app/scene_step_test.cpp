// The scene step: when added actors go live, the update and draw passes and their ticks,
// the hooks, removal, timers and ReleaseAll.
#include "support/frame_script.h"
#include "support/scene_fixture.h"

#include "app/ov_application.h"

using namespace OvCore;
using namespace OvTest;

namespace
{

int timerCalls = 0;
void CountTimer()
{
    ++timerCalls;
}

TEST_F(SceneTest, ActorsAddedBeforeTheLoopGoLiveAfterItsFirstFrame)
{
    OV_APPLICATION& app = Application();
    auto* a = new Probe("A");
    ASSERT_EQ(app.AddActor("probe", a), a);
    EXPECT_EQ(app.pendingActors.Count(), 1u);
    EXPECT_TRUE(app.actors.IsEmpty());

    // The real frame loop: the first frame shows nothing of A, the second updates and draws it.
    FrameScript({[] { Application().SceneStep(); }, [] { Application().SceneStep(); }}).Run();
    EXPECT_EQ(Take(), Events({"update A", "draw A"}));
    EXPECT_TRUE(app.pendingActors.IsEmpty());
    ASSERT_EQ(app.actors.Count(), 1u);
    EXPECT_STREQ(app.actors.First().Name(), "probe");
}

TEST_F(SceneTest, ActorAddedInAnUpdateIsNeitherUpdatedNorDrawnUntilTheNextFrame)
{
    OV_APPLICATION& app = Application();
    auto* a = new Probe("A");
    bool added = false;
    a->onUpdate = [&]
    {
        if (!added)
            added = app.AddActor("probe", new Probe("B")) != nullptr;
    };
    app.AddActor("probe", a);
    Step(); // A goes live
    EXPECT_TRUE(Take().empty());
    Step();
    EXPECT_EQ(Take(), Events({"update A", "draw A"}));
    Step();
    EXPECT_EQ(Take(), Events({"update A", "update B", "draw A", "draw B"}));
}

TEST_F(SceneTest, TwoActorsUnderOneNameGetTheirOwnIdsAndBothRun)
{
    OV_APPLICATION& app = Application();
    auto* first = static_cast<Probe*>(app.AddActor("AUDI_A4", new Probe("1")));
    auto* second = static_cast<Probe*>(app.AddActor("AUDI_A4", new Probe("2")));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first->key.id, second->key.id);
    EXPECT_EQ(second->key.id, first->key.id + 1);
    Step();
    Step();
    EXPECT_EQ(Take(), Events({"update 1", "update 2", "draw 1", "draw 2"}));
    EXPECT_EQ(app.actors.Count("AUDI_A4"), 2u);
}

TEST_F(SceneTest, TicksChooseThePasses)
{
    OV_APPLICATION& app = Application();
    app.AddActor("probe", new Probe("A"));
    app.updateHook = [] { events.push_back("update hook"); };
    Step();
    Take();
    Step(true, false); // not a render tick: updated, not drawn
    EXPECT_EQ(Take(), Events({"update hook", "update A"}));
    Step(false, true);
    EXPECT_EQ(Take(), Events({"draw A"}));
    Step(false, false);
    EXPECT_TRUE(Take().empty());
}

TEST_F(SceneTest, HooksFrameTheActorsDrawsWithoutViews)
{
    OV_APPLICATION& app = Application();
    app.AddActor("probe", new Probe("A"));
    app.beforeDrawHook = [] { events.push_back("before"); };
    app.afterDrawHook = [] { events.push_back("after"); };
    Step();
    EXPECT_EQ(Take(), Events({"before", "after"})); // A is not live yet
    Step(false, true);
    EXPECT_EQ(Take(), Events({"before", "draw A", "after"}));
    EXPECT_FALSE(app.currentView);
}

TEST_F(SceneTest, QueuedActorsAreDestroyedOnceAtTheEndOfTheFrame)
{
    OV_APPLICATION& app = Application();
    auto* a = new Probe("A");
    auto* b = new Probe("B");
    app.AddActor("probe", a);
    app.AddActor("probe", b);
    Step();
    app.RemoveActor(a);
    app.RemoveActor(a);
    app.RemoveActor(nullptr);
    EXPECT_EQ(app.removalQueue.size(), 2u);
    Step(false, false);
    EXPECT_EQ(Take(), Events({"gone A"}));
    EXPECT_TRUE(app.removalQueue.empty());
    ASSERT_EQ(app.actors.Count(), 1u);
    EXPECT_EQ(app.actors.First()->get(), b);

    // Added and removed in the same frame: live at its end, then destroyed.
    auto* c = new Probe("C");
    app.AddActor("probe", c);
    app.RemoveActor(c);
    Step(false, false);
    EXPECT_EQ(Take(), Events({"gone C"}));
    EXPECT_EQ(app.actors.Count(), 1u);
}

// Queues itself again from its destructor; the address must not stay in the queue.
class SelfQueuing : public Probe
{
  public:
    SelfQueuing() : Probe("S") {}
    ~SelfQueuing() override { Application().RemoveActor(this); }
};

TEST_F(SceneTest, ActorQueuedFromItsOwnDestructorLeavesNoStaleEntry)
{
    OV_APPLICATION& app = Application();
    auto* s = new SelfQueuing;
    app.AddActor("probe", s);
    Step(false, false);
    app.RemoveActor(s);
    Step(false, false);
    EXPECT_EQ(Take(), Events({"gone S"}));
    EXPECT_TRUE(app.removalQueue.empty());
}

TEST_F(SceneTest, AddActorRefusesWhatItCannotOwnOnce)
{
    OV_APPLICATION& app = Application();
    EXPECT_EQ(app.AddActor("probe", nullptr), nullptr);
    auto* a = new Probe("A");
    EXPECT_EQ(app.AddActor("probe", a), a);
    EXPECT_EQ(app.AddActor("again", a), nullptr); // pending already
    Step(false, false);
    EXPECT_EQ(app.AddActor("again", a), nullptr); // live already
    EXPECT_EQ(app.actors.Count(), 1u);

    Probe stray("stray"); // refused names leave the actor with the caller
    EXPECT_EQ(app.AddActor(nullptr, &stray), nullptr);
    EXPECT_EQ(app.AddActor(std::string(200, 'n').c_str(), &stray), nullptr);
    EXPECT_TRUE(app.pendingActors.IsEmpty());
}

TEST_F(SceneTest, ReleaseAllDestroysEveryActorOnceAndEmptiesTheRegistries)
{
    OV_APPLICATION& app = Application();
    auto* live = new Probe("live");
    app.AddActor("probe", live);
    const int32_t firstId = live->key.id;
    Step(false, false);
    app.AddActor("probe", new Probe("pending"));
    app.RemoveActor(live); // queued and live: still destroyed once
    app.timers.Get("t")->remaining = 1;
    app.views.Get("main")->follow = live;
    app.sprites.Get("spr_empty");

    app.ReleaseAll();
    EXPECT_EQ(Take(), Events({"gone live", "gone pending"}));
    EXPECT_TRUE(app.actors.IsEmpty());
    EXPECT_TRUE(app.pendingActors.IsEmpty());
    EXPECT_TRUE(app.removalQueue.empty());
    EXPECT_TRUE(app.timers.IsEmpty());
    EXPECT_TRUE(app.views.IsEmpty());
    EXPECT_TRUE(app.sprites.IsEmpty());

    // Ids keep counting after a release: no id is handed out twice.
    auto* next = app.AddActor("probe", new Probe("next"));
    EXPECT_EQ(next->key.id, firstId + 2);
}

TEST_F(SceneTest, ViewStopsFollowingADestroyedActor)
{
    OV_APPLICATION& app = Application();
    auto* a = new Probe("A");
    app.AddActor("probe", a);
    OV_VIEW& view = *app.views.Get("main");
    view.follow = a;
    Step(false, false);
    app.RemoveActor(a);
    Step(false, false);
    EXPECT_EQ(view.follow, nullptr);
}

TEST_F(SceneTest, TimerFiresOnceInTheFrameItsTimeRunsOut)
{
    OV_APPLICATION& app = Application();
    timerCalls = 0;
    OV_TIMER& timer = *app.timers.Get("half");
    timer.remaining = 0.5f;
    timer.callback = CountTimer;
    app.timers.Get("idle")->callback = CountTimer; // remaining 0: never fires

    std::vector<int> calls;
    for (int frame = 0; frame < 8; ++frame)
    {
        Step(false, false, 0.125f);
        calls.push_back(timerCalls);
    }
    EXPECT_EQ(calls, std::vector<int>({0, 0, 0, 1, 1, 1, 1, 1}));
    EXPECT_EQ(timer.remaining, 0.0f);

    timer.remaining = 0.1f; // a new time arms it again; an overshoot still fires once
    Step(false, false, 0.5f);
    EXPECT_EQ(timerCalls, 2);
}

TEST_F(SceneTest, TimerMayRemoveItselfFromItsCallback)
{
    OV_APPLICATION& app = Application();
    OV_TIMER& timer = *app.timers.Get("once");
    timer.remaining = 0.1f;
    timer.callback = [] { Application().timers.Access(OV_ACCESS_REMOVE, "once"); };
    app.timers.Get("after")->remaining = 5;
    Step(false, false, 0.2f);
    EXPECT_EQ(app.timers.Count(), 1u);
    EXPECT_FLOAT_EQ(app.timers.First()->remaining, 4.8f);
}

} // namespace

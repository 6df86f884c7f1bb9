// Callbacks that change what the scene step is walking: timers removing timers, actors
// sorting or releasing the scene from their passes, hooks removing views, destructors that
// add or queue actors while everything is released. Run under AddressSanitizer these would
// read freed memory if a walk stood on a destroyed node.
#include "support/scene_fixture.h"

#include "app/ov_application.h"

using namespace OvCore;
using namespace OvTest;

namespace
{

int timerCalls = 0;

TEST_F(SceneTest, TimerCallbacksMayRemoveOtherTimersOrClearThemAll)
{
    OV_APPLICATION& app = Application();
    timerCalls = 0;
    OV_TIMER& first = *app.timers.Get("first");
    first.remaining = 0.1f;
    first.callback = []
    {
        ++timerCalls;
        Application().timers.Access(OV_ACCESS_REMOVE, "second");
    };
    OV_TIMER& second = *app.timers.Get("second");
    second.remaining = 0.1f;
    second.callback = [] { timerCalls += 100; };
    app.timers.Get("third")->remaining = 5;
    Step(false, false, 0.2f);
    EXPECT_EQ(timerCalls, 1); // the removed timer never fired
    ASSERT_EQ(app.timers.Count(), 2u);
    EXPECT_FLOAT_EQ(app.timers.Last()->remaining, 4.8f);

    app.timers.First()->remaining = 0.1f;
    app.timers.First()->callback = [] { Application().timers.Clear(); };
    Step(false, false, 0.2f);
    EXPECT_TRUE(app.timers.IsEmpty());
}

TEST_F(SceneTest, SortFromAnUpdateTakesEffectWhenThePassIsOver)
{
    OV_APPLICATION& app = Application();
    auto* near = new Probe("near");
    auto* far = new Probe("far");
    far->depth = 10;
    near->onUpdate = [] { Application().SortActorsByDepth(); };
    app.AddActor("probe", near);
    app.AddActor("probe", far);
    Step(false, false);
    Step(true, true);
    // The running pass keeps its order; the draw pass already sees the sorted list.
    EXPECT_EQ(Take(), Events({"update near", "update far", "draw far", "draw near"}));
    EXPECT_EQ(app.actors.First()->get(), far);
}

TEST_F(SceneTest, ReleaseAllFromAnUpdateDestroysEveryActorOnceAfterThePass)
{
    OV_APPLICATION& app = Application();
    auto* first = new Probe("A");
    first->onUpdate = [] { Application().ReleaseAll(); };
    app.AddActor("probe", first);
    app.AddActor("probe", new Probe("B"));
    Step(false, false);
    Step(true, true);
    EXPECT_EQ(Take(), Events({"update A", "gone A", "gone B"}));
    EXPECT_TRUE(app.actors.IsEmpty());
}

TEST_F(SceneTest, ReleaseAllFromADrawLeavesTheViewsWalkSafe)
{
    OV_APPLICATION& app = Application();
    auto* actor = new Probe("A");
    actor->onDraw = [] { Application().ReleaseAll(); };
    app.AddActor("probe", actor);
    app.views.Get("left")->active = 1;
    app.views.Get("right")->active = 1;
    Step(false, false);
    Step(false, true);
    EXPECT_EQ(Take(), Events({"draw A", "gone A"}));
    EXPECT_TRUE(app.views.IsEmpty());
    EXPECT_FALSE(app.currentView);
}

TEST_F(SceneTest, HookRemovingALaterViewSkipsIt)
{
    OV_APPLICATION& app = Application();
    app.views.Get("left")->active = 1;
    app.views.Get("right")->active = 1;
    app.beforeDrawHook = []
    {
        events.push_back(std::string("before ") + Application().currentView.Name());
        Application().views.Access(OV_ACCESS_REMOVE, "right");
    };
    Step(false, true);
    EXPECT_EQ(Take(), Events({"before left"}));
    EXPECT_EQ(app.views.Count(), 1u);
}

TEST_F(SceneTest, DestructorsThatAddOrQueueActorsDuringReleaseAllLeaveNothingBehind)
{
    OV_APPLICATION& app = Application();
    auto* parent = new Probe("parent");
    auto* sibling = new Probe("sibling");
    parent->onGone = [sibling]
    {
        Application().AddActor("probe", new Probe("orphan"));
        Application().RemoveActor(sibling);
    };
    app.AddActor("probe", parent);
    app.AddActor("probe", sibling);
    Step(false, false);
    app.ReleaseAll();
    EXPECT_EQ(Take(), Events({"gone parent", "gone sibling", "gone orphan"}));
    EXPECT_TRUE(app.actors.IsEmpty());
    EXPECT_TRUE(app.pendingActors.IsEmpty());
    EXPECT_TRUE(app.removalQueue.empty());
    Step(); // nothing stale is left to destroy
    EXPECT_TRUE(Take().empty());
}

} // namespace

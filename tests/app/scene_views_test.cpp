// The draw pass through views on a real window: every active view gets the whole draw
// sequence, hooks included, with itself as the current view.
#include "support/scene_fixture.h"
#include "support/window_fixture.h"

#include "app/ov_application.h"

using namespace OvCore;
using namespace OvTest;

namespace
{

// Logs which view it is drawn into.
class ViewProbe : public OV_ACTOR
{
  public:
    void Draw() override
    {
        const auto view = Application().currentView;
        events.push_back(std::string("draw in ") + (view ? view.Name() : "none"));
    }
};

// An empty scene drawn into a 64 x 48 window.
class SceneViewsTest : public SuiteWindowTest<64, 48>
{
  protected:
    void SetUp() override
    {
        SuiteWindowTest::SetUp();
        ClearScene();
    }

    void TearDown() override
    {
        ClearScene();
        SuiteWindowTest::TearDown();
    }

    static void AddView(const char* name, uint8_t active, double x)
    {
        OV_VIEW& view = *Application().views.Get(name);
        view.active = active;
        view.portPosition = OV_VECTOR(x, 0);
        view.portSize = OV_VECTOR(32, 48);
        view.viewSize = OV_VECTOR(32, 48);
    }
};

TEST_F(SceneViewsTest, EveryActiveViewDrawsTheWholeSequence)
{
    OV_APPLICATION& app = Application();
    AddView("left", 1, 0);
    AddView("hidden", 0, 0);
    AddView("right", 1, 32);
    app.AddActor("probe", new ViewProbe);
    app.beforeDrawHook = [] { events.push_back("before"); };
    app.afterDrawHook = [] { events.push_back("after"); };
    Step(false, false);

    Step(false, true);
    EXPECT_EQ(Take(),
              Events({"before", "draw in left", "after", "before", "draw in right", "after"}));
    EXPECT_FALSE(app.currentView); // only while a view is drawn

    Step(true, false);
    EXPECT_TRUE(Take().empty());
}

TEST_F(SceneViewsTest, ViewsThatAreAllInactiveDrawNothing)
{
    OV_APPLICATION& app = Application();
    AddView("hidden", 0, 0);
    app.AddActor("probe", new ViewProbe);
    app.beforeDrawHook = [] { events.push_back("before"); };
    Step(false, false);
    Step(false, true);
    EXPECT_TRUE(Take().empty());
}

} // namespace

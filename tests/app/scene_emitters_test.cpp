// Emitters and soft bodies in the scene step on a real window: emitters updated after the
// actors with their particle callback, drawn behind or in front of their owner or of all the
// actors, and left on their own when the owner is destroyed; soft bodies drawn after the
// actors and before the free emitters in front; ReleaseAll empties both.
#include "support/scene_fixture.h"
#include "support/window_fixture.h"

#include "app/ov_application.h"
#include "graphics/ov_shapes.h"

#include <string>

using namespace OvCore;
using namespace OvTest;

namespace
{

// Paints a red square over the whole of each emitter's point.
class RedSquare : public OV_ACTOR
{
  public:
    void Draw() override
    {
        OV_RECTANGLE square;
        square.filled = 1;
        square.corner2 = OV_VECTOR(64, 48);
        for (OV_VECTOR& colour : square.colors)
            colour = OV_VECTOR(1, 0, 0, 1);
        square.Draw(OV_VECTOR(0, 0), true);
    }
};

class SceneEmittersTest : public SuiteWindowTest<64, 48>
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

    // A green point of 12 pixels at (x, 24) that lives long.
    static OV_SCENE_EMITTER& AddEmitter(const char* name, float x)
    {
        OV_SCENE_EMITTER& emitter = *Application().emitters.Get(name);
        emitter.Resize(4);
        emitter.lifeMin = emitter.lifeMax = 100;
        emitter.colorMin = emitter.colorMax = OV_VECTOR_F(0, 1, 0, 1);
        emitter.pointSize = 12;
        emitter.Emit(OV_VECTOR_F(x, 24));
        return emitter;
    }
};

int stepped = 0;

TEST_F(SceneEmittersTest, EmittersAreDrawnAroundTheirOwnerOrAllTheActors)
{
    OV_APPLICATION& app = Application();
    OV_ACTOR* actor = app.AddActor("square", new RedSquare);
    Step(false, false); // the actor goes live
    OV_SCENE_EMITTER& ownBehind = AddEmitter("own behind", 8);
    OV_SCENE_EMITTER& ownFront = AddEmitter("own front", 24);
    OV_SCENE_EMITTER& aloneBehind = AddEmitter("alone behind", 40);
    AddEmitter("alone front", 56);
    ownBehind.owner = ownFront.owner = actor;
    ownBehind.drawBehind = aloneBehind.drawBehind = 1;

    Step(false, true);
    EXPECT_EQ(PixelAt(8, 24), RED);
    EXPECT_EQ(PixelAt(24, 24), GREEN);
    EXPECT_EQ(PixelAt(40, 24), RED);
    EXPECT_EQ(PixelAt(56, 24), GREEN);

    // Destroyed at the end of the frame, the owner leaves its emitters on their own.
    app.RemoveActor(actor);
    Step(false, false);
    EXPECT_EQ(ownBehind.owner, nullptr);
    EXPECT_EQ(ownFront.owner, nullptr);
    OvRenderScene(OV_SCENE_CLEAR_COLOUR);
    Step(false, true);
    EXPECT_EQ(PixelAt(8, 24), GREEN);
    EXPECT_EQ(PixelAt(24, 24), GREEN);
}

TEST_F(SceneEmittersTest, TheUpdatePassStepsEveryEmitterWithItsCallbackAndReleaseAllEmpties)
{
    OV_SCENE_EMITTER& emitter = AddEmitter("one", 8);
    emitter.particleCallback = [](OV_PARTICLE&) { ++stepped; };
    stepped = 0;
    Step(true, false, 0.5f);
    Step(false, false, 0.5f); // no update tick, no update
    EXPECT_EQ(stepped, 1);
    const OV_PARTICLE& p = emitter.Particles()[size_t(emitter.ActiveIndices()[0])];
    EXPECT_FLOAT_EQ(p.age, 0.5f);
    EXPECT_FLOAT_EQ(p.color->w, 1); // the callback alone: no default fading

    Application().ReleaseAll();
    EXPECT_TRUE(Application().emitters.IsEmpty());
}

TEST_F(SceneEmittersTest, SoftBodiesAreDrawnAfterTheActorsAndBeforeTheFreeEmittersInFront)
{
    OV_APPLICATION& app = Application();
    app.AddActor("square", new RedSquare);
    Step(false, false);
    // One untextured triangle of solid substances over the left of the window.
    const std::string text = "envboxmodel2d\n2\n3\n0\n0\n1\n0\n1\n40\n0\n1\n0\n1\n0\n48\n1\n0\n1\n"
                             "1\n0\n1\n2\n0\n0\n1\n0\n0\n1\nnone\n0\n0\n";
    OV_DNA_MODEL& body = *app.softBodies.Get("body");
    body.Reset();
    ASSERT_TRUE(body.Load(text.data(), text.size(), nullptr, nullptr, OV_VECTOR(1, 1), 1, 1, 1));
    AddEmitter("alone front", 8);
    Step(false, true);
    EXPECT_EQ(PixelAt(20, 10), WHITE); // the body over the actor
    EXPECT_EQ(PixelAt(60, 40), RED);   // outside the body
    EXPECT_EQ(PixelAt(8, 24), GREEN);  // the free emitter over the body

    app.ReleaseAll();
    EXPECT_TRUE(app.softBodies.IsEmpty());
}

} // namespace

// Views and the camera on a real window: a port with a follow target shows the followed
// point at the port's centre and clips to the port; the render target's stored viewport
// survives Begin; End returns to the whole target; the camera's projection and builds.
#include "support/ovt_images.h"
#include "support/window_fixture.h"

#include "app/ov_application.h"
#include "graphics/ov_camera.h"
#include "scene/ov_actor.h"
#include "scene/ov_view.h"

using namespace OvCore;
using namespace OvTest;

namespace
{

int32_t ViewportField(int32_t query)
{
    const auto* target = static_cast<const OvHandle*>(OvGetState(OV_STATE_ACTIVE_TARGET));
    const auto* field =
        target ? static_cast<const int32_t*>(OvRenderTargetGet(*target, query)) : nullptr;
    return field ? *field : -1;
}

class ViewTest : public DrawingTest
{
  protected:
    void SetUp() override
    {
        DrawingTest::SetUp();
        ASSERT_TRUE(LoadImages(marker, {Image(4, 4, WHITE)}));
        marker.CenterOrigin();
        ASSERT_TRUE(LoadImages(wall, {Image(4, 4, RED)}));
    }
    void TearDown() override
    {
        OV_VIEW::End();
        DrawingTest::TearDown();
    }

    OV_SPRITE marker; // a white 4 x 4 square centred on its position
    OV_SPRITE wall;   // red, stretched over everything
};

TEST_F(ViewTest, AFollowedActorIsDrawnAtThePortCentreAndDrawingIsClipped)
{
    OV_ACTOR target;
    target.position = OV_VECTOR(500, 300);

    OV_VIEW view;
    view.active = 1;
    view.portPosition = OV_VECTOR(32, 16); // pixels from the bottom-left
    view.portSize = OV_VECTOR(64, 48);
    view.viewPosition = OV_VECTOR(-1000, -1000);
    view.viewSize = OV_VECTOR(64, 48);
    view.follow = &target;
    view.clear = 1;
    OvSetState(OV_STATE_CLEAR_COLOUR, 0, 0, 1, 1); // the port is cleared blue

    view.Begin();
    EXPECT_DOUBLE_EQ(view.viewPosition.x, 468);
    EXPECT_DOUBLE_EQ(view.viewPosition.y, 276);
    wall.DrawStretched(OV_VECTOR_F(-5000, -5000), OV_VECTOR_F(5000, 5000), 1, 1);
    marker.Draw(target.position, OV_VECTOR(0, 0, 0, 0), OV_VECTOR(1, 1, 1, 1));

    // The port spans window columns 32-95 and rows 32-79 from the top; its centre is
    // (64, 56).
    EXPECT_EQ(PixelAt(64, 56), WHITE);
    EXPECT_EQ(PixelAt(62, 54), WHITE);
    EXPECT_EQ(PixelAt(67, 56), RED);
    EXPECT_EQ(PixelAt(33, 33), RED);
    EXPECT_EQ(PixelAt(94, 78), RED);
    EXPECT_EQ(PixelAt(31, 56), BLACK); // outside the port: untouched
    EXPECT_EQ(PixelAt(96, 56), BLACK);
    EXPECT_EQ(PixelAt(64, 31), BLACK);
    EXPECT_EQ(PixelAt(64, 80), BLACK);

    // The actor moves: the next frame follows it.
    target.position = OV_VECTOR(10, 20);
    view.Begin();
    EXPECT_EQ(PixelAt(64, 56), BLUE); // cleared, port only
    EXPECT_EQ(PixelAt(10, 10), BLACK);
    marker.Draw(target.position, OV_VECTOR(0, 0, 0, 0), OV_VECTOR(1, 1, 1, 1));
    EXPECT_EQ(PixelAt(64, 56), WHITE);
    EXPECT_DOUBLE_EQ(view.viewPosition.x, -22);
}

TEST_F(ViewTest, BeginLeavesTheStoredViewportAndEndReturnsToTheWholeTarget)
{
    const int32_t before[4] = {
        ViewportField(OV_TARGET_VIEWPORT_X), ViewportField(OV_TARGET_VIEWPORT_Y),
        ViewportField(OV_TARGET_VIEWPORT_WIDTH), ViewportField(OV_TARGET_VIEWPORT_HEIGHT)};
    ASSERT_EQ(before[2], WIDTH);

    OV_VIEW view;
    view.active = 1;
    view.portPosition = OV_VECTOR(8, 8);
    view.portSize = OV_VECTOR(16.9, 16.2); // truncated to whole pixels
    view.viewPosition = OV_VECTOR(0, 0);
    view.viewSize = OV_VECTOR(16, 16);
    view.clear = 0;
    view.Begin();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(ViewportField(OV_TARGET_VIEWPORT_X + i), before[i]);
    wall.DrawStretched(OV_VECTOR_F(-100, -100), OV_VECTOR_F(100, 100), 1, 1);
    EXPECT_EQ(PixelAt(8, HEIGHT - 9), RED);   // bottom-left pixel of the port
    EXPECT_EQ(PixelAt(23, HEIGHT - 24), RED); // top-right: 16 pixels, not 17
    EXPECT_EQ(PixelAt(24, HEIGHT - 24), BLACK);
    EXPECT_EQ(PixelAt(7, HEIGHT - 9), BLACK);

    OV_VIEW::End();
    EXPECT_EQ(*static_cast<const int32_t*>(OvGetState(OV_STATE_SCISSOR_TEST)), 0);
    marker.Draw(OV_VECTOR(100, 10), OV_VECTOR(0, 0, 0, 0), OV_VECTOR(1, 1, 1, 1));
    EXPECT_EQ(PixelAt(100, 10), WHITE); // window coordinates again, unclipped

    OV_VIEW inactive = view;
    inactive.active = 0;
    OV_ACTOR somewhere;
    somewhere.position = OV_VECTOR(1000, 1000);
    inactive.follow = &somewhere;
    inactive.Begin();
    EXPECT_DOUBLE_EQ(inactive.viewPosition.x, 0);
    EXPECT_EQ(*static_cast<const int32_t*>(OvGetState(OV_STATE_SCISSOR_TEST)), 0);
}

TEST_F(ViewTest, TheCameraSetsAndBuildsTheProjection)
{
    OV_CAMERA camera;
    camera.width = WIDTH / 2.0f; // two window pixels per world unit
    camera.height = HEIGHT / 2.0f;
    camera.position = OV_VECTOR(100, 50);
    camera.Apply();
    marker.Draw(OV_VECTOR(110, 60), OV_VECTOR(0, 0, 0, 0), OV_VECTOR(1, 1, 1, 1));
    EXPECT_EQ(PixelAt(20, 20), WHITE);
    EXPECT_EQ(PixelAt(17, 17), WHITE); // the 4-unit square is 8 pixels wide
    EXPECT_EQ(PixelAt(15, 20), BLACK);

    double applied[16];
    double built[16];
    OvMatrixSave(OV_MATRIX_PROJECTION, applied);
    camera.Build(built);
    for (int i = 0; i < 16; ++i)
        EXPECT_DOUBLE_EQ(built[i], applied[i]) << i;
    double half[16];
    camera.BuildHalf(half);
    EXPECT_NE(half[12], built[12]); // the lens alone leaves the position out

    SetTargetPair(2, 500);
    const auto* target = static_cast<const OvHandle*>(OvGetState(OV_STATE_ACTIVE_TARGET));
    ASSERT_NE(target, nullptr);
    EXPECT_DOUBLE_EQ(*static_cast<const double*>(OvRenderTargetGet(*target, OV_TARGET_NEAR)), 2);
    EXPECT_DOUBLE_EQ(*static_cast<const double*>(OvRenderTargetGet(*target, OV_TARGET_FAR)), 500);
    SetTargetPair(1, 10000);
}

} // namespace

// Emitters drawn by the engine on a real window: sized points, point sprites carrying the
// texture across each point, smoothing, free slots drawn nowhere, and the default state
// restored afterwards.
#include "support/ovt_images.h"
#include "support/window_fixture.h"

#include "graphics/ov_emitter.h"

using namespace OvCore;
using namespace OvTest;

namespace
{

using EmitterDrawTest = DrawingTest;

// One still particle of the given colour at (x, y) in a pool of eight.
OV_EMITTER OneParticle(float x, float y, const OV_VECTOR_F& colour, double pointSize)
{
    OV_EMITTER emitter;
    EXPECT_TRUE(emitter.Resize(8));
    emitter.lifeMin = emitter.lifeMax = 10;
    emitter.colorMin = emitter.colorMax = colour;
    emitter.pointSize = pointSize;
    EXPECT_TRUE(emitter.Emit(OV_VECTOR_F(x, y)));
    return emitter;
}

template <class T> T State(int32_t state)
{
    return *static_cast<const T*>(OvGetState(state));
}

TEST_F(EmitterDrawTest, ParticlesAreSizedPointsAndFreeSlotsDrawNowhere)
{
    OV_EMITTER emitter = OneParticle(20.5f, 20.5f, OV_VECTOR_F(1, 0, 0, 1), 8);
    emitter.Draw();
    EXPECT_EQ(PixelAt(20, 20), RED);
    EXPECT_EQ(PixelAt(17, 17), RED); // 8 pixels across
    EXPECT_EQ(PixelAt(26, 20), BLACK);
    // The seven free slots lie at infinity: nothing else on the window.
    const Image all = Region(0, 0, WIDTH, HEIGHT);
    int lit = 0;
    for (const Rgba& pixel : all.pixels)
        lit += pixel == BLACK ? 0 : 1;
    EXPECT_EQ(lit, 64);

    EXPECT_DOUBLE_EQ(State<double>(OV_STATE_POINT_SIZE), 1);
    EXPECT_EQ(State<int32_t>(OV_STATE_POINT_SPRITE), 0);
    EXPECT_EQ(State<int32_t>(OV_STATE_POINT_SMOOTH), 0);
    EXPECT_EQ(State<double>(OV_STATE_DRAW_COLOUR), 1);
    EXPECT_EQ(State<int32_t>(OV_STATE_BLEND), OV_BLEND_SOURCE_ALPHA);
}

TEST_F(EmitterDrawTest, ATexturedEmitterSpreadsItsTextureAcrossEachPoint)
{
    // Green on the left half, blue on the right.
    Image image(8, 8, GREEN);
    image.Fill(4, 0, 8, 8, BLUE);
    OV_SPRITE sprite;
    ASSERT_TRUE(LoadImages(sprite, {image}));
    OV_EMITTER emitter = OneParticle(40, 40, OV_VECTOR_F(1, 1, 1, 1), 16);
    emitter.texture = sprite.CurrentFrame();
    emitter.Draw();
    EXPECT_TRUE(Near(PixelAt(35, 40), GREEN, 12)) << PixelAt(35, 40);
    EXPECT_TRUE(Near(PixelAt(44, 40), BLUE, 12)) << PixelAt(44, 40);
    EXPECT_EQ(State<int32_t>(OV_STATE_POINT_SPRITE_COORDS), 0);
}

TEST_F(EmitterDrawTest, SmoothPointsAreRoundAndDeadOrInactiveEmittersDrawNothing)
{
    OV_EMITTER square = OneParticle(20, 60, OV_VECTOR_F(1, 1, 1, 1), 16);
    OV_EMITTER round = OneParticle(60, 60, OV_VECTOR_F(1, 1, 1, 1), 16);
    round.smooth = 1;
    square.Draw();
    round.Draw();
    EXPECT_EQ(PixelAt(13, 53), WHITE); // a square point fills its corners
    EXPECT_EQ(PixelAt(60, 60), WHITE);
    EXPECT_EQ(PixelAt(53, 53), BLACK); // a round one does not

    OV_EMITTER inactive = OneParticle(100, 20, OV_VECTOR_F(1, 1, 1, 1), 8);
    inactive.active = 0;
    inactive.Draw();
    OV_EMITTER dead = OneParticle(100, 60, OV_VECTOR_F(1, 1, 1, 1), 8);
    dead.lifeMin = dead.lifeMax = 1;
    dead.Resize(8);
    dead.Emit(OV_VECTOR_F(100, 60));
    dead.Step(1.0f, nullptr, false);
    dead.Draw();
    EXPECT_EQ(PixelAt(100, 20), BLACK);
    EXPECT_EQ(PixelAt(100, 60), BLACK);
}

} // namespace

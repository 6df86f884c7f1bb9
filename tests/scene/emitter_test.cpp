// Emitter logic without a window: the emission timer, spaced walks with and without
// `inclusive`, the default step and fading, deaths, full pools, colours and callbacks.
#include "graphics/ov_emitter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace OvCore;

namespace
{

// An emitter of `capacity` slots whose particles live `life` seconds, emitting one particle
// per emission every `interval` seconds.
OV_EMITTER Emitter(int32_t capacity, float life, float interval = 0)
{
    OV_EMITTER emitter;
    EXPECT_TRUE(emitter.Resize(capacity));
    emitter.lifeMin = emitter.lifeMax = life;
    emitter.interval = interval;
    emitter.perEmission = 1;
    return emitter;
}

std::vector<float> LiveXs(const OV_EMITTER& emitter)
{
    std::vector<float> xs;
    for (const int32_t index : emitter.ActiveIndices())
        xs.push_back(emitter.Particles()[size_t(index)].position->x);
    return xs;
}

TEST(EmitterTest, ALongFrameEmitsOncePerIntervalPassed)
{
    // 0.35 s against an interval of 0.1: the timer passes -0.25, -0.15, -0.05 and 0.05.
    OV_EMITTER emitter = Emitter(10, 5, 0.1f);
    emitter.Step(0.35f, nullptr, false);
    EXPECT_EQ(emitter.ActiveCount(), 4);
    EXPECT_NEAR(emitter.timer, 0.05f, 1e-5);

    emitter.paused = 1;
    emitter.Step(1.0f, nullptr, false);
    EXPECT_EQ(emitter.ActiveCount(), 4);
    EXPECT_NEAR(emitter.timer, 0.05f, 1e-5); // a paused emitter's timer stands still
}

TEST(EmitterTest, ASpacedWalkIncludesTheEndOnlyWhenInclusive)
{
    for (const uint8_t inclusive : {1, 0})
    {
        OV_EMITTER emitter = Emitter(10, 5, 1);
        emitter.spacing = 10;
        emitter.inclusive = inclusive;
        emitter.previousPosition = OV_VECTOR_F(0, 0);
        emitter.position = OV_VECTOR_F(30, 0);
        emitter.Step(0, nullptr, false);
        const std::vector<float> expected =
            inclusive ? std::vector<float>{0, 10, 20, 30} : std::vector<float>{0, 10, 20};
        EXPECT_EQ(LiveXs(emitter), expected) << "inclusive " << int(inclusive);
        EXPECT_EQ(emitter.previousPosition, emitter.position);
    }
}

TEST(EmitterTest, TheDefaultStepMovesAcceleratesAndFades)
{
    OV_EMITTER emitter = Emitter(4, 2);
    emitter.speedMin = emitter.speedMax = 10; // angle 0: along +X
    emitter.accelMin = emitter.accelMax = OV_VECTOR_F(0, 4, 0);
    emitter.alphaScale = 0.8f;
    ASSERT_TRUE(emitter.Emit(OV_VECTOR_F(5, 5)));
    emitter.Step(1.0f, nullptr, false);

    const OV_PARTICLE& p = emitter.Particles()[size_t(emitter.ActiveIndices()[0])];
    EXPECT_FLOAT_EQ(p.position->x, 15);
    EXPECT_FLOAT_EQ(p.position->y, 5); // the velocity moves first, then accelerates
    EXPECT_FLOAT_EQ(p.velocity.y, 4);
    EXPECT_FLOAT_EQ(p.color->w, 0.4f); // alpha0 x 0.5 halfway through a life of 2 s

    // At the end of its life it dies: off any view, transparent, its slot free again.
    emitter.Step(1.0f, nullptr, false);
    EXPECT_EQ(emitter.ActiveCount(), 0);
    EXPECT_TRUE(std::isinf(p.position->x));
    EXPECT_FLOAT_EQ(p.position->y, 0);
    EXPECT_FLOAT_EQ(p.color->w, 0);
    EXPECT_TRUE(emitter.Emit(OV_VECTOR_F(0, 0)));
}

TEST(EmitterTest, AFullPoolTakesNothingMoreAndNeverGrows)
{
    OV_EMITTER emitter = Emitter(3, 1000);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(emitter.Emit(OV_VECTOR_F(0, 0)));
    EXPECT_FALSE(emitter.Emit(OV_VECTOR_F(0, 0)));
    EXPECT_EQ(emitter.ActiveCount(), 3);
    EXPECT_EQ(emitter.Capacity(), 3);

    // A tiny interval over a long frame ends at once with the timer ahead again.
    emitter.interval = 1e-7f;
    emitter.Step(100.0f, nullptr, false);
    EXPECT_GT(emitter.timer, 0);
    EXPECT_EQ(emitter.ActiveCount(), 3);

    OV_EMITTER none; // no pool until Resize
    EXPECT_FALSE(none.Emit(OV_VECTOR_F(0, 0)));
    EXPECT_FALSE(none.Resize(-1));
}

TEST(EmitterTest, EqualColourBoundsGiveExactlyThatColour)
{
    OV_EMITTER emitter = Emitter(50, 5);
    emitter.colorMin = emitter.colorMax = OV_VECTOR_F(0.25f, 0.5f, 0.75f, 0.125f);
    emitter.independentChannels = 1;
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(emitter.Emit(OV_VECTOR_F(0, 0)));
    for (const int32_t index : emitter.ActiveIndices())
        EXPECT_EQ(*emitter.Particles()[size_t(index)].color,
                  OV_VECTOR_F(0.25f, 0.5f, 0.75f, 0.125f));
}

int calls = 0;
OV_EMITTER* resizing = nullptr;

TEST(EmitterTest, CallbacksReplaceOrFollowTheDefaultStepAndCannotPullThePool)
{
    OV_EMITTER emitter = Emitter(4, 2);
    emitter.speedMin = emitter.speedMax = 10;
    emitter.onParticle = [](OV_PARTICLE&) { ++calls; };
    calls = 0;
    ASSERT_TRUE(emitter.Emit(OV_VECTOR_F(0, 0)));
    OV_PARTICLE fields;
    fields.life = 3;
    fields.velocity = OV_VECTOR_F(0, 1, 0, 0);
    ASSERT_TRUE(emitter.Spawn(fields, OV_VECTOR_F(7, 7), OV_VECTOR_F(1, 0, 0, 1)));
    EXPECT_EQ(calls, 2);

    resizing = &emitter;
    calls = 0;
    const auto callback = [](OV_PARTICLE&)
    {
        ++calls;
        EXPECT_FALSE(resizing->Resize(0)); // refused while the pool is walked
    };
    emitter.Step(0.5f, callback, false);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(LiveXs(emitter), (std::vector<float>{0, 7})); // no default step

    emitter.Step(0.5f, callback, true);
    EXPECT_EQ(calls, 4);
    EXPECT_EQ(LiveXs(emitter), (std::vector<float>{5, 7}));
    EXPECT_EQ(emitter.Capacity(), 4);
}

} // namespace

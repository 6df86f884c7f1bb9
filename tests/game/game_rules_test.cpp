// The rules of Tarnvale's actors and of its slow motion, frame by frame without a window:
// actors are created and stepped through the real scene (update pass only), keys are set on
// the real input record and cleared as at the end of a frame.
#include "app/ov_application.h"
#include "core/ov_input.h"
#include "core/ov_loop.h"
#include "game/cars.h"
#include "game/game_state.h"
#include "game/game_values.h"
#include "game/player.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

using namespace OvCore;

namespace
{

constexpr double EPS = 1e-9;

class GameRules : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        Input() = OV_INPUT();
        timeScale = 1;
        greyFactor = 0;
        gameStep = 1;
        handoff = NO_HANDOFF;
        Application().views.Get("main", 0)->viewSize = OV_VECTOR(800, 600, 0, 1);
        Loop().updateTick = true;
        Loop().renderTick = false; // no window: update only
    }

    void TearDown() override
    {
        Application().ReleaseAll();
        Input() = OV_INPUT();
    }

    // Actors with a square collision box of `size` centred on their position, live from
    // the next frame on, as the game adds them.
    template <class ACTOR> ACTOR* Add(const char* name, OV_VECTOR position, int32_t size)
    {
        auto* actor = new ACTOR(position);
        actor->sprite.boxWidth = actor->sprite.boxHeight = size;
        actor->sprite.boxOriginX = actor->sprite.boxOriginY = size / 2;
        Application().AddActor(name, actor);
        return actor;
    }

    void BringLive() { Application().SceneStep(); }

    // Exactly these keys down.
    static void Hold(std::initializer_list<int> keys)
    {
        Input().ClearInput(true);
        for (int key : keys)
            Input().SetKeyDown(key, true);
    }

    // One scene frame with these keys held, and those pressed in it.
    static void Frame(std::initializer_list<int> held, std::initializer_list<int> pressed = {})
    {
        OV_INPUT& input = Input();
        Hold(held);
        for (int key : pressed)
        {
            input.SetKeyDown(key, true);
            input.SetKeyPressed(key, true);
        }
        Application().SceneStep();
        input.EndFrame();
        for (int key : pressed)
            input.SetKeyDown(key, false);
    }

    static OV_VECTOR ViewCorner() { return Application().views.Find("main", 0)->viewPosition; }
};

TEST_F(GameRules, ParkedCarCoastsByItsFrictionUntilWithinOneAccelerationStepThenStops)
{
    AUDI_A4 audi(OV_VECTOR(300, 400, 0, 1));
    FIAT_126P fiat(OV_VECTOR(300, 200, 0, 1));
    audi.speed = 6;
    fiat.speed = -4;
    std::vector<double> audiSpeeds{audi.speed};
    for (int frame = 0; frame < 400; ++frame)
    {
        audi.Update();
        fiat.Update();
        audiSpeeds.push_back(audi.speed);
    }
    // 0.02 a frame while above 0.04, then 0 at once.
    size_t stop = 1;
    while (audiSpeeds[stop] != 0)
    {
        EXPECT_NEAR(audiSpeeds[stop - 1] - audiSpeeds[stop], 0.02, 1e-9) << "frame " << stop;
        ++stop;
    }
    EXPECT_LE(audiSpeeds[stop - 1], 0.04 + 1e-9);
    EXPECT_GT(audiSpeeds[stop - 2], 0.04);
    EXPECT_NEAR(double(stop), 299, 1);
    // Reverse coasting comes up by the Fiat's 0.01 and stops too.
    EXPECT_EQ(fiat.speed, 0);
    // The Audi rolled along -Lengthdir(0), to the left; the Fiat backwards, to the right.
    EXPECT_NEAR(audi.position.x, 300 - (6 + 0.04) / 2 * (300 - 2), 3);
    EXPECT_GT(fiat.position.x, 300);
    EXPECT_EQ(audi.position.y, 400);
    EXPECT_EQ(audi.position.w, 1);
    EXPECT_FALSE(audi.driven);
}

TEST_F(GameRules, ThrottleAcceleratesToTopSpeedAndReversesToHalfOfItWithWWinningOverS)
{
    FIAT_126P fiat(OV_VECTOR(300, 200, 0, 1));
    fiat.driven = 1;
    Hold({KEY_W});
    fiat.Update();
    EXPECT_NEAR(fiat.speed, 0.02, EPS);
    Hold({KEY_W, KEY_S}); // W wins
    for (int frame = 0; frame < 300; ++frame)
        fiat.Update();
    EXPECT_EQ(fiat.speed, 4);
    Hold({KEY_S});
    for (int frame = 0; frame < 500; ++frame)
        fiat.Update();
    EXPECT_EQ(fiat.speed, -2);
}

TEST_F(GameRules, SteeringAtStandstillTurnsTheWheelsButNotTheCar)
{
    AUDI_A4 audi(OV_VECTOR(300, 400, 0, 1));
    audi.driven = 1;
    Hold({KEY_D});
    for (int frame = 0; frame < 5; ++frame)
        audi.Update();
    EXPECT_NEAR(audi.turn, 0.25, EPS);
    EXPECT_EQ(audi.heading, 0);
    for (int frame = 0; frame < 20; ++frame)
        audi.Update();
    EXPECT_EQ(audi.turn, 0.5); // clamped to maxTurn
    Hold({KEY_A});
    audi.Update();
    EXPECT_NEAR(audi.turn, 0.45, EPS);
    EXPECT_EQ(audi.position, OV_VECTOR(300, 400, 0, 1));
}

TEST_F(GameRules, SteeringCentresByAFixedStepThatSlowMotionDoesNotSlow)
{
    AUDI_A4 audi(OV_VECTOR(300, 400, 0, 1));
    audi.driven = 1;
    audi.turn = 0.5;
    audi.speed = 2;
    gameStep = 0.1f;
    audi.Update(); // no key: coasting and centring
    const double coasted = 2 - 0.1f * 0.02;
    EXPECT_NEAR(audi.speed, coasted, 1e-7);
    EXPECT_NEAR(audi.heading, 0.5 * coasted * 0.1f, 1e-7);
    EXPECT_NEAR(audi.turn, 0.475, EPS);
    // No snap to straight: it steps past 0 and back.
    audi.turn = 0.01;
    audi.Update();
    EXPECT_NEAR(audi.turn, -0.015, EPS);
    audi.Update();
    EXPECT_NEAR(audi.turn, 0.01, EPS);
}

TEST_F(GameRules, CarsDriveAlongMinusLengthdirAndAreDrawnTurnedAQuarterFromIt)
{
    AUDI_A4 audi(OV_VECTOR(300, 400, 0, 1));
    audi.speed = 3;
    audi.friction = 0; // keep the speed for this check
    audi.Update();
    EXPECT_NEAR(audi.position.x, 297, EPS); // heading 0: to the left
    EXPECT_NEAR(audi.position.y, 400, EPS);
    EXPECT_EQ(audi.rotation, OV_VECTOR(90, 0, 0, 0));
    audi.heading = 90;
    audi.Update();
    EXPECT_NEAR(audi.position.x, 297, 1e-9);
    EXPECT_NEAR(audi.position.y, 397, 1e-9); // heading 90: up the screen
    EXPECT_EQ(audi.rotation.x, 180);
    EXPECT_EQ(audi.position.w, 1);
}

TEST_F(GameRules, PlayerWalksAlongItsTurnAtTwoAStepAndTurnsThreeDegreesAStep)
{
    C_GRACZ* player = Add<C_GRACZ>("GRACZ", OV_VECTOR(100, 100, 0, 1), 32);
    BringLive();
    Frame({KEY_W, KEY_S}); // W wins
    EXPECT_NEAR(player->position.x, 102, EPS);
    EXPECT_EQ(ViewCorner(), OV_VECTOR(100 - 400, 100 - 300, 0, 1)); // set before moving
    Frame({KEY_S});
    EXPECT_NEAR(player->position.x, 100, EPS);
    for (int frame = 0; frame < 30; ++frame)
        Frame({KEY_D, KEY_A}); // A wins
    EXPECT_NEAR(player->rotation.x, -90, EPS);
    Frame({KEY_W, KEY_D});
    EXPECT_NEAR(player->rotation.x, -87, EPS);
    EXPECT_NEAR(player->position.y, 100 - 2 * std::cos(3 * std::numbers::pi / 180), 1e-9);
    gameStep = 0.1f;
    const OV_VECTOR before = player->position;
    Frame({KEY_W});
    EXPECT_NEAR(std::hypot(player->position.x - before.x, player->position.y - before.y), 0.2,
                1e-6);
    EXPECT_EQ(player->position.w, 1);
    EXPECT_EQ(player->speed, 0);
}

TEST_F(GameRules, EnterGetsIntoATouchingCarOnlyAndOutAgainAtTheCarsPosition)
{
    FIAT_126P* fiat = Add<FIAT_126P>("FIAT_126P", OV_VECTOR(300, 200, 0, 1), 40);
    C_GRACZ* player = Add<C_GRACZ>("GRACZ", OV_VECTOR(100, 100, 0, 1), 32);
    BringLive();
    Frame({}, {KEY_ENTER}); // far from the car
    EXPECT_TRUE(player->onFoot);
    EXPECT_FALSE(fiat->driven);

    player->position = OV_VECTOR(300 - 35, 200, 0, 1); // boxes overlap by one pixel
    Frame({}, {KEY_ENTER});
    EXPECT_FALSE(player->onFoot);
    EXPECT_TRUE(fiat->driven);

    for (int frame = 0; frame < 50; ++frame)
        Frame({KEY_W});
    const OV_VECTOR stale(265, 200, 0, 1);
    EXPECT_EQ(player->position, stale); // neither moved nor drawn while driving
    EXPECT_LT(fiat->position.x, 300 - 20);
    EXPECT_NEAR(ViewCorner().x, fiat->position.x + fiat->speed - 400, 1e-9); // before moving

    const OV_VECTOR carBefore = fiat->position;
    Frame({KEY_W}, {KEY_ENTER});
    EXPECT_FALSE(fiat->driven);
    EXPECT_TRUE(player->onFoot);
    EXPECT_FALSE(player->exitPending);
    EXPECT_EQ(player->position, carBefore); // where the car stood when Enter was read
    EXPECT_EQ(handoff, NO_HANDOFF);
}

TEST_F(GameRules, BothCarsNamedAudiAreFoundAndEnterNextToThePileDrivesEveryTouchingCar)
{
    AUDI_A4* first = Add<AUDI_A4>("AUDI_A4", OV_VECTOR(300, 400, 0, 1), 40);
    AUDI_A4* second = Add<AUDI_A4>("AUDI_A4", OV_VECTOR(100, 500, 0, 1), 40);
    FIAT_126P* fiat = Add<FIAT_126P>("FIAT_126P", OV_VECTOR(300, 200, 0, 1), 40);
    C_GRACZ* player = Add<C_GRACZ>("GRACZ", OV_VECTOR(100, 480, 0, 1), 32);
    BringLive();
    const OV_APPLICATION& app = Application();
    const OV_VECTOR noOffset(0, 0, 0, 1);
    EXPECT_EQ(app.FindCollision(OV_COLLISION_BOX, player, "AUDI_A4", noOffset), second);
    player->position = OV_VECTOR(300, 420, 0, 1);
    EXPECT_EQ(app.FindCollision(OV_COLLISION_BOX, player, "AUDI_A4", noOffset), first);
    EXPECT_EQ(app.FindCollision(OV_COLLISION_BOX, player, "FIAT_126P", noOffset), nullptr);

    second->position = OV_VECTOR(310, 430, 0, 1); // a pile of two, the Fiat apart
    Frame({}, {KEY_ENTER});
    EXPECT_TRUE(first->driven);
    EXPECT_TRUE(second->driven);
    EXPECT_FALSE(fiat->driven);
    EXPECT_FALSE(player->onFoot);
    for (int frame = 0; frame < 20; ++frame)
        Frame({KEY_W}); // both follow the same keys
    EXPECT_EQ(first->speed, second->speed);
    EXPECT_NEAR(first->position.x - second->position.x, -10, 1e-9);
    const OV_VECTOR secondBefore = second->position;
    Frame({}, {KEY_ENTER});
    EXPECT_FALSE(first->driven);
    EXPECT_FALSE(second->driven);
    EXPECT_EQ(player->position, secondBefore); // the last car updated wrote the hand-off
}

TEST_F(GameRules, LeavingACarDoesNotStartAParkedCarWhereThePlayerGotIn)
{
    AUDI_A4* left = Add<AUDI_A4>("AUDI_A4", OV_VECTOR(300, 400, 0, 1), 40);
    AUDI_A4* taken = Add<AUDI_A4>("AUDI_A4", OV_VECTOR(100, 500, 0, 1), 40);
    C_GRACZ* player = Add<C_GRACZ>("GRACZ", OV_VECTOR(100, 500, 0, 1), 32);
    BringLive();
    Frame({}, {KEY_ENTER});
    ASSERT_TRUE(taken->driven);
    for (int frame = 0; frame < 60; ++frame)
        Frame({KEY_W});
    left->position = OV_VECTOR(100, 500, 0, 1); // parked over the player's old place
    Frame({}, {KEY_ENTER});
    EXPECT_TRUE(player->onFoot);
    EXPECT_FALSE(taken->driven);
    EXPECT_FALSE(left->driven);
}

TEST_F(GameRules, ShiftTakesTimeScaleToTheFloorIn45FramesAndReleaseBringsItBack)
{
    for (int frame = 0; frame < 44; ++frame)
        UpdateTimeScale(true);
    EXPECT_GT(timeScale, 0.1f + 0.01f);
    UpdateTimeScale(true);
    EXPECT_NEAR(timeScale, 0.1f, 1e-5);
    for (int frame = 0; frame < 60; ++frame)
        UpdateTimeScale(true);
    EXPECT_EQ(timeScale, 0.1f);
    int frames = 0;
    while (timeScale < 1 && frames < 100)
    {
        const float before = timeScale;
        UpdateTimeScale(false);
        EXPECT_NEAR(timeScale - before, 0.02f, 1e-6);
        ++frames;
    }
    EXPECT_NEAR(frames, 45, 1);
    const float settled = timeScale; // possibly a hair above 1, and it stays there
    UpdateTimeScale(false);
    EXPECT_EQ(timeScale, settled);
}

TEST_F(GameRules, GreyFadeRisesOnlyInSlowMotionUpToNineteenDeltasAndDecaysAfterRelease)
{
    const float delta = 1.0f / 60;
    timeScale = 1;
    for (int frame = 0; frame < 10; ++frame)
        UpdateGreyFactor(true, delta);
    EXPECT_EQ(greyFactor, 0); // at full speed it never rises

    timeScale = 0.5f;
    UpdateGreyFactor(true, delta);
    EXPECT_NEAR(greyFactor, delta * 0.5f, 1e-7);
    for (int frame = 0; frame < 200; ++frame)
        UpdateGreyFactor(true, delta);
    EXPECT_GE(greyFactor, 19 * delta);
    EXPECT_LT(greyFactor, 19 * delta + delta * 0.5f + 1e-6);

    timeScale = 1; // released and back to speed: it falls to the first value not above 0
    int frames = 0;
    while (greyFactor > 0 && frames < 100)
    {
        UpdateGreyFactor(false, delta);
        ++frames;
    }
    EXPECT_NEAR(frames, 19, 1);
    EXPECT_GT(greyFactor, -delta);
}

} // namespace

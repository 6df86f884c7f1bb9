// Tarnvale played from start to end by a script: the whole program (intro, then game) on the
// manual clock at 60 frames a second, driven by key messages posted to its window, checked
// by the actors' state and by the pictures read back from the window. Frames at the script's
// milestones are compared with reference images in tests/data/game; with
// OV_UPDATE_REFERENCES=1 the test writes them (and docs/tarnvale.png) instead.
#include "frame_image.h"
#include "play_script.h"

#include "app/ov_application.h"
#include "core/ov_loop.h"
#include "game/game_state.h"
#include "game/game_values.h"
#include "game/grey_shader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

using namespace OvCore;
using OvGameTest::Blob;
using OvGameTest::PlayScript;
using OvTest::Image;
using OvTest::Rgba;

namespace
{

const std::string REFERENCE_DIR = std::string(OV_TEST_DATA_DIR) + "/game/";
const std::string SCREENSHOT = std::string(OV_SOURCE_DIR) + "/docs/tarnvale.png";

bool UpdatingReferences()
{
    const char* update = std::getenv("OV_UPDATE_REFERENCES");
    return update && std::string(update) == "1";
}

// The player's shirt (its lit and shaded reds), the cars' headlights and rear lights.
bool IsShirt(const Rgba& p)
{
    return p.r >= 160 && p.r <= 240 && p.g >= 40 && p.g <= 80 && p.b >= 30 && p.b <= 70;
}
bool IsHeadlight(const Rgba& p)
{
    return p.r >= 240 && p.g >= 225 && p.b >= 160 && p.b <= 215;
}
bool IsRearLight(const Rgba& p)
{
    return p.r >= 180 && p.g <= 40 && p.b <= 40;
}

// Pixels of `match` within `radius` of the window's centre, where the view keeps the player
// or the driven car.
Blob NearCentre(const Image& image, OvGameTest::Matcher match, int radius = 48)
{
    constexpr int cx = PlayScript::WIDTH / 2, cy = PlayScript::HEIGHT / 2;
    return OvGameTest::FindColour(image, cx - radius, cy - radius, cx + radius, cy + radius, match);
}

OV_VECTOR ScreenOf(const OV_VECTOR& world)
{
    const OV_VECTOR corner = PlayScript::ViewCorner();
    return OV_VECTOR(world.x - corner.x, world.y - corner.y, 0, 1);
}

class Play : public ::testing::Test
{
  protected:
    // Keeps a frame for the reference comparison at the end of the test.
    void Keep(const std::string& name)
    {
        const Image picture = PlayScript::Picture();
        ASSERT_FALSE(picture.empty()) << name;
        kept_[name] = picture;
    }

    // The frame that also serves as the README's screenshot.
    static constexpr const char* SCREENSHOT_FRAME = "left_car";

    void CompareWithReferences()
    {
        if (UpdatingReferences() && kept_.count(SCREENSHOT_FRAME))
        {
            EXPECT_TRUE(OvGameTest::SavePng(kept_[SCREENSHOT_FRAME], SCREENSHOT)) << SCREENSHOT;
        }
        for (const auto& [name, picture] : kept_)
        {
            const std::string path = REFERENCE_DIR + name + ".png";
            const Image half = OvGameTest::HalfSize(picture);
            if (UpdatingReferences())
            {
                std::filesystem::create_directories(REFERENCE_DIR);
                EXPECT_TRUE(OvGameTest::SavePng(half, path)) << path;
            }
            else
                EXPECT_TRUE(OvGameTest::MatchesReference(half, OvGameTest::LoadPng(path)))
                    << name << " against " << path;
        }
    }

    // Runs the program through the script; every check must have been reached.
    int RunScript()
    {
        const int result = script.Run();
        EXPECT_EQ(script.reached, script.checks) << "the program ended before these checks";
        return result;
    }

    // The steps of the walk-drive-leave play, in the order the script runs them.
    void IntroEndsAndTheGameStarts();
    void PlayerStandsOnTheField();
    void PlayerWalksAndTurns();
    void EnterFarFromTheCarsDoesNothing();
    void PlayerWalksDownToTheSecondAudi();
    void PlayerGetsIntoTheAudi();
    void AudiDrivesNoseFirstAndTheViewFollows();
    void PlayerGetsOutWhereTheAudiStands();
    void AudiCoastsToAStop();
    void ShiftSlowsTimeAndGreysThePicture();
    void ReleasedShiftBringsTimeAndColourBack();
    void EscQuitsAfterItsFrame();

    PlayScript script;
    OV_VECTOR mark; // a position or speed remembered between steps
    double chromaBefore = 0;
    Image beforeShift;
    std::map<std::string, Image> kept_;
};

void Play::IntroEndsAndTheGameStarts()
{
    script.Check("intro ends and the game starts",
                 [this]
                 {
                     // The intro's three seconds have passed on the clock, and "game" runs.
                     EXPECT_EQ(script.stateAtGameStart, "game");
                     EXPECT_GE(script.gameStartTime - script.programStartTime, 3.0);
                     EXPECT_LT(script.gameStartTime - script.programStartTime, 3.5);
                     EXPECT_TRUE(script.gameHooksInstalled);
                     const OV_WINDOW* window = Application().WindowNamed("main", 0);
                     ASSERT_NE(window, nullptr);
                     EXPECT_EQ(window->width, 800);
                     EXPECT_EQ(window->height, 600);
                     EXPECT_EQ(window->x, Application().width / 2 - 400);
                     // The actors go live at the end of the first frame: it shows only the ground.
                     EXPECT_EQ(Application().actors.Count(), 0u);
                     EXPECT_EQ(Application().pendingActors.Count(), 4u);
                 });
}

void Play::PlayerStandsOnTheField()
{
    script.Wait(1).Check("player stands on the field",
                         [this]
                         {
                             ASSERT_NE(PlayScript::Player(), nullptr);
                             EXPECT_EQ(PlayScript::Player()->position, OV_VECTOR(100, 100, 0, 1));
                             EXPECT_FLOAT_EQ(Loop().delta, float(PlayScript::FRAME_SECONDS));
                             EXPECT_FLOAT_EQ(gameStep, 1);
                             EXPECT_GT(NearCentre(PlayScript::Picture(), IsShirt).count, 40);
                             Keep("start");
                         });
}

void Play::PlayerWalksAndTurns()
{
    // W walks along the player's turn (0: to the right), 2 a frame.
    script.Hold(KEY_W).Wait(10).Release(KEY_W).Check(
        "player walks",
        []
        {
            EXPECT_NEAR(PlayScript::Player()->position.x, 120, 1e-3);
            EXPECT_NEAR(PlayScript::Player()->position.y, 100, 1e-3);
        });
    // D turns it 3 degrees a frame, A back.
    script.Wait(1).Hold(KEY_D).Wait(30).Release(KEY_D).Check(
        "player turns right", [] { EXPECT_NEAR(PlayScript::Player()->rotation.x, 90, 1e-3); });
    script.Wait(1).Hold(KEY_A).Wait(15).Release(KEY_A).Check(
        "player turns left",
        [this]
        {
            EXPECT_NEAR(PlayScript::Player()->rotation.x, 45, 1e-3);
            Keep("turned");
        });
    script.Wait(1).Hold(KEY_D).Wait(15).Release(KEY_D);
}

void Play::EnterFarFromTheCarsDoesNothing()
{
    script.Wait(1).Tap(KEY_ENTER).Wait(1).Check(
        "Enter far from the cars does nothing",
        []
        {
            EXPECT_TRUE(PlayScript::Player()->onFoot);
            for (const char* name : {"AUDI_A4", "FIAT_126P"})
                EXPECT_FALSE(PlayScript::Car(name)->driven) << name;
        });
}

void Play::PlayerWalksDownToTheSecondAudi()
{
    // Down the field (turn 90) to the second Audi at (100, 500).
    script.Hold(KEY_W).Wait(200).Release(KEY_W).Check(
        "player walks down to the Audi",
        []
        {
            EXPECT_NEAR(PlayScript::Player()->position.x, 120, 1e-3);
            EXPECT_NEAR(PlayScript::Player()->position.y, 500, 1e-3);
            EXPECT_GT(NearCentre(PlayScript::Picture(), IsShirt).count, 40);
        });
}

void Play::PlayerGetsIntoTheAudi()
{
    // Enter touching it: the player vanishes and the car is driven.
    script.Wait(1).Tap(KEY_ENTER).Wait(1).Check(
        "player gets into the Audi",
        [this]
        {
            C_CAR* audi = PlayScript::Car("AUDI_A4", 1);
            EXPECT_FALSE(PlayScript::Player()->onFoot);
            EXPECT_TRUE(audi->driven);
            EXPECT_FALSE(PlayScript::Car("AUDI_A4", 0)->driven);
            EXPECT_FALSE(PlayScript::Car("FIAT_126P")->driven);
            const Image picture = PlayScript::Picture();
            EXPECT_LT(OvGameTest::FindColour(picture, 0, 0, 800, 600, IsShirt).count, 5);
            Keep("in_car");
        });
}

void Play::AudiDrivesNoseFirstAndTheViewFollows()
{
    // W accelerates it nose first, up to its top speed, and the view follows it.
    // A loop to the right (D) first: straight on, it would leave the field at once.
    script.Hold(KEY_W).Hold(KEY_D).Wait(120).Release(KEY_D).Wait(79).Check(
        "Audi reaches its top speed",
        [this]
        {
            C_CAR* audi = PlayScript::Car("AUDI_A4", 1);
            EXPECT_EQ(audi->speed, audi->maxSpeed);
            mark = audi->position;
        });
    script.Wait(1).Check("Audi drives nose first and the view follows",
                         [this]
                         {
                             C_CAR* audi = PlayScript::Car("AUDI_A4", 1);
                             // The view was centred on the car before it moved this frame.
                             EXPECT_NEAR(PlayScript::ViewCorner().x, mark.x - 400, 1e-9);
                             EXPECT_NEAR(PlayScript::ViewCorner().y, mark.y - 300, 1e-9);
                             const OV_VECTOR car = ScreenOf(audi->position);
                             const double dx = audi->position.x - mark.x,
                                          dy = audi->position.y - mark.y;
                             EXPECT_NEAR(std::hypot(dx, dy), 6, 1e-6);
                             const Image picture = PlayScript::Picture();
                             const Blob front = NearCentre(picture, IsHeadlight);
                             const Blob rear = NearCentre(picture, IsRearLight);
                             ASSERT_GT(front.count, 4);
                             ASSERT_GT(rear.count, 4);
                             // Headlights ahead of the car's centre along its motion, rear lights
                             // behind.
                             EXPECT_GT((front.x - car.x) * dx + (front.y - car.y) * dy, 6 * 15);
                             EXPECT_LT((rear.x - car.x) * dx + (rear.y - car.y) * dy, -6 * 15);
                             Keep("driving");
                             mark = audi->position;
                         });
}

void Play::PlayerGetsOutWhereTheAudiStands()
{
    // Enter leaves the car: the player reappears where the car stood.
    script.Release(KEY_W).Tap(KEY_ENTER).Wait(1).Check(
        "player gets out where the Audi stands",
        [this]
        {
            C_CAR* audi = PlayScript::Car("AUDI_A4", 1);
            C_GRACZ* player = PlayScript::Player();
            EXPECT_TRUE(player->onFoot);
            EXPECT_FALSE(audi->driven);
            EXPECT_NEAR(player->position.x, mark.x, 1e-9);
            EXPECT_NEAR(player->position.y, mark.y, 1e-9);
            EXPECT_EQ(handoff, NO_HANDOFF);
            EXPECT_GT(NearCentre(PlayScript::Picture(), IsShirt).count, 40);
            Keep("left_car");
        });
}

void Play::AudiCoastsToAStop()
{
    // Released at 6 (less the one coasting step), it slows by 0.02 a frame and stops.
    for (int frame = 0; frame < 5; ++frame)
        script.Do([this] { mark.x = PlayScript::Car("AUDI_A4", 1)->speed; })
            .Wait(1)
            .Check("Audi coasts", [this]
                   { EXPECT_NEAR(mark.x - PlayScript::Car("AUDI_A4", 1)->speed, 0.02, 1e-6); });
    script.Wait(300).Check("Audi stops",
                           [this]
                           {
                               EXPECT_EQ(PlayScript::Car("AUDI_A4", 1)->speed, 0);
                               beforeShift = PlayScript::Picture();
                               chromaBefore = OvGameTest::MeanChroma(beforeShift);
                           });
}

void Play::ShiftSlowsTimeAndGreysThePicture()
{
    // Shift: time slows to a tenth in 45 frames while the picture fades toward grey.
    script.Hold(KEY_SHIFT).Wait(45).Check("Shift slows time and greys the picture",
                                          [this]
                                          {
                                              EXPECT_NEAR(timeScale, 0.1f, 1e-5);
                                              EXPECT_GT(greyFactor, 0.25f);
                                              const double chroma =
                                                  OvGameTest::MeanChroma(PlayScript::Picture());
                                              EXPECT_LT(chroma, chromaBefore * 0.5)
                                                  << "before " << chromaBefore;
                                              Keep("slow_motion");
                                          });
}

void Play::ReleasedShiftBringsTimeAndColourBack()
{
    script.Wait(15).Release(KEY_SHIFT).Wait(100).Check(
        "released Shift brings time and colour back",
        [this]
        {
            EXPECT_GE(timeScale, 1);
            EXPECT_LE(greyFactor, 0);
            const Image picture = PlayScript::Picture();
            // The fade stops at its first value not above 0, a hair of grey at most.
            EXPECT_LT(GreyAmount(), 0.06);
            EXPECT_NEAR(OvGameTest::MeanChroma(picture), chromaBefore * (1 - GreyAmount()),
                        chromaBefore * 0.01);
            EXPECT_TRUE(OvGameTest::MatchesReference(picture, beforeShift));
        });
}

void Play::EscQuitsAfterItsFrame()
{
    // Esc ends the program after the frame in which it is read: that frame still runs.
    script.Hold(KEY_W).Tap(KEY_ESCAPE).Do([this] { mark = PlayScript::Player()->position; });
    script.Wait(1).Check("Esc quits after its frame",
                         [this]
                         {
                             EXPECT_FALSE(Loop().running);
                             const OV_VECTOR& position = PlayScript::Player()->position;
                             EXPECT_NEAR(std::hypot(position.x - mark.x, position.y - mark.y),
                                         2 * gameStep, 1e-4);
                         });
}

TEST_F(Play, WalkDriveLeaveCoastSlowDownAndQuit)
{
    IntroEndsAndTheGameStarts();
    PlayerStandsOnTheField();
    PlayerWalksAndTurns();
    EnterFarFromTheCarsDoesNothing();
    PlayerWalksDownToTheSecondAudi();
    PlayerGetsIntoTheAudi();
    AudiDrivesNoseFirstAndTheViewFollows();
    PlayerGetsOutWhereTheAudiStands();
    AudiCoastsToAStop();
    ShiftSlowsTimeAndGreysThePicture();
    ReleasedShiftBringsTimeAndColourBack();
    EscQuitsAfterItsFrame();

    EXPECT_EQ(RunScript(), 1);
    EXPECT_EQ(script.framesAfterScript, 0);
    EXPECT_FALSE(Application().current);         // the state machine ended
    EXPECT_EQ(Application().actors.Count(), 0u); // the scene was released
    EXPECT_EQ(Application().beforeDrawHook, nullptr);
    const OV_WINDOW* window = Application().WindowNamed("main", 0);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->hwnd(), nullptr); // closed
    CompareWithReferences();
}

TEST_F(Play, APileOfCarsIsEnteredTogetherAndAWindowCloseRequestEndsTheProgram)
{
    const OV_VECTOR noOffset(0, 0, 0, 1);
    script.Wait(1).Check(
        "both Audis are found where they stand",
        [&]
        {
            C_CAR* first = PlayScript::Car("AUDI_A4", 0);
            C_CAR* second = PlayScript::Car("AUDI_A4", 1);
            C_GRACZ* player = PlayScript::Player();
            ASSERT_TRUE(first && second && player);
            // Both cars under the shared name are found, each where it stands.
            const OV_APPLICATION& app = Application();
            player->position = OV_VECTOR(100, 490, 0, 1);
            EXPECT_EQ(app.FindCollision(OV_COLLISION_BOX, player, "AUDI_A4", noOffset), second);
            player->position = OV_VECTOR(300, 390, 0, 1);
            EXPECT_EQ(app.FindCollision(OV_COLLISION_BOX, player, "AUDI_A4", noOffset), first);
            // Boxes are centred on the pictures: touching the car's upper end reaches it, a
            // step clear of its lower end does not.
            player->position = OV_VECTOR(300, 400 - 37 - 16 + 8, 0, 1);
            EXPECT_EQ(app.FindCollision(OV_COLLISION_BOX, player, "AUDI_A4", noOffset), first);
            player->position = OV_VECTOR(300, 400 + 37 + 16 + 7, 0, 1);
            EXPECT_EQ(app.FindCollision(OV_COLLISION_BOX, player, "AUDI_A4", noOffset), nullptr);
            // A pile: the second Audi pushed half onto the first, the player at its side.
            second->position = OV_VECTOR(320, 420, 0, 1);
            player->position = OV_VECTOR(310, 410, 0, 1);
        });
    script.Tap(KEY_ENTER).Wait(1).Check("Enter beside the pile drives both Audis",
                                        []
                                        {
                                            EXPECT_TRUE(PlayScript::Car("AUDI_A4", 0)->driven);
                                            EXPECT_TRUE(PlayScript::Car("AUDI_A4", 1)->driven);
                                            EXPECT_FALSE(PlayScript::Car("FIAT_126P")->driven);
                                            EXPECT_FALSE(PlayScript::Player()->onFoot);
                                        });
    script.Hold(KEY_W).Wait(30).Release(KEY_W).Tap(KEY_ENTER).Check(
        "the same keys drive both",
        []
        {
            const C_CAR* first = PlayScript::Car("AUDI_A4", 0);
            const C_CAR* second = PlayScript::Car("AUDI_A4", 1);
            EXPECT_EQ(first->speed, second->speed); // the same keys drive both
            EXPECT_NEAR(second->position.x - first->position.x, 20, 1e-9);
        });
    script.Wait(1).Check("player comes out of the second Audi",
                         []
                         {
                             // The player comes out of the last car updated: the second Audi.
                             EXPECT_TRUE(PlayScript::Player()->onFoot);
                             EXPECT_FALSE(PlayScript::Car("AUDI_A4", 0)->driven);
                             EXPECT_FALSE(PlayScript::Car("AUDI_A4", 1)->driven);
                         });
    script.Post(WM_CLOSE).Wait(1);

    EXPECT_EQ(RunScript(), 1);
    // The close request was handled before the next frame: no frame ran after it.
    EXPECT_EQ(script.framesAfterScript, 0);
    EXPECT_FALSE(Application().current);
    EXPECT_EQ(Application().actors.Count(), 0u);
}

} // namespace

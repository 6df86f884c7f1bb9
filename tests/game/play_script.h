// A scripted run of the whole program for the play tests: RunTarnvale (intro, then game)
// on the manual clock at 60 frames a second, with key messages posted to window "main" as
// the platform would deliver them. The script is a list of steps run inside the game's
// frames, right after each frame is drawn (the picture can be read back then): actions run
// at once, waits let frames pass. Keys posted in a frame take effect from the next one.
// Checks are actions named after the step of the play they check: their failures carry the
// name, and the run records which of them were reached.
#pragma once

#include "support/read_back.h"

#include "game/cars.h"
#include "game/player.h"

#include <functional>
#include <string>
#include <vector>

namespace OvGameTest
{

class PlayScript
{
  public:
    static constexpr double FRAME_SECONDS = 1.0 / 60;
    static constexpr int32_t WIDTH = 800;
    static constexpr int32_t HEIGHT = 600;

    using Action = std::function<void()>;

    PlayScript& Do(Action action);
    PlayScript& Wait(int frames);
    // Key down (held from the next frame on), key up, or both (pressed in the next frame).
    PlayScript& Hold(int key);
    PlayScript& Release(int key);
    PlayScript& Tap(int key);
    PlayScript& Post(unsigned message);
    PlayScript& Check(const char* step, Action check);

    // Runs the program until it ends; its result (1 after a normal end). Game frames beyond
    // `frameLimit` end it with a close request and count as a failure of the script.
    int Run(int frameLimit = 5000);

    // What the run saw.
    int frame = 0;             // game frames drawn so far
    int framesAfterScript = 0; // frames drawn after the last step ran
    double gameStartTime = 0;  // manual clock at the first game frame, seconds
    double programStartTime = 0;
    std::string stateAtGameStart;
    bool gameHooksInstalled = false;
    std::vector<std::string> checks;  // the steps of the checks in the script, in order
    std::vector<std::string> reached; // those whose checks ran, in order

    // The live actors of the running game.
    static C_GRACZ* Player();
    static C_CAR* Car(const char* name, int which = 0);
    static OvCore::OV_VECTOR ViewCorner();
    static OvTest::Image Picture() { return OvTest::ReadTarget(0, 0, WIDTH, HEIGHT); }

  private:
    struct Step
    {
        Action action;
        int wait = 0;
    };

    static void UpdateHook();
    static void AfterDrawHook();
    void RunSteps();

    std::vector<Step> steps_;
    size_t next_ = 0;
    int waitUntil_ = 0;
    int frameLimit_ = 0;
    static inline PlayScript* running_ = nullptr;
};

} // namespace OvGameTest

// Two states through the framework's entry routine: the intro splash, then a small scene of
// balls (2D actors sharing one sprite drawn into it at start) that bounce around the window;
// a timer adds a ball every two seconds up to eight. Esc quits.
#include "app/ov_application.h"
#include "app/ov_entry.h"
#include "app/ov_intro.h"
#include "core/ov_input.h"
#include "core/ov_loop.h"
#include "orvane_core.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

using namespace OvCore;

namespace
{

constexpr int32_t WIDTH = 640;
constexpr int32_t HEIGHT = 480;
constexpr int32_t BALL_SIZE = 48;
constexpr uint32_t MAX_BALLS = 8;

// A white disc with a soft edge, drawn into a blank sprite through its pixels.
void MakeBallSprite(OV_SPRITE& sprite)
{
    sprite.LoadEmpty(BALL_SIZE, BALL_SIZE, OV_FILTER_LINEAR, OV_FILTER_LINEAR, 0, 0, -1, -1, 0, 0);
    int32_t width = 0, height = 0;
    auto* pixels = static_cast<uint8_t*>(sprite.Lock(&width, &height));
    if (!pixels)
        return;
    const double radius = BALL_SIZE / 2.0;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
        {
            const double distance = std::hypot(x + 0.5 - radius, y + 0.5 - radius);
            const double shade = 1 - 0.35 * distance / radius;
            uint8_t* p = pixels + (static_cast<size_t>(y) * width + x) * 4;
            p[0] = p[1] = p[2] = static_cast<uint8_t>(255 * shade);
            p[3] = static_cast<uint8_t>(255 * std::fmin(1.0, std::fmax(0.0, radius - distance)));
        }
    sprite.Unlock(1);
    sprite.CenterOrigin();
}

double Random(double low, double high)
{
    return low + (high - low) * std::rand() / RAND_MAX;
}

class Ball : public OV_ACTOR2D
{
  public:
    Ball()
    {
        Application().SetActorName(this, "BALL");
        sprite = *Application().sprites.Get("spr_ball"); // a borrowed copy
        sprite.SetColor(static_cast<float>(Random(0.3, 1)), static_cast<float>(Random(0.3, 1)),
                        static_cast<float>(Random(0.3, 1)), 1);
        position =
            OV_VECTOR(Random(BALL_SIZE, WIDTH - BALL_SIZE), Random(BALL_SIZE, HEIGHT - BALL_SIZE));
        const double angle = Random(0, 2 * 3.14159265358979);
        velocity = OV_VECTOR(std::cos(angle) * 3, std::sin(angle) * 3);
    }

    void Update() override
    {
        const double step = 60 * Loop().delta; // velocity is per 60th of a second
        position.x += velocity.x * step;
        position.y += velocity.y * step;
        Bounce(position.x, velocity.x, WIDTH);
        Bounce(position.y, velocity.y, HEIGHT);
        rotation.x += velocity.x * step;
    }

    void Draw() override { DrawSprite(); }

  private:
    static void Bounce(double& coordinate, double& speed, double extent)
    {
        const double radius = BALL_SIZE / 2.0;
        if ((coordinate < radius && speed < 0) || (coordinate > extent - radius && speed > 0))
            speed = -speed;
    }

    OV_VECTOR velocity;
};

void AddBall()
{
    OV_APPLICATION& app = Application();
    if (app.actors.Count() + app.pendingActors.Count() >= MAX_BALLS)
        return;
    app.AddActor("BALL", new Ball);
    app.timers.Get("spawn")->remaining = 2;
}

void DemoFrame(HWND, void*)
{
    OV_APPLICATION& app = Application();
    if (Input().KeyPressed(VK_ESCAPE))
        app.Quit();
    app.camera.Apply();
    app.ClearScreen(0.08, 0.10, 0.16, 1.0);
    app.SceneStep();
    OvRenderScene(OV_SCENE_FLUSH | OV_SCENE_SWAP);
}

void DemoState()
{
    OV_APPLICATION& app = Application();
    OV_WINDOW& window = *app.WindowNamed("main");
    window.width = WIDTH;
    window.height = HEIGHT;
    app.CenterWindow("main");
    window.ApplyWindow();
    app.ActivateWindow("main");
    app.SetVsync(true);
    app.camera.width = WIDTH;
    app.camera.height = HEIGHT;

    MakeBallSprite(*app.sprites.Get("spr_ball"));
    AddBall();
    AddBall();
    app.timers.Get("spawn")->callback = AddBall;

    Loop().RunFrameLoop(DemoFrame, nullptr);
    app.ReleaseAll();
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    const OV_STATE_DEFINITION states[] = {{"intro", IntroState}, {"demo", DemoState}};
    return RunProgram("States demo", states, 2, commandLine);
}

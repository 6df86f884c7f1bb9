#include "game/game_state.h"

#include "app/ov_application.h"
#include "app/ov_entry.h"
#include "app/ov_intro.h"
#include "core/ov_input.h"
#include "core/ov_loop.h"
#include "game/cars.h"
#include "game/game_values.h"
#include "game/grey_shader.h"
#include "game/player.h"
#include "graphics/ov_shader.h"
#include "orvane_core.h"

#include <cmath>

using namespace OvCore;

const OV_STATE_DEFINITION TARNVALE_STATES[2] = {{"intro", IntroState}, {"game", GameState}};

namespace
{

constexpr int32_t WINDOW_WIDTH = 800;
constexpr int32_t WINDOW_HEIGHT = 600;

constexpr float TIME_SCALE_STEP = 0.02f;
constexpr float TIME_SCALE_FLOOR = 0.1f;
// The grey fade rises while it is below this many frame deltas.
constexpr float GREY_CEILING_FRAMES = 19;

// Present the frame and clear the next one.
constexpr int32_t SCENE_PRESENT = OV_SCENE_FLUSH | OV_SCENE_CLEAR_COLOUR | OV_SCENE_SWAP;

struct SPRITE_FILE
{
    const char* name;
    const char* path;
    bool centred; // the hotspot in the middle: actors turn about it
};

constexpr SPRITE_FILE SPRITES[] = {
    {"spr_gracz", "data/gracz.ovt", true},         {"spr_audi_a4", "data/audi_a4.ovt", true},
    {"spr_fiat_126p", "data/fiat_126p.ovt", true}, {"spr_trawa", "data/trawa.ovt", false},
    {"spr_piach", "data/piach.ovt", false},        {"spr_asfalt", "data/asfalt.ovt", false},
};

void PrepareWindow()
{
    OV_APPLICATION& app = Application();
    if (OV_WINDOW* window = app.WindowNamed("main", 0))
    {
        window->width = WINDOW_WIDTH;
        window->height = WINDOW_HEIGHT;
        app.CenterWindow("main", 0);
        window->ApplyWindow();
    }
    app.ActivateWindow("main", 0);
}

void PrepareCameraAndView()
{
    OV_APPLICATION& app = Application();
    app.camera.width = static_cast<float>(WINDOW_WIDTH);
    app.camera.height = static_cast<float>(WINDOW_HEIGHT);
    const auto view = app.views.Get("main", 0);
    view->active = 1;
    view->portSize = OV_VECTOR(WINDOW_WIDTH, WINDOW_HEIGHT, 0, 1);
    view->viewSize = OV_VECTOR(WINDOW_WIDTH, WINDOW_HEIGHT, 0, 1);
}

// A centred sprite's collision box is centred with it, so that "touching" means touching
// the picture rather than the square below and to the right of it.
void CentreSprite(OV_SPRITE& sprite)
{
    sprite.CenterOrigin();
    sprite.boxOriginX = sprite.originX;
    sprite.boxOriginY = sprite.originY;
}

void LoadSprites()
{
    for (const SPRITE_FILE& file : SPRITES)
    {
        OV_SPRITE& sprite = *Application().sprites.Get(file.name, 0);
        sprite.LoadFromFiles(file.path, 1, OV_FILTER_NEAREST, OV_FILTER_NEAREST, 0, 0, -1, -1, 0,
                             0);
        if (file.centred)
            CentreSprite(sprite);
    }
}

void SetUniform(const OV_SHADER& shader, const char* name, float value)
{
    SetParameter(OV_SHADER_LINKED, shader.UniformLocation(0, name), value, 0, 0, 1, 1);
}

void LoadShader()
{
    ShaderInit();
    OV_SHADER& shader = *Application().shaders.Get("gscl", 0);
    shader.Load(0, OV_SHADER_LINKED, "data/Default.vert", "data/GrayScale.frag");
    shader.Activate(0);
    SetUniform(shader, "Luminosity", 1);
    SetUniform(shader, "Factor", 1);
    Deactivate();
}

void AddActors()
{
    OV_APPLICATION& app = Application();
    app.AddActor("AUDI_A4", new AUDI_A4(OV_VECTOR(300, 400, 0, 1)));
    app.AddActor("AUDI_A4", new AUDI_A4(OV_VECTOR(100, 500, 0, 1)));
    app.AddActor("FIAT_126P", new FIAT_126P(OV_VECTOR(300, 200, 0, 1)));
    app.AddActor("GRACZ", new C_GRACZ(OV_VECTOR(100, 100, 0, 1)));
}

} // namespace

int RunTarnvale(const char* commandLine)
{
    return RunProgram(TARNVALE_TITLE, TARNVALE_STATES, 2, commandLine);
}

void GameState()
{
    OV_APPLICATION& app = Application();
    PrepareWindow();
    app.SetVsync(true);
    PrepareCameraAndView();
    LoadSprites();
    LoadShader();
    AddActors();
    app.beforeDrawHook = GameBeforeDraw;
    app.afterDrawHook = GameAfterDraw;

    Loop().RunFrameLoop(GameFrame, nullptr);

    app.beforeDrawHook = nullptr;
    app.afterDrawHook = nullptr;
    app.ReleaseAll();
}

void UpdateTimeScale(bool shiftDown)
{
    if (shiftDown)
        timeScale -= TIME_SCALE_STEP;
    else if (timeScale < 1)
        timeScale += TIME_SCALE_STEP;
    if (timeScale < TIME_SCALE_FLOOR)
        timeScale = TIME_SCALE_FLOOR;
}

void UpdateGreyFactor(bool shiftDown, float delta)
{
    if (timeScale < 1 && greyFactor < GREY_CEILING_FRAMES * delta)
        greyFactor = std::fmod(greyFactor + delta * timeScale, 1.0f);
    if (greyFactor > 0 && !shiftDown)
        greyFactor -= delta * timeScale;
}

void GameFrame(HWND, void*)
{
    OV_APPLICATION& app = Application();
    const OV_INPUT& input = Input();
    const float delta = Loop().delta;
    if (input.KeyPressed(KEY_ESCAPE))
        app.Quit(); // the rest of the frame still runs
    const bool shiftDown = input.KeyDown(KEY_SHIFT);
    UpdateTimeScale(shiftDown);
    app.camera.Apply();
    gameStep = timeScale * 60 * delta;
    UpdateGreyFactor(shiftDown, delta);
    app.SceneStep();
    OvRenderScene(SCENE_PRESENT);
}

void GameBeforeDraw()
{
    BeginGreyShader();
    const OV_WINDOW* window = Application().WindowNamed("main", 0);
    const auto grass = Application().sprites.Find("spr_trawa", 0);
    if (window && grass)
        grass->DrawTiled(OV_VECTOR_F(0, 0, 0, 1),
                         OV_VECTOR_F(4.0f * window->width, 4.0f * window->height, 0, 1), 1, 1);
    EndGreyShader();
}

void GameAfterDraw() {}

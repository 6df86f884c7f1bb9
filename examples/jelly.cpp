// A jelly box hanging from a bar: a soft body of 5 x 5 substances (the top row solid) joined
// by springs along its sides and diagonals, covered by a checkered texture, with a red strap
// attached along its bottom edge. The body is written as an "envboxmodel2d" model in memory
// and loaded like a file; the scene draws it every frame, which advances the simulation.
// Click to give the jelly a push (it also gets one every three seconds); Esc quits.
//   jelly [--screenshot file.png]   saves the window as a PNG, mid-wobble, and quits
#include "app/ov_application.h"
#include "core/ov_input.h"
#include "core/ov_loop.h"
#include "examples/example_window.h"
#include "graphics/ov_shapes.h"
#include "orvane_core.h"

#include <chrono>
#include <string>
#include <vector>

using namespace OvCore;

namespace
{

constexpr int WIDTH = 480;
constexpr int HEIGHT = 360;
constexpr int CELLS = 4;     // cells across and down
constexpr double CELL = 40;  // pixels
constexpr double LEFT = 160; // the top-left substance
constexpr double TOP = 80;

using Clock = std::chrono::steady_clock;

struct Demo
{
    const OV_WINDOW* window = nullptr;
    std::string screenshot;
    Clock::time_point start = Clock::now();
    Clock::time_point lastPush = Clock::now();
};

int Index(int row, int column)
{
    return row * (CELLS + 1) + column;
}

// The jelly as a model file: substances row by row, two triangles a cell, springs along the
// sides and both diagonals of every cell, and the strap along the bottom edge.
std::string JellyModel()
{
    std::string text = "envboxmodel2d\n2\n";
    auto line = [&text](double value) { text += std::to_string(value) + "\n"; };
    auto count = [&text](size_t value) { text += std::to_string(value) + "\n"; };
    const int side = CELLS + 1;
    count(size_t(side * side));
    for (int row = 0; row < side; ++row)
        for (int column = 0; column < side; ++column)
        {
            line(LEFT + CELL * column);
            line(TOP + CELL * row);
            line(1);        // mass
            line(0);        // range
            line(row == 0); // the top row hangs from the bar
        }
    count(2 * CELLS * CELLS);
    for (int row = 0; row < CELLS; ++row)
        for (int column = 0; column < CELLS; ++column)
        {
            const double u0 = double(column) / CELLS, u1 = double(column + 1) / CELLS;
            const double v0 = double(row) / CELLS, v1 = double(row + 1) / CELLS;
            const int corners[2][3] = {
                {Index(row, column), Index(row, column + 1), Index(row + 1, column + 1)},
                {Index(row, column), Index(row + 1, column + 1), Index(row + 1, column)}};
            const double uv[2][6] = {{u0, v0, u1, v0, u1, v1}, {u0, v0, u1, v1, u0, v1}};
            for (int t = 0; t < 2; ++t)
            {
                for (const int corner : corners[t])
                    line(corner);
                for (const double value : uv[t])
                    line(value);
                text += "checker\n";
            }
        }
    std::vector<std::pair<int, int>> springs;
    for (int row = 0; row < side; ++row)
        for (int column = 0; column < side; ++column)
        {
            if (column < CELLS)
                springs.push_back({Index(row, column), Index(row, column + 1)});
            if (row < CELLS)
                springs.push_back({Index(row, column), Index(row + 1, column)});
            if (row < CELLS && column < CELLS)
            {
                springs.push_back({Index(row, column), Index(row + 1, column + 1)});
                springs.push_back({Index(row, column + 1), Index(row + 1, column)});
            }
        }
    count(springs.size());
    int strap = 0;
    for (size_t k = 0; k < springs.size(); ++k)
    {
        line(springs[k].first);
        line(springs[k].second);
        line(0.04); // resilience: soft enough to wobble
        if (springs[k] == std::pair{Index(CELLS, 0), Index(CELLS, 1)})
            strap = int(k);
    }
    count(1); // the strap hangs along the bottom-left cell's lower edge
    text += "strap\n";
    line(0);
    line(3);
    line(0);
    line(6);
    line(strap);
    line(0);
    line(1);
    return text;
}

// A sprite of one frame from RGBA pixels.
bool LoadPixels(OV_SPRITE& sprite, const std::vector<uint8_t>& pixels, int32_t w, int32_t h)
{
    size_t size = 0;
    void* file = OvImageEncodeOvt(pixels.data(), w, h, &size);
    const void* images[] = {file};
    const bool loaded = file && sprite.LoadFromMemory(images, 1, 1, OV_FILTER_LINEAR,
                                                      OV_FILTER_LINEAR, 0, 0, -1, -1, 0, 0, &size);
    OvImageFree(file);
    return loaded;
}

void LoadSprites()
{
    std::vector<uint8_t> checker(64 * 64 * 4);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
        {
            const bool light = ((x / 16) + (y / 16)) % 2 == 0;
            uint8_t* p = &checker[size_t(y * 64 + x) * 4];
            p[0] = light ? 120 : 40;
            p[1] = light ? 230 : 170;
            p[2] = light ? 140 : 90;
            p[3] = 255;
        }
    LoadPixels(*Application().sprites.Get("checker"), checker, 64, 64);
    const std::vector<uint8_t> red = {220, 40, 40, 255};
    LoadPixels(*Application().sprites.Get("strap"), red, 1, 1);
}

// The bottom rows move sideways: the move becomes their velocity.
void Push(OV_DNA_MODEL& jelly, double dx)
{
    const OvHandle* substances = jelly.Get(OV_DNA_SUBSTANCES);
    for (int i = Index(2, 0); i < jelly.Count(OV_DNA_SUBSTANCES); ++i)
    {
        const auto* p =
            static_cast<const double*>(OvSubstanceGet(substances[i], OV_SUBSTANCE_POSITION));
        const double moved[4] = {p[0] + dx, p[1] - dx * 0.3, p[2], p[3]};
        OvSubstanceSetPosition(substances[i], moved, 1);
    }
}

void DrawBar()
{
    OV_RECTANGLE bar;
    bar.filled = 1;
    bar.corner1 = OV_VECTOR(LEFT - 30, TOP - 12);
    bar.corner2 = OV_VECTOR(LEFT + CELL * CELLS + 30, TOP);
    for (OV_VECTOR& colour : bar.colors)
        colour = OV_VECTOR(0.55, 0.45, 0.35, 1);
    bar.Draw(OV_VECTOR(0, 0), true);
}

void Frame(HWND, void* context)
{
    Demo& demo = *static_cast<Demo*>(context);
    OV_APPLICATION& app = Application();
    OV_INPUT& input = Input();
    OV_DNA_MODEL& jelly = *app.softBodies.Get("jelly");
    if (input.KeyPressed(VK_ESCAPE))
        Loop().running = false;
    const auto now = Clock::now();
    if (input.MousePressed(1) || now - demo.lastPush > std::chrono::seconds(3))
    {
        Push(jelly, input.CursorX(*demo.window) < WIDTH / 2 ? 4 : -4);
        demo.lastPush = now;
    }
    app.ClearScreen(0.12, 0.13, 0.18, 1.0);
    app.camera.Apply();
    app.SceneStep(); // the before-draw hook draws the bar, then the soft bodies
    Example::FinishFrame(demo.screenshot, demo.start, std::chrono::milliseconds(900), WIDTH,
                         HEIGHT);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    Demo demo;
    demo.screenshot = Example::ScreenshotOption(commandLine);
    OvInitiation();
    OV_APPLICATION& app = Application();
    OV_WINDOW* window = Example::OpenMainWindow("Jelly", WIDTH, HEIGHT);
    if (!window)
        return 0;
    demo.window = window;

    LoadSprites();
    OV_DNA_MODEL& jelly = *app.softBodies.Get("jelly");
    jelly.Reset();
    const std::string model = JellyModel();
    if (!jelly.Load(model.data(), model.size(), &app.sprites, nullptr, OV_VECTOR(1, 1), 1, 1, 1))
        return 0;
    OvDnaSetDamping(jelly.dna, 0.3);
    app.beforeDrawHook = DrawBar;
    demo.lastPush = Clock::now() - std::chrono::milliseconds(2500); // a push half a second in

    Loop().RunFrameLoop(Frame, &demo);

    app.ReleaseAll();
    window->CloseWindow();
    OvClosure();
    return 1;
}

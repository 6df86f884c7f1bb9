// GUI passes per frame: N controls (100, 1,000 and 5,000, or the counts given) of the default
// theme in an 800 x 600 window, placed in a grid of 80 x 30 cells that wraps round the
// window, in two workloads: plain panels (one theme texture), and every other panel a
// captioned label (the caption's glyphs come from the font's texture). Per N it prints the median
// CPU time of this thread per pass (input, layout, draw) and the draw calls one frame of GUI costs.
// The draw time ends with the frame flushed to the GPU, so it includes the driver's work on this
// thread; the cursor moves every frame so that the input pass does its whole walk.
//   gui [--frames N] [counts...]   (run from the repository root: the theme names its files)
#include "app/ov_application.h"
#include "core/ov_input.h"
#include "gui/gui_draw.h"
#include "gui/gui_factories.h"
#include "gui/gui_layout.h"
#include "orvane_core.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

using namespace OvCore;
using namespace OvCore::OV_GUI;

namespace
{

double ThreadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

constexpr int CELL_WIDTH = 80, CELL_HEIGHT = 30, COLUMNS = 800 / CELL_WIDTH,
              ROWS = 600 / CELL_HEIGHT;

void Populate(GUI_SYSTEM& gui, int count, bool captions)
{
    for (int i = 0; i < count; ++i)
    {
        PLACE place;
        place.skin = "default";
        place.position =
            OV_VECTOR_F(float(i % COLUMNS * CELL_WIDTH), float(i / COLUMNS % ROWS * CELL_HEIGHT));
        place.size = OV_VECTOR_F(CELL_WIDTH - 2, CELL_HEIGHT - 2);
        if (!captions || i % 2)
            CreateGroup(gui, place, "");
        else
            CreateStatic(gui, place, std::to_string(i).c_str());
    }
}

struct FRAME_COSTS
{
    std::vector<double> input, layout, draw;
    uint64_t drawCalls = 0;
};

void MeasureFrame(OV_WINDOW& window, GUI_SYSTEM& gui, int frame, FRAME_COSTS& costs)
{
    Input().cursor = POINT{100 + frame % 200, 100 + frame % 150}; // a move every frame
    double start = ThreadMilliseconds();
    gui.ProcessInput();
    Input().EndFrame();
    costs.input.push_back(ThreadMilliseconds() - start);
    start = ThreadMilliseconds();
    LayoutPass(gui);
    costs.layout.push_back(ThreadMilliseconds() - start);
    start = ThreadMilliseconds();
    OvRenderScene(OV_SCENE_CLEAR_COLOUR);
    OvSetState(OV_STATE_DRAW_CALLS, 0);
    DrawPass(gui, window.perPixelAlpha);
    OvRenderScene(OV_SCENE_FLUSH);
    costs.drawCalls = *static_cast<const uint64_t*>(OvGetState(OV_STATE_DRAW_CALLS));
    OvRenderScene(OV_SCENE_SWAP);
    costs.draw.push_back(ThreadMilliseconds() - start);
}

void Measure(OV_WINDOW& window, int count, bool captions, int frames)
{
    GUI_SYSTEM gui;
    gui.Window = &window;
    if (!gui.LoadTheme("themes/default.xml", "default"))
    {
        std::fprintf(stderr, "gui: themes/default.xml does not load (run from the root)\n");
        std::exit(1);
    }
    Populate(gui, count, captions);
    FRAME_COSTS costs;
    for (int frame = 0; frame < frames; ++frame)
        MeasureFrame(window, gui, frame, costs);
    const double input = Median(costs.input), layout = Median(costs.layout),
                 draw = Median(costs.draw);
    std::printf("%9s %9d %10.3f %10.3f %10.3f %10.3f %11llu\n", captions ? "labelled" : "panels",
                count, input, layout, draw, input + layout + draw,
                static_cast<unsigned long long>(costs.drawCalls));
    gui.Clear();
}

} // namespace

int main(int argc, char** argv)
{
    int frames = 100;
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc)
            frames = std::max(1, std::atoi(argv[++i]));
        else if (std::atoi(argv[i]) > 0)
            counts.push_back(std::atoi(argv[i]));
    }
    if (counts.empty())
        counts = {100, 1000, 5000};
    OvInitiation();
    OV_APPLICATION& app = Application();
    OV_WINDOW& window = *app.windows.Get("bench");
    window.title = "GUI benchmark";
    window.width = 800;
    window.height = 600;
    if (!window.OpenWindow() || !app.ActivateWindow("bench"))
    {
        std::fprintf(stderr, "gui: cannot open an 800x600 window\n");
        OvClosure();
        return 1;
    }
    OvRenderVsync(0);
    std::printf("gui: median of %d frames, CPU milliseconds of this thread per pass\n", frames);
    std::printf("%9s %9s %10s %10s %10s %10s %11s\n", "workload", "controls", "input", "layout",
                "draw", "total", "draw calls");
    for (const bool captions : {false, true})
        for (const int count : counts)
            Measure(window, count, captions, frames);
    window.CloseWindow();
    app.windows.Clear();
    OvClosure();
    return 0;
}

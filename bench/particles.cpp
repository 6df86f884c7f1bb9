// Particle throughput: an emitter whose whole pool is alive (10,000 and 100,000 particles,
// or the counts given), updated with the default step and drawn as one point list into an
// 800 x 600 window with the swap interval off. Prints the median update and draw time per
// frame; the draw time includes finishing the frame on the GPU (OvRenderScene flush).
//   particles [--frames N] [counts...]
#include "app/ov_application.h"
#include "graphics/ov_emitter.h"
#include "orvane_core.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace OvCore;

namespace
{

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// A pool of `count` particles, all alive for longer than the run, spraying from the middle.
void Fill(OV_EMITTER& emitter, int32_t count)
{
    emitter.Resize(count);
    emitter.lifeMin = 1000;
    emitter.lifeMax = 2000;
    emitter.speedMin = 5;
    emitter.speedMax = 60;
    emitter.angleMax = OV_VECTOR(360, 0, 0, 0);
    emitter.accelMin = emitter.accelMax = OV_VECTOR_F(0, 9.8f, 0);
    emitter.colorMin = OV_VECTOR_F(1, 0.3f, 0, 1);
    emitter.colorMax = OV_VECTOR_F(1, 1, 0.2f, 1);
    emitter.pointSize = 2;
    for (int32_t i = 0; i < count; ++i)
        emitter.Emit(OV_VECTOR_F(400, 300));
}

void Measure(int32_t count, int frames)
{
    OV_EMITTER emitter;
    Fill(emitter, count);
    std::vector<double> updates, draws;
    for (int frame = 0; frame < frames; ++frame)
    {
        const Clock::time_point updateStart = Clock::now();
        emitter.Step(1.0f / 60, nullptr, false);
        updates.push_back(MillisecondsSince(updateStart));
        const Clock::time_point drawStart = Clock::now();
        OvRenderScene(OV_SCENE_CLEAR_COLOUR);
        emitter.Draw();
        OvRenderScene(OV_SCENE_FLUSH | OV_SCENE_SWAP);
        draws.push_back(MillisecondsSince(drawStart));
    }
    std::printf("%9d %9d %12.3f %12.3f\n", count, emitter.ActiveCount(), Median(updates),
                Median(draws));
}

} // namespace

int main(int argc, char** argv)
{
    int frames = 120;
    std::vector<int32_t> counts;
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc)
            frames = std::max(1, std::atoi(argv[++i]));
        else if (std::atoi(argv[i]) > 0)
            counts.push_back(std::atoi(argv[i]));
    }
    if (counts.empty())
        counts = {10000, 100000};
    OvInitiation();
    OV_APPLICATION& app = Application();
    OV_WINDOW& window = *app.windows.Get("bench");
    window.title = "particle benchmark";
    window.width = 800;
    window.height = 600;
    if (!window.OpenWindow() || !app.ActivateWindow("bench"))
    {
        std::fprintf(stderr, "particles: cannot open an 800x600 window\n");
        OvClosure();
        return 1;
    }
    OvRenderVsync(0);
    std::printf("particles: median of %d frames, milliseconds per frame\n", frames);
    std::printf("%9s %9s %12s %12s\n", "pool", "live", "update ms", "draw ms");
    for (const int32_t count : counts)
        Measure(count, frames);
    window.CloseWindow();
    app.windows.Clear();
    OvClosure();
    return 0;
}

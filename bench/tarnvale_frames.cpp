// Tarnvale's frame time: runs the whole program (the intro, then the game scene: grass
// through the grey shader, three cars and the player) with its frame pacing switched off
// once the game's frames begin, so that the spacing of frame starts is the frame's own
// time; after a warm-up it measures a number of frames, closes the window and prints the
// median and spread. Reads the game's data/ beside the program (built with tarnvale).
//   tarnvale_frames [frames]
#include "app/ov_application.h"
#include "core/ov_loop.h"
#include "game/game_state.h"
#include "game/program_folder.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace OvCore;

namespace
{

constexpr size_t WARM_UP_FRAMES = 30;
size_t measuredFrames = 600;
std::vector<double> frameStarts;

// The scene step calls it first in every game frame.
void RecordFrame()
{
    Loop().framePeriod = 0;
    frameStarts.push_back(OV_LOOP::NowPrecise());
    if (frameStarts.size() == WARM_UP_FRAMES + measuredFrames + 1)
        if (const OV_WINDOW* window = Application().WindowNamed("main", 0))
            PostMessageA(window->hwnd(), WM_CLOSE, 0, 0);
}

double Percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(fraction * (values.size() - 1) + 0.5)];
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1)
        measuredFrames = static_cast<size_t>(std::max(10, std::atoi(argv[1])));
    ChangeToProgramFolder();
    Application().updateHook = RecordFrame;
    RunTarnvale("");
    std::vector<double> frameMs;
    for (size_t i = WARM_UP_FRAMES + 1; i < frameStarts.size(); ++i)
        frameMs.push_back((frameStarts[i] - frameStarts[i - 1]) * 1000);
    if (frameMs.empty())
    {
        std::fprintf(stderr,
                     "tarnvale_frames: the game ran no frames (data/ beside the program?)\n");
        return 1;
    }
    std::printf(
        "tarnvale frame time over %zu frames, pacing off: median %.3f ms, p10 %.3f, p90 %.3f"
        " (%.0f frames/s at the median)\n",
        frameMs.size(), Percentile(frameMs, 0.5), Percentile(frameMs, 0.1),
        Percentile(frameMs, 0.9), 1000 / Percentile(frameMs, 0.5));
    return 0;
}

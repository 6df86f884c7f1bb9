// Frame pacing of the real frame loop at 60 Hz: runs the loop for a few seconds with busy
// waiting, then with Sleep, and prints how far the spacing of frame starts strays from the
// period (mean and 99th percentile, milliseconds).
#include "core/ov_loop.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace OvCore;

namespace
{

constexpr double SECONDS = 3.0;
constexpr float PERIOD_MS = 1000.0f / 60.0f;

struct Recording
{
    std::vector<double> starts;
    double until = 0;
};

void RecordFrame(HWND, void* context)
{
    auto& recording = *static_cast<Recording*>(context);
    const double now = OV_LOOP::NowPrecise();
    recording.starts.push_back(now);
    if (now >= recording.until)
        Loop().running = false;
}

void Measure(const char* name, bool useSleep)
{
    OV_LOOP& loop = Loop();
    loop.framePeriod = PERIOD_MS;
    loop.useSleep = useSleep;
    Recording recording;
    recording.starts.reserve(static_cast<size_t>(SECONDS * 70));
    recording.until = OV_LOOP::NowPrecise() + SECONDS;
    loop.RunFrameLoop(RecordFrame, &recording);

    std::vector<double> deviations;
    for (size_t i = 1; i < recording.starts.size(); ++i)
    {
        const double spacing = (recording.starts[i] - recording.starts[i - 1]) * 1000;
        deviations.push_back(std::fabs(spacing - PERIOD_MS));
    }
    if (deviations.empty())
        return;
    double sum = 0;
    for (double d : deviations)
        sum += d;
    std::sort(deviations.begin(), deviations.end());
    const size_t p99 = std::min(deviations.size() - 1,
                                static_cast<size_t>(std::ceil(deviations.size() * 0.99)) - 1);
    std::printf("%-12s frames %4zu  fps %6.2f  deviation mean %.3f ms  p99 %.3f ms"
                "  (waitOdd %.3f, waitEven %.3f)\n",
                name, recording.starts.size(), loop.framesPerSecond, sum / deviations.size(),
                deviations[p99], loop.waitOdd, loop.waitEven);
}

} // namespace

int main()
{
    std::printf("frame pacing at 60 Hz (period %.3f ms), %.0f s each\n", PERIOD_MS, SECONDS);
    Measure("busy wait", false);
    Measure("sleep", true);
    return 0;
}

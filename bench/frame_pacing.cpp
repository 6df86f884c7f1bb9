// Frame pacing of the real frame loop at 60 Hz: runs the loop for a few seconds with busy
// waiting, then with Sleep, and prints the mean spacing of frame starts and how far each
// spacing strays (mean and 99th percentile, milliseconds) from the period and, for busy
// waiting, from the spacing the loop aims at: the calibrated thresholds waitOdd and
// waitEven in turn, the last timer reading below the period and the first at or above it.
// Wall-clock figures: run it on an idle machine (or at a real-time priority) to see the loop's own
// precision.
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

struct Deviation
{
    double mean = 0, median = 0, p99 = 0;
};

Deviation Summarise(std::vector<double> deviations)
{
    Deviation result;
    if (deviations.empty())
        return result;
    for (double d : deviations)
        result.mean += d;
    result.mean /= deviations.size();
    std::sort(deviations.begin(), deviations.end());
    const size_t p99 = std::min(deviations.size() - 1,
                                static_cast<size_t>(std::ceil(deviations.size() * 0.99)) - 1);
    result.p99 = deviations[p99];
    result.median = deviations[deviations.size() / 2];
    return result;
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

    // Spacing n (between starts n - 1 and n) follows frame n's wait: waitOdd when n is odd.
    // Spacing 1 is left out of the figures: the loop's first frame also waits out the first
    // message pump (the window system's start-up, which can take a whole period), so the
    // second frame may start at once. It is printed on its own.
    if (recording.starts.size() < 3)
        return;
    std::vector<double> fromPeriod, fromSchedule;
    for (size_t i = 2; i < recording.starts.size(); ++i)
    {
        const double spacing = (recording.starts[i] - recording.starts[i - 1]) * 1000;
        fromPeriod.push_back(std::fabs(spacing - PERIOD_MS));
        const double aim = useSleep ? PERIOD_MS : (i % 2 == 1 ? loop.waitOdd : loop.waitEven);
        fromSchedule.push_back(std::fabs(spacing - aim));
    }
    const double firstSpacing = (recording.starts[1] - recording.starts[0]) * 1000;
    const double meanSpacing =
        (recording.starts.back() - recording.starts[1]) * 1000 / (recording.starts.size() - 2);
    const Deviation period = Summarise(fromPeriod);
    const Deviation schedule = Summarise(fromSchedule);
    std::printf("%-10s frames %4zu  mean spacing %7.3f ms  from period: mean %.3f median %.3f"
                " p99 %.3f  from aim: mean %.3f median %.3f p99 %.3f  (waitOdd %.3f, waitEven %.3f;"
                " first spacing %.3f)\n",
                name, recording.starts.size(), meanSpacing, period.mean, period.median, period.p99,
                schedule.mean, schedule.median, schedule.p99, loop.waitOdd, loop.waitEven,
                firstSpacing);
}

} // namespace

int main()
{
    std::printf("frame pacing at 60 Hz (period %.3f ms), %.0f s each\n", PERIOD_MS, SECONDS);
    Measure("busy wait", false);
    Measure("sleep", true);
    return 0;
}

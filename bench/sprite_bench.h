// What the two sprite benchmarks share, so that they do the same work and print the same
// table: the command line, the moving and turning sprites, the sprite's noise pixels, and the
// frame-time statistics. bench/sprites draws through the framework, bench/sprites_raw with
// OpenGL directly; scripts/bench-sprites.sh runs both and compares them.
#pragma once

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace SpriteBench
{

constexpr int WINDOW_WIDTH = 800;
constexpr int WINDOW_HEIGHT = 600;

using Clock = std::chrono::steady_clock;

inline double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Options
{
    std::vector<int> counts{1000, 10000, 50000, 100000};
    std::vector<int> sizes{8, 32};
    int depthBits = 16;
    bool turning = true;   // --turn 0: the sprites move but keep their angle
    double seconds = 2.0;  // measuring time per configuration (at least MIN_FRAMES frames)
    int warmUpFrames = 10; // at most; warm-up also stops after one second
    bool header = true;
};

inline std::vector<int> ParseList(const char* text)
{
    std::vector<int> values;
    for (const char* at = text; *at;)
    {
        const int value = std::atoi(at);
        if (value > 0)
            values.push_back(value);
        at = std::strchr(at, ',');
        if (!at)
            break;
        ++at;
    }
    return values;
}

// --counts 1000,10000 --sizes 8,32 --depth 0|16 --turn 0|1 --seconds S --warmup N --no-header
inline bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i)
    {
        const std::string name = argv[i];
        if (name == "--no-header")
        {
            options.header = false;
            continue;
        }
        if (i + 1 >= argc)
            return false;
        const char* value = argv[++i];
        if (name == "--counts")
            options.counts = ParseList(value);
        else if (name == "--sizes")
            options.sizes = ParseList(value);
        else if (name == "--depth")
            options.depthBits = std::max(0, std::atoi(value));
        else if (name == "--turn")
            options.turning = std::atoi(value) != 0;
        else if (name == "--seconds")
            options.seconds = std::max(0.1, std::atof(value));
        else if (name == "--warmup")
            options.warmUpFrames = std::max(0, std::atoi(value));
        else
            return false;
    }
    return !options.counts.empty() && !options.sizes.empty();
}

// One sprite: where it is, how it turns (degrees in the screen plane) and how it moves.
struct Mover
{
    double x = 0, y = 0, angle = 0;
    double dx = 0, dy = 0, turn = 0;
};

// How far a sprite's middle stays from the window's edges: a size x size sprite turned to any
// angle stays inside the window. Sprites crossing the edge would measure Mesa's clipping, which
// slows the whole draw (to a third, docs/performance.md), not sprite drawing.
inline double EdgeMargin(int size)
{
    return size * 0.75;
}

inline std::vector<Mover> MakeMovers(int count, int size, bool turning)
{
    const double margin = EdgeMargin(size);
    std::srand(12345);
    std::vector<Mover> movers(static_cast<size_t>(count));
    for (Mover& mover : movers)
    {
        mover.x = margin + std::rand() % static_cast<int>(WINDOW_WIDTH - 2 * margin);
        mover.y = margin + std::rand() % static_cast<int>(WINDOW_HEIGHT - 2 * margin);
        mover.dx = (std::rand() % 200 - 100) / 50.0;
        mover.dy = (std::rand() % 200 - 100) / 50.0;
        const double turn = (std::rand() % 100 - 50) / 10.0;
        mover.turn = turning ? turn : 0;
    }
    return movers;
}

// One step; a sprite reaching the margin stops there and bounces back.
inline void Move(Mover& mover, double margin)
{
    const auto bounce = [](double& at, double& speed, double low, double high)
    {
        at += speed;
        if (at < low || at > high)
        {
            at = std::clamp(at, low, high);
            speed = -speed;
        }
    };
    bounce(mover.x, mover.dx, margin, WINDOW_WIDTH - margin);
    bounce(mover.y, mover.dy, margin, WINDOW_HEIGHT - margin);
    mover.angle = std::fmod(mover.angle + mover.turn, 360.0);
}

// RGBA noise, opaque.
inline std::vector<uint8_t> NoisePixels(int size)
{
    std::srand(777);
    std::vector<uint8_t> pixels(static_cast<size_t>(size) * size * 4);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = (i % 4 == 3) ? 255 : static_cast<uint8_t>(std::rand());
    return pixels;
}

struct Result
{
    int size = 0, count = 0, frames = 0;
    double medianMs = 0, lowMs = 0, highMs = 0; // median, 10th and 90th percentile
    double drawCallsPerFrame = 0;
    double cpuNsPerSprite = 0; // time spent issuing the sprites, per sprite (median frame)
};

inline double Percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(fraction * (values.size() - 1) + 0.5)];
}

// Runs `frame` (which returns the milliseconds it spent issuing sprites) through the warm-up,
// then for the measuring time; `drawCalls` reads a running count of draw calls.
template <class Frame, class DrawCalls>
Result Measure(const Options& options, int size, int count, Frame&& frame, DrawCalls&& drawCalls)
{
    constexpr int MIN_FRAMES = 5;
    constexpr int MAX_FRAMES = 5000;
    const Clock::time_point warmStart = Clock::now();
    for (int i = 0; i < options.warmUpFrames && MillisecondsSince(warmStart) < 1000; ++i)
        frame();

    std::vector<double> frameMs, issueMs;
    const uint64_t callsBefore = drawCalls();
    const Clock::time_point start = Clock::now();
    while (frameMs.size() < MAX_FRAMES &&
           (frameMs.size() < MIN_FRAMES || MillisecondsSince(start) < options.seconds * 1000))
    {
        const Clock::time_point before = Clock::now();
        issueMs.push_back(frame());
        frameMs.push_back(MillisecondsSince(before));
    }
    Result result;
    result.size = size;
    result.count = count;
    result.frames = static_cast<int>(frameMs.size());
    result.medianMs = Percentile(frameMs, 0.5);
    result.lowMs = Percentile(frameMs, 0.1);
    result.highMs = Percentile(frameMs, 0.9);
    result.drawCallsPerFrame = static_cast<double>(drawCalls() - callsBefore) / result.frames;
    result.cpuNsPerSprite = Percentile(issueMs, 0.5) * 1e6 / count;
    return result;
}

inline void PrintHeader(const char* what, const Options& options, bool swapIntervalOff)
{
    if (!options.header)
        return;
    std::printf("# %s: %dx%d window, depth bits %d, turning %s, swap interval off: %s\n", what,
                WINDOW_WIDTH, WINDOW_HEIGHT, options.depthBits, options.turning ? "yes" : "no",
                swapIntervalOff ? "yes" : "not settable");
    std::printf("%-4s %5s %7s %5s %10s %9s %9s %12s %11s %12s %6s\n", "#", "size", "sprites",
                "depth", "median ms", "p10 ms", "p90 ms", "sprites/s", "calls/frame", "cpu ns/spr",
                "frames");
}

// sprites/s is taken from the median frame time, robust against a loaded machine.
inline void PrintRow(const char* tag, int depthBits, const Result& r)
{
    std::printf("%-4s %5d %7d %5d %10.3f %9.3f %9.3f %12.0f %11.1f %12.1f %6d\n", tag, r.size,
                r.count, depthBits, r.medianMs, r.lowMs, r.highMs, r.count * 1000.0 / r.medianMs,
                r.drawCallsPerFrame, r.cpuNsPerSprite, r.frames);
    std::fflush(stdout);
}

} // namespace SpriteBench

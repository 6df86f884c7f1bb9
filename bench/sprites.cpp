// Sprite throughput: N moving, turning sprites drawn through OV_SPRITE::Draw (the call
// sequence of every actor) into an 800 x 600 window with vertical sync off. For each sprite
// size and count it runs warm-up frames, then measures for a few seconds and prints frames
// per second, sprites per second, the median frame time and the engine's draw calls per
// frame (same-texture sprites batch into one call). Run it under Xvfb or on a desktop;
// `sprites COUNT SIZE` measures that one case.
#include "core/ov_application.h"
#include "graphics/ov_sprite.h"
#include "orvane_core.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace OvCore;

namespace
{

constexpr int32_t WINDOW_WIDTH = 800;
constexpr int32_t WINDOW_HEIGHT = 600;
constexpr int WARM_UP_FRAMES = 10;
constexpr double MEASURE_SECONDS = 3.0;
constexpr int MIN_FRAMES = 5;
constexpr int MAX_FRAMES = 2000;

struct Mover
{
    OV_VECTOR position;
    OV_VECTOR rotation{0, 0, 0, 0};
    double dx = 0, dy = 0, turn = 0;
};

struct Result
{
    double framesPerSecond = 0;
    double medianFrameMs = 0;
    double drawCallsPerFrame = 0;
    int frames = 0;
};

// A size x size sprite of opaque noise, hotspot in the middle.
bool LoadNoiseSprite(OV_SPRITE& sprite, int32_t size)
{
    std::vector<uint8_t> pixels(static_cast<size_t>(size) * size * 4);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = (i % 4 == 3) ? 255 : static_cast<uint8_t>(std::rand());
    size_t bytes = 0;
    void* file = OvImageEncodeOvt(pixels.data(), size, size, &bytes);
    const void* images[1] = {file};
    const bool loaded =
        file && sprite.LoadFromMemory(images, 1, 1, OV_SPRITE::FILTER_NEAREST,
                                      OV_SPRITE::FILTER_NEAREST, 0, 0, -1, -1, 0, 0, &bytes);
    OvImageFree(file);
    sprite.CenterOrigin();
    return loaded && sprite.FrameCount() == 1;
}

std::vector<Mover> MakeMovers(int count)
{
    std::vector<Mover> movers(static_cast<size_t>(count));
    for (Mover& mover : movers)
    {
        mover.position = OV_VECTOR(std::rand() % WINDOW_WIDTH, std::rand() % WINDOW_HEIGHT);
        mover.dx = (std::rand() % 200 - 100) / 50.0;
        mover.dy = (std::rand() % 200 - 100) / 50.0;
        mover.turn = (std::rand() % 100 - 50) / 10.0;
    }
    return movers;
}

void Move(Mover& mover)
{
    mover.position.x += mover.dx;
    mover.position.y += mover.dy;
    if (mover.position.x < 0 || mover.position.x > WINDOW_WIDTH)
        mover.dx = -mover.dx;
    if (mover.position.y < 0 || mover.position.y > WINDOW_HEIGHT)
        mover.dy = -mover.dy;
    mover.rotation.x = std::fmod(mover.rotation.x + mover.turn, 360.0);
}

uint64_t DrawCallCount()
{
    const auto* count = static_cast<const uint64_t*>(OvGetState(OV_STATE_DRAW_CALLS));
    return count ? *count : 0;
}

// One frame as a game draws it: camera, every sprite, present and clear.
void Frame(const OV_SPRITE& sprite, std::vector<Mover>& movers)
{
    const OV_VECTOR scale(1, 1, 1, 1);
    OvCameraOrtho(0, 0, WINDOW_WIDTH, WINDOW_HEIGHT, 0);
    for (Mover& mover : movers)
    {
        Move(mover);
        sprite.Draw(mover.position, mover.rotation, scale);
    }
    OvRenderScene(35);
}

Result Measure(const OV_SPRITE& sprite, int count)
{
    using Clock = std::chrono::steady_clock;
    std::vector<Mover> movers = MakeMovers(count);
    for (int i = 0; i < WARM_UP_FRAMES; ++i)
        Frame(sprite, movers);

    std::vector<double> frameMs;
    OvSetState(OV_STATE_DRAW_CALLS, 0);
    const Clock::time_point start = Clock::now();
    Clock::time_point now = start;
    while (static_cast<int>(frameMs.size()) < MAX_FRAMES &&
           (static_cast<int>(frameMs.size()) < MIN_FRAMES ||
            std::chrono::duration<double>(now - start).count() < MEASURE_SECONDS))
    {
        const Clock::time_point before = Clock::now();
        Frame(sprite, movers);
        now = Clock::now();
        frameMs.push_back(std::chrono::duration<double, std::milli>(now - before).count());
    }
    Result result;
    result.frames = static_cast<int>(frameMs.size());
    result.framesPerSecond = result.frames / std::chrono::duration<double>(now - start).count();
    result.drawCallsPerFrame = static_cast<double>(DrawCallCount()) / result.frames;
    std::sort(frameMs.begin(), frameMs.end());
    result.medianFrameMs = frameMs[frameMs.size() / 2];
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<int32_t> sizes{32, 8};
    std::vector<int> counts{1000, 10000, 50000, 100000};
    if (argc == 3)
    {
        counts = {std::max(1, std::atoi(argv[1]))};
        sizes = {std::clamp(std::atoi(argv[2]), 1, 1024)};
    }
    OvInitiation();
    OV_APPLICATION& app = Application();
    OV_WINDOW& window = *app.windows.Get("bench");
    window.title = "sprite benchmark";
    window.width = WINDOW_WIDTH;
    window.height = WINDOW_HEIGHT;
    if (!window.OpenWindow() || !app.ActivateWindow("bench"))
    {
        std::fprintf(stderr, "sprites: cannot open an %dx%d window\n", WINDOW_WIDTH, WINDOW_HEIGHT);
        OvClosure();
        return 1;
    }
    const bool vsyncOff = OvRenderVsync(0) != 0;
    std::printf("sprite benchmark: %dx%d window, swap interval off: %s\n", WINDOW_WIDTH,
                WINDOW_HEIGHT, vsyncOff ? "yes" : "not settable");
    std::printf("%6s %8s %9s %14s %12s %11s %7s\n", "size", "sprites", "fps", "sprites/s",
                "median ms", "calls/frame", "frames");

    std::srand(12345);
    for (int32_t size : sizes)
    {
        OV_SPRITE sprite;
        if (!LoadNoiseSprite(sprite, size))
        {
            std::fprintf(stderr, "sprites: cannot load a %dx%d sprite\n", size, size);
            continue;
        }
        for (int count : counts)
        {
            const Result result = Measure(sprite, count);
            std::printf("%6d %8d %9.1f %14.0f %12.2f %11.1f %7d\n", size, count,
                        result.framesPerSecond, result.framesPerSecond * count,
                        result.medianFrameMs, result.drawCallsPerFrame, result.frames);
            std::fflush(stdout);
        }
    }
    window.CloseWindow();
    app.windows.Clear();
    OvClosure();
    return 0;
}

// Sprite throughput through the framework: N moving sprites (turning unless --turn 0) drawn with
// OV_SPRITE::Draw (the call sequence of every actor) into an 800 x 600 window with the swap
// interval off. For each sprite size and count: warm-up frames, then the median and spread
// of frame time, sprites per second, the engine's draw calls per frame (state 470) and the
// CPU time spent issuing each sprite. bench/sprites_raw draws the same sprites at the raw
// OpenGL bound; scripts/bench-sprites.sh compares the two.
//   sprites [--counts 1000,10000] [--sizes 8,32] [--depth 0|16] [--turn 0|1] [--seconds S]
//           [--warmup N]
#include "app/ov_application.h"
#include "bench/sprite_bench.h"
#include "graphics/ov_sprite.h"
#include "orvane_core.h"

using namespace OvCore;
using namespace SpriteBench;

namespace
{

// A size x size sprite of opaque noise, hotspot in the middle.
bool LoadNoiseSprite(OV_SPRITE& sprite, int32_t size)
{
    const std::vector<uint8_t> pixels = NoisePixels(size);
    size_t bytes = 0;
    void* file = OvImageEncodeOvt(pixels.data(), size, size, &bytes);
    const void* images[1] = {file};
    const bool loaded =
        file && sprite.LoadFromMemory(images, 1, 1, OV_FILTER_NEAREST, OV_FILTER_NEAREST, 0, 0, -1,
                                      -1, 0, 0, &bytes);
    OvImageFree(file);
    sprite.CenterOrigin();
    return loaded && sprite.FrameCount() == 1;
}

uint64_t DrawCallCount()
{
    const auto* count = static_cast<const uint64_t*>(OvGetState(OV_STATE_DRAW_CALLS));
    return count ? *count : 0;
}

// One frame as a game draws it: camera, every sprite as an actor draws it, present and
// clear. Returns the milliseconds spent in the sprites' Draw calls.
double Frame(const OV_SPRITE& sprite, double margin, std::vector<Mover>& movers)
{
    const OV_VECTOR scale(1, 1, 1, 1);
    OvCameraOrtho(0, 0, WINDOW_WIDTH, WINDOW_HEIGHT, 0);
    for (Mover& mover : movers)
        Move(mover, margin);
    const Clock::time_point start = Clock::now();
    for (const Mover& mover : movers)
        sprite.Draw(OV_VECTOR(mover.x, mover.y), OV_VECTOR(mover.angle, 0, 0, 0), scale);
    const double issueMs = MillisecondsSince(start);
    OvRenderScene(35);
    return issueMs;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options))
    {
        std::fprintf(stderr, "usage: sprites [--counts N,N] [--sizes S,S] [--depth 0|16] "
                             "[--turn 0|1] [--seconds S] [--warmup N] [--no-header]\n");
        return 2;
    }
    OvInitiation();
    OV_APPLICATION& app = Application();
    OV_WINDOW& window = *app.windows.Get("bench");
    window.title = "sprite benchmark";
    window.width = WINDOW_WIDTH;
    window.height = WINDOW_HEIGHT;
    window.depthBits = options.depthBits;
    if (!window.OpenWindow() || !app.ActivateWindow("bench"))
    {
        std::fprintf(stderr, "sprites: cannot open an %dx%d window\n", WINDOW_WIDTH, WINDOW_HEIGHT);
        OvClosure();
        return 1;
    }
    PrintHeader("framework sprites (OV_SPRITE::Draw)", options, OvRenderVsync(0) != 0);
    for (int size : options.sizes)
    {
        OV_SPRITE sprite;
        if (!LoadNoiseSprite(sprite, size))
        {
            std::fprintf(stderr, "sprites: cannot load a %dx%d sprite\n", size, size);
            continue;
        }
        for (int count : options.counts)
        {
            std::vector<Mover> movers = MakeMovers(count, size, options.turning);
            const double margin = EdgeMargin(size);
            const Result result = Measure(
                options, size, count, [&] { return Frame(sprite, margin, movers); }, DrawCallCount);
            PrintRow("ov", options.depthBits, result);
        }
    }
    window.CloseWindow();
    app.windows.Clear();
    OvClosure();
    return 0;
}

// Pictures of the game's window for the play tests: read back through the engine
// (OvTextureFromRender, OvTextureLock) while a frame is drawn, measured (colour counts,
// centroids, saturation), saved as PNG and compared with committed reference images.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace OvGameTest
{

struct Rgba
{
    uint8_t r = 0, g = 0, b = 0, a = 255;
};

// A picture, row 0 on top.
struct FrameImage
{
    int32_t width = 0;
    int32_t height = 0;
    std::vector<Rgba> pixels;

    const Rgba& at(int32_t x, int32_t y) const { return pixels[size_t(y) * width + x]; }
    bool empty() const { return pixels.empty(); }
};

// The active render target's pixels from (0, 0) to (width, height), top row first; empty
// when the engine cannot read them.
FrameImage ReadFrame(int32_t width, int32_t height);

// Pixels inside [x0, x1) x [y0, y1) that `match`es, and their centre.
using Matcher = bool (*)(const Rgba&);
struct Blob
{
    int count = 0;
    double x = 0, y = 0;
};
Blob FindColour(const FrameImage& image, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                Matcher match);

// The mean chroma (largest minus smallest channel, 0..255) over the whole picture.
double MeanChroma(const FrameImage& image);

// The picture halved in each direction (2 x 2 averages), as references are stored.
FrameImage HalfSize(const FrameImage& image);

bool SavePng(const FrameImage& image, const std::string& path);
FrameImage LoadPng(const std::string& path);

// Compares with a reference within the tolerance rasterisers need: the mean channel
// difference at most 1.5 and at most 0.5% of the pixels off by more than 24 in a channel.
::testing::AssertionResult MatchesReference(const FrameImage& actual, const FrameImage& reference);

} // namespace OvGameTest

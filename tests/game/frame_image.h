// Pictures of the game's window for the play tests (read back while a frame is drawn):
// measured (colour counts, centroids, saturation), saved as PNG and compared with committed
// reference images.
#pragma once

#include "support/image.h"

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

namespace OvGameTest
{

// Pixels inside [x0, x1) x [y0, y1) that `match`es, and their centre.
using Matcher = bool (*)(const OvTest::Rgba&);
struct Blob
{
    int count = 0;
    double x = 0, y = 0;
};
Blob FindColour(const OvTest::Image& image, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                Matcher match);

// The mean chroma (largest minus smallest channel, 0..255) over the whole picture.
double MeanChroma(const OvTest::Image& image);

// The picture halved in each direction (2 x 2 averages), as references are stored.
OvTest::Image HalfSize(const OvTest::Image& image);

bool SavePng(const OvTest::Image& image, const std::string& path);
OvTest::Image LoadPng(const std::string& path);

// Compares with a reference within the tolerance rasterisers need: the mean channel
// difference at most 1.5 and at most 0.5% of the pixels off by more than 24 in a channel.
::testing::AssertionResult MatchesReference(const OvTest::Image& actual,
                                            const OvTest::Image& reference);

} // namespace OvGameTest

// Pictures of the game's window for the play tests (read back while a frame is drawn):
// measured (colour counts, centroids, saturation), saved as PNG and compared with committed
// reference images.
#pragma once

#include "support/image.h"
#include "support/reference_image.h"

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

// PNG files and the reference comparison are shared by every test (support/reference_image.h).
using OvTest::LoadPng;
using OvTest::MatchesReference;
using OvTest::SavePng;

} // namespace OvGameTest

// The one picture type of the tests: width x height pixels, row 0 on top. Images made in
// memory, textures and render targets read back, and reference images all use it.
#pragma once

#include "support/pixels.h"

#include <cstdint>
#include <vector>

namespace OvTest
{

struct Image
{
    int32_t width = 0;
    int32_t height = 0;
    std::vector<Rgba> pixels;

    Image() = default;
    Image(int32_t w, int32_t h, Rgba fill) : width(w), height(h), pixels(size_t(w) * h, fill) {}

    bool empty() const { return pixels.empty(); }
    Rgba& at(int32_t x, int32_t y) { return pixels[size_t(y) * width + x]; }
    const Rgba& at(int32_t x, int32_t y) const { return pixels[size_t(y) * width + x]; }
    // Fills the rectangle [x0, x1) x [y0, y1).
    void Fill(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Rgba colour)
    {
        for (int32_t y = y0; y < y1; ++y)
            for (int32_t x = x0; x < x1; ++x)
                at(x, y) = colour;
    }
};

} // namespace OvTest

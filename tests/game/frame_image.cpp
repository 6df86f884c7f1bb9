#include "frame_image.h"

#include <algorithm>
#include <cstdlib>

namespace OvGameTest
{

using OvTest::Image;
using OvTest::Rgba;

Blob FindColour(const Image& image, int32_t x0, int32_t y0, int32_t x1, int32_t y1, Matcher match)
{
    Blob blob;
    for (int32_t y = std::max(0, y0); y < std::min(image.height, y1); ++y)
        for (int32_t x = std::max(0, x0); x < std::min(image.width, x1); ++x)
            if (match(image.at(x, y)))
            {
                ++blob.count;
                blob.x += x + 0.5;
                blob.y += y + 0.5;
            }
    if (blob.count)
    {
        blob.x /= blob.count;
        blob.y /= blob.count;
    }
    return blob;
}

double MeanChroma(const Image& image)
{
    double sum = 0;
    for (const Rgba& p : image.pixels)
        sum += std::max({p.r, p.g, p.b}) - std::min({p.r, p.g, p.b});
    return image.pixels.empty() ? 0 : sum / double(image.pixels.size());
}

Image HalfSize(const Image& image)
{
    Image half;
    half.width = image.width / 2;
    half.height = image.height / 2;
    for (int32_t y = 0; y < half.height; ++y)
        for (int32_t x = 0; x < half.width; ++x)
        {
            int r = 0, g = 0, b = 0, a = 0;
            for (int32_t dy = 0; dy < 2; ++dy)
                for (int32_t dx = 0; dx < 2; ++dx)
                {
                    const Rgba& p = image.at(2 * x + dx, 2 * y + dy);
                    r += p.r, g += p.g, b += p.b, a += p.a;
                }
            half.pixels.push_back(Rgba{uint8_t((r + 2) / 4), uint8_t((g + 2) / 4),
                                       uint8_t((b + 2) / 4), uint8_t((a + 2) / 4)});
        }
    return half;
}

} // namespace OvGameTest

#include "frame_image.h"

#include <algorithm>
#include <cstdlib>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

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

bool SavePng(const Image& image, const std::string& path)
{
    return !image.empty() && stbi_write_png(path.c_str(), image.width, image.height, 4,
                                            image.pixels.data(), image.width * 4) != 0;
}

Image LoadPng(const std::string& path)
{
    Image image;
    int width = 0, height = 0, channels = 0;
    stbi_uc* data = stbi_load(path.c_str(), &width, &height, &channels, 4);
    if (!data)
        return image;
    image.width = width;
    image.height = height;
    const auto* rgba = reinterpret_cast<const Rgba*>(data);
    image.pixels.assign(rgba, rgba + size_t(width) * height);
    stbi_image_free(data);
    return image;
}

::testing::AssertionResult MatchesReference(const Image& actual, const Image& reference)
{
    if (reference.empty())
        return ::testing::AssertionFailure() << "no reference image";
    if (actual.width != reference.width || actual.height != reference.height)
        return ::testing::AssertionFailure()
               << "size " << actual.width << "x" << actual.height << ", reference "
               << reference.width << "x" << reference.height;
    double total = 0;
    size_t far = 0;
    for (size_t i = 0; i < actual.pixels.size(); ++i)
    {
        const Rgba& a = actual.pixels[i];
        const Rgba& b = reference.pixels[i];
        const int dr = std::abs(a.r - b.r), dg = std::abs(a.g - b.g), db = std::abs(a.b - b.b);
        total += dr + dg + db;
        far += std::max({dr, dg, db}) > 24 ? 1 : 0;
    }
    const double mean = total / (3.0 * double(actual.pixels.size()));
    const double farShare = double(far) / double(actual.pixels.size());
    if (mean <= 1.5 && farShare <= 0.005)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "mean channel difference " << mean << ", "
                                         << farShare * 100 << "% of pixels off by more than 24";
}

} // namespace OvGameTest

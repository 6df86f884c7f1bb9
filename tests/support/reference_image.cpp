#include "support/reference_image.h"

#include <algorithm>
#include <cstdlib>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace OvTest
{

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

} // namespace OvTest

#include "support/read_back.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace OvTest
{

Image TexturePixels(OvHandle texture)
{
    Image image;
    const auto* width = static_cast<const int32_t*>(OvTextureGet(texture, OV_TEXTURE_WIDTH));
    const auto* height = static_cast<const int32_t*>(OvTextureGet(texture, OV_TEXTURE_HEIGHT));
    const auto* rgba = static_cast<const Rgba*>(OvTextureLock(texture, 1));
    if (rgba && width && height)
    {
        image.width = *width;
        image.height = *height;
        image.pixels.assign(rgba, rgba + size_t(*width) * size_t(*height));
    }
    if (rgba)
        OvTextureUnlock(texture, 0);
    return image;
}

Image ReadTarget(int32_t x, int32_t y, int32_t width, int32_t height)
{
    Image image;
    OvHandle texture{1, nullptr};
    if (!OvTextureCreate(&texture))
        return image;
    if (OvTextureFromRender(texture, x, y, width, height, 1))
        image = TexturePixels(texture);
    OvTextureDestroy(texture);
    // The engine copies the bottom row first.
    for (int32_t row = 0; row < image.height / 2; ++row)
        std::swap_ranges(&image.at(0, row), &image.at(0, row) + image.width,
                         &image.at(0, image.height - 1 - row));
    return image;
}

Rgba ReadTargetPixel(int32_t x, int32_t y)
{
    const Image pixel = ReadTarget(x, y, 1, 1);
    if (pixel.pixels.size() == 1)
        return pixel.pixels[0];
    ADD_FAILURE() << "the engine could not read the pixel at (" << x << ", " << y << ")";
    return Rgba{1, 2, 3, 4};
}

} // namespace OvTest

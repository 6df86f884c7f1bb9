// Pixels read back from the engine for window tests: the active render target's pixels and
// a texture's pixels, both through the engine's own read-back calls.
#pragma once

#include "orvane_core.h"

#include <cstdint>
#include <vector>

namespace OvCoreTest
{

struct Pixel
{
    int r, g, b, a;
};

// The active render target's pixel at (x, y), counted from the bottom-left; all -1 when the
// engine cannot read it.
inline Pixel ReadPixel(int x, int y)
{
    OvHandle texture{1, nullptr};
    Pixel pixel{-1, -1, -1, -1};
    if (!OvTextureCreate(&texture))
        return pixel;
    if (OvTextureFromRender(texture, x, y, 1, 1, 1))
    {
        if (const auto* rgba = static_cast<const uint8_t*>(OvTextureLock(texture, 1)))
        {
            pixel = Pixel{rgba[0], rgba[1], rgba[2], rgba[3]};
            OvTextureUnlock(texture, 0);
        }
    }
    OvTextureDestroy(texture);
    return pixel;
}

// An encoded image decoded by the engine: width, height and RGBA rows, top row first.
struct Image
{
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgba;

    Pixel At(int x, int y) const
    {
        const uint8_t* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
        return Pixel{p[0], p[1], p[2], p[3]};
    }
};

inline Image DecodeImage(const void* data, size_t size)
{
    Image image;
    OvHandle texture{1, nullptr};
    if (!OvTextureCreate(&texture))
        return image;
    if (OvTextureLoadFromMemory(texture, data, 0, size))
    {
        const auto* width = static_cast<const int32_t*>(OvTextureGet(texture, OV_TEXTURE_WIDTH));
        const auto* height = static_cast<const int32_t*>(OvTextureGet(texture, OV_TEXTURE_HEIGHT));
        const auto* rgba = static_cast<const uint8_t*>(OvTextureLock(texture, 1));
        if (width && height && rgba)
        {
            image.width = *width;
            image.height = *height;
            image.rgba.assign(rgba, rgba + static_cast<size_t>(image.width) * image.height * 4);
        }
        if (rgba)
            OvTextureUnlock(texture, 0);
    }
    OvTextureDestroy(texture);
    return image;
}

} // namespace OvCoreTest

// Shared by the drawing tests: one real window on the X server for the whole suite, a
// y-down orthographic camera over it, images made in memory as .ovt files, and pixels read
// back through the engine (OvTextureFromRender, OvTextureLock) in window coordinates.
#pragma once

#include "app/ov_application.h"
#include "graphics/ov_sprite.h"
#include "orvane_core.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace OvGraphicsTest
{

struct Rgba
{
    uint8_t r = 0, g = 0, b = 0, a = 255;
    bool operator==(const Rgba&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Rgba& c)
{
    return out << "(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ", " << int(c.a)
               << ")";
}

constexpr Rgba RED{255, 0, 0, 255};
constexpr Rgba GREEN{0, 255, 0, 255};
constexpr Rgba BLUE{0, 0, 255, 255};
constexpr Rgba WHITE{255, 255, 255, 255};
constexpr Rgba BLACK{0, 0, 0, 255};

// True when every channel is within `tolerance` (rasterisers differ in the last bit).
inline bool Near(const Rgba& a, const Rgba& b, int tolerance = 3)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

// An image of w x h pixels, row 0 on top.
struct Image
{
    int32_t width = 0;
    int32_t height = 0;
    std::vector<Rgba> pixels;

    Image(int32_t w, int32_t h, Rgba fill) : width(w), height(h), pixels(size_t(w) * h, fill) {}
    Rgba& at(int32_t x, int32_t y) { return pixels[size_t(y) * width + x]; }
    // Fills the rectangle [x0, x1) x [y0, y1).
    void Fill(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Rgba colour)
    {
        for (int32_t y = y0; y < y1; ++y)
            for (int32_t x = x0; x < x1; ++x)
                at(x, y) = colour;
    }
};

// The image encoded as an .ovt file by the engine's codec.
inline std::vector<uint8_t> EncodeOvt(const Image& image)
{
    size_t size = 0;
    void* data = OvImageEncodeOvt(image.pixels.data(), image.width, image.height, &size);
    std::vector<uint8_t> bytes;
    if (data)
        bytes.assign(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
    OvImageFree(data);
    return bytes;
}

// Loads images as frames through LoadFromMemory with the given strip count, nearest
// filtering and the hotspot at the top-left.
inline bool LoadImages(OvCore::OV_SPRITE& sprite, const std::vector<Image>& images,
                       int32_t stripCount = 0)
{
    std::vector<std::vector<uint8_t>> files;
    std::vector<const void*> pointers;
    std::vector<size_t> sizes;
    for (const Image& image : images)
        files.push_back(EncodeOvt(image));
    for (const auto& file : files)
    {
        pointers.push_back(file.data());
        sizes.push_back(file.size());
    }
    sprite.stripCount = stripCount;
    return sprite.LoadFromMemory(pointers.data(), int32_t(pointers.size()), 1, OV_FILTER_NEAREST,
                                 OV_FILTER_NEAREST, 0, 0, -1, -1, 0, 0, sizes.data());
}

// One window of WIDTH x HEIGHT for the suite, active, cleared to black before each test,
// with a camera whose world units are the window's pixels, y growing downwards.
class DrawingTest : public ::testing::Test
{
  protected:
    static constexpr int32_t WIDTH = 128;
    static constexpr int32_t HEIGHT = 96;

    static void SetUpTestSuite()
    {
        OvInitiation();
        OvCore::OV_WINDOW& window = *OvCore::Application().windows.Get("graphics-test");
        window.title = "graphics-test";
        window.width = WIDTH;
        window.height = HEIGHT;
        windowOpen = window.OpenWindow();
    }

    static void TearDownTestSuite()
    {
        OvCore::Application().windows.Get("graphics-test")->CloseWindow();
        OvCore::Application().windows.Clear();
        OvClosure();
    }

    void SetUp() override
    {
        ASSERT_TRUE(windowOpen) << "needs an X display (run under xvfb-run)";
        OvCore::OV_APPLICATION& app = OvCore::Application();
        ASSERT_TRUE(app.ActivateWindow("graphics-test"));
        OvRenderScene(64); // default drawing state
        OvCore::OV_VIEW::End();
        app.ClearScreen(0, 0, 0, 1);
    }

    // The pixel at window coordinates (x, y), y from the top.
    static Rgba PixelAt(int32_t x, int32_t y)
    {
        const std::vector<Rgba> region = Region(x, y, 1, 1);
        return region.empty() ? Rgba{1, 2, 3, 4} : region[0];
    }

    // The w x h pixels from window coordinates (x, y), rows from the top.
    static std::vector<Rgba> Region(int32_t x, int32_t y, int32_t w, int32_t h)
    {
        std::vector<Rgba> pixels;
        OvHandle texture{1, nullptr};
        if (!OvTextureCreate(&texture))
            return pixels;
        // The engine counts rows from the bottom and copies the bottom row first.
        if (OvTextureFromRender(texture, x, HEIGHT - y - h, w, h, 1))
            if (const auto* rgba = static_cast<const Rgba*>(OvTextureLock(texture, 1)))
            {
                for (int32_t row = h - 1; row >= 0; --row)
                    pixels.insert(pixels.end(), rgba + size_t(row) * w, rgba + size_t(row + 1) * w);
                OvTextureUnlock(texture, 0);
            }
        OvTextureDestroy(texture);
        return pixels;
    }

    static uint64_t DrawCalls()
    {
        OvRenderScene(1);
        const auto* count = static_cast<const uint64_t*>(OvGetState(OV_STATE_DRAW_CALLS));
        return count ? *count : 0;
    }

    static inline bool windowOpen = false;
};

} // namespace OvGraphicsTest

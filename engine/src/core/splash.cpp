#include "core/splash.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "image/ovt_codec.h"
#include "platform/native.h"

namespace ov {

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 260;

// 5 x 7 glyphs, one row per byte, bit 4 the left column.
struct Glyph
{
    char letter;
    uint8_t rows[7];
};

constexpr Glyph kGlyphs[] = {
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}}, {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
    {'V', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04}}, {'A', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'N', {0x11, 0x19, 0x15, 0x13, 0x11, 0x11, 0x11}}, {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}},
    {'C', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}},
};

void put(std::vector<uint8_t>& pixels, int x, int y, uint8_t r, uint8_t g, uint8_t b, uint8_t a)
{
    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight)
        return;
    uint8_t* p = &pixels[(size_t(y) * kWidth + x) * 4];
    p[0] = r, p[1] = g, p[2] = b, p[3] = a;
}

// A dark rounded panel with a vertical gradient and a light rim.
void drawPanel(std::vector<uint8_t>& pixels)
{
    const double radius = 28;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double cx = std::clamp(double(x), radius, kWidth - 1 - radius);
            const double cy = std::clamp(double(y), radius, kHeight - 1 - radius);
            const double outside = std::hypot(x - cx, y - cy) - radius;
            if (outside > 1)
                continue;
            const double t = double(y) / kHeight;
            const bool rim = outside > -3;
            const uint8_t alpha = uint8_t(std::clamp(1 - outside, 0.0, 1.0) * 235);
            if (rim)
                put(pixels, x, y, 150, 190, 230, alpha);
            else
                put(pixels, x, y, uint8_t(20 + 20 * t), uint8_t(32 + 30 * t), uint8_t(52 + 50 * t), alpha);
        }
}

void drawText(std::vector<uint8_t>& pixels, const char* text, int left, int top, int scale)
{
    for (int i = 0; text[i]; ++i)
        for (const Glyph& glyph : kGlyphs) {
            if (glyph.letter != text[i])
                continue;
            for (int row = 0; row < 7; ++row)
                for (int column = 0; column < 5; ++column) {
                    if (!(glyph.rows[row] & (0x10 >> column)))
                        continue;
                    for (int dy = 0; dy < scale; ++dy)
                        for (int dx = 0; dx < scale; ++dx)
                            put(pixels, left + (i * 6 + column) * scale + dx, top + row * scale + dy, 235, 242, 250, 255);
                }
        }
}

std::vector<uint8_t> drawSplash()
{
    std::vector<uint8_t> pixels(size_t(kWidth) * kHeight * 4, 0);
    drawPanel(pixels);
    const int scale = 7;
    const char* first = "ORVANE";
    const char* second = "CORE";
    drawText(pixels, first, (kWidth - 6 * 6 * scale) / 2, 50, scale);
    drawText(pixels, second, (kWidth - 4 * 6 * scale) / 2, 50 + 9 * scale, scale);
    return pixels;
}

} // namespace

void registerSplashResource()
{
    // The module keeps a pointer to the bytes: they live as long as the process.
    static const std::vector<uint8_t> file = [] {
        const std::vector<uint8_t> pixels = drawSplash();
        return ovt::encode(pixels.data(), kWidth, kHeight);
    }();
    if (!file.empty())
        PlatformRegisterResource("Orvane Core.dll", 1, 1024, file.data(), file.size());
}

} // namespace ov

// Draws the framework's intro splash as a 640 x 260 PNG with transparency: a rounded,
// translucent panel with a soft shadow, an orbit emblem and the "Orvane Core" wordmark. The
// engine embeds the result (engine/resources/splash.png) as resource 1 of type 1024.
//
// Usage: splash_art <output.png> [bold font .ttf] [regular font .ttf]
// (the fonts default to DejaVu Sans from the fonts-dejavu-core package).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>
#define STBTT_STATIC
#define STB_TRUETYPE_IMPLEMENTATION
#include <stb/stb_truetype.h>

namespace
{

constexpr int kWidth = 640;
constexpr int kHeight = 260;
constexpr float kPi = 3.14159265f;

struct Colour
{
    float r, g, b, a;
};

Colour Mix(Colour from, Colour to, float t)
{
    t = std::clamp(t, 0.0f, 1.0f);
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t,
            from.b + (to.b - from.b) * t, from.a + (to.a - from.a) * t};
}

float SmoothStep(float edge0, float edge1, float x)
{
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

// Signed distance to a rounded rectangle given by its centre, half size and corner radius.
float RoundedBoxDistance(float x, float y, float cx, float cy, float halfW, float halfH,
                         float radius)
{
    const float qx = std::fabs(x - cx) - (halfW - radius);
    const float qy = std::fabs(y - cy) - (halfH - radius);
    const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

// Straight-alpha RGBA floats, composited with "over"; pixel centres at (x + 0.5, y + 0.5).
class Picture
{
  public:
    Picture() : pixels_(kWidth * kHeight, Colour{0, 0, 0, 0}) {}

    // Coverage and colour per point; 4 x 4 samples per pixel for smooth edges.
    using Inside = std::function<bool(float, float)>;
    using Paint = std::function<Colour(float, float)>;

    void Fill(const Inside& inside, const Paint& paint)
    {
        constexpr int kSamples = 4;
        for (int py = 0; py < kHeight; ++py)
            for (int px = 0; px < kWidth; ++px)
            {
                int hits = 0;
                for (int sy = 0; sy < kSamples; ++sy)
                    for (int sx = 0; sx < kSamples; ++sx)
                        hits += inside(px + (sx + 0.5f) / kSamples, py + (sy + 0.5f) / kSamples)
                                    ? 1
                                    : 0;
                if (hits)
                    Over(px, py, paint(px + 0.5f, py + 0.5f), hits / float(kSamples * kSamples));
            }
    }

    // A soft layer: `alpha` gives each pixel's own coverage (shadows and glows).
    void Wash(const std::function<float(float, float)>& alpha, Colour colour)
    {
        for (int py = 0; py < kHeight; ++py)
            for (int px = 0; px < kWidth; ++px)
                Over(px, py, colour, alpha(px + 0.5f, py + 0.5f));
    }

    void Over(int x, int y, Colour top, float coverage)
    {
        if (x < 0 || y < 0 || x >= kWidth || y >= kHeight)
            return;
        Colour& under = pixels_[y * kWidth + x];
        const float a = top.a * std::clamp(coverage, 0.0f, 1.0f);
        const float out = a + under.a * (1 - a);
        if (out <= 0)
            return;
        under.r = (top.r * a + under.r * under.a * (1 - a)) / out;
        under.g = (top.g * a + under.g * under.a * (1 - a)) / out;
        under.b = (top.b * a + under.b * under.a * (1 - a)) / out;
        under.a = out;
    }

    bool Save(const char* path) const
    {
        std::vector<unsigned char> bytes(kWidth * kHeight * 4);
        for (size_t i = 0; i < pixels_.size(); ++i)
        {
            const Colour& c = pixels_[i];
            const float channels[4] = {c.r, c.g, c.b, c.a};
            for (int k = 0; k < 4; ++k)
                bytes[i * 4 + k] = static_cast<unsigned char>(
                    std::lround(std::clamp(channels[k], 0.0f, 1.0f) * 255));
        }
        return stbi_write_png(path, kWidth, kHeight, 4, bytes.data(), kWidth * 4) != 0;
    }

  private:
    std::vector<Colour> pixels_;
};

// Panel geometry: a margin of transparent pixels round it leaves room for the shadow.
constexpr float kPanelLeft = 14, kPanelTop = 12, kPanelRight = 626, kPanelBottom = 240;
constexpr float kPanelRadius = 30;
constexpr float kPanelCx = (kPanelLeft + kPanelRight) / 2,
                kPanelCy = (kPanelTop + kPanelBottom) / 2;
constexpr float kPanelHalfW = (kPanelRight - kPanelLeft) / 2;
constexpr float kPanelHalfH = (kPanelBottom - kPanelTop) / 2;

float PanelDistance(float x, float y)
{
    return RoundedBoxDistance(x, y, kPanelCx, kPanelCy, kPanelHalfW, kPanelHalfH, kPanelRadius);
}

const Colour kAccent{0.30f, 0.86f, 0.95f, 1};     // cyan
const Colour kAccentDeep{0.25f, 0.42f, 1.00f, 1}; // blue

void DrawPanel(Picture& picture)
{
    // Shadow: the panel's outline dropped a little and faded over 12 pixels.
    picture.Wash(
        [](float x, float y)
        {
            const float d = RoundedBoxDistance(x, y, kPanelCx, kPanelCy + 5, kPanelHalfW,
                                               kPanelHalfH, kPanelRadius);
            return 0.45f * (1 - SmoothStep(-4, 12, d));
        },
        {0, 0, 0.02f, 1});
    // Body: a dark vertical gradient with a faint light from the upper left.
    picture.Fill([](float x, float y) { return PanelDistance(x, y) <= 0; },
                 [](float x, float y)
                 {
                     const Colour top{0.11f, 0.14f, 0.23f, 0.90f};
                     const Colour bottom{0.04f, 0.05f, 0.10f, 0.94f};
                     Colour c = Mix(top, bottom, (y - kPanelTop) / (kPanelBottom - kPanelTop));
                     const float glow = std::exp(
                         -(std::pow((x - 150) / 260, 2.0f) + std::pow((y - 60) / 150, 2.0f)));
                     return Mix(c, Colour{0.16f, 0.24f, 0.38f, 0.92f}, 0.55f * glow);
                 });
    // Rim: a thin line along the edge, brighter at the top.
    picture.Fill(
        [](float x, float y)
        {
            const float d = PanelDistance(x, y);
            return d <= 0 && d > -1.6f;
        },
        [](float, float y)
        {
            return Mix(Colour{0.55f, 0.75f, 1.0f, 0.75f}, Colour{0.25f, 0.35f, 0.60f, 0.35f},
                       (y - kPanelTop) / (kPanelBottom - kPanelTop));
        });
}

// The emblem: a ring with a gap, a tilted orbit, a glowing core and a satellite.
void DrawEmblem(Picture& picture, float cx, float cy)
{
    picture.Wash(
        [=](float x, float y)
        {
            const float r = std::hypot(x - cx, y - cy);
            return 0.35f * std::exp(-r * r / (2 * 40.0f * 40.0f));
        },
        {0.25f, 0.70f, 1.0f, 1});

    const auto gradient = [=](float x, float y)
    { return Mix(kAccent, kAccentDeep, ((x - cx) + (y - cy)) / 130 + 0.5f); };
    // Outer ring, open at the lower right where the satellite sits.
    picture.Fill(
        [=](float x, float y)
        {
            const float r = std::hypot(x - cx, y - cy);
            const float angle = std::atan2(y - cy, x - cx);
            const bool gap = angle > 0.35f && angle < 0.95f;
            return r >= 54 && r <= 63 && !gap;
        },
        gradient);
    // Orbit: a thin ellipse tilted by 30 degrees; its far half passes behind the core.
    const auto orbit = [=](bool front)
    {
        return [=](float x, float y)
        {
            const float c = std::cos(-kPi / 6), s = std::sin(-kPi / 6);
            const float u = (x - cx) * c - (y - cy) * s;
            const float v = (x - cx) * s + (y - cy) * c;
            const float e = std::hypot(u / 44, v / 17);
            return e >= 0.93f && e <= 1.04f && (v > 0) == front;
        };
    };
    const Picture::Paint orbitPaint = [](float, float) {
        return Colour{0.70f, 0.88f, 1.0f, 0.85f};
    };
    picture.Fill(orbit(false), orbitPaint);
    // Core: a sphere lit from the upper left.
    picture.Fill([=](float x, float y) { return std::hypot(x - cx, y - cy) <= 20; },
                 [=](float x, float y)
                 {
                     const float d = std::hypot(x - (cx - 7), y - (cy - 7)) / 30;
                     return Mix(Colour{0.92f, 1.0f, 1.0f, 1}, kAccentDeep, d);
                 });
    picture.Fill(orbit(true), orbitPaint);
    // Satellite in the ring's gap.
    const float sx = cx + 58.5f * std::cos(0.65f), sy = cy + 58.5f * std::sin(0.65f);
    picture.Fill([=](float x, float y) { return std::hypot(x - sx, y - sy) <= 7; },
                 [](float, float) {
                     return Colour{1.0f, 0.78f, 0.35f, 1};
                 });
}

// A TrueType font read whole into memory.
class Font
{
  public:
    bool Load(const char* path)
    {
        FILE* file = std::fopen(path, "rb");
        if (!file)
            return false;
        std::fseek(file, 0, SEEK_END);
        data_.resize(static_cast<size_t>(std::max(0L, std::ftell(file))));
        std::fseek(file, 0, SEEK_SET);
        const bool read = std::fread(data_.data(), 1, data_.size(), file) == data_.size();
        std::fclose(file);
        return read && stbtt_InitFont(&info_, data_.data(), 0) != 0;
    }

    // Width in pixels of `text` at `pixelHeight`, with `tracking` extra pixels per letter.
    float Measure(const std::string& text, float pixelHeight, float tracking) const
    {
        const float scale = stbtt_ScaleForPixelHeight(&info_, pixelHeight);
        float width = 0;
        for (size_t i = 0; i < text.size(); ++i)
        {
            int advance = 0, bearing = 0;
            stbtt_GetCodepointHMetrics(&info_, text[i], &advance, &bearing);
            width += advance * scale + tracking;
            if (i + 1 < text.size())
                width += scale * stbtt_GetCodepointKernAdvance(&info_, text[i], text[i + 1]);
        }
        return width - tracking;
    }

    // Draws `text` with its baseline at y, starting at x; `paint` colours each pixel.
    void Draw(Picture& picture, const std::string& text, float x, float baseline, float pixelHeight,
              float tracking, const Picture::Paint& paint) const
    {
        const float scale = stbtt_ScaleForPixelHeight(&info_, pixelHeight);
        for (size_t i = 0; i < text.size(); ++i)
        {
            const float shift = x - std::floor(x);
            int w = 0, h = 0, left = 0, top = 0;
            unsigned char* glyph = stbtt_GetCodepointBitmapSubpixel(&info_, scale, scale, shift, 0,
                                                                    text[i], &w, &h, &left, &top);
            const int originX = static_cast<int>(std::floor(x)) + left;
            const int originY = static_cast<int>(std::lround(baseline)) + top;
            for (int gy = 0; gy < h; ++gy)
                for (int gx = 0; gx < w; ++gx)
                    if (const unsigned char coverage = glyph[gy * w + gx])
                        picture.Over(originX + gx, originY + gy,
                                     paint(originX + gx + 0.5f, originY + gy + 0.5f),
                                     coverage / 255.0f);
            stbtt_FreeBitmap(glyph, nullptr);
            int advance = 0, bearing = 0;
            stbtt_GetCodepointHMetrics(&info_, text[i], &advance, &bearing);
            x += advance * scale + tracking;
            if (i + 1 < text.size())
                x += scale * stbtt_GetCodepointKernAdvance(&info_, text[i], text[i + 1]);
        }
    }

  private:
    std::vector<unsigned char> data_;
    stbtt_fontinfo info_{};
};

void DrawWordmark(Picture& picture, const Font& bold, const Font& regular)
{
    constexpr float kLeft = 228, kRight = 598, kBaseline = 136;
    const std::string first = "Orvane", second = "Core";
    // The largest size up to 62 pixels at which the wordmark fits between the margins.
    float size = 62;
    const auto width = [&](float s)
    { return bold.Measure(first, s, -0.5f) + 0.28f * s + bold.Measure(second, s, -0.5f); };
    while (size > 20 && width(size) > kRight - kLeft)
        size -= 1;

    const float secondX = kLeft + bold.Measure(first, size, -0.5f) + 0.28f * size;
    // A faint shadow under the letters, then the letters.
    const Picture::Paint shadow = [](float, float) { return Colour{0, 0, 0.05f, 0.55f}; };
    bold.Draw(picture, first, kLeft + 1.5f, kBaseline + 2.5f, size, -0.5f, shadow);
    bold.Draw(picture, second, secondX + 1.5f, kBaseline + 2.5f, size, -0.5f, shadow);
    bold.Draw(picture, first, kLeft, kBaseline, size, -0.5f,
              [](float, float y) {
                  return Mix(Colour{1, 1, 1, 1}, Colour{0.80f, 0.86f, 0.95f, 1}, (y - 90) / 50);
              });
    bold.Draw(picture, second, secondX, kBaseline, size, -0.5f,
              [=](float x, float) {
                  return Mix(kAccent, Colour{0.45f, 0.60f, 1.0f, 1}, (x - secondX) / (2.2f * size));
              });

    // An accent rule and the tagline under the wordmark.
    const float ruleRight = kLeft + width(size);
    picture.Fill([=](float x, float y)
                 { return x >= kLeft && x <= ruleRight && y >= 156 && y <= 158; },
                 [=](float x, float)
                 {
                     const float t = (x - kLeft) / (ruleRight - kLeft);
                     Colour c = Mix(kAccent, kAccentDeep, t);
                     c.a = 0.9f * (1 - SmoothStep(0.55f, 1.0f, t));
                     return c;
                 });
    const std::string tagline = "APPLICATION FRAMEWORK";
    regular.Draw(picture, tagline, kLeft + 1, 190, 17, 3.2f,
                 [](float, float) {
                     return Colour{0.66f, 0.74f, 0.88f, 0.95f};
                 });
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        std::fprintf(stderr, "usage: splash_art <output.png> [bold.ttf] [regular.ttf]\n");
        return 2;
    }
    const char* boldPath =
        argc > 2 ? argv[2] : "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
    const char* regularPath =
        argc > 3 ? argv[3] : "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    Font bold, regular;
    if (!bold.Load(boldPath) || !regular.Load(regularPath))
    {
        std::fprintf(stderr, "splash_art: cannot read the fonts %s and %s\n", boldPath,
                     regularPath);
        return 1;
    }

    Picture picture;
    DrawPanel(picture);
    DrawEmblem(picture, 122, 126);
    DrawWordmark(picture, bold, regular);
    if (!picture.Save(argv[1]))
    {
        std::fprintf(stderr, "splash_art: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

// Draws Tarnvale's sprites and ground tiles as PNG files: the player seen from above, the two
// cars and three seamless ground tiles. Run it, then convert each PNG with ovtool into
// game/data/*.ovt (scripts/make-game-art.sh does both).
//
// Everything is drawn in a local frame whose forward direction is +x, with 4x4 supersampling
// for smooth edges, then turned into the facing the game needs (see docs/game.md).
//
// Usage: tarnvale_art <output folder>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace
{

struct Colour
{
    float r, g, b, a = 1.0f;
};

Colour Shade(Colour c, float factor)
{
    return {std::min(1.0f, c.r * factor), std::min(1.0f, c.g * factor),
            std::min(1.0f, c.b * factor), c.a};
}

// A picture of premultiplied-free RGBA floats with "over" compositing of shapes given as
// inside tests in local coordinates (pixel units, origin at the picture's centre).
class Picture
{
  public:
    Picture(int width, int height)
        : width_(width), height_(height), pixels_(width * height, Colour{0, 0, 0, 0})
    {
    }

    int Width() const { return width_; }
    int Height() const { return height_; }

    using Inside = std::function<bool(float, float)>;

    void Fill(const Inside& inside, Colour colour)
    {
        constexpr int kSamples = 4;
        for (int py = 0; py < height_; ++py)
            for (int px = 0; px < width_; ++px)
            {
                int hits = 0;
                for (int sy = 0; sy < kSamples; ++sy)
                    for (int sx = 0; sx < kSamples; ++sx)
                    {
                        float x = px + (sx + 0.5f) / kSamples - width_ / 2.0f;
                        float y = py + (sy + 0.5f) / kSamples - height_ / 2.0f;
                        hits += inside(x, y) ? 1 : 0;
                    }
                if (hits)
                    Blend(pixels_[py * width_ + px], colour,
                          colour.a * hits / float(kSamples * kSamples));
            }
    }

    Colour& At(int x, int y) { return pixels_[y * width_ + x]; }

    // Turns the picture a quarter turn clockwise (as seen with rows going down).
    Picture QuarterTurn() const
    {
        Picture turned(height_, width_);
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                turned.pixels_[x * turned.width_ + (height_ - 1 - y)] = pixels_[y * width_ + x];
        return turned;
    }

    bool SavePng(const std::string& path) const
    {
        std::vector<uint8_t> bytes(pixels_.size() * 4);
        for (size_t i = 0; i < pixels_.size(); ++i)
        {
            const Colour& c = pixels_[i];
            bytes[i * 4 + 0] = ToByte(c.r);
            bytes[i * 4 + 1] = ToByte(c.g);
            bytes[i * 4 + 2] = ToByte(c.b);
            bytes[i * 4 + 3] = ToByte(c.a);
        }
        return stbi_write_png(path.c_str(), width_, height_, 4, bytes.data(), width_ * 4) != 0;
    }

  private:
    static uint8_t ToByte(float v) { return uint8_t(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f); }

    static void Blend(Colour& under, Colour over, float alpha)
    {
        float outA = alpha + under.a * (1 - alpha);
        if (outA <= 0)
            return;
        auto mix = [&](float o, float u) { return (o * alpha + u * under.a * (1 - alpha)) / outA; };
        under = {mix(over.r, under.r), mix(over.g, under.g), mix(over.b, under.b), outA};
    }

    int width_, height_;
    std::vector<Colour> pixels_;
};

// ---- shapes (inside tests) ------------------------------------------------------------------

Picture::Inside RoundedBox(float cx, float cy, float halfW, float halfH, float radius)
{
    return [=](float x, float y)
    {
        float dx = std::max(std::fabs(x - cx) - (halfW - radius), 0.0f);
        float dy = std::max(std::fabs(y - cy) - (halfH - radius), 0.0f);
        return dx * dx + dy * dy <= radius * radius;
    };
}

Picture::Inside Ellipse(float cx, float cy, float rx, float ry)
{
    return [=](float x, float y)
    {
        float u = (x - cx) / rx, v = (y - cy) / ry;
        return u * u + v * v <= 1.0f;
    };
}

// A box whose half height changes linearly from `halfHBack` at x = back to `halfHFront` at
// x = front, with rounded corners: windscreens and rear windows.
Picture::Inside Trapezoid(float back, float front, float halfHBack, float halfHFront, float radius)
{
    auto box = RoundedBox((back + front) / 2, 0, (front - back) / 2,
                          std::max(halfHBack, halfHFront), radius);
    return [=](float x, float y)
    {
        float t = std::clamp((x - back) / (front - back), 0.0f, 1.0f);
        float halfH = halfHBack + (halfHFront - halfHBack) * t;
        return box(x, y) && std::fabs(y) <= halfH;
    };
}

Picture::Inside Mirrored(Picture::Inside shape)
{
    return [=](float x, float y) { return shape(x, y) || shape(x, -y); };
}

// ---- the player -----------------------------------------------------------------------------

Picture DrawPlayer()
{
    Picture p(32, 32);
    const Colour shadow{0, 0, 0, 0.25f}, shirt{0.80f, 0.22f, 0.18f}, skin{0.93f, 0.74f, 0.60f},
        hair{0.30f, 0.19f, 0.10f}, trousers{0.20f, 0.25f, 0.42f};
    p.Fill(Ellipse(1, 1, 7.5f, 12.5f), shadow);
    // Feet peeking out in front, then the arms, the shoulders and the head.
    p.Fill(Mirrored(Ellipse(4.5f, 4.0f, 3.5f, 2.2f)), trousers);
    p.Fill(Mirrored(Ellipse(2.5f, 9.5f, 5.0f, 2.6f)), Shade(shirt, 0.85f));
    p.Fill(Mirrored(Ellipse(7.0f, 9.8f, 1.9f, 1.9f)), skin);
    p.Fill(Ellipse(0, 0, 6.5f, 11.0f), shirt);
    p.Fill(Ellipse(-1.0f, 0, 4.5f, 8.5f), Shade(shirt, 1.12f));
    p.Fill(Ellipse(0.5f, 0, 5.2f, 5.0f), hair);
    p.Fill(Ellipse(2.6f, 0, 3.0f, 3.6f), skin);
    p.Fill(Ellipse(5.4f, 0, 1.1f, 0.9f), Shade(skin, 0.9f));
    return p;
}

// ---- the cars -------------------------------------------------------------------------------

struct CarShape
{
    float length, width; // body, pixels
    float corner;        // body corner radius
    Colour paint;
    float hoodEnd; // x of the windscreen's lower edge (front of the cabin)
    float roofFront, roofBack;
    float rearWindowEnd; // x where the rear window meets the boot
    float wheelBase;     // distance between the axles
    float wheelLength, wheelWidth;
    bool rearEngine; // vents on the tail instead of a boot lid
};

Picture DrawCar(const CarShape& car)
{
    const int w = int(car.length) + 8, h = int(car.width) + 8;
    Picture p(w, h);
    const float halfL = car.length / 2, halfW = car.width / 2;
    const Colour tyre{0.08f, 0.08f, 0.09f}, glass{0.16f, 0.24f, 0.34f},
        glassShine{0.55f, 0.68f, 0.80f, 0.7f}, light{1.0f, 0.96f, 0.78f}, tail{0.85f, 0.08f, 0.08f},
        chrome{0.75f, 0.76f, 0.78f}, grille{0.10f, 0.10f, 0.11f};

    p.Fill(RoundedBox(1.5f, 1.5f, halfL, halfW + 0.5f, car.corner), {0, 0, 0, 0.3f});
    for (float axle : {car.wheelBase / 2, -car.wheelBase / 2})
        p.Fill(
            Mirrored(RoundedBox(axle, halfW - 0.6f, car.wheelLength / 2, car.wheelWidth / 2, 1.2f)),
            tyre);
    p.Fill(RoundedBox(0, 0, halfL, halfW, car.corner), car.paint);
    // Shoulder lines: darker flanks give the body its volume from above.
    p.Fill(Mirrored(RoundedBox(0, halfW - 1.2f, halfL - car.corner * 0.6f, 1.2f, 1.0f)),
           Shade(car.paint, 0.72f));
    // Cabin: windscreen, roof, rear window, side windows.
    p.Fill(Trapezoid(car.roofFront, car.hoodEnd, halfW - 2.6f, halfW - 3.6f, 1.5f), glass);
    p.Fill(Trapezoid(car.rearWindowEnd, car.roofBack, halfW - 3.4f, halfW - 2.8f, 1.5f), glass);
    p.Fill(Mirrored(RoundedBox((car.roofFront + car.roofBack) / 2, halfW - 2.1f,
                               (car.roofFront - car.roofBack) / 2 + 1.0f, 1.1f, 0.5f)),
           glass);
    // Door pillar: the saloon has four side windows a side, the two-door two.
    if (!car.rearEngine)
        p.Fill(Mirrored(
                   RoundedBox((car.roofFront + car.roofBack) / 2, halfW - 2.1f, 0.7f, 1.3f, 0.2f)),
               Shade(car.paint, 0.8f));
    p.Fill(RoundedBox((car.roofFront + car.roofBack) / 2, 0, (car.roofFront - car.roofBack) / 2,
                      halfW - 3.2f, 2.5f),
           Shade(car.paint, 1.08f));
    p.Fill(Trapezoid(car.roofFront + 1.0f, car.hoodEnd - 1.5f, 1.0f, 2.5f, 0.5f), glassShine);
    // Mirrors, lights, bumpers.
    p.Fill(Mirrored(Ellipse(car.roofFront + 1.5f, halfW + 0.6f, 1.4f, 1.3f)),
           Shade(car.paint, 0.8f));
    // The front: headlights wide apart (a grille between them on the front-engined car).
    if (!car.rearEngine)
        p.Fill(RoundedBox(halfL - 1.0f, 0, 1.0f, halfW - 6.5f, 0.5f), grille);
    p.Fill(Mirrored(Ellipse(halfL - 1.5f, halfW - 3.4f, 1.6f, 2.8f)), light);
    p.Fill(Mirrored(RoundedBox(-halfL + 1.0f, halfW - 3.0f, 1.0f, 2.2f, 0.6f)), tail);
    p.Fill(RoundedBox(halfL - 0.5f, 0, 0.6f, halfW - 5.0f, 0.4f), chrome);
    p.Fill(RoundedBox(-halfL + 0.5f, 0, 0.6f, halfW - 5.0f, 0.4f), Shade(chrome, 0.7f));
    if (car.rearEngine)
        for (float y = -3.0f; y <= 3.0f; y += 2.0f)
            p.Fill(RoundedBox(-halfL + 4.0f, y, 2.0f, 0.45f, 0.3f), Shade(car.paint, 0.55f));
    else // a bonnet crease on the long car
        p.Fill(Mirrored(RoundedBox((halfL + car.hoodEnd) / 2, 3.0f, (halfL - car.hoodEnd) / 2 - 2,
                                   0.35f, 0.3f)),
               Shade(car.paint, 0.85f));
    return p;
}

// The long, sleek saloon: low flat cabin set back, long bonnet, silver-blue paint.
Picture DrawAudiA4()
{
    return DrawCar({.length = 66,
                    .width = 26,
                    .corner = 5.5f,
                    .paint = {0.32f, 0.42f, 0.62f},
                    .hoodEnd = 13,
                    .roofFront = 7,
                    .roofBack = -12,
                    .rearWindowEnd = -18,
                    .wheelBase = 40,
                    .wheelLength = 10,
                    .wheelWidth = 4,
                    .rearEngine = false});
}

// The small, round two-door: short body, tall round cabin, engine at the back.
Picture DrawFiat126p()
{
    return DrawCar({.length = 43,
                    .width = 20,
                    .corner = 7.5f,
                    .paint = {0.90f, 0.72f, 0.12f},
                    .hoodEnd = 9,
                    .roofFront = 5,
                    .roofBack = -8,
                    .rearWindowEnd = -12,
                    .wheelBase = 27,
                    .wheelLength = 7,
                    .wheelWidth = 3.5f,
                    .rearEngine = true});
}

// ---- seamless ground tiles ------------------------------------------------------------------

// Value noise that repeats every `period` cells, so tiles join without seams.
float PeriodicNoise(float x, float y, int period, uint32_t seed)
{
    auto lattice = [&](int ix, int iy)
    {
        uint32_t h = uint32_t((ix % period + period) % period) * 73856093u ^
                     uint32_t((iy % period + period) % period) * 19349663u ^ seed * 83492791u;
        h ^= h >> 13;
        h *= 0x5bd1e995u;
        h ^= h >> 15;
        return (h & 0xffff) / 65535.0f;
    };
    int ix = int(std::floor(x)), iy = int(std::floor(y));
    float fx = x - ix, fy = y - iy;
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    float top = lattice(ix, iy) + (lattice(ix + 1, iy) - lattice(ix, iy)) * fx;
    float bottom = lattice(ix, iy + 1) + (lattice(ix + 1, iy + 1) - lattice(ix, iy + 1)) * fx;
    return top + (bottom - top) * fy;
}

// Sum of octaves of periodic noise over a `size`-pixel tile, in 0..1.
float TileNoise(int px, int py, int size, int baseCells, uint32_t seed)
{
    float sum = 0, weight = 0, amplitude = 1;
    for (int cells = baseCells; cells <= size; cells *= 2, amplitude *= 0.55f)
    {
        float scale = float(cells) / size;
        sum += amplitude * PeriodicNoise(px * scale, py * scale, cells, seed + cells);
        weight += amplitude;
    }
    return sum / weight;
}

Picture DrawTile(Colour base, Colour dark, Colour light, int baseCells, float speckle,
                 uint32_t seed)
{
    constexpr int kSize = 64;
    Picture p(kSize, kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
        {
            float n = TileNoise(x, y, kSize, baseCells, seed);
            float grain = PeriodicNoise(float(x), float(y), kSize, seed * 7 + 1);
            Colour c = n < 0.5f ? Colour{dark.r + (base.r - dark.r) * n * 2,
                                         dark.g + (base.g - dark.g) * n * 2,
                                         dark.b + (base.b - dark.b) * n * 2}
                                : Colour{base.r + (light.r - base.r) * (n - 0.5f) * 2,
                                         base.g + (light.g - base.g) * (n - 0.5f) * 2,
                                         base.b + (light.b - base.b) * (n - 0.5f) * 2};
            p.At(x, y) = Shade(c, 1.0f + (grain - 0.5f) * speckle);
        }
    return p;
}

// Grass: mottled green with short darker and lighter blades that wrap round the edges.
Picture DrawGrass()
{
    Picture p =
        DrawTile({0.30f, 0.55f, 0.20f}, {0.18f, 0.40f, 0.13f}, {0.45f, 0.68f, 0.28f}, 4, 0.35f, 11);
    uint32_t state = 12345;
    auto next = [&] { return (state = state * 1664525u + 1013904223u) >> 8; };
    for (int blade = 0; blade < 140; ++blade)
    {
        int x = next() % 64, y = next() % 64, length = 2 + next() % 3;
        float tone = (next() % 2) ? 0.75f : 1.25f;
        for (int i = 0; i < length; ++i)
        {
            Colour& c = p.At((x + i / 2) % 64, (y + 64 - i) % 64);
            c = Shade(c, tone);
        }
    }
    return p;
}

Picture DrawSand()
{
    return DrawTile({0.86f, 0.76f, 0.54f}, {0.74f, 0.63f, 0.42f}, {0.93f, 0.86f, 0.66f}, 4, 0.25f,
                    23);
}

Picture DrawAsphalt()
{
    return DrawTile({0.27f, 0.27f, 0.29f}, {0.20f, 0.20f, 0.22f}, {0.34f, 0.34f, 0.35f}, 8, 0.6f,
                    37);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    // The player walks along its sprite's +x; the cars drive along their sprite's +y, since the
    // game turns car sprites 90 degrees from the direction of travel.
    const std::array<std::pair<const char*, Picture>, 6> pictures{{
        {"gracz", DrawPlayer()},
        {"audi_a4", DrawAudiA4().QuarterTurn()},
        {"fiat_126p", DrawFiat126p().QuarterTurn()},
        {"trawa", DrawGrass()},
        {"piach", DrawSand()},
        {"asfalt", DrawAsphalt()},
    }};
    for (const auto& [name, picture] : pictures)
    {
        std::string path = folder + "/" + name + ".png";
        if (!picture.SavePng(path))
        {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("wrote %s (%dx%d)\n", path.c_str(), picture.Width(), picture.Height());
    }
    return 0;
}

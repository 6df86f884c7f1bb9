// A test fixture with a real window and render target (Xvfb + Mesa) and pixel read-back
// through the engine's own OvTextureFromRender and OvTextureLock.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "orvane_core.h"
#include "platform/win32.h"

namespace enginetest
{

using Rgba = std::array<int, 4>;

// Opens a width x height window whose render target is active, with an orthographic camera
// over it (y down) and the display set-up the framework makes.
class GlTest : public ::testing::Test
{
  protected:
    static constexpr int kWidth = 64;
    static constexpr int kHeight = 48;

    void SetUp() override;
    void TearDown() override;

    HWND OpenWindow(const char* className, int width, int height);
    void CloseWindow(HWND hwnd, const char* className);

    // Pixels of a region, rows bottom to top (as OpenGL counts them).
    std::vector<uint8_t> ReadRegion(int x, int y, int width, int height);
    // One pixel at (x, y) with y from the top, as the camera's world coordinates.
    Rgba PixelAt(int x, int yFromTop);
    uint64_t DrawCalls();

    HWND window_ = nullptr;
    OvHandle target_{1, nullptr};
};

// A quad in the 60-byte vertex layout, corners clockwise from the top-left.
struct Vertex
{
    float s, t, r, q;
    float red, green, blue, alpha;
    float nx, ny, nz;
    float x, y, z, w;
};

std::array<Vertex, 4> Quad(float x, float y, float width, float height,
                           std::array<float, 4> colour);

testing::AssertionResult NearColour(const Rgba& actual, const Rgba& expected, int tolerance = 2);

} // namespace enginetest

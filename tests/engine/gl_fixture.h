// A test fixture with a real window and render target (Xvfb + Mesa), made with the engine and
// the platform only; pixels are read back through the shared test support.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "support/image.h"

#include "orvane_core.h"
#include "platform/win32.h"

namespace enginetest
{

using OvTest::Rgba;

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

    // The pixels of a region counted from the bottom-left, row 0 on top.
    OvTest::Image ReadRegion(int x, int y, int width, int height);
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

// Every channel, alpha included, within `tolerance`.
testing::AssertionResult NearColour(const Rgba& actual, const Rgba& expected, int tolerance = 2);

} // namespace enginetest

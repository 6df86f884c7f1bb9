// The CPU matrix stacks, the camera Build functions and the vector helpers against matrices
// and values worked out by hand. No window needed.
#include <array>
#include <cmath>

#include <gtest/gtest.h>

#include "orvane_core.h"

namespace
{

using Matrix = std::array<double, 16>;

// Column-major: element (row, column) is m[column * 4 + row].
Matrix Rows(std::array<std::array<double, 4>, 4> rows)
{
    Matrix m{};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            m[c * 4 + r] = rows[r][c];
    return m;
}

void ExpectMatrix(const Matrix& actual, const Matrix& expected)
{
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-9) << "element " << i;
}

Matrix Saved(int mode)
{
    Matrix m{};
    OvMatrixSave(mode, m.data());
    return m;
}

class MatrixTest : public ::testing::Test
{
  protected:
    void SetUp() override { OvInitiation(); }
    void TearDown() override { OvClosure(); }
};

} // namespace

TEST_F(MatrixTest, TransformsMultiplyOnTheRightLikeTheFixedFunctionCalls)
{
    OvMatrixMode(265);
    OvMatrixIdentity();
    OvMatrixTranslate(10, 20, 0);
    OvMatrixRotate(90, 0, 0, 1);
    OvMatrixScale(2, 3, 1);
    // T * Rz(90) * S: x' = 10 - 3y, y' = 20 + 2x.
    ExpectMatrix(Saved(265), Rows({{{0, -3, 0, 10}, {2, 0, 0, 20}, {0, 0, 1, 0}, {0, 0, 0, 1}}}));

    // A rotation about a general axis: 120 degrees about (1, 1, 1) cycles x -> y -> z.
    OvMatrixIdentity();
    OvMatrixRotate(120, 1, 1, 1);
    ExpectMatrix(Saved(265), Rows({{{0, 0, 1, 0}, {1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 0, 1}}}));
    // Rotations about -Z turn the other way; a zero axis changes nothing.
    OvMatrixIdentity();
    OvMatrixRotate(90, 0, 0, -1);
    OvMatrixRotate(45, 0, 0, 0);
    ExpectMatrix(Saved(265), Rows({{{0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}}));
}

TEST_F(MatrixTest, PushPopModesLoadAndSave)
{
    OvMatrixMode(265);
    OvMatrixIdentity();
    OvMatrixTranslate(1, 2, 3);
    OvMatrixPush();
    OvMatrixScale(5, 5, 5);
    OvMatrixPop();
    ExpectMatrix(Saved(265), Rows({{{1, 0, 0, 1}, {0, 1, 0, 2}, {0, 0, 1, 3}, {0, 0, 0, 1}}}));
    OvMatrixPop(); // the last matrix stays
    OvMatrixPop();
    ExpectMatrix(Saved(265), Rows({{{1, 0, 0, 1}, {0, 1, 0, 2}, {0, 0, 1, 3}, {0, 0, 0, 1}}}));

    // Projection and model-view are separate stacks; an unknown mode is ignored.
    Matrix loaded{};
    for (int i = 0; i < 16; ++i)
        loaded[i] = i + 1;
    OvMatrixMode(264);
    OvMatrixLoad(loaded.data());
    OvMatrixMode(999);
    OvMatrixIdentity(); // still on the projection stack
    ExpectMatrix(Saved(264), Rows({{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}}));
    OvMatrixLoad(loaded.data());
    ExpectMatrix(Saved(264), loaded);
    ExpectMatrix(Saved(265), Rows({{{1, 0, 0, 1}, {0, 1, 0, 2}, {0, 0, 1, 3}, {0, 0, 0, 1}}}));
    OvMatrixLoad(nullptr);
    OvMatrixSave(264, nullptr);
    Matrix untouched{};
    OvMatrixSave(7, untouched.data());
    ExpectMatrix(untouched, Matrix{});
    OvMatrixMode(265);
}

TEST_F(MatrixTest, PushesPastTheDepthLimitStayBalancedWithTheirPops)
{
    OvMatrixMode(265);
    OvMatrixIdentity();
    OvMatrixPush(); // the caller's own level
    OvMatrixTranslate(5, 0, 0);
    for (int i = 0; i < 1000; ++i) // nested far past the limit of 256
    {
        OvMatrixPush();
        OvMatrixTranslate(1, 0, 0);
    }
    for (int i = 0; i < 1000; ++i)
        OvMatrixPop();
    EXPECT_NEAR(Saved(265)[12], 5, 1e-9); // the refused pushes' pops left the caller alone
    OvMatrixPop();
    EXPECT_NEAR(Saved(265)[12], 0, 1e-9);
}

TEST_F(MatrixTest, OrthographicCameraMatrices)
{
    // 800 x 600 world from (100, 50), y down: x 100 -> -1, 900 -> 1; y 50 -> 1, 650 -> -1.
    Matrix full{}, lens{};
    OvCameraOrthoBuild(100, 50, 800, 600, 0, full.data());
    ExpectMatrix(full, Rows({{{2.0 / 800, 0, 0, -1.25},
                              {0, -2.0 / 600, 0, 1 + 100.0 / 600},
                              {0, 0, -1, 0},
                              {0, 0, 0, 1}}}));
    OvCameraOrthoBuildHalf(100, 50, 800, 600, 0, lens.data());
    ExpectMatrix(
        lens, Rows({{{2.0 / 800, 0, 0, 0}, {0, -2.0 / 600, 0, 0}, {0, 0, -1, 0}, {0, 0, 0, 1}}}));

    // Turned by 90 degrees about the centre (0, 0) of a 2 x 2 rectangle: the world point
    // (0, -1), straight "above" the centre before, now lies at the right edge.
    OvCameraOrthoBuild(-1, -1, 2, 2, 90, full.data());
    const double x = full[0] * 0 + full[4] * -1 + full[12];
    const double y = full[1] * 0 + full[5] * -1 + full[13];
    EXPECT_NEAR(x, -1, 1e-9);
    EXPECT_NEAR(y, 0, 1e-9);

    // The applied camera is the Build result.
    OvCameraOrtho(100, 50, 800, 600, 0);
    OvCameraOrthoBuild(100, 50, 800, 600, 0, full.data());
    ExpectMatrix(Saved(264), full);
}

TEST_F(MatrixTest, PerspectiveCameraMatrices)
{
    // Without a render target: fov as given, aspect 1, near 1, far 10000.
    Matrix lens{}, full{};
    OvCameraPerspectiveBuildHalf(0, 0, 0, 90, 0, 0, 0, 1, 0, lens.data());
    const double n = 1, f = 10000;
    ExpectMatrix(lens, Rows({{{1, 0, 0, 0},
                              {0, 1, 0, 0},
                              {0, 0, (f + n) / (n - f), 2 * f * n / (n - f)},
                              {0, 0, -1, 0}}}));
    // y-down flips the second row.
    OvCameraPerspectiveBuildHalf(0, 0, 0, 90, 0, 0, 0, 1, 1, lens.data());
    EXPECT_NEAR(lens[5], -1, 1e-12);

    // An eye at (0, 0, 10) looking down -Z: the origin lands in the centre at depth 10.
    OvCameraPerspectiveBuild(0, 0, 0, 90, 0, 0, 10, 1, 0, full.data());
    // The point (0, 0, 0, 1) maps to the last column: eye-space z is -10, so clip w is 10.
    EXPECT_NEAR(full[12], 0, 1e-12);
    EXPECT_NEAR(full[13], 0, 1e-12);
    EXPECT_NEAR(full[14], ((f + n) / (n - f)) * -10 + 2 * f * n / (n - f), 1e-9);
    EXPECT_NEAR(full[15], 10, 1e-12);
    // Turned 90 degrees about Z, the camera's right is the world's +Y: (0, 1, 9) is right of
    // centre.
    OvCameraPerspectiveBuild(90, 0, 0, 90, 0, 0, 10, 1, 0, full.data());
    const double px = full[0] * 0 + full[4] * 1 + full[8] * 9 + full[12];
    const double pw = full[3] * 0 + full[7] * 1 + full[11] * 9 + full[15];
    EXPECT_NEAR(px / pw, 1, 1e-9);
}

TEST_F(MatrixTest, LengthdirAndDirectionAreInverse)
{
    double out[4] = {0, 0, 0, 1};
    OvLengthdir(0, 0, 0, 5, out);
    EXPECT_NEAR(out[0], 5, 1e-12);
    EXPECT_NEAR(out[1], 0, 1e-12);
    EXPECT_EQ(out[3], 1); // w untouched
    OvLengthdir(90, 0, 0, 2, out);
    EXPECT_NEAR(out[0], 0, 1e-12);
    EXPECT_NEAR(out[1], 2, 1e-12);
    OvLengthdir(0, 90, 33, 3, out);
    EXPECT_NEAR(out[2], 3, 1e-12);

    // Equal steps of angle walk round a circle.
    for (int step = 0; step < 8; ++step)
    {
        OvLengthdir(step * 45.0, 0, 0, 1, out);
        EXPECT_NEAR(std::hypot(out[0], out[1]), 1, 1e-12);
        double angles[4] = {0, 0, 0, 1};
        OvDirection(0, 0, 0, 1, out[0], out[1], out[2], 1, angles);
        EXPECT_NEAR(angles[0], step * 45.0, 1e-9);
    }
    double angles[4] = {0, 0, 0, 1};
    OvDirection(1, 1, 0, 1, 1, 0, 0, 1, angles); // straight towards -Y
    EXPECT_NEAR(angles[0], 270, 1e-9);
    OvDirection(0, 0, 0, 1, 1, 0, 1, 1, angles);
    EXPECT_NEAR(angles[1], 45, 1e-9);
    OvLengthdir(0, 0, 0, 1, nullptr); // refused, no crash
    OvDirection(0, 0, 0, 1, 1, 1, 1, 1, nullptr);
}

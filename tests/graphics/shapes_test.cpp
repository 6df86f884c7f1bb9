// 2D shapes on a real window, through both submission paths: the closed fan of a filled
// circle, outlines, rectangle offsets, the triangle's translation, and the colour reset.
#include "support/window_fixture.h"

#include "graphics/ov_shapes.h"

using namespace OvCore;
using namespace OvTest;

namespace
{

using ShapesTest = DrawingTest;

const OV_VECTOR GREEN_COLOUR(0, 1, 0, 1);

bool DrawColourIsWhite()
{
    const auto* colour = static_cast<const double*>(OvGetState(OV_STATE_DRAW_COLOUR));
    return colour[0] == 1 && colour[1] == 1 && colour[2] == 1 && colour[3] == 1;
}

OV_CIRCLE Circle(bool filled, int32_t segments)
{
    OV_CIRCLE circle;
    circle.radius = 20;
    circle.segments = segments;
    circle.filled = filled;
    circle.centerColor = GREEN_COLOUR;
    circle.rimColor = GREEN_COLOUR;
    return circle;
}

TEST_F(ShapesTest, AFilledCircleOfFourSegmentsClosesItsFanOnBothPaths)
{
    // Rim points (r, 0), (0, r), (-r, 0), (0, -r) and (r, 0) again: the last triangle, up
    // and to the right of the centre, exists only because the first rim point is repeated.
    for (const bool useArrays : {true, false})
    {
        const double x = useArrays ? 30 : 90;
        Circle(true, 4).Draw(OV_VECTOR(x, 40), 0, useArrays);
        EXPECT_TRUE(DrawColourIsWhite());
        for (const auto& [dx, dy] : {std::pair{8, -6}, {8, 6}, {-8, 6}, {-8, -6}})
            EXPECT_EQ(PixelAt(int32_t(x) + dx, 40 + dy), GREEN)
                << "arrays " << useArrays << " at " << dx << ", " << dy;
        EXPECT_EQ(PixelAt(int32_t(x) + 16, 40 - 16), BLACK); // outside the diamond
    }
}

TEST_F(ShapesTest, AnOutlinedCircleDrawsOnlyItsRimAndTurnsWithTheStartAngle)
{
    for (const bool useArrays : {true, false})
    {
        const int32_t x = useArrays ? 30 : 90;
        // Turned by 45 degrees, the four rim points make an upright square of half side
        // 20 / sqrt(2) ~ 14.1: its right edge runs down x + 14.
        Circle(false, 4).Draw(OV_VECTOR(x, 40), 45, useArrays);
        EXPECT_TRUE(DrawColourIsWhite());
        EXPECT_EQ(PixelAt(x, 40), BLACK) << "arrays " << useArrays;
        EXPECT_EQ(PixelAt(x + 14, 40), GREEN) << "arrays " << useArrays;
        EXPECT_EQ(PixelAt(x, 40 + 14), GREEN) << "arrays " << useArrays;
    }
}

TEST_F(ShapesTest, CirclesOfTooFewSegmentsDrawNothing)
{
    Circle(true, 2).Draw(OV_VECTOR(30, 40), 0, true);
    Circle(true, 0).Draw(OV_VECTOR(30, 40), 0, false);
    Circle(true, -5).Draw(OV_VECTOR(30, 40), 0, false);
    EXPECT_EQ(PixelAt(30, 40), BLACK);
}

TEST_F(ShapesTest, ARectangleIsOffsetByThePositionAndColouredPerCorner)
{
    OV_RECTANGLE rectangle;
    rectangle.filled = 1;
    rectangle.corner1 = OV_VECTOR(0, 0);
    rectangle.corner2 = OV_VECTOR(5, 5);
    for (OV_VECTOR& colour : rectangle.colors)
        colour = OV_VECTOR(1, 0, 0, 1);
    for (const bool useArrays : {true, false})
    {
        const int32_t x = useArrays ? 10 : 60;
        rectangle.Draw(OV_VECTOR(x, 20), useArrays);
        EXPECT_TRUE(DrawColourIsWhite());
        EXPECT_EQ(PixelAt(x, 20), RED) << "arrays " << useArrays;
        EXPECT_EQ(PixelAt(x + 4, 24), RED);
        EXPECT_EQ(PixelAt(x + 5, 22), BLACK);
        EXPECT_EQ(PixelAt(x + 2, 25), BLACK);
        EXPECT_EQ(PixelAt(x - 1, 22), BLACK);
    }

    // One colour per corner: a tall rectangle red on top (x1, y1), (x2, y1) and blue at the
    // bottom blends from one to the other.
    rectangle.corner2 = OV_VECTOR(8, 60);
    rectangle.colors[2] = rectangle.colors[3] = OV_VECTOR(0, 0, 1, 1);
    rectangle.Draw(OV_VECTOR(100, 10), false);
    EXPECT_TRUE(Near(PixelAt(104, 10), RED, 12)) << PixelAt(104, 10);
    EXPECT_TRUE(Near(PixelAt(104, 69), BLUE, 12)) << PixelAt(104, 69);
    EXPECT_TRUE(DrawColourIsWhite());
}

TEST_F(ShapesTest, ATriangleIsTranslatedByThePositionFilledOrOutlined)
{
    OV_TRIANGLE triangle;
    triangle.filled = 1;
    triangle.points[1] = OV_VECTOR(20, 0);
    triangle.points[2] = OV_VECTOR(0, 20);
    for (OV_VECTOR& colour : triangle.colors)
        colour = OV_VECTOR(0, 0, 1, 1);
    triangle.Draw(OV_VECTOR(60, 10));
    EXPECT_TRUE(DrawColourIsWhite());
    EXPECT_EQ(PixelAt(64, 14), BLUE);
    EXPECT_EQ(PixelAt(58, 14), BLACK);
    EXPECT_EQ(PixelAt(76, 26), BLACK); // beyond the long edge

    triangle.filled = 0;
    triangle.Draw(OV_VECTOR(10, 40));
    EXPECT_EQ(PixelAt(15, 40), BLUE);  // the top edge
    EXPECT_EQ(PixelAt(14, 44), BLACK); // inside
}

} // namespace

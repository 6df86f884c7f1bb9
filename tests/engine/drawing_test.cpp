// Drawing on a real window: where quads land under the camera and matrix stack, batching
// into single draw calls, blending, the OvDrawData layouts and immediate mode.
#include "gl_fixture.h"

using namespace enginetest;

namespace
{

const std::array<float, 4> kRed{1, 0, 0, 1};
const std::array<float, 4> kGreen{0, 1, 0, 1};

void DrawQuad(const std::array<Vertex, 4>& quad)
{
    OvDrawDataStruct(11, 0, 4, quad.data(), nullptr);
}

// A 1 x 1 texture of one colour.
OvHandle SolidTexture(uint8_t r, uint8_t g, uint8_t b)
{
    OvHandle texture{1, nullptr};
    const uint8_t pixel[4] = {r, g, b, 255};
    EXPECT_TRUE(OvTextureCreate(&texture));
    EXPECT_TRUE(OvTextureLoadRGBAFromMemory(texture, pixel, 1, 1));
    return texture;
}

} // namespace

TEST_F(GlTest, QuadsLandWhereTheMatrixStackPutsThem)
{
    // A 4 x 4 quad scaled by 2 and moved to (10, 8): it covers x 10-18, y 8-16.
    OvMatrixPush();
    OvMatrixIdentity();
    OvMatrixTranslate(10, 8, 0);
    OvMatrixRotate(0, 0, 0, 1);
    OvMatrixScale(2, 2, 1);
    DrawQuad(Quad(0, 0, 4, 4, kRed));
    OvMatrixPop();
    EXPECT_TRUE(NearColour(PixelAt(10, 8), {255, 0, 0, 255}));
    EXPECT_TRUE(NearColour(PixelAt(17, 15), {255, 0, 0, 255}));
    EXPECT_TRUE(NearColour(PixelAt(9, 8), {0, 0, 0, 255}));
    EXPECT_TRUE(NearColour(PixelAt(18, 12), {0, 0, 0, 255}));
    EXPECT_TRUE(NearColour(PixelAt(12, 16), {0, 0, 0, 255}));

    // Turned a quarter about its origin: a 10 x 2 bar at (40, 5) now runs down from there
    // and to the left (x' = 40 - y, y' = 5 + x).
    OvMatrixPush();
    OvMatrixIdentity();
    OvMatrixTranslate(40, 5, 0);
    OvMatrixRotate(90, 0, 0, 1);
    DrawQuad(Quad(0, 0, 10, 2, kGreen));
    OvMatrixPop();
    EXPECT_TRUE(NearColour(PixelAt(39, 13), {0, 255, 0, 255}));
    EXPECT_TRUE(NearColour(PixelAt(41, 13), {0, 0, 0, 255}));
    EXPECT_TRUE(NearColour(PixelAt(39, 16), {0, 0, 0, 255}));

    // A camera moved by (20, 0) shifts everything left by 20.
    OvRenderScene(2);
    OvCameraOrtho(20, 0, kWidth, kHeight, 0);
    DrawQuad(Quad(30, 30, 4, 4, kRed));
    EXPECT_TRUE(NearColour(PixelAt(11, 31), {255, 0, 0, 255}));
    EXPECT_TRUE(NearColour(PixelAt(31, 31), {0, 0, 0, 255}));
}

TEST_F(GlTest, SameStateQuadsBecomeOneDrawCallAndStateChangesSplitThem)
{
    const uint64_t before = DrawCalls();
    for (int i = 0; i < 200; ++i)
    {
        OvMatrixPush();
        OvMatrixIdentity();
        OvMatrixTranslate(i % 60, i / 60 * 5, 0); // model-view changes never flush
        DrawQuad(Quad(0, 0, 2, 2, {float(i % 2), 1, 1, 1}));
        OvMatrixPop();
    }
    EXPECT_EQ(DrawCalls() - before, 1u);

    // Alternating blend functions: every quad is its own batch.
    const uint64_t start = DrawCalls();
    for (int i = 0; i < 10; ++i)
    {
        OvSetState(155, 164, i % 2 ? 159 : 165);
        DrawQuad(Quad(0, 0, 2, 2, kRed));
    }
    OvSetState(155, 164, 165);
    EXPECT_EQ(DrawCalls() - start, 10u);

    // Setting a state to the value it has is not a change.
    const uint64_t again = DrawCalls();
    for (int i = 0; i < 10; ++i)
    {
        OvSetState(155, 164, 165);
        OvSetState(263, 1, 1, 1, 1);
        OvTextureUnactivate(58);
        DrawQuad(Quad(0, 0, 2, 2, kRed));
    }
    EXPECT_EQ(DrawCalls() - again, 1u);
    OvSetState(OV_STATE_DRAW_CALLS, 0);
    EXPECT_EQ(DrawCalls(), 0u);
}

TEST_F(GlTest, AFrameOfManyQuadsIsOneDrawCallAndKeepsEveryQuad)
{
    // More quads than the batch first holds: it grows, keeping what it had.
    const uint64_t before = DrawCalls();
    const int quads = 40000;
    for (int i = 0; i < quads; ++i)
    {
        const bool last = i == quads - 1;
        DrawQuad(Quad(last ? 6 : i % 4, last ? 6 : 0, 1, 1, last ? kGreen : kRed));
    }
    EXPECT_EQ(DrawCalls() - before, 1u);
    EXPECT_TRUE(NearColour(PixelAt(0, 0), {255, 0, 0, 255}));
    EXPECT_TRUE(NearColour(PixelAt(3, 0), {255, 0, 0, 255}));
    EXPECT_TRUE(NearColour(PixelAt(6, 6), {0, 255, 0, 255}));
}

TEST_F(GlTest, BatchesOffTheZeroPlaneOrWithManyColoursKeepThem)
{
    // One batch: a red quad moved to z 0.5 and a green one at z 0. Neither the 2D positions
    // nor the one-colour form may be used for it.
    OvMatrixPush();
    OvMatrixIdentity();
    OvMatrixTranslate(0, 0, 0.5);
    DrawQuad(Quad(0, 0, 4, 4, kRed));
    OvMatrixPop();
    DrawQuad(Quad(8, 0, 4, 4, kGreen));
    EXPECT_TRUE(NearColour(PixelAt(1, 1), {255, 0, 0, 255}));
    EXPECT_TRUE(NearColour(PixelAt(9, 1), {0, 255, 0, 255}));
    // Past the near plane (orthographic depth -1..1 looks down -z): clipped away.
    OvRenderScene(2);
    OvMatrixPush();
    OvMatrixIdentity();
    OvMatrixTranslate(0, 0, 2);
    DrawQuad(Quad(0, 0, 4, 4, kRed));
    OvMatrixPop();
    EXPECT_TRUE(NearColour(PixelAt(1, 1), {0, 0, 0, 255}));
}

TEST_F(GlTest, BlendFactorsAndEquations)
{
    OvSetState(262, 0, 0, 1, 1);
    OvRenderScene(2);
    DrawQuad(Quad(0, 0, 8, 8, {1, 0, 0, 0.5f})); // source alpha, one minus source alpha
    EXPECT_TRUE(NearColour(PixelAt(2, 2), {128, 0, 127, 255}));

    OvSetState(155, 159, 159); // additive
    DrawQuad(Quad(10, 0, 8, 8, {0, 1, 0, 1}));
    EXPECT_TRUE(NearColour(PixelAt(12, 2), {0, 255, 255, 255}));

    OvSetState(173, 176); // reverse subtract: destination - source
    DrawQuad(Quad(20, 0, 8, 8, {0, 0, 0.25f, 1}));
    EXPECT_TRUE(NearColour(PixelAt(22, 2), {0, 0, 191, 255}));

    OvSetState(154, 0); // blending off: the source replaces
    OvSetState(173, 174);
    DrawQuad(Quad(30, 0, 8, 8, {1, 0, 0, 0.5f}));
    EXPECT_TRUE(NearColour(PixelAt(32, 2), {255, 0, 0, 255}));
}

TEST_F(GlTest, ColourMaskAndScissorLimitDrawing)
{
    OvSetState(101, 0, 1, 0, 1); // green only
    DrawQuad(Quad(0, 0, 8, 8, {1, 1, 1, 1}));
    OvSetState(101, 1, 1, 1, 1);
    EXPECT_TRUE(NearColour(PixelAt(3, 3), {0, 255, 0, 255}));

    OvSetState(219, 20, kHeight - 10, 5, 5); // from the bottom-left: top rows 5-9
    OvSetState(220, 1);
    DrawQuad(Quad(10, 0, 30, 30, kRed));
    OvSetState(220, 0);
    EXPECT_TRUE(NearColour(PixelAt(22, 7), {255, 0, 0, 255}));
    EXPECT_TRUE(NearColour(PixelAt(15, 7), {0, 0, 0, 255}));
    EXPECT_TRUE(NearColour(PixelAt(22, 12), {0, 0, 0, 255}));
}

TEST_F(GlTest, DrawDataWithTheGuiWordsAndWithDoubles)
{
    // Four-float vectors for positions, colours and texture coordinates, as the GUI passes.
    const float positions[4][4] = {{2, 2, 0, 1}, {12, 2, 0, 1}, {12, 12, 0, 1}, {2, 12, 0, 1}};
    const float colours[4][4] = {{0, 0, 1, 1}, {0, 0, 1, 1}, {0, 0, 1, 1}, {0, 0, 1, 1}};
    const float coords[4][4] = {{0, 0, 0, 1}, {1, 0, 0, 1}, {1, 1, 0, 1}, {0, 1, 0, 1}};
    OvDrawData(11, 0, 4, positions, colours, coords, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0,
               0);
    EXPECT_TRUE(NearColour(PixelAt(5, 5), {0, 0, 255, 255}));
    // No colours: the drawing colour.
    OvSetState(263, 1, 1, 0, 1);
    OvMatrixPush();
    OvMatrixTranslate(20, 0, 0);
    OvDrawData(11, 0, 4, positions, nullptr, coords, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0,
               0);
    OvMatrixPop();
    EXPECT_TRUE(NearColour(PixelAt(25, 5), {255, 255, 0, 255}));
    OvSetState(263, 1, 1, 1, 1);

    // A filled triangle from double vectors.
    const double points[3][4] = {{2, 20, 0, 1}, {20, 20, 0, 1}, {2, 38, 0, 1}};
    const double red[3][4] = {{1, 0, 0, 1}, {1, 0, 0, 1}, {1, 0, 0, 1}};
    OvDrawData(8, 0, 3, points, red, nullptr, nullptr, nullptr, 0, OV_VALUE_DOUBLE);
    EXPECT_TRUE(NearColour(PixelAt(5, 24), {255, 0, 0, 255}));
    EXPECT_TRUE(NearColour(PixelAt(18, 36), {0, 0, 0, 255}));

    // Malformed layouts draw nothing.
    const uint64_t before = DrawCalls();
    OvDrawData(11, 0, 4, positions, colours, coords, 0, 0, 0, 7);                      // value type
    OvDrawData(11, 0, 4, positions, colours, coords, 0, 0, 0, 2, -4);                  // stride
    OvDrawData(11, 0, 4, positions, colours, coords, 0, 0, 0, 2, 0, 0, 0, 0, 9);       // size
    OvDrawData(99, 0, 4, positions, colours, coords, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 4); // mode
    OvDrawData(11, 0, 4, nullptr, colours, coords);
    OvDrawData(11, -1, 4, positions, colours, coords);
    EXPECT_EQ(DrawCalls(), before);
}

TEST_F(GlTest, ImmediateModeTakesTheLastCoordinateAndColour)
{
    OvPrimitiveBegin(11);
    const double corners[4][2] = {{30, 20}, {50, 20}, {50, 40}, {30, 40}};
    const double colours[4][4] = {{1, 0, 0, 1}, {1, 0, 0, 1}, {0, 0, 1, 1}, {0, 0, 1, 1}};
    for (int i = 0; i < 4; ++i)
    {
        OvPutTexvertex(0, 0, 0, 1);
        OvSetState(263, colours[i][0], colours[i][1], colours[i][2], colours[i][3]);
        OvPutVertex(corners[i][0], corners[i][1], 0, 1);
    }
    OvPrimitiveEnd();
    OvSetState(263, 1, 1, 1, 1);
    const Rgba top = PixelAt(40, 21), bottom = PixelAt(40, 38);
    EXPECT_GT(top.r, 200);
    EXPECT_LT(top.b, 50);
    EXPECT_GT(bottom.b, 200);

    // A fan of 4 segments (6 vertices) is a filled diamond; an outline touches only edges.
    OvPrimitiveBegin(10);
    const double fan[6][2] = {{10, 30}, {18, 30}, {10, 38}, {2, 30}, {10, 22}, {18, 30}};
    for (const auto& p : fan)
        OvPutVertex(p[0], p[1], 0, 1);
    OvPrimitiveEnd();
    EXPECT_TRUE(NearColour(PixelAt(10, 30), {255, 255, 255, 255}));
    EXPECT_TRUE(NearColour(PixelAt(3, 23), {0, 0, 0, 255}));

    // Vertices outside Begin / End are dropped.
    const uint64_t before = DrawCalls();
    OvPutVertex(0, 0, 0, 1);
    OvPrimitiveEnd();
    OvPrimitiveBegin(77);
    OvPutVertex(0, 0, 0, 1);
    OvPrimitiveEnd();
    EXPECT_EQ(DrawCalls(), before);
}

TEST_F(GlTest, PointsTakeTheirSizeAndColours)
{
    const float positions[2][4] = {{10.5f, 10.5f, 0, 1}, {30.5f, 20.5f, 0, 1}};
    const float colours[2][4] = {{0, 1, 0, 1}, {1, 0, 1, 1}};
    OvSetState(221, 5.0);
    OvDrawData(4, 0, 2, positions, colours, nullptr, nullptr, nullptr, 0, OV_VALUE_FLOAT);
    OvSetState(221, 1.0);
    EXPECT_TRUE(NearColour(PixelAt(10, 10), {0, 255, 0, 255}));
    EXPECT_TRUE(NearColour(PixelAt(12, 12), {0, 255, 0, 255}));
    EXPECT_TRUE(NearColour(PixelAt(14, 14), {0, 0, 0, 255}));
    EXPECT_TRUE(NearColour(PixelAt(30, 20), {255, 0, 255, 255}));
    EXPECT_EQ(*static_cast<const double*>(OvGetState(221)), 1.0);
    OvSetState(221, -3); // refused
    EXPECT_EQ(*static_cast<const double*>(OvGetState(221)), 1.0);
}

// Without a program of the caller's, quads of two textures and untextured ones share one
// draw call, each drawn with its own texture; a third texture starts a new batch.
TEST_F(GlTest, TwoTexturesShareABatchAndAThirdSplitsIt)
{
    const OvHandle red = SolidTexture(255, 0, 0), green = SolidTexture(0, 255, 0),
                   blue = SolidTexture(0, 0, 255);
    OvRenderScene(2);
    const uint64_t before = DrawCalls();
    const struct
    {
        const OvHandle* texture;
        float x;
    } quads[] = {{&red, 0}, {&green, 4}, {nullptr, 8}, {&red, 12}, {&green, 16}};
    for (const auto& quad : quads)
    {
        if (quad.texture)
            OvTextureActivate(*quad.texture);
        else
            OvTextureUnactivate(58);
        DrawQuad(Quad(quad.x, 0, 4, 4, {1, 1, 0, 1})); // untextured: the vertex colour
    }
    OvRenderScene(1);
    EXPECT_EQ(DrawCalls() - before, 1u);
    EXPECT_TRUE(NearColour(PixelAt(1, 1), Rgba{255, 0, 0, 255}));
    EXPECT_TRUE(NearColour(PixelAt(5, 1), Rgba{0, 255, 0, 255}));
    EXPECT_TRUE(NearColour(PixelAt(9, 1), Rgba{255, 255, 0, 255}));
    EXPECT_TRUE(NearColour(PixelAt(13, 1), Rgba{255, 0, 0, 255}));
    EXPECT_TRUE(NearColour(PixelAt(17, 1), Rgba{0, 255, 0, 255}));

    const uint64_t three = DrawCalls();
    for (const OvHandle* texture : {&red, &green, &blue, &red})
    {
        OvTextureActivate(*texture);
        DrawQuad(Quad(20, 0, 4, 4, {1, 1, 1, 1}));
    }
    OvRenderScene(1);
    EXPECT_EQ(DrawCalls() - three, 2u);
    EXPECT_TRUE(NearColour(PixelAt(21, 1), Rgba{255, 0, 0, 255})); // the last one drawn
    for (const OvHandle& texture : {red, green, blue})
        OvTextureDestroy(texture);
}

// Batches drawn by the engine's own programs from its streaming buffer: every layout a batch
// may take (one colour or a colour each, at z 0 or not, white or tinted) gives the fixed
// pipeline's modulated pixels, also when the buffer fills up and starts again within a frame.
#include "gl_fixture.h"

using namespace enginetest;

namespace
{

void DrawQuad(const std::array<Vertex, 4>& quad)
{
    OvDrawDataStruct(11, 0, 4, quad.data(), nullptr);
}

// Blending on and off draws opaque quads alike, but each switch ends the batch.
void EndBatch(bool& blending)
{
    blending = !blending;
    OvSetState(154, blending ? 1 : 0);
}

// More 1 x 1 quads (16 bytes a vertex, one colour) than the stream buffer first holds: it
// grows to hold them, and what follows starts it again.
void DrawFiller(float x, const std::array<float, 4>& colour, bool& blending)
{
    for (int i = 0; i < 60000; ++i)
        DrawQuad(Quad(x, 40, 1, 1, colour));
    EndBatch(blending);
}

} // namespace

TEST_F(GlTest, EveryBatchLayoutModulatesLikeTheFixedPipelineAcrossAFullStream)
{
    OvHandle texture{1, nullptr};
    const uint8_t pixel[4] = {200, 100, 40, 255};
    ASSERT_TRUE(OvTextureCreate(&texture));
    ASSERT_TRUE(OvTextureLoadRGBAFromMemory(texture, pixel, 1, 1));
    OvTextureActivate(texture);
    const uint64_t before = DrawCalls();
    bool blending = true;

    DrawFiller(60, {1, 1, 1, 1}, blending);
    DrawQuad(Quad(0, 0, 4, 4, {1, 1, 1, 1})); // white: the texture as it is
    EndBatch(blending);
    DrawQuad(Quad(4, 0, 4, 4, {0.5f, 1, 0.5f, 1})); // one tint for the batch
    DrawQuad(Quad(8, 0, 4, 4, {0.5f, 1, 0.5f, 1}));
    EndBatch(blending);
    DrawFiller(62, {0, 0, 1, 1}, blending);    // no longer fits: the stream starts again
    DrawQuad(Quad(12, 0, 4, 4, {1, 0, 0, 1})); // a colour each
    DrawQuad(Quad(16, 0, 4, 4, {0, 1, 1, 1}));
    EndBatch(blending);
    OvMatrixPush();
    OvMatrixIdentity();
    OvMatrixTranslate(0, 0, 0.25); // off the zero plane: 3D positions
    DrawQuad(Quad(20, 0, 4, 4, {1, 0.5f, 1, 1}));
    DrawQuad(Quad(24, 0, 4, 4, {0, 1, 0, 1}));
    OvMatrixPop();
    OvRenderScene(1);
    EXPECT_EQ(DrawCalls() - before, 6u);

    EXPECT_TRUE(NearColour(PixelAt(60, 40), {200, 100, 40, 255}));
    EXPECT_TRUE(NearColour(PixelAt(62, 40), {0, 0, 40, 255}));
    EXPECT_TRUE(NearColour(PixelAt(1, 1), {200, 100, 40, 255}));
    EXPECT_TRUE(NearColour(PixelAt(5, 1), {100, 100, 20, 255}));
    EXPECT_TRUE(NearColour(PixelAt(9, 1), {100, 100, 20, 255}));
    EXPECT_TRUE(NearColour(PixelAt(13, 1), {200, 0, 0, 255}));
    EXPECT_TRUE(NearColour(PixelAt(17, 1), {0, 100, 40, 255}));
    EXPECT_TRUE(NearColour(PixelAt(21, 1), {200, 50, 40, 255}));
    EXPECT_TRUE(NearColour(PixelAt(25, 1), {0, 100, 0, 255}));
    OvTextureDestroy(texture);
}

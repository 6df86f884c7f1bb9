// Sprites on a real window: frames from .ovt files and memory, frame and strip stepping,
// bounding-box defaults, the drawing transform, vertex colours, tiling, pixel access, and
// who owns the textures.
#include "support/ovt_images.h"
#include "support/window_fixture.h"

#include "app/ov_application.h"
#include "formats/byte_buffer.h"
#include "formats/package.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace OvCore;
using namespace OvTest;

namespace
{

class SpriteTest : public DrawingTest
{
  protected:
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
        DrawingTest::TearDown();
    }

    // Writes the image as an .ovt file in the test's temporary folder.
    std::string WriteOvt(const char* name, const Image& image)
    {
        std::filesystem::create_directories(folder);
        const std::string path = (folder / name).string();
        const std::vector<uint8_t> bytes = EncodeOvt(image);
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }

    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("ov-sprite-test-" + std::to_string(::getpid()));
};

int32_t TextureWidth(OvHandle texture)
{
    const auto* width = static_cast<const int32_t*>(OvTextureGet(texture, OV_TEXTURE_WIDTH));
    return width ? *width : -1;
}

TEST_F(SpriteTest, FileListGivesOneFramePerLoadablePathInOrder)
{
    const std::string first = WriteOvt("first.ovt", Image(4, 2, RED));
    const std::string second = WriteOvt("second.ovt", Image(8, 6, GREEN));
    const std::string list = first + ";" + (folder / "missing.ovt").string() + ";" + second;

    OV_SPRITE sprite;
    ASSERT_TRUE(sprite.LoadFromFiles(list.c_str(), 1, OV_FILTER_NEAREST, OV_FILTER_NEAREST, 0, 0,
                                     -1, -1, 0, 0));
    ASSERT_EQ(sprite.FrameCount(), 2);
    EXPECT_EQ(TextureWidth(sprite.frames[0]), 4);
    EXPECT_EQ(TextureWidth(sprite.frames[1]), 8);
    EXPECT_EQ(sprite.width, 8); // the largest frame
    EXPECT_EQ(sprite.height, 6);
    EXPECT_EQ(sprite.loaded, 1);
    EXPECT_EQ(sprite.current, 0);

    EXPECT_TRUE(sprite.SetFrame(1.7f));
    EXPECT_EQ(sprite.current, 1);
    EXPECT_FLOAT_EQ(sprite.frameIndex, 1.7f);

    EXPECT_FALSE(
        sprite.LoadFromFiles(nullptr, 1, OV_FILTER_NEAREST, OV_FILTER_NEAREST, 0, 0, -1, -1, 0, 0));
    EXPECT_EQ(sprite.FrameCount(), 2);
}

TEST_F(SpriteTest, ASpriteWhoseSourcesAllFailLoadsEmptyAndDrawsNothing)
{
    OV_SPRITE sprite;
    const std::string missing = (folder / "none.ovt").string();
    EXPECT_TRUE(sprite.LoadFromFiles(missing.c_str(), 1, OV_FILTER_NEAREST, OV_FILTER_NEAREST, 0, 0,
                                     -1, -1, 0, 0));
    EXPECT_EQ(sprite.FrameCount(), 0);
    EXPECT_EQ(sprite.current, OV_SPRITE::NO_FRAME);
    sprite.Draw(OV_VECTOR(10, 10), OV_VECTOR(0, 0, 0, 0), OV_VECTOR(1, 1, 1, 1));
    sprite.DrawTiled(OV_VECTOR_F(0, 0), OV_VECTOR_F(64, 64), 1, 1);
    EXPECT_EQ(PixelAt(10, 10), BLACK);
    EXPECT_EQ(sprite.Lock(), nullptr);
    EXPECT_FALSE(sprite.SaveFrame((folder / "x.raw").c_str()));

    const void* none[1] = {nullptr};
    EXPECT_FALSE(sprite.LoadFromMemory(nullptr, 1, 1, OV_FILTER_NEAREST, OV_FILTER_NEAREST, 0, 0,
                                       -1, -1, 0, 0));
    EXPECT_FALSE(sprite.LoadFromMemory(none, 0, 1, OV_FILTER_NEAREST, OV_FILTER_NEAREST, 0, 0, -1,
                                       -1, 0, 0));
    EXPECT_TRUE(sprite.LoadFromMemory(none, 1, 1, OV_FILTER_NEAREST, OV_FILTER_NEAREST, 0, 0, -1,
                                      -1, 0, 0));
    EXPECT_FALSE(sprite.LoadEmpty(0, 5, OV_FILTER_NEAREST, OV_FILTER_NEAREST, 0, 0, -1, -1, 0, 0));
    EXPECT_FALSE(sprite.LoadEmpty(5, -1, OV_FILTER_NEAREST, OV_FILTER_NEAREST, 0, 0, -1, -1, 0, 0));
    EXPECT_EQ(sprite.FrameCount(), 0);
}

TEST_F(SpriteTest, FramesStepFractionallyAndWrapBothWays)
{
    OV_SPRITE sprite;
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(
            sprite.LoadEmpty(4, 4, OV_FILTER_NEAREST, OV_FILTER_NEAREST, 0, 0, -1, -1, 0, 0));
    ASSERT_EQ(sprite.FrameCount(), 3);
    ASSERT_EQ(sprite.current, 0);

    sprite.AdvanceFrame(0.5f);
    EXPECT_EQ(sprite.current, 0);
    sprite.AdvanceFrame(0.5f);
    EXPECT_EQ(sprite.current, 1);
    EXPECT_FLOAT_EQ(sprite.frameIndex, 1.0f);
    sprite.AdvanceFrame(2.0f); // 1 -> 3 wraps to 0
    EXPECT_EQ(sprite.current, 0);
    EXPECT_FLOAT_EQ(sprite.frameIndex, 0.0f);

    sprite.AdvanceFrame(-1.0f); // before the first: the last, index kept negative
    EXPECT_EQ(sprite.current, 2);
    EXPECT_FLOAT_EQ(sprite.frameIndex, -1.0f);

    sprite.SetFrame(0);
    sprite.AdvanceFrame(7.0f); // whole turns change nothing
    EXPECT_EQ(sprite.current, 1);
    EXPECT_FLOAT_EQ(sprite.frameIndex, 1.0f);

    EXPECT_FALSE(sprite.SetFrame(-1));
    EXPECT_EQ(sprite.current, OV_SPRITE::NO_FRAME);
    EXPECT_FLOAT_EQ(sprite.frameIndex, -1.0f);
    EXPECT_FALSE(sprite.SetFrame(3)); // equal to the count
    EXPECT_FALSE(sprite.CurrentFrame().object);

    OV_SPRITE empty;
    empty.AdvanceFrame(1.5f);
    EXPECT_EQ(empty.current, OV_SPRITE::NO_FRAME);
    EXPECT_FLOAT_EQ(empty.frameIndex, 0.0f);
}

TEST_F(SpriteTest, AddingAndRemovingFramesKeepsTheCurrentTexture)
{
    OV_SPRITE sprite;
    ASSERT_TRUE(sprite.LoadEmpty(4, 4, OV_FILTER_NEAREST, OV_FILTER_NEAREST, 0, 0, -1, -1, 0, 0));
    ASSERT_TRUE(sprite.LoadEmpty(8, 8, OV_FILTER_NEAREST, OV_FILTER_NEAREST, 0, 0, -1, -1, 0, 0));
    const OvHandle first = sprite.frames[0];
    const OvHandle second = sprite.frames[1];
    EXPECT_FALSE(sprite.AddFrame(OvHandle{1, first.object}));
    EXPECT_FALSE(sprite.AddFrame(OvHandle{0, nullptr}));

    sprite.SetFrame(1);
    EXPECT_TRUE(sprite.RemoveFrame(first));
    EXPECT_EQ(sprite.CurrentFrame().object, second.object);
    EXPECT_FALSE(sprite.RemoveFrame(first));
    EXPECT_EQ(TextureWidth(first), 4); // removed, not destroyed
    EXPECT_TRUE(sprite.RemoveFrame(second));
    EXPECT_EQ(sprite.current, OV_SPRITE::NO_FRAME);
    EXPECT_TRUE(sprite.AddFrame(first));
    sprite.frames.push_back(second); // the sprite owns them again and releases them
}

TEST_F(SpriteTest, StripCellsSetTheWidthAndTheTextureCoordinates)
{
    Image strip(128, 8, BLACK);
    const Rgba cells[4] = {RED, GREEN, BLUE, WHITE};
    for (int i = 0; i < 4; ++i)
        strip.Fill(i * 32, 0, i * 32 + 32, 8, cells[i]);

    OV_SPRITE sprite;
    ASSERT_TRUE(LoadImages(sprite, {strip}, 4));
    EXPECT_EQ(sprite.width, 32);
    EXPECT_EQ(sprite.height, 8);

    sprite.AdvanceStrip(2.9f);
    EXPECT_FLOAT_EQ(sprite.vertices[0].texcoord.x, 0.5f);
    EXPECT_FLOAT_EQ(sprite.vertices[1].texcoord.x, 0.75f);
    EXPECT_FLOAT_EQ(sprite.vertices[2].texcoord.x, 0.75f);
    EXPECT_FLOAT_EQ(sprite.vertices[3].texcoord.x, 0.5f);
    EXPECT_FLOAT_EQ(sprite.vertices[2].texcoord.y, 1.0f);
    EXPECT_FLOAT_EQ(sprite.vertices[3].position.x, 0.0f);
    EXPECT_FLOAT_EQ(sprite.vertices[1].position.x, 32.0f);

    sprite.Draw(OV_VECTOR(10, 10), OV_VECTOR(0, 0, 0, 0), OV_VECTOR(1, 1, 1, 1));
    EXPECT_TRUE(Near(PixelAt(12, 12), BLUE)) << PixelAt(12, 12);
    EXPECT_TRUE(Near(PixelAt(40, 16), BLUE)) << PixelAt(40, 16);
    EXPECT_EQ(PixelAt(43, 12), BLACK); // only one cell wide

    sprite.AdvanceStrip(1.5f); // 4.4 wraps to 0.4: the first cell
    EXPECT_NEAR(sprite.stripPosition, 0.4f, 1e-5);
    sprite.Draw(OV_VECTOR(60, 30), OV_VECTOR(0, 0, 0, 0), OV_VECTOR(1, 1, 1, 1));
    EXPECT_TRUE(Near(PixelAt(70, 34), RED)) << PixelAt(70, 34);

    OV_SPRITE whole; // no strip: one cell whatever the position
    whole.AdvanceStrip(3.0f);
    EXPECT_FLOAT_EQ(whole.stripPosition, 0.0f);
    EXPECT_FLOAT_EQ(whole.vertices[1].texcoord.x, 1.0f);
}

TEST_F(SpriteTest, NegativeBoxSizesDefaultToTheCellAndItsHotspot)
{
    const std::vector<uint8_t> file = EncodeOvt(Image(20, 12, RED));
    const void* images[1] = {file.data()};

    OV_SPRITE defaults;
    ASSERT_TRUE(defaults.LoadFromMemory(images, 1, 1, OV_FILTER_NEAREST, OV_FILTER_NEAREST, 5, 6,
                                        -1, -1, 0, 0));
    EXPECT_EQ(defaults.boxWidth, 20);
    EXPECT_EQ(defaults.boxOriginX, 5);
    EXPECT_EQ(defaults.boxHeight, 12);
    EXPECT_EQ(defaults.boxOriginY, 6);

    OV_SPRITE given;
    ASSERT_TRUE(given.LoadFromMemory(images, 1, 1, OV_FILTER_NEAREST, OV_FILTER_NEAREST, 5, 6, 10,
                                     -1, 3, 4));
    EXPECT_EQ(given.boxWidth, 10);
    EXPECT_EQ(given.boxOriginX, 3);
    EXPECT_EQ(given.boxHeight, 12);
    EXPECT_EQ(given.boxOriginY, 6);

    given.CenterOrigin();
    EXPECT_EQ(given.originX, 10);
    EXPECT_EQ(given.originY, 6);
    EXPECT_FLOAT_EQ(given.vertices[0].position.x, -10.0f);
    EXPECT_FLOAT_EQ(given.vertices[2].position.y, 6.0f);
}

TEST_F(SpriteTest, DrawPutsTheHotspotAtThePositionTurnedAndScaledAboutIt)
{
    // Red on the left half, green on the right; hotspot in the middle.
    Image image(20, 10, RED);
    image.Fill(10, 0, 20, 10, GREEN);
    OV_SPRITE sprite;
    ASSERT_TRUE(LoadImages(sprite, {image}));
    sprite.CenterOrigin();

    sprite.Draw(OV_VECTOR(30, 20), OV_VECTOR(0, 0, 0, 0), OV_VECTOR(1, 1, 1, 1));
    EXPECT_EQ(PixelAt(21, 16), RED);
    EXPECT_EQ(PixelAt(38, 24), GREEN);
    EXPECT_EQ(PixelAt(19, 20), BLACK);
    EXPECT_EQ(PixelAt(30, 26), BLACK);

    // Scaled 2 across, then turned 90 degrees: +X turns to +Y (down the screen), so the
    // red half ends above the position and the green half below; 10 wide, 40 tall.
    sprite.Draw(OV_VECTOR(90, 48), OV_VECTOR(90, 0, 0, 0), OV_VECTOR(2, 1, 1, 1));
    EXPECT_EQ(PixelAt(90, 32), RED);
    EXPECT_EQ(PixelAt(86, 29), RED);
    EXPECT_EQ(PixelAt(90, 64), GREEN);
    EXPECT_EQ(PixelAt(93, 67), GREEN);
    EXPECT_EQ(PixelAt(90, 26), BLACK); // beyond the scaled length
    EXPECT_EQ(PixelAt(90, 70), BLACK);
    EXPECT_EQ(PixelAt(97, 48), BLACK); // beyond the unscaled width
    EXPECT_EQ(PixelAt(83, 48), BLACK);

    // The caller's model-view transform does not move the sprite.
    OvMatrixMode(OV_MATRIX_MODELVIEW);
    OvMatrixPush();
    OvMatrixTranslate(50, 0, 0);
    sprite.Draw(OV_VECTOR(30, 60), OV_VECTOR(0, 0, 0, 0), OV_VECTOR(1, 1, 1, 1));
    OvMatrixPop();
    EXPECT_EQ(PixelAt(25, 60), RED);
    EXPECT_EQ(PixelAt(75, 60), BLACK);
}

TEST_F(SpriteTest, VertexColoursTintTheFrame)
{
    OV_SPRITE sprite;
    ASSERT_TRUE(LoadImages(sprite, {Image(8, 8, WHITE)}));
    sprite.SetColor(0, 0, 1, 1);
    EXPECT_EQ(sprite.GetColor(), OV_VECTOR_F(0, 0, 1, 1));
    sprite.Draw(OV_VECTOR(4, 4), OV_VECTOR(0, 0, 0, 0), OV_VECTOR(1, 1, 1, 1));
    EXPECT_TRUE(Near(PixelAt(6, 6), BLUE)) << PixelAt(6, 6);

    sprite.SetColor(1, 1, 0, 0.5f); // half-transparent yellow over black
    sprite.Draw(OV_VECTOR(20, 4), OV_VECTOR(0, 0, 0, 0), OV_VECTOR(1, 1, 1, 1));
    EXPECT_TRUE(Near(PixelAt(22, 6), Rgba{128, 128, 0, 255})) << PixelAt(22, 6);
}

TEST_F(SpriteTest, TiledDrawsRepeatTheFrameAtItsPixelSize)
{
    // An 8 x 8 tile: a red 4 x 4 square at its top-left, blue elsewhere.
    Image tile(8, 8, BLUE);
    tile.Fill(0, 0, 4, 4, RED);
    OV_SPRITE sprite;
    ASSERT_TRUE(LoadImages(sprite, {tile}));

    sprite.DrawTiled(OV_VECTOR_F(0, 0), OV_VECTOR_F(32, 16), 1, 1);
    for (int tx = 0; tx < 4; ++tx)
        for (int ty = 0; ty < 2; ++ty)
        {
            EXPECT_EQ(PixelAt(tx * 8 + 1, ty * 8 + 1), RED) << tx << "," << ty;
            EXPECT_EQ(PixelAt(tx * 8 + 6, ty * 8 + 2), BLUE) << tx << "," << ty;
            EXPECT_EQ(PixelAt(tx * 8 + 2, ty * 8 + 6), BLUE) << tx << "," << ty;
        }
    EXPECT_EQ(PixelAt(33, 1), BLACK);

    // Factor 2 repeats twice as often: the red square is 2 pixels wide.
    sprite.DrawTiled(OV_VECTOR_F(40, 0), OV_VECTOR_F(56, 8), 2, 2);
    EXPECT_EQ(PixelAt(41, 1), RED);
    EXPECT_EQ(PixelAt(42, 1), BLUE);
    EXPECT_EQ(PixelAt(45, 1), RED);

    // Stretched once: the red square covers the top-left quarter of the rectangle.
    sprite.DrawStretched(OV_VECTOR_F(64, 0), OV_VECTOR_F(96, 32), 1, 1);
    EXPECT_EQ(PixelAt(78, 14), RED);
    EXPECT_EQ(PixelAt(81, 14), BLUE);
    EXPECT_EQ(PixelAt(78, 18), BLUE);
}

TEST_F(SpriteTest, SpritesOfOneOrTwoTexturesDrawInOneCall)
{
    OV_SPRITE sprite;
    ASSERT_TRUE(LoadImages(sprite, {Image(4, 4, WHITE)}));
    OV_SPRITE other;
    ASSERT_TRUE(LoadImages(other, {Image(4, 4, RED)}));
    DrawCalls();
    OvSetState(OV_STATE_DRAW_CALLS, 0);
    for (int i = 0; i < 50; ++i)
        sprite.Draw(OV_VECTOR(i * 2, 40), OV_VECTOR(i * 7, 0, 0, 0), OV_VECTOR(1, 1, 1, 1));
    EXPECT_EQ(DrawCalls(), 1u);
    // Two textures in turn still share the batch; a third starts another.
    OV_SPRITE third;
    ASSERT_TRUE(LoadImages(third, {Image(4, 4, GREEN)}));
    OvSetState(OV_STATE_DRAW_CALLS, 0);
    for (OV_SPRITE* each : {&sprite, &other, &sprite, &other})
        each->Draw(OV_VECTOR(0, 0), OV_VECTOR(0, 0, 0, 0), OV_VECTOR(1, 1, 1, 1));
    EXPECT_EQ(DrawCalls(), 1u);
    OvSetState(OV_STATE_DRAW_CALLS, 0);
    for (OV_SPRITE* each : {&sprite, &other, &third})
        each->Draw(OV_VECTOR(0, 0), OV_VECTOR(0, 0, 0, 0), OV_VECTOR(1, 1, 1, 1));
    EXPECT_EQ(DrawCalls(), 2u);
}

TEST_F(SpriteTest, LockedPixelsCanBeChangedAndSaved)
{
    Image image(4, 2, RED);
    image.at(3, 1) = GREEN;
    OV_SPRITE sprite;
    ASSERT_TRUE(LoadImages(sprite, {image}));

    int32_t width = 0, height = 0;
    auto* pixels = static_cast<Rgba*>(sprite.Lock(&width, &height));
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(width, 4);
    EXPECT_EQ(height, 2);
    EXPECT_EQ(pixels[7], GREEN);
    pixels[0] = BLUE;
    sprite.Unlock(1);

    sprite.Draw(OV_VECTOR(0, 0), OV_VECTOR(0, 0, 0, 0), OV_VECTOR(1, 1, 1, 1));
    EXPECT_EQ(PixelAt(0, 0), BLUE);
    EXPECT_EQ(PixelAt(3, 1), GREEN);

    std::filesystem::create_directories(folder);
    const std::string path = (folder / "frame.raw").string();
    ASSERT_TRUE(sprite.SaveFrame(path.c_str()));
    ByteBuffer saved;
    ASSERT_TRUE(saved.LoadFile(path.c_str()));
    ASSERT_EQ(saved.count, 4u * 2u * 4u);
    EXPECT_EQ(std::memcmp(saved.start, &BLUE, 4), 0);
    EXPECT_EQ(std::memcmp(saved.start + 7 * 4, &GREEN, 4), 0);
    EXPECT_EQ(std::memcmp(saved.start + 4, &RED, 4), 0);
}

TEST_F(SpriteTest, SavePackageWritesEachFramesPixelsUnderItsNumber)
{
    Image first(2, 2, RED);
    first.at(1, 1) = GREEN;
    OV_SPRITE sprite;
    ASSERT_TRUE(LoadImages(sprite, {first, Image(3, 1, BLUE)}));
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "frames.zip").string();
    ASSERT_TRUE(sprite.SavePackage(path.c_str()));

    PackageInfo package;
    ASSERT_TRUE(package.PackageOpen(path.c_str()));
    ASSERT_EQ(package.PackageEntryCount(), 2u);
    EXPECT_STREQ(package.PackageEntryName(0), "0");
    EXPECT_STREQ(package.PackageEntryName(1), "1");
    ByteBuffer pixels;
    ASSERT_TRUE(package.PackageLoad(&pixels, 0));
    ASSERT_EQ(pixels.count, 2u * 2u * 4u);
    EXPECT_EQ(std::memcmp(pixels.start, &RED, 4), 0);
    EXPECT_EQ(std::memcmp(pixels.start + 3 * 4, &GREEN, 4), 0);
    ASSERT_TRUE(package.PackageLoad(&pixels, 1));
    ASSERT_EQ(pixels.count, 3u * 4u);
    EXPECT_EQ(std::memcmp(pixels.start + 2 * 4, &BLUE, 4), 0);

    OV_SPRITE empty;
    EXPECT_FALSE(empty.SavePackage((folder / "none.zip").c_str()));
}

TEST_F(SpriteTest, AFrameCopiedFromTheRenderTargetHasTheRegionsSize)
{
    Application().ClearScreen(0, 1, 0, 1);
    OV_SPRITE copy;
    ASSERT_TRUE(
        copy.LoadFromRender(0, 0, 16, 8, OV_FILTER_NEAREST, OV_FILTER_NEAREST, 0, 0, -1, -1, 0, 0));
    ASSERT_EQ(copy.FrameCount(), 1);
    EXPECT_EQ(copy.width, 16);
    EXPECT_EQ(copy.height, 8);
    EXPECT_EQ(copy.boxWidth, 16);
    Application().ClearScreen(0, 0, 0, 1);
    copy.Draw(OV_VECTOR(50, 50), OV_VECTOR(0, 0, 0, 0), OV_VECTOR(1, 1, 1, 1));
    EXPECT_EQ(PixelAt(55, 53), GREEN);
    EXPECT_EQ(PixelAt(67, 53), BLACK);
}

TEST_F(SpriteTest, CopiesBorrowTheTexturesAndOnlyTheOwnerReleasesThem)
{
    OV_SPRITE& owner = *Application().sprites.Get("spr_owner");
    ASSERT_TRUE(LoadImages(owner, {Image(6, 6, RED)}));
    const OvHandle texture = owner.frames[0];
    {
        OV_SPRITE copy = owner;
        EXPECT_TRUE(copy.borrowed);
        copy.Unload(false); // a borrowed record never releases what it shares
        EXPECT_EQ(copy.FrameCount(), 0);
    }
    EXPECT_EQ(TextureWidth(texture), 6);
    owner.Draw(OV_VECTOR(1, 1), OV_VECTOR(0, 0, 0, 0), OV_VECTOR(1, 1, 1, 1));
    EXPECT_EQ(PixelAt(3, 3), RED);

    OV_SPRITE moved = std::move(owner); // the textures go with the move
    EXPECT_EQ(owner.FrameCount(), 0);
    owner = OV_SPRITE();
    EXPECT_EQ(TextureWidth(texture), 6);
    moved.Unload(true);
    EXPECT_EQ(TextureWidth(texture), 6);

    ASSERT_TRUE(LoadImages(owner, {Image(6, 6, RED)}));
    const OvHandle registered = owner.frames[0];
    Application().sprites.Remove(Application().sprites.Find("spr_owner"));
    EXPECT_EQ(TextureWidth(registered), -1); // released with the registry entry
    OvTextureDestroy(texture);
}

} // namespace

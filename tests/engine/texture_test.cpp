// Textures on a real window: loading .ovt files and encoded images (with and without their
// size), drawing them with the filters, pixel locks that write back, copies from the render.
#include "gl_fixture.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>

using namespace enginetest;

namespace
{

// A 2 x 2 image: red, green / blue, white.
const uint8_t kChecker[16] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255};

std::vector<uint8_t> Png(const uint8_t* pixels, int width, int height)
{
    std::vector<uint8_t> bytes;
    stbi_write_png_to_func(
        [](void* context, void* data, int size)
        {
            auto* out = static_cast<std::vector<uint8_t>*>(context);
            out->insert(out->end(), static_cast<uint8_t*>(data),
                        static_cast<uint8_t*>(data) + size);
        },
        &bytes, width, height, 4, pixels, width * 4);
    return bytes;
}

std::vector<uint8_t> Ovt(const uint8_t* pixels, int width, int height)
{
    size_t size = 0;
    void* file = OvImageEncodeOvt(pixels, width, height, &size);
    std::vector<uint8_t> bytes(static_cast<uint8_t*>(file), static_cast<uint8_t*>(file) + size);
    OvImageFree(file);
    return bytes;
}

} // namespace

class TextureTest : public GlTest
{
  protected:
    // Draws the texture stretched over a 20 x 20 square at (x, y) with nearest filtering.
    void DrawTexture(OvHandle texture, float x, float y)
    {
        OvTextureActivate(texture);
        OvTextureParameter(237, 242);
        OvTextureParameter(238, 242);
        auto quad = Quad(x, y, 20, 20, {1, 1, 1, 1});
        OvDrawDataStruct(11, 0, 4, quad.data(), nullptr);
        OvTextureUnactivate(58);
    }

    void ExpectChecker(float x, float y)
    {
        EXPECT_TRUE(NearColour(PixelAt(int(x) + 5, int(y) + 5), {255, 0, 0, 255}));
        EXPECT_TRUE(NearColour(PixelAt(int(x) + 15, int(y) + 5), {0, 255, 0, 255}));
        EXPECT_TRUE(NearColour(PixelAt(int(x) + 5, int(y) + 15), {0, 0, 255, 255}));
        EXPECT_TRUE(NearColour(PixelAt(int(x) + 15, int(y) + 15), {255, 255, 255, 255}));
    }
};

TEST_F(TextureTest, OvtFilePngInMemoryAndRawPixelsDrawTheSameImage)
{
    const std::string path =
        std::string(OV_BINARY_DIR) + "/engine_checker_" + std::to_string(getpid()) + ".ovt";
    const auto ovt = Ovt(kChecker, 2, 2);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(ovt.data()), std::streamsize(ovt.size()));

    OvHandle fromFile{1, nullptr}, fromPng{1, nullptr}, fromPixels{1, nullptr};
    ASSERT_TRUE(OvTextureCreate(&fromFile));
    ASSERT_TRUE(OvTextureLoad(fromFile, path.c_str(), 1));
    std::remove(path.c_str());
    EXPECT_EQ(*static_cast<int32_t*>(OvTextureGet(fromFile, 258)), 2);
    EXPECT_EQ(*static_cast<int32_t*>(OvTextureGet(fromFile, 259)), 2);
    EXPECT_EQ(*static_cast<int32_t*>(OvTextureGet(fromFile, 261)), 16);

    // The framework's memory loader passes no size: the PNG's own chunks end it.
    const auto png = Png(kChecker, 2, 2);
    ASSERT_TRUE(OvTextureCreate(&fromPng));
    EXPECT_TRUE(OvTextureLoadFromMemory(fromPng, png.data(), 1));
    ASSERT_TRUE(OvTextureCreate(&fromPixels));
    EXPECT_TRUE(OvTextureLoadRGBAFromMemory(fromPixels, kChecker, 2, 2));

    DrawTexture(fromFile, 0, 0);
    DrawTexture(fromPng, 22, 0);
    DrawTexture(fromPixels, 44, 0);
    ExpectChecker(0, 0);
    ExpectChecker(22, 0);
    ExpectChecker(44, 0);
    OvTextureDestroy(fromFile);
    OvTextureDestroy(fromPng);
    OvTextureDestroy(fromPixels);
}

TEST_F(TextureTest, BadSourcesFailAndLeaveTheTextureAsItWas)
{
    OvHandle texture{1, nullptr};
    ASSERT_TRUE(OvTextureCreate(&texture));
    ASSERT_TRUE(OvTextureLoadRGBAFromMemory(texture, kChecker, 2, 2));
    const uint8_t garbage[64] = {1, 2, 3};
    EXPECT_FALSE(OvTextureLoadFromMemory(texture, garbage, 1));
    EXPECT_FALSE(OvTextureLoadFromMemory(texture, garbage, 1, sizeof garbage));
    EXPECT_FALSE(OvTextureLoadFromMemory(texture, nullptr, 1));
    EXPECT_FALSE(OvTextureLoad(texture, "/nonexistent/file.ovt", 1));
    EXPECT_FALSE(OvTextureLoad(texture, nullptr, 1));
    EXPECT_FALSE(OvTextureLoadRGBAFromMemory(texture, kChecker, 0, 2));
    EXPECT_FALSE(OvTextureLoadEmpty(texture, 100000, 4, 1));
    auto png = Png(kChecker, 2, 2);
    png.resize(png.size() / 2);
    EXPECT_FALSE(OvTextureLoadFromMemory(texture, png.data(), 1, png.size()));
    EXPECT_EQ(*static_cast<int32_t*>(OvTextureGet(texture, 258)), 2);
    DrawTexture(texture, 0, 0);
    ExpectChecker(0, 0);
    OvTextureDestroy(texture);
}

TEST_F(TextureTest, ParameterValuesThatAreNoCodeLeaveTheFilterAsItWas)
{
    OvHandle texture{1, nullptr};
    ASSERT_TRUE(OvTextureCreate(&texture));
    ASSERT_TRUE(OvTextureLoadRGBAFromMemory(texture, kChecker, 2, 2));
    DrawTexture(texture, 0, 0); // nearest
    OvTextureActivate(texture);
    for (float value : {std::nanf(""), 1e30f, -1e30f, 4294967538.0f})
        OvTextureParameter(238, value);
    auto quad = Quad(0, 0, 20, 20, {1, 1, 1, 1});
    OvDrawDataStruct(11, 0, 4, quad.data(), nullptr);
    // Linear filtering would blend green into the red texel two pixels before its edge.
    EXPECT_TRUE(NearColour(PixelAt(8, 5), {255, 0, 0, 255}, 4)) << PixelAt(8, 5);
    OvTextureUnactivate(58);
    OvTextureDestroy(texture);
}

TEST_F(TextureTest, LockedPixelsWriteBackOnlyWhenAsked)
{
    OvHandle texture{1, nullptr};
    ASSERT_TRUE(OvTextureCreate(&texture));
    ASSERT_TRUE(OvTextureLoadEmpty(texture, 2, 2, 1));
    auto* pixels = static_cast<uint8_t*>(OvTextureLock(texture, 0));
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(pixels[3], 0); // transparent black
    EXPECT_EQ(OvTextureLock(texture, 0), pixels);
    EXPECT_FALSE(OvTextureLoadRGBAFromMemory(texture, kChecker, 2, 2)); // locked
    std::copy(kChecker, kChecker + 16, pixels);
    OvTextureUnlock(texture, 1);

    // A read-only lock's changes are dropped even with the upload flag.
    pixels = static_cast<uint8_t*>(OvTextureLock(texture, 1));
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(pixels[4], 0);
    EXPECT_EQ(pixels[5], 255);
    pixels[0] = 0;
    OvTextureUnlock(texture, 1);
    DrawTexture(texture, 0, 0);
    ExpectChecker(0, 0);
    OvTextureDestroy(texture);
}

TEST_F(TextureTest, RenderCopiesKeepOpenGLRowOrderAndCanReuseStorage)
{
    OvSetState(262, 0, 0, 0, 1);
    OvRenderScene(2);
    auto top = Quad(0, 0, kWidth, 4, {1, 0, 0, 1});
    OvDrawDataStruct(11, 0, 4, top.data(), nullptr);
    OvHandle texture{1, nullptr};
    ASSERT_TRUE(OvTextureCreate(&texture));
    ASSERT_TRUE(OvTextureFromRender(texture, 0, 0, 4, kHeight, 1));
    auto* pixels = static_cast<const uint8_t*>(OvTextureLock(texture, 1));
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(pixels[0], 0);                       // row 0 is the bottom row
    EXPECT_EQ(pixels[(kHeight - 1) * 4 * 4], 255); // the last row is the top row
    OvTextureUnlock(texture, 0);
    EXPECT_FALSE(OvTextureFromRender(texture, 0, 0, 8, 8, 0)); // wider than its storage
    EXPECT_TRUE(OvTextureFromRender(texture, 0, kHeight - 2, 2, 2, 0));
    pixels = static_cast<const uint8_t*>(OvTextureLock(texture, 1));
    EXPECT_EQ(pixels[0], 255);
    EXPECT_EQ(*static_cast<int32_t*>(OvTextureGet(texture, 259)), kHeight);
    OvTextureUnlock(texture, 0);
    OvTextureDestroy(texture);
}

TEST_F(TextureTest, TheSplashResourceIsAnImageTheLoaderTakesWithoutItsSize)
{
    HMODULE module = GetModuleHandleA("Orvane Core.dll");
    ASSERT_NE(module, nullptr);
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(1024));
    ASSERT_NE(resource, nullptr);
    const void* data = LockResource(LoadResource(module, resource));
    ASSERT_NE(data, nullptr);
    OvHandle texture{1, nullptr};
    ASSERT_TRUE(OvTextureCreate(&texture));
    ASSERT_TRUE(OvTextureLoadFromMemory(texture, data, 1));
    EXPECT_EQ(*static_cast<int32_t*>(OvTextureGet(texture, 258)), 640);
    EXPECT_EQ(*static_cast<int32_t*>(OvTextureGet(texture, 259)), 260);
    OvTextureDestroy(texture);
}

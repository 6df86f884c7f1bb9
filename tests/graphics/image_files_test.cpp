// Image files through GDI+: decoding into engine textures with the red and blue bytes
// exchanged, saving by format name, the encoder search, refusals of broken or oversized
// files, and sprites made from image files.
#include "support/ovt_images.h"
#include "support/read_back.h"
#include "support/window_fixture.h"

#include "app/ov_application.h"
#include "graphics/image_files.h"
#include "platform/gdiplus.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace OvCore;
using namespace OvTest;

namespace
{

// A 1 x 1 PNG (8-bit RGB) whose only pixel is pure blue.
const std::vector<uint8_t> BLUE_PIXEL_PNG = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48,
    0x44, 0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x02, 0x00, 0x00,
    0x00, 0x90, 0x77, 0x53, 0xde, 0x00, 0x00, 0x00, 0x0c, 0x49, 0x44, 0x41, 0x54, 0x78,
    0x9c, 0x63, 0x60, 0x60, 0xf8, 0x0f, 0x00, 0x01, 0x03, 0x01, 0x00, 0x08, 0x89, 0xc2,
    0xec, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};

class ImageFilesTest : public DrawingTest
{
  protected:
    void SetUp() override
    {
        DrawingTest::SetUp();
        std::filesystem::create_directories(folder);
    }
    void TearDown() override
    {
        for (OvHandle texture : textures)
            OvTextureDestroy(texture);
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
        DrawingTest::TearDown();
    }

    std::string Write(const char* name, const std::vector<uint8_t>& bytes)
    {
        const std::string path = (folder / name).string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }

    OvHandle NewTexture()
    {
        OvHandle texture{1, nullptr};
        EXPECT_TRUE(OvTextureCreate(&texture));
        textures.push_back(texture);
        return texture;
    }

    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("ov-image-files-" + std::to_string(::getpid()));
    std::vector<OvHandle> textures;
};

// The next GDI+ start-up token: the platform hands them out in sequence, so two probes with
// nothing between them give tokens one apart.
ULONG_PTR NextGdiplusToken()
{
    ULONG_PTR token = 0;
    const Gdiplus::GdiplusStartupInput input;
    EXPECT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::Ok);
    Gdiplus::GdiplusShutdown(token);
    return token;
}

TEST_F(ImageFilesTest, ABluePixelInTheFileIsBlueInTheEngine)
{
    const OvHandle texture = NewTexture();
    ASSERT_EQ(LoadImageTexture(texture, Write("blue.png", BLUE_PIXEL_PNG).c_str()), 1);
    const std::vector<Rgba> pixels = TexturePixels(texture).pixels;
    ASSERT_EQ(pixels.size(), 1u);
    EXPECT_EQ(pixels[0], (Rgba{0, 0, 255, 255}));
}

TEST_F(ImageFilesTest, SavingAsBmpWritesAFileThatLoadsBackEqual)
{
    Image image(3, 2, RED);
    image.at(1, 0) = GREEN;
    image.at(2, 0) = BLUE;
    image.at(0, 1) = Rgba{10, 20, 30, 255};
    image.at(2, 1) = WHITE;
    const OvHandle original = NewTexture();
    ASSERT_TRUE(OvTextureLoadRGBAFromMemory(original, image.pixels.data(), 3, 2));

    const std::string path = (folder / "gespeichert-f\xc3\xbc.bmp").string(); // UTF-8 name
    ASSERT_TRUE(SaveTextureImage(original, path.c_str(), "bmp"));
    std::ifstream file(path, std::ios::binary);
    char magic[2] = {};
    file.read(magic, 2);
    EXPECT_EQ(std::string(magic, 2), "BM"); // the image/bmp encoder wrote it

    const OvHandle loaded = NewTexture();
    ASSERT_EQ(LoadImageTexture(loaded, path.c_str()), 1);
    EXPECT_EQ(TexturePixels(loaded).pixels, image.pixels);
    EXPECT_EQ(TexturePixels(original).pixels, image.pixels); // saving changed nothing
}

TEST_F(ImageFilesTest, FormatNamesMapToMimeTypesExactly)
{
    const OvHandle texture = NewTexture();
    ASSERT_TRUE(OvTextureLoadEmpty(texture, 2, 2, 0));
    const std::string jpg = (folder / "out.jpg").string();
    EXPECT_FALSE(SaveTextureImage(texture, jpg.c_str(), "jpg")); // the type is image/jpeg
    EXPECT_FALSE(std::filesystem::exists(jpg));
    const std::string jpeg = (folder / "out.jpeg").string();
    EXPECT_TRUE(SaveTextureImage(texture, jpeg.c_str(), "jpeg"));
    EXPECT_FALSE(SaveTextureImage(texture, nullptr, "png"));
    EXPECT_FALSE(SaveTextureImage(texture, jpeg.c_str(), nullptr));

    ULONG_PTR token = 0;
    const Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::Ok);
    CLSID png{}, bmp{};
    const int32_t pngIndex = FindEncoder(L"image/png", &png);
    const int32_t bmpIndex = FindEncoder(L"image/bmp", &bmp);
    EXPECT_GE(pngIndex, 0);
    EXPECT_GE(bmpIndex, 0);
    EXPECT_NE(pngIndex, bmpIndex);
    EXPECT_NE(std::memcmp(&png, &bmp, sizeof(CLSID)), 0);
    EXPECT_EQ(FindEncoder(L"image/jpg", &png), -1);
    EXPECT_EQ(FindEncoder(L"IMAGE/PNG", &png), -1); // exact comparison
    EXPECT_EQ(FindEncoder(nullptr, &png), -1);
    Gdiplus::GdiplusShutdown(token);
}

TEST_F(ImageFilesTest, AnUnlockableTextureIsNotSavedAndGdiplusNeverStarts)
{
    const OvHandle neverFilled = NewTexture(); // no pixels: nothing to lock
    const std::string path = (folder / "never.png").string();
    const ULONG_PTR before = NextGdiplusToken();
    EXPECT_FALSE(SaveTextureImage(neverFilled, path.c_str(), "png"));
    EXPECT_FALSE(SaveTextureImage(OvHandle{1, nullptr}, path.c_str(), "png"));
    EXPECT_EQ(NextGdiplusToken(), before + 1);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(ImageFilesTest, BrokenMissingAndOversizedFilesFailTheLoad)
{
    std::vector<uint8_t> truncated(BLUE_PIXEL_PNG.begin(), BLUE_PIXEL_PNG.begin() + 45);
    std::vector<uint8_t> bogus = BLUE_PIXEL_PNG;
    bogus[1] = 'X'; // no longer a PNG signature
    // 65536 x 65536 pixels: 16 GiB of RGBA, whose byte count overflows 32 bits.
    std::vector<uint8_t> huge = BLUE_PIXEL_PNG;
    huge[16] = huge[20] = 0x00;
    huge[17] = huge[21] = 0x01;
    huge[18] = huge[19] = huge[22] = huge[23] = 0x00;

    const OvHandle texture = NewTexture();
    EXPECT_EQ(LoadImageTexture(texture, Write("truncated.png", truncated).c_str()), 0);
    EXPECT_EQ(LoadImageTexture(texture, Write("bogus.png", bogus).c_str()), 0);
    EXPECT_EQ(LoadImageTexture(texture, Write("huge.png", huge).c_str()), 0);
    EXPECT_EQ(LoadImageTexture(texture, (folder / "missing.png").string().c_str()), 0);
    EXPECT_EQ(LoadImageTexture(texture, nullptr), 0);
    EXPECT_TRUE(TexturePixels(texture).pixels.empty()); // still never filled
}

TEST_F(ImageFilesTest, SpritesLoadFramesFromImageFiles)
{
    const OvHandle green = NewTexture();
    Image image(5, 3, GREEN);
    ASSERT_TRUE(OvTextureLoadRGBAFromMemory(green, image.pixels.data(), 5, 3));
    const std::string bmp = (folder / "green.bmp").string();
    ASSERT_TRUE(SaveTextureImage(green, bmp.c_str(), "bmp"));
    const std::string png = Write("blue.png", BLUE_PIXEL_PNG);
    const std::string list = png + ";" + (folder / "missing.png").string() + ";" + bmp;

    OV_SPRITE sprite;
    ASSERT_TRUE(sprite.LoadFromImageFiles(list.c_str(), OV_FILTER_NEAREST, OV_FILTER_NEAREST, 0, 0,
                                          -1, -1, 0, 0));
    ASSERT_EQ(sprite.FrameCount(), 2);
    EXPECT_EQ(sprite.width, 5);
    EXPECT_EQ(sprite.height, 3);
    EXPECT_EQ(sprite.boxWidth, 5);
    EXPECT_EQ(TexturePixels(sprite.frames[0]).pixels, std::vector<Rgba>{BLUE});
    EXPECT_EQ(TexturePixels(sprite.frames[1]).pixels, image.pixels);
    EXPECT_FALSE(sprite.LoadFromImageFiles(nullptr, OV_FILTER_NEAREST, OV_FILTER_NEAREST, 0, 0, -1,
                                           -1, 0, 0));

    sprite.Draw(OV_VECTOR(10, 20), OV_VECTOR(0, 0, 0, 0), OV_VECTOR(4, 4, 1, 1));
    EXPECT_EQ(PixelAt(11, 21), BLUE);
}

} // namespace

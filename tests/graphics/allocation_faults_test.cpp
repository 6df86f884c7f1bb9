// Image files, fonts and models when each big allocation of loading or saving fails in turn:
// every run reports the failure, nothing throws past it, the file on disk and what the
// caller held before stay as they were, and the run that meets no failure succeeds.
#include <filesystem>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "graphics/image_files.h"
#include "graphics/ov_font.h"
#include "graphics/ov_model3d.h"
#include "support/failing_allocation.h"
#include "support/ovt_images.h"
#include "support/save_faults.h"
#include "support/scratch_folder.h"
#include "support/window_fixture.h"

using namespace OvTest;

namespace
{

constexpr size_t kBig = 256 * 1024; // what counts as a big allocation
constexpr int32_t kSide = 512;      // 1 MiB of pixels

int32_t Width(OvHandle texture)
{
    const auto* value = static_cast<const int32_t*>(OvTextureGet(texture, OV_TEXTURE_WIDTH));
    return value ? *value : 0;
}

class AllocationFaults : public DrawingTest
{
  protected:
    void SetUp() override
    {
        DrawingTest::SetUp();
        path_ = (folder_ / "image.bmp").string();
        std::mt19937 random(7);
        std::vector<uint32_t> pixels(size_t(kSide) * kSide);
        for (uint32_t& pixel : pixels)
            pixel = random() | 0xFF000000u;
        noise_ = Texture();
        ASSERT_TRUE(OvTextureLoadRGBAFromMemory(noise_, pixels.data(), kSide, kSide));
    }
    void TearDown() override
    {
        for (OvHandle texture : textures_)
            OvTextureDestroy(texture);
        DrawingTest::TearDown();
    }
    OvHandle Texture()
    {
        OvHandle texture{1, nullptr};
        EXPECT_TRUE(OvTextureCreate(&texture));
        textures_.push_back(texture);
        return texture;
    }

    OvTest::ScratchFolder scratch_{"ovbig"};
    const std::filesystem::path folder_ = scratch_.Path();
    std::string path_;
    OvHandle noise_{1, nullptr};
    std::vector<OvHandle> textures_;
};

TEST_F(AllocationFaults, ImagesFailToSaveOrDecodeAndKeepWhatWasThere)
{
    WriteFileBytes(path_, "the previous image");
    EXPECT_GT(FailEachBigAllocation(
                  kBig, [&] { return OvCore::SaveTextureImage(noise_, path_.c_str(), "bmp"); },
                  [&]
                  {
                      EXPECT_EQ("the previous image", FileBytes(path_));
                      ExpectFolderHoldsOnly(folder_.string(), path_);
                  }),
              0);

    const OvHandle small = Texture();
    const uint32_t pixels[4] = {};
    ASSERT_TRUE(OvTextureLoadRGBAFromMemory(small, pixels, 2, 2));
    EXPECT_GT(FailEachBigAllocation(
                  kBig, [&] { return OvCore::LoadImageTexture(small, path_.c_str()) != 0; },
                  [&] { EXPECT_EQ(2, Width(small)); }),
              0);
    EXPECT_EQ(kSide, Width(small));
}

TEST_F(AllocationFaults, AFontWhoseDescriptorFindsNoMemoryIsNotLoaded)
{
    const std::vector<uint8_t> glyphs = EncodeOvt(Image(16, 16, WHITE));
    const std::string descriptor = "common lineHeight=10 scaleW=16 scaleH=16\nchar id=65 x=0 " +
                                   std::string(kBig * 2, 'x') + "\n";
    OvCore::OV_FONT font;
    EXPECT_GT(FailEachBigAllocation(
                  kBig,
                  [&]
                  {
                      return font.LoadFromMemory(
                          glyphs.data(), descriptor.data(), uint32_t(descriptor.size()), '\n',
                          OV_FILTER_NEAREST, OV_FILTER_NEAREST, glyphs.size());
                  },
                  [&] { EXPECT_EQ(0, font.loaded); }),
              0);
}

TEST_F(AllocationFaults, AModelThatFindsNoMemoryAddsNoParts)
{
    const std::string obj = (folder_ / "model.obj").string();
    WriteFileBytes((folder_ / "red.mtl").string(), "newmtl red\nKd 1 0 0\n");
    std::string text = "mtllib red.mtl\nusemtl red\nv 0 0 0\nv 1 0 0\nv 0 1 0\n";
    for (int i = 0; i < 40000; ++i)
        text += "f 1 2 3\n";
    WriteFileBytes(obj, text);
    OvCore::MODEL3D model;
    EXPECT_GT(FailEachBigAllocation(
                  kBig,
                  [&]
                  {
                      return model.Load(obj.c_str(), folder_.c_str(), OV_FILTER_NEAREST,
                                        OV_FILTER_NEAREST, OV_USAGE_STATIC, true);
                  },
                  [&] { EXPECT_TRUE(model.parts.empty()); }),
              0);
    EXPECT_EQ(1u, model.parts.size());
}

} // namespace

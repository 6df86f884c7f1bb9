// Saving a texture as an image file when the disk fills up or the saving process is killed:
// the failure is reported and the previous file stays whole; a kill leaves the old file or a
// complete new one.
#include <filesystem>
#include <random>

#include <gtest/gtest.h>

#include "graphics/image_files.h"
#include "support/save_faults.h"
#include "support/scratch_folder.h"
#include "support/window_fixture.h"

using namespace OvTest;

namespace
{

constexpr int32_t kSide = 512; // 1 MiB of pixels: an image file that takes a while

class ImageSaveFaults : public DrawingTest
{
  protected:
    void SetUp() override
    {
        DrawingTest::SetUp();
        path_ = (folder_ / "saved.bmp").string();
        for (unsigned seed : {1u, 2u})
            textures_.push_back(NoiseTexture(seed));
    }
    void TearDown() override
    {
        for (OvHandle texture : textures_)
            OvTextureDestroy(texture);
        DrawingTest::TearDown();
    }

    static OvHandle NoiseTexture(unsigned seed)
    {
        std::mt19937 random(seed);
        std::vector<uint32_t> pixels(size_t(kSide) * kSide);
        for (uint32_t& pixel : pixels)
            pixel = random() | 0xFF000000u;
        OvHandle texture{1, nullptr};
        EXPECT_TRUE(OvTextureCreate(&texture));
        EXPECT_TRUE(OvTextureLoadRGBAFromMemory(texture, pixels.data(), kSide, kSide));
        return texture;
    }
    // The file the texture saves as, made beside the one under test.
    std::string SavedBytes(OvHandle texture) const
    {
        const std::string path = (folder_ / "reference.bmp").string();
        EXPECT_TRUE(OvCore::SaveTextureImage(texture, path.c_str(), "bmp"));
        std::string bytes = FileBytes(path);
        std::filesystem::remove(path);
        return bytes;
    }

    OvTest::ScratchFolder scratch_{"ovimg"};
    const std::filesystem::path folder_ = scratch_.Path();
    std::string path_;
    std::vector<OvHandle> textures_;
};

TEST_F(ImageSaveFaults, FullDiskFailsTheSaveAndKeepsThePreviousImage)
{
    const std::string old = SavedBytes(textures_[0]);
    WriteFileBytes(path_, old);
    EXPECT_EQ(
        std::optional<bool>(false),
        SaveWithFileLimit(
            4096, [&] { return OvCore::SaveTextureImage(textures_[1], path_.c_str(), "bmp"); }));
    EXPECT_TRUE(old == FileBytes(path_)) << "the previous image changed";
    ExpectFolderHoldsOnly(folder_.string(), path_);
}

TEST_F(ImageSaveFaults, KilledSaveLeavesTheOldOrAWholeNewImage)
{
    const std::vector<std::string> versions = {"old", SavedBytes(textures_[0]),
                                               SavedBytes(textures_[1])};
    ASSERT_NE(versions[1], versions[2]);
    WriteFileBytes(path_, versions[0]);
    const int rounds = 20;
    const std::vector<std::string> seen = BytesAfterKilledSaves(
        path_, [&](int v) { return OvCore::SaveTextureImage(textures_[v], path_.c_str(), "bmp"); },
        rounds, 300);
    ExpectWholeVersions(seen, versions, rounds);
}

} // namespace

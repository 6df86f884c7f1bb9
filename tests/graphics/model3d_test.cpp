// Models from files on a real window: one textured part per material, drawn in world
// coordinates; a missing library or texture still loads; an unreadable file does not.
#include "support/ovt_images.h"
#include "support/window_fixture.h"

#include "graphics/ov_model3d.h"

#include <fstream>
#include <string>

using namespace OvCore;
using namespace OvTest;

namespace
{

constexpr int32_t NEAREST = 242;

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

void WriteTexture(const std::string& path, Rgba colour)
{
    const std::vector<uint8_t> file = EncodeOvt(Image(2, 2, colour));
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
}

class ModelTest : public DrawingTest
{
  protected:
    void SetUp() override
    {
        DrawingTest::SetUp();
        // A folder per test: CTest runs the tests of this file side by side.
        folder = testing::TempDir() + "ov_model_" +
                 testing::UnitTest::GetInstance()->current_test_info()->name();
        std::system(("mkdir -p '" + folder + "'").c_str());
        WriteTexture(folder + "/red.ovt", {255, 0, 0, 255});
        WriteTexture(folder + "/green.ovt", {0, 255, 0, 255});
        WriteFile(folder + "/two.mtl", "newmtl left\nmap_Kd red.ovt\n"
                                       "newmtl right side\nmap_Kd green.ovt\n");
        // Two unit squares side by side, a material each.
        WriteFile(folder + "/two.obj", "mtllib two.mtl\nv 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n"
                                       "v 2 0 0\nv 3 0 0\nv 3 1 0\nv 2 1 0\nvt 0 0\nvt 1 1\n"
                                       "usemtl left\nf 1/1 2/2 3/2 4/1\n"
                                       "usemtl right side\nf 5/1 6/2 7/2 8/1\n");
    }

    std::string folder;
};

TEST_F(ModelTest, TwoMaterialsDrawTwoTexturedPartsAtThePosition)
{
    MODEL3D model;
    ASSERT_TRUE(model.Load((folder + "/two.obj").c_str(), folder.c_str(), NEAREST, NEAREST,
                           OV_USAGE_STATIC, false));
    ASSERT_EQ(model.parts.size(), 2u);
    OvMatrixTranslate(500, 500, 0); // the model ignores the current matrix
    model.Draw(OV_VECTOR(10, 20, 0), OV_VECTOR(0, 0, 0), OV_VECTOR(20, 20, 1));
    OvMatrixIdentity();
    EXPECT_TRUE(Near(PixelAt(20, 30), {255, 0, 0, 255})) << PixelAt(20, 30);
    EXPECT_TRUE(Near(PixelAt(60, 30), {0, 255, 0, 255})) << PixelAt(60, 30);
    EXPECT_EQ(PixelAt(40, 30), (Rgba{0, 0, 0, 255})); // the gap between the squares
    model.Release(false);
    EXPECT_TRUE(model.parts.empty() && !model.loaded);
}

TEST_F(ModelTest, MissingLibrariesAndTexturesLoadUnreadableFilesDoNot)
{
    MODEL3D model;
    EXPECT_FALSE(model.Load((folder + "/none.obj").c_str(), folder.c_str(), 0, 0, 0, true));
    EXPECT_FALSE(model.Load(folder.c_str(), folder.c_str(), 0, 0, 0, true)); // a folder
    std::remove((folder + "/green.ovt").c_str());
    ASSERT_TRUE(model.Load((folder + "/two.obj").c_str(), folder.c_str(), 0, 0, 0, true));
    ASSERT_EQ(model.parts.size(), 2u);
    EXPECT_EQ(model.parts[1].textures.size(), 1u);
    EXPECT_EQ(model.parts[1].textures[0].object, nullptr);
    std::remove((folder + "/two.mtl").c_str());
    ASSERT_TRUE(model.Load((folder + "/two.obj").c_str(), folder.c_str(), 0, 0, 0, true));
    EXPECT_EQ(model.parts.size(), 2u); // without materials no face is kept: nothing appended
}

} // namespace

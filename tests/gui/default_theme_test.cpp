// The default theme shipped in themes/: it loads whole from the repository's root, its atlas
// and font load, and its skin gives every element the composites ask for a textured style.
#include "support/window_fixture.h"

#include "formats/byte_buffer.h"
#include "gui/gui_skin.h"
#include "gui/gui_system.h"

#include <filesystem>
#include <fstream>
#include <string>

using namespace OvCore;
using namespace OvCore::OV_GUI;

namespace
{

class DefaultTheme : public OvTest::SuiteWindowTest<32, 32>
{
  protected:
    void SetUp() override
    {
        SuiteWindowTest::SetUp();
        previous = std::filesystem::current_path();
        std::filesystem::current_path(OV_SOURCE_DIR); // the theme names its files from here
    }
    void TearDown() override
    {
        gui.Clear();
        std::filesystem::current_path(previous);
        SuiteWindowTest::TearDown();
    }
    std::filesystem::path previous;
    GUI_SYSTEM gui;
};

TEST_F(DefaultTheme, LoadsWholeAndStylesEveryElement)
{
    ASSERT_TRUE(gui.LoadTheme("themes/default.xml", "default"));
    const OvHandle atlas = *gui.Textures.Find("default");
    ASSERT_NE(OvTextureGet(atlas, OV_TEXTURE_WIDTH), nullptr);
    EXPECT_EQ(*static_cast<int32_t*>(OvTextureGet(atlas, OV_TEXTURE_WIDTH)), 128);
    ASSERT_TRUE(gui.Fonts.Find("default"));
    EXPECT_TRUE(gui.Fonts.Find("default")->loaded);

    GUI_SKIN& skin = *gui.Skins.Find("default");
    EXPECT_GE(skin.Count(), 38u);
    const uint32_t styles = gui.Styles.Count();
    for (auto entry : skin)
    {
        STYLE_REF style = StyleOf(gui, "default", entry.Name());
        ASSERT_TRUE(style);
        EXPECT_EQ(style->AreaTexture[AREA_MIDDLE].object, atlas.object) << entry.Name();
        for (const OV_VECTOR_F& corner : style->AreaCoords[AREA_MIDDLE])
            EXPECT_TRUE(corner.x >= 0 && corner.x <= 1 && corner.y >= 0 && corner.y <= 1);
    }
    EXPECT_EQ(gui.Styles.Count(), styles); // every name the skin gives is a declared style
    EXPECT_EQ(StyleOf(gui, "default", "AreaActive")->TextFont, gui.Fonts.Find("default").Get());
}

// The small theme of docs/gui.md loads as written.
TEST_F(DefaultTheme, TheDocumentedExampleLoads)
{
    ByteBuffer doc;
    ASSERT_TRUE(doc.LoadFile("docs/gui.md"));
    const std::string markdown(reinterpret_cast<const char*>(doc.start), doc.count);
    const size_t start = markdown.find("```xml\n");
    ASSERT_NE(start, std::string::npos);
    const size_t end = markdown.find("```", start + 7);
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "gui_doc_example.xml";
    std::ofstream(path) << markdown.substr(start + 7, end - start - 7);
    EXPECT_TRUE(gui.LoadTheme(path.c_str(), "small"));
    std::filesystem::remove(path);
    const GUI_STYLE& framed = *StyleOf(gui, "small", "AreaActive");
    EXPECT_EQ(framed.AreaSplitPercent[SPLIT_LEFT], '%');
    EXPECT_NE(framed.AreaTexture[AREA_TOP].object, nullptr);
    EXPECT_EQ(framed.AreaColors[AREA_MIDDLE][2], OV_VECTOR_F(0.1f, 0.1f, 0.15f, 1)); // inherited
    EXPECT_TRUE(gui.Fonts.Find("text")->loaded);
}

} // namespace

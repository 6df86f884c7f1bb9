// LoadTheme on real files: every element into the tables, inheritance, partial values,
// percent splits, the texture defaults and loaders, duplicate themes, includes that fail or
// loop, and numbers a hand-written file gets wrong.
#include "support/ovt_images.h"
#include "support/window_fixture.h"

#include "formats/markup.h"
#include "graphics/image_files.h"
#include "gui/gui_system.h"
#include "gui/gui_theme_values.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

using namespace OvCore;
using namespace OvCore::OV_GUI;

namespace
{

class Theme : public OvTest::SuiteWindowTest<32, 32>
{
  protected:
    void SetUp() override
    {
        SuiteWindowTest::SetUp();
        dir = std::filesystem::temp_directory_path() /
              ("gui_theme_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
    }
    void TearDown() override
    {
        gui.Clear();
        std::filesystem::remove_all(dir);
        SuiteWindowTest::TearDown();
    }

    std::string Write(const std::string& name, const std::string& text)
    {
        const std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    // A file holding one theme "T" with the given elements.
    std::string WriteTheme(const std::string& name, const std::string& elements)
    {
        return Write(name, "<Theme Name=\"T\">\n" + elements + "\n</Theme>\n");
    }
    bool Load(const std::string& elements)
    {
        return gui.LoadTheme(WriteTheme("t.theme", elements).c_str(), "T");
    }
    std::string WriteOvt(const std::string& name)
    {
        const std::vector<uint8_t> bytes = OvTest::EncodeOvt(OvTest::Image(2, 2, {255, 0, 0, 255}));
        return Write(name, std::string(bytes.begin(), bytes.end()));
    }
    GUI_STYLE& Style(const char* name) { return *gui.Styles.Get(name); }

    std::filesystem::path dir;
    GUI_SYSTEM gui;
};

TEST_F(Theme, EveryStyleElementLandsInItsField)
{
    ASSERT_TRUE(Load(R"(
        <Font Name="f" TexFile="missing.ovt" />
        <Style Name="s">
            <AreaSplit><Top Value="4" /><Bottom Value="5" /><Left Value="6" /><Right Value="7" /></AreaSplit>
            <AreaColors Align="TOP-RIGHT"><0 Value="0.5:0.25:0:0.75" /><3 Value="0" /></AreaColors>
            <AreaCoords Align="BOTTOM" Tiled="32:16" Offset="2"><1 Value="0.5:0.5" /></AreaCoords>
            <AreaColorFilter Value="0.5:0.5:0.5:1" />
            <AsBorder Mode="On" />
            <IconRect><2 Value="16:16" /></IconRect>
            <TextColor Value="0:1:0" />
            <TextFont Name="f" />
            <TextHalign Mode="CENTER" /><TextValign Mode="BOTTOM" />
            <TextOffset Value="3:4" /><TextScale Value="2" />
            <TextBorder Color="1:0:0:1" Size="1.5" Quality="2" />
            <Unknown Value="9" />
        </Style>
        <Skin Name="k"><Style Control="AreaActive" Name="s" /><Other Control="x" Name="y" /></Skin>
        <Mystery />)"));
    const GUI_STYLE& s = Style("s");
    EXPECT_EQ(s.AreaSplit[SPLIT_TOP], 4);
    EXPECT_EQ(s.AreaSplit[SPLIT_RIGHT], 7);
    EXPECT_EQ(s.AreaColors[AREA_TOP_RIGHT][0], OV_VECTOR_F(0.5f, 0.25f, 0, 0.75f));
    EXPECT_EQ(s.AreaColors[AREA_TOP_RIGHT][3], OV_VECTOR_F(0, 1, 1, 1));
    EXPECT_EQ(s.AreaColors[AREA_MIDDLE][0], OV_VECTOR_F(1, 1, 1, 1));
    EXPECT_EQ(s.AreaTiled[AREA_BOTTOM], OV_VECTOR_F(32, 16));
    EXPECT_EQ(s.AreaOffset[AREA_BOTTOM], OV_VECTOR_F(2, 0));
    EXPECT_EQ(s.AreaCoords[AREA_BOTTOM][1], OV_VECTOR_F(0.5f, 0.5f));
    EXPECT_EQ(s.AreaCoords[AREA_BOTTOM][2], OV_VECTOR_F(1, 1));
    EXPECT_EQ(s.AreaColorFilter, OV_VECTOR_F(0.5f, 0.5f, 0.5f, 1));
    EXPECT_TRUE(s.AsBorder);
    EXPECT_EQ(s.IconRect[2], OV_VECTOR_F(16, 16));
    EXPECT_EQ(s.TextColor, OV_VECTOR(0, 1, 0, 1));
    EXPECT_EQ(s.TextFont, gui.Fonts.Find("f").Get());
    EXPECT_EQ(s.TextHalign, 0);
    EXPECT_EQ(s.TextValign, 1);
    EXPECT_EQ(s.TextOffset, OV_VECTOR(3, 4, 0, 1));
    EXPECT_EQ(s.TextScale, OV_VECTOR(2, 1, 0, 1));
    EXPECT_EQ(s.TextBorderColor, OV_VECTOR(1, 0, 0, 1));
    EXPECT_EQ(s.TextBorderSize, 1.5f);
    EXPECT_EQ(s.TextBorderQuality, 2);
    EXPECT_FALSE(gui.Fonts.Find("f")->loaded); // a missing font file leaves the font empty
    EXPECT_EQ(*gui.Skins.Get("k")->Get("AreaActive"), "s");
    EXPECT_EQ(gui.Skins.Get("k")->Count(), 1u);
}

TEST_F(Theme, InheritingAnUndeclaredStyleCopiesTheDefaults)
{
    ASSERT_TRUE(Load(R"(
        <Style Name="a"><TextHalign Mode="RIGHT" /><AsBorder Mode="On" /></Style>
        <Style Name="a" Inherit="later"><TextValign Mode="MIDDLE" /><TextHalign Mode="SIDEWAYS" /></Style>
        <Style Name="later"><AsBorder Mode="On" /></Style>)"));
    EXPECT_FALSE(Style("a").AsBorder);    // the default copied over it
    EXPECT_EQ(Style("a").TextHalign, -1); // an unknown mode leaves it
    EXPECT_EQ(Style("a").TextValign, 0);
    EXPECT_TRUE(Style("later").AsBorder); // created by the Inherit, changed in place later
    EXPECT_EQ(gui.Styles.Count(), 2u);
}

TEST_F(Theme, ColoursWithoutAlignSetTheMiddleAndPartialValuesKeepTheRest)
{
    ASSERT_TRUE(Load(R"(<Style Name="s"><AreaColors><0 Value="1:0:0" /><1 Value="" /></AreaColors>
                        <TextColor /></Style>)"));
    EXPECT_EQ(Style("s").AreaColors[AREA_MIDDLE][0], OV_VECTOR_F(1, 0, 0, 1));
    EXPECT_EQ(Style("s").AreaColors[AREA_MIDDLE][1], OV_VECTOR_F(1, 1, 1, 1));
    EXPECT_EQ(Style("s").AreaColors[AREA_TOP_LEFT][0], OV_VECTOR_F(1, 1, 1, 1));
    EXPECT_EQ(Style("s").TextColor, OV_VECTOR(1, 1, 1, 1));
}

TEST_F(Theme, PercentSplitsStayMarkedAndAreLimitedOnTheBox)
{
    ASSERT_TRUE(Load(
        R"(<Style Name="s"><AreaSplit><Left Value="25%" /><Top Value="300" /></AreaSplit></Style>
                        <Style Name="s"><AreaSplit><Left Value="25" /></AreaSplit></Style>)"));
    const GUI_STYLE& s = Style("s");
    EXPECT_EQ(s.AreaSplitPercent[SPLIT_LEFT], '%'); // never cleared by a later value
    EXPECT_EQ(s.AreaSplitPercent[SPLIT_TOP], 0);
    float splits[4];
    s.SplitsFor(200, 100, splits);
    EXPECT_EQ(splits[SPLIT_LEFT], 50);
    EXPECT_EQ(splits[SPLIT_TOP], 100);
}

TEST_F(Theme, AbsurdNumbersAreClampedOrIgnored)
{
    ASSERT_TRUE(Load(R"(<Style Name="s">
        <AreaSplit><Left Value="nan%" /><Top Value="-40" /><Right Value="1e30" /><Bottom Value="500%" /></AreaSplit>
        <AreaColors><0 Value="nan:inf:-1e30:0.5" /></AreaColors>
        <TextBorder Size="1e30" Quality="2000000000" />
        <TextScale Value="nan:3" /></Style>)"));
    const GUI_STYLE& s = Style("s");
    EXPECT_EQ(s.AreaSplit[SPLIT_LEFT], 0);
    EXPECT_EQ(s.AreaSplitPercent[SPLIT_LEFT], '%');
    EXPECT_EQ(s.AreaSplit[SPLIT_TOP], 0);
    EXPECT_EQ(s.AreaSplit[SPLIT_RIGHT], THEME_NUMBER_LIMIT);
    EXPECT_EQ(s.AreaSplit[SPLIT_BOTTOM], 100);
    EXPECT_EQ(s.AreaColors[AREA_MIDDLE][0], OV_VECTOR_F(1, 1, -THEME_NUMBER_LIMIT, 0.5f));
    EXPECT_EQ(s.TextBorderSize, THEME_BORDER_SIZE_LIMIT);
    EXPECT_EQ(s.TextBorderQuality, THEME_BORDER_QUALITY_LIMIT);
    EXPECT_EQ(s.TextScale, OV_VECTOR(1, 3, 0, 1));
}

TEST_F(Theme, TexturesLoadByTypeWithTheirDefaultsAndGoWithTheSystem)
{
    WriteOvt("red.ovt");
    OvTest::Image image(3, 1, {0, 0, 255, 255});
    const std::vector<uint8_t> ovt = OvTest::EncodeOvt(image);
    OvHandle scratch{1, nullptr};
    ASSERT_TRUE(OvTextureCreate(&scratch));
    ASSERT_TRUE(OvTextureLoadFromMemory(scratch, ovt.data(), 0, ovt.size()));
    ASSERT_TRUE(SaveTextureImage(scratch, (dir / "blue.png").c_str(), "png"));
    OvTextureDestroy(scratch);

    const std::string elements = R"(
        <Texture Name="red" Type="OVT" File=")" +
                                 (dir / "red.ovt").string() + R"(" />
        <Texture Name="blue" Type="PNG" File=")" +
                                 (dir / "blue.png").string() + R"(" />
        <Texture Name="gone" Type="OVT" File="missing.ovt" />
        <Style Name="s"><AreaTexture Align="TOP" Name="red" /><AreaTexture Name="blue" />
            <AreaTexture Align="LEFT" Name="gone" /><AreaTexture Align="RIGHT" Name="undeclared" /></Style>)";
    ASSERT_TRUE(Load(elements));
    const OvHandle red = *gui.Textures.Find("red");
    const OvHandle blue = *gui.Textures.Find("blue");
    EXPECT_EQ(*static_cast<int32_t*>(OvTextureGet(red, OV_TEXTURE_WIDTH)), 2);
    EXPECT_EQ(*static_cast<int32_t*>(OvTextureGet(blue, OV_TEXTURE_WIDTH)), 3);
    const GUI_STYLE& s = Style("s");
    EXPECT_EQ(s.AreaTexture[AREA_TOP].object, red.object);
    EXPECT_EQ(s.AreaTexture[AREA_MIDDLE].object, blue.object);
    EXPECT_EQ(s.AreaTexture[AREA_LEFT].object, nullptr); // failed to load: none
    EXPECT_EQ(s.AreaTexture[AREA_RIGHT].object, nullptr);
    EXPECT_FALSE(gui.Textures.Find("undeclared"));

    // Without a loader, other types stay empty; the replaced texture lives until the clear.
    gui.ImageLoader = nullptr;
    ASSERT_TRUE(Load(R"(<Texture Name="blue" Type="PNG" File=")" + (dir / "blue.png").string() +
                     R"(" />)"));
    EXPECT_EQ(gui.Textures.Find("blue")->object, nullptr);
    EXPECT_NE(OvTextureGet(blue, OV_TEXTURE_WIDTH), nullptr);
    gui.Clear();
    EXPECT_EQ(OvTextureGet(red, OV_TEXTURE_WIDTH), nullptr);
    EXPECT_EQ(OvTextureGet(blue, OV_TEXTURE_WIDTH), nullptr);
}

TEST(ThemeTextureParameters, NearestAndRepeatUnlessSaidOtherwise)
{
    const std::string text =
        R"(<Texture /><Texture MinFilter="LINEAR" MagFilter="linear" WrapS="CLAMP" WrapT="CLAMP" />)";
    MARKUP_NODE document;
    ASSERT_TRUE(document.Parse(text.c_str(), text.size(), " ", true));
    const TEXTURE_PARAMETERS plain = TextureParametersOf(document.children.front());
    EXPECT_EQ(plain.minFilter, OV_FILTER_NEAREST);
    EXPECT_EQ(plain.magFilter, OV_FILTER_NEAREST);
    EXPECT_EQ(plain.wrapS, OV_WRAP_REPEAT);
    EXPECT_EQ(plain.wrapT, OV_WRAP_REPEAT);
    const TEXTURE_PARAMETERS set = TextureParametersOf(document.children.back());
    EXPECT_EQ(set.minFilter, OV_FILTER_LINEAR);
    EXPECT_EQ(set.magFilter, OV_FILTER_NEAREST); // key words are case-sensitive
    EXPECT_EQ(set.wrapS, OV_WRAP_CLAMP);
    EXPECT_EQ(set.wrapT, OV_WRAP_CLAMP);
}

TEST_F(Theme, OnlyTheFirstThemeOfANameIsRead)
{
    const std::string path = Write("two.theme", R"(<Theme Name="T"><Style Name="first" /></Theme>
        <Theme Name="T"><Style Name="second" /></Theme><Other><Theme Name="U" /></Other>)");
    ASSERT_TRUE(gui.LoadTheme(path.c_str(), "T"));
    EXPECT_TRUE(gui.Styles.Find("first"));
    EXPECT_FALSE(gui.Styles.Find("second"));
    EXPECT_FALSE(gui.LoadTheme(path.c_str(), "U")); // only top-level themes count
    EXPECT_FALSE(gui.LoadTheme(path.c_str(), "t"));
    EXPECT_FALSE(gui.LoadTheme((dir / "none.theme").c_str(), "T"));
    EXPECT_FALSE(gui.LoadTheme(nullptr, "T"));
    EXPECT_FALSE(gui.LoadTheme(dir.c_str(), "T")); // a folder
    EXPECT_FALSE(gui.LoadTheme(Write("empty.theme", "\n\n").c_str(), "T"));
}

TEST_F(Theme, IncludesLoadInPlaceAndAFailingOneStopsTheLoad)
{
    WriteTheme("base.theme", R"(<Style Name="base"><AsBorder Mode="On" /></Style>)");
    ASSERT_TRUE(Load(R"(<Include File=")" + (dir / "base.theme").string() + R"(" Theme="T" />
                        <Style Name="derived" Inherit="base" />)"));
    EXPECT_TRUE(Style("derived").AsBorder);

    gui.Clear();
    EXPECT_FALSE(Load(
        R"(<Style Name="before" /><Include File="nowhere.theme" Theme="T" /><Style Name="after" />)"));
    EXPECT_TRUE(gui.Styles.Find("before"));
    EXPECT_FALSE(gui.Styles.Find("after"));
}

TEST_F(Theme, IncludeCyclesAreStopped)
{
    const std::string self = (dir / "self.theme").string();
    WriteTheme("self.theme", R"(<Style Name="s" /><Include File=")" + self + R"(" Theme="T" />)");
    EXPECT_FALSE(gui.LoadTheme(self.c_str(), "T"));

    const std::string a = (dir / "a.theme").string(), b = (dir / "b.theme").string();
    WriteTheme("a.theme", R"(<Include File=")" + b + R"(" Theme="T" />)");
    const std::string aAgain = (dir / "." / "a.theme").string(); // the same file, spelt apart
    WriteTheme("b.theme", R"(<Include File=")" + aAgain + R"(" Theme="T" />)");
    EXPECT_FALSE(gui.LoadTheme(a.c_str(), "T"));

    // The same file with another theme is no cycle.
    const std::string both =
        Write("both.theme", R"(<Theme Name="A"><Include File=")" + (dir / "both.theme").string() +
                                R"(" Theme="B" /></Theme><Theme Name="B" />)");
    EXPECT_TRUE(gui.LoadTheme(both.c_str(), "A"));
}

TEST_F(Theme, IncludeFanOutIsBounded)
{
    // Each level includes the next twice: 2^20 loads unless the count is bounded.
    for (int level = 0; level < 20; ++level)
    {
        const std::string next = (dir / ("l" + std::to_string(level + 1) + ".theme")).string();
        const std::string include = R"(<Include File=")" + next + R"(" Theme="T" />)";
        WriteTheme("l" + std::to_string(level) + ".theme", include + include);
    }
    WriteTheme("l20.theme", "");
    EXPECT_FALSE(gui.LoadTheme((dir / "l0.theme").c_str(), "T"));
}

} // namespace

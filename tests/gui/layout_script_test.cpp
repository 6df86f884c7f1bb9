// The layout expression language: statements, sources and their type rules, quoted phrases,
// the ending rules and the commands, run against real controls and factories.
#include "gui/gui_support.h"

#include "core/ov_window.h"
#include "gui/gui_factories.h"
#include "gui/gui_widget_ops.h"
#include "gui/layout_script.h"

#include <string>

using namespace OvCore;
using namespace OvCore::OV_GUI;

namespace
{

class LayoutScript : public OvTest::GuiTest
{
  protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        self = gui.Add<Com::C_GUI_CONTROL>();
        other = gui.Add<Com::C_GUI_CONTROL>();
        gui.NameControl("other", other);
    }
    void Run(const std::string& script, CONTROL* control = nullptr)
    {
        RunScript(control ? control : self, script.c_str(), gui);
    }
    CONTROL* self = nullptr;
    CONTROL* other = nullptr;
};

TEST_F(LayoutScript, LiteralsApplyOnlyWithTheFieldsTypeLetter)
{
    self->Position = OV_VECTOR_F(5, 6, 7, 1);
    Run("set Position to number 10:20f");
    EXPECT_EQ(self->Position, OV_VECTOR_F(10, 20, 7, 1));
    Run("set Order to number 3i");
    EXPECT_EQ(self->Order, 0);
    Run("set Order to number 3h");
    EXPECT_EQ(self->Order, 3);
    Run("set  Order   to number  2h");
    EXPECT_EQ(self->Order, 2);
    Run("set Order to number 5h; set MarginTop to number 4h");
    EXPECT_EQ(self->Order, 2);     // "5h;" is no literal
    EXPECT_EQ(self->MarginTop, 4); // and the next statement still runs
    Run("set Order to number 7h ; set MarginLeft to number 1h");
    EXPECT_EQ(self->Order, 7);
    EXPECT_EQ(self->MarginLeft, 1);
    Run("add Size to number 1:2:3:9f multiply Size by number 2:2:2f");
    EXPECT_EQ(self->Size, OV_VECTOR_F(2, 4, 6, 1)); // x, y, z only; w stays 1
}

TEST_F(LayoutScript, FlagsSetOrAndClearBits)
{
    Run("set Behaviour to flag INHERIT_WIDTH add Behaviour to flag DOCK_TO_CENTER");
    EXPECT_EQ(self->Behaviour, 0x1010u);
    Run("subtract Behaviour with flag INHERIT_WIDTH");
    EXPECT_EQ(self->Behaviour, 0x1000u);
    Run("add Behaviour to flag NO_SUCH_FLAG multiply Behaviour by flag ALL");
    EXPECT_EQ(self->Behaviour, 0x1000u);
    Run("set Events to flag ALL");
    EXPECT_EQ(self->Events, 0xFFFFFFFFu);
}

TEST_F(LayoutScript, QuotedPhrasesAndEscapes)
{
    Run("set Text to string 'Hello world'");
    EXPECT_STREQ(self->Text.Text(), "Hello world");
    Run("set Text to string one add Text to string ''");
    EXPECT_STREQ(self->Text.Text(), "one");
    Run("set Text to string 'a\\nb' subtract Text with string x");
    EXPECT_STREQ(self->Text.Text(), "a\nb");
    Run("set Text to string\n'two\r\nlines' add Text to string 'never closed set Order to number "
        "9h");
    EXPECT_STREQ(self->Text.Text(), "two linesnever closed set Order to number 9h");
    EXPECT_EQ(self->Order, 0);
    Run("set Text to string abcabc subtract Text with string b");
    EXPECT_STREQ(self->Text.Text(), "acac");
    Run("set Extend to string 'tag one' add Extend to string s");
    OV_STRING tag; // written without a terminator, read as the whole content
    self->Extend.Seek(0, false, false);
    self->Extend.ReadString(tag, false);
    EXPECT_STREQ(tag.Text(), "tag ones");
    EXPECT_TRUE(self->HasTag("tag ones")); // the behaviours read such a tag too
}

TEST_F(LayoutScript, VariablesKeepTheirTypeAndDivideSafely)
{
    Run("variable w as half set variable w to variable WindowWidth divide variable w by number "
        "2h divide variable w by number 0h set Order to variable w");
    EXPECT_EQ(self->Order, 400);
    Run("variable x as half variable x as integer set variable x to number 3h "
        "set MarginTop to variable x");
    EXPECT_EQ(self->MarginTop, 3);
    Run("variable n as integer set variable n to number -2147483648i divide variable n by "
        "number -1i divide variable n by number 0i variable t as string set variable t to "
        "variable WindowName set Text to variable t");
    EXPECT_STREQ(self->Text.Text(), windowRecord->title.Text());
    windowRecord->title = "Main";
    Run("set Text to variable WindowName add Text to variable WindowName "
        "set Size to variable WindowSize");
    EXPECT_STREQ(self->Text.Text(), "MainMain");
    EXPECT_EQ(self->Size, OV_VECTOR_F(800, 600, 0, 1));
    Run("set Order to variable WindowSize set Order to number 1h"); // mismatch, then on
    EXPECT_EQ(self->Order, 1);
}

TEST_F(LayoutScript, BooleansInvertBySourceKind)
{
    Run("add Visible to boolean true");
    EXPECT_FALSE(self->Visible);
    Run("add Visible to boolean false");
    EXPECT_FALSE(self->Visible);
    self->Visible = true;
    Run("variable b as boolean set variable b to boolean true add Visible to variable b");
    EXPECT_FALSE(self->Visible);
    Run("set Visible to boolean yes set CutArea to boolean true");
    EXPECT_FALSE(self->Visible);
    EXPECT_TRUE(self->CutArea);
}

TEST_F(LayoutScript, TexturesAndStylesComeFromTheSystemsTables)
{
    *gui.Textures.Get("atlas") = OvHandle{0, &gui};
    Run("set Icon to texture atlas set StyleActive to style 'my style'");
    EXPECT_EQ(self->Icon.object, &gui);
    EXPECT_EQ(self->StyleActive, gui.Styles.Find("my style"));
    EXPECT_TRUE(self->StyleActive);
    Run("set Icon to texture missing add StyleUnactive to style other");
    EXPECT_EQ(self->Icon.object, nullptr);
    EXPECT_TRUE(gui.Textures.Find("missing"));
    EXPECT_FALSE(gui.Styles.Find("other"));
}

// Each line is a script that ends early; the Order statement after the end must not run.
TEST_F(LayoutScript, EndingRulesStopTheRun)
{
    const char* endings[] = {
        "exit",
        "select by name nobody",
        "select parent",
        "set variable nobody to number 1h",
        "set Order to variable nobody",
        "set Order by number 1h",
        "variable v is half",
    };
    for (const char* ending : endings)
    {
        self->Order = 0;
        Run(std::string(ending) + " set Order to number 1h select this set MarginTop to number 1h");
        EXPECT_EQ(self->Order, 0) << ending;
        EXPECT_EQ(self->MarginTop, 0) << ending;
    }
    EXPECT_EQ(gui.RootControl()->Order, 0); // "select parent" did not reach the root
    Run("set NoSuchField to number 1h set Order to number 2h frobnicate set MarginTop to foo 3h "
        "set MarginRight to number 5h select by other select sideways set MarginBottom to "
        "number 6h");
    EXPECT_EQ(self->Order, 2);
    EXPECT_EQ(self->MarginRight, 5); // "foo" was consumed, "3h" ignored
    EXPECT_EQ(self->MarginBottom, 6);
}

TEST_F(LayoutScript, SelectionMovesByNameParentAndThis)
{
    auto* child = gui.Add<Com::C_GUI_CONTROL>(other);
    Run("select by name other set Order to number 4h select this set Order to number 5h");
    EXPECT_EQ(other->Order, 4);
    EXPECT_EQ(self->Order, 5);
    Run("select parent set Order to number 6h", child);
    EXPECT_EQ(other->Order, 6);
    gui.NameControl("two words", child);
    Run("select by name 'two words' set MarginTop to number 1h");
    EXPECT_EQ(child->MarginTop, 1);
    RunScript(nullptr, "exit", gui); // nothing to run on
}

TEST_F(LayoutScript, CommandsActOnTheSelection)
{
    CONTROL* menu = CreateMenu(gui, {"", "menu", {0, 0}, {80, 20}}, "File", {1, nullptr}, 0x80);
    CONTROL* bar = CreateProgressBar(gui, {"", "bar", {0, 0}, {110, 10}}, {0, 0, 5, 5});
    CONTROL* edit = CreateEditBox(gui, {"", "edit", {0, 0}, {100, 20}}, "", false);
    ASSERT_TRUE(menu && bar && edit);
    CONTROL* list = menu->Node->children.front().children.front().control.get();

    Run("select by name menu do MenuExpand now", nullptr);
    EXPECT_TRUE(list->Visible && list->Active);
    Run("select by name menu do MenuCollapse");
    EXPECT_TRUE(list->Visible); // the command's last words: nothing
    Run("select by name menu do MenuCollapse now");
    EXPECT_FALSE(list->Visible || list->Active);

    CONTROL* fill = bar->Node->children.front().control.get();
    Run("select by name bar do ProgressBarSetPhase using number 0.5h now");
    EXPECT_EQ(fill->Size.x, 50);
    Run("select by name bar do ProgressBarSetPhase using number 1i now");
    EXPECT_EQ(fill->Size.x, 0);
    Run("select by name bar do ProgressBarSetPhase using junk number 1h now");
    EXPECT_EQ(fill->Size.x, 0); // a value counts only right after "using"
    Run("select by name bar do ProgressBarSetPhase using number 0.25h");
    EXPECT_EQ(fill->Size.x, 25); // the end of the script ends the list
    Run("select by name bar do ProgressBarSetPhase using");
    EXPECT_EQ(fill->Size.x, 25); // "using" as the last word runs nothing

    OV_STRING value;
    Run("select by name edit do EditBoxSetText using string 'hello there' now "
        "do EditBoxPasswordMode using boolean true now do Frobnicate set Order to number 1h");
    ASSERT_TRUE(EditBoxGetText(edit, value));
    EXPECT_STREQ(value.Text(), "hello there");
    EXPECT_STREQ(edit->Node->children.front().control->Text.Text(), "***********");
    EXPECT_EQ(edit->Order, 1);
    Run("select by name edit do EditBoxSetText now");
    ASSERT_TRUE(EditBoxGetText(edit, value));
    EXPECT_STREQ(value.Text(), "");
    Run("do MenuCollapse now do EditBoxEditMode now"); // wrong kinds: left alone
    EXPECT_EQ(self->Node->children.size(), 0u);
}

TEST_F(LayoutScript, BoundsHoldForHostileScripts)
{
    std::string declarations;
    for (int i = 0; i < 300; ++i)
        declarations += "variable v" + std::to_string(i) + " as half ";
    Run(declarations + "set variable v256 to number 1h set Order to number 8h");
    EXPECT_EQ(self->Order, 0); // v256 was never declared: past the limit, the run ended
    Run(declarations + "set variable v255 to number 1h set Order to number 8h");
    EXPECT_EQ(self->Order, 8);

    Run("set Text to string " + std::string(40000, 'a'));
    Run("add Text to string " + std::string(30000, 'b'));
    EXPECT_EQ(self->Text.Length(), 40000u); // the append past the text limit is not made
    Run(std::string(SCRIPT_LIMITS::SCRIPT_BYTES + 1, ' ') + "set Order to number 1h");
    EXPECT_EQ(self->Order, 8); // too long: not run
}

} // namespace

// Layout files: node kinds and their attribute forms, content text, procedures and icons,
// Include (and the cycles it must not follow), items by parent, menus and their docks, the
// OnLoad order, and the bounds of one load.
#include "gui/gui_support.h"

#include "gui/gui_items.h"
#include "gui/gui_widget_ops.h"
#include "gui/layout.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>

using namespace OvCore;
using namespace OvCore::OV_GUI;

namespace
{

void Clicked(Com::C_GUI_CONTROL*) {}
void Drawn(Com::C_GUI_CONTROL*) {}

class LayoutFile : public OvTest::GuiTest
{
  protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        previous = std::filesystem::current_path();
        std::filesystem::current_path(OV_TEST_DATA_DIR "/gui"); // includes name files from here
        *procedures.Get("clicked") = Clicked;
        *procedures.Get("drawn") = Drawn;
        *icons.Get("open") = OvHandle{0, &icons};
    }
    void TearDown() override
    {
        std::filesystem::current_path(previous);
        GuiTest::TearDown();
    }
    bool Load(const char* element, const char* file = "layout_cases.layout")
    {
        return LoadLayout(file, element, procedures, icons, gui, nullptr, nullptr, nullptr, &notes);
    }
    CONTROL* Named(const char* name) const
    {
        CONTROL** control = gui.NamedControls.Find(name).Get();
        return control ? *control : nullptr;
    }
    static CONTROL* Child(CONTROL* control, size_t index)
    {
        auto it = control->Node->children.begin();
        std::advance(it, index);
        return it->control.get();
    }
    size_t TopLevel() const { return gui.Root.children.size(); }

    std::filesystem::path previous;
    LAYOUT_PROCEDURES procedures;
    LAYOUT_ICONS icons;
    LAYOUT_NOTES notes;
};

TEST_F(LayoutFile, WindowSwitchesAreExactAndVectorsKeepTheirDefaults)
{
    ASSERT_TRUE(Load("Layout/Decoration"));
    CONTROL* content = Named("win");
    ASSERT_TRUE(content);
    CONTROL* window = content->Parent();
    EXPECT_EQ(window->Position, OV_VECTOR_F(10, 20, 0, 1));
    ASSERT_EQ(window->Node->children.size(), 3u); // content, title bar, close button: 0x3
    EXPECT_TRUE(Child(window, 1)->HasTag("bar"));
    EXPECT_STREQ(Child(window, 1)->Text.Text(), "Hi");
    EXPECT_TRUE(Child(window, 2)->HasTag("btnclose"));
    EXPECT_EQ(content->MarginTop, 5);
    EXPECT_EQ(content->MarginBottom + content->MarginLeft + content->MarginRight, 0);
}

TEST_F(LayoutFile, CaptionsAreUnescapedEditTextIsNot)
{
    ASSERT_TRUE(Load("Layout/Texts"));
    EXPECT_STREQ(Named("button")->Text.Text(), "Open\nFile");
    EXPECT_STREQ(Named("static")->Text.Text(), "a\tb");
    OV_STRING value;
    ASSERT_TRUE(EditBoxGetText(Named("edit"), value));
    EXPECT_STREQ(value.Text(), "Open\\nFile");
}

TEST_F(LayoutFile, ControlsAreNamedOnlyWithANameAndTheLastOneWins)
{
    ASSERT_TRUE(Load("Layout/Controls"));
    EXPECT_EQ(TopLevel(), 3u);
    EXPECT_EQ(gui.NamedControls.Count(), 1u);
    ASSERT_TRUE(Named("c"));
    EXPECT_EQ(Named("c")->Order, 3);
    EXPECT_EQ(gui.Root.children.front().control->Order, 1); // OnLoad ran on the unnamed one
}

TEST_F(LayoutFile, IncludesLoadInPlaceAndEmptyNodesLoadNothing)
{
    CONTROL* holder = gui.Add<Com::C_GUI_CONTROL>();
    ASSERT_TRUE(LoadLayout("layout_cases.layout", "Layout/IncludeSelf", procedures, icons, gui,
                           nullptr, holder, nullptr, &notes));
    ASSERT_EQ(holder->Node->children.size(), 2u);
    EXPECT_EQ(Named("shared")->Parent(), holder);
    EXPECT_EQ(Named("other")->Parent(), holder);
    EXPECT_TRUE(notes.empty());
}

TEST_F(LayoutFile, IncludeCyclesAreStoppedDirectAndThroughOtherFiles)
{
    ASSERT_TRUE(Load("Layout/Cycle"));
    EXPECT_EQ(TopLevel(), 3u); // before, back, after: each once
    EXPECT_TRUE(Named("before") && Named("back") && Named("after"));
    ASSERT_EQ(notes.size(), 3u);
    for (const std::string& note : notes)
        EXPECT_EQ(note.rfind("include cycle: ", 0), 0u) << note;
}

TEST_F(LayoutFile, LeafKindsTakeNoChildren)
{
    ASSERT_TRUE(Load("Layout/Leaves"));
    for (const char* name : {"inProgress", "inSlider", "inEdit", "inItem"})
        EXPECT_FALSE(Named(name)) << name;
    EXPECT_EQ(CountItems(Named("leafList")), 1u);
}

TEST_F(LayoutFile, ItemsBecomeWhatTheirParentHolds)
{
    ASSERT_TRUE(Load("Layout/Items"));
    EXPECT_EQ(TopLevel(), 3u); // the stray item and the unknown element make nothing
    EXPECT_FALSE(Named("insideUnknown"));
    std::vector<CONTROL*> rows;
    GetItems(Named("list"), rows);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_STREQ(rows[1]->Text.Text(), "two");
    EXPECT_EQ(rows[1]->Position.y, 20);
    CONTROL* combo = Named("combo");
    EXPECT_STREQ(combo->Text.Text(), "pick");
    CONTROL* comboList = Child(Child(Child(combo, 0), 0), 0);
    ASSERT_TRUE(comboList->HasTag("comboboxl"));
    EXPECT_EQ(CountItems(comboList), 2u);
    GetItems(Named("checks"), rows);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_STREQ(rows[0]->Text.Text(), "A\tB");
}

TEST_F(LayoutFile, MenusNestAsSubMenusWithTheirDockWords)
{
    ASSERT_TRUE(Load("Layout/Menus"));
    CONTROL* file = Named("file");
    ASSERT_TRUE(file && file->HasTag("menubutton"));
    EXPECT_STREQ(file->Text.Text(), "File");
    CONTROL* list = Child(Child(file, 0), 0);
    EXPECT_EQ(list->Behaviour, 0x80u);
    ASSERT_EQ(list->Node->children.size(), 3u);
    auto* open = dynamic_cast<Com::C_GUI_CONTROL*>(Child(list, 0));
    ASSERT_TRUE(open);
    EXPECT_EQ(open->EventProc, &Clicked);
    EXPECT_EQ(open->Icon.object, &icons);
    CONTROL* recent = Child(list, 1);
    EXPECT_TRUE(recent->HasTag("menuitem"));
    EXPECT_EQ(Child(Child(recent, 0), 0)->Behaviour, 0x200u); // opens to the right
    EXPECT_EQ(Child(Child(recent, 0), 0)->Node->children.size(), 1u);
    EXPECT_EQ(Child(Child(Child(list, 2), 0), 0)->Behaviour, 0x500u);
    CONTROL* comboOuter = Child(Child(Named("upCombo"), 0), 0);
    EXPECT_EQ(comboOuter->Behaviour, 0x140u);
}

TEST_F(LayoutFile, ProceduresAreLookedUpByNameWhereTheKindHonoursThem)
{
    ASSERT_TRUE(Load("Layout/Procedures"));
    auto* button = dynamic_cast<Com::C_GUI_CONTROL*>(Named("proc"));
    ASSERT_TRUE(button);
    EXPECT_EQ(button->EventProc, &Clicked);
    EXPECT_EQ(button->RenderProc, &Drawn);
    auto* unknown = dynamic_cast<Com::C_GUI_CONTROL*>(Named("unknownProc"));
    EXPECT_EQ(unknown->EventProc, nullptr);
    EXPECT_TRUE(procedures.Find("nobody")); // looked up, added with none
}

TEST_F(LayoutFile, OnLoadRunsBeforeTheChildrenExist)
{
    ASSERT_TRUE(Load("Layout/Blind"));
    CONTROL* content = Named("blind");
    EXPECT_EQ(content->MarginLeft, 3);
    EXPECT_EQ(content->MarginTop, 0); // the select found nothing and ended the run
    EXPECT_EQ(Named("blindChild")->Parent(), content);
}

TEST_F(LayoutFile, MissingFilesAndPathsCreateNothing)
{
    EXPECT_FALSE(Load("Layout/NoSuchElement"));
    EXPECT_FALSE(Load("Layout", "no-such-file.layout"));
    EXPECT_EQ(TopLevel(), 0u);
}

// A pipe never ends: reading one would wait for a writer for ever.
TEST_F(LayoutFile, IncludesOfPipesAreNotRead)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    const std::string fifo = (folder / "layout_pipe").string();
    std::filesystem::remove(fifo);
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::filesystem::path path = folder / "pipe.layout";
    std::ofstream(path) << "<L><Include File=\"" << fifo << "\" Node=\"X\" /><Control /></L>";
    EXPECT_TRUE(Load("L", path.c_str()));
    EXPECT_FALSE(Load("X", fifo.c_str()));
    std::filesystem::remove(fifo);
    std::filesystem::remove(path);
    EXPECT_EQ(TopLevel(), 1u);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].rfind("include not loaded", 0), 0u) << notes[0];
}

TEST_F(LayoutFile, DeepAndLongDocumentsStopAtTheirBounds)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "deep.layout";
    std::string deep = "<L>";
    for (int i = 0; i < 300; ++i)
        deep += "<Control>";
    for (int i = 0; i < 5000; ++i)
        deep += "<Control />";
    std::ofstream(path) << deep;
    ASSERT_TRUE(Load("L", path.c_str()));
    std::filesystem::remove(path);
    EXPECT_EQ(notes.size(), 1u); // nested too deep; the flat ones lie past that depth too
    uint32_t depth = 0;
    for (CONTROL_NODE* node = &gui.Root; !node->children.empty(); node = &node->children.front())
        ++depth;
    EXPECT_EQ(depth, LAYOUT_LIMITS::NESTING);

    notes.clear();
    gui.Clear();
    std::string flat = "<L>";
    for (int i = 0; i < 5000; ++i)
        flat += "<Control />";
    std::ofstream(path) << flat;
    ASSERT_TRUE(Load("L", path.c_str()));
    std::filesystem::remove(path);
    EXPECT_EQ(TopLevel(), LAYOUT_LIMITS::ELEMENTS);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].rfind("too many elements", 0), 0u);
}

} // namespace

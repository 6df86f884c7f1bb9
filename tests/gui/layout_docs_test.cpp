// The complete examples of docs/gui.md, kept as files in docs/examples: the documentation
// quotes them as they are, the layout loads into the screen it describes and the script
// does what the documentation says it does.
#include "gui/gui_support.h"

#include "core/ov_window.h"
#include "formats/byte_buffer.h"
#include "gui/gui_factories.h"
#include "gui/gui_items.h"
#include "gui/layout.h"
#include "gui/layout_script.h"

#include <filesystem>
#include <string>

using namespace OvCore;
using namespace OvCore::OV_GUI;

namespace
{

std::string ReadText(const std::string& path)
{
    ByteBuffer file;
    EXPECT_TRUE(file.LoadFile(path.c_str())) << path;
    return std::string(reinterpret_cast<const char*>(file.start), file.count);
}

void Ok(Com::C_GUI_CONTROL*) {}

class LayoutDocs : public OvTest::GuiTest
{
  protected:
    CONTROL* Named(const char* name) const
    {
        CONTROL** control = gui.NamedControls.Find(name).Get();
        return control ? *control : nullptr;
    }
};

TEST_F(LayoutDocs, TheDocumentationQuotesBothExamples)
{
    const std::string guide = ReadText(OV_SOURCE_DIR "/docs/gui.md");
    for (const char* example : {"layout_example.layout", "script_example.txt"})
        EXPECT_NE(guide.find("```\n" +
                             ReadText(OV_SOURCE_DIR "/docs/examples/" + std::string(example)) +
                             "```"),
                  std::string::npos)
            << example;
}

TEST_F(LayoutDocs, TheLayoutExampleBuildsItsScreen)
{
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(OV_SOURCE_DIR "/docs/examples");
    LAYOUT_PROCEDURES procedures;
    LAYOUT_ICONS icons;
    *procedures.Get("SettingsOk") = Ok;
    LAYOUT_NOTES notes;
    const bool loaded = LoadLayout("layout_example.layout", "Screens/Settings", procedures, icons,
                                   gui, nullptr, nullptr, nullptr, &notes);
    std::filesystem::current_path(previous);
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(notes.empty());
    CONTROL* content = Named("Settings");
    ASSERT_TRUE(content);
    EXPECT_EQ(content->Node->children.size(), 5u); // hint, audio, level, OK, Cancel
    EXPECT_STREQ(Named("Hint")->Text.Text(), "Choose, then press\tOK, or Cancel");
    EXPECT_EQ(CountItems(Named("Audio")), 2u);
    EXPECT_EQ(Named("Level")->Order, -1);
    EXPECT_EQ(Named("Ok")->Parent(), content);
    EXPECT_EQ(static_cast<Com::C_GUI_CONTROL*>(Named("Ok"))->EventProc, &Ok);
    EXPECT_TRUE(procedures.Find("SettingsCancel")); // named, not bound by the program
}

TEST_F(LayoutDocs, TheScriptExampleDoesWhatTheGuideSays)
{
    CONTROL* self = gui.Add<Com::C_GUI_CONTROL>();
    CONTROL* bar = CreateProgressBar(gui, {"", "Progress", {}, {100, 10}}, {});
    ASSERT_TRUE(bar);
    RunScript(self, ReadText(OV_SOURCE_DIR "/docs/examples/script_example.txt").c_str(), gui);
    EXPECT_EQ(self->Position, OV_VECTOR_F(0, 40, 0, 1));
    EXPECT_EQ(self->Size, OV_VECTOR_F(800, 600, 0, 1));
    EXPECT_EQ(self->Behaviour, INHERIT_WIDTH | DOCK_TO_CENTER);
    EXPECT_STREQ(self->Text.Text(), "Welcome,\nplayer!");
    EXPECT_EQ(bar->Node->children.front().control->Size.x, 75);
    EXPECT_EQ(self->MarginLeft, 400);
    EXPECT_TRUE(self->Visible);
}

} // namespace

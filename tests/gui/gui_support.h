// What the GUI tests share: a GUI_SYSTEM bound to an 800 x 600 window record that is never
// opened, boxes placed as the layout pass would place them, input fed through the window
// procedure as the message loop feeds it, and a control that records what it was given.
#pragma once

#include "gui/gui_system.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace OvCore
{
struct OV_WINDOW;
}

namespace OvTest
{

// Corner 0 of area 0 at (x, y) and corner 2 of area 8 at (x + w, y + h): what the input pass
// reads of a control's box.
void PlaceBox(OvCore::OV_GUI::CONTROL& control, float x, float y, float w, float h);

// A control that notes every OnEvents call: its bits, and its name in a shared log.
class PROBE : public OvCore::OV_GUI::CONTROL
{
  public:
    explicit PROBE(std::vector<std::string>* log = nullptr, std::string name = "")
        : log_(log), name_(std::move(name))
    {
    }
    ~PROBE() override;
    void OnEvents() override;

    uint32_t seen = 0;
    int calls = 0;
    // Called from OnEvents after the note is taken.
    std::function<void(PROBE&)> onEvents;
    // Counts PROBE destructions, to show who deletes controls.
    static int destroyed;

  private:
    std::vector<std::string>* log_;
    std::string name_;
};

class GuiTest : public ::testing::Test
{
  protected:
    void SetUp() override;
    void TearDown() override;

    // A probe under `parent` (the root when null) with its box.
    PROBE* AddProbe(OvCore::OV_GUI::CONTROL* parent, float x, float y, float w, float h,
                    const char* name = "");

    // Input: the cursor (window coordinates), the left button, a key; then one pass of
    // input, removal and clean-up, and the end of the frame's input edges and typed
    // characters (as the frame loop clears them).
    void MoveTo(int x, int y);
    void Press();
    void Release();
    void KeyDown(unsigned key);
    // Characters as the window procedure receives them (WM_CHAR), one message each.
    void Type(const char* text, size_t length);
    void Type(const char* text) { Type(text, std::char_traits<char>::length(text)); }
    // The frame time the loop measured (OV_LOOP::delta); back to 0 after each test.
    void SetFrameTime(float seconds);
    void KeyUp(unsigned key);
    void Pass();

    OvCore::OV_WINDOW* windowRecord = nullptr;
    OvCore::OV_GUI::GUI_SYSTEM gui;
    std::vector<std::string> log;
};

} // namespace OvTest

// The control tree and the input pass, driven by mouse and key messages without drawing:
// stacking order and hover, clipping, inactive subtrees, correction, delivery, events sent by
// hand, removal during a pass and who deletes controls.
#include "gui/gui_support.h"

#include <utility>

#include "app/ov_application.h"
#include "core/ov_loop.h"
#include "core/ov_window.h"

using namespace OvCore;
using namespace OvCore::OV_GUI;
using OvTest::PROBE;

namespace
{

class ControlTree : public OvTest::GuiTest
{
};

TEST_F(ControlTree, LowerOrderWinsTheHoverAndEqualOrdersKeepTreeOrder)
{
    PROBE* back = AddProbe(nullptr, 0, 0, 100, 100);
    PROBE* front = AddProbe(nullptr, 0, 0, 100, 100);
    MoveTo(50, 50);
    Pass();
    EXPECT_EQ(gui.Hovered, front);                    // equal orders: the later one is in front
    EXPECT_EQ(back->PreviousEvents & MOUSE_OVER, 0u); // corrected away
    EXPECT_NE(front->PreviousEvents & MOUSE_OVER, 0u);

    back->Order = -1;
    Pass();
    EXPECT_EQ(gui.Hovered, back);
}

TEST_F(ControlTree, ClippingFollowsCutAreaAndCutMargins)
{
    PROBE* parent = AddProbe(nullptr, 0, 0, 100, 100);
    PROBE* child = AddProbe(parent, 150, 0, 50, 50); // outside the parent's box
    MoveTo(160, 10);
    Pass();
    EXPECT_EQ(gui.Hovered, nullptr);

    parent->CutArea = false;
    Pass();
    EXPECT_EQ(gui.Hovered, child);

    child->CutMarginLeft = 20; // the hit box starts at x = 170
    Pass();
    EXPECT_EQ(gui.Hovered, nullptr);
    EXPECT_NE(child->PreviousEvents & MOUSE_OUT, 0u);
}

// A child reaching out of its parent takes clicks in its visible part only.
TEST_F(ControlTree, APartlyClippedControlTakesClicksInsideItsVisiblePartOnly)
{
    PROBE* parent = AddProbe(nullptr, 0, 0, 100, 100);
    PROBE* child = AddProbe(parent, 80, 10, 50, 20); // x 80..130, visible up to 100
    for (const auto& [x, hit] : {std::pair{85, true}, {99, true}, {100, false}, {120, false}})
    {
        MoveTo(x, 15);
        Press();
        Pass();
        EXPECT_EQ(gui.Hovered == child, hit) << x;
        EXPECT_EQ((child->PreviousEvents & MOUSE_OVER) != 0, hit) << x;
        Release();
        Pass();
    }
}

TEST_F(ControlTree, InactiveSubtreeGetsNoEvents)
{
    PROBE* parent = AddProbe(nullptr, 0, 0, 100, 100);
    PROBE* child = AddProbe(parent, 0, 0, 100, 100);
    parent->Active = false;
    MoveTo(10, 10);
    Press();
    KeyDown('A');
    Pass();
    EXPECT_EQ(gui.Hovered, nullptr);
    EXPECT_EQ(child->calls, 1); // still delivered, with nothing set
    EXPECT_EQ(child->seen, 0u);
    EXPECT_EQ(parent->seen, 0u);
}

TEST_F(ControlTree, CorrectionKeepsGlobalBitsAndNonCorrectedContainers)
{
    PROBE* container = AddProbe(nullptr, 0, 0, 200, 200);
    PROBE* plain = AddProbe(nullptr, 300, 0, 200, 200);
    PROBE* child = AddProbe(container, 10, 10, 50, 50);
    container->NonCorrected = true;
    MoveTo(20, 20);
    Press();
    KeyDown('A');
    Pass();
    EXPECT_EQ(gui.Hovered, child);
    const uint32_t global = KEY_PRESSED | KEY_HELD | MOUSE_HELD;
    EXPECT_EQ(child->seen & (global | MOUSE_PRESSED | MOUSE_OVER),
              global | MOUSE_PRESSED | MOUSE_OVER);
    EXPECT_EQ(container->seen & (MOUSE_OVER | MOUSE_PRESSED), MOUSE_OVER | MOUSE_PRESSED);
    // The plain one keeps the held bits and its MOUSE_OUT but not the masked ones.
    EXPECT_EQ(plain->seen & global, global);
    EXPECT_EQ(plain->seen & (MOUSE_PRESSED | MOUSE_ENTER | MOUSE_OVER), 0u);
    EXPECT_NE(plain->seen & MOUSE_OUT, 0u);

    container->NonCorrected = false;
    Pass();
    EXPECT_EQ(container->seen & MOUSE_OVER, 0u);
}

TEST_F(ControlTree, EnterMoveAndLeaveFollowTheCursorBetweenPasses)
{
    PROBE* box = AddProbe(nullptr, 100, 100, 50, 50);
    box->NonCorrected = true;
    MoveTo(10, 10);
    Pass();
    MoveTo(120, 120);
    Pass();
    EXPECT_EQ(box->seen & (MOUSE_ENTER | MOUSE_OVER | MOUSE_MOVE),
              MOUSE_ENTER | MOUSE_OVER | MOUSE_MOVE);
    Pass();
    EXPECT_EQ(box->seen, MOUSE_OVER); // still, inside: nothing else
    EXPECT_EQ(gui.MouseMove.x, 0);
    MoveTo(150, 120); // the right edge is outside
    Pass();
    EXPECT_EQ(box->seen, MOUSE_OUT | MOUSE_LEAVE | MOUSE_MOVE);
    EXPECT_EQ(gui.MouseMove.x, 30);
    EXPECT_EQ(gui.LastMouse.x, 150);
}

TEST_F(ControlTree, DeliveryIsParentFirstInTreeOrderAndClearsTheBits)
{
    PROBE* a = AddProbe(nullptr, 0, 0, 10, 10, "a");
    AddProbe(a, 0, 0, 10, 10, "a1");
    AddProbe(a, 0, 0, 10, 10, "a2");
    PROBE* b = AddProbe(nullptr, 0, 0, 10, 10, "b");
    b->Order = 5; // order changes visiting, not delivery
    MoveTo(5, 5);
    Pass();
    EXPECT_EQ(log, (std::vector<std::string>{"a", "a1", "a2", "b"}));
    EXPECT_EQ(a->Events, 0u);
    EXPECT_EQ(a->PreviousEvents, a->seen);
}

TEST_F(ControlTree, NothingHappensWithoutAWindow)
{
    PROBE* box = AddProbe(nullptr, 0, 0, 10, 10);
    gui.Window = nullptr;
    Pass();
    EXPECT_EQ(box->calls, 0);
}

TEST_F(ControlTree, BringToFrontPlainAndExclusive)
{
    PROBE* a = AddProbe(nullptr, 0, 0, 1, 1);
    PROBE* b = AddProbe(nullptr, 0, 0, 1, 1);
    PROBE* c = AddProbe(nullptr, 0, 0, 1, 1);
    PROBE* d = AddProbe(nullptr, 0, 0, 1, 1);
    b->Order = -2;
    c->Order = 3;
    gui.BringToFront(d, false);
    EXPECT_EQ(d->Order, -3);
    EXPECT_EQ(a->Order, 0);
    gui.BringToFront(a, true);
    EXPECT_EQ(a->Order, -1);
    EXPECT_EQ(b->Order, 0);
    EXPECT_EQ(c->Order, 0);
    EXPECT_EQ(d->Order, 0);
    gui.BringToFront(gui.RootControl(), true); // no parent: nothing
    EXPECT_EQ(gui.RootControl()->Order, 0);
}

TEST_F(ControlTree, SendEventModesAndTheTreeCheck)
{
    PROBE* parent = AddProbe(nullptr, 0, 0, 1, 1);
    PROBE* child = AddProbe(parent, 0, 0, 1, 1);
    child->Active = false;
    gui.SendEvent(parent, 0x800, 2, true, false);
    EXPECT_EQ(parent->seen, 0x800u);
    EXPECT_EQ(parent->Events, 0x800u); // not cleared
    EXPECT_EQ(child->calls, 0);
    gui.SendEvent(parent, 0x1000, 3, true, true);
    EXPECT_EQ(parent->Events, 0u);
    EXPECT_EQ(child->calls, 1);
    EXPECT_EQ(child->seen, 0u); // inactive: runs its handler without the bits

    GUI_SYSTEM other;
    PROBE* stranger = static_cast<PROBE*>(other.AddControl(new PROBE));
    gui.SendEvent(stranger, 0x800, 2, true, true);
    EXPECT_EQ(stranger->calls, 0);
    gui.SendEvent(nullptr, 0x800, 3, true, true);
}

TEST_F(ControlTree, AddControlRefusesWhatItCannotAttach)
{
    PROBE::destroyed = 0;
    EXPECT_EQ(gui.AddControl(nullptr), nullptr);
    PROBE* box = AddProbe(nullptr, 0, 0, 1, 1);
    EXPECT_EQ(gui.AddControl(box), nullptr); // already attached: stays where it is
    EXPECT_EQ(box->Parent(), gui.RootControl());
    GUI_SYSTEM other;
    CONTROL* foreign = other.AddControl(new CONTROL);
    EXPECT_EQ(gui.AddControl(new PROBE, foreign), nullptr); // deleted, not leaked
    EXPECT_EQ(PROBE::destroyed, 1);
    EXPECT_EQ(box->System, &gui);
    EXPECT_TRUE(gui.Contains(box->Node));
    EXPECT_FALSE(gui.Contains(foreign->Node));
}

TEST_F(ControlTree, AHandlerClosingItsWindowRemovesTheSubtreeAtTheEndOfThePass)
{
    PROBE* frame = AddProbe(nullptr, 0, 0, 100, 100, "window");
    PROBE* button = AddProbe(frame, 0, 0, 10, 10, "button");
    PROBE* label = AddProbe(frame, 0, 0, 10, 10, "label");
    gui.NameControl("win", frame);
    gui.NameControl("label", label);
    button->onEvents = [this, frame](PROBE&) { gui.QueueRemoval(frame); };
    MoveTo(5, 5);
    PROBE::destroyed = 0;
    Pass();
    EXPECT_EQ(log, (std::vector<std::string>{"window", "button", "label"}));
    EXPECT_EQ(PROBE::destroyed, 3);
    EXPECT_TRUE(gui.NamedControls.IsEmpty());
    EXPECT_EQ(gui.Hovered, nullptr);
    EXPECT_TRUE(gui.Root.children.empty());
}

TEST_F(ControlTree, RemovingANamedControlInsideAPassIsSafe)
{
    PROBE* first = AddProbe(nullptr, 0, 0, 100, 100, "first");
    PROBE* second = AddProbe(nullptr, 0, 0, 100, 100, "second");
    AddProbe(second, 0, 0, 10, 10, "inner");
    gui.NameControl("second", second);
    EXPECT_FALSE(gui.RemoveNamedControl(first)); // no entry: nothing changes
    first->onEvents = [this, second](PROBE&) { EXPECT_TRUE(gui.RemoveNamedControl(second)); };
    PROBE::destroyed = 0;
    MoveTo(5, 5);
    Pass();
    EXPECT_EQ(log, (std::vector<std::string>{"first"})); // out at once: no delivery
    EXPECT_EQ(PROBE::destroyed, 2);
    EXPECT_EQ(gui.Root.children.size(), 1u);
    EXPECT_EQ(gui.Hovered, nullptr); // it was hovered; the pointer is not left dangling
}

TEST_F(ControlTree, NamesOfControlsOutsideTheTreeAreDroppedOnce)
{
    PROBE* box = AddProbe(nullptr, 0, 0, 1, 1);
    gui.NameControl("box", box);
    gui.NameControl("box", box); // replaces, does not add
    EXPECT_EQ(gui.NamedControls.Count(), 1u);
    *gui.NamedControls.Get("stray") = nullptr;
    gui.CleanNamedControls();
    EXPECT_EQ(gui.NamedControls.Count(), 1u);
}

TEST_F(ControlTree, TheSystemDeletesItsControlsAndBoundsTheDepth)
{
    PROBE::destroyed = 0;
    {
        GUI_SYSTEM local;
        CONTROL* parent = nullptr;
        for (uint32_t depth = 1; depth <= GUI_SYSTEM::DEPTH_LIMIT; ++depth)
            parent = local.AddControl(new PROBE, parent);
        ASSERT_NE(parent, nullptr);
        EXPECT_EQ(local.AddControl(new PROBE, parent), nullptr); // one level too deep
        EXPECT_EQ(PROBE::destroyed, 1);
        for (int i = 0; i < 10000; ++i)
            local.AddControl(new PROBE);
    }
    EXPECT_EQ(PROBE::destroyed, 1 + int(GUI_SYSTEM::DEPTH_LIMIT) + 10000);
}

// The composition root runs the input step of a bound GUI each frame and ReleaseAll deletes
// its controls.
TEST_F(ControlTree, TheApplicationStepsAndReleasesItsGui)
{
    GUI_SYSTEM& appGui = Application().gui;
    auto* probe = static_cast<PROBE*>(appGui.AddControl(new PROBE));
    OvTest::PlaceBox(*probe, 0, 0, 10, 10);
    Application().SceneStep();
    EXPECT_EQ(probe->calls, 0); // not bound yet
    appGui.Window = windowRecord;
    Application().SceneStep();
    EXPECT_EQ(probe->calls, 1);
    PROBE::destroyed = 0;
    Application().ReleaseAll();
    EXPECT_EQ(PROBE::destroyed, 1);
    EXPECT_TRUE(appGui.Root.children.empty());
    appGui.Window = nullptr;
}

} // namespace

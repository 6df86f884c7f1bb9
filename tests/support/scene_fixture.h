// The scene tests' probes and fixture: probe actors that log their updates, draws and
// destruction, scene steps as a frame callback runs them, and a fixture that starts every
// test with an empty scene on the manual clock.
#pragma once

#include "support/manual_clock.h"

#include "scene/ov_actor.h"

#include <functional>
#include <string>
#include <vector>

namespace OvTest
{

using Events = std::vector<std::string>;

// What the probes and hooks did, in order: "update A", "draw A", "before", "gone A"...
inline Events events;

class Probe : public OvCore::OV_ACTOR
{
  public:
    explicit Probe(std::string name) : label(std::move(name)) {}
    ~Probe() override
    {
        events.push_back("gone " + label);
        if (onGone)
            onGone();
    }
    void Update() override
    {
        events.push_back("update " + label);
        if (onUpdate)
            onUpdate();
    }
    void Draw() override
    {
        events.push_back("draw " + label);
        if (onDraw)
            onDraw();
    }

    std::string label;
    std::function<void()> onUpdate;
    std::function<void()> onDraw;
    std::function<void()> onGone;
};

// Releases everything of the scene, removes the frame hooks and forgets the events.
void ClearScene();
// One scene step with the given ticks and frame time, as a frame callback would run it.
void Step(bool updateTick = true, bool renderTick = true, float delta = 0.0f);
// The events since the last call.
Events Take();

class SceneTest : public ManualClockTest
{
  protected:
    void SetUp() override
    {
        ManualClockTest::SetUp();
        ClearScene();
    }

    void TearDown() override
    {
        ClearScene();
        ManualClockTest::TearDown();
    }
};

} // namespace OvTest

// Shared by the scene tests: a fixture that starts every test with an empty scene on the
// manual clock, and probe actors that log their updates, draws and destruction.
#pragma once

#include "core/core_test_support.h"

#include "app/ov_application.h"

#include <functional>
#include <string>
#include <vector>

namespace OvSceneTest
{

// What the probes and hooks did, in order: "update A", "draw A", "before", "gone A"...
inline std::vector<std::string> events;

class Probe : public OvCore::OV_ACTOR
{
public:
    explicit Probe(std::string label) : label(std::move(label)) {}
    ~Probe() override { events.push_back("gone " + label); }
    void Update() override
    {
        events.push_back("update " + label);
        if (onUpdate)
            onUpdate();
    }
    void Draw() override { events.push_back("draw " + label); }

    std::string label;
    std::function<void()> onUpdate;
};

class SceneTest : public OvCoreTest::ManualClockTest
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

    static void ClearScene()
    {
        OvCore::OV_APPLICATION& app = OvCore::Application();
        app.ReleaseAll();
        app.updateHook = app.beforeDrawHook = app.afterDrawHook = nullptr;
        events.clear();
    }

    // One scene step with the given ticks and frame time, as a frame callback would run it.
    static void Step(bool updateTick = true, bool renderTick = true, float delta = 0.0f)
    {
        OvCore::OV_LOOP& loop = OvCore::Loop();
        loop.updateTick = updateTick;
        loop.renderTick = renderTick;
        loop.delta = delta;
        OvCore::Application().SceneStep();
    }

    // The events since the last call.
    static std::vector<std::string> Take()
    {
        std::vector<std::string> taken;
        taken.swap(events);
        return taken;
    }

    using Events = std::vector<std::string>;
};

} // namespace OvSceneTest

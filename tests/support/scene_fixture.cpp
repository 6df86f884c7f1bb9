#include "support/scene_fixture.h"

#include "app/ov_application.h"
#include "core/ov_loop.h"

namespace OvTest
{

void ClearScene()
{
    OvCore::OV_APPLICATION& app = OvCore::Application();
    app.ReleaseAll();
    app.updateHook = app.beforeDrawHook = app.afterDrawHook = nullptr;
    events.clear();
}

void Step(bool updateTick, bool renderTick, float delta)
{
    OvCore::OV_LOOP& loop = OvCore::Loop();
    loop.updateTick = updateTick;
    loop.renderTick = renderTick;
    loop.delta = delta;
    OvCore::Application().SceneStep();
}

Events Take()
{
    Events taken;
    taken.swap(events);
    return taken;
}

} // namespace OvTest

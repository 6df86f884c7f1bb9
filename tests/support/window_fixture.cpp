#include "support/window_fixture.h"

#include "app/ov_application.h"
#include "orvane_core.h"
#include "scene/ov_view.h"

namespace OvTest
{

namespace
{

constexpr const char* SUITE_WINDOW = "test-window";

} // namespace

void EngineTest::SetUpTestSuite()
{
    OvInitiation();
}

void EngineTest::TearDownTestSuite()
{
    OvClosure();
}

bool OpenSuiteWindow(int32_t width, int32_t height)
{
    OvCore::OV_WINDOW* window = OvCore::Application().windows.Get(SUITE_WINDOW).Get();
    if (!window)
        return false;
    window->title = SUITE_WINDOW;
    window->width = width;
    window->height = height;
    return window->OpenWindow();
}

bool PrepareSuiteWindow()
{
    OvCore::OV_APPLICATION& app = OvCore::Application();
    if (!app.ActivateWindow(SUITE_WINDOW))
        return false;
    OvRenderScene(OV_SCENE_RESET_STATE);
    OvCore::OV_VIEW::End();
    app.ClearScreen(0, 0, 0, 1);
    return true;
}

void CloseSuiteWindow()
{
    if (OvCore::OV_WINDOW* window = OvCore::Application().WindowNamed(SUITE_WINDOW))
        window->CloseWindow();
    OvCore::Application().windows.Clear();
}

uint64_t DrawCalls()
{
    OvRenderScene(OV_SCENE_FLUSH);
    const auto* count = static_cast<const uint64_t*>(OvGetState(OV_STATE_DRAW_CALLS));
    return count ? *count : 0;
}

} // namespace OvTest

// Opens a window and clears it every frame to a colour that follows the mouse: red grows to
// the right, green downwards, blue while the left button is held. Esc quits.
#include "app/ov_application.h"
#include "core/ov_input.h"
#include "core/ov_loop.h"
#include "orvane_core.h"

#include <algorithm>

using namespace OvCore;

namespace
{

double Fraction(int position, int extent)
{
    return extent > 0 ? std::clamp(static_cast<double>(position) / extent, 0.0, 1.0) : 0.0;
}

void Frame(HWND, void* context)
{
    const OV_WINDOW& window = *static_cast<const OV_WINDOW*>(context);
    OV_INPUT& input = Input();
    if (input.KeyPressed(VK_ESCAPE))
        Loop().running = false;

    const double red = Fraction(input.CursorX(window), window.width);
    const double green = Fraction(input.CursorY(window), window.height);
    const double blue = input.MouseDown(1) ? 1.0 : 0.25;
    Application().ClearScreen(red, green, blue, 1.0);
    OvRenderScene(OV_SCENE_FLUSH | OV_SCENE_SWAP);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    OvInitiation();
    OV_APPLICATION& app = Application();
    OV_WINDOW& window = *app.windows.Get("main");
    window.title = "Window colour";
    window.width = 640;
    window.height = 480;
    app.CenterWindow("main");
    if (!window.OpenWindow())
        return 0;
    app.ActivateWindow("main");
    app.SetVsync(true); // the loop paces itself where the engine has no vertical sync

    Loop().RunFrameLoop(Frame, &window);

    window.CloseWindow();
    OvClosure();
    return 1;
}

// A window, a square that moves across it, Esc to quit. Given a number on its command line it
// quits after that many frames and says where the square went.
#include "app/ov_application.h"
#include "app/ov_entry.h"
#include "core/ov_input.h"
#include "core/ov_loop.h"
#include "orvane_core.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace OvCore;

OV_SPRITE square;
OV_VECTOR position(40, 240);
unsigned long frames = 0, frameLimit = 0; // no limit: until Esc

void Frame(HWND, void*)
{
    position.x = std::fmod(position.x + 200 * Loop().delta, 640); // 200 pixels a second
    if (Input().KeyPressed(VK_ESCAPE) || ++frames == frameLimit)
        Application().Quit();
    Application().ClearScreen(0.1, 0.1, 0.2, 1.0);
    square.Draw(position, OV_VECTOR(0, 0), OV_VECTOR(1, 1));
    OvRenderScene(OV_SCENE_FLUSH | OV_SCENE_SWAP);
}

void PlayState()
{
    OV_APPLICATION& app = Application();
    OV_WINDOW& window = *app.WindowNamed("main"); // opened by RunProgram, 1 x 1 until sized
    window.width = 640;
    window.height = 480;
    app.CenterWindow("main");
    window.ApplyWindow();
    app.ActivateWindow("main");
    app.ViewWindow("main"); // draw in the window's pixels
    app.SetVsync(true);
    square.LoadEmpty(32, 32, OV_FILTER_LINEAR, OV_FILTER_LINEAR, 0, 0, -1, -1, 0, 0);
    int32_t width = 0, height = 0;
    if (void* pixels = square.Lock(&width, &height)) // a blank sprite is transparent
    {
        std::memset(pixels, 255, static_cast<size_t>(width) * height * 4);
        square.Unlock(1);
    }
    square.SetColor(1, 0.8f, 0.2f, 1);
    square.CenterOrigin();
    Loop().RunFrameLoop(Frame, nullptr);
    std::printf("ran %lu frames, the square ended at x = %.1f\n", frames, position.x);
    square.Unload(false);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    frameLimit = std::strtoul(commandLine, nullptr, 10);
    const OV_STATE_DEFINITION states[] = {{"play", PlayState}};
    return RunProgram("My game", states, 1, commandLine) ? EXIT_SUCCESS : EXIT_FAILURE;
}

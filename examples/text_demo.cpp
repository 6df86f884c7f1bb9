// Text with the shipped font (fonts/dejavu_sans_16, copied beside the program): a centred
// title, a left-aligned paragraph, right-aligned lines against the right edge, text turning
// about its centre and a line that follows the frame count in the drawing colour of the
// moment. Esc quits.
#include "app/ov_application.h"
#include "app/ov_entry.h"
#include "core/ov_input.h"
#include "core/ov_loop.h"
#include "graphics/ov_font.h"
#include "orvane_core.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

using namespace OvCore;

namespace
{

constexpr int32_t WIDTH = 640;
constexpr int32_t HEIGHT = 400;
const OV_VECTOR ONE(1, 1, 1, 1);
const OV_VECTOR NO_TURN(0, 0, 0, 0);

// The folder the program lives in, where its fonts/ folder was copied.
std::string ProgramFolder()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : program.parent_path().string();
}

void DrawAligned(OV_FONT& font, const char* text, const OV_VECTOR& at, int32_t horizontal,
                 int32_t vertical, const OV_VECTOR& scale = ONE, const OV_VECTOR& turn = NO_TURN)
{
    font.horizontalAlign = horizontal;
    font.verticalAlign = vertical;
    font.Draw(text, at, scale, turn);
}

void TextFrame(HWND, void* data)
{
    OV_APPLICATION& app = Application();
    OV_FONT& font = *static_cast<OV_FONT*>(data);
    if (Input().KeyPressed(VK_ESCAPE))
        app.Quit();
    app.camera.Apply();
    app.ClearScreen(0.10, 0.12, 0.16, 1.0);

    app.SetDrawColour(1.0, 0.85, 0.4, 1.0);
    DrawAligned(font, "Orvane Core text", OV_VECTOR(WIDTH / 2.0, 40), OV_FONT::ALIGN_CENTRE,
                OV_FONT::ALIGN_MIDDLE, OV_VECTOR(2, 2, 1, 1));
    app.SetDrawColour(1.0, 1.0, 1.0, 1.0);
    DrawAligned(font,
                "A font is a glyph texture and a descriptor.\n"
                "Lines break at the character given when loading,\n"
                "and every line can be aligned on its own.",
                OV_VECTOR(24, 90), OV_FONT::ALIGN_LEFT, OV_FONT::ALIGN_TOP);
    app.SetDrawColour(0.6, 0.8, 1.0, 1.0);
    DrawAligned(font, "right-aligned\nagainst the edge\n\xC0 \xE9 \xF1 \xFC \xDF", // Latin-1
                OV_VECTOR(WIDTH - 24, 170), OV_FONT::ALIGN_RIGHT, OV_FONT::ALIGN_TOP);

    static double seconds = 0;
    seconds += Loop().delta;
    app.SetDrawColour(0.5 + 0.5 * std::sin(seconds), 1.0, 0.5 + 0.5 * std::cos(seconds), 1.0);
    DrawAligned(font, "turning about its centre", OV_VECTOR(180, 280), OV_FONT::ALIGN_CENTRE,
                OV_FONT::ALIGN_MIDDLE, ONE, OV_VECTOR(std::fmod(seconds * 30, 360), 0, 0, 0));

    char counter[64];
    std::snprintf(counter, sizeof counter, "frame %u", static_cast<unsigned>(Loop().frameCount));
    app.SetDrawColour(1.0, 1.0, 1.0, 1.0);
    DrawAligned(font, counter, OV_VECTOR(WIDTH - 24, HEIGHT - 24), OV_FONT::ALIGN_RIGHT,
                OV_FONT::ALIGN_BOTTOM);
    OvRenderScene(OV_SCENE_FLUSH | OV_SCENE_SWAP);
}

void TextState()
{
    OV_APPLICATION& app = Application();
    OV_WINDOW& window = *app.WindowNamed("main");
    window.width = WIDTH;
    window.height = HEIGHT;
    app.CenterWindow("main");
    window.ApplyWindow();
    app.ActivateWindow("main");
    app.SetVsync(true);
    app.camera.width = WIDTH;
    app.camera.height = HEIGHT;

    const std::string fonts = ProgramFolder() + "/fonts/dejavu_sans_16";
    OV_FONT& font = *app.fonts.Get("body");
    if (!font.LoadImage((fonts + ".png").c_str(), (fonts + ".fnt").c_str(), '\n', OV_FILTER_LINEAR,
                        OV_FILTER_LINEAR))
    {
        std::fprintf(stderr, "text_demo: cannot load %s.png / .fnt\n", fonts.c_str());
        return;
    }
    Loop().RunFrameLoop(TextFrame, &font);
    app.ReleaseAll();
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    const OV_STATE_DEFINITION states[] = {{"text", TextState}};
    return RunProgram("Orvane Core text", states, 1, commandLine);
}

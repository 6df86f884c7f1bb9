// Plays a sound effect on Space (press it quickly: the plays overlap) and loops streamed
// music, through Application().sound. M starts and stops the music; Up and Down change the
// volume, Left and Right the pan, Page Up and Page Down the pitch, of both. The window's
// brightness shows the volume, its red and blue halves the pan. Esc quits. The sounds
// (sounds/blip.wav, sounds/music.ogg beside the program) are written by tools/sound_art.
#include "app/ov_application.h"
#include "core/ov_input.h"
#include "core/ov_loop.h"
#include "orvane_core.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

using namespace OvCore;

namespace
{

struct DEMO
{
    SOUND_EFFECT_HANDLE blip;
    SOUND_STREAM_HANDLE music;
    float volume = 0.8f;
    float pan = 0.0f;
    float pitch = 1.0f;
};

std::string ProgramFolder()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : program.parent_path().string();
}

void Apply(SOUND_SYSTEM& sound, DEMO& demo)
{
    sound.EffectSetVolume(demo.blip, demo.volume);
    sound.EffectSetPan(demo.blip, demo.pan);
    sound.EffectSetPitch(demo.blip, demo.pitch);
    sound.StreamSetVolume(demo.music, demo.volume);
    sound.StreamSetPan(demo.music, demo.pan);
    sound.StreamSetPitch(demo.music, demo.pitch);
    // Read back: the sound system clamps what it is given.
    demo.volume = sound.StreamGetVolume(demo.music);
    demo.pan = sound.StreamGetPan(demo.music);
    demo.pitch = sound.StreamGetPitch(demo.music);
    std::printf("volume %.1f  pan %+.2f  pitch %.2f  music %s\n", demo.volume, demo.pan, demo.pitch,
                sound.StreamIsPlaying(demo.music) ? "playing" : "stopped");
}

// Whether the frame's keys changed a setting.
bool HandleKeys(OV_INPUT& input, SOUND_SYSTEM& sound, DEMO& demo)
{
    if (input.KeyPressed(VK_SPACE))
        sound.EffectPlay(demo.blip);
    bool changed = true;
    if (input.KeyPressed('M'))
    {
        if (sound.StreamIsPlaying(demo.music))
            sound.StreamStop(demo.music);
        else
            sound.StreamPlay(demo.music);
    }
    else if (input.KeyPressed(VK_UP))
        demo.volume += 0.1f;
    else if (input.KeyPressed(VK_DOWN))
        demo.volume -= 0.1f;
    else if (input.KeyPressed(VK_LEFT))
        demo.pan -= 0.25f;
    else if (input.KeyPressed(VK_RIGHT))
        demo.pan += 0.25f;
    else if (input.KeyPressed(VK_PRIOR))
        demo.pitch *= 1.1f;
    else if (input.KeyPressed(VK_NEXT))
        demo.pitch /= 1.1f;
    else
        changed = false;
    return changed;
}

void Frame(HWND, void* context)
{
    DEMO& demo = *static_cast<DEMO*>(context);
    SOUND_SYSTEM& sound = Application().sound;
    OV_INPUT& input = Input();
    if (input.KeyPressed(VK_ESCAPE))
        Loop().running = false;
    if (HandleKeys(input, sound, demo))
        Apply(sound, demo);

    const double light = 0.2 + 0.6 * demo.volume;
    const double red = light * std::clamp(1.0 - demo.pan, 0.0, 1.0);
    const double blue = light * std::clamp(1.0 + demo.pan, 0.0, 1.0);
    Application().ClearScreen(red, light * 0.5, blue, 1.0);
    OvRenderScene(OV_SCENE_FLUSH | OV_SCENE_SWAP);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    OvInitiation();
    OV_APPLICATION& app = Application();
    const std::string sounds = ProgramFolder() + "/sounds/";
    DEMO demo;
    demo.blip = app.sound.LoadEffect((sounds + "blip.wav").c_str());
    demo.music = app.sound.LoadStream((sounds + "music.ogg").c_str());
    if (!app.sound.device)
        std::printf("no audio device: the demo runs silent\n");
    else if (!demo.blip || !demo.music)
        std::printf("%s: sounds missing (tools/sound_art writes them)\n", sounds.c_str());
    app.sound.StreamSetRepeat(demo.music, true);
    app.sound.StreamPlay(demo.music);
    Apply(app.sound, demo);

    OV_WINDOW& window = *app.windows.Get("main");
    window.title = "Sound demo";
    window.width = 480;
    window.height = 320;
    app.CenterWindow("main");
    if (!window.OpenWindow())
        return 0;
    app.ActivateWindow("main");
    app.SetVsync(true);

    Loop().RunFrameLoop(Frame, &demo);

    app.ReleaseAll();
    window.CloseWindow();
    OvClosure();
    return 1;
}

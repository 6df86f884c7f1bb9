// The framework's intro splash: a state routine (IntroState) that shows the engine's splash
// image in a small topmost window of its own, without a taskbar button, with per-pixel alpha
// where the display has it (an opaque window where it does not), fading in over the first
// half second and out over the last of three seconds. Programs register it as their first
// state ("intro"). The pieces are public for programs that show it their own way.
#pragma once

#include "core/ov_window.h"
#include "graphics/ov_sprite.h"

namespace OvCore
{

// The splash's window, its sprite and the fade angle (degrees, 0 to 180 over the run).
struct OV_INTRO
{
    static constexpr int32_t WIDTH = 640;  // the splash window's width in pixels
    static constexpr int32_t HEIGHT = 260; // its height in pixels
    // Degrees of fade angle per second: 180 degrees make three seconds at any frame rate.
    static constexpr float DEGREES_PER_SECOND = 60;

    OV_WINDOW window; // the splash's own window, centred on the screen
    OV_SPRITE sprite; // the splash image
    float angle = 0;  // fade angle in degrees: 0 at the start, 180 ends the splash
};

// The state routine: opens the splash, runs its frame loop with the cursor hidden, closes
// it. Skipped when no window can be opened.
void IntroState();

// Opens the splash window centred on the screen (retrying without per-pixel alpha), sets
// up drawing into it and loads the splash image. False when no window could be opened.
bool OpenIntro(OV_INTRO& intro);
// The splash's opacity at a fade angle: min(1, 2 sin(angle)).
float IntroAlpha(float angle);
// Draws the splash at the opacity of its current angle, without presenting it.
void DrawIntro(OV_INTRO& intro);
// The frame routine of the splash's loop; context is the OV_INTRO. Draws, moves the angle
// by the frame's delta, ends the loop at 180 degrees and presents the frame.
void IntroFrame(HWND window, void* context);
// Unloads the image and closes the window.
void CloseIntro(OV_INTRO& intro);

} // namespace OvCore

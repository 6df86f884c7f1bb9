// Tarnvale's states and frame: the "game" state routine (scene set-up, frame loop,
// release), its frame callback (Esc, slow motion, camera, grey fade, scene step), the draw
// hooks, and the program's list of states ("intro", then "game") that the entry runs.
#pragma once

#include "app/ov_state.h"
#include "platform/win32.h"

#include <cstdint>

// The program's states in the order they run.
extern const OvCore::OV_STATE_DEFINITION TARNVALE_STATES[2];
inline constexpr const char* TARNVALE_TITLE = "Tarnvale";

// Runs the program: engine, window "main" titled "Tarnvale", the intro, the game. Returns
// 1 after a normal end and 0 when the window cannot be opened.
int RunTarnvale(const char* commandLine);

// The "game" state: sets up the window, sprites, shader, view and actors, runs the frame
// loop until Esc, a window close or a state change, then releases the scene.
void GameState();
// The frame callback of the game's loop (the context is unused).
void GameFrame(HWND window, void* context);
// Before the actors are drawn: the grass through the grey shader.
void GameBeforeDraw();
// After the actors are drawn: nothing.
void GameAfterDraw();

// The slow-motion and grey-fade rules of one frame, with Shift held or not and the
// frame's delta in seconds.
void UpdateTimeScale(bool shiftDown);
void UpdateGreyFactor(bool shiftDown, float delta);

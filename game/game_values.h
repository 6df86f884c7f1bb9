// Tarnvale's game-wide values: the slow-motion factor, the grey fade, this frame's movement
// step and the hand-off position, shared by the game state (game_state.cpp), which computes
// them each frame, and the actors (player.cpp, cars.cpp), which move by them; and the keys
// the game reads.
#pragma once

#include "core/ov_vector.h"

// Slow-motion factor: 1 at normal speed, down to 0.1 while Shift is held.
inline float timeScale = 1.0f;
// Drives the grey fade; the shader receives |sin(greyFactor x 180 degrees)|.
inline float greyFactor = 0.0f;
// This frame's movement in steps of a 60-per-second frame: timeScale x 60 x delta.
inline float gameStep = 0.0f;
// Where the player reappears when leaving a car; (0, 0, 0, 1) while nobody is leaving.
inline OvCore::OV_VECTOR handoff;

// The empty hand-off.
inline constexpr OvCore::OV_VECTOR NO_HANDOFF{0, 0, 0, 1};

// Virtual-key codes of the game's controls.
enum GAME_KEY : int
{
    KEY_ENTER = 13,
    KEY_SHIFT = 16,
    KEY_ESCAPE = 27,
    KEY_A = 65,
    KEY_D = 68,
    KEY_S = 83,
    KEY_W = 87,
};

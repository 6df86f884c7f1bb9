// C_GRACZ, the player of Tarnvale: walks over the field with W/S, turns with A/D, gets into a
// touching car with Enter (and is then hidden while the car carries the view) and reappears
// where the car stands when Enter is pressed again. Created by GameState (game_state.cpp).
#pragma once

#include "core/ov_vector.h"
#include "scene/ov_actor.h"

#include <cstdint>

class C_GRACZ : public OvCore::OV_ACTOR2D
{
  public:
    // Steps of a 60-per-second frame: walking distance and turn in degrees.
    static constexpr double WALK_STEP = 2;
    static constexpr double TURN_STEP = 3;

    explicit C_GRACZ(const OvCore::OV_VECTOR& startPosition);
    ~C_GRACZ() override;
    void Update() override;
    void Draw() override;

    uint8_t onFoot = 1;      // 0 while driving: neither drawn nor moved
    uint8_t exitPending = 0; // Enter pressed in a car, waiting for the car's hand-off
    double speed = 0;        // this frame's walking step

  private:
    void Walk();
    void EnterTouchingCar();
    void LeaveCar();
};

// Tarnvale's cars, AUDI_A4 and FIAT_126P: one driving model (C_CAR) with each model's
// constants and sprite. A parked car coasts to a stop; Enter with the player on foot and
// touching it makes it driven (W/S throttle, A/D steering, the view follows it); Enter
// again parks it and hands the player its position. Created by GameState (game_state.cpp).
#pragma once

#include "core/ov_vector.h"
#include "scene/ov_actor.h"

#include <cstdint>

// The constants that make a car model.
struct CAR_MODEL
{
    const char* name;   // the actor's name, which collision queries filter by
    const char* sprite; // its sprite in the registry
    double maxSpeed;    // forward; reverse is limited to half of it
    double accel;       // speed gained per step of throttle
    double turnAccel;   // steering gained per step of A or D
    double maxTurn;     // steering limit, degrees of heading per unit of speed and step
    double friction;    // speed lost per step while coasting
};

class C_CAR : public OvCore::OV_ACTOR2D
{
  public:
    // Steering returns toward straight by this much every frame, whatever the time scale.
    static constexpr double SELF_CENTRING = 0.025;

    ~C_CAR() override;
    void Update() override;
    void Draw() override;

    uint8_t driven = 0;
    double speed = 0;
    double maxSpeed;
    double heading = 0; // degrees; the car moves along -Lengthdir(heading)
    double accel;
    double turnAccel;
    double turn = 0;
    double maxTurn;
    double friction;

  protected:
    C_CAR(const CAR_MODEL& model, const OvCore::OV_VECTOR& startPosition);

  private:
    void Drive();
    void Throttle();
    void Steer();
    void Coast();
    void TakeThePlayerIn();
    void Move();
};

class AUDI_A4 : public C_CAR
{
  public:
    static constexpr CAR_MODEL MODEL{"AUDI_A4", "spr_audi_a4", 6.0, 0.04, 0.05, 0.5, 0.02};
    explicit AUDI_A4(const OvCore::OV_VECTOR& startPosition) : C_CAR(MODEL, startPosition) {}
};

class FIAT_126P : public C_CAR
{
  public:
    static constexpr CAR_MODEL MODEL{"FIAT_126P", "spr_fiat_126p", 4.0, 0.02, 0.075, 0.7, 0.01};
    explicit FIAT_126P(const OvCore::OV_VECTOR& startPosition) : C_CAR(MODEL, startPosition) {}
};

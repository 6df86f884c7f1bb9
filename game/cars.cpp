#include "game/cars.h"

#include "app/ov_application.h"
#include "core/ov_input.h"
#include "game/game_values.h"
#include "game/grey_shader.h"
#include "game/motion.h"
#include "game/player.h"

#include <algorithm>
#include <cmath>

using namespace OvCore;

namespace
{

// The car sprite is drawn turned this far from the direction of travel.
constexpr double SPRITE_TURN = 90;

} // namespace

C_CAR::C_CAR(const CAR_MODEL& model, const OV_VECTOR& startPosition)
    : maxSpeed(model.maxSpeed), accel(model.accel), turnAccel(model.turnAccel),
      maxTurn(model.maxTurn), friction(model.friction)
{
    OV_APPLICATION::SetActorName(this, model.name);
    if (const auto registered = Application().sprites.Find(model.sprite, 0))
        sprite = *registered;
    position = startPosition;
}

C_CAR::~C_CAR()
{
    // The registry's sprite owns the textures: leave them to it.
    sprite = OV_SPRITE();
}

void C_CAR::Update()
{
    if (driven)
        Drive();
    else
    {
        Coast();
        TakeThePlayerIn();
    }
    Move();
}

void C_CAR::Drive()
{
    CentreViewOn(position);
    Throttle();
    Steer();
    heading += turn * speed * gameStep; // a standing car does not turn
    const OV_INPUT& input = Input();
    if (turn != 0 && !input.KeyDown(KEY_A) && !input.KeyDown(KEY_D))
        turn += turn > 0 ? -SELF_CENTRING : SELF_CENTRING;
    if (input.KeyPressed(KEY_ENTER))
    {
        driven = 0;
        handoff = position;
    }
}

void C_CAR::Throttle()
{
    const OV_INPUT& input = Input();
    if (input.KeyDown(KEY_W))
        speed += gameStep * accel;
    else if (input.KeyDown(KEY_S))
        speed -= gameStep * accel;
    else
        Coast();
    if (speed > maxSpeed)
        speed = maxSpeed;
    else if (speed < -maxSpeed / 2)
        speed = -maxSpeed / 2;
}

void C_CAR::Steer()
{
    const OV_INPUT& input = Input();
    if (input.KeyDown(KEY_A))
        turn -= gameStep * turnAccel;
    else if (input.KeyDown(KEY_D))
        turn += gameStep * turnAccel;
    turn = std::clamp(turn, -maxTurn, maxTurn);
}

void C_CAR::Coast()
{
    if (speed == 0)
        return;
    if (std::fabs(speed) <= accel)
        speed = 0;
    else
        speed += speed > 0 ? -gameStep * friction : gameStep * friction;
}

// Only a player on foot gets in: while driving, the player's actor keeps the position where
// it got in, and a parked car there must not start following the keys.
void C_CAR::TakeThePlayerIn()
{
    if (!Input().KeyPressed(KEY_ENTER))
        return;
    const OV_VECTOR noOffset(0, 0, 0, 1);
    const auto* player = dynamic_cast<const C_GRACZ*>(
        Application().FindCollision(OV_COLLISION_BOX, this, "GRACZ", noOffset));
    if (player && player->onFoot)
        driven = 1;
}

void C_CAR::Move()
{
    rotation = OV_VECTOR(heading, 0, 0, 0);
    StepAlong(position, rotation.x, -(gameStep * speed));
    rotation.x = heading + SPRITE_TURN;
}

void C_CAR::Draw()
{
    BeginGreyShader();
    DrawSprite();
    EndGreyShader();
}

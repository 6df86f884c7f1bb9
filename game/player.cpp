#include "game/player.h"

#include "app/ov_application.h"
#include "core/ov_input.h"
#include "game/game_values.h"
#include "game/grey_shader.h"
#include "game/motion.h"

using namespace OvCore;

C_GRACZ::C_GRACZ(const OV_VECTOR& startPosition)
{
    OV_APPLICATION::SetActorName(this, "GRACZ");
    if (const auto registered = Application().sprites.Find("spr_gracz", 0))
        sprite = *registered;
    position = startPosition;
}

C_GRACZ::~C_GRACZ()
{
    // The registry's sprite owns the textures: leave them to it.
    sprite = OV_SPRITE();
}

void C_GRACZ::Update()
{
    if (onFoot)
    {
        Walk();
        EnterTouchingCar();
    }
    else
        LeaveCar();
}

void C_GRACZ::Walk()
{
    const OV_INPUT& input = Input();
    CentreViewOn(position);
    if (input.KeyDown(KEY_W))
        speed = gameStep * WALK_STEP;
    else if (input.KeyDown(KEY_S))
        speed = -(gameStep * WALK_STEP);
    if (input.KeyDown(KEY_A))
        rotation.x -= gameStep * TURN_STEP;
    else if (input.KeyDown(KEY_D))
        rotation.x += gameStep * TURN_STEP;
    StepAlong(position, rotation.x, speed);
    speed = 0;
}

void C_GRACZ::EnterTouchingCar()
{
    if (!Input().KeyPressed(KEY_ENTER))
        return;
    const OV_APPLICATION& app = Application();
    const OV_VECTOR noOffset(0, 0, 0, 1);
    if (app.FindCollision(OV_COLLISION_BOX, this, "AUDI_A4", noOffset) ||
        app.FindCollision(OV_COLLISION_BOX, this, "FIAT_126P", noOffset))
        onFoot = 0;
}

// The car left in this frame has already written the hand-off: cars update first.
void C_GRACZ::LeaveCar()
{
    if (Input().KeyPressed(KEY_ENTER))
        exitPending = 1;
    if (exitPending && handoff != NO_HANDOFF)
    {
        onFoot = 1;
        position = handoff;
        handoff = NO_HANDOFF;
        exitPending = 0;
    }
}

void C_GRACZ::Draw()
{
    if (!onFoot)
        return;
    BeginGreyShader();
    DrawSprite();
    EndGreyShader();
}

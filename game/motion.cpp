#include "game/motion.h"

#include "app/ov_application.h"
#include "graphics/ov_vector_math.h"

void StepAlong(OvCore::OV_VECTOR& position, double angle, double length)
{
    const OvCore::OV_VECTOR step = OvCore::Lengthdir(OvCore::OV_VECTOR(angle, 0, 0, 0), length);
    position.x += step.x;
    position.y += step.y;
    position.z += step.z;
}

void CentreViewOn(const OvCore::OV_VECTOR& position)
{
    const auto view = OvCore::Application().views.Find("main", 0);
    if (!view)
        return;
    view->viewPosition.x = position.x - VIEW_HALF_WIDTH;
    view->viewPosition.y = position.y - VIEW_HALF_HEIGHT;
}

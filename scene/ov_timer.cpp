#include "scene/ov_timer.h"

namespace OvCore
{

bool OV_TIMER::Advance(float delta)
{
    if (!(remaining > 0))
        return false;
    remaining -= delta;
    if (remaining > 0)
        return false;
    remaining = 0;
    if (callback)
        callback();
    return true;
}

} // namespace OvCore

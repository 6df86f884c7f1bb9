#include "scene/ov_view.h"

#include "orvane_core.h"
#include "scene/ov_actor.h"

#include <cmath>
#include <limits>

namespace OvCore
{

namespace
{

// The render target's viewport fields x, y, width, height (four queries in a row from
// OV_TARGET_VIEWPORT_X), or all null without an active target.
struct Viewport
{
    int32_t* fields[4] = {};

    explicit Viewport(OvHandle target)
    {
        for (int32_t i = 0; i < 4; ++i)
            fields[i] = static_cast<int32_t*>(OvRenderTargetGet(target, OV_TARGET_VIEWPORT_X + i));
    }
    bool IsComplete() const { return fields[0] && fields[1] && fields[2] && fields[3]; }
};

const OvHandle* ActiveTarget()
{
    return static_cast<const OvHandle*>(OvGetState(OV_STATE_ACTIVE_TARGET));
}

// A port coordinate as a whole pixel: truncated, and kept within what a pixel field holds.
int32_t ToPixel(double value)
{
    constexpr double low = std::numeric_limits<int32_t>::min();
    constexpr double high = std::numeric_limits<int32_t>::max();
    if (std::isnan(value))
        return 0;
    return static_cast<int32_t>(std::trunc(value < low ? low : value > high ? high : value));
}

} // namespace

void OV_VIEW::Begin()
{
    if (!active)
        return;
    if (follow)
    {
        viewPosition.x = follow->position.x - viewSize.x / 2;
        viewPosition.y = follow->position.y - viewSize.y / 2;
    }
    const int32_t port[4] = {ToPixel(portPosition.x), ToPixel(portPosition.y), ToPixel(portSize.x),
                             ToPixel(portSize.y)};
    // The engine applies a target's stored viewport when the target is activated: store the
    // port, activate, and put the target's own viewport back for whoever activates it next.
    int32_t saved[4] = {};
    const OvHandle* target = ActiveTarget();
    Viewport viewport(target ? *target : OvHandle{1, nullptr});
    if (target && viewport.IsComplete())
    {
        for (int i = 0; i < 4; ++i)
        {
            saved[i] = *viewport.fields[i];
            *viewport.fields[i] = port[i];
        }
        OvRenderTargetActivate(*target);
    }
    OvCameraOrtho(viewPosition.x, viewPosition.y, viewSize.x, viewSize.y, angle);
    OvSetState(OV_STATE_SCISSOR_TEST, 1);
    OvSetState(OV_STATE_SCISSOR_BOX, port[0], port[1], port[2], port[3]);
    if (target && viewport.IsComplete())
        for (int i = 0; i < 4; ++i)
            *viewport.fields[i] = saved[i];
    if (clear)
        OvRenderScene(OV_SCENE_CLEAR_COLOUR);
}

void OV_VIEW::End()
{
    const OvHandle* target = ActiveTarget();
    if (!target)
        return;
    OvRenderTargetActivate(*target);
    const Viewport viewport(*target);
    if (!viewport.IsComplete())
        return;
    const int32_t x = *viewport.fields[0];
    const int32_t y = *viewport.fields[1];
    const int32_t width = *viewport.fields[2];
    const int32_t height = *viewport.fields[3];
    OvCameraOrtho(x, y, width, height, 0);
    OvSetState(OV_STATE_SCISSOR_TEST, 0);
    OvSetState(OV_STATE_SCISSOR_BOX, x, y, width, height);
}

} // namespace OvCore

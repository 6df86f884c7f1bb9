#include "core/ov_application.h"

#include "core/ov_loop.h"
#include "orvane_core.h"

namespace OvCore
{

OV_APPLICATION& Application()
{
    static OV_APPLICATION application;
    return application;
}

OV_APPLICATION::OV_APPLICATION()
{
    OV_WINDOW screen;
    screen.UseFullScreenExtent();
    width = screen.width;
    height = screen.height;
    aspect = screen.aspect;
}

void OV_APPLICATION::SetVsync(bool on)
{
    OV_LOOP& loop = Loop();
    if (OvRenderVsync(on ? 1 : 0))
        return;
    const int32_t refreshRate = OV_WINDOW().refreshRate();
    loop.framePeriod = on && refreshRate > 0 ? 1000.0f / static_cast<float>(refreshRate) : 0.0f;
    loop.Calibrate();
}

} // namespace OvCore

// The process-wide application and the binding of each subsystem's part to it.
#include "app/ov_application.h"

namespace OvCore
{

OV_APPLICATION& Application()
{
    static OV_APPLICATION application;
    return application;
}

OV_CORE_PART& CorePart()
{
    return Application();
}

OV_GRAPHICS_PART& GraphicsPart()
{
    return Application();
}

OV_SCENE_PART& ScenePart()
{
    return Application();
}

OV_NET_PART& NetPart()
{
    return Application();
}

OV_PARTICLE_PART& ParticlePart()
{
    return Application();
}

OV_SOUND_PART& SoundPart()
{
    return Application();
}

OV_GUI_PART& GuiPart()
{
    return Application();
}

} // namespace OvCore

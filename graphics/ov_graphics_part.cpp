#include "graphics/ov_graphics_part.h"

namespace OvCore
{

void OV_GRAPHICS_PART::ReleaseSprites()
{
    for (auto sprite : sprites)
        sprite->Unload(false);
    sprites.Clear();
}

void OV_GRAPHICS_PART::ReleaseFonts()
{
    fonts.Clear();
}

void OV_GRAPHICS_PART::ReleaseShaders()
{
    shaders.Clear();
}

void OV_GRAPHICS_PART::ReleaseCanvases()
{
    canvases.Clear();
}

void OV_GRAPHICS_PART::ReleaseTechniques()
{
    techniques.Clear();
}

} // namespace OvCore

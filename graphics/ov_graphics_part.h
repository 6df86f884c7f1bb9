// The graphics layer's part of OV_APPLICATION: sprites, shader sets, fonts, canvases and
// techniques by name and the camera applied each frame. The registries release their
// textures, programs, display lists and frame buffers when emptied. Programs reach it as
// Application() (app/ov_application.h); the graphics layer and the layers above reach it as
// GraphicsPart().
#pragma once

#include "core/ov_registry.h"
#include "graphics/ov_camera.h"
#include "graphics/ov_canvas.h"
#include "graphics/ov_font.h"
#include "graphics/ov_shader.h"
#include "graphics/ov_sprite.h"
#include "graphics/ov_technique.h"

namespace OvCore
{

// The graphics layer's share of OV_APPLICATION: the registries of what programs draw with.
class OV_GRAPHICS_PART
{
  public:
    OV_GRAPHICS_PART() = default;
    OV_GRAPHICS_PART(const OV_GRAPHICS_PART&) = delete;
    OV_GRAPHICS_PART& operator=(const OV_GRAPHICS_PART&) = delete;

    OV_REGISTRY<OV_SPRITE> sprites;       // by name; Tarnvale's carry the "spr_" prefix
    OV_REGISTRY<OV_SHADER> shaders;       // shader sets by name (Tarnvale's grey fade is "gscl")
    OV_REGISTRY<OV_FONT> fonts;           // by name; GUI skins load theirs here
    OV_REGISTRY<OV_CANVAS> canvases;      // off-screen pictures, found by technique scripts
    OV_REGISTRY<OV_TECHNIQUE> techniques; // compiled technique scripts by name
    OV_CAMERA camera;                     // the projection a program applies each frame

    // The releases of ReleaseAll, called by it in its order: every sprite unloaded and the
    // registry emptied; the fonts; the shader sets; the canvases, their frame buffers
    // destroyed; the techniques, their programs freed.
    void ReleaseSprites();
    void ReleaseFonts();
    void ReleaseShaders();
    void ReleaseCanvases();
    void ReleaseTechniques();

  protected:
    ~OV_GRAPHICS_PART() = default;
};

// The process's graphics part: the one inside Application(), bound by the composition root.
OV_GRAPHICS_PART& GraphicsPart();

} // namespace OvCore

// Start and end of the engine, the numbered states and the end of a frame.
#include <SDL2/SDL.h>

#include "api/guard.h"
#include "base/destroy.h"
#include "base/engine.h"
#include "base/states.h"
#include "gl/gl_shader.h"
#include "orvane_core.h"

using namespace ov;

extern "C"
{

    OV_API void OvInitiation(void)
    {
        guard(
            []
            {
                Engine& e = engine();
                if (e.initiated)
                    return;
                e.initiated = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
            });
    }

    OV_API void OvClosure(void)
    {
        guard(
            []
            {
                Engine& e = engine();
                destroyAllObjects();
                e.device.shutdown();
                e.renderer.reset();
                e.matrices.reset();
                e.state = StateValues{};
                e.immediate = ImmediatePrimitive{};
                e.activeUnit = 0;
                e.lastShaderLog.clear();
                if (e.initiated)
                    SDL_QuitSubSystem(SDL_INIT_VIDEO);
                e.initiated = false;
            });
    }

    OV_API uint32_t OvExtensions(int32_t)
    {
        return guard(uint32_t(0),
                     []
                     {
                         Engine& e = engine();
                         return e.activeTarget ? gl::featureMask(e.renderer) : 0u;
                     });
    }

    OV_API void OvSetState(int32_t state, double v0, double v1, double v2, double v3)
    {
        guard(
            [&]
            {
                const double values[4] = {v0, v1, v2, v3};
                setState(state, values);
            });
    }

    OV_API void* OvGetState(int32_t state)
    {
        return guard(static_cast<void*>(nullptr), [&] { return stateStorage(state); });
    }

    OV_API void OvRenderScene(int32_t flags)
    {
        guard(
            [&]
            {
                Engine& e = engine();
                if (flags & OV_SCENE_FLUSH)
                    e.renderer.finish();
                if (flags & OV_SCENE_SWAP)
                    e.renderer.present();
                const uint32_t clears = uint32_t(flags) & (2 | 4 | 8 | 16);
                if (clears)
                    e.renderer.clear(clears, e.state.clearColour.data());
                if (flags & OV_SCENE_RESET_STATE)
                    resetDrawState();
            });
    }

} // extern "C"

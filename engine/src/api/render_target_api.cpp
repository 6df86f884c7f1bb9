// Render targets: an OpenGL context on a platform window, its viewport and camera defaults.
#include <SDL2/SDL.h>

#include "api/guard.h"
#include "base/engine.h"
#include "base/frame_buffers.h"
#include "orvane_core.h"
#include "platform/native.h"

using namespace ov;

namespace
{

std::optional<bool> alphaForMode(int32_t mode)
{
    if (mode == 81)
        return false;
    if (mode == 82)
        return true;
    return std::nullopt;
}

// A context of the target's mode on its window, the window's visual made to fit first.
// The surface gets the depth buffer the target asks for (none for 0): 2D programs that ask
// for none draw faster on software rasterisers, 3D models need one.
bool makeContext(RenderTarget& target, bool alpha)
{
    Engine& e = engine();
    if (!e.device.ensureRoot())
        return false;
    const gl::PixelRequest request{target.colourBits, target.depthBits, alpha};
    gl::Device::requestPixelFormat(request);
    HWND hwnd = static_cast<HWND>(target.window);
    if (!PlatformPrepareGLWindow(hwnd,
                                 PlatformPixelFormat{target.colourBits, target.depthBits, alpha}))
        return false;
    target.context = e.device.createContext(PlatformNativeWindow(hwnd), request);
    target.surfaceDepthBits = target.context ? target.context->depthBits() : 0;
    return target.context != nullptr;
}

void dropContext(RenderTarget& target)
{
    Engine& e = engine();
    if (e.activeTarget == &target)
        e.renderer.useContext(nullptr);
    forgetFrameBufferContext(target.context.get());
    e.device.destroyContext(std::move(target.context));
}

void activate(RenderTarget& target, const OvHandle& handle)
{
    Engine& e = engine();
    e.renderer.useContext(target.context.get());
    e.renderer.setViewport(target.viewport);
    e.activeTarget = &target;
    e.state.activeTarget = handle;
}

// The handle a live target was found by, as the target's own handle {0, id}.
OvHandle canonical(const OvHandle& handle)
{
    return OvHandle{0, handle.object};
}

} // namespace

extern "C"
{

    OV_API uint8_t OvRenderTargetCreate(OvHandle* out, void* window, int32_t mode,
                                        int32_t colourBits, int32_t depthBits)
    {
        return guard(uint8_t(0),
                     [&]() -> uint8_t
                     {
                         Engine& e = engine();
                         if (!out || e.targets.find(*out))
                             return 0;
                         *out = emptyHandle();
                         const auto alpha = alphaForMode(mode);
                         if (!alpha || !window || !PlatformNativeWindow(static_cast<HWND>(window)))
                             return 0;
                         auto target = std::make_unique<RenderTarget>();
                         target->window = window;
                         target->mode = mode;
                         target->colourBits = colourBits > 0 ? colourBits : 32;
                         target->depthBits = std::max(depthBits, 0);
                         if (!makeContext(*target, *alpha))
                         {
                             if (e.activeTarget)
                                 e.renderer.useContext(e.activeTarget->context.get());
                             return 0;
                         }
                         int width = 0, height = 0;
                         SDL_GetWindowSize(target->context->window(), &width, &height);
                         target->viewport = {0, 0, width, height};
                         RenderTarget* raw = target.get();
                         *out = e.targets.add(target);
                         if (handleIsEmpty(*out))
                         {
                             e.device.destroyContext(std::move(target->context));
                             if (e.activeTarget)
                                 e.renderer.useContext(e.activeTarget->context.get());
                             return 0;
                         }
                         if (e.activeTarget)
                             e.renderer.useContext(e.activeTarget->context.get());
                         else
                             activate(*raw, *out);
                         return 1;
                     });
    }

    OV_API void OvRenderTargetDestroy(OvHandle handle)
    {
        guard(
            [&]
            {
                Engine& e = engine();
                RenderTarget* target = e.targets.find(handle);
                if (!target)
                    return;
                dropContext(*target);
                if (e.activeTarget == target)
                {
                    e.activeTarget = nullptr;
                    e.state.activeTarget = emptyHandle();
                }
                e.targets.remove(handle);
            });
    }

    OV_API uint8_t OvRenderTargetActivate(OvHandle handle)
    {
        return guard(uint8_t(0),
                     [&]() -> uint8_t
                     {
                         RenderTarget* target = engine().targets.find(handle);
                         if (!target || !target->context)
                             return 0;
                         activate(*target, canonical(handle));
                         return 1;
                     });
    }

    OV_API void* OvRenderTargetGet(OvHandle handle, int32_t query)
    {
        return guard(static_cast<void*>(nullptr),
                     [&]() -> void*
                     {
                         RenderTarget* target = engine().targets.find(handle);
                         if (!target)
                             return nullptr;
                         switch (query)
                         {
                         case 440:
                         case 441:
                         case 442:
                         case 443:
                             return &target->viewport[query - 440];
                         case 445:
                             return &target->planes[0];
                         case 446:
                             return &target->planes[1];
                         case 447:
                             return &target->surfaceDepthBits;
                         case 448:
                             return &target->mode;
                         default:
                             return nullptr;
                         }
                     });
    }

    OV_API uint8_t OvRenderTargetChange(OvHandle handle, int32_t mode)
    {
        return guard(uint8_t(0),
                     [&]() -> uint8_t
                     {
                         Engine& e = engine();
                         RenderTarget* target = e.targets.find(handle);
                         const auto alpha = alphaForMode(mode);
                         if (!target || !alpha)
                             return 0;
                         if (target->mode == mode && target->context)
                             return 1;
                         const bool wasActive = e.activeTarget == target;
                         dropContext(*target);
                         bool changed = makeContext(*target, *alpha);
                         if (changed)
                             target->mode = mode;
                         else if (!makeContext(*target, target->mode == 82)) // back to what it was
                             target->context.reset();
                         if (wasActive && target->context)
                             activate(*target, canonical(handle));
                         else if (e.activeTarget && e.activeTarget->context)
                             e.renderer.useContext(e.activeTarget->context.get());
                         return changed ? 1 : 0;
                     });
    }

    OV_API uint8_t OvRenderTargetArea(OvHandle handle, int32_t x, int32_t y, int32_t width,
                                      int32_t height, double fieldOfView, double orthoNear,
                                      double orthoFar, double aspect)
    {
        return guard(uint8_t(0),
                     [&]() -> uint8_t
                     {
                         Engine& e = engine();
                         RenderTarget* target = e.targets.find(handle);
                         if (!target || width < 0 || height < 0)
                             return 0;
                         target->viewport = {x, y, width, height};
                         if (std::isfinite(fieldOfView) && fieldOfView > 0 && fieldOfView < 180)
                             target->fieldOfView = fieldOfView;
                         if (std::isfinite(orthoNear) && std::isfinite(orthoFar) &&
                             orthoNear != orthoFar)
                         {
                             target->orthoNear = orthoNear;
                             target->orthoFar = orthoFar;
                         }
                         target->aspect = std::isfinite(aspect) && aspect > 0 ? aspect : 0;
                         if (e.activeTarget == target)
                             e.renderer.setViewport(target->viewport);
                         return 1;
                     });
    }

    OV_API uint8_t OvRenderTargetShare(OvHandle handle, OvHandle share)
    {
        // Every context shares with the device's root context already.
        return guard(uint8_t(0),
                     [&]() -> uint8_t {
                         return engine().targets.find(handle) && engine().targets.find(share) ? 1
                                                                                              : 0;
                     });
    }

    OV_API uint8_t OvRenderVsync(int32_t on)
    {
        return guard(uint8_t(0),
                     [&]() -> uint8_t
                     {
                         Engine& e = engine();
                         if (!e.activeTarget || !e.activeTarget->context)
                             return 0;
                         e.renderer.useContext(e.activeTarget->context.get());
                         return e.device.swapInterval(on ? 1 : 0) ? 1 : 0;
                     });
    }

} // extern "C"

// Frame buffers: pictures drawn like a render target and then used as textures.
#include "api/guard.h"
#include "base/engine.h"
#include "base/frame_buffers.h"
#include "gl/gl_frame_buffer.h"
#include "gl/gl_texture.h"
#include "orvane_core.h"

using namespace ov;

namespace
{

FrameBuffer* findFrameBuffer(const OvHandle& handle)
{
    return engine().frameBuffers.find(handle);
}

// Takes the frame buffer into the table and fills the caller's handle; false when the ids
// are exhausted (the frame buffer is then released here).
bool publish(std::unique_ptr<FrameBuffer>& frameBuffer, OvHandle* out)
{
    FrameBuffer* raw = frameBuffer.get();
    *out = engine().frameBuffers.add(frameBuffer);
    if (!handleIsEmpty(*out))
        return true;
    releaseFrameBuffer(*raw);
    *out = emptyHandle();
    return false;
}

// A handle the caller may fill: not null and not one of a live frame buffer.
bool fillable(OvHandle* out)
{
    if (!out || findFrameBuffer(*out))
        return false;
    *out = emptyHandle();
    return true;
}

// A texture a frame buffer can draw into.
Texture* drawableTexture(const OvHandle& handle)
{
    Texture* texture = engine().textures.find(handle);
    return texture && texture->name != 0 && texture->width > 0 && texture->height > 0 &&
                   !texture->locked
               ? texture
               : nullptr;
}

// OV_FRAME_BUFFER_NEAREST: the picture is sampled without smoothing, pixel for pixel.
void applyFlag(const Texture& texture, int32_t flag)
{
    if (!(flag & OV_FRAME_BUFFER_NEAREST))
        return;
    for (int32_t filter : {OV_TEXTURE_MIN_FILTER, OV_TEXTURE_MAG_FILTER})
        gl::setTextureParameter(engine().renderer, texture.name, filter, OV_FILTER_NEAREST);
}

bool validSize(int32_t width, int32_t height)
{
    const int32_t limit = gl::maxTextureSize(engine().renderer);
    return width > 0 && height > 0 && width <= limit && height <= limit;
}

} // namespace

extern "C"
{

    OV_API uint8_t OvFrameBufferCreate(OvHandle* out, int32_t width, int32_t height, int32_t format,
                                       int32_t flag)
    {
        return guard(
            uint8_t(0),
            [&]() -> uint8_t
            {
                if (!fillable(out) || (format != 0 && format != OV_FRAME_BUFFER_RGBA8) ||
                    !validSize(width, height) || !gl::frameBuffersAvailable(engine().renderer))
                    return 0;
                auto frameBuffer = std::make_unique<FrameBuffer>();
                OvHandle texture = emptyHandle();
                if (!OvTextureCreate(&texture) || !OvTextureLoadEmpty(texture, width, height, 0))
                {
                    OvTextureDestroy(texture);
                    return 0;
                }
                frameBuffer->texture = texture;
                frameBuffer->ownTexture = texture;
                applyFlag(*engine().textures.find(texture), flag);
                frameBuffer->size = {width, height};
                return publish(frameBuffer, out) ? 1 : 0;
            });
    }

    OV_API uint8_t OvFrameBufferCreateFromTexture(OvHandle* out, OvHandle texture, int32_t flag)
    {
        return guard(uint8_t(0),
                     [&]() -> uint8_t
                     {
                         if (!fillable(out) || !gl::frameBuffersAvailable(engine().renderer))
                             return 0;
                         Texture* drawn = drawableTexture(texture);
                         if (!drawn)
                             return 0;
                         applyFlag(*drawn, flag);
                         auto frameBuffer = std::make_unique<FrameBuffer>();
                         frameBuffer->texture = OvHandle{0, texture.object};
                         frameBuffer->size = {drawn->width, drawn->height};
                         return publish(frameBuffer, out) ? 1 : 0;
                     });
    }

    OV_API void OvFrameBufferDestroy(OvHandle handle)
    {
        guard(
            [&]
            {
                if (auto frameBuffer = engine().frameBuffers.remove(handle))
                    releaseFrameBuffer(*frameBuffer);
            });
    }

    OV_API uint8_t OvFrameBufferActivate(OvHandle handle)
    {
        return guard(uint8_t(0),
                     [&]() -> uint8_t
                     {
                         FrameBuffer* frameBuffer = findFrameBuffer(handle);
                         return frameBuffer && activateFrameBuffer(*frameBuffer) ? 1 : 0;
                     });
    }

    OV_API void OvFrameBufferUnactivate(OvHandle handle)
    {
        guard(
            [&]
            {
                if (FrameBuffer* frameBuffer = findFrameBuffer(handle))
                    unactivateFrameBuffer(*frameBuffer);
            });
    }

    OV_API void OvFrameBufferActivateTexture(OvHandle handle)
    {
        guard(
            [&]
            {
                if (FrameBuffer* frameBuffer = findFrameBuffer(handle))
                    OvTextureActivate(frameBuffer->texture);
            });
    }

    OV_API void OvFrameBufferMipmap(OvHandle handle)
    {
        guard(
            [&]
            {
                FrameBuffer* frameBuffer = findFrameBuffer(handle);
                Texture* texture = frameBuffer ? frameBufferTexture(*frameBuffer) : nullptr;
                if (texture)
                    gl::generateMipmaps(engine().renderer, texture->name);
            });
    }

    OV_API void* OvFrameBufferGet(OvHandle handle, int32_t query)
    {
        return guard(static_cast<void*>(nullptr),
                     [&]() -> void*
                     {
                         FrameBuffer* frameBuffer = findFrameBuffer(handle);
                         if (!frameBuffer)
                             return nullptr;
                         frameBufferTexture(*frameBuffer); // the size as the texture has it now
                         switch (query)
                         {
                         case OV_FRAME_BUFFER_WIDTH:
                             return &frameBuffer->size[0];
                         case OV_FRAME_BUFFER_HEIGHT:
                             return &frameBuffer->size[1];
                         case OV_FRAME_BUFFER_TEXTURE:
                             return &frameBuffer->texture;
                         default:
                             return nullptr;
                         }
                     });
    }

    OV_API uint8_t OvFrameBufferSwapTexture(OvHandle handle, OvHandle texture)
    {
        return guard(uint8_t(0),
                     [&]() -> uint8_t
                     {
                         FrameBuffer* frameBuffer = findFrameBuffer(handle);
                         Texture* drawn = drawableTexture(texture);
                         if (!frameBuffer || !drawn || isActive(*frameBuffer))
                             return 0;
                         frameBuffer->texture = OvHandle{0, texture.object};
                         frameBuffer->size = {drawn->width, drawn->height};
                         return 1;
                     });
    }

    OV_API uint8_t OvFrameBufferUseFBO(OvHandle handle)
    {
        return guard(uint8_t(0),
                     [&]() -> uint8_t
                     {
                         FrameBuffer* frameBuffer = findFrameBuffer(handle);
                         return frameBuffer && canDrawInto(*frameBuffer) ? 1 : 0;
                     });
    }

} // extern "C"

#include "base/frame_buffers.h"

#include <algorithm>

#include "base/destroy.h"
#include "base/engine.h"
#include "gl/gl_frame_buffer.h"

namespace ov
{

namespace
{

// The frame buffer object the context drew into before `index` (0: the window's).
uint32_t outerName(size_t index, const gl::Context* context)
{
    const auto& active = engine().activeFrameBuffers;
    for (size_t i = index; i-- > 0;)
        if (active[i].context == context)
            return active[i].name;
    return 0;
}

// Ends the innermost activation.
void popActive()
{
    Engine& e = engine();
    e.renderer.flush();
    const ActiveFrameBuffer ending = e.activeFrameBuffers.back();
    e.activeFrameBuffers.pop_back();
    if (ending.context && e.renderer.device().makeCurrent(ending.context))
        gl::releaseFrameBuffer(ending.name, outerName(e.activeFrameBuffers.size(), ending.context));
    if (e.renderer.context())
        e.renderer.useContext(e.renderer.context());
    e.renderer.setViewport(ending.viewport);
}

} // namespace

Texture* frameBufferTexture(FrameBuffer& frameBuffer)
{
    Texture* texture = engine().textures.find(frameBuffer.texture);
    if (!texture || texture->name == 0 || texture->width <= 0 || texture->height <= 0)
        return nullptr;
    frameBuffer.size = {texture->width, texture->height};
    return texture;
}

bool isActive(const FrameBuffer& frameBuffer)
{
    const auto& active = engine().activeFrameBuffers;
    return std::any_of(active.begin(), active.end(),
                       [&](const ActiveFrameBuffer& entry)
                       { return entry.frameBuffer == &frameBuffer; });
}

bool activateFrameBuffer(FrameBuffer& frameBuffer)
{
    Engine& e = engine();
    Texture* texture = frameBufferTexture(frameBuffer);
    if (!texture || texture->locked || !e.activeTarget || !e.activeTarget->context ||
        isActive(frameBuffer) || e.activeFrameBuffers.size() >= ActiveFrameBuffer::kMostNested)
        return false;
    gl::Context* context = e.activeTarget->context.get();
    e.renderer.useContext(context);
    const uint32_t name = gl::bindFrameBuffer(e.renderer, texture->name);
    if (name == 0)
        return false;
    e.activeFrameBuffers.push_back({&frameBuffer, name, context, e.renderer.wanted().viewport});
    e.renderer.setViewport({0, 0, frameBuffer.size[0], frameBuffer.size[1]});
    return true;
}

bool unactivateFrameBuffer(FrameBuffer& frameBuffer)
{
    const auto& active = engine().activeFrameBuffers;
    if (active.empty() || active.back().frameBuffer != &frameBuffer)
        return false;
    popActive();
    return true;
}

bool canDrawInto(FrameBuffer& frameBuffer)
{
    if (isActive(frameBuffer))
        return true;
    if (!activateFrameBuffer(frameBuffer))
        return false;
    popActive();
    return true;
}

void forgetFrameBufferContext(const gl::Context* context)
{
    for (ActiveFrameBuffer& entry : engine().activeFrameBuffers)
        if (entry.context == context)
            entry.context = nullptr;
}

void releaseFrameBuffer(FrameBuffer& frameBuffer)
{
    Engine& e = engine();
    while (isActive(frameBuffer))
        popActive();
    if (auto own = e.textures.remove(frameBuffer.ownTexture))
        releaseTexture(*own);
    frameBuffer.ownTexture = emptyHandle();
}

} // namespace ov

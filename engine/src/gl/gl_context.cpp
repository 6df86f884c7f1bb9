#include "gl/gl_context.h"

#include <SDL2/SDL.h>
#include <algorithm>
#include <epoxy/gl.h>

namespace ov::gl
{

Context::Context(SDL_Window* window, void* sdlContext, bool ownsWindow)
    : window_(window), context_(sdlContext), ownsWindow_(ownsWindow)
{
}

Context::~Context()
{
    if (context_)
        SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context_));
    if (ownsWindow_ && window_)
        SDL_DestroyWindow(window_);
}

void Device::requestPixelFormat(const PixelRequest& request)
{
    // The same channel sizes the platform gives the window's visual.
    const bool sixteen = request.colourBits <= 16;
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, sixteen ? 5 : 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, sixteen ? 6 : 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, sixteen ? 5 : 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, request.alpha ? 8 : 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, std::max(0, request.depthBits));
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    // No profile mask: a 2.x request without one makes SDL create the context on the window's
    // own visual (GLX's classic path), which every GL implementation gives a compatibility
    // context. Asking for a profile picks the first matching framebuffer configuration
    // instead, whose visual may differ from the window's (depth 32 for per-pixel alpha), and
    // presenting then fails with BadMatch.
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, 0);
}

bool Device::ensureRoot()
{
    if (root_)
        return true;
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
        return false;
    requestPixelFormat(PixelRequest{32, 0, false});
    SDL_Window* window = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!window)
        return false;
    SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 0);
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (!context)
    {
        SDL_DestroyWindow(window);
        return false;
    }
    root_ = std::make_unique<Context>(window, context, true);
    current_ = root_.get();
    contexts_.push_back(root_.get());
    return true;
}

std::unique_ptr<Context> Device::createContext(SDL_Window* window, const PixelRequest& request)
{
    if (!window || !ensureRoot() || !makeCurrent(root_.get()))
        return nullptr;
    requestPixelFormat(request);
    SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 1);
    SDL_GLContext sdlContext = SDL_GL_CreateContext(window);
    SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 0);
    if (!sdlContext)
    {
        makeCurrent(root_.get());
        return nullptr;
    }
    auto context = std::make_unique<Context>(window, sdlContext, false);
    SDL_GL_GetAttribute(SDL_GL_ALPHA_SIZE, &context->alphaBits_);
    SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &context->depthBits_);
    current_ = context.get();
    if (request.alpha && !context->hasAlpha())
    {
        current_ = nullptr;
        makeCurrent(root_.get());
        return nullptr;
    }
    contexts_.push_back(context.get());
    return context;
}

void Device::destroyContext(std::unique_ptr<Context> context)
{
    if (!context)
        return;
    std::erase(contexts_, context.get());
    if (current_ == context.get())
    {
        SDL_GL_MakeCurrent(context->window(), nullptr);
        current_ = nullptr;
    }
    context.reset();
}

bool Device::makeCurrent(Context* context)
{
    if (context == current_)
        return context != nullptr;
    if (!context || SDL_GL_MakeCurrent(context->window(),
                                       static_cast<SDL_GLContext>(context->sdlContext())) != 0)
        return false;
    current_ = context;
    return true;
}

bool Device::ensureAnyCurrent()
{
    if (current_)
        return true;
    return ensureRoot() && makeCurrent(root_.get());
}

bool Device::swapInterval(int interval)
{
    return current_ && SDL_GL_SetSwapInterval(interval) == 0;
}

void Device::swap(Context& context)
{
    if (makeCurrent(&context))
        SDL_GL_SwapWindow(context.window());
}

void Device::forgetTexture(uint32_t name)
{
    for (Context* context : contexts_)
        for (uint32_t& bound : context->applied().state.textures)
            if (bound == name)
                bound = kUnknownName;
}

void Device::forgetBuffer(uint32_t name)
{
    for (Context* context : contexts_)
        for (uint32_t& bound : context->applied().boundBuffers)
            if (bound == name)
                bound = kUnknownName;
}

void Device::forgetProgram(uint32_t name)
{
    for (Context* context : contexts_)
    {
        DrawState& state = context->applied().state;
        for (uint32_t* bound : {&state.program, &state.vertexProgram, &state.fragmentProgram})
            if (*bound == name)
                *bound = kUnknownName;
    }
}

void Device::shutdown()
{
    if (current_)
        SDL_GL_MakeCurrent(current_->window(), nullptr);
    current_ = nullptr;
    contexts_.clear();
    root_.reset();
}

} // namespace ov::gl

// OpenGL contexts through SDL2. The device owns a hidden root context on a private 1x1
// window: every render target's context shares objects with it, so textures, buffers and
// shaders outlive any one window and can be made before the first window exists.
#pragma once

#include <memory>
#include <vector>

#include "gl/draw_state.h"

struct SDL_Window;

namespace ov::gl
{

struct PixelRequest
{
    int colourBits = 32;
    int depthBits = 16;
    bool alpha = false;
};

class Context
{
  public:
    Context(SDL_Window* window, void* sdlContext, bool ownsWindow);
    ~Context();
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    SDL_Window* window() const { return window_; }
    void* sdlContext() const { return context_; }
    bool hasAlpha() const { return alphaBits_ >= 8; }
    // The depth buffer's bits as made (0: none).
    int depthBits() const { return depthBits_; }
    AppliedState& applied() { return applied_; }

  private:
    friend class Device;
    SDL_Window* window_;
    void* context_;
    bool ownsWindow_;
    int alphaBits_ = 0;
    int depthBits_ = 0;
    AppliedState applied_;
};

class Device
{
  public:
    // Sets the SDL attributes a window must be (re)created with before a context of this
    // format can be made on it.
    static void requestPixelFormat(const PixelRequest& request);

    bool ensureRoot();
    // A context on the window, sharing with the root; null on failure, or when alpha was
    // asked for and the context has none.
    std::unique_ptr<Context> createContext(SDL_Window* window, const PixelRequest& request);
    void destroyContext(std::unique_ptr<Context> context);

    bool makeCurrent(Context* context);
    Context* current() const { return current_; }
    // Makes some context current for object work (the current one, else the root).
    bool ensureAnyCurrent();
    bool swapInterval(int interval);
    void swap(Context& context);

    // A deleted object's name may come back: every context must bind it afresh.
    void forgetTexture(uint32_t name);
    void forgetBuffer(uint32_t name);
    void forgetProgram(uint32_t name);

    void shutdown();

  private:
    std::unique_ptr<Context> root_;
    std::vector<Context*> contexts_;
    Context* current_ = nullptr;
};

} // namespace ov::gl

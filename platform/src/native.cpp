// The engine-facing calls of platform/native.h: the SDL window behind a handle, and
// preparing that window for an OpenGL context of a given pixel format.
#include "platform/native.h"

#include "platform/src/internal.h"
#include "platform/src/native_state.h"
#include "platform/src/x11_window.h"

#include <SDL2/SDL.h>

#include <string>

using namespace OvPlatform;

namespace OvPlatform
{

bool& AlphaVisualsAvailable()
{
    static bool available = true;
    return available;
}

} // namespace OvPlatform

namespace
{

void SetGLAttributes(const PlatformPixelFormat& format)
{
    bool sixteen = format.colourBits <= 16;
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, sixteen ? 5 : 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, sixteen ? 6 : 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, sixteen ? 5 : 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, format.alpha ? 8 : 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, format.depthBits > 0 ? format.depthBits : 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
}

// Creates the record's SDL window again (SDL chooses the visual when a window is created),
// with a forced X visual when `visualId` is not 0. Geometry, visibility, title, styles and
// opacity carry over; on failure the old window stays.
bool RecreateNativeWindow(Window& window, unsigned long visualId)
{
    int x = 0, y = 0, width = 1, height = 1;
    SDL_GetWindowPosition(window.sdl, &x, &y);
    SDL_GetWindowSize(window.sdl, &width, &height);
    const char* previousHint = SDL_GetHint(SDL_HINT_VIDEO_X11_WINDOW_VISUALID);
    std::string restore = previousHint ? previousHint : "";
    SDL_SetHint(SDL_HINT_VIDEO_X11_WINDOW_VISUALID,
                visualId ? std::to_string(visualId).c_str() : "");
    SDL_Window* fresh = CreateNativeWindow(window, x, y, width, height);
    SDL_SetHint(SDL_HINT_VIDEO_X11_WINDOW_VISUALID, restore.c_str());
    if (!fresh)
        return false;

    bool hadFocus = FocusWindow() == window.hwnd;
    uint32_t oldId = window.sdlId;
    SDL_DestroyWindow(window.sdl);
    window.sdl = fresh;
    window.sdlId = SDL_GetWindowID(fresh);
    RebindSdlId(window, oldId);
    if (window.layered.set && (window.layered.flags & LWA_ALPHA))
        SDL_SetWindowOpacity(fresh, float(window.layered.alpha) / 255.0f);
    if (window.visible)
    {
        SDL_ShowWindow(fresh);
        if (hadFocus)
            SDL_SetWindowInputFocus(fresh);
    }
    return true;
}

bool SameFormat(const GLFormat& current, const PlatformPixelFormat& wanted)
{
    return current.prepared && current.colourBits == wanted.colourBits &&
           current.depthBits == wanted.depthBits && current.alpha == wanted.alpha;
}

} // namespace

SDL_Window* PlatformNativeWindow(HWND hwnd)
{
    Window* window = LookupWindow(hwnd);
    return window ? window->sdl : nullptr;
}

bool PlatformPrepareGLWindow(HWND hwnd, const PlatformPixelFormat& format)
{
    Window* window = LookupWindow(hwnd);
    if (!window)
        return false;
    if (SameFormat(window->format, format))
        return true;
    unsigned long visualId = 0;
    if (format.alpha)
    {
        visualId = AlphaVisualsAvailable() ? X11FindAlphaVisual(window->sdl) : 0;
        if (!visualId)
            return false;
    }
    SetGLAttributes(format);
    if (!RecreateNativeWindow(*window, visualId))
        return false;
    if (format.alpha && X11WindowDepth(window->sdl) != 32)
        return false;
    window->format = GLFormat{true, format.colourBits, format.depthBits, format.alpha};
    return true;
}

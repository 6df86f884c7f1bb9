// SDL video start-up, shared by every part that needs the display.
#include "platform/src/internal.h"

#include <SDL2/SDL.h>

#include <cstdio>

namespace OvPlatform
{
namespace
{
bool videoReady = false;
bool videoTried = false;
} // namespace

bool EnsureVideo()
{
    // One attempt per process: without a display, probing every back end again on each call
    // (a cursor query every frame) would cost each call the probe and its messages.
    if (videoTried)
        return videoReady;
    videoTried = true;
    // Ctrl+C ends the process as usual; closing windows is reported per window (WM_CLOSE).
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    videoReady = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    // A back end that shows nothing would leave the program running unseen: no display is
    // no display. Said once, on standard error, since no window can say it.
    const char* driver = videoReady ? SDL_GetCurrentVideoDriver() : nullptr;
    if (videoReady && driver &&
        (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0))
    {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        SDL_SetError("only an invisible video back end (%s) is available", driver);
        videoReady = false;
    }
    if (!videoReady)
        std::fprintf(stderr, "Orvane Core: no display: %s\n", SDL_GetError());
    return videoReady;
}

bool VideoReady()
{
    return videoReady;
}

} // namespace OvPlatform

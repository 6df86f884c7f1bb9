// SDL video start-up, shared by every part that needs the display.
#include "platform/src/internal.h"

#include <SDL2/SDL.h>

namespace OvPlatform
{
namespace
{
bool videoReady = false;
}

bool EnsureVideo()
{
    if (videoReady)
        return true;
    // Ctrl+C ends the process as usual; closing windows is reported per window (WM_CLOSE).
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    videoReady = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    return videoReady;
}

bool VideoReady()
{
    return videoReady;
}

} // namespace OvPlatform

// What SDL2 cannot do for us on X11: choosing a visual with an alpha channel, reading a
// window's depth, and changing the taskbar hint of an existing window. Private to
// platform/src; every function is a harmless no-op when SDL does not run on X11.
#pragma once

struct SDL_Window;

namespace OvPlatform
{

unsigned long X11WindowId(SDL_Window* window);
int X11WindowDepth(SDL_Window* window);               // 0 when unknown
unsigned long X11FindAlphaVisual(SDL_Window* window); // a depth-32 TrueColor visual, or 0
void X11SetSkipTaskbar(SDL_Window* window, bool skip);
// Sends what SDL queued for the window to the X server now (SDL flushes only when it pumps).
void X11Flush(SDL_Window* window);

} // namespace OvPlatform

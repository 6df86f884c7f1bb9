// X11 details behind SDL windows (see x11_window.h).
#include "platform/src/x11_window.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <vector>

namespace OvPlatform
{
namespace
{

bool X11Handles(SDL_Window* window, Display** display, ::Window* xwindow)
{
    if (!window)
        return false;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    *display = info.info.x11.display;
    *xwindow = info.info.x11.window;
    return true;
}

std::vector<Atom> WindowStates(Display* display, ::Window xwindow, Atom property)
{
    std::vector<Atom> states;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, xwindow, property, 0, 64, False, XA_ATOM, &type, &format,
                           &count, &remaining, &data) == Success &&
        data)
    {
        if (type == XA_ATOM && format == 32)
        {
            const Atom* atoms = reinterpret_cast<const Atom*>(data);
            states.assign(atoms, atoms + count);
        }
        XFree(data);
    }
    return states;
}

} // namespace

unsigned long X11WindowId(SDL_Window* window)
{
    Display* display = nullptr;
    ::Window xwindow = 0;
    return X11Handles(window, &display, &xwindow) ? xwindow : 0;
}

int X11WindowDepth(SDL_Window* window)
{
    Display* display = nullptr;
    ::Window xwindow = 0;
    XWindowAttributes attributes;
    if (!X11Handles(window, &display, &xwindow) ||
        !XGetWindowAttributes(display, xwindow, &attributes))
        return 0;
    return attributes.depth;
}

// SDL2 picks a depth-24 visual even when the GL attributes ask for alpha, so a window that
// must be see-through needs a depth-32 visual named explicitly. X servers with the
// Composite extension (Xvfb included) offer one.
unsigned long X11FindAlphaVisual(SDL_Window* window)
{
    Display* display = nullptr;
    ::Window xwindow = 0;
    XVisualInfo visual;
    if (!X11Handles(window, &display, &xwindow) ||
        !XMatchVisualInfo(display, DefaultScreen(display), 32, TrueColor, &visual))
        return 0;
    return visual.visualid;
}

// EWMH: an unmapped window carries its state in _NET_WM_STATE; a mapped one asks the
// window manager through the root window.
void X11SetSkipTaskbar(SDL_Window* window, bool skip)
{
    Display* display = nullptr;
    ::Window xwindow = 0;
    XWindowAttributes attributes;
    if (!X11Handles(window, &display, &xwindow) ||
        !XGetWindowAttributes(display, xwindow, &attributes))
        return;
    Atom state = XInternAtom(display, "_NET_WM_STATE", False);
    Atom skipTaskbar = XInternAtom(display, "_NET_WM_STATE_SKIP_TASKBAR", False);
    if (attributes.map_state == IsUnmapped)
    {
        std::vector<Atom> states = WindowStates(display, xwindow, state);
        std::erase(states, skipTaskbar);
        if (skip)
            states.push_back(skipTaskbar);
        XChangeProperty(display, xwindow, state, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(states.data()), int(states.size()));
    }
    else
    {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = xwindow;
        event.xclient.message_type = state;
        event.xclient.format = 32;
        event.xclient.data.l[0] = skip ? 1 : 0; // _NET_WM_STATE_ADD / _REMOVE
        event.xclient.data.l[1] = long(skipTaskbar);
        event.xclient.data.l[3] = 1; // from a normal application
        XSendEvent(display, DefaultRootWindow(display), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &event);
    }
    XFlush(display);
}

void X11Flush(SDL_Window* window)
{
    Display* display = nullptr;
    ::Window xwindow = 0;
    if (X11Handles(window, &display, &xwindow))
        XFlush(display);
}

} // namespace OvPlatform

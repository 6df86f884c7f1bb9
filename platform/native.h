// The engine-facing part of the platform layer: what the engine library needs to make an
// OpenGL context on a platform window and to publish its embedded resources. The framework
// never includes this header.
#pragma once

#include "platform/win32.h"

#ifndef _WIN32
struct SDL_Window;

// The pixel format an OpenGL context on a window needs.
struct PlatformPixelFormat
{
    int colourBits; // 32, 24, 16...
    int depthBits;  // 0 for none
    bool alpha;     // per-pixel alpha: the window needs a visual with an alpha channel
};

// The SDL window behind a platform window handle; null for an unknown handle. Only
// PlatformPrepareGLWindow replaces it (style changes never do), so look it up again after
// preparing a window.
OV_PLATFORM_API SDL_Window* PlatformNativeWindow(HWND hwnd);

// Makes the window's native surface fit an OpenGL context of this pixel format (recreating
// the native window under the same HWND when the format needs another visual); position,
// size, visibility, title and styles are kept. False when the format cannot be had, for
// example alpha when the display offers no visual with an alpha channel.
OV_PLATFORM_API bool PlatformPrepareGLWindow(HWND hwnd, const PlatformPixelFormat& format);

// Registers a block of bytes as resource `id` of type `type` in the module named
// `moduleName` (the module is created on first use; null means the program's own module,
// GetModuleHandleA(NULL)), so that GetModuleHandleA,
// FindResourceA, LoadResource, LockResource and SizeofResource find it. The bytes are
// not copied: they must outlive the module (static data). False on a null or empty block.
// Registering an id and type again replaces the earlier block.
OV_PLATFORM_API bool PlatformRegisterResource(const char* moduleName, unsigned id, unsigned type,
                                              const void* data, size_t size);
#endif

// The cursor in the coordinates of named windows and views, and the mouse over a named
// sprite: the application's cursor operations that need the view and sprite registries.
// Names are looked up by name alone (any index); GUI and game code call these.
#pragma once

#include "core/ov_vector.h"

#include <cstdint>

namespace OvCore
{

// With a null window name the screen coordinate; an unknown window gives 0; otherwise the
// coordinate relative to the window's client area.
int32_t CursorX(const char* window, int32_t index);
int32_t CursorY(const char* window, int32_t index);
// The window-relative coordinate plus the view's viewPosition: world coordinates. A null
// view name uses the current view; no view adds nothing.
double CursorX(const char* window, int32_t index, const char* view, int32_t viewIndex);
double CursorY(const char* window, int32_t index, const char* view, int32_t viewIndex);
// (x, y, 0, 1) as above; a null window name samples the system cursor; an unknown window
// gives (0, 0, 0, 1).
OV_VECTOR CursorVector(const char* window, int32_t index);
OV_VECTOR CursorVector(const char* window, int32_t index, const char* view, int32_t viewIndex);
// Whether left <= x <= right and top <= y <= bottom, in screen or window coordinates.
bool CursorInRect(int32_t left, int32_t top, int32_t right, int32_t bottom, const char* window,
                  int32_t index);
// The button's state (OV_INPUT) and the window-relative cursor inside the named sprite's
// frame rectangle held at the window's origin: from -origin to (width, height) - origin in
// window coordinates, lower edges inside, upper edges outside. `position` takes no part.
bool MouseDownOnSprite(const char* window, const char* sprite, const OV_VECTOR& position,
                       int32_t button);
bool MousePressedOnSprite(const char* window, const char* sprite, const OV_VECTOR& position,
                          int32_t button);
bool MouseReleasedOnSprite(const char* window, const char* sprite, const OV_VECTOR& position,
                           int32_t button);

} // namespace OvCore

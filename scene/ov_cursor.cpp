#include "scene/ov_cursor.h"

#include "core/ov_core_part.h"
#include "core/ov_input.h"
#include "graphics/ov_graphics_part.h"
#include "scene/ov_scene_part.h"

namespace OvCore
{

namespace
{

// The named view, or the current one for a null name; null when there is none.
const OV_VIEW* ViewNamed(const char* view)
{
    const OV_SCENE_PART& scene = ScenePart();
    return view ? scene.views.FindName(view).Get() : scene.currentView.Get();
}

OV_VECTOR ViewOffset(const char* view)
{
    const OV_VIEW* found = ViewNamed(view);
    return found ? OV_VECTOR(found->viewPosition.x, found->viewPosition.y, 0, 0)
                 : OV_VECTOR(0, 0, 0, 0);
}

using ButtonTest = bool (OV_INPUT::*)(int) const;

// The rectangle stays at the window's origin: the position the callers pass takes no part.
bool ButtonOnSprite(ButtonTest test, const char* window, const char* sprite, int32_t button)
{
    const OV_INPUT& input = Input();
    if (!(input.*test)(button))
        return false;
    const OV_WINDOW* found = CorePart().WindowNamed(window);
    const OV_SPRITE* image = GraphicsPart().sprites.FindName(sprite).Get();
    if (!found || !image)
        return false;
    const double x = input.CursorX(*found);
    const double y = input.CursorY(*found);
    return x >= -image->originX && x < image->width - image->originX && y >= -image->originY &&
           y < image->height - image->originY;
}

} // namespace

int32_t CursorX(const char* window, int32_t index)
{
    if (!window)
        return Input().CursorX();
    const OV_WINDOW* found = CorePart().WindowNamed(window, index);
    return found ? Input().CursorX(*found) : 0;
}

int32_t CursorY(const char* window, int32_t index)
{
    if (!window)
        return Input().CursorY();
    const OV_WINDOW* found = CorePart().WindowNamed(window, index);
    return found ? Input().CursorY(*found) : 0;
}

double CursorX(const char* window, int32_t index, const char* view, int32_t /*viewIndex*/)
{
    return CursorX(window, index) + ViewOffset(view).x;
}

double CursorY(const char* window, int32_t index, const char* view, int32_t /*viewIndex*/)
{
    return CursorY(window, index) + ViewOffset(view).y;
}

OV_VECTOR CursorVector(const char* window, int32_t index)
{
    if (!window)
        return Input().SampleCursor();
    const OV_WINDOW* found = CorePart().WindowNamed(window, index);
    if (!found)
        return OV_VECTOR();
    return OV_VECTOR(Input().CursorX(*found), Input().CursorY(*found), 0, 1);
}

OV_VECTOR CursorVector(const char* window, int32_t index, const char* view, int32_t /*viewIndex*/)
{
    if (window && !CorePart().WindowNamed(window, index))
        return OV_VECTOR();
    OV_VECTOR point = CursorVector(window, index);
    const OV_VECTOR offset = ViewOffset(view);
    point.x += offset.x;
    point.y += offset.y;
    return point;
}

bool CursorInRect(int32_t left, int32_t top, int32_t right, int32_t bottom, const char* window,
                  int32_t index)
{
    const int32_t x = CursorX(window, index);
    const int32_t y = CursorY(window, index);
    return left <= x && x <= right && top <= y && y <= bottom;
}

bool MouseDownOnSprite(const char* window, const char* sprite, const OV_VECTOR& /*position*/,
                       int32_t button)
{
    return ButtonOnSprite(&OV_INPUT::MouseDown, window, sprite, button);
}

bool MousePressedOnSprite(const char* window, const char* sprite, const OV_VECTOR& /*position*/,
                          int32_t button)
{
    return ButtonOnSprite(&OV_INPUT::MousePressed, window, sprite, button);
}

bool MouseReleasedOnSprite(const char* window, const char* sprite, const OV_VECTOR& /*position*/,
                           int32_t button)
{
    return ButtonOnSprite(&OV_INPUT::MouseReleased, window, sprite, button);
}

} // namespace OvCore

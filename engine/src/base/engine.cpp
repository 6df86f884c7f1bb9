#include "base/engine.h"

#include <algorithm>

namespace ov
{

Engine& engine()
{
    // Never destroyed: OvClosure releases the OpenGL objects while SDL is still up, and
    // nothing may touch SDL from a static destructor after the platform has shut it down.
    static Engine* instance = new Engine;
    return *instance;
}

uint32_t packColour(float r, float g, float b, float a)
{
    const auto channel = [](float value)
    {
        const float clamped = value > 0.0f ? std::min(value, 1.0f) : 0.0f; // NaN gives 0
        return uint32_t(clamped * 255.0f + 0.5f);
    };
    return channel(r) | channel(g) << 8 | channel(b) << 16 | channel(a) << 24;
}

} // namespace ov

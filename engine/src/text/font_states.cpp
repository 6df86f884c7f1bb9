#include <cmath>

#include "text/font.h"

namespace ov
{

namespace
{

// A finite value of at least `minimum`; anything else leaves the state as it was.
void setMetric(double& stored, double value, double minimum)
{
    if (std::isfinite(value) && value >= minimum)
        stored = value;
}

} // namespace

HandleTable<DisplayList>& displayLists()
{
    // Never destroyed, like the engine itself: the framework may release a font from a
    // static destructor at process exit, and must find a table that refuses the handle.
    static auto* table = new HandleTable<DisplayList>;
    return *table;
}

FontStates& fontStates()
{
    static FontStates states;
    return states;
}

bool setFontState(int32_t state, const double values[4])
{
    FontStates& s = fontStates();
    const double spacingFloor = -1e9; // spacing may be negative, but stays finite
    switch (state)
    {
    case 96:
        setMetric(s.glyphWidth, values[0], 0);
        return true;
    case 97:
        setMetric(s.glyphHeight, values[0], 0);
        return true;
    case 98:
        setMetric(s.letterSpacing, values[0], spacingFloor);
        return true;
    case 99:
        setMetric(s.lineSpacing, values[0], spacingFloor);
        return true;
    case 100:
        // A signed char's code (-1 for 255) means the same character.
        if (std::isfinite(values[0]) && values[0] > -256 && values[0] < 256)
            s.lineBreak = int32_t(values[0]) & 0xFF;
        return true;
    default:
        return false;
    }
}

void* fontStateStorage(int32_t state)
{
    FontStates& s = fontStates();
    switch (state)
    {
    case 96:
        return &s.glyphWidth;
    case 97:
        return &s.glyphHeight;
    case 98:
        return &s.letterSpacing;
    case 99:
        return &s.lineSpacing;
    case 100:
        return &s.lineBreak;
    default:
        return nullptr;
    }
}

void destroyAllFonts()
{
    displayLists().clear();
    fontStates() = FontStates{};
}

} // namespace ov

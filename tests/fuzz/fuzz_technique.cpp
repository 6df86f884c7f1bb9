// Fuzzes techniques through the framework's own TechniqueShader handlers: the input after its
// first byte is a script (first byte even) or a compiled program (odd), run with eight host
// slots that hold nothing. Every handler must leave a slot holding null alone and cope with
// whatever operands an accepted program gives it; no window is open, so nothing is drawn.
#include <cstdlib>

#include "graphics/ov_technique.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool registered = OvCore::RegisterDefinitions();
    if (!registered)
        std::abort();
    if (size == 0)
        return 0;
    void* nothing[8] = {};
    void* slots[8];
    for (int i = 0; i < 8; ++i)
        slots[i] = &nothing[i];
    OvCore::OV_TECHNIQUE technique;
    const auto* rest = reinterpret_cast<const char*>(data + 1);
    const auto length = uint32_t(size - 1);
    const bool ready =
        (data[0] & 1) ? technique.LoadMemory(rest, length) : technique.Compile(rest, length);
    if (ready)
        technique.Execute(slots, 8);
    return 0;
}

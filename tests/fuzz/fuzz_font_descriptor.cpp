// Fuzzes the font descriptor parser: any bytes are parsed into a fresh descriptor, which must
// then hold only finite numbers (a texture size of 0 must never be divided by).
#include "graphics/font_descriptor.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>

using namespace OvCore;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FONT_DESCRIPTOR descriptor;
    descriptor = FONT_DESCRIPTOR{};
    ParseDescriptor(descriptor, reinterpret_cast<const char*>(data), static_cast<uint32_t>(size));
    if (!std::isfinite(descriptor.lineHeight))
        std::abort();
    for (const FONT_GLYPH& glyph : descriptor.glyphs)
        for (float value : {glyph.width, glyph.height, glyph.xoffset, glyph.yoffset, glyph.xadvance,
                            glyph.u0, glyph.v0, glyph.u1, glyph.v1})
            if (!std::isfinite(value))
                std::abort();
    return 0;
}

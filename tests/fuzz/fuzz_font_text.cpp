// Fuzzes text layout: the input is descriptor text (or, when long enough, the descriptor's
// raw bytes as the engine receives them, so NaNs and huge values arrive) followed by a zero
// byte and the text to lay out. The engine builds a display list and lays the text out into
// glyph quads (nothing reaches OpenGL without a render target); OV_FONT measures it.
#include "graphics/ov_font.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace OvCore;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto* bytes = reinterpret_cast<const char*>(data);
    const char* separator = static_cast<const char*>(std::memchr(bytes, 0, size));
    const size_t descriptorBytes = separator ? size_t(separator - bytes) : size;
    const std::string text = separator ? std::string(separator + 1, bytes + size) : std::string();

    static OV_FONT font;
    font.descriptor = std::make_unique<FONT_DESCRIPTOR>();
    if (descriptorBytes >= sizeof(FONT_DESCRIPTOR))
        std::memcpy(font.descriptor.get(), bytes, sizeof(FONT_DESCRIPTOR));
    else
        ParseDescriptor(*font.descriptor, bytes, static_cast<uint32_t>(descriptorBytes));

    OvSetState(OV_STATE_LINE_BREAK, static_cast<unsigned char>(font.descriptor->lineBreak));
    OvHandle list{1, nullptr};
    if (!OvGenerateFont(&list, font.descriptor.get()))
        std::abort();
    OvDrawFont(list, text.c_str());
    OvDisplaylistDestroy(list);

    font.Measure(text.c_str());
    return 0;
}

// Feeds arbitrary bytes to the string helpers that parse file text: split, tokenise, replace,
// unescape and typed literals. A typed literal must never write past the room it claims.
#include "core/ov_string.h"

#include <cstdint>
#include <string>
#include <vector>

using OvCore::OV_STRING;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    uint32_t count = 0;
    OV_STRING::SplitBuffer(data, static_cast<uint32_t>(size), ",; ", count, "\"'");

    std::string bytes(reinterpret_cast<const char*>(data), size);
    OV_STRING text(bytes.c_str());
    text.Split(":", count, "\"");

    OV_STRING token;
    for (uint32_t position = 0; (position = text.NextToken(token, ":", position)) != 0;)
    {
    }
    OV_STRING replaced;
    text.ReplaceAll(replaced, "\\", "\\\\");
    replaced.Unescape();

    for (char letter : {'\0', 'f', 'v', 'x', 'i'})
    {
        uint32_t room = letter ? 32 : text.TypeSize();
        std::vector<uint8_t> out(room + 8, 0xA5);
        text.ParseTyped(out.data(), room, letter);
        for (size_t i = room; i < out.size(); ++i)
            if (out[i] != 0xA5)
                __builtin_trap();
    }
    return 0;
}

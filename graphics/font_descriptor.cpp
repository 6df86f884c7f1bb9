// Descriptor text: lines of tokens split at spaces and tabs (a quoted token keeps its spaces);
// the first token names the line, the others are key=value with decimal integer values.
#include "graphics/font_descriptor.h"

#include "core/ov_string.h"
#include "formats/byte_buffer.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>

namespace OvCore
{
namespace
{

// The integer value of `key` on a line (tokens after the line's name), 0 when absent. The
// last occurrence wins.
int KeyValue(const OV_STRING* tokens, uint32_t count, const char* key)
{
    const size_t keyLength = std::strlen(key);
    int value = 0;
    for (uint32_t i = 1; i < count; ++i)
    {
        const char* token = tokens[i].Text();
        if (std::strncmp(token, key, keyLength) != 0 || token[keyLength] != '=')
            continue;
        const long parsed = std::strtol(token + keyLength + 1, nullptr, 10);
        value = static_cast<int>(parsed < INT_MIN ? INT_MIN : parsed > INT_MAX ? INT_MAX : parsed);
    }
    return value;
}

// A texture coordinate; 0 when the texture size is unknown, so a missing or zero scaleW or
// scaleH never divides by zero.
float TextureCoordinate(int64_t pixel, int textureSize)
{
    return textureSize > 0 ? static_cast<float>(static_cast<double>(pixel) / textureSize) : 0.0f;
}

struct TextureSize
{
    int width = 0;
    int height = 0;
};

void ReadCommon(FONT_DESCRIPTOR& descriptor, const OV_STRING* tokens, uint32_t count,
                TextureSize& texture)
{
    descriptor.lineHeight = static_cast<float>(KeyValue(tokens, count, "lineHeight"));
    texture.width = KeyValue(tokens, count, "scaleW");
    texture.height = KeyValue(tokens, count, "scaleH");
}

void ReadChar(FONT_DESCRIPTOR& descriptor, const OV_STRING* tokens, uint32_t count,
              const TextureSize& texture)
{
    const int id = KeyValue(tokens, count, "id");
    if (id < 0 || id > 255)
        return;
    const int x = KeyValue(tokens, count, "x");
    const int y = KeyValue(tokens, count, "y");
    const int width = KeyValue(tokens, count, "width");
    const int height = KeyValue(tokens, count, "height");
    FONT_GLYPH& glyph = descriptor.glyphs[id];
    glyph.width = static_cast<float>(width);
    glyph.height = static_cast<float>(height);
    glyph.xoffset = static_cast<float>(KeyValue(tokens, count, "xoffset"));
    glyph.yoffset = static_cast<float>(KeyValue(tokens, count, "yoffset"));
    glyph.xadvance = static_cast<float>(KeyValue(tokens, count, "xadvance"));
    // Summed in 64 bits: x + width need not fit an int.
    glyph.u0 = TextureCoordinate(x, texture.width);
    glyph.v0 = TextureCoordinate(y, texture.height);
    glyph.u1 = TextureCoordinate(int64_t{x} + width, texture.width);
    glyph.v1 = TextureCoordinate(int64_t{y} + height, texture.height);
}

void ReadLine(FONT_DESCRIPTOR& descriptor, const OV_STRING& line, TextureSize& texture)
{
    uint32_t count = 0;
    const auto tokens = line.Split(" \t", count, "\"");
    if (count == 0)
        return;
    if (tokens[0] == "common")
        ReadCommon(descriptor, tokens.get(), count, texture);
    else if (tokens[0] == "char")
        ReadChar(descriptor, tokens.get(), count, texture);
}

// Calls `read` with each line: a run of bytes without line ends or zero bytes (empty runs are
// no lines).
template <class Read> void ForEachLine(const char* text, uint32_t length, Read&& read)
{
    uint32_t start = 0;
    for (uint32_t p = 0; p <= length; ++p)
    {
        if (p < length && text[p] != '\r' && text[p] != '\n' && text[p] != '\0')
            continue;
        if (p > start)
            read(text + start, p - start);
        start = p + 1;
    }
}

} // namespace

bool ParseDescriptor(FONT_DESCRIPTOR& descriptor, const char* text, uint32_t length)
{
    if (text == nullptr || length == 0)
        return false;
    try
    {
        TextureSize texture;
        OV_STRING line;
        ForEachLine(text, length,
                    [&](const char* start, uint32_t size)
                    {
                        line.Assign(start, size);
                        ReadLine(descriptor, line, texture);
                    });
    }
    catch (const std::bad_alloc&)
    {
        return false;
    }
    return true;
}

bool ReadDescriptor(FONT_DESCRIPTOR& descriptor, const char* path)
{
    ByteBuffer file;
    if (!path || file.FileSize(path) > FONT_DESCRIPTOR_LARGEST_FILE || !file.LoadFile(path))
        return false;
    return ParseDescriptor(descriptor, reinterpret_cast<const char*>(file.start), file.count);
}

} // namespace OvCore

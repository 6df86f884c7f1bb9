#include "gl/gl_codes.h"

#include <epoxy/gl.h>

#include "orvane_core.h"

namespace ov::gl
{

namespace
{

template <size_t N>
std::optional<uint32_t> lookup(int32_t code, int32_t first, const uint32_t (&table)[N])
{
    if (code < first || code >= first + static_cast<int32_t>(N))
        return std::nullopt;
    return table[code - first];
}

} // namespace

std::optional<uint32_t> blendFactor(int32_t code)
{
    static const uint32_t table[] = {GL_ZERO,
                                     GL_ONE,
                                     GL_SRC_COLOR,
                                     GL_ONE_MINUS_SRC_COLOR,
                                     GL_DST_COLOR,
                                     GL_ONE_MINUS_DST_COLOR,
                                     GL_SRC_ALPHA,
                                     GL_ONE_MINUS_SRC_ALPHA,
                                     GL_DST_ALPHA,
                                     GL_ONE_MINUS_DST_ALPHA,
                                     GL_SRC_ALPHA_SATURATE,
                                     GL_CONSTANT_COLOR,
                                     GL_ONE_MINUS_CONSTANT_COLOR,
                                     GL_CONSTANT_ALPHA,
                                     GL_ONE_MINUS_CONSTANT_ALPHA};
    return lookup(code, OV_BLEND_ZERO, table);
}

std::optional<uint32_t> blendEquation(int32_t code)
{
    static const uint32_t table[] = {GL_FUNC_ADD, GL_FUNC_SUBTRACT, GL_FUNC_REVERSE_SUBTRACT,
                                     GL_MIN, GL_MAX};
    return lookup(code, OV_EQUATION_ADD, table);
}

std::optional<uint32_t> primitiveMode(int32_t code)
{
    static const uint32_t table[] = {GL_POINTS,       GL_LINES,     GL_LINE_LOOP,
                                     GL_LINE_STRIP,   GL_TRIANGLES, GL_TRIANGLE_STRIP,
                                     GL_TRIANGLE_FAN, GL_QUADS};
    return lookup(code, OV_PRIMITIVE_POINTS, table);
}

std::optional<uint32_t> textureParameter(int32_t code)
{
    static const uint32_t table[] = {GL_TEXTURE_MIN_FILTER, GL_TEXTURE_MAG_FILTER,
                                     GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T};
    return lookup(code, OV_TEXTURE_MIN_FILTER, table);
}

std::optional<int32_t> textureValue(int32_t code)
{
    switch (code)
    {
    case OV_FILTER_NEAREST:
        return GL_NEAREST;
    case OV_FILTER_LINEAR:
        return GL_LINEAR;
    case OV_WRAP_REPEAT:
        return GL_REPEAT;
    case OV_WRAP_CLAMP:
        return GL_CLAMP_TO_EDGE;
    default:
        return std::nullopt;
    }
}

std::optional<uint32_t> bufferUsage(int32_t code)
{
    static const uint32_t table[] = {GL_STATIC_DRAW, GL_DYNAMIC_DRAW, GL_STREAM_DRAW};
    return lookup(code, OV_USAGE_STATIC, table);
}

std::optional<uint32_t> bufferAccess(int32_t code)
{
    static const uint32_t table[] = {GL_READ_ONLY, GL_WRITE_ONLY, GL_READ_WRITE};
    return lookup(code, OV_MAP_READ_ONLY, table);
}

} // namespace ov::gl

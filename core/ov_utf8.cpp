#include "core/ov_utf8.h"

#include <cstdint>

namespace OvCore
{

namespace
{

constexpr bool WIDE_IS_UTF16 = sizeof(wchar_t) == 2;

bool IsSurrogate(uint32_t code)
{
    return code >= 0xD800 && code <= 0xDFFF;
}

void AppendUtf8(uint32_t code, std::string& out)
{
    if (code < 0x80)
    {
        out += char(code);
        return;
    }
    const int extra = code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
    const unsigned lead[] = {0, 0xC0, 0xE0, 0xF0};
    out += char(lead[extra] | (code >> (6 * extra)));
    for (int shift = 6 * (extra - 1); shift >= 0; shift -= 6)
        out += char(0x80 | ((code >> shift) & 0x3F));
}

void AppendWide(uint32_t code, std::wstring& out)
{
    if (WIDE_IS_UTF16 && code >= 0x10000)
    {
        code -= 0x10000;
        out += wchar_t(0xD800 + (code >> 10));
        out += wchar_t(0xDC00 + (code & 0x3FF));
        return;
    }
    out += wchar_t(code);
}

// One code point from `text`, moving past it; false for a malformed sequence.
bool DecodeUtf8(const unsigned char*& text, uint32_t& code)
{
    const unsigned char first = *text++;
    if (first < 0x80)
    {
        code = first;
        return true;
    }
    const int extra = first >= 0xF0 ? 3 : first >= 0xE0 ? 2 : first >= 0xC0 ? 1 : -1;
    if (extra < 0 || first > 0xF4)
        return false;
    code = first & (0x3F >> extra);
    for (int i = 0; i < extra; ++i, ++text)
    {
        if ((*text & 0xC0) != 0x80) // also stops at the terminator
            return false;
        code = (code << 6) | (*text & 0x3F);
    }
    const uint32_t smallest[] = {0, 0x80, 0x800, 0x10000};
    return code >= smallest[extra] && code <= 0x10FFFF && !IsSurrogate(code);
}

// One code point from `wide`, moving past it (a UTF-16 pair counts as one).
bool DecodeWide(const wchar_t*& wide, uint32_t& code)
{
    code = static_cast<uint32_t>(*wide++);
    if (WIDE_IS_UTF16 && code >= 0xD800 && code <= 0xDBFF)
    {
        const auto low = static_cast<uint32_t>(*wide);
        if (low < 0xDC00 || low > 0xDFFF)
            return false;
        ++wide;
        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        return true;
    }
    return code <= 0x10FFFF && !IsSurrogate(code);
}

} // namespace

bool WideToUtf8(const wchar_t* wide, std::string& utf8)
{
    utf8.clear();
    if (!wide)
        return false;
    for (uint32_t code = 0; *wide;)
    {
        if (!DecodeWide(wide, code))
            return false;
        AppendUtf8(code, utf8);
    }
    return true;
}

bool Utf8ToWide(const char* utf8, std::wstring& wide)
{
    wide.clear();
    if (!utf8)
        return false;
    const auto* text = reinterpret_cast<const unsigned char*>(utf8);
    for (uint32_t code = 0; *text;)
    {
        if (!DecodeUtf8(text, code))
            return false;
        AppendWide(code, wide);
    }
    return true;
}

} // namespace OvCore

#include "core/ov_string.h"

#include "core/ov_utf8.h"

#include <algorithm>
#include <cerrno>
#include <cinttypes>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>

namespace OvCore
{
namespace
{

std::unique_ptr<char[]> MakeBuffer(const char* bytes, size_t n)
{
    auto buffer = std::make_unique<char[]>(n + 1);
    if (n)
        std::memcpy(buffer.get(), bytes, n);
    buffer[n] = '\0';
    return buffer;
}

// Null when the text is not well-formed (the framework's strings are UTF-8).
std::unique_ptr<char[]> FromWide(const wchar_t* text)
{
    std::string utf8;
    if (!WideToUtf8(text, utf8))
        return nullptr;
    return MakeBuffer(utf8.data(), utf8.size());
}

// Bytes before the terminator, looking at no more than `limit` bytes.
size_t BoundedLength(const char* text, size_t limit)
{
    const void* end = std::memchr(text, '\0', limit);
    return end ? static_cast<const char*>(end) - text : limit;
}

bool IsIn(const char* set, char c)
{
    return set && c != '\0' && std::strchr(set, c);
}

// Walks the split algorithm over bytes[0 .. length]; stores the tokens when `tokens` is given
// and returns how many there are, so a counting pass and a filling pass always agree.
uint32_t SplitInto(const char* bytes, uint32_t length, const char* delimiters, const char* quotes,
                   OV_STRING* tokens)
{
    uint32_t count = 0;
    uint32_t previous = 0;
    bool first = true;
    bool quoted = false;
    for (uint32_t p = 0; p <= length; ++p)
    {
        char c = p < length ? bytes[p] : '\0';
        for (const char* q = quotes; q && *q; ++q)
            quoted ^= (*q == c);
        // The end always closes the last token, so an unclosed quote loses nothing.
        bool delimiter = p == length || (!quoted && (c == '\0' || IsIn(delimiters, c)));
        if (!delimiter)
            continue;
        if (first ? p > 0 : p - previous > 1)
        {
            uint32_t from = first ? 0 : previous + 1;
            if (tokens)
                tokens[count].Assign(bytes + from, p - from);
            ++count;
        }
        first = false;
        previous = p;
    }
    return count;
}

// strtol / strtoul as a runtime with 32-bit long gives them: out-of-range values saturate.
int32_t ParseLong32(const char* text)
{
    long long value = std::strtoll(text, nullptr, 0);
    return static_cast<int32_t>(value < INT32_MIN   ? INT32_MIN
                                : value > INT32_MAX ? INT32_MAX
                                                    : value);
}

uint32_t ParseULong32(const char* text)
{
    errno = 0;
    unsigned long long value = std::strtoull(text, nullptr, 0);
    if (errno == ERANGE)
        return UINT32_MAX;
    const char* sign = text;
    while (*sign == ' ' || (*sign >= '\t' && *sign <= '\r'))
        ++sign;
    unsigned long long magnitude = *sign == '-' ? 0 - value : value;
    return magnitude > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(value);
}

template <class T> bool Store(void* out, uint32_t outSize, T value)
{
    if (!out || outSize < sizeof(T))
        return false;
    std::memcpy(out, &value, sizeof(T));
    return true;
}

// Up to four ':'-separated components; only those present are written.
template <class T> bool StoreComponents(const OV_STRING& number, void* out, uint32_t outSize)
{
    T values[4];
    uint32_t present = 0;
    OV_STRING token;
    uint32_t position = 0;
    do
    {
        position = number.NextToken(token, ":", position);
        values[present++] = static_cast<T>(std::strtod(token.Text(), nullptr));
    } while (position != 0 && present < 4);
    if (!out || outSize < present * sizeof(T))
        return false;
    std::memcpy(out, values, present * sizeof(T));
    return true;
}

// The value of a hexadecimal digit, or -1.
int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// In a hex literal any other byte counts as 0.
uint8_t HexDigit(char c)
{
    return static_cast<uint8_t>(std::max(HexValue(c), 0));
}

// Digit pairs from the end, least significant byte first; an odd leading digit is a byte of
// its own.
bool StoreHex(const OV_STRING& digits, void* out, uint32_t outSize)
{
    uint32_t length = digits.Length();
    uint32_t bytes = (length + 1) / 2;
    if (!out || outSize < bytes)
        return false;
    const char* text = digits.Text();
    auto* target = static_cast<uint8_t*>(out);
    for (uint32_t i = 0; i < bytes; ++i)
    {
        uint32_t low = length - 1 - 2 * i;
        uint8_t high = low > 0 ? HexDigit(text[low - 1]) : 0;
        target[i] = static_cast<uint8_t>(HexDigit(text[low]) | high << 4);
    }
    return true;
}

bool IsTypeLetter(char c)
{
    return c != '\0' && std::strchr("bcdfhirsvwx", c);
}

bool ParseNumber(const OV_STRING& number, char letter, void* out, uint32_t outSize)
{
    const char* text = number.Text();
    switch (letter)
    {
    case 'c':
        return Store(out, outSize, static_cast<int8_t>(ParseLong32(text)));
    case 'b':
        return Store(out, outSize, static_cast<uint8_t>(ParseULong32(text)));
    case 's':
        return Store(out, outSize, static_cast<int16_t>(ParseLong32(text)));
    case 'w':
        return Store(out, outSize, static_cast<uint16_t>(ParseULong32(text)));
    case 'i':
        return Store(out, outSize, ParseLong32(text));
    case 'd':
        return Store(out, outSize, ParseULong32(text));
    case 'h':
        return Store(out, outSize, static_cast<float>(std::strtod(text, nullptr)));
    case 'r':
        return Store(out, outSize, std::strtod(text, nullptr));
    case 'f':
        return StoreComponents<float>(number, out, outSize);
    case 'v':
        return StoreComponents<double>(number, out, outSize);
    case 'x':
        return StoreHex(number, out, outSize);
    default:
        return false;
    }
}

// The byte a one-letter escape such as \n stands for; false for letters that are not one.
bool SimpleEscape(char c, char& byte)
{
    static constexpr char letters[] = "0abfnrtv'\"\\?";
    static constexpr char bytes[] = {'\0', '\a', '\b', '\f', '\n', '\r',
                                     '\t', '\v', '\'', '"',  '\\', '?'};
    const char* found = c ? std::strchr(letters, c) : nullptr;
    if (!found)
        return false;
    byte = bytes[found - letters];
    return true;
}

} // namespace

OV_STRING::OV_STRING() : data_(MakeBuffer("", 0)) {}

OV_STRING::OV_STRING(const char* text) : data_(MakeBuffer(text, text ? std::strlen(text) : 0)) {}

OV_STRING::OV_STRING(const wchar_t* text) : OV_STRING()
{
    *this = text;
}

OV_STRING::OV_STRING(const OV_STRING& other) : OV_STRING(other.Text()) {}

OV_STRING& OV_STRING::operator=(const OV_STRING& other)
{
    if (this != &other)
        *this = other.Text();
    return *this;
}

void OV_STRING::Adopt(std::unique_ptr<char[]> buffer)
{
    data_ = std::move(buffer);
}

OV_STRING& OV_STRING::operator=(const char* text)
{
    if (text)
        Adopt(MakeBuffer(text, std::strlen(text)));
    return *this;
}

OV_STRING& OV_STRING::operator=(const wchar_t* text)
{
    if (!text)
        return *this;
    if (auto buffer = FromWide(text))
        Adopt(std::move(buffer));
    return *this;
}

void OV_STRING::Assign(const char* text, uint32_t n)
{
    if (text)
        Adopt(MakeBuffer(text, BoundedLength(text, n)));
}

bool OV_STRING::Format(const char* format, ...)
{
    if (!format)
        return false;
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length < 0)
    {
        va_end(args);
        return false;
    }
    auto buffer = std::make_unique<char[]>(static_cast<size_t>(length) + 1);
    std::vsnprintf(buffer.get(), static_cast<size_t>(length) + 1, format, args);
    va_end(args);
    Adopt(std::move(buffer));
    return true;
}

void OV_STRING::Append(const char* text)
{
    if (!text)
        return;
    size_t length = Length();
    size_t extra = std::strlen(text);
    auto buffer = std::make_unique<char[]>(length + extra + 1);
    std::memcpy(buffer.get(), Text(), length);
    std::memcpy(buffer.get() + length, text, extra + 1);
    Adopt(std::move(buffer));
}

void OV_STRING::Append(const OV_STRING& text)
{
    Append(text.Text());
}

void OV_STRING::Append(double value)
{
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.8g", value);
    Append(digits);
}

void OV_STRING::Append(int32_t value)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%" PRId32, value);
    Append(digits);
}

void OV_STRING::Append(uint32_t value)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%" PRIu32, value);
    Append(digits);
}

uint32_t OV_STRING::Length() const
{
    return static_cast<uint32_t>(std::strlen(Text()));
}

void OV_STRING::Clear()
{
    Adopt(MakeBuffer("", 0));
}

bool OV_STRING::operator==(const OV_STRING& other) const
{
    return std::strcmp(Text(), other.Text()) == 0;
}

bool OV_STRING::operator==(const char* text) const
{
    return text && std::strcmp(Text(), text) == 0;
}

bool OV_STRING::ToWide(wchar_t* buffer, uint32_t capacity) const
{
    if (!buffer || capacity == 0)
        return false;
    std::wstring wide;
    if (!Utf8ToWide(Text(), wide) || wide.size() >= capacity)
        return false;
    std::wmemcpy(buffer, wide.c_str(), wide.size() + 1);
    return true;
}

bool OV_STRING::Find(uint32_t position, const char* substring, uint32_t& index) const
{
    if (!substring || position >= Length())
        return false;
    const char* found = std::strstr(Text() + position, substring);
    if (!found)
        return false;
    index = static_cast<uint32_t>(found - Text());
    return true;
}

uint32_t OV_STRING::NextToken(OV_STRING& token, const char* separator, uint32_t position) const
{
    if (position > Length())
    {
        token.Clear();
        return 0;
    }
    const char* from = Text() + position;
    const char* found = separator && *separator ? std::strstr(from, separator) : nullptr;
    if (!found)
    {
        token = OV_STRING(from); // a copy first: `token` may be this string
        return 0;
    }
    uint32_t next = static_cast<uint32_t>(found - Text() + std::strlen(separator));
    token.Assign(from, static_cast<uint32_t>(found - from));
    return next;
}

uint32_t OV_STRING::ReplaceAll(OV_STRING& result, const char* search, const char* replacement) const
{
    if (!search || !*search)
    {
        result = *this;
        return 0;
    }
    size_t searchLength = std::strlen(search);
    std::string replaced;
    uint32_t count = 0;
    const char* from = Text();
    for (const char* found; (found = std::strstr(from, search)); from = found + searchLength)
    {
        replaced.append(from, found);
        replaced.append(replacement ? replacement : "");
        ++count;
    }
    replaced.append(from);
    result = replaced.c_str();
    return count;
}

uint32_t OV_STRING::ReplaceChar(char from, char to)
{
    uint32_t count = 0;
    for (char* c = data_.get(); *c; ++c)
    {
        if (*c == from)
        {
            *c = to;
            ++count;
        }
    }
    return count;
}

void OV_STRING::Unescape()
{
    const char* text = Text();
    uint32_t length = Length();
    std::string out;
    for (uint32_t i = 0; i < length; ++i)
    {
        if (text[i] != '\\')
        {
            out += text[i];
            continue;
        }
        if (i + 1 == length)
            break; // a trailing backslash is dropped
        char escape = text[i + 1];
        char simple;
        if (escape == 'x' && i + 3 < length && HexValue(text[i + 2]) >= 0 &&
            HexValue(text[i + 3]) >= 0)
        {
            out += static_cast<char>(HexDigit(text[i + 2]) << 4 | HexDigit(text[i + 3]));
            i += 3;
        }
        else if (SimpleEscape(escape, simple))
        {
            out += simple;
            ++i;
        }
        else
        {
            out += '\\'; // not an escape we know: keep the pair as written
        }
    }
    Adopt(MakeBuffer(out.data(), out.size()));
}

std::unique_ptr<OV_STRING[]> OV_STRING::Split(const char* delimiters, uint32_t& count,
                                              const char* quotes) const
{
    return SplitBuffer(Text(), Length(), delimiters, count, quotes);
}

std::unique_ptr<OV_STRING[]> OV_STRING::SplitBuffer(const void* bytes, uint32_t length,
                                                    const char* delimiters, uint32_t& count,
                                                    const char* quotes)
{
    const char* text = bytes ? static_cast<const char*>(bytes) : "";
    length = bytes ? length : 0;
    count = SplitInto(text, length, delimiters, quotes, nullptr);
    auto tokens = std::make_unique<OV_STRING[]>(count);
    SplitInto(text, length, delimiters, quotes, tokens.get());
    return tokens;
}

char OV_STRING::TypeLetter() const
{
    uint32_t length = Length();
    char last = length >= 2 ? Text()[length - 1] : '\0';
    return IsTypeLetter(last) ? last : '\0';
}

uint32_t OV_STRING::TypeSize() const
{
    switch (TypeLetter())
    {
    case 'b':
    case 'c':
        return 1;
    case 's':
    case 'w':
        return 2;
    case 'd':
    case 'h':
    case 'i':
        return 4;
    case 'r':
        return 8;
    case 'f':
        return 16;
    case 'v':
        return 32;
    case 'x':
        return Length() / 2;
    default:
        return 0;
    }
}

bool OV_STRING::ParseTyped(void* out, uint32_t outSize, char letter) const
{
    if (letter == '\0')
    {
        letter = TypeLetter();
        if (letter == '\0')
            return false;
        OV_STRING number;
        number.Assign(Text(), Length() - 1);
        return ParseNumber(number, letter, out, outSize);
    }
    return Length() > 0 && ParseNumber(*this, letter, out, outSize);
}

} // namespace OvCore

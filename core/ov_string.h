// OV_STRING, the framework's string: an owned, zero-terminated single-byte buffer that is
// reallocated to the exact size on every change, with the parsing helpers every part of the
// framework uses (split, tokenise, replace, unescape, typed literals such as "1.5:2f").
#pragma once

#include <cstdint>
#include <memory>

// Lets the compiler check a printf-style format (argument `fmt`) against the arguments from `args`
// on; nothing where it cannot.
#if defined(__GNUC__) || defined(__clang__)
#define OV_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define OV_PRINTF_FORMAT(fmt, args)
#endif

namespace OvCore
{

// The framework string: an owned zero-terminated byte buffer, copied deep, with the parsing
// helpers.
class OV_STRING
{
  public:
    // Marks a string whose text belongs to a shared record. Ownership itself is tracked by the
    // string: copies are deep and a string frees exactly the buffer it allocated, whatever this
    // flag says, so marking a copy borrowed can neither leak nor free a buffer twice.
    bool borrowed = false;

    OV_STRING();
    OV_STRING(const char* text);    // null gives the empty string
    OV_STRING(const wchar_t* text); // converted to UTF-8 whatever the locale; null or
                                    // malformed text gives the empty string
    // A deep copy of `other`'s text; the copy is not marked borrowed.
    OV_STRING(const OV_STRING& other);
    // Replaces the text with a copy of `other`'s; the borrowed flag stays as it was.
    OV_STRING& operator=(const OV_STRING& other);
    ~OV_STRING() = default; // frees the buffer the string allocated

    // Replaces the text. A null pointer leaves the string unchanged, as does wide text that cannot
    // be converted.
    OV_STRING& operator=(const char* text);
    OV_STRING& operator=(const wchar_t* text);
    // The first n bytes of text (n is capped at its length); null leaves the string unchanged.
    void Assign(const char* text, uint32_t n);

    // printf-style; the content becomes the formatted text. False (content unchanged) when the
    // format is null or invalid.
    bool Format(const char* format, ...) OV_PRINTF_FORMAT(2, 3);

    // Append adds to the end of the text. A double is written with 8 significant digits ("%.8g",
    // the runtime's gcvt form: 1.5 -> "1.5", 100 -> "100", 1e20 -> "1e+20"); integers in decimal.
    void Append(const char* text); // null appends nothing
    // Appends another string's text (the string itself included).
    void Append(const OV_STRING& text);
    // Appends a double with 8 significant digits, as described above.
    void Append(double value);
    // Appends a signed integer in decimal.
    void Append(int32_t value);
    // Appends an unsigned integer in decimal.
    void Append(uint32_t value);
    void Append(char) = delete; // would append the character's code as a number
    // Appends text, a string or a number as Append does; returns the string for chaining.
    template <class T> OV_STRING& operator+=(const T& value)
    {
        Append(value);
        return *this;
    }

    uint32_t Length() const;                         // bytes before the terminator
    const char* Text() const { return data_.get(); } // the zero-terminated text; never null
    // Makes the string empty ("", never null).
    void Clear();

    // Byte-equal texts.
    bool operator==(const OV_STRING& other) const;
    bool operator==(const char* text) const; // a null text equals no string

    // Converts into the caller's wide buffer of `capacity` characters (terminator included).
    // False, writing nothing, when the buffer is null, the capacity is 0, the text does not
    // fit, or it is not well-formed UTF-8.
    bool ToWide(wchar_t* buffer, uint32_t capacity) const;

    // Byte index of the first occurrence of `substring` at or after `position`. False when
    // position >= Length(), the substring is null, or it does not occur.
    bool Find(uint32_t position, const char* substring, uint32_t& index) const;

    // `token` becomes the text from `position` up to the next `separator` (or to the end).
    // Returns the position just after that separator, or 0 when no separator followed (the
    // token was the last one) or `position` lies beyond the end; loop until 0. An empty or
    // null separator takes the rest as the last token and returns 0.
    uint32_t NextToken(OV_STRING& token, const char* separator, uint32_t position) const;

    // `result` becomes this string with every non-overlapping occurrence of `search` (left to
    // right) replaced; returns the number of replacements. An empty or null search replaces
    // nothing (0). `result` may be this string itself.
    uint32_t ReplaceAll(OV_STRING& result, const char* search, const char* replacement) const;

    // Replaces in place every byte equal to `from` with `to`; returns the count.
    uint32_t ReplaceChar(char from, char to);

    // Rewrites \0 \a \b \f \n \r \t \v \' \" \\ \? and \xHH (two hex digits) into their bytes.
    // A backslash at the very end is dropped; any other backslash pair (and \x without two
    // hex digits) is kept as it is.
    void Unescape();

    // Splits into tokens at any byte of `delimiters` (and at zero bytes). Bytes of `quotes`
    // toggle an inside-quotes state in which delimiters are not recognised; quote bytes stay
    // in the tokens. Empty tokens are never produced: "a,,b" gives "a", "b". The end always
    // ends a token, even inside an unclosed quote. The array holds exactly `count` strings.
    // Null delimiters or quotes mean none.
    std::unique_ptr<OV_STRING[]> Split(const char* delimiters, uint32_t& count,
                                       const char* quotes = nullptr) const;
    // The same over `length` bytes of `bytes` (not altered; need not be zero-terminated).
    static std::unique_ptr<OV_STRING[]> SplitBuffer(const void* bytes, uint32_t length,
                                                    const char* delimiters, uint32_t& count,
                                                    const char* quotes = nullptr);

    // Typed literals: text ending in a one-letter type suffix, e.g. "0x10i", "1.5:2f", "ff00x".
    //   c int8  b uint8  s int16  w uint16  i int32  d uint32  h float  r double
    //   f up to 4 floats, v up to 4 doubles (components separated by ':')
    //   x hexadecimal bytes, least significant first ("1234x" -> 0x34 0x12)
    // The last byte when the string has at least 2 bytes and it is a type letter, else 0.
    char TypeLetter() const;
    // Bytes the literal occupies: b c 1, s w 2, d h i 4, r 8, f 16, v 32, x Length() / 2;
    // 0 otherwise.
    uint32_t TypeSize() const;
    // Parses into `out` (room for `outSize` bytes). With letter 0 the suffix is taken from the
    // string (at least 2 bytes) and the text before it is parsed; with a letter the whole
    // (non-empty) string is the number. False, writing nothing, for an unknown letter, a
    // missing suffix, or a value that does not fit in `outSize` (f and v need 4 or 8 bytes per
    // component present, x one byte per digit pair, an odd leading digit making a byte of its
    // own). For f and v only the components present are written.
    bool ParseTyped(void* out, uint32_t outSize, char letter = 0) const;

  private:
    void Adopt(std::unique_ptr<char[]> buffer);

    std::unique_ptr<char[]> data_; // never null
};

} // namespace OvCore

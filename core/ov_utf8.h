// UTF-8 to and from wide strings, the framework's text encoding whatever the process's
// locale: the strings of the framework hold UTF-8, wide strings hold UTF-32 where wchar_t
// has 32 bits and UTF-16 where it has 16. Malformed input (overlong forms, surrogates,
// values past U+10FFFF, broken sequences or pairs) is refused, never guessed at.
#pragma once

#include <string>

namespace OvCore
{

// Replaces `utf8` with the UTF-8 form of `wide`; false for null or malformed input (`utf8` then
// holds what was converted before the fault).
bool WideToUtf8(const wchar_t* wide, std::string& utf8);
// Replaces `wide` with the wide form of `utf8`; false for null or malformed input (`wide` then
// holds what was converted before the fault).
bool Utf8ToWide(const char* utf8, std::wstring& wide);

} // namespace OvCore

// Reading and writing whole image files for the GDI+ subset, with GDI+'s wide file names.
// Only platform/src/gdiplus*.cpp use it.
#pragma once

#include "platform/gdiplus.h"

#include <cstdint>
#include <string>
#include <vector>

namespace OvPlatform
{

// UTF-8 form of a zero-terminated wide name, one code point per WCHAR. False for a null or
// empty name, a character that is not a Unicode scalar value, or a name longer than
// kMaxWideName characters.
constexpr size_t kMaxWideName = 32767;
bool WideToUtf8(const WCHAR* wide, std::string& utf8);

// The whole file. FileNotFound when it is missing or not a regular file, AccessDenied when it
// may not be read, OutOfMemory when it is larger than any image the platform decodes.
Gdiplus::Status ReadImageFile(const WCHAR* name, std::vector<uint8_t>& bytes);

// Replaces the file with `bytes` through a temporary file beside it, so a failed write never
// leaves a half-written image in place of the old one. Win32Error when it cannot be written.
Gdiplus::Status WriteImageFile(const WCHAR* name, const std::vector<uint8_t>& bytes);

} // namespace OvPlatform

// Reading sources and writing compiled programs as files, both bounded.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ov::mentaro
{

// The whole file, refused past OV_MENTARO_LARGEST_SOURCE bytes (read no further than that).
bool readSourceFile(const char* path, std::string& text, std::string& error);
// Writes a fresh file beside the target, flushes it to the disk and renames it over the
// target, so an existing file is replaced only when complete; a failure removes it.
bool writeProgramFile(const char* path, const std::vector<uint8_t>& bytes, std::string& error);

} // namespace ov::mentaro

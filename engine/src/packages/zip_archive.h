// Packages as ZIP archives, read and written through libzip. Archives come from users and are
// hostile: every count and size in them is bounded, and the sizes an archive declares are
// checked against the bytes really read, never trusted for an allocation.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "orvane_core.h"

namespace ov
{

struct ArchiveEntry
{
    std::string name;
    uint32_t size = 0;  // declared uncompressed size, already bounded
    uint64_t index = 0; // the entry's index in the archive
};

// The file entries of the archive at `path` (folder entries are left out), in archive order.
// Returns an OV_VIRTUAL_FILE_... code; OV_VIRTUAL_FILE_OK fills `entries`.
int32_t listArchive(const char* path, std::vector<ArchiveEntry>& entries);

// The bytes of entry `index`, which must still be named `name` and hold exactly `size` bytes.
int32_t readArchiveEntry(const char* path, uint64_t index, const char* name, uint32_t size,
                         std::vector<uint8_t>& bytes);

// Writes `files` as a new archive at `path`, replacing any file there only once the whole
// archive is written. `stored`: entries are kept uncompressed.
int32_t writeArchive(const char* path, const OvVirtualFile* files, uint32_t count, bool stored);

} // namespace ov

#include "packages/zip_archive.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <set>
#include <zip.h>

namespace ov
{
namespace
{

struct ArchiveCloser
{
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

// Why libzip refused to open an archive, as a virtual-file code.
int32_t openFailure(int zipError)
{
    switch (zipError)
    {
    case ZIP_ER_NOENT:
    case ZIP_ER_OPEN:
        return OV_VIRTUAL_FILE_NOT_FOUND;
    case ZIP_ER_MEMORY:
        return OV_VIRTUAL_FILE_TOO_LARGE;
    default:
        return OV_VIRTUAL_FILE_DAMAGED;
    }
}

// Opens for reading with libzip's consistency checks, so a truncated archive is refused here.
int32_t openForReading(const char* path, Archive& archive)
{
    if (!path || !*path)
        return OV_VIRTUAL_FILE_NOT_FOUND;
    int error = 0;
    archive.reset(zip_open(path, ZIP_RDONLY | ZIP_CHECKCONS, &error));
    return archive ? OV_VIRTUAL_FILE_OK : openFailure(error);
}

bool isFolder(const char* name)
{
    const size_t length = std::strlen(name);
    return length > 0 && name[length - 1] == '/';
}

// One entry's name and declared size, bounded; a non-OK code refuses the whole archive.
int32_t describe(zip_t* archive, uint64_t index, ArchiveEntry& entry)
{
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive, index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_NAME) ||
        !(stat.valid & ZIP_STAT_SIZE))
        return OV_VIRTUAL_FILE_DAMAGED;
    const size_t length = std::strlen(stat.name);
    if (length == 0 || length > OV_VIRTUAL_FILE_LONGEST_NAME)
        return OV_VIRTUAL_FILE_TOO_LARGE;
    if (stat.size > OV_VIRTUAL_FILE_LARGEST)
        return OV_VIRTUAL_FILE_TOO_LARGE;
    entry.name.assign(stat.name, length);
    entry.size = static_cast<uint32_t>(stat.size);
    entry.index = index;
    return OV_VIRTUAL_FILE_OK;
}

// Reads until the entry ends, growing the block as bytes really arrive, and never past
// `limit` + 1 bytes, so a declared size that lies costs nothing.
bool readAll(zip_file_t* file, uint32_t limit, std::vector<uint8_t>& bytes)
{
    constexpr size_t kChunk = 64 * 1024;
    bytes.clear();
    for (;;)
    {
        const size_t had = bytes.size();
        const size_t want = std::min<size_t>(kChunk, size_t(limit) + 1 - had);
        if (want == 0)
            return true; // one byte past the limit: the caller sees the excess
        bytes.resize(had + want);
        const zip_int64_t got = zip_fread(file, bytes.data() + had, want);
        if (got < 0)
            return false;
        bytes.resize(had + size_t(got));
        if (got == 0)
            return true;
    }
}

} // namespace

int32_t listArchive(const char* path, std::vector<ArchiveEntry>& entries)
{
    Archive archive;
    if (const int32_t opened = openForReading(path, archive); opened != OV_VIRTUAL_FILE_OK)
        return opened;
    const zip_int64_t total = zip_get_num_entries(archive.get(), 0);
    if (total < 0)
        return OV_VIRTUAL_FILE_DAMAGED;
    if (total > OV_VIRTUAL_FILE_MOST_ENTRIES)
        return OV_VIRTUAL_FILE_TOO_LARGE;
    std::vector<ArchiveEntry> found;
    for (uint64_t index = 0; index < uint64_t(total); ++index)
    {
        ArchiveEntry entry;
        if (const int32_t described = describe(archive.get(), index, entry);
            described != OV_VIRTUAL_FILE_OK)
            return described;
        if (!isFolder(entry.name.c_str()))
            found.push_back(std::move(entry));
    }
    entries = std::move(found);
    return OV_VIRTUAL_FILE_OK;
}

int32_t readArchiveEntry(const char* path, uint64_t index, const char* name, uint32_t size,
                         std::vector<uint8_t>& bytes)
{
    Archive archive;
    if (const int32_t opened = openForReading(path, archive); opened != OV_VIRTUAL_FILE_OK)
        return opened;
    ArchiveEntry entry;
    if (const int32_t described = describe(archive.get(), index, entry);
        described != OV_VIRTUAL_FILE_OK)
        return described;
    if (entry.name != name || entry.size != size)
        return OV_VIRTUAL_FILE_NOT_FOUND; // the archive changed since it was listed
    zip_file_t* file = zip_fopen_index(archive.get(), index, 0);
    if (!file)
        return OV_VIRTUAL_FILE_DAMAGED;
    bool read = false, noMemory = false;
    try
    {
        read = readAll(file, size, bytes);
    }
    catch (const std::bad_alloc&)
    {
        noMemory = true; // the entry is still closed, not leaked
    }
    // Closing checks the CRC of everything read.
    const bool closed = zip_fclose(file) == 0;
    if (noMemory)
        return OV_VIRTUAL_FILE_TOO_LARGE; // as the interface reports running out of memory
    return read && closed && bytes.size() == size ? OV_VIRTUAL_FILE_OK : OV_VIRTUAL_FILE_DAMAGED;
}

int32_t writeArchive(const char* path, const OvVirtualFile* files, uint32_t count, bool stored)
{
    if (!path || !*path || !files || count == 0 || count > OV_VIRTUAL_FILE_MOST_ENTRIES)
        return OV_VIRTUAL_FILE_FAILED;
    std::set<std::string> names;
    for (uint32_t i = 0; i < count; ++i)
        if (!files[i].name || !*files[i].name || (files[i].size && !files[i].data) ||
            !names.insert(files[i].name).second)
            return OV_VIRTUAL_FILE_FAILED; // unnamed, missing data, or a name given twice
    int error = 0;
    Archive archive(zip_open(path, ZIP_CREATE | ZIP_TRUNCATE, &error));
    if (!archive)
        return OV_VIRTUAL_FILE_FAILED;
    for (uint32_t i = 0; i < count; ++i)
    {
        // The records outlive zip_close, so libzip reads their bytes in place.
        zip_source_t* source = zip_source_buffer(archive.get(), files[i].data, files[i].size, 0);
        const zip_int64_t added =
            source ? zip_file_add(archive.get(), files[i].name, source, ZIP_FL_ENC_UTF_8) : -1;
        if (added < 0)
        {
            if (source)
                zip_source_free(source);
            return OV_VIRTUAL_FILE_FAILED;
        }
        if (stored)
            zip_set_file_compression(archive.get(), uint64_t(added), ZIP_CM_STORE, 0);
    }
    // zip_close writes a temporary file and renames it over `path` only when complete.
    if (zip_close(archive.get()) != 0)
        return OV_VIRTUAL_FILE_FAILED;
    archive.release();
    return OV_VIRTUAL_FILE_OK;
}

} // namespace ov

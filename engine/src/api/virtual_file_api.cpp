// Virtual files: the C interface over the ZIP reader and writer. Every table and record is
// malloc'd here and freed only here, so callers never mix allocators.
#include <cstdlib>
#include <cstring>

#include "api/guard.h"
#include "orvane_core.h"
#include "packages/zip_archive.h"

using namespace ov;

namespace
{

int32_t lastError = OV_VIRTUAL_FILE_OK; // the engine is called from one thread

uint8_t answer(int32_t code)
{
    lastError = code;
    return code == OV_VIRTUAL_FILE_OK ? 1 : 0;
}

char* copyName(const std::string& name)
{
    char* copy = static_cast<char*>(std::malloc(name.size() + 1));
    if (copy)
        std::memcpy(copy, name.c_str(), name.size() + 1);
    return copy;
}

void freeTable(OvVirtualFileInfo& info)
{
    for (uint32_t i = 0; info.entries && i < info.count; ++i)
        std::free(info.entries[i].name);
    std::free(info.entries);
    info.count = 0;
    info.entries = nullptr;
}

int32_t fillTable(const std::vector<ArchiveEntry>& found, OvVirtualFileInfo& info)
{
    if (found.empty())
        return OV_VIRTUAL_FILE_OK;
    info.entries =
        static_cast<OvVirtualFileEntry*>(std::calloc(found.size(), sizeof(OvVirtualFileEntry)));
    if (!info.entries)
        return OV_VIRTUAL_FILE_TOO_LARGE;
    for (const ArchiveEntry& entry : found)
    {
        OvVirtualFileEntry& out = info.entries[info.count++];
        out = {entry.size, copyName(entry.name), entry.index};
        if (!out.name)
            return OV_VIRTUAL_FILE_TOO_LARGE;
    }
    return OV_VIRTUAL_FILE_OK;
}

void freeFile(OvVirtualFile& file)
{
    std::free(file.name);
    std::free(file.data);
    file = {nullptr, nullptr, 0};
}

// Takes copies of name and bytes; a zero-byte file still gets a block, so data is never null.
int32_t fillFile(OvVirtualFile& file, const char* name, const void* data, uint32_t size)
{
    file.name = copyName(name);
    file.data = static_cast<uint8_t*>(std::malloc(size ? size : 1));
    if (!file.name || !file.data)
        return OV_VIRTUAL_FILE_TOO_LARGE;
    if (size)
        std::memcpy(file.data, data, size);
    file.size = size;
    return OV_VIRTUAL_FILE_OK;
}

} // namespace

extern "C"
{

    OV_API uint8_t OvVirtualFileInfoOpen(const char* packageName, OvVirtualFileInfo* info)
    {
        if (!info)
            return answer(OV_VIRTUAL_FILE_FAILED);
        *info = {0, nullptr};
        return answer(guard(int32_t(OV_VIRTUAL_FILE_TOO_LARGE),
                            [&]
                            {
                                std::vector<ArchiveEntry> found;
                                int32_t code = listArchive(packageName, found);
                                if (code == OV_VIRTUAL_FILE_OK)
                                    code = fillTable(found, *info);
                                if (code != OV_VIRTUAL_FILE_OK)
                                    freeTable(*info);
                                return code;
                            }));
    }

    OV_API void OvVirtualFileInfoClose(OvVirtualFileInfo* info)
    {
        if (info)
            freeTable(*info);
    }

    OV_API uint8_t OvVirtualFileLoad(OvVirtualFile* file, const char* packageName,
                                     const OvVirtualFileEntry* entry)
    {
        if (!file || !entry || !entry->name)
            return answer(OV_VIRTUAL_FILE_FAILED);
        freeFile(*file);
        return answer(guard(int32_t(OV_VIRTUAL_FILE_TOO_LARGE),
                            [&]
                            {
                                std::vector<uint8_t> bytes;
                                int32_t code = readArchiveEntry(packageName, entry->index,
                                                                entry->name, entry->size, bytes);
                                if (code == OV_VIRTUAL_FILE_OK)
                                    code = fillFile(*file, entry->name, bytes.data(),
                                                    uint32_t(bytes.size()));
                                if (code != OV_VIRTUAL_FILE_OK)
                                    freeFile(*file);
                                return code;
                            }));
    }

    OV_API uint32_t OvVirtualFileSize(const OvVirtualFile* file)
    {
        return file ? file->size : 0;
    }

    OV_API uint8_t OvVirtualFileGetData(const OvVirtualFile* file, void* destination,
                                        uint32_t count)
    {
        if (!file || (count && (!destination || !file->data)) || count > file->size)
            return answer(OV_VIRTUAL_FILE_FAILED);
        if (count)
            std::memcpy(destination, file->data, count);
        return answer(OV_VIRTUAL_FILE_OK);
    }

    OV_API uint8_t OvVirtualFileMakeFile(OvVirtualFile* file, const char* name, const void* data,
                                         uint32_t size)
    {
        if (!file)
            return answer(OV_VIRTUAL_FILE_FAILED);
        *file = {nullptr, nullptr, 0};
        if (!name || (size && !data) || size > OV_VIRTUAL_FILE_LARGEST)
            return answer(OV_VIRTUAL_FILE_FAILED);
        const int32_t code = fillFile(*file, name, data, size);
        if (code != OV_VIRTUAL_FILE_OK)
            freeFile(*file);
        return answer(code);
    }

    OV_API void OvVirtualFileFree(OvVirtualFile* file)
    {
        if (file)
            freeFile(*file);
    }

    OV_API uint8_t OvVirtualFileSave(const char* packageName, const OvVirtualFile* files,
                                     uint32_t count, int32_t flags)
    {
        const bool stored = (flags & OV_VIRTUAL_FILE_STORED) != 0;
        return answer(guard(int32_t(OV_VIRTUAL_FILE_FAILED),
                            [&] { return writeArchive(packageName, files, count, stored); }));
    }

    OV_API int32_t OvVirtualFileLastError(void)
    {
        return lastError;
    }

} // extern "C"

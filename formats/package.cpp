#include "formats/package.h"

#include <cstring>
#include <vector>

namespace OvCore
{

bool PackageInfo::PackageOpen(const char* packageName)
{
    PackageClose();
    if (!OvVirtualFileInfoOpen(packageName, &descriptor))
        return false;
    name = packageName;
    return true;
}

void PackageInfo::PackageClose()
{
    name.Clear();
    OvVirtualFileInfoClose(&descriptor);
}

const char* PackageInfo::PackageEntryName(uint32_t i) const
{
    return i < descriptor.count ? descriptor.entries[i].name : nullptr;
}

uint32_t PackageInfo::PackageEntrySize(uint32_t i) const
{
    return i < descriptor.count ? descriptor.entries[i].size : 0;
}

bool PackageInfo::PackageFind(const char* entryName, uint32_t& index) const
{
    for (uint32_t i = 0; entryName && i < descriptor.count; ++i)
        if (std::strcmp(descriptor.entries[i].name, entryName) == 0)
        {
            index = i;
            return true;
        }
    return false;
}

bool PackageInfo::PackageLoad(ByteBuffer* buffer, uint32_t i) const
{
    if (!buffer || name.Length() == 0 || i >= descriptor.count)
        return false;
    OvVirtualFile file{};
    if (!OvVirtualFileLoad(&file, name.Text(), &descriptor.entries[i]))
        return false;
    bool copied = buffer->Reset(OvVirtualFileSize(&file));
    if (copied)
    {
        buffer->count = buffer->capacity;
        copied = OvVirtualFileGetData(&file, buffer->start, buffer->count) != 0;
        if (!copied)
            buffer->count = 0;
    }
    OvVirtualFileFree(&file);
    return copied;
}

bool PackageInfo::PackageSave(const char* packageName, const PackageFile* files, uint32_t n)
{
    if (!files || n == 0)
        return false;
    std::vector<OvVirtualFile> records(n, OvVirtualFile{});
    bool made = true;
    for (uint32_t i = 0; i < n && made; ++i)
    {
        const ByteBuffer* buffer = files[i].buffer;
        made = OvVirtualFileMakeFile(&records[i], files[i].name, buffer ? buffer->start : nullptr,
                                     buffer ? buffer->count : 0) != 0;
    }
    const bool saved = made && OvVirtualFileSave(packageName, records.data(), n, 0) != 0;
    for (OvVirtualFile& record : records)
        OvVirtualFileFree(&record);
    return saved;
}

} // namespace OvCore

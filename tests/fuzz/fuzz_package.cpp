// Fuzzes the package reader: the input is written as an archive file in a scratch folder,
// opened with PackageOpen, and every entry is read with PackageLoad. Whatever the bytes, the
// table stays within the engine's bounds, and an entry that loads holds exactly its size.
#include "formats/package.h"
#include "formats/package_unpack.h"
#include "fuzz_files.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

using namespace OvCore;

namespace
{

std::string scratch;
std::string archive;

// The scratch folder goes when the fuzzer exits normally.
void RemoveScratchFolder()
{
    std::remove(archive.c_str());
    std::remove(scratch.c_str());
}

const char* ArchivePath()
{
    if (archive.empty())
    {
        scratch = FuzzFiles::ScratchPattern("fuzz_package_");
        if (!mkdtemp(scratch.data()))
            std::abort();
        archive = scratch + "/input.zip";
        std::atexit(RemoveScratchFolder);
    }
    return archive.c_str();
}

using FuzzFiles::Check;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* path = ArchivePath();
    FILE* file = std::fopen(path, "wb");
    Check(file != nullptr);
    Check(std::fwrite(data, 1, size, file) == size);
    std::fclose(file);

    PackageInfo package;
    if (!package.PackageOpen(path))
        return 0;
    Check(package.PackageEntryCount() <= OV_VIRTUAL_FILE_MOST_ENTRIES);
    for (uint32_t i = 0; i < package.PackageEntryCount(); ++i)
    {
        const char* name = package.PackageEntryName(i);
        Check(name != nullptr && std::strlen(name) <= OV_VIRTUAL_FILE_LONGEST_NAME);
        Check(package.PackageEntrySize(i) <= OV_VIRTUAL_FILE_LARGEST);
        PackageEntryNameIsSafe(name); // the unpacking check meets every name an archive can hold
        ByteBuffer bytes;
        if (package.PackageLoad(&bytes, i))
            Check(bytes.count == package.PackageEntrySize(i));
    }
    return 0;
}

#include "formats/package_unpack.h"

#include <cstring>
#include <filesystem>
#include <string_view>

namespace OvCore
{
namespace
{

bool IsOrdinaryPart(std::string_view part)
{
    return !part.empty() && part != "." && part != "..";
}

bool WriteEntry(const PackageInfo& package, uint32_t i, const std::filesystem::path& folder)
{
    ByteBuffer bytes;
    if (!package.PackageLoad(&bytes, i))
        return false;
    const std::filesystem::path target = folder / package.PackageEntryName(i);
    std::error_code error;
    std::filesystem::create_directories(target.parent_path(), error);
    return !error && bytes.SaveFile(target.string().c_str()); // narrow on Windows too
}

} // namespace

bool PackageEntryNameIsSafe(const char* name)
{
    if (!name || std::strchr(name, '\\'))
        return false;
    std::string_view rest(name);
    for (;;)
    {
        const size_t slash = rest.find('/');
        if (!IsOrdinaryPart(rest.substr(0, slash)))
            return false; // also the empty first part of an absolute name
        if (slash == std::string_view::npos)
            return true;
        rest.remove_prefix(slash + 1);
    }
}

uint32_t PackageUnpack(const PackageInfo& package, const char* folder,
                       std::vector<uint32_t>& failed)
{
    uint32_t written = 0;
    for (uint32_t i = 0; i < package.PackageEntryCount(); ++i)
    {
        if (folder && PackageEntryNameIsSafe(package.PackageEntryName(i)) &&
            WriteEntry(package, i, folder))
            ++written;
        else
            failed.push_back(i);
    }
    return written;
}

} // namespace OvCore

// Fuzzes the registry store parser: the input becomes the HKEY_CURRENT_USER store file of a
// private configuration folder and is read through the registry calls. Its last four bytes
// are replaced by the store's checksum, so mutations reach the keys and values instead of
// stopping at a checksum they cannot match. A file that parses must survive a write and read
// back; one that does not is moved aside and the write after it must succeed.
#include "fuzz_files.h"
#include "platform/win32.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace
{

// The checksum the store ends with: FNV-1a of every byte before it, little-endian.
void SealWithChecksum(std::vector<uint8_t>& bytes)
{
    if (bytes.size() < 16)
        return;
    uint32_t hash = 2166136261u;
    for (size_t i = 0; i + 4 < bytes.size(); ++i)
        hash = (hash ^ bytes[i]) * 16777619u;
    for (size_t i = 0; i < 4; ++i)
        bytes[bytes.size() - 4 + i] = uint8_t(hash >> (8 * i));
}

std::string scratch;

// The scratch folder goes when the fuzzer exits normally.
void RemoveScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
}

const std::string& StorePath()
{
    static const std::string path = []
    {
        std::string folder = FuzzFiles::ScratchPattern("ovfuzz-registry-");
        if (!mkdtemp(folder.data()))
            std::abort();
        scratch = folder;
        std::atexit(RemoveScratchFolder);
        setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
        std::filesystem::create_directories(folder + "/orvane-core/registry");
        return folder + "/orvane-core/registry/HKEY_CURRENT_USER.store";
    }();
    return path;
}

void Clean(const std::string& store)
{
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(store).parent_path()))
        if (entry.path().filename().string().find(".corrupt-") != std::string::npos)
            std::filesystem::remove(entry.path());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string& store = StorePath();
    std::vector<uint8_t> bytes(data, data + size);
    SealWithChecksum(bytes);
    FILE* file = std::fopen(store.c_str(), "wb");
    if (!file)
        std::abort();
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);

    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Fuzz", 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS)
    {
        BYTE buffer[16];
        DWORD room = sizeof buffer;
        RegQueryValueExA(key, "", nullptr, nullptr, buffer, &room);
        RegCloseKey(key);
    }
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Fuzz\\Out", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        std::abort();
    const BYTE value[4] = {1, 2, 3, 4};
    DWORD room = sizeof value, type = 0;
    BYTE back[4] = {};
    if (RegSetValueExA(key, "v", 0, REG_BINARY, value, sizeof value) != ERROR_SUCCESS ||
        RegQueryValueExA(key, "v", nullptr, &type, back, &room) != ERROR_SUCCESS ||
        type != REG_BINARY || room != 4 || back[3] != 4)
        std::abort();
    RegCloseKey(key);
    Clean(store);
    return 0;
}

// The registry store: keys and typed values of one root, kept in one file under the user's
// configuration folder (docs/formats.md, "Registry store"). Parsing treats the file as hostile
// input; saving is atomic and durable. Private to platform/src.
#pragma once

#include "platform/win32.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace OvPlatform
{

// Bounds on what a store holds; parsing refuses a file beyond them, writes beyond them fail.
constexpr size_t kRegistryMaxFileBytes = 64u << 20;
constexpr size_t kRegistryMaxKeys = 65536;
constexpr size_t kRegistryMaxValuesPerKey = 16384;
constexpr size_t kRegistryMaxPathBytes = 1024;
constexpr size_t kRegistryMaxKeyNameBytes = 255;
constexpr size_t kRegistryMaxValueNameBytes = 16383;
constexpr size_t kRegistryMaxDataBytes = 1u << 20;

struct RegistryValue
{
    std::string name; // "" is the key's default value
    DWORD type = 0;
    std::vector<uint8_t> data;
};

struct RegistryKey
{
    std::string path; // components joined by '\', "" for the root itself
    std::vector<RegistryValue> values;
};

struct RegistryStore
{
    std::vector<RegistryKey> keys; // every key, ancestors before descendants

    // Case-insensitive lookups, as the Windows registry compares names.
    RegistryKey* FindKey(const std::string& path);
    bool HasSubkeys(const std::string& path) const;
};

bool RegistryNamesEqual(const std::string& a, const std::string& b);

// Serialised form; ParseRegistryStore refuses anything malformed, out of bounds or with a bad
// checksum, leaving `out` empty.
std::vector<uint8_t> SerializeRegistryStore(const RegistryStore& store);
bool ParseRegistryStore(const uint8_t* bytes, size_t size, RegistryStore* out);

} // namespace OvPlatform

// Registry store layout (docs/formats.md): magic, key count, keys with their values, FNV-1a
// checksum of everything before it. Integers are 32-bit little-endian.
#include "registry_store.h"

#include <cstring>
#include <unordered_set>

namespace OvPlatform
{

namespace
{

const char kMagic[8] = {'O', 'V', 'R', 'E', 'G', '0', '1', '\n'};

uint32_t Fnv1a(const uint8_t* bytes, size_t size)
{
    uint32_t hash = 2166136261u;
    for (size_t i = 0; i < size; ++i)
        hash = (hash ^ bytes[i]) * 16777619u;
    return hash;
}

void PutU32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

void PutBytes(std::vector<uint8_t>& out, const void* bytes, size_t size)
{
    PutU32(out, uint32_t(size));
    const uint8_t* p = static_cast<const uint8_t*>(bytes);
    out.insert(out.end(), p, p + size);
}

class Reader
{
  public:
    Reader(const uint8_t* bytes, size_t size) : p_(bytes), end_(bytes + size) {}

    bool U32(uint32_t* v)
    {
        if (size_t(end_ - p_) < 4)
            return false;
        *v = uint32_t(p_[0]) | uint32_t(p_[1]) << 8 | uint32_t(p_[2]) << 16 | uint32_t(p_[3]) << 24;
        p_ += 4;
        return true;
    }

    // A length-prefixed run of at most `limit` bytes.
    bool Bytes(size_t limit, const uint8_t** start, size_t* size)
    {
        uint32_t n = 0;
        if (!U32(&n) || n > limit || size_t(end_ - p_) < n)
            return false;
        *start = p_;
        *size = n;
        p_ += n;
        return true;
    }

    bool Text(size_t limit, std::string* out)
    {
        const uint8_t* start = nullptr;
        size_t n = 0;
        if (!Bytes(limit, &start, &n) || std::memchr(start, 0, n))
            return false;
        out->assign(reinterpret_cast<const char*>(start), n);
        return true;
    }

    bool AtEnd() const { return p_ == end_; }

  private:
    const uint8_t* p_;
    const uint8_t* end_;
};

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

// A stored path is "" or components of 1..255 bytes without '\' doubled or at either end.
bool ValidPath(const std::string& path)
{
    if (path.empty())
        return true;
    size_t componentStart = 0;
    for (size_t i = 0; i <= path.size(); ++i)
    {
        if (i == path.size() || path[i] == '\\')
        {
            size_t length = i - componentStart;
            if (length == 0 || length > kRegistryMaxKeyNameBytes)
                return false;
            componentStart = i + 1;
        }
    }
    return true;
}

std::string ParentPath(const std::string& path)
{
    size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string Folded(const std::string& name)
{
    std::string out(name);
    for (char& c : out)
        c = Lower(c);
    return out;
}

// Names already seen, folded, so a hostile file with many entries parses in linear time.
using SeenNames = std::unordered_set<std::string>;

bool ParseValue(Reader& reader, RegistryKey& key, SeenNames& names)
{
    RegistryValue value;
    const uint8_t* data = nullptr;
    size_t size = 0;
    if (!reader.Text(kRegistryMaxValueNameBytes, &value.name) || !reader.U32(&value.type) ||
        !reader.Bytes(kRegistryMaxDataBytes, &data, &size))
        return false;
    if (!names.insert(Folded(value.name)).second)
        return false;
    value.data.assign(data, data + size);
    key.values.push_back(std::move(value));
    return true;
}

bool ParseKey(Reader& reader, RegistryStore& store, SeenNames& paths)
{
    RegistryKey key;
    uint32_t valueCount = 0;
    if (!reader.Text(kRegistryMaxPathBytes, &key.path) || !ValidPath(key.path) ||
        !reader.U32(&valueCount) || valueCount > kRegistryMaxValuesPerKey)
        return false;
    // Ancestors come first, so a parent missing here is a malformed file.
    if (!key.path.empty() && !paths.count(Folded(ParentPath(key.path))))
        return false;
    if (!paths.insert(Folded(key.path)).second)
        return false;
    SeenNames names;
    for (uint32_t i = 0; i < valueCount; ++i)
        if (!ParseValue(reader, key, names))
            return false;
    store.keys.push_back(std::move(key));
    return true;
}

} // namespace

bool RegistryNamesEqual(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

RegistryKey* RegistryStore::FindKey(const std::string& path)
{
    for (RegistryKey& key : keys)
        if (RegistryNamesEqual(key.path, path))
            return &key;
    return nullptr;
}

bool RegistryStore::HasSubkeys(const std::string& path) const
{
    for (const RegistryKey& key : keys)
        if (!key.path.empty() && RegistryNamesEqual(ParentPath(key.path), path) &&
            !RegistryNamesEqual(key.path, path))
            return true;
    return false;
}

std::vector<uint8_t> SerializeRegistryStore(const RegistryStore& store)
{
    std::vector<uint8_t> out(kMagic, kMagic + sizeof kMagic);
    PutU32(out, uint32_t(store.keys.size()));
    for (const RegistryKey& key : store.keys)
    {
        PutBytes(out, key.path.data(), key.path.size());
        PutU32(out, uint32_t(key.values.size()));
        for (const RegistryValue& value : key.values)
        {
            PutBytes(out, value.name.data(), value.name.size());
            PutU32(out, value.type);
            PutBytes(out, value.data.data(), value.data.size());
        }
    }
    PutU32(out, Fnv1a(out.data(), out.size()));
    return out;
}

bool ParseRegistryStore(const uint8_t* bytes, size_t size, RegistryStore* out)
{
    out->keys.clear();
    const size_t header = sizeof kMagic + 4;
    if (size < header + 4 || size > kRegistryMaxFileBytes ||
        std::memcmp(bytes, kMagic, sizeof kMagic) != 0)
        return false;
    Reader checksum(bytes + size - 4, 4);
    uint32_t stored = 0;
    if (!checksum.U32(&stored) || stored != Fnv1a(bytes, size - 4))
        return false;
    Reader reader(bytes + sizeof kMagic, size - 4 - sizeof kMagic);
    uint32_t keyCount = 0;
    bool ok = reader.U32(&keyCount) && keyCount <= kRegistryMaxKeys;
    SeenNames paths;
    for (uint32_t i = 0; ok && i < keyCount; ++i)
        ok = ParseKey(reader, *out, paths);
    if (!ok || !reader.AtEnd())
    {
        out->keys.clear();
        return false;
    }
    return true;
}

} // namespace OvPlatform

#include "formats/byte_buffer.h"

#include "formats/file_replace.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <new>
#include <system_error>
#include <vector>

namespace OvCore
{
namespace
{

// The size of an open file, or -1.
long long OpenFileSize(std::FILE* file)
{
    if (std::fseek(file, 0, SEEK_END) != 0)
        return -1;
    long long size = std::ftell(file);
    std::rewind(file);
    return size;
}

// Writes n bytes and closes the file; true when everything reached it.
bool WriteAndClose(std::FILE* file, const uint8_t* bytes, uint32_t n)
{
    bool written = n == 0 || std::fwrite(bytes, 1, n, file) == n;
    return std::fclose(file) == 0 && written;
}

} // namespace

ByteBuffer::ByteBuffer(ByteBuffer&& other) noexcept
    : capacity(other.capacity), start(other.start), cursor(other.cursor), scratch(other.scratch),
      borrowed(other.borrowed), count(other.count), growStep(other.growStep)
{
    other.Detach();
}

ByteBuffer& ByteBuffer::operator=(ByteBuffer&& other) noexcept
{
    if (this != &other)
    {
        Destroy();
        capacity = other.capacity;
        start = other.start;
        cursor = other.cursor;
        scratch = other.scratch;
        borrowed = other.borrowed;
        count = other.count;
        growStep = other.growStep;
        other.Detach();
    }
    return *this;
}

void ByteBuffer::Detach()
{
    capacity = 0;
    start = nullptr;
    cursor = nullptr;
    count = 0;
    borrowed = 0;
}

void ByteBuffer::Init()
{
    Destroy();
    scratch = 0;
    growStep = 0;
}

bool ByteBuffer::InitWithCapacity(uint32_t n)
{
    Init();
    return Reset(n);
}

void ByteBuffer::Destroy()
{
    if (!borrowed)
        std::free(start);
    Detach();
}

void ByteBuffer::Adopt(uint8_t* block, uint32_t n)
{
    if (!borrowed)
        std::free(start);
    start = block;
    cursor = block;
    capacity = n;
    borrowed = 0;
}

bool ByteBuffer::Reset(uint32_t n)
{
    if (n == 0)
    {
        Destroy();
        return true;
    }
    auto* block = static_cast<uint8_t*>(std::malloc(n));
    if (!block)
        return false;
    Adopt(block, n);
    count = 0;
    return true;
}

bool ByteBuffer::Resize(uint32_t n, uint32_t from)
{
    if (n == 0)
    {
        Destroy();
        return true;
    }
    auto* block = static_cast<uint8_t*>(std::malloc(n));
    if (!block)
        return false;
    uint32_t available = from < capacity ? capacity - from : 0;
    if (uint32_t kept = std::min(n, available))
        std::memcpy(block, start + from, kept);
    uint32_t used = count > from ? std::min(count - from, n) : 0;
    Adopt(block, n);
    count = used;
    return true;
}

bool ByteBuffer::Reallocate(uint32_t n)
{
    if (n == capacity)
        return true;
    if (n == 0)
    {
        Destroy();
        return true;
    }
    if (!borrowed)
    {
        auto* block = static_cast<uint8_t*>(std::realloc(start, n));
        if (!block)
            return false;
        start = block;
        capacity = n;
        return true;
    }
    // A borrowed block is someone else's: copy out of it rather than reallocating it.
    auto* block = static_cast<uint8_t*>(std::malloc(n));
    if (!block)
        return false;
    if (uint32_t kept = std::min(n, capacity))
        std::memcpy(block, start, kept);
    Adopt(block, n);
    return true;
}

uint32_t ByteBuffer::Write(const void* data, uint32_t n)
{
    if (!data)
        return 0;
    uint32_t position = Position();
    uint64_t end = uint64_t{position} + n;
    uint64_t newCapacity = end;
    if (growStep != 0)
    {
        uint64_t steps = end > capacity ? (end - capacity + growStep - 1) / growStep : 0;
        newCapacity = capacity + steps * growStep;
    }
    if (newCapacity > UINT32_MAX)
        return 0;
    // Bytes taken from this very block must survive its reallocation.
    const auto* source = static_cast<const uint8_t*>(data);
    std::vector<uint8_t> staged;
    std::less_equal<const uint8_t*> atOrBefore;
    if (start && atOrBefore(start, source) && !atOrBefore(start + capacity, source))
    {
        try
        {
            staged.assign(source, source + n);
        }
        catch (const std::bad_alloc&)
        {
            return 0; // no room for the copy: nothing written, as when the block cannot grow
        }
        source = staged.data();
    }
    if (!Reallocate(static_cast<uint32_t>(newCapacity)))
        return 0;
    cursor = start + position;
    if (n)
        std::memcpy(cursor, source, n);
    cursor += n;
    count = static_cast<uint32_t>(end);
    return n;
}

uint32_t ByteBuffer::WriteString(const char* text, bool withTerminator)
{
    if (!text)
        return 0;
    return Write(text, static_cast<uint32_t>(std::strlen(text)) + (withTerminator ? 1 : 0));
}

uint32_t ByteBuffer::DataEnd() const
{
    return std::min(count, capacity);
}

uint32_t ByteBuffer::Read(void* dst, uint32_t n)
{
    uint32_t position = Position();
    if (!dst || position >= DataEnd())
        return 0;
    uint32_t k = std::min(n, DataEnd() - position);
    std::memcpy(dst, cursor, k);
    cursor += k;
    return k;
}

uint32_t ByteBuffer::ReadString(OV_STRING& out, bool terminated)
{
    uint32_t position = Position();
    uint32_t left = position < DataEnd() ? DataEnd() - position : 0;
    out.Clear();
    if (left == 0)
        return 0;
    const char* text = reinterpret_cast<const char*>(cursor);
    if (!terminated)
    {
        out.Assign(text, left);
        cursor += left;
        return left;
    }
    const void* zero = std::memchr(text, '\0', left);
    uint32_t length = zero ? static_cast<uint32_t>(static_cast<const char*>(zero) - text) : left;
    out.Assign(text, length);
    cursor += std::min(length + 1, left);
    return length + 1;
}

uint32_t ByteBuffer::Seek(uint32_t n, bool relative, bool backward)
{
    int64_t position = Position();
    int64_t target;
    if (!relative)
        target = backward ? count - std::min(n, count) : n;
    else
        target = backward ? position - n : position + n;
    target = std::clamp<int64_t>(target, 0, capacity);
    target = std::min<int64_t>(target, count);
    cursor = start + target;
    return static_cast<uint32_t>(target);
}

uint8_t* ByteBuffer::ByteAt(uint32_t i)
{
    return start && i < capacity ? start + i : &scratch;
}

bool ByteBuffer::LoadFile(const char* path, uint32_t offset, uint32_t length)
{
    std::FILE* file = path ? std::fopen(path, "rb") : nullptr;
    if (!file)
        return false;
    bool loaded = false;
    long long size = OpenFileSize(file);
    if (size >= 0 && size <= UINT32_MAX)
    {
        uint32_t wanted = length ? length : static_cast<uint32_t>(size);
        bool placed = offset == 0 || std::fseek(file, offset, SEEK_SET) == 0;
        if (placed && Reset(wanted))
        {
            count = wanted ? static_cast<uint32_t>(std::fread(start, 1, wanted, file)) : 0;
            loaded = !std::ferror(file);
        }
    }
    std::fclose(file);
    return loaded;
}

bool ByteBuffer::SaveFile(const char* path, uint32_t offset, uint32_t length) const
{
    const uint32_t n = length ? std::min(DataEnd(), length) : DataEnd();
    // Written beside the file and renamed over it: a full disk or a killed process never
    // leaves half a file where the previous one was.
    return ReplaceFileWhole(path,
                            [&](std::FILE* file)
                            {
                                return (offset == 0 || std::fseek(file, offset, SEEK_SET) == 0) &&
                                       (n == 0 || std::fwrite(start, 1, n, file) == n);
                            });
}

bool ByteBuffer::AppendFile(const char* path) const
{
    if (!path)
        return false;
    std::error_code error;
    const bool existed = std::filesystem::exists(path, error);
    const uintmax_t before = existed ? std::filesystem::file_size(path, error) : 0;
    std::FILE* file = std::fopen(path, "ab");
    if (!file)
        return false;
    if (WriteAndClose(file, start, DataEnd()))
        return true;
    // A failed append (a full disk) is taken back: the file keeps its previous length, and
    // one the append created is removed. Devices and pipes have no length to go back to.
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    if (!existed)
        std::filesystem::remove(path, error);
    else if (before != uintmax_t(-1))
        std::filesystem::resize_file(path, before, error);
    return false;
}

uint64_t ByteBuffer::FileSize(const char* path) const
{
    if (!path)
        return count;
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return 0;
    long long size = OpenFileSize(file);
    std::fclose(file);
    return size > 0 ? static_cast<uint64_t>(size) : 0;
}

} // namespace OvCore

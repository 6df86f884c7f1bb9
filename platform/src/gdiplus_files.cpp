// Whole-file reads and atomic writes for the GDI+ subset.
#include "platform/src/gdiplus_files.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace OvPlatform
{
namespace
{

// The largest uncompressed file of the largest image, with room for headers and metadata.
constexpr uint64_t kMaxImageFileBytes = Gdiplus::kMaxImagePixels * 4 + (1u << 20);

void AppendUtf8(uint32_t code, std::string& out)
{
    if (code < 0x80)
    {
        out += static_cast<char>(code);
        return;
    }
    const int extra = code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
    static constexpr uint8_t kLead[] = {0, 0xc0, 0xe0, 0xf0};
    out += static_cast<char>(kLead[extra] | (code >> (6 * extra)));
    for (int shift = 6 * (extra - 1); shift >= 0; shift -= 6)
        out += static_cast<char>(0x80 | ((code >> shift) & 0x3f));
}

// Moves `size` bytes through read() or write(), retrying interrupted and partial transfers.
template <class Transfer> bool TransferAll(Transfer transfer, size_t size)
{
    size_t done = 0;
    while (done < size)
    {
        const ssize_t n = transfer(done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

bool WriteAll(int fd, const std::vector<uint8_t>& bytes)
{
    return TransferAll([&](size_t at, size_t n) { return write(fd, bytes.data() + at, n); },
                       bytes.size());
}

bool ReadAll(int fd, std::vector<uint8_t>& bytes)
{
    return TransferAll([&](size_t at, size_t n) { return read(fd, bytes.data() + at, n); },
                       bytes.size());
}

// A replaced file keeps its permissions; a new one gets those an ordinary create would give.
mode_t ModeFor(const std::string& path)
{
    struct stat existing
    {
    };
    if (stat(path.c_str(), &existing) == 0)
        return existing.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

} // namespace

bool WideToUtf8(const WCHAR* wide, std::string& utf8)
{
    utf8.clear();
    if (wide == nullptr || wide[0] == 0)
        return false;
    for (size_t i = 0; wide[i] != 0; ++i)
    {
        const auto code = static_cast<uint32_t>(wide[i]);
        if (i >= kMaxWideName || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff))
            return false;
        AppendUtf8(code, utf8);
    }
    return true;
}

Gdiplus::Status ReadImageFile(const WCHAR* name, std::vector<uint8_t>& bytes)
{
    std::string path;
    if (!WideToUtf8(name, path))
        return Gdiplus::InvalidParameter;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == EACCES ? Gdiplus::AccessDenied : Gdiplus::FileNotFound;
    struct stat info
    {
    };
    Gdiplus::Status status = Gdiplus::Ok;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        status = Gdiplus::FileNotFound;
    else if (static_cast<uint64_t>(info.st_size) > kMaxImageFileBytes)
        status = Gdiplus::OutOfMemory;
    else
    {
        try
        {
            bytes.resize(static_cast<size_t>(info.st_size));
            if (!ReadAll(fd, bytes))
                status = Gdiplus::Win32Error;
        }
        catch (const std::bad_alloc&)
        {
            status = Gdiplus::OutOfMemory;
        }
    }
    close(fd);
    return status;
}

Gdiplus::Status WriteImageFile(const WCHAR* name, const std::vector<uint8_t>& bytes)
{
    std::string path;
    if (!WideToUtf8(name, path))
        return Gdiplus::InvalidParameter;
    std::string temporary = path + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0)
        return Gdiplus::Win32Error;
    const bool written = fchmod(fd, ModeFor(path)) == 0 && WriteAll(fd, bytes) && fsync(fd) == 0;
    const bool closed = close(fd) == 0;
    if (written && closed && rename(temporary.c_str(), path.c_str()) == 0)
        return Gdiplus::Ok;
    unlink(temporary.c_str());
    return Gdiplus::Win32Error;
}

} // namespace OvPlatform

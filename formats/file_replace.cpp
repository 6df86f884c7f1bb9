#include "formats/file_replace.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace OvCore
{
namespace
{

// The file a write to `path` would reach: the target of a symbolic link, else `path`.
std::string WrittenPath(const char* path)
{
    struct stat link
    {
    };
    char resolved[PATH_MAX];
    if (lstat(path, &link) == 0 && S_ISLNK(link.st_mode) && realpath(path, resolved))
        return resolved;
    return path;
}

// A fresh file beside `target`, created exclusively (never one that exists, whoever made it).
int CreateBeside(const std::string& target, std::string& temporary)
{
    static std::atomic<unsigned> made{0};
    for (int attempt = 0; attempt < 16; ++attempt)
    {
        temporary = target + ".tmp-" + std::to_string(long(getpid())) + "-" +
                    std::to_string(made.fetch_add(1));
        const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// The fresh file takes over an existing target's permissions.
bool KeepPermissions(int fd, const std::string& target)
{
    struct stat existing
    {
    };
    return stat(target.c_str(), &existing) != 0 || fchmod(fd, existing.st_mode & 07777) == 0;
}

bool WriteAndFlush(int fd, const std::function<bool(std::FILE*)>& write)
{
    std::FILE* file = fdopen(fd, "wb");
    if (!file)
    {
        close(fd);
        return false;
    }
    bool written = write(file) && std::fflush(file) == 0 && fsync(fd) == 0;
    return std::fclose(file) == 0 && written;
}

// Devices and pipes (/dev/null, a FIFO) are written as they are: renaming over them would
// put a plain file in their place.
bool WriteInPlace(const std::string& target, const std::function<bool(std::FILE*)>& write)
{
    std::FILE* file = std::fopen(target.c_str(), "wb");
    if (!file)
        return false;
    const bool written = write(file);
    return std::fclose(file) == 0 && written;
}

bool IsSpecialFile(const std::string& target)
{
    struct stat existing
    {
    };
    return stat(target.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode);
}

} // namespace

bool ReplaceFile(const char* path, const std::function<bool(std::FILE*)>& write)
{
    if (!path || !*path)
        return false;
    const std::string target = WrittenPath(path);
    if (IsSpecialFile(target))
        return WriteInPlace(target, write);
    std::string temporary;
    const int fd = CreateBeside(target, temporary);
    if (fd < 0)
        return false;
    if (!KeepPermissions(fd, target))
    {
        close(fd);
        unlink(temporary.c_str());
        return false;
    }
    if (WriteAndFlush(fd, write) && rename(temporary.c_str(), target.c_str()) == 0)
        return true;
    unlink(temporary.c_str());
    return false;
}

} // namespace OvCore

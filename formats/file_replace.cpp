#include "formats/file_replace.h"

#include <atomic>
#include <filesystem>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace OvCore
{
namespace
{

namespace fs = std::filesystem;

// The system's own steps: a file created exclusively (never one that exists, whoever made
// it), flushing a file to the disk, and renaming over an existing file.
#ifdef _WIN32
long ProcessId()
{
    return long(_getpid());
}
std::FILE* CreateExclusive(const std::string& path)
{
    const int fd =
        _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    return fd < 0 ? nullptr : _fdopen(fd, "wb");
}
bool FlushToDisk(std::FILE* file)
{
    return _commit(_fileno(file)) == 0;
}
bool RenameOver(const std::string& from, const std::string& to)
{
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}
#else
long ProcessId()
{
    return long(getpid());
}
std::FILE* CreateExclusive(const std::string& path)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    std::FILE* file = fd < 0 ? nullptr : fdopen(fd, "wb");
    if (fd >= 0 && !file)
        close(fd);
    return file;
}
bool FlushToDisk(std::FILE* file)
{
    return fsync(fileno(file)) == 0;
}
bool RenameOver(const std::string& from, const std::string& to)
{
    return std::rename(from.c_str(), to.c_str()) == 0;
}
#endif

// The file a write to `path` would reach: the target of a symbolic link, else `path`.
std::string WrittenPath(const char* path)
{
    std::error_code error;
    if (fs::is_symlink(path, error))
    {
        const fs::path target = fs::canonical(path, error);
        if (!error)
            return target.string();
    }
    return path;
}

// A fresh file beside `target`; its name in `temporary`.
std::FILE* CreateBeside(const std::string& target, std::string& temporary)
{
    static std::atomic<unsigned> made{0};
    std::error_code error;
    for (int attempt = 0; attempt < 16; ++attempt)
    {
        temporary = target + ".tmp-" + std::to_string(ProcessId()) + "-" +
                    std::to_string(made.fetch_add(1));
        if (std::FILE* file = CreateExclusive(temporary))
            return file;
        if (!fs::exists(temporary, error))
            return nullptr; // not a name taken: the folder refuses new files
    }
    return nullptr;
}

// The fresh file takes over an existing target's permissions.
bool KeepPermissions(const std::string& temporary, const std::string& target)
{
    std::error_code error;
    const fs::file_status existing = fs::status(target, error);
    if (!fs::exists(existing))
        return true;
    fs::permissions(temporary, existing.permissions(), error);
    return !error;
}

bool WriteAndClose(std::FILE* file, const std::function<bool(std::FILE*)>& write, bool flush)
{
    const bool written = write(file) && std::fflush(file) == 0 && (!flush || FlushToDisk(file));
    return std::fclose(file) == 0 && written;
}

// Devices and pipes (/dev/null, a FIFO): renaming over them would put a plain file in their
// place, so they are written as they are.
bool IsSpecialFile(const std::string& target)
{
    std::error_code error;
    const fs::file_status existing = fs::status(target, error);
    return fs::exists(existing) && !fs::is_regular_file(existing);
}

} // namespace

bool ReplaceFileWhole(const char* path, const std::function<bool(std::FILE*)>& write)
{
    if (!path || !*path)
        return false;
    const std::string target = WrittenPath(path);
    if (IsSpecialFile(target))
    {
        std::FILE* file = std::fopen(target.c_str(), "wb");
        return file && WriteAndClose(file, write, false);
    }
    std::string temporary;
    std::FILE* file = CreateBeside(target, temporary);
    if (!file)
        return false;
    if (WriteAndClose(file, write, true) && KeepPermissions(temporary, target) &&
        RenameOver(temporary, target))
        return true;
    std::remove(temporary.c_str());
    return false;
}

} // namespace OvCore

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
#include <cerrno>
#include <csignal>
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
bool ProcessGone(long pid)
{
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, DWORD(pid));
    if (!process)
        return GetLastError() == ERROR_INVALID_PARAMETER; // no such process
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
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
bool ProcessGone(long pid)
{
    return kill(pid_t(pid), 0) != 0 && errno == ESRCH; // EPERM: alive, someone else's
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

// A run of decimal digits of at most 31 bits; false when empty, foreign or larger.
bool ReadNumber(const std::string& text, long& value)
{
    long long read = 0;
    for (char c : text)
        if (c < '0' || c > '9' || (read = read * 10 + (c - '0')) > 0x7FFFFFFF)
            return false;
    value = long(read);
    return !text.empty();
}

// The process id in a temporary's name "<target>.tmp-<pid>-<n>" given without its
// "<target>.tmp-" prefix, or 0 when the rest is not of that form.
long OwnerOfTemporary(const std::string& rest)
{
    const size_t dash = rest.find('-');
    long owner = 0, made = 0;
    if (dash == std::string::npos || !ReadNumber(rest.substr(0, dash), owner) ||
        !ReadNumber(rest.substr(dash + 1), made))
        return 0;
    return owner;
}

// Removes the temporaries of earlier saves of `target` whose process is gone (killed while
// saving); those of running processes, this one included, may still be written. Only
// tidying: a folder name Windows cannot give in the narrow encoding (a throw) ends it.
void RemoveLeftovers(const std::string& target) noexcept
try
{
    const fs::path path(target);
    const std::string prefix = path.filename().string() + ".tmp-";
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error))
    {
        const std::string name = entry->path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const long owner = OwnerOfTemporary(name.substr(prefix.size()));
        std::error_code ignored;
        if (owner > 0 && owner != ProcessId() && ProcessGone(owner))
            fs::remove(entry->path(), ignored);
    }
}
catch (const std::exception&)
{
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
    RemoveLeftovers(target);
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

// Store files: locate, lock, load (moving a bad file aside), and replace durably
// (temporary file, write, fsync, rename, fsync of the folder).
#include "registry_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace OvPlatform
{

namespace
{

std::string ConfigFolder()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/')
        return xdg;
    const char* home = std::getenv("HOME");
    return std::string(home && home[0] ? home : "/tmp") + "/.config";
}

// mkdir -p; true when the folder exists afterwards.
bool MakeFolders(const std::string& path)
{
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1))
    {
        std::string part = path.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            return true;
    }
}

LONG ErrorFromErrno(int error)
{
    switch (error)
    {
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
        return ERROR_DISK_FULL;
    case EACCES:
    case EPERM:
    case EROFS:
        return ERROR_ACCESS_DENIED;
    default:
        return ERROR_WRITE_FAULT;
    }
}

bool WriteAll(int fd, const std::vector<uint8_t>& bytes)
{
    size_t done = 0;
    while (done < bytes.size())
    {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
        {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        done += size_t(n);
    }
    return true;
}

// Reads at most the store's bound plus one byte, so an oversized file is refused unread.
// Returns 0, or the errno of a failed open or read.
int ReadFile(const std::string& path, std::vector<uint8_t>* out)
{
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    out->clear();
    uint8_t chunk[65536];
    int error = 0;
    for (;;)
    {
        ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
        {
            error = n == 0 ? 0 : errno;
            break;
        }
        out->insert(out->end(), chunk, chunk + n);
        if (out->size() > kRegistryMaxFileBytes)
            break; // the parser refuses it
    }
    close(fd);
    return error;
}

// Failures that say nothing about the file itself: report them, keep the file.
bool Passing(int error)
{
    return error == EMFILE || error == ENFILE || error == ENOMEM || error == EIO || error == EAGAIN;
}

void MoveAside(const std::string& path)
{
    std::string aside = path + ".corrupt-" + std::to_string(long(std::time(nullptr))) + "-" +
                        std::to_string(long(getpid()));
    if (rename(path.c_str(), aside.c_str()) == 0)
        std::fprintf(stderr, "ovplatform: registry store %s could not be read; moved to %s\n",
                     path.c_str(), aside.c_str());
    else
        std::fprintf(stderr, "ovplatform: registry store %s could not be read nor moved aside\n",
                     path.c_str());
}

// The store in the file (empty when there is none); a file that cannot be read or parsed is
// moved aside. False, keeping the file, when the read failed for a passing reason.
bool Load(const std::string& path, RegistryStore* store)
{
    std::vector<uint8_t> bytes;
    int error = ReadFile(path, &bytes);
    if (Passing(error))
        return false;
    if (error != ENOENT && (error != 0 || !ParseRegistryStore(bytes.data(), bytes.size(), store)))
        MoveAside(path);
    if (store->keys.empty())
        store->keys.push_back(RegistryKey{});
    return true;
}

LONG Save(const std::string& folder, const std::string& path, const RegistryStore& store)
{
    std::vector<uint8_t> bytes = SerializeRegistryStore(store);
    if (bytes.size() > kRegistryMaxFileBytes)
        return ERROR_DISK_FULL;
    std::string temporary = path + ".tmp-" + std::to_string(long(getpid()));
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return ErrorFromErrno(errno);
    bool ok = WriteAll(fd, bytes) && fsync(fd) == 0;
    int error = errno;
    ok = close(fd) == 0 && ok;
    if (ok && rename(temporary.c_str(), path.c_str()) != 0)
    {
        ok = false;
        error = errno;
    }
    if (!ok)
    {
        unlink(temporary.c_str());
        return ErrorFromErrno(error);
    }
    int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0)
    {
        fsync(dir);
        close(dir);
    }
    return ERROR_SUCCESS;
}

// An exclusive flock on the root's lock file, released on scope exit (and by the kernel when
// the process dies).
class StoreLock
{
  public:
    explicit StoreLock(const std::string& path)
        : fd_(open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600))
    {
        while (fd_ >= 0 && flock(fd_, LOCK_EX) != 0)
            if (errno != EINTR)
            {
                close(fd_);
                fd_ = -1;
            }
    }
    ~StoreLock()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;
    bool Held() const { return fd_ >= 0; }

  private:
    int fd_;
};

} // namespace

std::string RegistryRootName(HKEY root)
{
    static const struct
    {
        HKEY key;
        const char* name;
    } roots[] = {{HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},
                 {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
                 {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"},
                 {HKEY_USERS, "HKEY_USERS"},
                 {HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG"}};
    for (const auto& entry : roots)
        if (entry.key == root)
            return entry.name;
    return "";
}

LONG WithRegistryStore(HKEY root, bool write, const std::function<LONG(RegistryStore&)>& change)
{
    std::string name = RegistryRootName(root);
    if (name.empty())
        return ERROR_INVALID_HANDLE;
    std::string folder = ConfigFolder() + "/orvane-core/registry";
    if (!MakeFolders(folder))
        return ErrorFromErrno(errno);
    std::string path = folder + "/" + name + ".store";
    StoreLock lock(path + ".lock");
    if (!lock.Held())
        return ErrorFromErrno(errno);
    RegistryStore store;
    if (!Load(path, &store))
        return ERROR_READ_FAULT;
    LONG result = change(store);
    if (result == ERROR_SUCCESS && write)
        result = Save(folder, path, store);
    return result;
}

} // namespace OvPlatform

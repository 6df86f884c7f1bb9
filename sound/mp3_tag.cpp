// Reading the ID3v1 tag: only a regular file is opened (a FIFO would block), and nothing is
// read unless the file holds the whole 128 bytes.
#include "sound/sound_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace OvCore
{

namespace
{

constexpr off_t kTagSize = 128;

#ifdef _WIN32
// Windows has no FIFOs to guard against and no pread; files open in binary mode.
constexpr int kOpenFlags = O_RDONLY | O_BINARY;
bool ReadAt(int fd, char* block, off_t at)
{
    return lseek(fd, at, SEEK_SET) == at && read(fd, block, kTagSize) == kTagSize;
}
#else
constexpr int kOpenFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;
bool ReadAt(int fd, char* block, off_t at)
{
    return pread(fd, block, kTagSize, at) == kTagSize;
}
#endif

bool ReadTagBlock(int fd, char (&block)[kTagSize])
{
    struct stat status;
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size < kTagSize)
        return false;
    return ReadAt(fd, block, status.st_size - kTagSize);
}

} // namespace

bool SOUND_SYSTEM::ReadMp3Tag(const char* path, MP3_TAG& out)
{
    if (!path)
        return false;
    int fd = open(path, kOpenFlags);
    if (fd < 0)
        return false;
    char block[kTagSize];
    bool found = ReadTagBlock(fd, block) && std::memcmp(block, "TAG", 3) == 0;
    close(fd);
    if (found)
        std::memcpy(&out, block + 3, sizeof out);
    return found;
}

} // namespace OvCore

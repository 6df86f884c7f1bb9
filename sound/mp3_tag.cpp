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

bool ReadTagBlock(int fd, char (&block)[kTagSize])
{
    struct stat status;
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size < kTagSize)
        return false;
    return pread(fd, block, kTagSize, status.st_size - kTagSize) == kTagSize;
}

} // namespace

bool SOUND_SYSTEM::ReadMp3Tag(const char* path, MP3_TAG& out)
{
    if (!path)
        return false;
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
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

#include "mentaro/source_files.h"

#include <atomic>
#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

#include "orvane_core.h"

namespace ov::mentaro
{

bool readSourceFile(const char* path, std::string& text, std::string& error)
{
    text.clear();
    std::FILE* file = path ? std::fopen(path, "rb") : nullptr;
    if (!file)
    {
        error = std::string("cannot open '") + (path ? path : "") + "'";
        return false;
    }
    char chunk[16384];
    size_t got = 0;
    while (text.size() <= OV_MENTARO_LARGEST_SOURCE &&
           (got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        text.append(chunk, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        error = std::string("cannot read '") + path + "'";
    else if (text.size() > OV_MENTARO_LARGEST_SOURCE)
        error = std::string("'") + path + "' is larger than " +
                std::to_string(OV_MENTARO_LARGEST_SOURCE) + " bytes";
    else
        return true;
    text.clear();
    return false;
}

namespace
{

// A fresh file beside the target, named "<target>.tmp-<pid>-<n>" (the form the framework's
// own saves use, so a leftover of a killed process is recognised); -1 when none can be made.
int createBeside(const std::string& target, std::string& temporary)
{
    static std::atomic<unsigned> made{0};
    for (int attempt = 0; attempt < 16; ++attempt)
    {
        temporary =
            target + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(made.fetch_add(1));
        const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Every byte written and flushed to the disk, then closed.
bool writeWhole(int fd, const std::vector<uint8_t>& bytes)
{
    size_t done = 0;
    while (done < bytes.size())
    {
        const ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            break;
        done += size_t(wrote);
    }
    const bool flushed = done == bytes.size() && fsync(fd) == 0;
    return close(fd) == 0 && flushed;
}

} // namespace

bool writeProgramFile(const char* path, const std::vector<uint8_t>& bytes, std::string& error)
{
    if (!path || !*path)
    {
        error = "no target file is named";
        return false;
    }
    std::string temporary;
    const int fd = createBeside(path, temporary);
    if (fd >= 0)
    {
        if (writeWhole(fd, bytes) && std::rename(temporary.c_str(), path) == 0)
            return true;
        std::remove(temporary.c_str());
    }
    error = std::string("cannot write '") + path + "'";
    return false;
}

} // namespace ov::mentaro

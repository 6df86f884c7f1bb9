// Opening a sample source: the file must be a regular file (a FIFO would block the opening
// thread), announce one of the four formats in its first bytes and decode as that format,
// with one or two channels at a sane rate.
#include "audiere/src/decoder.h"

#include "audiere/src/file_format.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>

namespace audiere
{

namespace
{

constexpr int kMinRate = 1000;
constexpr int kMaxRate = 384000;

// A descriptor of the regular file at `path`, blocking again, or -1.
int OpenRegularFile(const char* path)
{
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat status;
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
    {
        close(fd);
        return -1;
    }
    return fd;
}

FileFormat FormatAnnouncedBy(int fd)
{
    unsigned char head[12] = {};
    ssize_t got = pread(fd, head, sizeof head, 0);
    return got > 0 ? AnnouncedFormat(head, size_t(got)) : FF_AUTODETECT;
}

bool Acceptable(const SF_INFO& info, FileFormat format)
{
    return DecodesAs(info.format & SF_FORMAT_TYPEMASK, format) &&
           (info.channels == 1 || info.channels == 2) && info.samplerate >= kMinRate &&
           info.samplerate <= kMaxRate && info.frames >= 0;
}

} // namespace

Decoder* Decoder::Open(const char* path, FileFormat format)
{
    if (!path)
        return nullptr;
    int fd = OpenRegularFile(path);
    if (fd < 0)
        return nullptr;
    FileFormat announced = FormatAnnouncedBy(fd);
    if (announced == FF_AUTODETECT || (format != FF_AUTODETECT && format != announced))
    {
        close(fd);
        return nullptr;
    }
    SF_INFO info = {};
    SNDFILE* file = sf_open_fd(fd, SFM_READ, &info, SF_TRUE);
    if (!file)
        return nullptr;
    if (!Acceptable(info, announced))
    {
        sf_close(file);
        return nullptr;
    }
    // Decoded floats beyond full scale clip instead of wrapping around.
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    return new Decoder(file, info);
}

Decoder::Decoder(SNDFILE* sndfile, const SF_INFO& info)
    : file(sndfile), channels(info.channels), rate(info.samplerate), seekable(info.seekable != 0),
      length(seekable ? int(info.frames < INT_MAX ? info.frames : INT_MAX) : 0)
{
}

Decoder::~Decoder()
{
    sf_close(file);
}

int Decoder::Read(short* out, int frames)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (frames <= 0 || position == INT_MAX)
        return 0;
    if (frames > INT_MAX - position)
        frames = INT_MAX - position;
    sf_count_t got = sf_readf_short(file, out, frames);
    if (got <= 0)
        return 0;
    position += int(got);
    return int(got);
}

bool Decoder::Seek(int frame)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (frame < 0)
        return false;
    sf_count_t reached = sf_seek(file, frame, SEEK_SET);
    if (reached != frame)
        return false;
    position = frame;
    return true;
}

int Decoder::Position()
{
    std::lock_guard<std::mutex> lock(mutex);
    return position;
}

extern "C" ADR_API SampleSource* AdrOpenSampleSource(const char* filename, FileFormat file_format)
{
    return Decoder::Open(filename, file_format);
}

} // namespace audiere

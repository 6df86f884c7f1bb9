// Telling the formats apart by their opening bytes.
#include "audiere/src/file_format.h"

#include <sndfile.h>

#include <cstring>

namespace audiere
{

namespace
{

bool StartsWith(const unsigned char* head, size_t size, const char* magic, size_t at = 0)
{
    size_t length = std::strlen(magic);
    return size >= at + length && std::memcmp(head + at, magic, length) == 0;
}

// An ID3v2 tag, or an MPEG audio frame header: eleven sync bits, a layer that is not the
// reserved 00, a bit-rate index that is not 1111.
bool AnnouncesMpeg(const unsigned char* head, size_t size)
{
    if (StartsWith(head, size, "ID3"))
        return true;
    return size >= 3 && head[0] == 0xFF && (head[1] & 0xE0) == 0xE0 && (head[1] & 0x06) != 0 &&
           (head[2] & 0xF0) != 0xF0;
}

} // namespace

FileFormat AnnouncedFormat(const unsigned char* head, size_t size)
{
    if ((StartsWith(head, size, "RIFF") || StartsWith(head, size, "RF64")) &&
        StartsWith(head, size, "WAVE", 8))
        return FF_WAV;
    if (StartsWith(head, size, "OggS"))
        return FF_OGG;
    if (StartsWith(head, size, "fLaC"))
        return FF_FLAC;
    if (AnnouncesMpeg(head, size))
        return FF_MP3;
    return FF_AUTODETECT;
}

bool DecodesAs(int major, FileFormat format)
{
    switch (format)
    {
    case FF_WAV:
        return major == SF_FORMAT_WAV || major == SF_FORMAT_WAVEX || major == SF_FORMAT_RF64;
    case FF_OGG:
        return major == SF_FORMAT_OGG;
    case FF_FLAC:
        return major == SF_FORMAT_FLAC;
    case FF_MP3:
        return major == SF_FORMAT_MPEG;
    case FF_AUTODETECT:
        break;
    }
    return false;
}

} // namespace audiere

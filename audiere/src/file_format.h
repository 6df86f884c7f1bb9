// Which of the four formats a file's first bytes announce, and whether the format libsndfile
// then reads the file as is that one. Only these reach a decoder: a file that merely looks
// like one of libsndfile's other formats is refused before any of its parsers runs.
#pragma once

#include "audiere/audiere.h"

#include <cstddef>

namespace audiere
{

// FF_AUTODETECT when the bytes announce none of FF_WAV, FF_OGG, FF_FLAC, FF_MP3.
FileFormat AnnouncedFormat(const unsigned char* head, size_t size);
// Whether libsndfile's major format `major` (SF_FORMAT_TYPEMASK bits) is `format`.
bool DecodesAs(int major, FileFormat format);

} // namespace audiere

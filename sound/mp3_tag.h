// The ID3v1 tag of an MP3 file: the 125 bytes after "TAG" in the file's last 128 bytes, as
// SOUND_SYSTEM::ReadMp3Tag copies them. Texts are padded with zeros or spaces, not ended.
#pragma once

#include <cstdint>

namespace OvCore
{

// The tag's fields in file order; the texts are fixed-width, not zero-terminated.
struct MP3_TAG
{
    char title[30];   // the track's title
    char artist[30];  // the performer
    char album[30];   // the album's name
    char year[4];     // four digits as text
    char comment[30]; // free text
    uint8_t genre;    // the genre, as its number in the tag format's list
};
static_assert(sizeof(MP3_TAG) == 125);

} // namespace OvCore

// The ID3v1 tag of an MP3 file: the 125 bytes after "TAG" in the file's last 128 bytes, as
// SOUND_SYSTEM::ReadMp3Tag copies them. Texts are padded with zeros or spaces, not ended.
#pragma once

#include <cstdint>

namespace OvCore
{

struct MP3_TAG
{
    char title[30];
    char artist[30];
    char album[30];
    char year[4];
    char comment[30];
    uint8_t genre;
};
static_assert(sizeof(MP3_TAG) == 125);

} // namespace OvCore

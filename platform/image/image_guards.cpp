// Decoder guards. Each walks the file the way the decoder will and stops where the decoder
// would stop or fail.
#include "platform/image/image_guards.h"

#include <cstring>

namespace OvPlatform
{
namespace
{

// The decoder reads zeros past the end of a file; so do the guards.
uint8_t ByteAt(const uint8_t* bytes, size_t size, size_t at)
{
    return at < size ? bytes[at] : 0;
}

bool IsPng(const uint8_t* bytes, size_t size)
{
    static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return size >= sizeof signature && std::memcmp(bytes, signature, sizeof signature) == 0;
}

// A JPEG DHT segment holds tables of 16 code counts followed by that many values. The
// decoder stores up to 256 values per table but does not check the counts' sum, so a larger
// sum writes past the table.
bool HuffmanTablesFit(const uint8_t* bytes, size_t size, size_t at, int length)
{
    for (int left = length - 2; left > 0;)
    {
        int values = 0;
        for (size_t i = 1; i <= 16; ++i)
            values += ByteAt(bytes, size, at + i);
        if (values > 256)
            return false;
        at += 17 + size_t(values);
        left -= 17 + values;
    }
    return true;
}

// Pixels per byte at the densest coding of each format the decoders read: PNG inflates at
// most 1032 times into pixels of one bit; a JPEG block of 64 pixels takes at least one bit and
// a GIF code of 12 bits stands for at most 4096 pixels (4096 per byte is well above both); a
// BMP pixel takes one bit; a TGA run packet of two bytes covers at most 128 pixels.
uint64_t MostPixelsPerByte(const uint8_t* bytes, size_t size)
{
    if (IsPng(bytes, size))
        return 1032 * 8;
    if (size >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        return 8;
    if ((size >= 4 && std::memcmp(bytes, "GIF8", 4) == 0) || bytes[0] == 0xff)
        return 4096;
    return 64; // TGA, the one format without a signature
}

// Where the file's opening run of bytes 0xff ends: the decoder's JPEG test reads them all.
size_t FillEnd(const uint8_t* bytes, size_t size)
{
    size_t at = 0;
    while (at < size && bytes[at] == 0xff)
        ++at;
    return at;
}

// Where the decoder's walk begins after the start-of-image marker, which it finds as 0xff,
// any number of fill bytes 0xff, then 0xd8; 0 for a file that is no JPEG to it.
size_t JpegStart(const uint8_t* bytes, size_t size)
{
    const size_t at = FillEnd(bytes, size);
    return at >= 1 && at < size && bytes[at] == 0xd8 ? at + 1 : 0;
}

// The decoder reads a file through a buffer of this many bytes, and after each format test
// rewinds to the start of that buffer, not of the file. Only its JPEG test can read further:
// it skips the start marker's fill bytes as far as they go. Past the buffer, a refill has
// overwritten it, and every decoder after the rewind reads a stale mix of file parts that no
// guard has walked (a Huffman table overfull there wrote past the table).
constexpr size_t kDecoderBuffer = 128;

bool FillEndsInFirstBuffer(const uint8_t* bytes, size_t size)
{
    return size <= kDecoderBuffer || FillEnd(bytes, size) < kDecoderBuffer;
}

// Visits every marker the decoder may act on: bytes up to a 0xff are skipped (junk between
// segments, entropy-coded data), fill bytes 0xff are skipped, and a marker with a length
// is stepped over whole.
bool JpegTablesFit(const uint8_t* bytes, size_t size, size_t at)
{
    while (at < size)
    {
        while (at < size && bytes[at] != 0xff)
            ++at;
        while (at < size && bytes[at] == 0xff)
            ++at;
        if (at >= size)
            return true;
        const uint8_t marker = bytes[at++];
        if (marker == 0xd9) // end of image
            return true;
        const bool standalone =
            marker == 0x00 || marker == 0x01 || (marker >= 0xd0 && marker <= 0xd7);
        if (standalone)
            continue;
        const int length = ByteAt(bytes, size, at) << 8 | ByteAt(bytes, size, at + 1);
        if (marker == 0xc4 && !HuffmanTablesFit(bytes, size, at + 2, length))
            return false;
        if (length < 2) // the decoder fails here
            return true;
        at += size_t(length);
    }
    return true;
}

// A PNG chunk whose length runs past the end of the file: the decoder grows its buffer for
// the image data to the announced length (doubling, up to 2 GiB for a 100-byte file) before it
// finds the bytes missing. The walk ends at IEND, as the decoder's does.
bool PngChunksFit(const uint8_t* bytes, size_t size)
{
    for (size_t at = 8; size - at >= 8;)
    {
        const uint64_t length = uint64_t(bytes[at]) << 24 | uint64_t(bytes[at + 1]) << 16 |
                                uint64_t(bytes[at + 2]) << 8 | bytes[at + 3];
        if (std::memcmp(bytes + at + 4, "IEND", 4) == 0) // its CRC is never read
            return true;
        if (length + 12 > size - at) // the length and type, the data, the CRC
            return false;
        at += size_t(length) + 12;
    }
    return true;
}

} // namespace

bool SafeToDecode(const uint8_t* bytes, size_t size)
{
    if (IsPng(bytes, size))
        return PngChunksFit(bytes, size);
    if (!FillEndsInFirstBuffer(bytes, size))
        return false;
    const size_t start = JpegStart(bytes, size);
    return start == 0 || JpegTablesFit(bytes, size, start);
}

uint64_t MostPixelsCoded(const uint8_t* bytes, size_t size)
{
    return size == 0 ? 0 : MostPixelsPerByte(bytes, size) * size;
}

} // namespace OvPlatform

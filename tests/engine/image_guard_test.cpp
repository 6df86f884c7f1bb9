// The engine decodes images with the platform's one codec (platform/image), so the guards the
// platform needs hold for the engine too: a JPEG whose Huffman code counts add up to more than
// the decoder's 256-entry table is refused by every engine path that decodes images, before
// the decoder writes past the table (which UBSan reported as "index 257 out of bounds").
#include "gl_fixture.h"
#include "support/peak_memory.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

using namespace enginetest;

namespace
{

using Bytes = std::vector<uint8_t>;

// Start of image, one DHT segment whose 16 code counts are 17 each (272 values, 16 more than
// the table holds) followed by its 272 values, end of image. Also the fuzz seed
// tests/fuzz/corpus/engine_image/jpeg_overfull_huffman.
Bytes OverfullHuffmanJpeg()
{
    Bytes jpeg = {0xFF, 0xD8, 0xFF, 0xC4, 0x01, 0x23, 0x00}; // length 291 = 2 + 1 + 16 + 272
    jpeg.insert(jpeg.end(), 16, 17);
    for (int i = 0; i < 272; ++i)
        jpeg.push_back(uint8_t(i));
    jpeg.insert(jpeg.end(), {0xFF, 0xD9});
    return jpeg;
}

Bytes ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// An 8 x 8 baseline JPEG that decodes.
Bytes GoodJpeg()
{
    return ReadFile(std::string(OV_SOURCE_DIR) + "/tests/fuzz/corpus/image/rgb_8x8.jpg");
}

// Where the first marker 0xff `code` begins; the size when there is none.
size_t MarkerAt(const Bytes& jpeg, uint8_t code)
{
    size_t at = 0;
    while (at + 1 < jpeg.size() && !(jpeg[at] == 0xFF && jpeg[at + 1] == code))
        ++at;
    return at + 1 < jpeg.size() ? at : jpeg.size();
}

// The good JPEG with the code counts of its first Huffman table all 255.
Bytes OverfilledGoodJpeg()
{
    Bytes jpeg = GoodJpeg();
    const size_t table = MarkerAt(jpeg, 0xC4);
    if (table + 21 < jpeg.size())
        std::fill(jpeg.begin() + long(table) + 5, jpeg.begin() + long(table) + 21, 0xFF);
    return jpeg;
}

// The pixels OvImageDecode gives, or nothing when it refuses.
bool Decodes(const Bytes& file, int32_t* width = nullptr)
{
    int32_t w = 0, h = 0;
    void* pixels = OvImageDecode(file.data(), file.size(), &w, &h);
    OvImageFree(pixels);
    if (width)
        *width = w;
    return pixels != nullptr;
}

// A grey run-length TGA of width x height pixels holding `packets` runs of 128 pixels, two bytes
// each: the densest coding of the format.
Bytes GreyRunTga(uint16_t width, uint16_t height, size_t packets)
{
    Bytes tga = {0, 0, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    tga.insert(tga.end(), {uint8_t(width), uint8_t(width >> 8), uint8_t(height),
                           uint8_t(height >> 8), 8, 0x20});
    for (size_t i = 0; i < packets; ++i)
        tga.insert(tga.end(), {0xFF, 0x80});
    return tga;
}

} // namespace

TEST(EngineImageGuards, HeadersAnnouncingMorePixelsThanTheFileCanCodeAreRefusedUnallocated)
{
    int32_t width = 0;
    EXPECT_TRUE(Decodes(GreyRunTga(1024, 1024, 1024 * 1024 / 128), &width)); // 63.9 pixels a byte
    EXPECT_EQ(width, 1024);
    // 35 bytes announcing 6228 x 10396 pixels (found by fuzz_engine_image: half a second and
    // 340 MB a decode).
    EXPECT_FALSE(Decodes(ReadFile(std::string(OV_SOURCE_DIR) +
                                  "/tests/fuzz/corpus/engine_image/tga_header_larger_than_file")));
    // The largest image allowed, announced by a header alone: refused before the decoder
    // allocates (and fills) its 64 Mi pixels, so the process never grows by their 256 MiB.
    const Bytes header = GreyRunTga(16384, 4096, 0);
    const long idle = OvTest::ChildPeakKib([] {});
    const long decoding = OvTest::ChildPeakKib([&header] { Decodes(header); });
    ASSERT_GT(idle, 0);
    EXPECT_LT(decoding, idle + 64 * 1024);
}

TEST(EngineImageGuards, TheFuzzSeedIsTheRegressionJpeg)
{
    EXPECT_EQ(ReadFile(std::string(OV_SOURCE_DIR) +
                       "/tests/fuzz/corpus/engine_image/jpeg_overfull_huffman"),
              OverfullHuffmanJpeg());
}

TEST(EngineImageGuards, ImageDecodeRefusesOverfullHuffmanTablesLongFillAndTruncatedJpegs)
{
    int32_t width = 0;
    const Bytes good = GoodJpeg();
    ASSERT_FALSE(good.empty());
    ASSERT_TRUE(Decodes(good, &width)); // JPEG decoding itself still works
    EXPECT_EQ(width, 8);

    EXPECT_FALSE(Decodes(OverfullHuffmanJpeg()));
    EXPECT_FALSE(Decodes(OverfilledGoodJpeg()));
    // The decoder skips fill bytes 0xff before the start marker; the guard must too (a case
    // the fuzzer found: tests/fuzz/corpus/engine_image/jpeg_fill_before_start_bad_huffman).
    Bytes filled = OverfilledGoodJpeg();
    filled.insert(filled.begin(), {0xFF, 0xFF});
    EXPECT_FALSE(Decodes(filled));
    EXPECT_FALSE(
        Decodes(ReadFile(std::string(OV_SOURCE_DIR) + "/tests/fuzz/corpus/engine_image/"
                                                      "jpeg_fill_before_start_bad_huffman")));
    // Fill that ends inside the decoder's first 128-byte buffer is fine; fill reaching past it
    // would leave the decoder reading a stale buffer no guard walked (found by fuzz_image: an
    // overfull Huffman table there, "index 257 out of bounds").
    Bytes padded = good;
    padded.insert(padded.begin(), 126, 0xFF);
    EXPECT_TRUE(Decodes(padded));
    padded.insert(padded.begin(), 0xFF);
    EXPECT_FALSE(Decodes(padded));
    EXPECT_FALSE(Decodes(ReadFile(std::string(OV_SOURCE_DIR) +
                                  "/tests/fuzz/corpus/image/jpeg_fill_past_first_buffer")));
    // The platform's truncation guard holds for the engine too: without its end the decoder
    // would read past the file (and make up the rest).
    for (size_t length : {size_t{2}, size_t{20}, good.size() / 2, good.size() - 2})
        EXPECT_FALSE(Decodes(Bytes(good.begin(), good.begin() + long(length))))
            << length << " bytes";
    OvTextureFileHeader header{};
    EXPECT_FALSE(OvTextureFileReadHeader(OverfullHuffmanJpeg().data(), OverfullHuffmanJpeg().size(),
                                         &header));
}

// The good JPEG with its scan's first component naming AC table 3, which the file never
// defines (the input fuzz_image found, tests/fuzz/corpus/image/
// jpeg_scan_with_undefined_huffman_table, does the same with table 0).
Bytes GoodJpegNamingAnUndefinedTable()
{
    Bytes jpeg = GoodJpeg();
    const size_t scan = MarkerAt(jpeg, 0xDA);
    if (scan + 6 < jpeg.size())
        jpeg[scan + 6] = 0x03; // DC table 0, AC table 3
    return jpeg;
}

// The decoder keeps its tables in a block it allocates; a scan naming a table the file never
// defined used to decode with whatever that block held before, and so read far outside the
// table ("index -16754746 out of bounds"). Freed memory of three patterns lies in wait for
// the decoder's block (the allocator hands the freed space back); the results must agree.
TEST(EngineImageGuards, AScanWithAnUndefinedHuffmanTableDecodesTheSameWhateverMemoryHeld)
{
    const Bytes jpeg = GoodJpegNamingAnUndefinedTable();
    ASSERT_NE(jpeg, GoodJpeg());
    std::vector<Bytes> results;
    for (uint8_t pattern : {0x00, 0xA5, 0x5A})
    {
        const size_t bytes = 96 * 1024; // beyond the decoder's block, below a separate mapping
        auto* block = static_cast<volatile uint8_t*>(std::malloc(bytes));
        ASSERT_NE(block, nullptr);
        for (size_t i = 0; i < bytes; ++i)
            block[i] = pattern;
        std::free(const_cast<uint8_t*>(block));
        int32_t w = 0, h = 0;
        auto* pixels = static_cast<const uint8_t*>(OvImageDecode(jpeg.data(), jpeg.size(), &w, &h));
        results.push_back(pixels ? Bytes(pixels, pixels + size_t(w) * size_t(h) * 4) : Bytes());
        OvImageFree(const_cast<uint8_t*>(pixels));
    }
    // Refused or decoded, but alike (before, the first came out refused and the others not).
    EXPECT_EQ(results[0], results[1]);
    EXPECT_EQ(results[0], results[2]);
}

class ImageGuardTextureTest : public GlTest
{
};

TEST_F(ImageGuardTextureTest, TextureLoadsRefuseOverfullHuffmanTablesAndKeepThePixels)
{
    const Bytes good = GoodJpeg();
    OvHandle texture{1, nullptr};
    ASSERT_TRUE(OvTextureCreate(&texture));
    ASSERT_TRUE(OvTextureLoadFromMemory(texture, good.data(), 1)); // size from the JPEG's segments
    ASSERT_EQ(*static_cast<int32_t*>(OvTextureGet(texture, OV_TEXTURE_WIDTH)), 8);

    for (const Bytes& bad : {OverfullHuffmanJpeg(), OverfilledGoodJpeg()})
    {
        EXPECT_FALSE(OvTextureLoadFromMemory(texture, bad.data(), 1));             // walked to EOI
        EXPECT_FALSE(OvTextureLoadFromMemory(texture, bad.data(), 1, bad.size())); // size given
        const std::string path =
            std::string(OV_BINARY_DIR) + "/engine_overfull_" + std::to_string(getpid()) + ".jpg";
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bad.data()), std::streamsize(bad.size()));
        EXPECT_FALSE(OvTextureLoad(texture, path.c_str(), 1));
        std::remove(path.c_str());
    }
    EXPECT_EQ(*static_cast<int32_t*>(OvTextureGet(texture, OV_TEXTURE_WIDTH)), 8); // unchanged
    OvTextureDestroy(texture);
}

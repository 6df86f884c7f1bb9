// The .ovt codec through the engine's public image functions: round trips, the header, and
// malformed files (bad fields, huge sizes, short data, bad compression) failing cleanly.
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "orvane_core.h"

namespace
{

std::vector<uint8_t> Pattern(int width, int height)
{
    std::vector<uint8_t> pixels(size_t(width) * height * 4);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = uint8_t(i * 7 + i / 5);
    return pixels;
}

std::vector<uint8_t> Encode(const std::vector<uint8_t>& pixels, int width, int height)
{
    size_t size = 0;
    void* file = OvImageEncodeOvt(pixels.data(), width, height, &size);
    std::vector<uint8_t> bytes;
    if (file)
        bytes.assign(static_cast<uint8_t*>(file), static_cast<uint8_t*>(file) + size);
    OvImageFree(file);
    return bytes;
}

bool Decodes(const std::vector<uint8_t>& file)
{
    int32_t width = 0, height = 0;
    void* pixels = OvImageDecode(file.data(), file.size(), &width, &height);
    OvImageFree(pixels);
    return pixels != nullptr;
}

void Put32(std::vector<uint8_t>& file, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        file[at + i] = uint8_t(value >> (8 * i));
}

} // namespace

TEST(OvtCodec, RoundTripKeepsEveryByteAndTheHeaderDescribesIt)
{
    const auto pixels = Pattern(13, 7);
    const auto file = Encode(pixels, 13, 7);
    ASSERT_GT(file.size(), 20u);
    EXPECT_EQ(std::memcmp(file.data(), "OVT1", 4), 0);

    OvTextureFileHeader header{};
    ASSERT_TRUE(OvTextureFileReadHeader(file.data(), file.size(), &header));
    EXPECT_EQ(header.version, 1u);
    EXPECT_EQ(header.format, 1u);
    EXPECT_EQ(header.width, 13u);
    EXPECT_EQ(header.height, 7u);
    EXPECT_EQ(header.compressedSize, file.size() - 20);

    int32_t width = 0, height = 0;
    auto* decoded = static_cast<uint8_t*>(OvImageDecode(file.data(), file.size(), &width, &height));
    ASSERT_NE(decoded, nullptr);
    EXPECT_EQ(width, 13);
    EXPECT_EQ(height, 7);
    EXPECT_EQ(std::memcmp(decoded, pixels.data(), pixels.size()), 0);
    OvImageFree(decoded);

    // Trailing bytes after the data are ignored.
    auto padded = file;
    padded.insert(padded.end(), 16, 0xAB);
    EXPECT_TRUE(Decodes(padded));
}

TEST(OvtCodec, EncodingRefusesImpossibleSizes)
{
    size_t size = 0;
    const uint8_t pixel[4] = {1, 2, 3, 4};
    EXPECT_EQ(OvImageEncodeOvt(pixel, 0, 1, &size), nullptr);
    EXPECT_EQ(OvImageEncodeOvt(pixel, 1, -1, &size), nullptr);
    EXPECT_EQ(OvImageEncodeOvt(pixel, 20000, 1, &size), nullptr);
    EXPECT_EQ(OvImageEncodeOvt(nullptr, 1, 1, &size), nullptr);
    EXPECT_EQ(OvImageEncodeOvt(pixel, 1, 1, nullptr), nullptr);
}

TEST(OvtCodec, MalformedHeadersAreRefused)
{
    const auto good = Encode(Pattern(4, 4), 4, 4);
    ASSERT_TRUE(Decodes(good));
    OvTextureFileHeader header{};

    auto magic = good;
    magic[3] = '2';
    EXPECT_FALSE(Decodes(magic));
    auto version = good;
    version[4] = 2;
    EXPECT_FALSE(Decodes(version));
    auto format = good;
    format[6] = 9;
    EXPECT_FALSE(Decodes(format));
    auto zeroWidth = good;
    Put32(zeroWidth, 8, 0);
    EXPECT_FALSE(Decodes(zeroWidth));
    auto wide = good;
    Put32(wide, 8, 16385);
    EXPECT_FALSE(Decodes(wide));
    // A huge image announced by a tiny file is refused before any allocation.
    auto huge = good;
    Put32(huge, 8, 16384);
    Put32(huge, 12, 16384);
    EXPECT_FALSE(OvTextureFileReadHeader(huge.data(), huge.size(), &header));
    EXPECT_FALSE(Decodes(huge));
    // Sizes that disagree with the stream.
    auto taller = good;
    Put32(taller, 12, 5);
    EXPECT_FALSE(Decodes(taller));
    auto shorter = good;
    Put32(shorter, 12, 3);
    EXPECT_FALSE(Decodes(shorter));

    EXPECT_FALSE(Decodes(std::vector<uint8_t>(good.begin(), good.begin() + 19)));
    EXPECT_FALSE(OvTextureFileReadHeader(nullptr, 100, &header));
    EXPECT_FALSE(OvTextureFileReadHeader(good.data(), good.size(), nullptr));
    int32_t w = 0, h = 0;
    EXPECT_EQ(OvImageDecode(nullptr, 10, &w, &h), nullptr);
    EXPECT_EQ(OvImageDecode(good.data(), good.size(), nullptr, &h), nullptr);
}

TEST(OvtCodec, TruncatedOrCorruptDataIsRefused)
{
    const auto good = Encode(Pattern(32, 32), 32, 32);
    for (size_t cut : {size_t(21), good.size() / 2, good.size() - 1})
        EXPECT_FALSE(Decodes(std::vector<uint8_t>(good.begin(), good.begin() + cut))) << cut;

    auto corrupt = good;
    for (size_t i = 22; i < corrupt.size(); i += 3)
        corrupt[i] ^= 0x5A;
    EXPECT_FALSE(Decodes(corrupt));

    // A valid stream of the wrong length: a 32 x 31 image's data under a 32 x 32 header.
    auto wrongLength = Encode(Pattern(32, 31), 32, 31);
    Put32(wrongLength, 12, 32);
    EXPECT_FALSE(Decodes(wrongLength));
    Put32(wrongLength, 12, 31);
    EXPECT_TRUE(Decodes(wrongLength));
}

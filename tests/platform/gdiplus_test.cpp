// The GDI+ subset on real files in a temporary folder: decoding PNG, BMP and JPEG into ARGB,
// the encoder list, saving and loading back, and files that must not load.
#include "platform/gdiplus.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;
namespace fs = std::filesystem;

namespace
{

using Bytes = std::vector<uint8_t>;

void PutBig32(Bytes& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(v >> shift));
}

void PutLittle(Bytes& out, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

uint32_t Crc32(const uint8_t* data, size_t size)
{
    uint32_t crc = 0xffffffffu;
    for (size_t i = 0; i < size; ++i)
    {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

void PutChunk(Bytes& png, const char* type, const Bytes& data)
{
    PutBig32(png, uint32_t(data.size()));
    Bytes typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    png.insert(png.end(), typed.begin(), typed.end());
    PutBig32(png, Crc32(typed.data(), typed.size()));
}

// An 8-bit PNG (colour type 2 RGB or 6 RGBA) written independently of the platform's
// encoder: one stored (uncompressed) deflate block.
Bytes MakePng(uint32_t width, uint32_t height, int channels, const Bytes& pixels)
{
    Bytes raw; // empty pixels make a file with a header only
    for (uint32_t y = 0; y < height && !pixels.empty(); ++y)
    {
        raw.push_back(0); // filter: none
        const auto row = pixels.begin() + y * width * channels;
        raw.insert(raw.end(), row, row + width * channels);
    }
    Bytes zlib = {0x78, 0x01, 0x01};
    PutLittle(zlib, uint32_t(raw.size()), 2);
    PutLittle(zlib, uint32_t(~raw.size()) & 0xffff, 2);
    zlib.insert(zlib.end(), raw.begin(), raw.end());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw)
    {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBig32(zlib, (b << 16) | a);

    Bytes header;
    PutBig32(header, width);
    PutBig32(header, height);
    header.insert(header.end(), {8, uint8_t(channels == 4 ? 6 : 2), 0, 0, 0});
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", zlib);
    PutChunk(png, "IEND", {});
    return png;
}

// A 24-bit bottom-up BMP; `pixels` are RGB, top row first.
Bytes MakeBmp(int32_t width, int32_t height, const Bytes& pixels)
{
    const uint32_t rowBytes = (uint32_t(width) * 3 + 3) & ~3u;
    Bytes bmp = {'B', 'M'};
    PutLittle(bmp, 54 + rowBytes * uint32_t(height), 4);
    PutLittle(bmp, 0, 4);
    PutLittle(bmp, 54, 4);
    PutLittle(bmp, 40, 4);
    PutLittle(bmp, uint32_t(width), 4);
    PutLittle(bmp, uint32_t(height), 4);
    PutLittle(bmp, 1, 2);
    PutLittle(bmp, 24, 2);
    for (int i = 0; i < 6; ++i)
        PutLittle(bmp, 0, 4);
    for (int32_t y = height - 1; y >= 0 && !pixels.empty(); --y)
    {
        for (int32_t x = 0; x < width; ++x)
        {
            const uint8_t* rgb = &pixels[(size_t(y) * width + x) * 3];
            bmp.insert(bmp.end(), {rgb[2], rgb[1], rgb[0]});
        }
        bmp.resize(bmp.size() + rowBytes - width * 3, 0);
    }
    return bmp;
}

Bytes Truncated(const Bytes& file, size_t length)
{
    return Bytes(file.begin(), file.begin() + length);
}

const CLSID* EncoderFor(const std::vector<uint8_t>& list, UINT count, const wchar_t* mime)
{
    const auto* codecs = reinterpret_cast<const ImageCodecInfo*>(list.data());
    for (UINT i = 0; i < count; ++i)
        if (std::wcscmp(codecs[i].MimeType, mime) == 0)
            return &codecs[i].Clsid;
    return nullptr;
}

class GdiplusTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        GdiplusStartupInput input;
        ASSERT_EQ(GdiplusStartup(&token_, &input, nullptr), Ok);
        char pattern[] = "/tmp/ov_gdiplus_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override
    {
        GdiplusShutdown(token_);
        fs::remove_all(folder_);
    }

    std::wstring Write(const std::string& name, const Bytes& bytes)
    {
        std::ofstream(folder_ / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return (folder_ / name).wstring();
    }

    // The bitmap's pixels as B, G, R, A bytes, or empty when the file does not load.
    Bytes Load(const std::wstring& path, Status* status = nullptr, UINT* width = nullptr)
    {
        GpBitmap* bitmap = nullptr;
        const Status created = GdipCreateBitmapFromFile(path.c_str(), &bitmap);
        if (status != nullptr)
            *status = created;
        if (created != Ok)
            return {};
        UINT w = 0, h = 0;
        EXPECT_EQ(GdipGetImageWidth(bitmap, &w), Ok);
        EXPECT_EQ(GdipGetImageHeight(bitmap, &h), Ok);
        if (width != nullptr)
            *width = w;
        BitmapData data{};
        Rect all(0, 0, INT(w), INT(h));
        EXPECT_EQ(GdipBitmapLockBits(bitmap, &all, ImageLockModeRead | ImageLockModeWrite,
                                     PixelFormat32bppARGB, &data),
                  Ok);
        Bytes pixels;
        for (UINT y = 0; y < h; ++y)
        {
            const auto* row = static_cast<const uint8_t*>(data.Scan0) + y * data.Stride;
            pixels.insert(pixels.end(), row, row + w * 4);
        }
        EXPECT_EQ(GdipBitmapUnlockBits(bitmap, &data), Ok);
        EXPECT_EQ(GdipDisposeImage(bitmap), Ok);
        return pixels;
    }

    Status Save(Bytes bgra, INT width, INT height, const wchar_t* mime, const std::wstring& path)
    {
        UINT count = 0, size = 0;
        EXPECT_EQ(GdipGetImageEncodersSize(&count, &size), Ok);
        std::vector<uint8_t> list(size);
        EXPECT_EQ(GdipGetImageEncoders(count, size, reinterpret_cast<ImageCodecInfo*>(list.data())),
                  Ok);
        const CLSID* encoder = EncoderFor(list, count, mime);
        if (encoder == nullptr)
            return UnknownImageFormat;
        GpBitmap* bitmap = nullptr;
        EXPECT_EQ(GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppARGB,
                                            bgra.data(), &bitmap),
                  Ok);
        const Status saved = GdipSaveImageToFile(bitmap, path.c_str(), encoder, nullptr);
        EXPECT_EQ(GdipDisposeImage(bitmap), Ok);
        return saved;
    }

    ULONG_PTR token_ = 0;
    fs::path folder_;
};

Bytes PatternBgra(int width, int height)
{
    Bytes bgra;
    for (int i = 0; i < width * height; ++i)
        bgra.insert(bgra.end(), {uint8_t(i * 7), uint8_t(i * 13 + 5), uint8_t(255 - i * 3),
                                 uint8_t(40 + i * 11)});
    return bgra;
}

TEST_F(GdiplusTest, DecodesPngAndBmpIntoBgraTopRowFirst)
{
    // A pure blue pixel lies in memory as B, G, R, A = 255, 0, 0, 255.
    EXPECT_EQ(Load(Write("blue.png", MakePng(1, 1, 3, {0, 0, 255}))), (Bytes{255, 0, 0, 255}));

    const Bytes rgba = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                        13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};
    UINT width = 0;
    EXPECT_EQ(Load(Write("rgba.png", MakePng(3, 2, 4, rgba)), nullptr, &width),
              (Bytes{3,  2,  1,  4,  7,  6,  5,  8,  11, 10, 9,  12,
                     15, 14, 13, 16, 19, 18, 17, 20, 23, 22, 21, 24}));
    EXPECT_EQ(width, 3u);

    // 3 x 2 so that the BMP rows carry padding; BMP stores the bottom row first.
    const Bytes rgb = {10, 20, 30, 40, 50, 60, 70, 80, 90, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    EXPECT_EQ(Load(Write("rows.bmp", MakeBmp(3, 2, rgb))),
              (Bytes{30, 20, 10, 255, 60, 50, 40, 255, 90, 80, 70, 255,
                     3,  2,  1,  255, 6,  5,  4,  255, 9,  8,  7,  255}));
}

TEST_F(GdiplusTest, ListsEncodersByMimeTypeWithStringsInTheCallersBuffer)
{
    UINT count = 0, size = 0;
    ASSERT_EQ(GdipGetImageEncodersSize(&count, &size), Ok);
    ASSERT_EQ(count, 4u);
    std::vector<uint8_t> list(size);
    auto* codecs = reinterpret_cast<ImageCodecInfo*>(list.data());
    EXPECT_EQ(GdipGetImageEncoders(count + 1, size, codecs), GenericError);
    EXPECT_EQ(GdipGetImageEncoders(count, size - 1, codecs), GenericError);
    ASSERT_EQ(GdipGetImageEncoders(count, size, codecs), Ok);

    for (const wchar_t* mime : {L"image/png", L"image/bmp", L"image/jpeg", L"image/tga"})
        EXPECT_NE(EncoderFor(list, count, mime), nullptr) << "missing " << mime;
    EXPECT_EQ(EncoderFor(list, count, L"image/jpg"), nullptr);
    for (UINT i = 0; i < count; ++i)
    {
        const auto* mime = reinterpret_cast<const uint8_t*>(codecs[i].MimeType);
        EXPECT_GE(mime, list.data() + count * sizeof(ImageCodecInfo));
        EXPECT_LT(mime, list.data() + size);
        EXPECT_TRUE(codecs[i].Flags & ImageCodecFlagsEncoder);
    }
}

TEST_F(GdiplusTest, SavedBmpPngAndTgaLoadBackEqual)
{
    const Bytes bgra = PatternBgra(5, 3);
    for (auto [mime, name] :
         {std::pair{L"image/png", "out.png"}, {L"image/bmp", "out.bmp"}, {L"image/tga", "out.tga"}})
    {
        const std::wstring path = (folder_ / name).wstring();
        ASSERT_EQ(Save(bgra, 5, 3, mime, path), Ok) << name;
        EXPECT_EQ(Load(path), bgra) << name;
    }
}

TEST_F(GdiplusTest, SavedJpegLoadsBackClose)
{
    Bytes bgra;
    for (int i = 0; i < 16 * 16; ++i)
        bgra.insert(bgra.end(), {200, 100, 30, 255});
    const std::wstring path = (folder_ / "photo.jpg").wstring();
    ASSERT_EQ(Save(bgra, 16, 16, L"image/jpeg", path), Ok);
    const Bytes loaded = Load(path);
    ASSERT_EQ(loaded.size(), bgra.size());
    for (size_t i = 0; i < loaded.size(); ++i)
        ASSERT_NEAR(loaded[i], bgra[i], 6) << "byte " << i;
}

TEST_F(GdiplusTest, SavesUnderANonAsciiNameAndLeavesNoTemporaryFiles)
{
    const std::wstring path = folder_.wstring() + L"/bild-\u00e4\u20ac.png";
    ASSERT_EQ(Save(PatternBgra(2, 2), 2, 2, L"image/png", path), Ok);
    EXPECT_TRUE(fs::exists(folder_ / u8"bild-\u00e4\u20ac.png"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
    EXPECT_EQ(Save(PatternBgra(2, 2), 2, 2, L"image/png", (folder_ / "no/such/dir.png").wstring()),
              Win32Error);
}

TEST_F(GdiplusTest, TruncatedFilesNeverLoad)
{
    Bytes pixels(4 * 4 * 3);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = uint8_t(i * 17);
    const Bytes files[] = {MakePng(4, 4, 3, pixels), MakeBmp(4, 4, pixels)};
    for (const Bytes& file : files)
        for (size_t length = 0; length < file.size(); ++length)
        {
            Status status = Ok;
            Load(Write("cut", Truncated(file, length)), &status);
            EXPECT_NE(status, Ok) << "loaded " << length << " of " << file.size() << " bytes";
        }

    const std::wstring jpeg = (folder_ / "whole.jpg").wstring();
    ASSERT_EQ(Save(PatternBgra(32, 32), 32, 32, L"image/jpeg", jpeg), Ok);
    std::ifstream in(fs::path(jpeg), std::ios::binary);
    const Bytes whole((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (size_t length : {size_t{2}, size_t{20}, whole.size() / 2, whole.size() - 2})
    {
        Status status = Ok;
        Load(Write("cut.jpg", Truncated(whole, length)), &status);
        EXPECT_NE(status, Ok) << "loaded " << length << " of " << whole.size() << " bytes";
    }
}

TEST_F(GdiplusTest, JpegHuffmanTablesWithTooManyValuesAreRefused)
{
    // The decoder keeps at most 256 values per Huffman table; counts adding up to more used to
    // be written past the table.
    const std::wstring path = (folder_ / "tables.jpg").wstring();
    ASSERT_EQ(Save(PatternBgra(8, 8), 8, 8, L"image/jpeg", path), Ok);
    std::ifstream in(fs::path(path), std::ios::binary);
    Bytes jpeg((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t table = 0;
    while (table + 1 < jpeg.size() && !(jpeg[table] == 0xff && jpeg[table + 1] == 0xc4))
        ++table;
    ASSERT_LT(table + 21, jpeg.size());
    std::fill(jpeg.begin() + table + 5, jpeg.begin() + table + 21, 0xff);

    Status status = Ok;
    Load(Write("overfull.jpg", jpeg), &status);
    EXPECT_EQ(status, UnknownImageFormat);
}

TEST_F(GdiplusTest, BogusHeadersAndMissingFilesFail)
{
    Status status = Ok;
    // Sizes whose byte count overflows 32 bits, and ones merely too large to be real.
    Load(Write("huge.png", MakePng(0x7fffffff, 0x7fffffff, 3, {})), &status);
    EXPECT_NE(status, Ok);
    Load(Write("huge.bmp", MakeBmp(65536, 65536, {})), &status);
    EXPECT_NE(status, Ok);
    Load(Write("wide.bmp", MakeBmp(16384, 16384, {})), &status);
    EXPECT_EQ(status, OutOfMemory);
    Load(Write("negative.bmp", MakeBmp(-5, 3, {})), &status);
    EXPECT_NE(status, Ok);

    Load(Write("text.png", Bytes{'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'}),
         &status);
    EXPECT_EQ(status, UnknownImageFormat);
    Load(Write("empty.png", {}), &status);
    EXPECT_EQ(status, UnknownImageFormat);
    Load((folder_ / "missing.png").wstring(), &status);
    EXPECT_EQ(status, FileNotFound);
    Load(folder_.wstring(), &status);
    EXPECT_EQ(status, FileNotFound);
}

TEST_F(GdiplusTest, BitmapsOverCallerMemoryLockAndDispose)
{
    Bytes memory(4 * 3 * 4, 0);
    GpBitmap* bitmap = nullptr;
    EXPECT_EQ(GdipCreateBitmapFromScan0(3, 4, 11, PixelFormat32bppARGB, memory.data(), &bitmap),
              InvalidParameter);
    EXPECT_EQ(GdipCreateBitmapFromScan0(0, 4, 12, PixelFormat32bppARGB, memory.data(), &bitmap),
              InvalidParameter);
    EXPECT_EQ(GdipCreateBitmapFromScan0(100000, 100000, 0, PixelFormat32bppARGB, nullptr, &bitmap),
              OutOfMemory);
    ASSERT_EQ(GdipCreateBitmapFromScan0(3, 4, 12, PixelFormat32bppARGB, memory.data(), &bitmap),
              Ok);

    // A locked rectangle points into the caller's memory; one lock at a time.
    BitmapData data{};
    Rect corner(1, 2, 2, 2);
    ASSERT_EQ(GdipBitmapLockBits(bitmap, &corner, ImageLockModeWrite, PixelFormat32bppARGB, &data),
              Ok);
    EXPECT_EQ(data.Width, 2u);
    EXPECT_EQ(data.Stride, 12);
    static_cast<uint8_t*>(data.Scan0)[0] = 0xab;
    EXPECT_EQ(memory[2 * 12 + 1 * 4], 0xab);
    EXPECT_EQ(GdipBitmapLockBits(bitmap, nullptr, ImageLockModeRead, PixelFormat32bppARGB, &data),
              WrongState);
    EXPECT_EQ(GdipBitmapUnlockBits(bitmap, &data), Ok);
    EXPECT_EQ(GdipBitmapUnlockBits(bitmap, &data), WrongState);

    Rect outside(2, 0, 2, 1);
    EXPECT_EQ(GdipBitmapLockBits(bitmap, &outside, ImageLockModeRead, PixelFormat32bppARGB, &data),
              InvalidParameter);
    EXPECT_EQ(GdipDisposeImage(bitmap), Ok);
    EXPECT_EQ(GdipDisposeImage(bitmap), InvalidParameter);
}

TEST(GdiplusStartup, CallsNeedAStartedLibraryAndTokensNest)
{
    UINT count = 0, size = 0;
    EXPECT_EQ(GdipGetImageEncodersSize(&count, &size), GdiplusNotInitialized);

    GdiplusStartupInput input;
    ULONG_PTR first = 0, second = 0;
    ASSERT_EQ(GdiplusStartup(&first, &input, nullptr), Ok);
    ASSERT_EQ(GdiplusStartup(&second, &input, nullptr), Ok);
    GdiplusShutdown(first);
    EXPECT_EQ(GdipGetImageEncodersSize(&count, &size), Ok);
    GdiplusShutdown(second);
    EXPECT_EQ(GdipGetImageEncodersSize(&count, &size), GdiplusNotInitialized);

    input.GdiplusVersion = 9;
    EXPECT_EQ(GdiplusStartup(&first, &input, nullptr), UnsupportedGdiplusVersion);
    GdiplusStartupInput quiet(nullptr, TRUE);
    EXPECT_EQ(GdiplusStartup(&first, &quiet, nullptr), InvalidParameter);
}

} // namespace

// Fuzzes the image decoders behind the GDI+ subset: the input is written to a temporary file
// and loaded with GdipCreateBitmapFromFile. A decoded bitmap is locked and read whole, and a
// small one is saved as PNG and loaded back, which must give the same pixels.
#include "fuzz_files.h"
#include "platform/gdiplus.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace
{

struct Session
{
    ULONG_PTR token = 0;
    std::wstring input;
    std::wstring output;
    int inputFile = -1;

    Session()
    {
        GdiplusStartupInput startup;
        if (GdiplusStartup(&token, &startup, nullptr) != Ok)
            std::abort();
        std::string pattern = FuzzFiles::ScratchPattern("ov_fuzz_image_");
        inputFile = mkstemp(pattern.data());
        if (inputFile < 0)
            std::abort();
        const std::string base = pattern;
        input.assign(base.begin(), base.end());
        output = input + L".png";
    }
    ~Session()
    {
        close(inputFile);
        const std::string base(input.begin(), input.end());
        unlink(base.c_str());
        unlink((base + ".png").c_str());
        GdiplusShutdown(token);
    }
};

Session& CurrentSession()
{
    static Session session;
    return session;
}

void WriteInput(const Session& session, const uint8_t* data, size_t size)
{
    if (ftruncate(session.inputFile, 0) != 0 ||
        pwrite(session.inputFile, data, size, 0) != ssize_t(size))
        std::abort();
}

// The pixels of a decoded bitmap, checked against its reported size on the way.
std::vector<uint8_t> ReadPixels(GpBitmap* bitmap)
{
    UINT width = 0, height = 0;
    if (GdipGetImageWidth(bitmap, &width) != Ok || GdipGetImageHeight(bitmap, &height) != Ok ||
        width == 0 || height == 0)
        std::abort();
    BitmapData data{};
    if (GdipBitmapLockBits(bitmap, nullptr, ImageLockModeRead, PixelFormat32bppARGB, &data) != Ok ||
        data.Width != width || data.Height != height || data.Stride < INT(width * 4))
        std::abort();
    std::vector<uint8_t> pixels;
    for (UINT y = 0; y < height; ++y)
    {
        const auto* row = static_cast<const uint8_t*>(data.Scan0) + size_t(y) * data.Stride;
        pixels.insert(pixels.end(), row, row + size_t(width) * 4);
    }
    GdipBitmapUnlockBits(bitmap, &data);
    return pixels;
}

const CLSID& PngEncoder()
{
    static const CLSID encoder = []
    {
        UINT count = 0, size = 0;
        GdipGetImageEncodersSize(&count, &size);
        std::vector<uint8_t> list(size);
        auto* codecs = reinterpret_cast<ImageCodecInfo*>(list.data());
        GdipGetImageEncoders(count, size, codecs);
        for (UINT i = 0; i < count; ++i)
            if (std::wcscmp(codecs[i].MimeType, L"image/png") == 0)
                return codecs[i].Clsid;
        std::abort();
    }();
    return encoder;
}

void RoundTripThroughPng(const Session& session, GpBitmap* bitmap,
                         const std::vector<uint8_t>& pixels)
{
    if (GdipSaveImageToFile(bitmap, session.output.c_str(), &PngEncoder(), nullptr) != Ok)
        std::abort();
    GpBitmap* reloaded = nullptr;
    if (GdipCreateBitmapFromFile(session.output.c_str(), &reloaded) != Ok ||
        ReadPixels(reloaded) != pixels)
        std::abort();
    GdipDisposeImage(reloaded);
}

constexpr size_t kRoundTripPixels = 4096;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Session& session = CurrentSession();
    WriteInput(session, data, size);
    GpBitmap* bitmap = nullptr;
    if (GdipCreateBitmapFromFile(session.input.c_str(), &bitmap) != Ok)
        return 0;
    const std::vector<uint8_t> pixels = ReadPixels(bitmap);
    if (pixels.size() <= kRoundTripPixels * 4)
        RoundTripThroughPng(session, bitmap, pixels);
    GdipDisposeImage(bitmap);
    return 0;
}

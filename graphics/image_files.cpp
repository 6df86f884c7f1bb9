#include "graphics/image_files.h"

#include "core/ov_string.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <memory>
#include <new>
#include <vector>

namespace OvCore
{

namespace
{

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

constexpr uint32_t WIDE_CAPACITY = 1024; // characters, terminator included
constexpr size_t BYTES_PER_PIXEL = 4;

using WidePath = WCHAR[WIDE_CAPACITY];

bool Widen(const OV_STRING& text, WidePath& wide)
{
    return text.ToWide(wide, WIDE_CAPACITY);
}

// GDI+ started for the lifetime of one image.
class GdiplusSession
{
  public:
    GdiplusSession()
    {
        const GdiplusStartupInput input;
        started_ = GdiplusStartup(&token_, &input, nullptr) == Ok;
    }
    ~GdiplusSession()
    {
        if (started_)
            GdiplusShutdown(token_);
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    bool Started() const { return started_; }

  private:
    ULONG_PTR token_ = 0;
    bool started_ = false;
};

// A bitmap disposed of when it goes.
struct BitmapDisposer
{
    void operator()(GpBitmap* bitmap) const { GdipDisposeImage(bitmap); }
};
using Bitmap = std::unique_ptr<GpBitmap, BitmapDisposer>;

// A lock on a whole bitmap in 32-bit ARGB, released when it goes. Valid() only when the
// rows lie packed, width x 4 bytes apart, as the engine's pixels do.
class BitmapLock
{
  public:
    BitmapLock(GpBitmap* bitmap, UINT width, UINT height) : bitmap_(bitmap)
    {
        const GpRect whole(0, 0, static_cast<INT>(width), static_cast<INT>(height));
        locked_ = GdipBitmapLockBits(bitmap, &whole, ImageLockModeRead | ImageLockModeWrite,
                                     PixelFormat32bppARGB, &data_) == Ok;
    }
    ~BitmapLock()
    {
        if (locked_)
            GdipBitmapUnlockBits(bitmap_, &data_);
    }
    BitmapLock(const BitmapLock&) = delete;
    BitmapLock& operator=(const BitmapLock&) = delete;

    bool Valid() const
    {
        return locked_ && data_.Scan0 != nullptr && data_.Stride > 0 &&
               static_cast<uint64_t>(data_.Stride) == uint64_t{data_.Width} * BYTES_PER_PIXEL;
    }
    uint8_t* Pixels() const { return static_cast<uint8_t*>(data_.Scan0); }

  private:
    GpBitmap* bitmap_;
    BitmapData data_{};
    bool locked_ = false;
};

// width x height x 4 in bytes, or 0 when a side is not positive or the size is beyond the
// largest image the platform handles (so it can never overflow).
size_t ImageBytes(int64_t width, int64_t height)
{
    if (width < 1 || height < 1 || width > kMaxImageSide || height > kMaxImageSide ||
        static_cast<uint64_t>(width * height) > kMaxImagePixels)
        return 0;
    return static_cast<size_t>(width * height) * BYTES_PER_PIXEL;
}

// RGBA and BGRA differ in the first and third byte of every pixel.
void ExchangeRedBlue(uint8_t* pixels, size_t bytes)
{
    for (size_t i = 0; i + BYTES_PER_PIXEL <= bytes; i += BYTES_PER_PIXEL)
    {
        const uint8_t first = pixels[i];
        pixels[i] = pixels[i + 2];
        pixels[i + 2] = first;
    }
}

void CopyExchangingRedBlue(uint8_t* to, const uint8_t* from, size_t bytes)
{
    std::memcpy(to, from, bytes);
    ExchangeRedBlue(to, bytes);
}

int32_t TextureInt(OvHandle texture, int32_t query)
{
    const auto* value = static_cast<const int32_t*>(OvTextureGet(texture, query));
    return value ? *value : 0;
}

// The decoded bitmap's pixels handed to the engine as RGBA.
uint8_t UploadBitmap(OvHandle texture, GpBitmap* bitmap)
{
    UINT width = 0, height = 0;
    if (GdipGetImageWidth(bitmap, &width) != Ok || GdipGetImageHeight(bitmap, &height) != Ok)
        return 0;
    const size_t bytes = ImageBytes(width, height);
    if (bytes == 0)
        return 0;
    const BitmapLock lock(bitmap, width, height);
    if (!lock.Valid())
        return 0;
    ExchangeRedBlue(lock.Pixels(), bytes);
    return OvTextureLoadRGBAFromMemory(texture, lock.Pixels(), static_cast<int32_t>(width),
                                       static_cast<int32_t>(height));
}

// Steps 4 to 6 of saving: a bitmap over `memory` filled from the texture, then encoded.
bool EncodeLockedTexture(const uint8_t* texturePixels, int32_t width, int32_t height, size_t bytes,
                         const WidePath& path, const WidePath& mimeType)
{
    const std::unique_ptr<uint8_t[]> memory(new (std::nothrow) uint8_t[bytes]);
    if (!memory)
        return false;
    const GdiplusSession gdiplus;
    if (!gdiplus.Started())
        return false;
    GpBitmap* created = nullptr;
    if (GdipCreateBitmapFromScan0(width, height, width * static_cast<INT>(BYTES_PER_PIXEL),
                                  PixelFormat32bppARGB, memory.get(), &created) != Ok)
        return false;
    const Bitmap bitmap(created);
    {
        const BitmapLock lock(bitmap.get(), static_cast<UINT>(width), static_cast<UINT>(height));
        if (!lock.Valid())
            return false;
        CopyExchangingRedBlue(lock.Pixels(), texturePixels, bytes);
    }
    CLSID encoder{};
    if (FindEncoder(mimeType, &encoder) < 0)
        return false;
    return GdipSaveImageToFile(bitmap.get(), path, &encoder, nullptr) == Ok;
}

// `bytes` sized to n; false (left empty) when the memory cannot be had.
bool Allocate(std::vector<uint8_t>& bytes, size_t n)
{
    try
    {
        bytes.resize(n);
        return true;
    }
    catch (const std::bad_alloc&)
    {
        return false;
    }
}

} // namespace

uint8_t LoadImageTexture(OvHandle texture, const char* path)
{
    WidePath widePath;
    if (!path || !Widen(OV_STRING(path), widePath))
        return 0;
    const GdiplusSession gdiplus;
    if (!gdiplus.Started())
        return 0;
    GpBitmap* decoded = nullptr;
    if (GdipCreateBitmapFromFile(widePath, &decoded) != Ok || !decoded)
        return 0;
    const Bitmap bitmap(decoded);
    return UploadBitmap(texture, bitmap.get());
}

bool SaveTextureImage(OvHandle texture, const char* path, const char* format)
{
    OV_STRING mimeType;
    WidePath widePath, wideMimeType;
    if (!path || !format || !mimeType.Format("image/%s", format) ||
        !Widen(OV_STRING(path), widePath) || !Widen(mimeType, wideMimeType))
        return false;
    const auto* pixels = static_cast<const uint8_t*>(OvTextureLock(texture, OV_LOCK_READ_WRITE));
    if (!pixels)
        return false;
    const int32_t width = TextureInt(texture, OV_TEXTURE_WIDTH);
    const int32_t height = TextureInt(texture, OV_TEXTURE_HEIGHT);
    const size_t bytes = ImageBytes(width, height);
    // The lock must hold every pixel the size promises before a byte of it is read.
    const bool saved = bytes != 0 &&
                       static_cast<size_t>(TextureInt(texture, OV_TEXTURE_LOCKED_BYTES)) >= bytes &&
                       EncodeLockedTexture(pixels, width, height, bytes, widePath, wideMimeType);
    OvTextureUnlock(texture, 0);
    return saved;
}

int32_t FindEncoder(const WCHAR* mimeType, CLSID* classId)
{
    UINT count = 0, size = 0;
    if (!mimeType || GdipGetImageEncodersSize(&count, &size) != Ok || size == 0)
        return -1;
    // malloc: aligned for the entries that open the list.
    const std::unique_ptr<void, decltype(&std::free)> buffer(std::malloc(size), &std::free);
    if (!buffer)
        return -1;
    auto* encoders = static_cast<ImageCodecInfo*>(buffer.get());
    if (GdipGetImageEncoders(count, size, encoders) != Ok)
        return -1;
    for (UINT i = 0; i < count; ++i)
        if (encoders[i].MimeType && std::wcscmp(encoders[i].MimeType, mimeType) == 0)
        {
            if (classId)
                *classId = encoders[i].Clsid;
            return static_cast<int32_t>(i);
        }
    return -1;
}

bool SaveRenderImage(int32_t width, int32_t height, const char* path, const char* format)
{
    if (width <= 0 || height <= 0)
        return false;
    OvHandle shot{1, nullptr}, upright{1, nullptr};
    if (!OvTextureCreate(&shot))
        return false;
    std::vector<uint8_t> flipped;
    if (OvTextureFromRender(shot, 0, 0, width, height, 1))
    {
        const auto* rows = static_cast<const uint8_t*>(OvTextureLock(shot, OV_LOCK_READ_ONLY));
        const size_t rowBytes = size_t(width) * 4;
        if (rows)
        {
            if (Allocate(flipped, rowBytes * size_t(height)))
                for (int32_t y = 0; y < height; ++y)
                    std::memcpy(&flipped[size_t(y) * rowBytes],
                                rows + size_t(height - 1 - y) * rowBytes, rowBytes);
            OvTextureUnlock(shot, 0);
        }
    }
    OvTextureDestroy(shot);
    const bool saved = !flipped.empty() && OvTextureCreate(&upright) &&
                       OvTextureLoadRGBAFromMemory(upright, flipped.data(), width, height) &&
                       SaveTextureImage(upright, path, format);
    OvTextureDestroy(upright);
    return saved;
}

} // namespace OvCore

// The GDI+ flat subset: start-up tokens, bitmaps held in PixelFormat32bppARGB, locking, the
// encoder list and saving. Decoding and encoding are in gdiplus_codec.cpp, file access in
// gdiplus_files.cpp.
#include "platform/gdiplus.h"

#include "platform/src/gdiplus_codec.h"
#include "platform/src/gdiplus_files.h"

#include <cstring>
#include <cwchar>
#include <memory>
#include <mutex>
#include <new>
#include <set>
#include <unordered_set>

using namespace Gdiplus;

namespace
{

struct PlatformBitmap final : GpBitmap
{
    uint32_t width = 0;
    uint32_t height = 0;
    size_t stride = 0;
    std::vector<uint8_t> ownPixels; // empty when the pixels are the caller's
    uint8_t* pixels = nullptr;
    bool locked = false;
};

// Start-up tokens and live images. Images are tracked so that a stale or foreign pointer is
// refused instead of freed or written through.
struct GdiplusState
{
    std::mutex mutex;
    std::set<ULONG_PTR> tokens;
    ULONG_PTR nextToken = 1;
    std::unordered_set<const GpImage*> images;
};

GdiplusState& State()
{
    static GdiplusState state;
    return state;
}

bool Started()
{
    std::lock_guard lock(State().mutex);
    return !State().tokens.empty();
}

PlatformBitmap* LiveBitmap(GpImage* image)
{
    std::lock_guard lock(State().mutex);
    if (image == nullptr || State().images.count(image) == 0)
        return nullptr;
    return static_cast<PlatformBitmap*>(image);
}

Status Publish(std::unique_ptr<PlatformBitmap> bitmap, GpBitmap** out)
{
    try
    {
        std::lock_guard lock(State().mutex);
        State().images.insert(bitmap.get());
    }
    catch (const std::bad_alloc&)
    {
        return OutOfMemory;
    }
    *out = bitmap.release();
    return Ok;
}

Status WINAPI HookNotification(ULONG_PTR* token)
{
    if (token == nullptr)
        return InvalidParameter;
    *token = 1;
    return Ok;
}

void WINAPI UnhookNotification(ULONG_PTR) {}

const OvPlatform::EncoderEntry* FindEncoderEntry(const CLSID& clsid)
{
    for (const auto& entry : OvPlatform::Encoders())
        if (std::memcmp(&entry.clsid, &clsid, sizeof(CLSID)) == 0)
            return &entry;
    return nullptr;
}

size_t WideBytes(const wchar_t* text)
{
    return (std::wcslen(text) + 1) * sizeof(WCHAR);
}

size_t EncoderStringBytes(const OvPlatform::EncoderEntry& entry)
{
    return WideBytes(entry.codecName) + WideBytes(entry.formatDescription) +
           WideBytes(entry.filenameExtension) + WideBytes(entry.mimeType);
}

// Copies `text` to `tail` and returns where it went; `tail` moves past it.
const WCHAR* CopyWide(const wchar_t* text, uint8_t*& tail)
{
    const size_t bytes = WideBytes(text);
    std::memcpy(tail, text, bytes);
    const auto* copy = reinterpret_cast<const WCHAR*>(tail);
    tail += bytes;
    return copy;
}

bool LockRectangle(const PlatformBitmap& bitmap, const GpRect* rect, GpRect& out)
{
    if (rect == nullptr)
    {
        out = GpRect(0, 0, static_cast<INT>(bitmap.width), static_cast<INT>(bitmap.height));
        return true;
    }
    out = *rect;
    return out.X >= 0 && out.Y >= 0 && out.Width >= 1 && out.Height >= 1 &&
           int64_t{out.X} + out.Width <= bitmap.width &&
           int64_t{out.Y} + out.Height <= bitmap.height;
}

} // namespace

namespace Gdiplus
{

Status WINAPI GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input,
                             GdiplusStartupOutput* output)
{
    if (token == nullptr || input == nullptr)
        return InvalidParameter;
    if (input->GdiplusVersion < 1 || input->GdiplusVersion > 3)
        return UnsupportedGdiplusVersion;
    if (input->SuppressBackgroundThread)
    {
        if (output == nullptr)
            return InvalidParameter;
        output->NotificationHook = HookNotification;
        output->NotificationUnhook = UnhookNotification;
    }
    try
    {
        std::lock_guard lock(State().mutex);
        *token = State().nextToken++;
        State().tokens.insert(*token);
    }
    catch (const std::bad_alloc&)
    {
        return OutOfMemory;
    }
    return Ok;
}

void WINAPI GdiplusShutdown(ULONG_PTR token)
{
    std::lock_guard lock(State().mutex);
    State().tokens.erase(token);
}

namespace DllExports
{

GpStatus WINGDIPAPI GdipCreateBitmapFromFile(GDIPCONST WCHAR* filename, GpBitmap** bitmap)
{
    if (filename == nullptr || bitmap == nullptr)
        return InvalidParameter;
    if (!Started())
        return GdiplusNotInitialized;
    std::vector<uint8_t> file;
    if (const Status status = OvPlatform::ReadImageFile(filename, file); status != Ok)
        return status;

    OvPlatform::DecodedImage decoded;
    if (const Status status = OvPlatform::DecodeBgraImage(file.data(), file.size(), decoded);
        status != Ok)
        return status;
    auto created = std::make_unique<PlatformBitmap>();
    created->width = decoded.width;
    created->height = decoded.height;
    created->stride = size_t{decoded.width} * 4;
    created->ownPixels = std::move(decoded.bgra);
    created->pixels = created->ownPixels.data();
    return Publish(std::move(created), bitmap);
}

GpStatus WINGDIPAPI GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format,
                                              BYTE* scan0, GpBitmap** bitmap)
{
    if (bitmap == nullptr || width < 1 || height < 1)
        return InvalidParameter;
    if (!Started())
        return GdiplusNotInitialized;
    if (format != PixelFormat32bppARGB)
        return NotImplemented;
    if (!OvPlatform::ImageSizeAllowed(width, height))
        return OutOfMemory;
    const size_t rowBytes = size_t(width) * 4;
    if (scan0 != nullptr && (stride < 0 || size_t(stride) < rowBytes || stride % 4 != 0))
        return InvalidParameter;

    auto created = std::make_unique<PlatformBitmap>();
    created->width = static_cast<uint32_t>(width);
    created->height = static_cast<uint32_t>(height);
    if (scan0 != nullptr)
    {
        created->stride = size_t(stride);
        created->pixels = scan0;
    }
    else
    {
        created->stride = rowBytes;
        try
        {
            created->ownPixels.assign(rowBytes * size_t(height), 0);
        }
        catch (const std::bad_alloc&)
        {
            return OutOfMemory;
        }
        created->pixels = created->ownPixels.data();
    }
    return Publish(std::move(created), bitmap);
}

GpStatus WINGDIPAPI GdipBitmapLockBits(GpBitmap* bitmap, GDIPCONST GpRect* rect, UINT flags,
                                       PixelFormat format, BitmapData* lockedBitmapData)
{
    PlatformBitmap* target = LiveBitmap(bitmap);
    if (target == nullptr || lockedBitmapData == nullptr)
        return InvalidParameter;
    if (!Started())
        return GdiplusNotInitialized;
    if ((flags & (ImageLockModeRead | ImageLockModeWrite)) == 0)
        return InvalidParameter;
    if ((flags & ImageLockModeUserInputBuf) != 0 || format != PixelFormat32bppARGB)
        return NotImplemented;
    if (target->locked)
        return WrongState;
    GpRect area;
    if (!LockRectangle(*target, rect, area))
        return InvalidParameter;

    lockedBitmapData->Width = static_cast<UINT>(area.Width);
    lockedBitmapData->Height = static_cast<UINT>(area.Height);
    lockedBitmapData->Stride = static_cast<INT>(target->stride);
    lockedBitmapData->PixelFormat = PixelFormat32bppARGB;
    lockedBitmapData->Scan0 = target->pixels + size_t(area.Y) * target->stride + size_t(area.X) * 4;
    lockedBitmapData->Reserved = 0;
    target->locked = true;
    return Ok;
}

GpStatus WINGDIPAPI GdipBitmapUnlockBits(GpBitmap* bitmap, BitmapData* lockedBitmapData)
{
    PlatformBitmap* target = LiveBitmap(bitmap);
    if (target == nullptr || lockedBitmapData == nullptr)
        return InvalidParameter;
    if (!Started())
        return GdiplusNotInitialized;
    if (!target->locked)
        return WrongState;
    target->locked = false;
    return Ok;
}

GpStatus WINGDIPAPI GdipGetImageWidth(GpImage* image, UINT* width)
{
    const PlatformBitmap* target = LiveBitmap(image);
    if (target == nullptr || width == nullptr)
        return InvalidParameter;
    if (!Started())
        return GdiplusNotInitialized;
    *width = target->width;
    return Ok;
}

GpStatus WINGDIPAPI GdipGetImageHeight(GpImage* image, UINT* height)
{
    const PlatformBitmap* target = LiveBitmap(image);
    if (target == nullptr || height == nullptr)
        return InvalidParameter;
    if (!Started())
        return GdiplusNotInitialized;
    *height = target->height;
    return Ok;
}

GpStatus WINGDIPAPI GdipGetImageEncodersSize(UINT* numEncoders, UINT* size)
{
    if (numEncoders == nullptr || size == nullptr)
        return InvalidParameter;
    if (!Started())
        return GdiplusNotInitialized;
    size_t bytes = 0;
    for (const auto& entry : OvPlatform::Encoders())
        bytes += sizeof(ImageCodecInfo) + EncoderStringBytes(entry);
    *numEncoders = static_cast<UINT>(OvPlatform::Encoders().size());
    *size = static_cast<UINT>(bytes);
    return Ok;
}

GpStatus WINGDIPAPI GdipGetImageEncoders(UINT numEncoders, UINT size, ImageCodecInfo* encoders)
{
    if (encoders == nullptr)
        return InvalidParameter;
    UINT expectedCount = 0, expectedSize = 0;
    if (const Status status = GdipGetImageEncodersSize(&expectedCount, &expectedSize); status != Ok)
        return status;
    if (numEncoders != expectedCount || size < expectedSize)
        return GenericError;

    // The entries first, their strings after them in the same buffer.
    auto* tail = reinterpret_cast<uint8_t*>(encoders + numEncoders);
    for (const auto& entry : OvPlatform::Encoders())
    {
        ImageCodecInfo& info = *encoders++;
        info = ImageCodecInfo{};
        info.Clsid = entry.clsid;
        info.FormatID = entry.formatId;
        info.CodecName = CopyWide(entry.codecName, tail);
        info.FormatDescription = CopyWide(entry.formatDescription, tail);
        info.FilenameExtension = CopyWide(entry.filenameExtension, tail);
        info.MimeType = CopyWide(entry.mimeType, tail);
        info.Flags = ImageCodecFlagsEncoder | ImageCodecFlagsDecoder |
                     ImageCodecFlagsSupportBitmap | ImageCodecFlagsBuiltin;
        info.Version = 1;
    }
    return Ok;
}

GpStatus WINGDIPAPI GdipSaveImageToFile(GpImage* image, GDIPCONST WCHAR* filename,
                                        GDIPCONST CLSID* clsidEncoder,
                                        GDIPCONST EncoderParameters* encoderParams)
{
    const PlatformBitmap* source = LiveBitmap(image);
    if (source == nullptr || filename == nullptr || clsidEncoder == nullptr)
        return InvalidParameter;
    if (!Started())
        return GdiplusNotInitialized;
    if (encoderParams != nullptr && encoderParams->Count != 0)
        return NotImplemented;
    if (source->locked)
        return WrongState;
    const OvPlatform::EncoderEntry* encoder = FindEncoderEntry(*clsidEncoder);
    if (encoder == nullptr)
        return UnknownImageFormat;

    std::vector<uint8_t> file;
    if (!OvPlatform::EncodeBgraImage(encoder->kind, source->width, source->height, source->pixels,
                                     source->stride, file))
        return OutOfMemory;
    return OvPlatform::WriteImageFile(filename, file);
}

GpStatus WINGDIPAPI GdipDisposeImage(GpImage* image)
{
    std::unique_ptr<PlatformBitmap> disposed;
    {
        std::lock_guard lock(State().mutex);
        if (image == nullptr || State().images.erase(image) == 0)
            return InvalidParameter;
        disposed.reset(static_cast<PlatformBitmap*>(image));
    }
    return Ok;
}

} // namespace DllExports
} // namespace Gdiplus

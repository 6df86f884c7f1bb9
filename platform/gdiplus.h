// The GDI+ flat subset the framework's image-file code calls (start-up, bitmaps from files and
// from memory, locking bits in 32-bit ARGB, the encoder list and saving), with GDI+ names,
// types and constants. On Windows this includes the real headers; elsewhere libovplatform
// implements it with stb_image (PNG, BMP, JPEG, TGA, GIF) and stb_image_write (encoders
// image/png, image/bmp, image/jpeg, image/tga). Used by graphics/ (image files, fonts).
//
// Differences from Windows, all for arguments the framework never passes: WCHAR is wchar_t,
// which is 32 bits here (one code point per character; file names are handed to the system
// as UTF-8); bitmaps exist only in PixelFormat32bppARGB; locks and new bitmaps need a positive
// stride; encoder parameters are not supported; images larger than kMaxImageSide pixels on a
// side or kMaxImagePixels in all are refused (OutOfMemory).
#pragma once

#ifdef _WIN32
#include "platform/win32.h" // first: GDI+'s headers need the Windows types

#include <gdiplus.h>

#include <cstdint>

// The largest image the framework decodes or creates, as on the other systems.
constexpr UINT kMaxImageSide = 16384;
constexpr uint64_t kMaxImagePixels = 64ull * 1024 * 1024;
#else

#include "platform/win32.h"

#include <cstdint>

typedef int INT;
typedef uint32_t UINT32;
typedef uint32_t ULONG;
typedef uintptr_t UINT_PTR;
typedef wchar_t WCHAR;

typedef GUID CLSID; // GUID comes from platform/win32.h

#ifndef WINGDIPAPI
#define WINGDIPAPI
#endif
#ifndef GDIPCONST
#define GDIPCONST const
#endif

namespace Gdiplus
{

enum Status
{
    Ok = 0,
    GenericError = 1,
    InvalidParameter = 2,
    OutOfMemory = 3,
    ObjectBusy = 4,
    InsufficientBuffer = 5,
    NotImplemented = 6,
    Win32Error = 7,
    WrongState = 8,
    Aborted = 9,
    FileNotFound = 10,
    ValueOverflow = 11,
    AccessDenied = 12,
    UnknownImageFormat = 13,
    FontFamilyNotFound = 14,
    FontStyleNotFound = 15,
    NotTrueTypeFont = 16,
    UnsupportedGdiplusVersion = 17,
    GdiplusNotInitialized = 18,
    PropertyNotFound = 19,
    PropertyNotSupported = 20,
};
typedef Status GpStatus;

// Opaque objects, as GDI+ declares them: a bitmap is an image.
class GpImage
{
};
class GpBitmap : public GpImage
{
};

typedef INT PixelFormat;
constexpr PixelFormat PixelFormatIndexed = 0x00010000;
constexpr PixelFormat PixelFormatGDI = 0x00020000;
constexpr PixelFormat PixelFormatAlpha = 0x00040000;
constexpr PixelFormat PixelFormatCanonical = 0x00200000;
// 2498570; lies in memory as blue, green, red, alpha.
constexpr PixelFormat PixelFormat32bppARGB =
    10 | (32 << 8) | PixelFormatAlpha | PixelFormatGDI | PixelFormatCanonical;

// The largest image the platform decodes or creates.
constexpr UINT kMaxImageSide = 16384;
constexpr uint64_t kMaxImagePixels = 64ull * 1024 * 1024;

enum ImageLockMode
{
    ImageLockModeRead = 1,
    ImageLockModeWrite = 2,
    ImageLockModeUserInputBuf = 4,
};

class Rect
{
  public:
    Rect() : X(0), Y(0), Width(0), Height(0) {}
    Rect(INT x, INT y, INT width, INT height) : X(x), Y(y), Width(width), Height(height) {}
    INT X;
    INT Y;
    INT Width;
    INT Height;
};
typedef Rect GpRect;

class BitmapData
{
  public:
    UINT Width;
    UINT Height;
    INT Stride;
    Gdiplus::PixelFormat PixelFormat;
    void* Scan0;
    UINT_PTR Reserved;
};

enum ImageCodecFlags
{
    ImageCodecFlagsEncoder = 0x00000001,
    ImageCodecFlagsDecoder = 0x00000002,
    ImageCodecFlagsSupportBitmap = 0x00000004,
    ImageCodecFlagsBuiltin = 0x00010000,
};

// One entry of the encoder list. The strings live in the caller's buffer, after the entries.
class ImageCodecInfo
{
  public:
    CLSID Clsid;
    GUID FormatID;
    const WCHAR* CodecName;
    const WCHAR* DllName;
    const WCHAR* FormatDescription;
    const WCHAR* FilenameExtension;
    const WCHAR* MimeType;
    DWORD Flags;
    DWORD Version;
    DWORD SigCount;
    DWORD SigSize;
    const BYTE* SigPattern;
    const BYTE* SigMask;
};

class EncoderParameter
{
  public:
    GUID Guid;
    ULONG NumberOfValues;
    ULONG Type;
    void* Value;
};

class EncoderParameters
{
  public:
    UINT Count;
    EncoderParameter Parameter[1];
};

enum DebugEventLevel
{
    DebugEventLevelFatal,
    DebugEventLevelWarning,
};
typedef void(WINAPI* DebugEventProc)(DebugEventLevel level, CHAR* message);
typedef Status(WINAPI* NotificationHookProc)(ULONG_PTR* token);
typedef void(WINAPI* NotificationUnhookProc)(ULONG_PTR token);

struct GdiplusStartupInput
{
    UINT32 GdiplusVersion;
    DebugEventProc DebugEventCallback;
    BOOL SuppressBackgroundThread;
    BOOL SuppressExternalCodecs;

    GdiplusStartupInput(DebugEventProc debugEventCallback = nullptr,
                        BOOL suppressBackgroundThread = FALSE, BOOL suppressExternalCodecs = FALSE)
        : GdiplusVersion(1), DebugEventCallback(debugEventCallback),
          SuppressBackgroundThread(suppressBackgroundThread),
          SuppressExternalCodecs(suppressExternalCodecs)
    {
    }
};

// Filled when the background thread is suppressed. There is no background thread here, so
// the hooks only hand out and take back a token.
struct GdiplusStartupOutput
{
    NotificationHookProc NotificationHook;
    NotificationUnhookProc NotificationUnhook;
};

// Every other call needs GDI+ started (GdiplusNotInitialized otherwise), except
// GdipDisposeImage. Start-ups nest; each token is shut down once.
OV_PLATFORM_API Status WINAPI GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input,
                                             GdiplusStartupOutput* output);
OV_PLATFORM_API void WINAPI GdiplusShutdown(ULONG_PTR token);

namespace DllExports
{

// Decodes a PNG, BMP, JPEG, TGA or GIF (first frame) file. FileNotFound when it cannot be
// opened, UnknownImageFormat when it is not a complete image of those formats, OutOfMemory
// when it is too large.
OV_PLATFORM_API GpStatus WINGDIPAPI GdipCreateBitmapFromFile(GDIPCONST WCHAR* filename,
                                                             GpBitmap** bitmap);

// A bitmap over the caller's memory (`scan0`, which must outlive it) or, with a null scan0,
// over zeroed memory of its own. Only PixelFormat32bppARGB.
OV_PLATFORM_API GpStatus WINGDIPAPI GdipCreateBitmapFromScan0(INT width, INT height, INT stride,
                                                              PixelFormat format, BYTE* scan0,
                                                              GpBitmap** bitmap);

// Locks `rect` (the whole bitmap when null) in PixelFormat32bppARGB; the data points straight
// into the bitmap's pixels. One lock at a time (WrongState otherwise).
OV_PLATFORM_API GpStatus WINGDIPAPI GdipBitmapLockBits(GpBitmap* bitmap, GDIPCONST GpRect* rect,
                                                       UINT flags, PixelFormat format,
                                                       BitmapData* lockedBitmapData);
OV_PLATFORM_API GpStatus WINGDIPAPI GdipBitmapUnlockBits(GpBitmap* bitmap,
                                                         BitmapData* lockedBitmapData);

OV_PLATFORM_API GpStatus WINGDIPAPI GdipGetImageWidth(GpImage* image, UINT* width);
OV_PLATFORM_API GpStatus WINGDIPAPI GdipGetImageHeight(GpImage* image, UINT* height);

// The encoder list: first its entry count and byte size, then the entries into a buffer of
// that size.
OV_PLATFORM_API GpStatus WINGDIPAPI GdipGetImageEncodersSize(UINT* numEncoders, UINT* size);
OV_PLATFORM_API GpStatus WINGDIPAPI GdipGetImageEncoders(UINT numEncoders, UINT size,
                                                         ImageCodecInfo* encoders);

// Encodes with the encoder whose Clsid is given (a list entry's). Parameters must be null or
// empty (NotImplemented otherwise). Win32Error when the file cannot be written.
OV_PLATFORM_API GpStatus WINGDIPAPI GdipSaveImageToFile(GpImage* image, GDIPCONST WCHAR* filename,
                                                        GDIPCONST CLSID* clsidEncoder,
                                                        GDIPCONST EncoderParameters* encoderParams);

// Frees the image. InvalidParameter for a pointer that is not a live image (so disposing
// twice is harmless).
OV_PLATFORM_API GpStatus WINGDIPAPI GdipDisposeImage(GpImage* image);

} // namespace DllExports
} // namespace Gdiplus

#endif // _WIN32

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
constexpr UINT kMaxImageSide = 16384;                     // pixels on either side
constexpr uint64_t kMaxImagePixels = 64ull * 1024 * 1024; // pixels in all
#else

#include "platform/win32.h"

#include <cstdint>

typedef int INT;            // a signed 32-bit integer, as GDI+ names it
typedef uint32_t UINT32;    // an unsigned 32-bit integer
typedef uint32_t ULONG;     // an unsigned 32-bit integer (32 bits here as on Windows)
typedef uintptr_t UINT_PTR; // an unsigned integer as wide as a pointer
typedef wchar_t WCHAR;      // a wide character: 32 bits here, one code point each

typedef GUID CLSID; // GUID comes from platform/win32.h

#ifndef WINGDIPAPI
// The flat functions' calling convention on Windows; nothing here.
#define WINGDIPAPI
#endif
#ifndef GDIPCONST
// Marks the flat functions' read-only pointer arguments.
#define GDIPCONST const
#endif

namespace Gdiplus
{

// What every call returns; the values the platform never returns keep their GDI+ numbers.
enum Status
{
    Ok = 0,                  // the call did what it was asked
    GenericError = 1,        // an encoder list request whose count or size is wrong
    InvalidParameter = 2,    // a null, unknown or out-of-range argument
    OutOfMemory = 3,         // no memory, or an image beyond kMaxImageSide/kMaxImagePixels
    ObjectBusy = 4,          // never returned here
    InsufficientBuffer = 5,  // never returned here
    NotImplemented = 6,      // another pixel format, a caller's lock buffer, encoder parameters
    Win32Error = 7,          // the file could not be written
    WrongState = 8,          // a lock while locked, an unlock without one, saving while locked
    Aborted = 9,             // never returned here
    FileNotFound = 10,       // the file could not be opened
    ValueOverflow = 11,      // never returned here
    AccessDenied = 12,       // the file may not be read
    UnknownImageFormat = 13, // not a complete PNG, BMP, JPEG, TGA or GIF image
    FontFamilyNotFound = 14, // never returned here
    FontStyleNotFound = 15,  // never returned here
    NotTrueTypeFont = 16,    // never returned here
    UnsupportedGdiplusVersion = 17, // a start-up asking for a version other than 1 to 3
    GdiplusNotInitialized = 18,     // a call before GdiplusStartup (or after the last shutdown)
    PropertyNotFound = 19,          // never returned here
    PropertyNotSupported = 20,      // never returned here
};
typedef Status GpStatus; // the flat functions' name for Status

// Opaque objects, as GDI+ declares them: a bitmap is an image.
class GpImage
{
};
// A bitmap of 32-bit ARGB pixels, made by GdipCreateBitmapFromFile or ...FromScan0.
class GpBitmap : public GpImage
{
};

// A pixel format code: an index, the bits per pixel (times 256) and the flags below.
typedef INT PixelFormat;
constexpr PixelFormat PixelFormatIndexed = 0x00010000;   // flag: pixels index a palette
constexpr PixelFormat PixelFormatGDI = 0x00020000;       // flag: a format GDI also knows
constexpr PixelFormat PixelFormatAlpha = 0x00040000;     // flag: pixels carry alpha
constexpr PixelFormat PixelFormatCanonical = 0x00200000; // flag: one of the canonical formats
// 2498570; lies in memory as blue, green, red, alpha.
constexpr PixelFormat PixelFormat32bppARGB =
    10 | (32 << 8) | PixelFormatAlpha | PixelFormatGDI | PixelFormatCanonical;

// The largest image the platform decodes or creates.
constexpr UINT kMaxImageSide = 16384;                     // pixels on either side
constexpr uint64_t kMaxImagePixels = 64ull * 1024 * 1024; // pixels in all

// GdipBitmapLockBits flags: read, write or both (the data is the pixels themselves either way).
enum ImageLockMode
{
    ImageLockModeRead = 1,         // the caller reads the locked pixels
    ImageLockModeWrite = 2,        // the caller writes the locked pixels
    ImageLockModeUserInputBuf = 4, // the caller's own buffer: not supported (NotImplemented)
};

// A rectangle of pixels: its top-left corner and size.
class Rect
{
  public:
    Rect() : X(0), Y(0), Width(0), Height(0) {}
    // The rectangle from (x, y), `width` by `height` pixels.
    Rect(INT x, INT y, INT width, INT height) : X(x), Y(y), Width(width), Height(height) {}
    INT X;      // left column, 0 at the bitmap's left edge
    INT Y;      // top row, 0 at the bitmap's top
    INT Width;  // columns
    INT Height; // rows
};
typedef Rect GpRect; // the flat functions' name for Rect

// What GdipBitmapLockBits fills: where the locked rectangle's pixels are.
class BitmapData
{
  public:
    UINT Width;                       // columns locked
    UINT Height;                      // rows locked
    INT Stride;                       // bytes from one row to the next (positive: top row first)
    Gdiplus::PixelFormat PixelFormat; // always PixelFormat32bppARGB
    void* Scan0;                      // the locked rectangle's top-left pixel, in the bitmap
    UINT_PTR Reserved;                // 0
};

// ImageCodecInfo::Flags bits; every entry of the encoder list has all four.
enum ImageCodecFlags
{
    ImageCodecFlagsEncoder = 0x00000001,       // it saves images
    ImageCodecFlagsDecoder = 0x00000002,       // it reads images
    ImageCodecFlagsSupportBitmap = 0x00000004, // it handles bitmaps
    ImageCodecFlagsBuiltin = 0x00010000,       // it is part of the platform
};

// One entry of the encoder list. The strings live in the caller's buffer, after the entries.
class ImageCodecInfo
{
  public:
    CLSID Clsid;                    // the encoder's id, which GdipSaveImageToFile takes
    GUID FormatID;                  // the file format's id
    const WCHAR* CodecName;         // the encoder's name
    const WCHAR* DllName;           // null: built in
    const WCHAR* FormatDescription; // the format's short name ("PNG")
    const WCHAR* FilenameExtension; // the format's file patterns ("*.PNG")
    const WCHAR* MimeType;          // "image/png", "image/bmp", "image/jpeg" or "image/tga"
    DWORD Flags;                    // ImageCodecFlags bits
    DWORD Version;                  // 1
    DWORD SigCount;                 // 0: no signatures listed
    DWORD SigSize;                  // 0
    const BYTE* SigPattern;         // null
    const BYTE* SigMask;            // null
};

// One encoder setting (quality, compression...); saving refuses any (NotImplemented).
class EncoderParameter
{
  public:
    GUID Guid;            // which setting
    ULONG NumberOfValues; // values at Value
    ULONG Type;           // the values' type
    void* Value;          // the values
};

// The settings handed to GdipSaveImageToFile: null or a Count of 0 here.
class EncoderParameters
{
  public:
    UINT Count;                    // settings in Parameter
    EncoderParameter Parameter[1]; // the first of Count settings
};

// How grave a debug event is; the platform raises none.
enum DebugEventLevel
{
    DebugEventLevelFatal,   // an error GDI+ cannot go on from
    DebugEventLevelWarning, // a problem worth telling
};
// A start-up's debug callback; stored, never called here.
typedef void(WINAPI* DebugEventProc)(DebugEventLevel level, CHAR* message);
// Hands out a token for the caller's own notification loop (there is no background thread).
typedef Status(WINAPI* NotificationHookProc)(ULONG_PTR* token);
// Takes back a token NotificationHookProc handed out.
typedef void(WINAPI* NotificationUnhookProc)(ULONG_PTR token);

// What GdiplusStartup is asked for.
struct GdiplusStartupInput
{
    UINT32 GdiplusVersion;             // 1 to 3 (UnsupportedGdiplusVersion otherwise)
    DebugEventProc DebugEventCallback; // may be null; never called here
    BOOL SuppressBackgroundThread;     // TRUE: GdiplusStartupOutput receives the hooks
    BOOL SuppressExternalCodecs;       // ignored: there are only built-in codecs

    // Version 1 with the given callback and switches.
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
    NotificationHookProc NotificationHook;     // hands out a token
    NotificationUnhookProc NotificationUnhook; // takes it back
};

// Every other call needs GDI+ started (GdiplusNotInitialized otherwise), except
// GdipDisposeImage. Start-ups nest; each token is shut down once.
OV_PLATFORM_API Status WINAPI GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input,
                                             GdiplusStartupOutput* output);
// Ends the start-up that handed out `token`; unknown or spent tokens are ignored.
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
// Ends the lock (the pixels were changed in place); WrongState when the bitmap is not locked.
OV_PLATFORM_API GpStatus WINGDIPAPI GdipBitmapUnlockBits(GpBitmap* bitmap,
                                                         BitmapData* lockedBitmapData);

// The image's width in pixels.
OV_PLATFORM_API GpStatus WINGDIPAPI GdipGetImageWidth(GpImage* image, UINT* width);
// The image's height in pixels.
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

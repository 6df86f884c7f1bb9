// The Win32 subset the framework calls, with Win32 names, types, struct layouts and constants.
// The framework (core/ and the other framework folders) includes only this header to reach the
// operating system's windows, message queue, cursor, timers, display settings, tray icons and
// module resources. On Windows it includes the real headers; elsewhere libovplatform
// implements it on SDL2 and POSIX (docs/platform.md says what each call can and cannot do).
#pragma once

#ifdef _WIN32
#include <windows.h> // first: the other system headers need its types

#include <shellapi.h>
#include <shlobj.h> // the folder dialog
// The framework's OV_FONT::LoadImage, not the system's A/W switch (it calls LoadImageA by name).
#undef LoadImage
#ifndef GET_X_LPARAM // from <windowsx.h>, which brings much else
#define GET_X_LPARAM(lp) ((int)(short)LOWORD(lp))
#define GET_Y_LPARAM(lp) ((int)(short)HIWORD(lp))
#endif
#else

#include <cstddef>
#include <cstdint>

// What libovplatform exports: the functions this header, platform/gdiplus.h, platform/native.h
// and platform/testing.h declare with it, and nothing else (the library is built with hidden
// visibility; scripts/check-symbols.sh holds it to these declarations).
#define OV_PLATFORM_API __attribute__((visibility("default")))

// ---- basic types -------------------------------------------------------------------------
typedef int BOOL;            // a truth value: 0 is FALSE, anything else true
typedef unsigned char BYTE;  // an unsigned 8-bit integer
typedef unsigned short WORD; // an unsigned 16-bit integer
typedef unsigned short ATOM; // a window class number from RegisterClassExA (0xC000 on)
typedef unsigned int UINT;   // an unsigned 32-bit integer (message numbers, flags)
typedef uint32_t DWORD;      // an unsigned 32-bit integer (codes, sizes, times)
typedef int32_t LONG;        // a signed 32-bit integer, 32 bits here as on Windows
typedef int64_t LONGLONG;    // a signed 64-bit integer
typedef uintptr_t ULONG_PTR; // an unsigned integer as wide as a pointer
typedef char CHAR;           // a byte of text (UTF-8 here)
typedef const char* LPCSTR;  // a zero-terminated string the call only reads
typedef char* LPSTR;         // a zero-terminated string buffer the call may fill
typedef void* LPVOID;        // an untyped pointer
typedef uintptr_t WPARAM;    // a message's first parameter, pointer-sized
typedef intptr_t LPARAM;     // a message's second parameter, pointer-sized
typedef intptr_t LRESULT;    // a window procedure's answer, pointer-sized
typedef intptr_t LONG_PTR;   // a signed integer as wide as a pointer
typedef uint32_t COLORREF;   // a colour as 0x00bbggrr (RGB builds one)

// BOOL's true; callers test for non-zero, as a BOOL result may be any non-zero value.
#define TRUE 1
// BOOL's false.
#define FALSE 0
// Calling conventions of the Windows headers: nothing here, kept so declarations match.
#define WINAPI
#define CALLBACK
#define APIENTRY

// Handles are opaque pointers, one distinct type each, as on Windows.
#define OV_DECLARE_HANDLE(name) typedef struct name##__* name
OV_DECLARE_HANDLE(HWND);
OV_DECLARE_HANDLE(HINSTANCE);
OV_DECLARE_HANDLE(HICON);
OV_DECLARE_HANDLE(HCURSOR);
OV_DECLARE_HANDLE(HBRUSH);
OV_DECLARE_HANDLE(HMENU);
OV_DECLARE_HANDLE(HDC);
OV_DECLARE_HANDLE(HRSRC);
OV_DECLARE_HANDLE(HGLOBAL);
OV_DECLARE_HANDLE(HKEY);
#undef OV_DECLARE_HANDLE
typedef HINSTANCE HMODULE;

// ---- word and resource helpers -------------------------------------------------------------
// The low 16 bits of a value.
#define LOWORD(l) ((WORD)(((ULONG_PTR)(l)) & 0xffff))
// Bits 16 to 31 of a value.
#define HIWORD(l) ((WORD)((((ULONG_PTR)(l)) >> 16) & 0xffff))
// A 32-bit value of low word `a` and high word `b`.
#define MAKELONG(a, b)                                                                             \
    ((LONG)(((WORD)(((ULONG_PTR)(a)) & 0xffff)) | ((DWORD)((WORD)(((ULONG_PTR)(b)) & 0xffff)))     \
                                                      << 16))
// A WPARAM of two words, as MAKELONG.
#define MAKEWPARAM(l, h) ((WPARAM)(DWORD)MAKELONG(l, h))
// An LPARAM of two words, as MAKELONG.
#define MAKELPARAM(l, h) ((LPARAM)(DWORD)MAKELONG(l, h))
// The signed x of a mouse message's lParam (it may be negative).
#define GET_X_LPARAM(lp) ((int)(short)LOWORD(lp))
// The signed y of a mouse message's lParam.
#define GET_Y_LPARAM(lp) ((int)(short)HIWORD(lp))
// WM_MOUSEWHEEL's turn: WHEEL_DELTA per notch, positive away from the user.
#define GET_WHEEL_DELTA_WPARAM(wParam) ((short)HIWORD(wParam))
// The wheel turn of one notch.
#define WHEEL_DELTA 120
// A COLORREF of red, green and blue, 0 to 255 each.
#define RGB(r, g, b)                                                                               \
    ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
// The red of a COLORREF.
#define GetRValue(rgb) ((BYTE)(rgb))
// The green of a COLORREF.
#define GetGValue(rgb) ((BYTE)(((WORD)(rgb)) >> 8))
// The blue of a COLORREF.
#define GetBValue(rgb) ((BYTE)((rgb) >> 16))

// True when a resource name is a number (below 65536) rather than a string's address.
#define IS_INTRESOURCE(r) ((((ULONG_PTR)(r)) >> 16) == 0)
// A resource number passed where a name string is expected.
#define MAKEINTRESOURCEA(i) ((LPSTR)((ULONG_PTR)((WORD)(i))))
// The same (this subset has only the A forms).
#define MAKEINTRESOURCE MAKEINTRESOURCEA
// A class atom from RegisterClassExA passed where a class name is expected.
#define MAKEINTATOM(i) ((LPSTR)((ULONG_PTR)((WORD)(i))))

// Predefined resource types.
#define RT_CURSOR MAKEINTRESOURCEA(1)           // one cursor image (not looked up here)
#define RT_BITMAP MAKEINTRESOURCEA(2)           // a bitmap (not looked up here)
#define RT_ICON MAKEINTRESOURCEA(3)             // one icon image (not looked up here)
#define RT_RCDATA MAKEINTRESOURCEA(10)          // raw bytes of the program's own
#define RT_GROUP_CURSOR MAKEINTRESOURCEA(12)    // a cursor (LoadCursorA with a module)
#define RT_GROUP_ICON MAKEINTRESOURCEA(14)      // an icon (LoadIconA with a module)

// Stock icons and cursors (LoadIconA / LoadCursorA with a null module).
#define IDI_APPLICATION MAKEINTRESOURCEA(32512) // the program's icon
#define IDC_ARROW MAKEINTRESOURCEA(32512)       // the arrow
#define IDC_IBEAM MAKEINTRESOURCEA(32513)       // the text beam
#define IDC_WAIT MAKEINTRESOURCEA(32514)        // the hourglass
#define IDC_CROSS MAKEINTRESOURCEA(32515)       // the cross hair
#define IDC_SIZEALL MAKEINTRESOURCEA(32646)     // the four-way arrow
#define IDC_NO MAKEINTRESOURCEA(32648)          // the slashed circle
#define IDC_HAND MAKEINTRESOURCEA(32649)        // the pointing hand

// ---- structures ----------------------------------------------------------------------------
// A point in pixels (screen or client coordinates, as the call says), y growing downwards.
typedef struct tagPOINT
{
    LONG x;        // pixels from the left
    LONG y;        // pixels from the top
} POINT, *LPPOINT; // LPPOINT: a pointer to a POINT

// A rectangle in pixels: left and top inside it, right and bottom just outside.
typedef struct tagRECT
{
    LONG left;   // first column inside
    LONG top;    // first row inside
    LONG right;  // first column past the right edge
    LONG bottom; // first row past the bottom edge
} RECT, *LPRECT; // LPRECT: a pointer to a RECT

// A point in a display mode record (DEVMODEA), laid out as POINT.
typedef struct _POINTL
{
    LONG x; // pixels from the left
    LONG y; // pixels from the top
} POINTL;

// A signed 64-bit count, also readable as its two 32-bit halves (the performance counter).
typedef union _LARGE_INTEGER
{
    struct
    {
        DWORD LowPart;
        LONG HighPart;
    } u;               // the low and high 32 bits
    LONGLONG QuadPart; // the whole value
} LARGE_INTEGER;

// A window procedure: gets every message of the windows of its class, returns its answer.
typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);
// A console control handler (SetConsoleCtrlHandler): TRUE when it handled the signal.
typedef BOOL(WINAPI* PHANDLER_ROUTINE)(DWORD controlType);
// controlType for SIGINT (Ctrl+C in the terminal).
#define CTRL_C_EVENT 0
// controlType for SIGTERM (the process is asked to end).
#define CTRL_CLOSE_EVENT 2

// A window class as RegisterClassExA takes it.
typedef struct tagWNDCLASSEXA
{
    UINT cbSize;          // must be sizeof(WNDCLASSEXA)
    UINT style;           // CS_...
    WNDPROC lpfnWndProc;  // the class's window procedure; required
    int cbClsExtra;       // not used here (no extra class bytes)
    int cbWndExtra;       // not used here (no extra window bytes)
    HINSTANCE hInstance;  // the module the class belongs to (null: the program)
    HICON hIcon;          // the windows' icon, may be null
    HCURSOR hCursor;      // the cursor shown over the windows, may be null
    HBRUSH hbrBackground; // not used here: OpenGL paints the windows
    LPCSTR lpszMenuName;  // not used here: windows have no menus
    LPCSTR lpszClassName; // the class name, compared case-insensitively
    HICON hIconSm;        // not used here (hIcon serves)
} WNDCLASSEXA;

// What WM_NCCREATE and WM_CREATE carry in lParam: the CreateWindowExA arguments.
typedef struct tagCREATESTRUCTA
{
    LPVOID lpCreateParams; // CreateWindowExA's `param`
    HINSTANCE hInstance;   // the module (the program's when null was passed)
    HMENU hMenu;           // `menu` as passed
    HWND hwndParent;       // `parent` as passed
    int cy;                // height in pixels
    int cx;                // width in pixels
    int y;                 // top edge, screen pixels
    int x;                 // left edge, screen pixels
    LONG style;            // WS_... styles
    LPCSTR lpszName;       // the window title
    LPCSTR lpszClass;      // the class name
    DWORD dwExStyle;       // WS_EX_... styles
} CREATESTRUCTA;

// A message as PeekMessageA hands it out.
typedef struct tagMSG
{
    HWND hwnd;     // the window it is for; null for a thread message (WM_QUIT)
    UINT message;  // WM_...
    WPARAM wParam; // the message's first parameter
    LPARAM lParam; // the message's second parameter
    DWORD time;    // GetTickCount() when the message entered the queue
    POINT pt;      // cursor position (screen) when the message entered the queue
} MSG, *LPMSG;     // LPMSG: a pointer to a MSG

// The display-mode record, 156 bytes (dmSize 156).
typedef struct _devicemodeA
{
    BYTE dmDeviceName[32]; // "\\.\DISPLAY1" when the platform fills the record
    WORD dmSpecVersion;    // not used here (0)
    WORD dmDriverVersion;  // not used here (0)
    WORD dmSize;           // the caller sets it: 156, or at least up to dmICMMethod
    WORD dmDriverExtra;    // the caller sets it (kept when the record is filled)
    DWORD dmFields;        // DM_... bits saying which fields below are set
    union
    {
        struct
        {
            short dmOrientation;
            short dmPaperSize;
            short dmPaperLength;
            short dmPaperWidth;
            short dmScale;
            short dmCopies;
            short dmDefaultSource;
            short dmPrintQuality;
        } printer;
        struct
        {
            POINTL dmPosition;
            DWORD dmDisplayOrientation;
            DWORD dmDisplayFixedOutput;
        } display;
    } u1;                     // printer or display placement; not used here (0)
    short dmColor;            // printers only; not used here (0)
    short dmDuplex;           // printers only; not used here (0)
    short dmYResolution;      // printers only; not used here (0)
    short dmTTOption;         // printers only; not used here (0)
    short dmCollate;          // printers only; not used here (0)
    BYTE dmFormName[32];      // printers only; not used here (0)
    WORD dmLogPixels;         // not used here (0)
    DWORD dmBitsPerPel;       // colour depth of the mode in bits per pixel (DM_BITSPERPEL)
    DWORD dmPelsWidth;        // width of the mode in pixels (DM_PELSWIDTH)
    DWORD dmPelsHeight;       // height of the mode in pixels (DM_PELSHEIGHT)
    DWORD dmDisplayFlags;     // not used here (0)
    DWORD dmDisplayFrequency; // refresh rate in Hz, 0 when the display does not say
    DWORD dmICMMethod;        // not used here (0)
    DWORD dmICMIntent;        // not used here (0)
    DWORD dmMediaType;        // not used here (0)
    DWORD dmDitherType;       // not used here (0)
    DWORD dmReserved1;        // reserved (0)
    DWORD dmReserved2;        // reserved (0)
    DWORD dmPanningWidth;     // not used here (0)
    DWORD dmPanningHeight;    // not used here (0)
} DEVMODEA;
static_assert(sizeof(DEVMODEA) == 156, "DEVMODEA keeps its Win32 size");

// A 128-bit identifier (GDI+ encoder and format ids, the tray icon's guidItem).
typedef struct _GUID
{
    DWORD Data1;   // first 32 bits
    WORD Data2;    // next 16 bits
    WORD Data3;    // next 16 bits
    BYTE Data4[8]; // last 64 bits, in order
} GUID;

// The notification-area icon record in its full form (508 bytes on 32-bit Windows; the
// pointer-sized fields make it larger on 64-bit builds). Shell_NotifyIconA reads the fields
// up to and including szTip, so cbSize must be at least NOTIFYICONDATAA_V1_SIZE.
typedef struct _NOTIFYICONDATAA
{
    DWORD cbSize;          // bytes the caller filled: at least NOTIFYICONDATAA_V1_SIZE
    HWND hWnd;             // the owner window; with uID it names the icon
    UINT uID;              // the caller's number for the icon, unique per owner
    UINT uFlags;           // NIF_...
    UINT uCallbackMessage; // sent to hWnd with wParam = uID, lParam = the mouse message
    HICON hIcon;           // the icon shown (NIF_ICON)
    CHAR szTip[128];       // the tooltip text, zero-terminated (NIF_TIP)
    DWORD dwState;         // not read here
    DWORD dwStateMask;     // not read here
    CHAR szInfo[256];      // balloon text; not read here
    union
    {
        UINT uTimeout;
        UINT uVersion;
    } u;                  // balloon timeout or interface version; not read here
    CHAR szInfoTitle[64]; // balloon title; not read here
    DWORD dwInfoFlags;    // balloon icon flags; not read here
    GUID guidItem;        // not read here
    HICON hBalloonIcon;   // not read here
} NOTIFYICONDATAA;
// The size of the first form of the record, which ends with a 64-byte szTip.
#define NOTIFYICONDATAA_V1_SIZE (offsetof(NOTIFYICONDATAA, szTip) + 64)

// ---- constants -----------------------------------------------------------------------------
// Class styles.
#define CS_VREDRAW 0x0001         // stored only
#define CS_HREDRAW 0x0002         // stored only
#define CS_DBLCLKS 0x0008         // stored only: no double-clicks are produced
#define CS_OWNDC 0x0020           // stored only: every window has its own context

// Window styles.
#define WS_OVERLAPPED 0x00000000L // 0: a top-level window (every window here is a borderless popup)
#define WS_POPUP 0x80000000L      // stored only (every window here is one)
#define WS_CHILD 0x40000000L      // stored only: windows have no parents
#define WS_MINIMIZE 0x20000000L   // stored only (ShowWindow minimises)
#define WS_VISIBLE 0x10000000L    // shown; reads the real visibility
#define WS_DISABLED 0x08000000L   // stored only
#define WS_CLIPSIBLINGS 0x04000000L // stored only
#define WS_CLIPCHILDREN 0x02000000L // stored only
#define WS_MAXIMIZE 0x01000000L     // stored only (ShowWindow maximises)
#define WS_CAPTION 0x00C00000L      // stored only: no frame is drawn
#define WS_BORDER 0x00800000L       // stored only: no frame is drawn
#define WS_DLGFRAME 0x00400000L     // stored only: no frame is drawn
#define WS_SYSMENU 0x00080000L      // stored only
#define WS_THICKFRAME 0x00040000L   // stored only: no frame is drawn
#define WS_MINIMIZEBOX 0x00020000L  // stored only
#define WS_MAXIMIZEBOX 0x00010000L  // stored only
#define WS_OVERLAPPEDWINDOW                                                                        \
    (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
#define WS_POPUPWINDOW (WS_POPUP | WS_BORDER | WS_SYSMENU) // a bordered popup, stored only

// Extended window styles.
#define WS_EX_TOPMOST 0x00000008L                          // always on top of other windows
#define WS_EX_TRANSPARENT 0x00000020L                      // stored only
#define WS_EX_TOOLWINDOW 0x00000080L // no taskbar button (unless WS_EX_APPWINDOW)
#define WS_EX_APPWINDOW 0x00040000L  // a taskbar button
#define WS_EX_LAYERED 0x00080000L    // allows SetLayeredWindowAttributes
#define WS_EX_NOACTIVATE 0x08000000L // stored only

// CreateWindowExA position or size: let the platform choose.
#define CW_USEDEFAULT ((int)0x80000000)

// GetWindowLongA / SetWindowLongA indices.
#define GWL_WNDPROC (-4)          // the window procedure; on 64-bit builds only through ...LongPtrA
#define GWL_ID (-12)              // a number of the caller's
#define GWL_STYLE (-16)           // the WS_... styles
#define GWL_EXSTYLE (-20)         // the WS_EX_... styles
#define GWL_USERDATA (-21)        // a value of the caller's
#define GWLP_WNDPROC (-4)         // the window procedure, pointer-sized
#define GWLP_USERDATA (-21)       // a value of the caller's, pointer-sized

// SetLayeredWindowAttributes flags.
#define LWA_COLORKEY 0x00000001   // the colour key is stored only
#define LWA_ALPHA 0x00000002      // the alpha becomes the window's opacity

// ShowWindow commands.
#define SW_HIDE 0                 // hides the window
#define SW_SHOWNORMAL 1           // shows it, restored from minimised or maximised
#define SW_NORMAL 1               // as SW_SHOWNORMAL
#define SW_SHOWMINIMIZED 2        // shows it minimised (needs a window manager)
#define SW_SHOWMAXIMIZED 3        // shows it maximised (needs a window manager)
#define SW_MAXIMIZE 3             // as SW_SHOWMAXIMIZED
#define SW_SHOWNOACTIVATE 4       // shows it, as SW_SHOW here
#define SW_SHOW 5                 // shows it as it was
#define SW_MINIMIZE 6             // minimises it (needs a window manager)
#define SW_SHOWMINNOACTIVE 7      // as SW_SHOWMINIMIZED
#define SW_SHOWNA 8               // shows it, as SW_SHOW here
#define SW_RESTORE 9              // as SW_SHOWNORMAL
#define SW_SHOWDEFAULT 10         // as SW_SHOWNORMAL (WinMain's nShowCmd)

// SetWindowPos.
#define HWND_TOP ((HWND)0)        // raises the window
#define HWND_BOTTOM ((HWND)1)     // does nothing here
#define HWND_TOPMOST ((HWND)-1)   // sets WS_EX_TOPMOST
#define HWND_NOTOPMOST ((HWND)-2) // clears WS_EX_TOPMOST
#define HWND_BROADCAST ((HWND)0xffff)   // PostMessageA: every window
#define SWP_NOSIZE 0x0001               // keeps the size
#define SWP_NOMOVE 0x0002               // keeps the position
#define SWP_NOZORDER 0x0004             // ignores insertAfter
#define SWP_NOREDRAW 0x0008             // ignored (the engine paints)
#define SWP_NOACTIVATE 0x0010           // with SWP_SHOWWINDOW, shown as SW_SHOWNA
#define SWP_FRAMECHANGED 0x0020         // ignored: windows have no frame
#define SWP_SHOWWINDOW 0x0040           // shows the window
#define SWP_HIDEWINDOW 0x0080           // hides the window

// PeekMessageA.
#define PM_NOREMOVE 0x0000              // leaves the message in the queue
#define PM_REMOVE 0x0001                // takes it from the queue
#define PM_NOYIELD 0x0002               // ignored

// Messages.
#define WM_NULL 0x0000                  // nothing; never produced
#define WM_CREATE 0x0001                // sent at creation; lParam a CREATESTRUCTA*, -1 fails it
#define WM_DESTROY 0x0002               // sent first while the window is destroyed
#define WM_MOVE 0x0003                  // never produced
#define WM_SIZE 0x0005                  // never produced
#define WM_ACTIVATE 0x0006              // never produced
#define WM_SETFOCUS 0x0007              // never produced
#define WM_KILLFOCUS 0x0008             // never produced
#define WM_PAINT 0x000F                 // never produced: the engine paints
#define WM_CLOSE 0x0010                 // the window system asks to close; DefWindowProcA destroys
#define WM_QUIT 0x0012                  // ends the message loop; wParam the exit code
#define WM_NCCREATE 0x0081              // sent first at creation; FALSE fails it
#define WM_NCDESTROY 0x0082             // sent last while the window is destroyed
#define WM_KEYFIRST 0x0100              // the first key message number
#define WM_KEYDOWN 0x0100               // a key pressed; wParam VK_..., lParam repeat and flag bits
#define WM_KEYUP 0x0101                 // a key released
#define WM_CHAR 0x0102                  // a character typed; wParam the Latin-1 code
#define WM_SYSKEYDOWN 0x0104            // a key pressed with Alt held, or F10
#define WM_SYSKEYUP 0x0105              // a key released with Alt held, or F10
#define WM_SYSCHAR 0x0106               // never produced
#define WM_KEYLAST 0x0109               // the last key message number
#define WM_SYSCOMMAND 0x0112            // a window command; wParam SC_...
#define WM_MOUSEFIRST 0x0200            // the first mouse message number
#define WM_MOUSEMOVE 0x0200             // never produced (GetCursorPos is polled)
#define WM_LBUTTONDOWN 0x0201           // left button pressed; lParam client x, y
#define WM_LBUTTONUP 0x0202             // left button released
#define WM_LBUTTONDBLCLK 0x0203         // never produced
#define WM_RBUTTONDOWN 0x0204           // right button pressed
#define WM_RBUTTONUP 0x0205             // right button released
#define WM_RBUTTONDBLCLK 0x0206         // never produced
#define WM_MBUTTONDOWN 0x0207           // middle button pressed
#define WM_MBUTTONUP 0x0208             // middle button released
#define WM_MBUTTONDBLCLK 0x0209         // never produced
#define WM_MOUSEWHEEL 0x020A            // wheel turned; lParam screen x, y
#define WM_MOUSELAST 0x020A             // the last mouse message number
#define WM_USER 0x0400                  // the first message number of a window class's own
#define WM_APP 0x8000                   // the first message number of the program's own

// System commands (wParam of WM_SYSCOMMAND).
#define SC_SIZE 0xF000                  // not handled here
#define SC_MOVE 0xF010                  // not handled here
#define SC_MINIMIZE 0xF020              // DefWindowProcA minimises
#define SC_MAXIMIZE 0xF030              // DefWindowProcA maximises
#define SC_CLOSE 0xF060                 // DefWindowProcA sends WM_CLOSE
#define SC_KEYMENU 0xF100               // not handled here
#define SC_RESTORE 0xF120               // DefWindowProcA restores
#define SC_SCREENSAVE 0xF140            // not handled here
#define SC_MONITORPOWER 0xF170          // not handled here

// Mouse key state flags (wParam of the button messages).
#define MK_LBUTTON 0x0001               // the left button is down
#define MK_RBUTTON 0x0002               // the right button is down
#define MK_SHIFT 0x0004                 // a Shift key is down
#define MK_CONTROL 0x0008               // a Ctrl key is down
#define MK_MBUTTON 0x0010               // the middle button is down

// Virtual-key codes. Letters and digits are their upper-case ASCII codes ('A', '0'). Keys are
// told by their place on the keyboard, read as on a US layout.
#define VK_LBUTTON 0x01                 // left mouse button (not a key message)
#define VK_RBUTTON 0x02                 // right mouse button (not a key message)
#define VK_CANCEL 0x03                  // Ctrl+Break; never reported here
#define VK_MBUTTON 0x04                 // middle mouse button (not a key message)
#define VK_BACK 0x08                    // Backspace
#define VK_TAB 0x09                     // Tab
#define VK_CLEAR 0x0C                   // Clear; never reported here
#define VK_RETURN 0x0D                  // Enter (either one)
#define VK_SHIFT 0x10                   // either Shift
#define VK_CONTROL 0x11                 // either Ctrl
#define VK_MENU 0x12                    // either Alt
#define VK_PAUSE 0x13                   // Pause
#define VK_CAPITAL 0x14                 // Caps Lock
#define VK_ESCAPE 0x1B                  // Esc
#define VK_SPACE 0x20                   // the space bar
#define VK_PRIOR 0x21                   // Page Up
#define VK_NEXT 0x22                    // Page Down
#define VK_END 0x23                     // End
#define VK_HOME 0x24                    // Home
#define VK_LEFT 0x25                    // left arrow
#define VK_UP 0x26                      // up arrow
#define VK_RIGHT 0x27                   // right arrow
#define VK_DOWN 0x28                    // down arrow
#define VK_SELECT 0x29                  // Select; never reported here
#define VK_PRINT 0x2A                   // Print; never reported here (Print Screen is VK_SNAPSHOT)
#define VK_SNAPSHOT 0x2C                // Print Screen
#define VK_INSERT 0x2D                  // Insert
#define VK_DELETE 0x2E                  // Delete
#define VK_HELP 0x2F                    // Help; never reported here
#define VK_LWIN 0x5B                    // left Windows (Super) key
#define VK_RWIN 0x5C                    // right Windows (Super) key
#define VK_APPS 0x5D                    // the context-menu key
#define VK_NUMPAD0 0x60                 // keypad 0
#define VK_NUMPAD1 0x61                 // keypad 1
#define VK_NUMPAD2 0x62                 // keypad 2
#define VK_NUMPAD3 0x63                 // keypad 3
#define VK_NUMPAD4 0x64                 // keypad 4
#define VK_NUMPAD5 0x65                 // keypad 5
#define VK_NUMPAD6 0x66                 // keypad 6
#define VK_NUMPAD7 0x67                 // keypad 7
#define VK_NUMPAD8 0x68                 // keypad 8
#define VK_NUMPAD9 0x69                 // keypad 9
#define VK_MULTIPLY 0x6A                // keypad *
#define VK_ADD 0x6B                     // keypad +
#define VK_SEPARATOR 0x6C               // keypad separator; never reported here
#define VK_SUBTRACT 0x6D                // keypad -
#define VK_DECIMAL 0x6E                 // keypad decimal point
#define VK_DIVIDE 0x6F                  // keypad /
#define VK_F1 0x70                      // F1
#define VK_F2 0x71                      // F2
#define VK_F3 0x72                      // F3
#define VK_F4 0x73                      // F4
#define VK_F5 0x74                      // F5
#define VK_F6 0x75                      // F6
#define VK_F7 0x76                      // F7
#define VK_F8 0x77                      // F8
#define VK_F9 0x78                      // F9
#define VK_F10 0x79                     // F10
#define VK_F11 0x7A                     // F11
#define VK_F12 0x7B                     // F12
#define VK_NUMLOCK 0x90                 // Num Lock
#define VK_SCROLL 0x91                  // Scroll Lock
#define VK_LSHIFT 0xA0                  // left Shift; key messages report VK_SHIFT
#define VK_RSHIFT 0xA1                  // right Shift; key messages report VK_SHIFT
#define VK_LCONTROL 0xA2                // left Ctrl; key messages report VK_CONTROL
#define VK_RCONTROL 0xA3                // right Ctrl; key messages report VK_CONTROL
#define VK_LMENU 0xA4                   // left Alt; key messages report VK_MENU
#define VK_RMENU 0xA5                   // right Alt; key messages report VK_MENU
#define VK_OEM_1 0xBA                   // the ;: key of a US layout
#define VK_OEM_PLUS 0xBB                // the =+ key
#define VK_OEM_COMMA 0xBC               // the ,< key
#define VK_OEM_MINUS 0xBD               // the -_ key
#define VK_OEM_PERIOD 0xBE              // the .> key
#define VK_OEM_2 0xBF                   // the /? key of a US layout
#define VK_OEM_3 0xC0                   // the `~ key of a US layout
#define VK_OEM_4 0xDB                   // the [{ key of a US layout
#define VK_OEM_5 0xDC                   // the \| key of a US layout
#define VK_OEM_6 0xDD                   // the ]} key of a US layout
#define VK_OEM_7 0xDE                   // the '" key of a US layout
#define VK_OEM_102 0xE2                 // the extra key of 102-key keyboards

// GetSystemMetrics.
#define SM_CXSCREEN 0                   // the desktop width in pixels
#define SM_CYSCREEN 1                   // the desktop height in pixels
#define SM_CMONITORS 80                 // the number of displays

// SystemParametersInfoA.
#define SPI_GETWORKAREA 0x0030          // the usable part of the screen (a RECT)

// GetDeviceCaps.
#define HORZRES 8                       // display width in pixels
#define VERTRES 10                      // display height in pixels
#define BITSPIXEL 12                    // bits per pixel
#define VREFRESH 116                    // refresh rate in Hz (0: unknown)

// Display modes.
#define DM_BITSPERPEL 0x00040000L       // dmBitsPerPel is set
#define DM_PELSWIDTH 0x00080000L        // dmPelsWidth is set
#define DM_PELSHEIGHT 0x00100000L       // dmPelsHeight is set
#define DM_DISPLAYFLAGS 0x00200000L     // dmDisplayFlags is set (not compared)
#define DM_DISPLAYFREQUENCY 0x00400000L // dmDisplayFrequency is set
#define CDS_UPDATEREGISTRY 0x00000001   // ignored: modes are never changed
#define CDS_TEST 0x00000002             // ignored: modes are never changed
#define CDS_FULLSCREEN 0x00000004       // ignored: modes are never changed
#define DISP_CHANGE_SUCCESSFUL 0        // the mode is in force
#define DISP_CHANGE_RESTART 1           // never returned here
#define DISP_CHANGE_FAILED (-1)         // a listed mode that is not in force
#define DISP_CHANGE_BADMODE (-2)        // a mode the display does not list
#define DISP_CHANGE_BADFLAGS (-4)       // never returned here
#define DISP_CHANGE_BADPARAM (-5)       // never returned here
#define ENUM_CURRENT_SETTINGS ((DWORD)-1)   // EnumDisplaySettingsA: the mode in force
#define ENUM_REGISTRY_SETTINGS ((DWORD)-2)  // EnumDisplaySettingsA: the desktop mode too

// Shell_NotifyIconA.
#define NIM_ADD 0x00000000                  // adds an icon for a new (owner, id)
#define NIM_MODIFY 0x00000001               // changes the fields uFlags names
#define NIM_DELETE 0x00000002               // removes the icon
#define NIF_MESSAGE 0x00000001              // uCallbackMessage is set
#define NIF_ICON 0x00000002                 // hIcon is set
#define NIF_TIP 0x00000004                  // szTip is set
#define NIF_STATE 0x00000008                // dwState is set (not read here)
#define NIF_INFO 0x00000010                 // the balloon is set (not read here)

// GetLastError codes the platform sets.
#define ERROR_SUCCESS 0L                    // no error
#define ERROR_FILE_NOT_FOUND 2L             // no such file, key or value
#define ERROR_INVALID_HANDLE 6L             // a handle that is not open
#define ERROR_NOT_ENOUGH_MEMORY 8L          // no window could be made (no display, or SDL refused)
#define ERROR_INVALID_PARAMETER 87L         // a null or out-of-range argument
#define ERROR_MOD_NOT_FOUND 126L            // no module of that name
#define ERROR_ALREADY_EXISTS 183L           // never set here
#define ERROR_RESOURCE_DATA_NOT_FOUND 1812L // a resource handle without data
#define ERROR_RESOURCE_TYPE_NOT_FOUND 1813L // no resource of that type
#define ERROR_RESOURCE_NAME_NOT_FOUND 1814L // no resource of that name
#define ERROR_INVALID_WINDOW_HANDLE 1400L   // no such window
#define ERROR_CANNOT_FIND_WND_CLASS 1407L   // CreateWindowExA: no such class
#define ERROR_CLASS_ALREADY_EXISTS 1410L    // the class name is taken
#define ERROR_CLASS_DOES_NOT_EXIST 1411L    // UnregisterClassA: no such class
#define ERROR_CLASS_HAS_WINDOWS 1412L       // the class still has windows
#define ERROR_ACCESS_DENIED 5L              // the handle lacks the access, or the key has subkeys
#define ERROR_WRITE_FAULT 29L               // a store file could not be written
#define ERROR_READ_FAULT 30L                // a store file could not be read
#define ERROR_DISK_FULL 112L                // the store could not be saved
#define ERROR_BAD_PATHNAME 161L             // a key path the registry refuses
#define ERROR_MORE_DATA 234L                // the buffer is too small; the size is set
#define ERROR_NO_MORE_FILES 18L             // FindNextFileA: no further match
#define ERROR_KEY_DELETED 1018L             // the handle's key was deleted
#define ERROR_NOT_ENOUGH_QUOTA 1816L        // a registry bound is reached
#define ERROR_CANCELLED 1223L               // never set here
#define SE_ERR_NOASSOC 31                   // ShellExecuteA: xdg-open is not installed

// MessageBoxA types and answers.
#define MB_OK 0x00000000L                   // 0: an OK button
#define MB_OKCANCEL 0x00000001L             // OK and Cancel
#define MB_ABORTRETRYIGNORE 0x00000002L     // Abort, Retry and Ignore
#define MB_YESNOCANCEL 0x00000003L          // Yes, No and Cancel
#define MB_YESNO 0x00000004L                // Yes and No
#define MB_RETRYCANCEL 0x00000005L          // Retry and Cancel
#define MB_ICONERROR 0x00000010L            // an error box
#define MB_ICONQUESTION 0x00000020L         // an information box (SDL has no question icon)
#define MB_ICONWARNING 0x00000030L          // a warning box
#define MB_ICONINFORMATION 0x00000040L      // an information box
#define IDOK 1                              // OK pressed (Enter or Esc when it is the only button)
#define IDCANCEL 2                          // Cancel pressed, or Esc
#define IDABORT 3                           // Abort pressed
#define IDRETRY 4                           // Retry pressed
#define IDIGNORE 5                          // Ignore pressed
#define IDYES 6                             // Yes pressed
#define IDNO 7                              // No pressed

// ---- files, dialogs and the shell's folder picker -------------------------------------------
typedef void* HANDLE;          // a file search's handle
typedef long HRESULT;          // a shell call's result: S_OK, or negative on failure
typedef unsigned short USHORT; // an unsigned 16-bit integer
// What FindFirstFileA returns when nothing matches.
#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)
// Bytes of the path buffers of these calls, the zero included.
#define MAX_PATH 260
// A shell call's success.
#define S_OK ((HRESULT)0L)
// A shell call's failure.
#define E_FAIL ((HRESULT)0x80004005L)
// GetLastError: the folder of a path is missing.
#define ERROR_PATH_NOT_FOUND 3L
// A found file's attributes (WIN32_FIND_DATAA::dwFileAttributes).
#define FILE_ATTRIBUTE_READONLY 0x00000001  // the user may not write it
#define FILE_ATTRIBUTE_HIDDEN 0x00000002    // its name begins with a dot
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010 // a folder
#define FILE_ATTRIBUTE_NORMAL 0x00000080    // none of the others

// A time as 100-nanosecond intervals since 1 January 1601 (UTC), in two halves.
typedef struct _FILETIME
{
    DWORD dwLowDateTime;  // low 32 bits
    DWORD dwHighDateTime; // high 32 bits
} FILETIME;

// One match of FindFirstFileA / FindNextFileA.
typedef struct _WIN32_FIND_DATAA
{
    DWORD dwFileAttributes;              // FILE_ATTRIBUTE_... bits
    FILETIME ftCreationTime;             // the last status change (Linux keeps no creation time)
    FILETIME ftLastAccessTime;           // the last read
    FILETIME ftLastWriteTime;            // the last change of the contents
    DWORD nFileSizeHigh;                 // high 32 bits of the size in bytes
    DWORD nFileSizeLow;                  // low 32 bits of the size in bytes
    DWORD dwReserved0;                   // reserved (0)
    DWORD dwReserved1;                   // reserved (0)
    CHAR cFileName[MAX_PATH];            // the name without its folder, zero-terminated
    CHAR cAlternateFileName[14];         // no short names here: empty
} WIN32_FIND_DATAA, *LPWIN32_FIND_DATAA; // LPWIN32_FIND_DATAA: a pointer to one

// Common dialogs (GetOpenFileNameA, GetSaveFileNameA) and the folder picker.
#define OFN_READONLY 0x00000001             // ignored here
#define OFN_OVERWRITEPROMPT 0x00000002      // saving over a file asks first
#define OFN_HIDEREADONLY 0x00000004         // ignored here
#define OFN_NOCHANGEDIR 0x00000008          // ignored: the current folder never changes
#define OFN_ALLOWMULTISELECT 0x00000200     // opening may choose several files
#define OFN_PATHMUSTEXIST 0x00000800        // ignored here
#define OFN_FILEMUSTEXIST 0x00001000        // ignored here
#define OFN_EXPLORER 0x00080000             // ignored here
#define OFN_EX_NOPLACESBAR 0x00000001       // ignored here
#define CDERR_STRUCTSIZE 0x0001             // lStructSize is neither size
#define CDERR_INITIALIZATION 0x0002         // no lpstrFile, or nMaxFile below 2
#define CDERR_DIALOGFAILURE 0xFFFF          // the picker program failed
#define FNERR_BUFFERTOOSMALL 0x3003         // the answer does not fit lpstrFile

// What GetOpenFileNameA / GetSaveFileNameA ask and answer.
typedef struct tagOFNA
{
    DWORD lStructSize;       // sizeof(OPENFILENAMEA) or OPENFILENAME_SIZE_VERSION_400A
    HWND hwndOwner;          // not used here: the picker is its own window
    HINSTANCE hInstance;     // not used here
    LPCSTR lpstrFilter;      // "name\0pattern;pattern\0" pairs ending in an extra zero; may be null
    LPSTR lpstrCustomFilter; // not used here
    DWORD nMaxCustFilter;    // not used here
    DWORD nFilterIndex;      // the filter shown first, from 1 (0 also the first)
    LPSTR lpstrFile;         // in: the name proposed; out: the answer (see the functions)
    DWORD nMaxFile;          // bytes at lpstrFile, at least 2
    LPSTR lpstrFileTitle;    // out: the chosen name without its folder; may be null
    DWORD nMaxFileTitle;     // bytes at lpstrFileTitle
    LPCSTR lpstrInitialDir;  // the folder shown first; may be null
    LPCSTR lpstrTitle;       // the picker's title; may be null
    DWORD Flags;             // OFN_...: OFN_ALLOWMULTISELECT and OFN_OVERWRITEPROMPT act here
    WORD nFileOffset;        // out: where the name begins in lpstrFile
    WORD nFileExtension;     // out: where the extension begins in lpstrFile (0: none)
    LPCSTR lpstrDefExt;      // not used here
    LPARAM lCustData;        // not used here
    LPVOID lpfnHook;         // not used here
    LPCSTR lpTemplateName;   // not used here
    LPVOID pvReserved;       // reserved
    DWORD dwReserved;        // reserved
    DWORD FlagsEx;           // OFN_EX_...; not used here
} OPENFILENAMEA, *LPOPENFILENAMEA; // LPOPENFILENAMEA: a pointer to one
// The form without the last three fields (88 bytes on 32-bit Windows).
#define OPENFILENAME_SIZE_VERSION_400A offsetof(OPENFILENAMEA, pvReserved)

// One item of an item list: here the chosen folder's path bytes.
typedef struct _SHITEMID
{
    USHORT cb;    // bytes of the item, cb itself included; 0 ends the list
    BYTE abID[1]; // the item's bytes (cb - 2 of them)
} SHITEMID;
// What SHBrowseForFolderA returns: items one after another, ended by a zero cb.
typedef struct _ITEMIDLIST
{
    SHITEMID mkid;           // the first item
} ITEMIDLIST, *LPITEMIDLIST; // LPITEMIDLIST: a pointer to a list
// A pointer to a list that is only read.
typedef const ITEMIDLIST* LPCITEMIDLIST;
// The folder picker's event callback; never called here.
typedef int(CALLBACK* BFFCALLBACK)(HWND, UINT, LPARAM, LPARAM);
// What SHBrowseForFolderA asks and answers.
typedef struct _browseinfoA
{
    HWND hwndOwner;            // not used here: the picker is its own window
    LPCITEMIDLIST pidlRoot;    // not used here
    LPSTR pszDisplayName;      // out: the chosen folder's name, MAX_PATH bytes; may be null
    LPCSTR lpszTitle;          // the picker's title; may be null
    UINT ulFlags;              // not used here
    BFFCALLBACK lpfn;          // not used here
    LPARAM lParam;             // not used here
    int iImage;                // not set here
} BROWSEINFOA, *LPBROWSEINFOA; // LPBROWSEINFOA: a pointer to one

// The shell's allocator: what SHBrowseForFolderA returns is freed with its Free.
struct IMalloc
{
    // Answers with this allocator for any interface id (S_OK).
    virtual HRESULT QueryInterface(const GUID& id, void** out) = 0;
    // The allocator lives for the whole process: counting does nothing (1).
    virtual ULONG_PTR AddRef() = 0;
    // As AddRef: the allocator is never freed (1).
    virtual ULONG_PTR Release() = 0;
    // `size` bytes (malloc); null when there is no memory.
    virtual void* Alloc(size_t size) = 0;
    // The block resized (realloc); null when there is no memory.
    virtual void* Realloc(void* block, size_t size) = 0;
    // Frees a block of this allocator (SHBrowseForFolderA's answer); null is accepted.
    virtual void Free(void* block) = 0;
    // Block sizes are not known here: size_t(-1).
    virtual size_t GetSize(void* block) = 0;
    // -1: whether a block came from this allocator cannot be told.
    virtual int DidAlloc(void* block) = 0;
    // Nothing to do.
    virtual void HeapMinimize() = 0;

  protected:
    ~IMalloc() = default;
};
typedef IMalloc* LPMALLOC; // LPMALLOC: a pointer to the shell's allocator

// ---- registry ------------------------------------------------------------------------------
typedef HKEY* PHKEY;    // where an open call puts the key it opened
typedef DWORD REGSAM;   // the access asked for a key: KEY_... bits
typedef BYTE* LPBYTE;   // a value's bytes
typedef DWORD* LPDWORD; // a DWORD the call reads or fills
// Who may use a key; not used here (keys are the user's files).
typedef struct _SECURITY_ATTRIBUTES
{
    DWORD nLength;                             // sizeof(SECURITY_ATTRIBUTES)
    LPVOID lpSecurityDescriptor;               // not used here
    BOOL bInheritHandle;                       // not used here
} SECURITY_ATTRIBUTES, *LPSECURITY_ATTRIBUTES; // LPSECURITY_ATTRIBUTES: a pointer to one

// The root keys, always open; each is kept in a store file of its own (docs/platform.md).
#define HKEY_CLASSES_ROOT ((HKEY)(ULONG_PTR)0x80000000u)   // file types and their handlers
#define HKEY_CURRENT_USER ((HKEY)(ULONG_PTR)0x80000001u)   // the user's settings
#define HKEY_LOCAL_MACHINE ((HKEY)(ULONG_PTR)0x80000002u)  // the machine's (a user's file here)
#define HKEY_USERS ((HKEY)(ULONG_PTR)0x80000003u)          // every user's (a user's file here)
#define HKEY_CURRENT_CONFIG ((HKEY)(ULONG_PTR)0x80000005u) // the hardware profile's settings
// Access bits a key handle carries; each call checks the one it needs.
#define KEY_QUERY_VALUE 0x0001                             // RegQueryValueExA
#define KEY_SET_VALUE 0x0002                               // RegSetValueExA, RegDeleteValueA
#define KEY_CREATE_SUB_KEY 0x0004                          // RegCreateKeyExA under the key
#define KEY_ENUMERATE_SUB_KEYS 0x0008 // listing subkeys (no call here lists them)
#define KEY_READ 0x20019              // query and enumerate
#define KEY_WRITE 0x20006             // set values and create subkeys
#define KEY_ALL_ACCESS 0xF003F        // everything (the root keys have it)
// RegCreateKeyExA's options: the key is kept in the store (the only kind here).
#define REG_OPTION_NON_VOLATILE 0x00000000L
// RegCreateKeyExA's disposition answer: the key was made.
#define REG_CREATED_NEW_KEY 0x00000001L
// RegCreateKeyExA's disposition answer: the key existed and was opened.
#define REG_OPENED_EXISTING_KEY 0x00000002L
// Value types: stored with the bytes and handed back as given (the bytes are not checked).
#define REG_NONE 0             // no particular type
#define REG_SZ 1               // a zero-terminated string
#define REG_EXPAND_SZ 2        // a string with %VARIABLE% references (not expanded here)
#define REG_BINARY 3           // raw bytes
#define REG_DWORD 4            // a 32-bit number, little-endian
#define REG_DWORD_BIG_ENDIAN 5 // a 32-bit number, big-endian
#define REG_LINK 6             // a link to another key (not followed here)
#define REG_MULTI_SZ 7         // zero-terminated strings ending in an extra zero
#define REG_QWORD 11           // a 64-bit number, little-endian

// ---- functions -----------------------------------------------------------------------------
extern "C"
{

    // The program's entry point: libovplatform's `main` (static library ovplatform_main) calls it
    // with the program module, a null previous instance, the command line without the program
    // name, and SW_SHOWDEFAULT.
    int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nShowCmd);

    // The calling thread's last error code (ERROR_...), set by the calls that fail.
    OV_PLATFORM_API DWORD WINAPI GetLastError(void);
    // Sets the calling thread's last error code.
    OV_PLATFORM_API void WINAPI SetLastError(DWORD code);

    // Window classes: name-keyed (case-insensitive) per module instance. Registering a name that
    // is taken fails (0, ERROR_CLASS_ALREADY_EXISTS); unregistering a class that still has windows
    // fails (ERROR_CLASS_HAS_WINDOWS).
    OV_PLATFORM_API ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* wc);
    // Removes a class by name or atom; FALSE while windows of it exist.
    OV_PLATFORM_API BOOL WINAPI UnregisterClassA(LPCSTR className, HINSTANCE hInstance);

    // Windows: one borderless SDL window (OpenGL-capable, hidden until shown) per HWND. Sends
    // WM_NCCREATE and WM_CREATE on creation, WM_DESTROY and WM_NCDESTROY on destruction.
    OV_PLATFORM_API HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName,
                                                DWORD style, int x, int y, int width, int height,
                                                HWND parent, HMENU menu, HINSTANCE hInstance,
                                                LPVOID param);
    // Sends WM_DESTROY and WM_NCDESTROY, then drops the window, its queued messages and its
    // tray icons; activation and focus pass to the newest visible window left.
    OV_PLATFORM_API BOOL WINAPI DestroyWindow(HWND hwnd);
    // TRUE while the handle names a live window (handles are never reused).
    OV_PLATFORM_API BOOL WINAPI IsWindow(HWND hwnd);
    // TRUE while the window is shown.
    OV_PLATFORM_API BOOL WINAPI IsWindowVisible(HWND hwnd);
    // Shows or hides the window (SW_...); the previous visibility. Minimising and maximising
    // need a window manager.
    OV_PLATFORM_API BOOL WINAPI ShowWindow(HWND hwnd, int cmdShow);
    // Does nothing (the engine paints); TRUE for a live window.
    OV_PLATFORM_API BOOL WINAPI UpdateWindow(HWND hwnd);
    // Raises the window and makes it the active one.
    OV_PLATFORM_API BOOL WINAPI SetForegroundWindow(HWND hwnd);
    // The active window, null when none of ours is.
    OV_PLATFORM_API HWND WINAPI GetForegroundWindow(void);
    // Gives the keyboard focus to a shown window (null: to none); the window that had it.
    OV_PLATFORM_API HWND WINAPI SetFocus(HWND hwnd);
    // The window with the keyboard focus, null when none of ours has it.
    OV_PLATFORM_API HWND WINAPI GetFocus(void);
    // Raises the window and makes it the active one; the window that was active.
    OV_PLATFORM_API HWND WINAPI SetActiveWindow(HWND hwnd);
    // The active window, null when none of ours is.
    OV_PLATFORM_API HWND WINAPI GetActiveWindow(void);
    // Moves and sizes the window (screen pixels); `repaint` is not needed here.
    OV_PLATFORM_API BOOL WINAPI MoveWindow(HWND hwnd, int x, int y, int width, int height,
                                           BOOL repaint);
    // Moves, sizes, shows or hides the window and sets it topmost or not, as the SWP_... flags
    // and HWND_TOPMOST / HWND_NOTOPMOST say.
    OV_PLATFORM_API BOOL WINAPI SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx,
                                             int cy, UINT flags);
    // The window's rectangle in screen pixels.
    OV_PLATFORM_API BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT rect);
    // The window's inside from (0, 0); the same size as GetWindowRect (windows have no frame).
    OV_PLATFORM_API BOOL WINAPI GetClientRect(HWND hwnd, LPRECT rect);
    // Sets the window title.
    OV_PLATFORM_API BOOL WINAPI SetWindowTextA(HWND hwnd, LPCSTR text);
    // Leaves the rectangle as it is: windows have no frame, so outside and inside coincide.
    OV_PLATFORM_API BOOL WINAPI AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu,
                                                   DWORD exStyle);

    // Reads a stored GWL_... value (WS_VISIBLE in GWL_STYLE is the real visibility).
    OV_PLATFORM_API LONG WINAPI GetWindowLongA(HWND hwnd, int index);
    // Stores a GWL_... value and returns the previous one; new styles apply topmost, taskbar
    // presence and layering.
    OV_PLATFORM_API LONG WINAPI SetWindowLongA(HWND hwnd, int index, LONG value);
    // GetWindowLongA for pointer-sized values (GWLP_WNDPROC, GWLP_USERDATA).
    OV_PLATFORM_API LONG_PTR WINAPI GetWindowLongPtrA(HWND hwnd, int index);
    // SetWindowLongA for pointer-sized values; the previous value.
    OV_PLATFORM_API LONG_PTR WINAPI SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value);

    // Layered windows: the alpha becomes the SDL window opacity; the colour key is stored only.
    OV_PLATFORM_API BOOL WINAPI SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha,
                                                           DWORD flags);
    // Reads back the key, alpha and LWA_... flags last set; FALSE before the first set.
    OV_PLATFORM_API BOOL WINAPI GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha,
                                                           DWORD* flags);

    // Window procedures and the message queue.

    // What a window does by default: WM_CLOSE destroys it, Alt+F4 and SC_CLOSE close it,
    // SC_MINIMIZE / SC_MAXIMIZE / SC_RESTORE show it so, WM_NCCREATE TRUE, the rest 0.
    OV_PLATFORM_API LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam,
                                                  LPARAM lParam);
    // Calls `proc` with the message (a procedure read with GWLP_WNDPROC).
    OV_PLATFORM_API LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND hwnd, UINT message,
                                                   WPARAM wParam, LPARAM lParam);
    // Calls the window's procedure at once and returns its answer.
    OV_PLATFORM_API LRESULT WINAPI SendMessageA(HWND hwnd, UINT message, WPARAM wParam,
                                                LPARAM lParam);
    // Queues the message for the window (HWND_BROADCAST: every window); FALSE with
    // ERROR_INVALID_WINDOW_HANDLE for a window that is not there.
    OV_PLATFORM_API BOOL WINAPI PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Asks for WM_QUIT with `exitCode` as wParam once the queue has nothing else.
    OV_PLATFORM_API void WINAPI PostQuitMessage(int exitCode);
    // The next message for `hwnd` (null: any; (HWND)-1: thread messages) within the range
    // (0, 0: all); FALSE when none waits. PM_REMOVE takes it from the queue. Posted messages
    // come before input messages (keys, characters, buttons, wheel, close requests from the
    // window system), and WM_QUIT from PostQuitMessage only when neither remains, as on
    // Windows.
    OV_PLATFORM_API BOOL WINAPI PeekMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax,
                                             UINT removeFlags);
    // Posts the WM_CHAR a key makes that text input does not: Enter, Backspace, Tab, Escape
    // and Ctrl+letter.
    OV_PLATFORM_API BOOL WINAPI TranslateMessage(const MSG* msg);
    // Calls the procedure of the message's window and returns its answer.
    OV_PLATFORM_API LRESULT WINAPI DispatchMessageA(const MSG* msg);

    // The primary display's desktop width or height in pixels (SM_CXSCREEN, SM_CYSCREEN), or
    // the number of displays (SM_CMONITORS).
    OV_PLATFORM_API int WINAPI GetSystemMetrics(int index);
    // SPI_GETWORKAREA only: the usable part of the screen into the RECT at pvParam.
    OV_PLATFORM_API BOOL WINAPI SystemParametersInfoA(UINT action, UINT uiParam, LPVOID pvParam,
                                                      UINT winIni);
    // Fills `mode` with display mode `modeNumber` (ENUM_CURRENT_SETTINGS: the mode in force);
    // FALSE past the last one.
    OV_PLATFORM_API BOOL WINAPI EnumDisplaySettingsA(LPCSTR deviceName, DWORD modeNumber,
                                                     DEVMODEA* mode);
    // Never changes the desktop's mode: DISP_CHANGE_SUCCESSFUL for null or the mode in force,
    // DISP_CHANGE_FAILED for another listed mode, DISP_CHANGE_BADMODE for the rest.
    OV_PLATFORM_API LONG WINAPI ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags);
    // A device context for the window's display, read with GetDeviceCaps.
    OV_PLATFORM_API HDC WINAPI GetDC(HWND hwnd);
    // Gives back a device context from GetDC.
    OV_PLATFORM_API int WINAPI ReleaseDC(HWND hwnd, HDC hdc);
    // HORZRES, VERTRES, BITSPIXEL or VREFRESH of the display (VREFRESH 0 when it does not say).
    OV_PLATFORM_API int WINAPI GetDeviceCaps(HDC hdc, int index);

    // Notification-area icons: records kept per (owner, id); see docs/platform.md.
    OV_PLATFORM_API BOOL WINAPI Shell_NotifyIconA(DWORD message, NOTIFYICONDATAA* data);

    // The pointer's position in screen pixels.
    OV_PLATFORM_API BOOL WINAPI GetCursorPos(LPPOINT point);
    // Moves the pointer to a screen position.
    OV_PLATFORM_API BOOL WINAPI SetCursorPos(int x, int y);
    // Counts the cursor shown (TRUE adds one, FALSE takes one away); it shows while the
    // count, which is returned, is 0 or more.
    OV_PLATFORM_API int WINAPI ShowCursor(BOOL show);
    // Turns a screen position into one inside the window.
    OV_PLATFORM_API BOOL WINAPI ScreenToClient(HWND hwnd, LPPOINT point);
    // Turns a position inside the window into a screen position.
    OV_PLATFORM_API BOOL WINAPI ClientToScreen(HWND hwnd, LPPOINT point);

    // Nanoseconds of the monotonic clock (or the manual clock of platform/testing.h).
    OV_PLATFORM_API BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* count);
    // The counter's ticks per second: 10^9.
    OV_PLATFORM_API BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* frequency);
    // The monotonic clock in milliseconds; wraps after 49.7 days.
    OV_PLATFORM_API DWORD WINAPI GetTickCount(void);
    // Sleeps that long (0 gives the processor away once).
    OV_PLATFORM_API void WINAPI Sleep(DWORD milliseconds);

    // Console control: SIGINT arrives as CTRL_C_EVENT and SIGTERM as CTRL_CLOSE_EVENT. Unlike
    // Windows, the handlers run on the main thread, inside PeekMessageA, the most recently
    // added first until one returns TRUE; when none does, or a second signal of the kind
    // arrives first, the signal takes its default course and ends the process.
    OV_PLATFORM_API BOOL WINAPI SetConsoleCtrlHandler(PHANDLER_ROUTINE handler, BOOL add);

    // Modules and resources. GetModuleHandleA(NULL) is the program; other modules exist once the
    // library that stands for them registers resources (platform/native.h). Names compare
    // case-insensitively and ".dll" is implied when a name has no extension.
    OV_PLATFORM_API HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName);
    // The resource of numeric `name` and `type` (MAKEINTRESOURCEA or "#n"); null when missing.
    OV_PLATFORM_API HRSRC WINAPI FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
    // The handle LockResource turns into the registered bytes.
    OV_PLATFORM_API HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource);
    // The registered bytes themselves (not a copy).
    OV_PLATFORM_API LPVOID WINAPI LockResource(HGLOBAL data);
    // The byte size of the resource.
    OV_PLATFORM_API DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource);
    // Does nothing and returns FALSE: registered bytes are never freed.
    OV_PLATFORM_API BOOL WINAPI FreeResource(HGLOBAL data);
    // A stock icon handle with a null module (IDI_...); with a module its RT_GROUP_ICON
    // resource, null when missing.
    OV_PLATFORM_API HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name);
    // A stock cursor handle with a null module (IDC_...); with a module its RT_GROUP_CURSOR
    // resource, null when missing. The shapes are not shown.
    OV_PLATFORM_API HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name);

    // A modal message box on SDL's (owned by the window behind `owner` when given); the button
    // pressed (IDOK...), 0 when no box could be shown (no display) or the owner is unknown.
    OV_PLATFORM_API int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

    // Opens a file or address with the desktop's handler (xdg-open, run from an argument
    // vector, never a shell). Greater than 32 on success; SE_ERR_NOASSOC when xdg-open is not
    // installed, ERROR_FILE_NOT_FOUND when it could not open the target. Only the "open" verb
    // (or none) is known; `parameters` and `directory` are not passed on.
    OV_PLATFORM_API HINSTANCE WINAPI ShellExecuteA(HWND owner, LPCSTR operation, LPCSTR file,
                                                   LPCSTR parameters, LPCSTR directory,
                                                   int showCommand);

    // No Win32 counterpart: registers a file type with the Linux desktop, a MIME type
    // "application/x-orvane-<type>" for "*.<extension>" and a desktop entry that opens it with
    // `command` ("%1" stands for the file), under $XDG_DATA_HOME (or ~/.local/share); the
    // desktop databases are refreshed when their tools are installed (docs/desktop.md). FALSE
    // when a name is unusable or a file cannot be written.
    OV_PLATFORM_API BOOL WINAPI PlatformRegisterDesktopFileType(LPCSTR typeName, LPCSTR extension,
                                                                LPCSTR command, LPCSTR icon);

    // File search: `pattern` is a folder (either slash separates) and a last component with
    // the wildcards '*' and '?', matched case-insensitively ("*.*" matches every name, "." and
    // ".." too, as on Windows). Matches come sorted by name. No match: INVALID_HANDLE_VALUE and
    // ERROR_FILE_NOT_FOUND (ERROR_PATH_NOT_FOUND when the folder is missing); the end:
    // FindNextFileA FALSE with ERROR_NO_MORE_FILES.
    OV_PLATFORM_API HANDLE WINAPI FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data);
    // The search's next match into `data`.
    OV_PLATFORM_API BOOL WINAPI FindNextFileA(HANDLE search, LPWIN32_FIND_DATAA data);
    // Ends the search and frees its handle.
    OV_PLATFORM_API BOOL WINAPI FindClose(HANDLE search);
    // The current directory's length without the zero when it fits in `size`, else the size
    // needed with it; 0 on failure.
    OV_PLATFORM_API DWORD WINAPI GetCurrentDirectoryA(DWORD size, LPSTR buffer);

    // File dialogs and the folder picker run zenity (kdialog when zenity is not installed) from
    // an argument vector and wait for it (at most 30 minutes, then it is killed). FALSE or null
    // with CommDlgExtendedError 0 when cancelled or when neither program is installed,
    // CDERR_DIALOGFAILURE when the program failed, FNERR_BUFFERTOOSMALL (the size needed in the
    // first two bytes of lpstrFile) when the answer does not fit (docs/platform.md).
    // GetOpenFileNameA asks for a file to open (several with OFN_ALLOWMULTISELECT).
    OV_PLATFORM_API BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA dialog);
    // Asks for a file to save to; OFN_OVERWRITEPROMPT has an existing file confirmed.
    OV_PLATFORM_API BOOL WINAPI GetSaveFileNameA(LPOPENFILENAMEA dialog);
    // Why the last file dialog failed: 0 (cancelled), CDERR_... or FNERR_BUFFERTOOSMALL.
    OV_PLATFORM_API DWORD WINAPI CommDlgExtendedError(void);
    // Asks for a folder; the item list holds its path (free it with SHGetMalloc's Free), null
    // when cancelled or the picker failed.
    OV_PLATFORM_API LPITEMIDLIST WINAPI SHBrowseForFolderA(LPBROWSEINFOA browse);
    // Copies the path an item list holds into `path` (MAX_PATH bytes); FALSE when it is longer.
    OV_PLATFORM_API BOOL WINAPI SHGetPathFromIDListA(LPCITEMIDLIST list, LPSTR path);
    // The shell's allocator (malloc underneath), S_OK.
    OV_PLATFORM_API HRESULT WINAPI SHGetMalloc(LPMALLOC* allocator);

    // Registry: keys and typed values kept per root in files under the user's configuration
    // folder (docs/platform.md, docs/formats.md). Win32's return codes: ERROR_FILE_NOT_FOUND for
    // a missing key or value, ERROR_MORE_DATA and the needed size for a too-small buffer,
    // ERROR_ACCESS_DENIED for a key with subkeys or a handle without the access asked,
    // ERROR_DISK_FULL when the store cannot be written (the previous store stays).
    // RegOpenKeyExA opens an existing key with the access asked (ERROR_FILE_NOT_FOUND when
    // there is none).
    OV_PLATFORM_API LONG WINAPI RegOpenKeyExA(HKEY hKey, LPCSTR subKey, DWORD options,
                                              REGSAM access, PHKEY result);
    // Opens `subKey`, creating it and its missing ancestors; `disposition` says which.
    OV_PLATFORM_API LONG WINAPI RegCreateKeyExA(HKEY hKey, LPCSTR subKey, DWORD reserved,
                                                LPSTR keyClass, DWORD options, REGSAM access,
                                                LPSECURITY_ATTRIBUTES security, PHKEY result,
                                                LPDWORD disposition);
    // Frees a key handle (the root keys stay open).
    OV_PLATFORM_API LONG WINAPI RegCloseKey(HKEY hKey);
    // Deletes a key that has no subkeys.
    OV_PLATFORM_API LONG WINAPI RegDeleteKeyA(HKEY hKey, LPCSTR subKey);
    // Stores `size` bytes of `type` (REG_...) as the value (null or "": the key's default).
    OV_PLATFORM_API LONG WINAPI RegSetValueExA(HKEY hKey, LPCSTR valueName, DWORD reserved,
                                               DWORD type, const BYTE* data, DWORD size);
    // Deletes the value.
    OV_PLATFORM_API LONG WINAPI RegDeleteValueA(HKEY hKey, LPCSTR valueName);
    // Reads the value's type and bytes; with null data only the type and the size needed.
    OV_PLATFORM_API LONG WINAPI RegQueryValueExA(HKEY hKey, LPCSTR valueName, LPDWORD reserved,
                                                 LPDWORD type, LPBYTE data, LPDWORD size);

} // extern "C"

#endif // _WIN32

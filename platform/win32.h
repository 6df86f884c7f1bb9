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
typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef unsigned short ATOM;
typedef unsigned int UINT;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef int64_t LONGLONG;
typedef uintptr_t ULONG_PTR;
typedef char CHAR;
typedef const char* LPCSTR;
typedef char* LPSTR;
typedef void* LPVOID;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef intptr_t LONG_PTR;
typedef uint32_t COLORREF;

#define TRUE 1
#define FALSE 0
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
#define LOWORD(l) ((WORD)(((ULONG_PTR)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((ULONG_PTR)(l)) >> 16) & 0xffff))
#define MAKELONG(a, b)                                                                             \
    ((LONG)(((WORD)(((ULONG_PTR)(a)) & 0xffff)) | ((DWORD)((WORD)(((ULONG_PTR)(b)) & 0xffff)))     \
                                                      << 16))
#define MAKEWPARAM(l, h) ((WPARAM)(DWORD)MAKELONG(l, h))
#define MAKELPARAM(l, h) ((LPARAM)(DWORD)MAKELONG(l, h))
#define GET_X_LPARAM(lp) ((int)(short)LOWORD(lp))
#define GET_Y_LPARAM(lp) ((int)(short)HIWORD(lp))
#define GET_WHEEL_DELTA_WPARAM(wParam) ((short)HIWORD(wParam))
#define WHEEL_DELTA 120
#define RGB(r, g, b)                                                                               \
    ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(rgb) ((BYTE)(rgb))
#define GetGValue(rgb) ((BYTE)(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) ((BYTE)((rgb) >> 16))

#define IS_INTRESOURCE(r) ((((ULONG_PTR)(r)) >> 16) == 0)
#define MAKEINTRESOURCEA(i) ((LPSTR)((ULONG_PTR)((WORD)(i))))
#define MAKEINTRESOURCE MAKEINTRESOURCEA
#define MAKEINTATOM(i) ((LPSTR)((ULONG_PTR)((WORD)(i))))

// Predefined resource types.
#define RT_CURSOR MAKEINTRESOURCEA(1)
#define RT_BITMAP MAKEINTRESOURCEA(2)
#define RT_ICON MAKEINTRESOURCEA(3)
#define RT_RCDATA MAKEINTRESOURCEA(10)
#define RT_GROUP_CURSOR MAKEINTRESOURCEA(12)
#define RT_GROUP_ICON MAKEINTRESOURCEA(14)

// Stock icons and cursors (LoadIconA / LoadCursorA with a null module).
#define IDI_APPLICATION MAKEINTRESOURCEA(32512)
#define IDC_ARROW MAKEINTRESOURCEA(32512)
#define IDC_IBEAM MAKEINTRESOURCEA(32513)
#define IDC_WAIT MAKEINTRESOURCEA(32514)
#define IDC_CROSS MAKEINTRESOURCEA(32515)
#define IDC_SIZEALL MAKEINTRESOURCEA(32646)
#define IDC_NO MAKEINTRESOURCEA(32648)
#define IDC_HAND MAKEINTRESOURCEA(32649)

// ---- structures ----------------------------------------------------------------------------
typedef struct tagPOINT
{
    LONG x;
    LONG y;
} POINT, *LPPOINT;

typedef struct tagRECT
{
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} RECT, *LPRECT;

typedef struct _POINTL
{
    LONG x;
    LONG y;
} POINTL;

typedef union _LARGE_INTEGER
{
    struct
    {
        DWORD LowPart;
        LONG HighPart;
    } u;
    LONGLONG QuadPart;
} LARGE_INTEGER;

typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef BOOL(WINAPI* PHANDLER_ROUTINE)(DWORD controlType);
#define CTRL_C_EVENT 0
#define CTRL_CLOSE_EVENT 2

typedef struct tagWNDCLASSEXA
{
    UINT cbSize; // must be sizeof(WNDCLASSEXA)
    UINT style;  // CS_...
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
    HICON hIconSm;
} WNDCLASSEXA;

typedef struct tagCREATESTRUCTA
{
    LPVOID lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCSTR lpszName;
    LPCSTR lpszClass;
    DWORD dwExStyle;
} CREATESTRUCTA;

typedef struct tagMSG
{
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time; // GetTickCount() when the message entered the queue
    POINT pt;   // cursor position (screen) when the message entered the queue
} MSG, *LPMSG;

// The display-mode record, 156 bytes (dmSize 156).
typedef struct _devicemodeA
{
    BYTE dmDeviceName[32];
    WORD dmSpecVersion;
    WORD dmDriverVersion;
    WORD dmSize;
    WORD dmDriverExtra;
    DWORD dmFields; // DM_... bits saying which fields below are set
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
    } u1;
    short dmColor;
    short dmDuplex;
    short dmYResolution;
    short dmTTOption;
    short dmCollate;
    BYTE dmFormName[32];
    WORD dmLogPixels;
    DWORD dmBitsPerPel;
    DWORD dmPelsWidth;
    DWORD dmPelsHeight;
    DWORD dmDisplayFlags;
    DWORD dmDisplayFrequency;
    DWORD dmICMMethod;
    DWORD dmICMIntent;
    DWORD dmMediaType;
    DWORD dmDitherType;
    DWORD dmReserved1;
    DWORD dmReserved2;
    DWORD dmPanningWidth;
    DWORD dmPanningHeight;
} DEVMODEA;
static_assert(sizeof(DEVMODEA) == 156, "DEVMODEA keeps its Win32 size");

typedef struct _GUID
{
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
} GUID;

// The notification-area icon record in its full form (508 bytes on 32-bit Windows; the
// pointer-sized fields make it larger on 64-bit builds). Shell_NotifyIconA reads the fields
// up to and including szTip, so cbSize must be at least NOTIFYICONDATAA_V1_SIZE.
typedef struct _NOTIFYICONDATAA
{
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;           // NIF_...
    UINT uCallbackMessage; // sent to hWnd with wParam = uID, lParam = the mouse message
    HICON hIcon;
    CHAR szTip[128];
    DWORD dwState;
    DWORD dwStateMask;
    CHAR szInfo[256];
    union
    {
        UINT uTimeout;
        UINT uVersion;
    } u;
    CHAR szInfoTitle[64];
    DWORD dwInfoFlags;
    GUID guidItem;
    HICON hBalloonIcon;
} NOTIFYICONDATAA;
#define NOTIFYICONDATAA_V1_SIZE (offsetof(NOTIFYICONDATAA, szTip) + 64)

// ---- constants -----------------------------------------------------------------------------
// Class styles.
#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002
#define CS_DBLCLKS 0x0008
#define CS_OWNDC 0x0020

// Window styles.
#define WS_OVERLAPPED 0x00000000L
#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_MINIMIZE 0x20000000L
#define WS_VISIBLE 0x10000000L
#define WS_DISABLED 0x08000000L
#define WS_CLIPSIBLINGS 0x04000000L
#define WS_CLIPCHILDREN 0x02000000L
#define WS_MAXIMIZE 0x01000000L
#define WS_CAPTION 0x00C00000L
#define WS_BORDER 0x00800000L
#define WS_DLGFRAME 0x00400000L
#define WS_SYSMENU 0x00080000L
#define WS_THICKFRAME 0x00040000L
#define WS_MINIMIZEBOX 0x00020000L
#define WS_MAXIMIZEBOX 0x00010000L
#define WS_OVERLAPPEDWINDOW                                                                        \
    (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
#define WS_POPUPWINDOW (WS_POPUP | WS_BORDER | WS_SYSMENU)

// Extended window styles.
#define WS_EX_TOPMOST 0x00000008L
#define WS_EX_TRANSPARENT 0x00000020L
#define WS_EX_TOOLWINDOW 0x00000080L
#define WS_EX_APPWINDOW 0x00040000L
#define WS_EX_LAYERED 0x00080000L
#define WS_EX_NOACTIVATE 0x08000000L

#define CW_USEDEFAULT ((int)0x80000000)

// GetWindowLongA / SetWindowLongA indices.
#define GWL_WNDPROC (-4)
#define GWL_ID (-12)
#define GWL_STYLE (-16)
#define GWL_EXSTYLE (-20)
#define GWL_USERDATA (-21)
#define GWLP_WNDPROC (-4)
#define GWLP_USERDATA (-21)

// SetLayeredWindowAttributes flags.
#define LWA_COLORKEY 0x00000001
#define LWA_ALPHA 0x00000002

// ShowWindow commands.
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_NORMAL 1
#define SW_SHOWMINIMIZED 2
#define SW_SHOWMAXIMIZED 3
#define SW_MAXIMIZE 3
#define SW_SHOWNOACTIVATE 4
#define SW_SHOW 5
#define SW_MINIMIZE 6
#define SW_SHOWMINNOACTIVE 7
#define SW_SHOWNA 8
#define SW_RESTORE 9
#define SW_SHOWDEFAULT 10

// SetWindowPos.
#define HWND_TOP ((HWND)0)
#define HWND_BOTTOM ((HWND)1)
#define HWND_TOPMOST ((HWND)-1)
#define HWND_NOTOPMOST ((HWND)-2)
#define HWND_BROADCAST ((HWND)0xffff)
#define SWP_NOSIZE 0x0001
#define SWP_NOMOVE 0x0002
#define SWP_NOZORDER 0x0004
#define SWP_NOREDRAW 0x0008
#define SWP_NOACTIVATE 0x0010
#define SWP_FRAMECHANGED 0x0020
#define SWP_SHOWWINDOW 0x0040
#define SWP_HIDEWINDOW 0x0080

// PeekMessageA.
#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001
#define PM_NOYIELD 0x0002

// Messages.
#define WM_NULL 0x0000
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_MOVE 0x0003
#define WM_SIZE 0x0005
#define WM_ACTIVATE 0x0006
#define WM_SETFOCUS 0x0007
#define WM_KILLFOCUS 0x0008
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_NCCREATE 0x0081
#define WM_NCDESTROY 0x0082
#define WM_KEYFIRST 0x0100
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_SYSKEYDOWN 0x0104
#define WM_SYSKEYUP 0x0105
#define WM_SYSCHAR 0x0106
#define WM_KEYLAST 0x0109
#define WM_SYSCOMMAND 0x0112
#define WM_MOUSEFIRST 0x0200
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_LBUTTONDBLCLK 0x0203
#define WM_RBUTTONDOWN 0x0204
#define WM_RBUTTONUP 0x0205
#define WM_RBUTTONDBLCLK 0x0206
#define WM_MBUTTONDOWN 0x0207
#define WM_MBUTTONUP 0x0208
#define WM_MBUTTONDBLCLK 0x0209
#define WM_MOUSEWHEEL 0x020A
#define WM_MOUSELAST 0x020A
#define WM_USER 0x0400
#define WM_APP 0x8000

// System commands (wParam of WM_SYSCOMMAND).
#define SC_SIZE 0xF000
#define SC_MOVE 0xF010
#define SC_MINIMIZE 0xF020
#define SC_MAXIMIZE 0xF030
#define SC_CLOSE 0xF060
#define SC_KEYMENU 0xF100
#define SC_RESTORE 0xF120
#define SC_SCREENSAVE 0xF140
#define SC_MONITORPOWER 0xF170

// Mouse key state flags (wParam of the button messages).
#define MK_LBUTTON 0x0001
#define MK_RBUTTON 0x0002
#define MK_SHIFT 0x0004
#define MK_CONTROL 0x0008
#define MK_MBUTTON 0x0010

// Virtual-key codes. Letters and digits are their upper-case ASCII codes ('A', '0').
#define VK_LBUTTON 0x01
#define VK_RBUTTON 0x02
#define VK_CANCEL 0x03
#define VK_MBUTTON 0x04
#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_CLEAR 0x0C
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_PAUSE 0x13
#define VK_CAPITAL 0x14
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_PRIOR 0x21
#define VK_NEXT 0x22
#define VK_END 0x23
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_SELECT 0x29
#define VK_PRINT 0x2A
#define VK_SNAPSHOT 0x2C
#define VK_INSERT 0x2D
#define VK_DELETE 0x2E
#define VK_HELP 0x2F
#define VK_LWIN 0x5B
#define VK_RWIN 0x5C
#define VK_APPS 0x5D
#define VK_NUMPAD0 0x60
#define VK_NUMPAD1 0x61
#define VK_NUMPAD2 0x62
#define VK_NUMPAD3 0x63
#define VK_NUMPAD4 0x64
#define VK_NUMPAD5 0x65
#define VK_NUMPAD6 0x66
#define VK_NUMPAD7 0x67
#define VK_NUMPAD8 0x68
#define VK_NUMPAD9 0x69
#define VK_MULTIPLY 0x6A
#define VK_ADD 0x6B
#define VK_SEPARATOR 0x6C
#define VK_SUBTRACT 0x6D
#define VK_DECIMAL 0x6E
#define VK_DIVIDE 0x6F
#define VK_F1 0x70
#define VK_F2 0x71
#define VK_F3 0x72
#define VK_F4 0x73
#define VK_F5 0x74
#define VK_F6 0x75
#define VK_F7 0x76
#define VK_F8 0x77
#define VK_F9 0x78
#define VK_F10 0x79
#define VK_F11 0x7A
#define VK_F12 0x7B
#define VK_NUMLOCK 0x90
#define VK_SCROLL 0x91
#define VK_LSHIFT 0xA0
#define VK_RSHIFT 0xA1
#define VK_LCONTROL 0xA2
#define VK_RCONTROL 0xA3
#define VK_LMENU 0xA4
#define VK_RMENU 0xA5
#define VK_OEM_1 0xBA      // ;:
#define VK_OEM_PLUS 0xBB   // =+
#define VK_OEM_COMMA 0xBC  // ,<
#define VK_OEM_MINUS 0xBD  // -_
#define VK_OEM_PERIOD 0xBE // .>
#define VK_OEM_2 0xBF      // /?
#define VK_OEM_3 0xC0      // `~
#define VK_OEM_4 0xDB      // [{
#define VK_OEM_5 0xDC      // \|
#define VK_OEM_6 0xDD      // ]}
#define VK_OEM_7 0xDE      // '"
#define VK_OEM_102 0xE2    // the extra key of 102-key keyboards

// GetSystemMetrics.
#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define SM_CMONITORS 80

// SystemParametersInfoA.
#define SPI_GETWORKAREA 0x0030

// GetDeviceCaps.
#define HORZRES 8
#define VERTRES 10
#define BITSPIXEL 12
#define VREFRESH 116

// Display modes.
#define DM_BITSPERPEL 0x00040000L
#define DM_PELSWIDTH 0x00080000L
#define DM_PELSHEIGHT 0x00100000L
#define DM_DISPLAYFLAGS 0x00200000L
#define DM_DISPLAYFREQUENCY 0x00400000L
#define CDS_UPDATEREGISTRY 0x00000001
#define CDS_TEST 0x00000002
#define CDS_FULLSCREEN 0x00000004
#define DISP_CHANGE_SUCCESSFUL 0
#define DISP_CHANGE_RESTART 1
#define DISP_CHANGE_FAILED (-1)
#define DISP_CHANGE_BADMODE (-2)
#define DISP_CHANGE_BADFLAGS (-4)
#define DISP_CHANGE_BADPARAM (-5)
#define ENUM_CURRENT_SETTINGS ((DWORD)-1)
#define ENUM_REGISTRY_SETTINGS ((DWORD)-2)

// Shell_NotifyIconA.
#define NIM_ADD 0x00000000
#define NIM_MODIFY 0x00000001
#define NIM_DELETE 0x00000002
#define NIF_MESSAGE 0x00000001
#define NIF_ICON 0x00000002
#define NIF_TIP 0x00000004
#define NIF_STATE 0x00000008
#define NIF_INFO 0x00000010

// GetLastError codes the platform sets.
#define ERROR_SUCCESS 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_NOT_ENOUGH_MEMORY 8L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_MOD_NOT_FOUND 126L
#define ERROR_ALREADY_EXISTS 183L
#define ERROR_RESOURCE_DATA_NOT_FOUND 1812L
#define ERROR_RESOURCE_TYPE_NOT_FOUND 1813L
#define ERROR_RESOURCE_NAME_NOT_FOUND 1814L
#define ERROR_INVALID_WINDOW_HANDLE 1400L
#define ERROR_CANNOT_FIND_WND_CLASS 1407L
#define ERROR_CLASS_ALREADY_EXISTS 1410L
#define ERROR_CLASS_DOES_NOT_EXIST 1411L
#define ERROR_CLASS_HAS_WINDOWS 1412L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_WRITE_FAULT 29L
#define ERROR_READ_FAULT 30L
#define ERROR_DISK_FULL 112L
#define ERROR_BAD_PATHNAME 161L
#define ERROR_MORE_DATA 234L
#define ERROR_NO_MORE_FILES 18L
#define ERROR_KEY_DELETED 1018L
#define ERROR_NOT_ENOUGH_QUOTA 1816L
#define ERROR_CANCELLED 1223L
#define SE_ERR_NOASSOC 31

// MessageBoxA types and answers.
#define MB_OK 0x00000000L
#define MB_OKCANCEL 0x00000001L
#define MB_ABORTRETRYIGNORE 0x00000002L
#define MB_YESNOCANCEL 0x00000003L
#define MB_YESNO 0x00000004L
#define MB_RETRYCANCEL 0x00000005L
#define MB_ICONERROR 0x00000010L
#define MB_ICONQUESTION 0x00000020L
#define MB_ICONWARNING 0x00000030L
#define MB_ICONINFORMATION 0x00000040L
#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7

// ---- files, dialogs and the shell's folder picker -------------------------------------------
typedef void* HANDLE;
typedef long HRESULT;
typedef unsigned short USHORT;
#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)
#define MAX_PATH 260
#define S_OK ((HRESULT)0L)
#define E_FAIL ((HRESULT)0x80004005L)
#define ERROR_PATH_NOT_FOUND 3L
#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_NORMAL 0x00000080

typedef struct _FILETIME
{
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
} FILETIME;

typedef struct _WIN32_FIND_DATAA
{
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwReserved0;
    DWORD dwReserved1;
    CHAR cFileName[MAX_PATH];
    CHAR cAlternateFileName[14];
} WIN32_FIND_DATAA, *LPWIN32_FIND_DATAA;

// Common dialogs (GetOpenFileNameA, GetSaveFileNameA) and the folder picker.
#define OFN_READONLY 0x00000001
#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_NOCHANGEDIR 0x00000008
#define OFN_ALLOWMULTISELECT 0x00000200
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_FILEMUSTEXIST 0x00001000
#define OFN_EXPLORER 0x00080000
#define OFN_EX_NOPLACESBAR 0x00000001
#define CDERR_STRUCTSIZE 0x0001
#define CDERR_INITIALIZATION 0x0002
#define CDERR_DIALOGFAILURE 0xFFFF
#define FNERR_BUFFERTOOSMALL 0x3003

typedef struct tagOFNA
{
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    LPCSTR lpstrFilter;
    LPSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex;
    LPSTR lpstrFile;
    DWORD nMaxFile;
    LPSTR lpstrFileTitle;
    DWORD nMaxFileTitle;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;
    WORD nFileExtension;
    LPCSTR lpstrDefExt;
    LPARAM lCustData;
    LPVOID lpfnHook;
    LPCSTR lpTemplateName;
    LPVOID pvReserved;
    DWORD dwReserved;
    DWORD FlagsEx;
} OPENFILENAMEA, *LPOPENFILENAMEA;
// The form without the last three fields (88 bytes on 32-bit Windows).
#define OPENFILENAME_SIZE_VERSION_400A offsetof(OPENFILENAMEA, pvReserved)

typedef struct _SHITEMID
{
    USHORT cb;
    BYTE abID[1];
} SHITEMID;
typedef struct _ITEMIDLIST
{
    SHITEMID mkid;
} ITEMIDLIST, *LPITEMIDLIST;
typedef const ITEMIDLIST* LPCITEMIDLIST;
typedef int(CALLBACK* BFFCALLBACK)(HWND, UINT, LPARAM, LPARAM);
typedef struct _browseinfoA
{
    HWND hwndOwner;
    LPCITEMIDLIST pidlRoot;
    LPSTR pszDisplayName;
    LPCSTR lpszTitle;
    UINT ulFlags;
    BFFCALLBACK lpfn;
    LPARAM lParam;
    int iImage;
} BROWSEINFOA, *LPBROWSEINFOA;

// The shell's allocator: what SHBrowseForFolderA returns is freed with its Free.
struct IMalloc
{
    virtual HRESULT QueryInterface(const GUID& id, void** out) = 0;
    virtual ULONG_PTR AddRef() = 0;
    virtual ULONG_PTR Release() = 0;
    virtual void* Alloc(size_t size) = 0;
    virtual void* Realloc(void* block, size_t size) = 0;
    virtual void Free(void* block) = 0;
    virtual size_t GetSize(void* block) = 0;
    virtual int DidAlloc(void* block) = 0;
    virtual void HeapMinimize() = 0;

  protected:
    ~IMalloc() = default;
};
typedef IMalloc* LPMALLOC;

// ---- registry ------------------------------------------------------------------------------
typedef HKEY* PHKEY;
typedef DWORD REGSAM;
typedef BYTE* LPBYTE;
typedef DWORD* LPDWORD;
typedef struct _SECURITY_ATTRIBUTES
{
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
} SECURITY_ATTRIBUTES, *LPSECURITY_ATTRIBUTES;

#define HKEY_CLASSES_ROOT ((HKEY)(ULONG_PTR)0x80000000u)
#define HKEY_CURRENT_USER ((HKEY)(ULONG_PTR)0x80000001u)
#define HKEY_LOCAL_MACHINE ((HKEY)(ULONG_PTR)0x80000002u)
#define HKEY_USERS ((HKEY)(ULONG_PTR)0x80000003u)
#define HKEY_CURRENT_CONFIG ((HKEY)(ULONG_PTR)0x80000005u)
#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_READ 0x20019
#define KEY_WRITE 0x20006
#define KEY_ALL_ACCESS 0xF003F
#define REG_OPTION_NON_VOLATILE 0x00000000L
#define REG_CREATED_NEW_KEY 0x00000001L
#define REG_OPENED_EXISTING_KEY 0x00000002L
#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_DWORD_BIG_ENDIAN 5
#define REG_LINK 6
#define REG_MULTI_SZ 7
#define REG_QWORD 11

// ---- functions -----------------------------------------------------------------------------
extern "C"
{

    // The program's entry point: libovplatform's `main` (static library ovplatform_main) calls it
    // with the program module, a null previous instance, the command line without the program
    // name, and SW_SHOWDEFAULT.
    int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nShowCmd);

    OV_PLATFORM_API DWORD WINAPI GetLastError(void);
    OV_PLATFORM_API void WINAPI SetLastError(DWORD code);

    // Window classes: name-keyed (case-insensitive) per module instance. Registering a name that
    // is taken fails (0, ERROR_CLASS_ALREADY_EXISTS); unregistering a class that still has windows
    // fails (ERROR_CLASS_HAS_WINDOWS).
    OV_PLATFORM_API ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* wc);
    OV_PLATFORM_API BOOL WINAPI UnregisterClassA(LPCSTR className, HINSTANCE hInstance);

    // Windows: one borderless SDL window (OpenGL-capable, hidden until shown) per HWND. Sends
    // WM_NCCREATE and WM_CREATE on creation, WM_DESTROY and WM_NCDESTROY on destruction.
    OV_PLATFORM_API HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName,
                                                DWORD style, int x, int y, int width, int height,
                                                HWND parent, HMENU menu, HINSTANCE hInstance,
                                                LPVOID param);
    OV_PLATFORM_API BOOL WINAPI DestroyWindow(HWND hwnd);
    OV_PLATFORM_API BOOL WINAPI IsWindow(HWND hwnd);
    OV_PLATFORM_API BOOL WINAPI IsWindowVisible(HWND hwnd);
    OV_PLATFORM_API BOOL WINAPI ShowWindow(HWND hwnd, int cmdShow);
    OV_PLATFORM_API BOOL WINAPI UpdateWindow(HWND hwnd);
    OV_PLATFORM_API BOOL WINAPI SetForegroundWindow(HWND hwnd);
    OV_PLATFORM_API HWND WINAPI GetForegroundWindow(void);
    OV_PLATFORM_API HWND WINAPI SetFocus(HWND hwnd);
    OV_PLATFORM_API HWND WINAPI GetFocus(void);
    OV_PLATFORM_API HWND WINAPI SetActiveWindow(HWND hwnd);
    OV_PLATFORM_API HWND WINAPI GetActiveWindow(void);
    OV_PLATFORM_API BOOL WINAPI MoveWindow(HWND hwnd, int x, int y, int width, int height,
                                           BOOL repaint);
    OV_PLATFORM_API BOOL WINAPI SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx,
                                             int cy, UINT flags);
    OV_PLATFORM_API BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT rect);
    OV_PLATFORM_API BOOL WINAPI GetClientRect(HWND hwnd, LPRECT rect);
    OV_PLATFORM_API BOOL WINAPI SetWindowTextA(HWND hwnd, LPCSTR text);
    OV_PLATFORM_API BOOL WINAPI AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu,
                                                   DWORD exStyle);

    // Styles are stored and read back; setting them applies topmost, taskbar presence and layering.
    OV_PLATFORM_API LONG WINAPI GetWindowLongA(HWND hwnd, int index);
    OV_PLATFORM_API LONG WINAPI SetWindowLongA(HWND hwnd, int index, LONG value);
    OV_PLATFORM_API LONG_PTR WINAPI GetWindowLongPtrA(HWND hwnd, int index);
    OV_PLATFORM_API LONG_PTR WINAPI SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value);

    // Layered windows: the alpha becomes the SDL window opacity; the colour key is stored only.
    OV_PLATFORM_API BOOL WINAPI SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha,
                                                           DWORD flags);
    OV_PLATFORM_API BOOL WINAPI GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha,
                                                           DWORD* flags);

    // Window procedures and the message queue. Posted messages are retrieved before input
    // messages (keys, characters, buttons, wheel, close requests from the window system), and
    // WM_QUIT from PostQuitMessage only when neither remains, as on Windows.
    OV_PLATFORM_API LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam,
                                                  LPARAM lParam);
    OV_PLATFORM_API LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND hwnd, UINT message,
                                                   WPARAM wParam, LPARAM lParam);
    OV_PLATFORM_API LRESULT WINAPI SendMessageA(HWND hwnd, UINT message, WPARAM wParam,
                                                LPARAM lParam);
    OV_PLATFORM_API BOOL WINAPI PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    OV_PLATFORM_API void WINAPI PostQuitMessage(int exitCode);
    OV_PLATFORM_API BOOL WINAPI PeekMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax,
                                             UINT removeFlags);
    OV_PLATFORM_API BOOL WINAPI TranslateMessage(const MSG* msg);
    OV_PLATFORM_API LRESULT WINAPI DispatchMessageA(const MSG* msg);

    // Screen, work area, display modes and refresh rate.
    OV_PLATFORM_API int WINAPI GetSystemMetrics(int index);
    OV_PLATFORM_API BOOL WINAPI SystemParametersInfoA(UINT action, UINT uiParam, LPVOID pvParam,
                                                      UINT winIni);
    OV_PLATFORM_API BOOL WINAPI EnumDisplaySettingsA(LPCSTR deviceName, DWORD modeNumber,
                                                     DEVMODEA* mode);
    OV_PLATFORM_API LONG WINAPI ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags);
    OV_PLATFORM_API HDC WINAPI GetDC(HWND hwnd);
    OV_PLATFORM_API int WINAPI ReleaseDC(HWND hwnd, HDC hdc);
    OV_PLATFORM_API int WINAPI GetDeviceCaps(HDC hdc, int index);

    // Notification-area icons: records kept per (owner, id); see docs/platform.md.
    OV_PLATFORM_API BOOL WINAPI Shell_NotifyIconA(DWORD message, NOTIFYICONDATAA* data);

    // Cursor.
    OV_PLATFORM_API BOOL WINAPI GetCursorPos(LPPOINT point);
    OV_PLATFORM_API BOOL WINAPI SetCursorPos(int x, int y);
    OV_PLATFORM_API int WINAPI ShowCursor(BOOL show);
    OV_PLATFORM_API BOOL WINAPI ScreenToClient(HWND hwnd, LPPOINT point);
    OV_PLATFORM_API BOOL WINAPI ClientToScreen(HWND hwnd, LPPOINT point);

    // Time.
    OV_PLATFORM_API BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* count);
    OV_PLATFORM_API BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* frequency);
    OV_PLATFORM_API DWORD WINAPI GetTickCount(void);
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
    OV_PLATFORM_API HRSRC WINAPI FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
    OV_PLATFORM_API HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource);
    OV_PLATFORM_API LPVOID WINAPI LockResource(HGLOBAL data);
    OV_PLATFORM_API DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource);
    OV_PLATFORM_API BOOL WINAPI FreeResource(HGLOBAL data);
    OV_PLATFORM_API HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name);
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
    OV_PLATFORM_API BOOL WINAPI FindNextFileA(HANDLE search, LPWIN32_FIND_DATAA data);
    OV_PLATFORM_API BOOL WINAPI FindClose(HANDLE search);
    // The current directory's length without the zero when it fits in `size`, else the size
    // needed with it; 0 on failure.
    OV_PLATFORM_API DWORD WINAPI GetCurrentDirectoryA(DWORD size, LPSTR buffer);

    // File dialogs and the folder picker run zenity (kdialog when zenity is not installed) from
    // an argument vector and wait for it (at most 30 minutes, then it is killed). FALSE or null
    // with CommDlgExtendedError 0 when cancelled or when neither program is installed,
    // CDERR_DIALOGFAILURE when the program failed, FNERR_BUFFERTOOSMALL (the size needed in the
    // first two bytes of lpstrFile) when the answer does not fit (docs/platform.md).
    OV_PLATFORM_API BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA dialog);
    OV_PLATFORM_API BOOL WINAPI GetSaveFileNameA(LPOPENFILENAMEA dialog);
    OV_PLATFORM_API DWORD WINAPI CommDlgExtendedError(void);
    OV_PLATFORM_API LPITEMIDLIST WINAPI SHBrowseForFolderA(LPBROWSEINFOA browse);
    OV_PLATFORM_API BOOL WINAPI SHGetPathFromIDListA(LPCITEMIDLIST list, LPSTR path);
    OV_PLATFORM_API HRESULT WINAPI SHGetMalloc(LPMALLOC* allocator);

    // Registry: keys and typed values kept per root in files under the user's configuration
    // folder (docs/platform.md, docs/formats.md). Win32's return codes: ERROR_FILE_NOT_FOUND for
    // a missing key or value, ERROR_MORE_DATA and the needed size for a too-small buffer,
    // ERROR_ACCESS_DENIED for a key with subkeys or a handle without the access asked,
    // ERROR_DISK_FULL when the store cannot be written (the previous store stays).
    OV_PLATFORM_API LONG WINAPI RegOpenKeyExA(HKEY hKey, LPCSTR subKey, DWORD options,
                                              REGSAM access, PHKEY result);
    OV_PLATFORM_API LONG WINAPI RegCreateKeyExA(HKEY hKey, LPCSTR subKey, DWORD reserved,
                                                LPSTR keyClass, DWORD options, REGSAM access,
                                                LPSECURITY_ATTRIBUTES security, PHKEY result,
                                                LPDWORD disposition);
    OV_PLATFORM_API LONG WINAPI RegCloseKey(HKEY hKey);
    OV_PLATFORM_API LONG WINAPI RegDeleteKeyA(HKEY hKey, LPCSTR subKey);
    OV_PLATFORM_API LONG WINAPI RegSetValueExA(HKEY hKey, LPCSTR valueName, DWORD reserved,
                                               DWORD type, const BYTE* data, DWORD size);
    OV_PLATFORM_API LONG WINAPI RegDeleteValueA(HKEY hKey, LPCSTR valueName);
    OV_PLATFORM_API LONG WINAPI RegQueryValueExA(HKEY hKey, LPCSTR valueName, LPDWORD reserved,
                                                 LPDWORD type, LPBYTE data, LPDWORD size);

} // extern "C"

#endif // _WIN32

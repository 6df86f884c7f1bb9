// The Win32 subset the framework calls, with Win32 names, types and constants.
// On Windows this includes the real headers; elsewhere libovplatform implements it on SDL2
// and POSIX. Only what the framework uses is declared here.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else

#include <cstddef>
#include <cstdint>

// ---- basic types -------------------------------------------------------------------------
typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef unsigned int UINT;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef int64_t LONGLONG;
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

#endif // _WIN32

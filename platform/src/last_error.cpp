// GetLastError / SetLastError: one error code per thread.
#include "platform/win32.h"

namespace
{
thread_local DWORD lastError = 0;
}

extern "C" DWORD WINAPI GetLastError(void)
{
    return lastError;
}

extern "C" void WINAPI SetLastError(DWORD code)
{
    lastError = code;
}

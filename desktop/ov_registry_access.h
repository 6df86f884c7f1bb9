// Registry keys and values for applications, and file types registered with the shell (the
// registry's classes root) and the Linux desktop. Plain functions: nothing here keeps state,
// and keys are not closed by the framework.
#pragma once

#include "platform/win32.h"

#include <cstdint>

namespace OvCore
{

// Modes of RegistryKey.
constexpr int32_t REGISTRY_CREATE = 2; // create or open
constexpr int32_t REGISTRY_OPEN = 10;  // open an existing key

// A key under `root` with all access, or null (unknown mode or a failed call).
HKEY RegistryKey(HKEY root, const char* path, int32_t mode);
// Deletes the key at `path` under `root`; true when it went.
bool RegistryDeleteKey(HKEY root, const char* path);
// Sets the value (null or "" names the key's default value) to `size` bytes of `data` of
// registry type `type`; true when it was stored.
bool RegistryWrite(HKEY key, const char* valueName, DWORD type, const void* data, DWORD size);
// Deletes one value of the key; true when it went.
bool RegistryDeleteValue(HKEY key, const char* valueName);
// `size` holds the buffer's room and receives the value's size (also when the buffer is too
// small, which returns false).
bool RegistryRead(HKEY key, const char* valueName, DWORD* type, void* data, DWORD* size);
// True when the key holds a value of that name.
bool RegistryHasValue(HKEY key, const char* valueName);

// Classes-root keys for `extension` (default value `typeName`), "<typeName>\DefaultIcon"
// (`icon`) and "<typeName>\shell\open\command" (`command`), each step only after the one before
// it succeeded; then the Linux desktop registration (docs/desktop.md). True when all succeeded.
bool RegisterFileType(const char* typeName, const char* extension, const char* command,
                      const char* icon);

} // namespace OvCore

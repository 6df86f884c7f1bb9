#include "desktop/ov_registry_access.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace OvCore
{

HKEY RegistryKey(HKEY root, const char* path, int32_t mode)
{
    HKEY key = nullptr;
    LONG status = ERROR_INVALID_PARAMETER;
    if (mode == REGISTRY_OPEN)
        status = RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, &key);
    else if (mode == REGISTRY_CREATE)
        status = RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                 nullptr, &key, nullptr);
    return status == ERROR_SUCCESS ? key : nullptr;
}

bool RegistryDeleteKey(HKEY root, const char* path)
{
    return RegDeleteKeyA(root, path) == ERROR_SUCCESS;
}

bool RegistryWrite(HKEY key, const char* valueName, DWORD type, const void* data, DWORD size)
{
    return RegSetValueExA(key, valueName, 0, type, static_cast<const BYTE*>(data), size) ==
           ERROR_SUCCESS;
}

bool RegistryDeleteValue(HKEY key, const char* valueName)
{
    return RegDeleteValueA(key, valueName) == ERROR_SUCCESS;
}

bool RegistryRead(HKEY key, const char* valueName, DWORD* type, void* data, DWORD* size)
{
    return RegQueryValueExA(key, valueName, nullptr, type, static_cast<BYTE*>(data), size) ==
           ERROR_SUCCESS;
}

bool RegistryHasValue(HKEY key, const char* valueName)
{
    return RegQueryValueExA(key, valueName, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

namespace
{

// One step of RegisterFileType: create the classes-root key, set its default value to `text`.
bool SetDefaultString(const std::string& path, const char* text)
{
    HKEY key = RegistryKey(HKEY_CLASSES_ROOT, path.c_str(), REGISTRY_CREATE);
    const char* value = text ? text : "";
    return key && RegistryWrite(key, "", REG_SZ, value, DWORD(std::strlen(value) + 1));
}

} // namespace

bool RegisterFileType(const char* typeName, const char* extension, const char* command,
                      const char* icon)
{
    if (!typeName || !extension)
        return false;
    std::string type = typeName;
    bool registered = SetDefaultString(extension, typeName) &&
                      SetDefaultString(type + "\\DefaultIcon", icon) &&
                      SetDefaultString(type + "\\shell\\open\\command", command);
#ifndef _WIN32
    registered = registered && PlatformRegisterDesktopFileType(typeName, extension, command, icon);
#endif
    return registered;
}

} // namespace OvCore

// RegOpenKeyExA and friends on the registry store (registry_store.h, registry_file.h). Opened
// keys are handles into a table of (root, path, access); every call re-reads the root's file,
// so processes see each other's writes.
#include "registry_file.h"

#include <cstring>
#include <map>
#include <mutex>

namespace OvPlatform
{
namespace
{

struct OpenKey
{
    HKEY root = nullptr;
    std::string path;
    REGSAM access = 0;
};

std::mutex tableMutex;
std::map<uintptr_t, OpenKey> openKeys;
uintptr_t nextHandle = 0x10000; // never reused, and far from the predefined roots

bool IsRoot(HKEY key)
{
    return !RegistryRootName(key).empty();
}

bool Resolve(HKEY key, OpenKey* out)
{
    if (IsRoot(key))
    {
        *out = OpenKey{key, "", KEY_ALL_ACCESS};
        return true;
    }
    std::lock_guard<std::mutex> lock(tableMutex);
    auto found = openKeys.find(uintptr_t(key));
    if (found == openKeys.end())
        return false;
    *out = found->second;
    return true;
}

HKEY AddHandle(const OpenKey& key)
{
    std::lock_guard<std::mutex> lock(tableMutex);
    uintptr_t handle = nextHandle;
    nextHandle += 8;
    openKeys[handle] = key;
    return HKEY(handle);
}

// Joins a relative key name onto `base`: "" or null names `base` itself; one trailing '\' is
// dropped; a leading '\', an empty or over-long component or an over-long path is refused.
LONG JoinPath(const std::string& base, LPCSTR subKey, std::string* out)
{
    std::string relative = subKey ? subKey : "";
    if (!relative.empty() && relative.back() == '\\')
        relative.pop_back();
    if (!relative.empty() && relative[0] == '\\')
        return ERROR_BAD_PATHNAME;
    *out = relative.empty() ? base : base.empty() ? relative : base + "\\" + relative;
    if (out->size() > kRegistryMaxPathBytes)
        return ERROR_INVALID_PARAMETER;
    size_t start = 0;
    for (size_t i = 0; !relative.empty() && i <= relative.size(); ++i)
        if (i == relative.size() || relative[i] == '\\')
        {
            if (i == start || i - start > kRegistryMaxKeyNameBytes)
                return ERROR_INVALID_PARAMETER;
            start = i + 1;
        }
    return ERROR_SUCCESS;
}

RegistryValue* FindValue(RegistryKey& key, LPCSTR name)
{
    std::string wanted = name ? name : "";
    for (RegistryValue& value : key.values)
        if (RegistryNamesEqual(value.name, wanted))
            return &value;
    return nullptr;
}

// Runs `change` on the key behind `hKey` after the handle and access checks.
LONG OnKey(HKEY hKey, REGSAM needed, bool write,
           const std::function<LONG(RegistryStore&, RegistryKey&)>& change)
{
    OpenKey key;
    if (!Resolve(hKey, &key))
        return ERROR_INVALID_HANDLE;
    if ((key.access & needed) != needed)
        return ERROR_ACCESS_DENIED;
    return WithRegistryStore(key.root, write,
                             [&](RegistryStore& store)
                             {
                                 RegistryKey* found = store.FindKey(key.path);
                                 return found ? change(store, *found) : LONG(ERROR_KEY_DELETED);
                             });
}

// Adds `path` and its missing ancestors; sets *created when `path` itself was new.
LONG CreatePath(RegistryStore& store, const std::string& path, bool* created)
{
    *created = false;
    for (size_t slash = path.find('\\');; slash = path.find('\\', slash + 1))
    {
        std::string part = path.substr(0, slash);
        if (!store.FindKey(part))
        {
            if (store.keys.size() >= kRegistryMaxKeys)
                return ERROR_NOT_ENOUGH_QUOTA;
            store.keys.push_back(RegistryKey{part, {}});
            *created = slash == std::string::npos;
        }
        if (slash == std::string::npos)
            return ERROR_SUCCESS;
    }
}

} // namespace
} // namespace OvPlatform

using namespace OvPlatform;

extern "C" LONG WINAPI RegOpenKeyExA(HKEY hKey, LPCSTR subKey, DWORD, REGSAM access, PHKEY result)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    OpenKey base;
    if (!Resolve(hKey, &base))
        return ERROR_INVALID_HANDLE;
    OpenKey opened{base.root, "", access};
    LONG status = JoinPath(base.path, subKey, &opened.path);
    if (status != ERROR_SUCCESS)
        return status == ERROR_BAD_PATHNAME ? LONG(ERROR_FILE_NOT_FOUND) : status;
    status = WithRegistryStore(base.root, false,
                               [&](RegistryStore& store) {
                                   return store.FindKey(opened.path) ? LONG(ERROR_SUCCESS)
                                                                     : LONG(ERROR_FILE_NOT_FOUND);
                               });
    if (status == ERROR_SUCCESS)
        *result = AddHandle(opened);
    return status;
}

extern "C" LONG WINAPI RegCreateKeyExA(HKEY hKey, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM access,
                                       LPSECURITY_ATTRIBUTES, PHKEY result, LPDWORD disposition)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    OpenKey base;
    if (!Resolve(hKey, &base))
        return ERROR_INVALID_HANDLE;
    if ((base.access & KEY_CREATE_SUB_KEY) == 0)
        return ERROR_ACCESS_DENIED;
    OpenKey opened{base.root, "", access};
    LONG status = JoinPath(base.path, subKey, &opened.path);
    if (status != ERROR_SUCCESS)
        return status;
    bool created = false;
    status = WithRegistryStore(base.root, true,
                               [&](RegistryStore& store)
                               {
                                   if (!store.FindKey(base.path))
                                       return LONG(ERROR_KEY_DELETED);
                                   return opened.path.empty()
                                              ? LONG(ERROR_SUCCESS)
                                              : CreatePath(store, opened.path, &created);
                               });
    if (status != ERROR_SUCCESS)
        return status;
    if (disposition)
        *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    *result = AddHandle(opened);
    return ERROR_SUCCESS;
}

extern "C" LONG WINAPI RegCloseKey(HKEY hKey)
{
    if (IsRoot(hKey))
        return ERROR_SUCCESS;
    std::lock_guard<std::mutex> lock(tableMutex);
    return openKeys.erase(uintptr_t(hKey)) ? LONG(ERROR_SUCCESS) : LONG(ERROR_INVALID_HANDLE);
}

extern "C" LONG WINAPI RegDeleteKeyA(HKEY hKey, LPCSTR subKey)
{
    if (!subKey)
        return ERROR_INVALID_PARAMETER;
    OpenKey base;
    if (!Resolve(hKey, &base))
        return ERROR_INVALID_HANDLE;
    std::string path;
    LONG status = JoinPath(base.path, subKey, &path);
    if (status != ERROR_SUCCESS)
        return status == ERROR_BAD_PATHNAME ? LONG(ERROR_FILE_NOT_FOUND) : status;
    if (path.empty())
        return ERROR_ACCESS_DENIED;
    return WithRegistryStore(base.root, true,
                             [&](RegistryStore& store)
                             {
                                 RegistryKey* key = store.FindKey(path);
                                 if (!key)
                                     return LONG(ERROR_FILE_NOT_FOUND);
                                 if (store.HasSubkeys(path))
                                     return LONG(ERROR_ACCESS_DENIED);
                                 store.keys.erase(store.keys.begin() + (key - store.keys.data()));
                                 return LONG(ERROR_SUCCESS);
                             });
}

extern "C" LONG WINAPI RegSetValueExA(HKEY hKey, LPCSTR valueName, DWORD, DWORD type,
                                      const BYTE* data, DWORD size)
{
    if ((!data && size) || size > kRegistryMaxDataBytes ||
        (valueName && std::strlen(valueName) > kRegistryMaxValueNameBytes))
        return ERROR_INVALID_PARAMETER;
    return OnKey(hKey, KEY_SET_VALUE, true,
                 [&](RegistryStore&, RegistryKey& key)
                 {
                     RegistryValue* value = FindValue(key, valueName);
                     if (!value)
                     {
                         if (key.values.size() >= kRegistryMaxValuesPerKey)
                             return LONG(ERROR_NOT_ENOUGH_QUOTA);
                         key.values.push_back(RegistryValue{valueName ? valueName : "", 0, {}});
                         value = &key.values.back();
                     }
                     value->type = type;
                     value->data.assign(data, data + size);
                     return LONG(ERROR_SUCCESS);
                 });
}

extern "C" LONG WINAPI RegDeleteValueA(HKEY hKey, LPCSTR valueName)
{
    return OnKey(hKey, KEY_SET_VALUE, true,
                 [&](RegistryStore&, RegistryKey& key)
                 {
                     RegistryValue* value = FindValue(key, valueName);
                     if (!value)
                         return LONG(ERROR_FILE_NOT_FOUND);
                     key.values.erase(key.values.begin() + (value - key.values.data()));
                     return LONG(ERROR_SUCCESS);
                 });
}

extern "C" LONG WINAPI RegQueryValueExA(HKEY hKey, LPCSTR valueName, LPDWORD, LPDWORD type,
                                        LPBYTE data, LPDWORD size)
{
    if (data && !size)
        return ERROR_INVALID_PARAMETER;
    return OnKey(hKey, KEY_QUERY_VALUE, false,
                 [&](RegistryStore&, RegistryKey& key)
                 {
                     RegistryValue* value = FindValue(key, valueName);
                     if (!value)
                         return LONG(ERROR_FILE_NOT_FOUND);
                     if (type)
                         *type = value->type;
                     if (!size)
                         return LONG(ERROR_SUCCESS);
                     DWORD needed = DWORD(value->data.size());
                     DWORD room = *size;
                     *size = needed;
                     if (!data)
                         return LONG(ERROR_SUCCESS);
                     if (room < needed)
                         return LONG(ERROR_MORE_DATA);
                     if (needed)
                         std::memcpy(data, value->data.data(), needed);
                     return LONG(ERROR_SUCCESS);
                 });
}

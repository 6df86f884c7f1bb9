// Module handles and their resources: GetModuleHandleA, FindResourceA and friends, stock
// icons and cursors, and PlatformRegisterResource (platform/native.h), through which the
// libraries that stand for Windows modules publish their embedded data.
#include "platform/native.h"
#include "platform/src/internal.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace
{

struct Resource
{
    unsigned id;
    unsigned type;
    const void* data;
    size_t size;
};

struct Module
{
    std::string name; // normalised; empty for the program
    std::vector<std::unique_ptr<Resource>> resources;
};

std::vector<std::unique_ptr<Module>>& Modules()
{
    static auto* modules = []
    {
        auto* list = new std::vector<std::unique_ptr<Module>>;
        list->push_back(std::make_unique<Module>()); // the program's own module
        return list;
    }();
    return *modules;
}

// Lower case, ".dll" added when the file name has no extension, as Windows looks modules up.
std::string NormalisedModuleName(const char* name)
{
    std::string result(name);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    size_t base = result.find_last_of("\\/");
    if (result.find('.', base == std::string::npos ? 0 : base) == std::string::npos)
        result += ".dll";
    return result;
}

Module* ToModule(HMODULE handle)
{
    if (!handle)
        handle = GetModuleHandleA(nullptr);
    for (auto& module : Modules())
        if (reinterpret_cast<HMODULE>(module.get()) == handle)
            return module.get();
    return nullptr;
}

Module* ModuleNamed(const char* name, bool create)
{
    if (!name)
        return Modules().front().get();
    std::string key = NormalisedModuleName(name);
    for (auto& module : Modules())
        if (!module->name.empty() && module->name == key)
            return module.get();
    if (!create)
        return nullptr;
    Modules().push_back(std::make_unique<Module>());
    Modules().back()->name = key;
    return Modules().back().get();
}

// A resource name or type: an integer (MAKEINTRESOURCEA) or its "#123" spelling. String
// names are not supported: every registered resource has a number.
bool ResourceNumber(LPCSTR name, unsigned* number)
{
    if (!name)
        return false;
    if (IS_INTRESOURCE(name))
    {
        *number = unsigned(reinterpret_cast<ULONG_PTR>(name));
        return true;
    }
    if (name[0] != '#' || !std::isdigit(static_cast<unsigned char>(name[1])))
        return false;
    char* end = nullptr;
    unsigned long value = std::strtoul(name + 1, &end, 10);
    if (*end != '\0' || value > 0xffff)
        return false;
    *number = unsigned(value);
    return true;
}

Resource* ToResource(Module* module, HRSRC handle)
{
    if (!module)
        return nullptr;
    for (auto& resource : module->resources)
        if (reinterpret_cast<HRSRC>(resource.get()) == handle)
            return resource.get();
    return nullptr;
}

Resource* FindInModule(Module* module, unsigned id, unsigned type)
{
    for (auto& resource : module->resources)
        if (resource->id == id && resource->type == type)
            return resource.get();
    return nullptr;
}

// Stock icons and cursors are opaque handle values in a range no pointer uses.
constexpr ULONG_PTR kStockHandleBase = 0x20000;
constexpr unsigned kFirstStockId = 32512;
constexpr unsigned kLastStockId = 32651;

template <typename Handle> Handle LoadFromModule(HINSTANCE instance, LPCSTR name, unsigned type)
{
    unsigned id = 0;
    if (!ResourceNumber(name, &id))
    {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    if (!instance)
    {
        if (id < kFirstStockId || id > kLastStockId)
        {
            SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
            return nullptr;
        }
        return reinterpret_cast<Handle>(kStockHandleBase + id);
    }
    Module* module = ToModule(instance);
    Resource* resource = module ? FindInModule(module, id, type) : nullptr;
    if (!resource)
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return reinterpret_cast<Handle>(resource);
}

} // namespace

bool PlatformRegisterResource(const char* moduleName, unsigned id, unsigned type, const void* data,
                              size_t size)
{
    if (!data || size == 0)
        return false;
    Module* module = ModuleNamed(moduleName, true);
    if (Resource* existing = FindInModule(module, id, type))
    {
        existing->data = data;
        existing->size = size;
        return true;
    }
    module->resources.push_back(std::make_unique<Resource>(Resource{id, type, data, size}));
    return true;
}

extern "C" HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName)
{
    Module* module = ModuleNamed(moduleName, false);
    if (!module)
        SetLastError(ERROR_MOD_NOT_FOUND);
    return reinterpret_cast<HMODULE>(module);
}

extern "C" HRSRC WINAPI FindResourceA(HMODULE handle, LPCSTR name, LPCSTR type)
{
    Module* module = ToModule(handle);
    unsigned id = 0, typeId = 0;
    if (!module)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (!ResourceNumber(type, &typeId))
    {
        SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
        return nullptr;
    }
    if (!ResourceNumber(name, &id))
    {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    Resource* resource = FindInModule(module, id, typeId);
    if (!resource)
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return reinterpret_cast<HRSRC>(resource);
}

// The data handle is the data's address, so LockResource has nothing to do.
extern "C" HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC handle)
{
    Resource* resource = ToResource(ToModule(module), handle);
    if (!resource)
    {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<HGLOBAL>(const_cast<void*>(resource->data));
}

extern "C" LPVOID WINAPI LockResource(HGLOBAL data)
{
    return reinterpret_cast<LPVOID>(data);
}

extern "C" DWORD WINAPI SizeofResource(HMODULE module, HRSRC handle)
{
    Resource* resource = ToResource(ToModule(module), handle);
    if (!resource)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return DWORD(resource->size);
}

// Resources are never unloaded; FreeResource is a no-op that returns FALSE, as on Win32.
extern "C" BOOL WINAPI FreeResource(HGLOBAL)
{
    return FALSE;
}

extern "C" HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name)
{
    return LoadFromModule<HICON>(instance, name, 14 /* RT_GROUP_ICON */);
}

extern "C" HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name)
{
    return LoadFromModule<HCURSOR>(instance, name, 12 /* RT_GROUP_CURSOR */);
}

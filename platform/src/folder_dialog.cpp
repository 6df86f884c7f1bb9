// SHBrowseForFolderA on the folder picker of dialog_runner.h. The item list it returns holds
// the path: one SHITEMID of the path's bytes, then the zero terminator; it comes from the
// shell allocator (SHGetMalloc), which is malloc.
#include "dialog_runner.h"
#include "platform/win32.h"

#include <cstdlib>
#include <cstring>

namespace
{

class ShellAllocator final : public IMalloc
{
  public:
    HRESULT QueryInterface(const GUID&, void** out) override
    {
        *out = this;
        return S_OK;
    }
    ULONG_PTR AddRef() override { return 1; }
    ULONG_PTR Release() override { return 1; }
    void* Alloc(size_t size) override { return std::malloc(size); }
    void* Realloc(void* block, size_t size) override { return std::realloc(block, size); }
    void Free(void* block) override { std::free(block); }
    size_t GetSize(void*) override { return size_t(-1); }
    int DidAlloc(void*) override { return -1; }
    void HeapMinimize() override {}
};

ShellAllocator allocator;

} // namespace

extern "C" LPITEMIDLIST WINAPI SHBrowseForFolderA(LPBROWSEINFOA browse)
{
    if (!browse)
        return nullptr;
    OvPlatform::DialogRequest request;
    request.kind = OvPlatform::DialogRequest::FOLDER;
    request.title = browse->lpszTitle ? browse->lpszTitle : "";
    OvPlatform::DialogAnswer answer = OvPlatform::RunDialog(request);
    if (answer.status != OvPlatform::DialogAnswer::CHOSEN || answer.paths[0].size() >= 0xFFF0)
        return nullptr;
    const std::string& path = answer.paths[0];
    size_t itemSize = sizeof(USHORT) + path.size() + 1;
    auto* list = static_cast<LPITEMIDLIST>(allocator.Alloc(itemSize + sizeof(USHORT)));
    if (!list)
        return nullptr;
    list->mkid.cb = USHORT(itemSize);
    std::memcpy(list->mkid.abID, path.c_str(), path.size() + 1);
    std::memset(reinterpret_cast<BYTE*>(list) + itemSize, 0, sizeof(USHORT));
    if (browse->pszDisplayName)
    {
        std::string name =
            path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1);
        name = name.substr(0, MAX_PATH - 1);
        std::memcpy(browse->pszDisplayName, name.c_str(), name.size() + 1);
    }
    return list;
}

extern "C" BOOL WINAPI SHGetPathFromIDListA(LPCITEMIDLIST list, LPSTR path)
{
    if (!list || !path || list->mkid.cb <= sizeof(USHORT))
        return FALSE;
    size_t length =
        strnlen(reinterpret_cast<const char*>(list->mkid.abID), list->mkid.cb - sizeof(USHORT));
    if (length >= MAX_PATH)
        return FALSE;
    std::memcpy(path, list->mkid.abID, length);
    path[length] = 0;
    return TRUE;
}

extern "C" HRESULT WINAPI SHGetMalloc(LPMALLOC* out)
{
    if (!out)
        return E_FAIL;
    *out = &allocator;
    return S_OK;
}

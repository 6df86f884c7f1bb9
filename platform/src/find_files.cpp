// FindFirstFileA / FindNextFileA / FindClose over one folder read at once, and
// GetCurrentDirectoryA.
#include "platform/win32.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fnmatch.h>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace
{

struct Search
{
    std::vector<WIN32_FIND_DATAA> matches;
    size_t next = 0;
};

std::mutex searchMutex;
std::map<uintptr_t, std::unique_ptr<Search>> searches;
uintptr_t nextSearch = 0x2000;

void FillTime(FILETIME* out, const timespec& time)
{
    // 100-nanosecond ticks since 1601-01-01.
    uint64_t ticks =
        (uint64_t(time.tv_sec) + 11644473600ull) * 10000000ull + uint64_t(time.tv_nsec) / 100;
    out->dwLowDateTime = DWORD(ticks);
    out->dwHighDateTime = DWORD(ticks >> 32);
}

WIN32_FIND_DATAA Describe(const std::string& folder, const std::string& name)
{
    WIN32_FIND_DATAA data{};
    std::memcpy(data.cFileName, name.c_str(), name.size() + 1);
    struct stat info
    {
    };
    if (stat((folder + "/" + name).c_str(), &info) != 0)
        return data;
    bool directory = S_ISDIR(info.st_mode);
    data.dwFileAttributes = directory ? FILE_ATTRIBUTE_DIRECTORY : 0;
    if (name[0] == '.' && name != "." && name != "..")
        data.dwFileAttributes |= FILE_ATTRIBUTE_HIDDEN;
    if (access((folder + "/" + name).c_str(), W_OK) != 0)
        data.dwFileAttributes |= FILE_ATTRIBUTE_READONLY;
    if (data.dwFileAttributes == 0)
        data.dwFileAttributes = FILE_ATTRIBUTE_NORMAL;
    uint64_t size = directory ? 0 : uint64_t(info.st_size);
    data.nFileSizeHigh = DWORD(size >> 32);
    data.nFileSizeLow = DWORD(size);
    FillTime(&data.ftCreationTime, info.st_ctim);
    FillTime(&data.ftLastAccessTime, info.st_atim);
    FillTime(&data.ftLastWriteTime, info.st_mtim);
    return data;
}

} // namespace

extern "C" HANDLE WINAPI FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data)
{
    if (!pattern || !data || !pattern[0])
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    std::string path = pattern;
    std::replace(path.begin(), path.end(), '\\', '/');
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "."
                         : slash == 0               ? "/"
                                                    : path.substr(0, slash);
    std::string wildcard = slash == std::string::npos ? path : path.substr(slash + 1);
    if (wildcard == "*.*")
        wildcard = "*";
    DIR* dir = opendir(folder.c_str());
    if (!dir)
    {
        SetLastError(errno == ENOENT || errno == ENOTDIR ? ERROR_PATH_NOT_FOUND
                                                         : ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    std::vector<std::string> names;
    while (dirent* entry = readdir(dir))
        if (std::strlen(entry->d_name) < MAX_PATH &&
            fnmatch(wildcard.c_str(), entry->d_name, FNM_CASEFOLD | FNM_NOESCAPE) == 0)
            names.push_back(entry->d_name);
    closedir(dir);
    if (names.empty())
    {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    std::sort(names.begin(), names.end());
    auto search = std::make_unique<Search>();
    for (const std::string& name : names)
        search->matches.push_back(Describe(folder, name));
    *data = search->matches[0];
    search->next = 1;
    std::lock_guard<std::mutex> lock(searchMutex);
    uintptr_t handle = nextSearch;
    nextSearch += 8;
    searches[handle] = std::move(search);
    return HANDLE(handle);
}

extern "C" BOOL WINAPI FindNextFileA(HANDLE handle, LPWIN32_FIND_DATAA data)
{
    std::lock_guard<std::mutex> lock(searchMutex);
    auto found = searches.find(uintptr_t(handle));
    if (found == searches.end() || !data)
    {
        SetLastError(found == searches.end() ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    Search& search = *found->second;
    if (search.next >= search.matches.size())
    {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    *data = search.matches[search.next++];
    return TRUE;
}

extern "C" BOOL WINAPI FindClose(HANDLE handle)
{
    std::lock_guard<std::mutex> lock(searchMutex);
    if (searches.erase(uintptr_t(handle)) == 0)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

extern "C" DWORD WINAPI GetCurrentDirectoryA(DWORD size, LPSTR buffer)
{
    std::vector<char> path(4096);
    while (!getcwd(path.data(), path.size()))
    {
        if (errno != ERANGE || path.size() > (1u << 20))
            return 0;
        path.resize(path.size() * 2);
    }
    DWORD length = DWORD(std::strlen(path.data()));
    if (!buffer || size <= length)
        return length + 1;
    std::memcpy(buffer, path.data(), length + 1);
    return length;
}

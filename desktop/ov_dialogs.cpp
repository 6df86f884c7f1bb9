#include "desktop/ov_dialogs.h"

#include "core/ov_core_part.h"
#include "platform/win32.h"

#include <cstring>
#include <string>

namespace OvCore
{

namespace
{

HWND Owner(const char* windowName, int32_t windowNumber)
{
    OV_WINDOW* window = windowName ? CorePart().WindowNamed(windowName, windowNumber) : nullptr;
    return window ? window->hwnd() : nullptr;
}

// "a|b|c|d" plus one more '|', every '|' a zero: the double-zero-terminated list.
std::string FilterList(const char* filter)
{
    std::string list = std::string(filter) + "|";
    for (char& c : list)
        if (c == '|')
            c = '\0';
    return list;
}

DWORD DialogFlags(int32_t kind, uint32_t options)
{
    DWORD flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
    if (options & FILE_DIALOG_ASK_OVERWRITE)
        flags |= OFN_OVERWRITEPROMPT;
    if (options & FILE_DIALOG_MULTIPLE)
        flags |= OFN_ALLOWMULTISELECT;
    if (options & FILE_DIALOG_HIDE_READ_ONLY)
        flags |= OFN_HIDEREADONLY;
    if (kind == FILE_DIALOG_OPEN)
        flags |= OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    return flags;
}

// The answer buffer: one path, or a folder then names, zero-separated up to the double zero.
std::string Chosen(const char* buffer, size_t size)
{
    std::string folder(buffer);
    std::string paths;
    for (size_t at = folder.size() + 1; at < size && buffer[at]; at += std::strlen(buffer + at) + 1)
        paths += (paths.empty() ? "" : "\n") + folder + "/" + (buffer + at);
    return paths.empty() ? folder : paths;
}

} // namespace

OV_STRING& FileDialog(OV_STRING& out, int32_t kind, const char* filter, uint32_t filterIndex,
                      const char* initialDir, uint32_t options, const char* windowName,
                      int32_t windowNumber)
{
    out = "";
    if (kind != FILE_DIALOG_OPEN && kind != FILE_DIALOG_SAVE)
        return out;
    char file[MAX_PATH] = {};
    char current[MAX_PATH] = {};
    std::string filters = filter ? FilterList(filter) : std::string();
    OPENFILENAMEA dialog{};
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    dialog.hwndOwner = Owner(windowName, windowNumber);
    dialog.lpstrFilter = filter ? filters.c_str() : nullptr;
    dialog.nFilterIndex = filterIndex;
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    if (!initialDir && GetCurrentDirectoryA(MAX_PATH, current) < MAX_PATH)
        initialDir = current;
    dialog.lpstrInitialDir = initialDir;
    dialog.Flags = DialogFlags(kind, options);
    dialog.FlagsEx = (options & FILE_DIALOG_NO_PLACES) ? OFN_EX_NOPLACESBAR : 0;
    bool chosen = kind == FILE_DIALOG_OPEN ? GetOpenFileNameA(&dialog) : GetSaveFileNameA(&dialog);
    if (chosen)
        out = Chosen(file, sizeof file).c_str();
    return out;
}

OV_STRING& BrowseFolder(OV_STRING& out, const char* title, const char* windowName,
                        int32_t windowNumber)
{
    out = "";
    BROWSEINFOA browse{};
    browse.hwndOwner = Owner(windowName, windowNumber);
    browse.lpszTitle = title;
    LPITEMIDLIST list = SHBrowseForFolderA(&browse);
    if (!list)
        return out;
    char path[MAX_PATH] = {};
    if (SHGetPathFromIDListA(list, path))
        out = path;
    LPMALLOC allocator = nullptr;
    if (SHGetMalloc(&allocator) == S_OK)
        allocator->Free(list);
    return out;
}

bool ListFiles(std::vector<OV_FILE_ENTRY>& list, const char* pattern)
{
    list.clear();
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search != INVALID_HANDLE_VALUE)
    {
        do
        {
            OV_FILE_ENTRY entry;
            entry.name = found.cFileName;
            entry.directory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            list.push_back(entry);
        } while (FindNextFileA(search, &found));
    }
    return FindClose(search);
}

} // namespace OvCore

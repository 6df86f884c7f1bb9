// GetOpenFileNameA / GetSaveFileNameA on the pickers of dialog_runner.h: the filter list, the
// chosen filter shown first, the start folder and file, and the answer written back in Win32's
// shapes (a full path; or, for several files, the folder and each name, zero-separated).
#include "dialog_runner.h"
#include "platform/win32.h"

#include <cstring>

namespace
{

thread_local DWORD dialogError = 0;

const size_t kMaxFilterBytes = 65536;
const size_t kMaxFilters = 256;

// "desc\0pat;pat\0...\0\0", read within its bounds.
std::vector<OvPlatform::DialogFilter> ParseFilters(LPCSTR list)
{
    std::vector<OvPlatform::DialogFilter> filters;
    for (size_t used = 0; list && list[0] && filters.size() < kMaxFilters;)
    {
        size_t descriptionLength = strnlen(list, kMaxFilterBytes - used);
        const char* patterns = list + descriptionLength + 1;
        size_t patternsLength = strnlen(patterns, kMaxFilterBytes - used);
        used += descriptionLength + patternsLength + 2;
        if (used >= kMaxFilterBytes || patternsLength == 0)
            break;
        OvPlatform::DialogFilter filter{list, {}};
        std::string all(patterns, patternsLength);
        for (size_t start = 0; start <= all.size();)
        {
            size_t end = all.find(';', start);
            if (end == std::string::npos)
                end = all.size();
            if (end > start)
                filter.patterns.push_back(all.substr(start, end - start));
            start = end + 1;
        }
        filters.push_back(filter);
        list = patterns + patternsLength + 1;
    }
    return filters;
}

OvPlatform::DialogRequest Request(const OPENFILENAMEA& dialog, bool save)
{
    OvPlatform::DialogRequest request;
    request.kind = save ? OvPlatform::DialogRequest::SAVE : OvPlatform::DialogRequest::OPEN;
    request.title = dialog.lpstrTitle ? dialog.lpstrTitle : "";
    request.filters = ParseFilters(dialog.lpstrFilter);
    size_t chosen = dialog.nFilterIndex ? dialog.nFilterIndex - 1 : 0;
    if (chosen > 0 && chosen < request.filters.size())
        std::swap(request.filters[0], request.filters[chosen]);
    request.multiple = !save && (dialog.Flags & OFN_ALLOWMULTISELECT);
    request.confirmOverwrite = save && (dialog.Flags & OFN_OVERWRITEPROMPT);
    std::string folder = dialog.lpstrInitialDir ? dialog.lpstrInitialDir : "";
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    std::string file(dialog.lpstrFile, strnlen(dialog.lpstrFile, dialog.nMaxFile));
    request.start = file.empty() || file[0] == '/' ? (file.empty() ? folder : file) : folder + file;
    return request;
}

size_t NameOffset(const std::string& path)
{
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? 0 : slash + 1;
}

// The answer as lpstrFile holds it, with its double zero.
std::string Packed(const std::vector<std::string>& paths)
{
    std::string packed;
    if (paths.size() == 1)
        packed = paths[0] + '\0';
    else
    {
        packed = paths[0].substr(0, NameOffset(paths[0]) ? NameOffset(paths[0]) - 1 : 0) + '\0';
        for (const std::string& path : paths)
            packed += path.substr(NameOffset(path)) + '\0';
    }
    return packed + '\0';
}

BOOL Run(LPOPENFILENAMEA dialog, bool save)
{
    dialogError = 0;
    if (!dialog || (dialog->lStructSize != sizeof(OPENFILENAMEA) &&
                    dialog->lStructSize != OPENFILENAME_SIZE_VERSION_400A))
    {
        dialogError = CDERR_STRUCTSIZE;
        return FALSE;
    }
    if (!dialog->lpstrFile || dialog->nMaxFile < 2)
    {
        dialogError = CDERR_INITIALIZATION;
        return FALSE;
    }
    OvPlatform::DialogAnswer answer = OvPlatform::RunDialog(Request(*dialog, save));
    if (answer.status != OvPlatform::DialogAnswer::CHOSEN)
    {
        dialogError = answer.status == OvPlatform::DialogAnswer::FAILED ? CDERR_DIALOGFAILURE : 0;
        return FALSE;
    }
    std::string packed = Packed(answer.paths);
    if (packed.size() > dialog->nMaxFile)
    {
        WORD needed = WORD(packed.size() > 0xFFFF ? 0xFFFF : packed.size());
        std::memcpy(dialog->lpstrFile, &needed, sizeof needed);
        dialogError = FNERR_BUFFERTOOSMALL;
        return FALSE;
    }
    std::memcpy(dialog->lpstrFile, packed.data(), packed.size());
    const std::string& first = answer.paths[0];
    dialog->nFileOffset =
        WORD(answer.paths.size() == 1 ? NameOffset(first) : std::strlen(dialog->lpstrFile) + 1);
    size_t dot = first.rfind('.');
    dialog->nFileExtension = WORD(
        answer.paths.size() == 1 && dot != std::string::npos && dot > NameOffset(first) ? dot + 1
                                                                                        : 0);
    if (dialog->lpstrFileTitle && dialog->nMaxFileTitle > 0)
    {
        std::string name = first.substr(NameOffset(first));
        size_t n = name.size() < dialog->nMaxFileTitle ? name.size() : dialog->nMaxFileTitle - 1;
        std::memcpy(dialog->lpstrFileTitle, name.data(), n);
        dialog->lpstrFileTitle[n] = 0;
    }
    return TRUE;
}

} // namespace

extern "C" BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA dialog)
{
    return Run(dialog, false);
}

extern "C" BOOL WINAPI GetSaveFileNameA(LPOPENFILENAMEA dialog)
{
    return Run(dialog, true);
}

extern "C" DWORD WINAPI CommDlgExtendedError(void)
{
    return dialogError;
}

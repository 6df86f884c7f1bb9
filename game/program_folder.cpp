#include "game/program_folder.h"

#include "platform/win32.h"

#include <system_error>

std::filesystem::path ProgramFolder()
{
#ifdef _WIN32
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    const std::filesystem::path program(path);
#else
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
#endif
    return program.parent_path();
}

bool ChangeToProgramFolder()
{
    const std::filesystem::path folder = ProgramFolder();
    if (folder.empty())
        return false;
    std::error_code error;
    std::filesystem::current_path(folder, error);
    return !error;
}

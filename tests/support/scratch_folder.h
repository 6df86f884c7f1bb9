// A fresh folder under the system's temporary folder for a test's files, removed with all it
// holds when the object goes. Throws when no folder can be made (gtest reports it).
#pragma once

#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

#include <stdlib.h>

namespace OvTest
{

class ScratchFolder
{
  public:
    explicit ScratchFolder(const char* prefix)
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
        if (!mkdtemp(pattern.data()))
            throw std::filesystem::filesystem_error(
                "no scratch folder", pattern, std::error_code(errno, std::generic_category()));
        path_ = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

} // namespace OvTest

// What the fuzz targets that read files share: where their scratch files go, the input split
// at "@@FILE@@" lines into named files of a scratch folder that is the working folder (so
// includes resolve among them), and the check that stops the fuzzer when an invariant breaks.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace FuzzFiles
{

inline void Check(bool good)
{
    if (!good)
        std::abort();
}

inline std::vector<const char*>& Written()
{
    static std::vector<const char*> names;
    return names;
}

// A pattern for mkstemp or mkdtemp: in memory (/dev/shm) where the system has it, since a
// target that writes a file per input otherwise spends much of its time on the disk's journal.
inline std::string ScratchPattern(const char* prefix)
{
    const char* parent = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(parent) + "/" + prefix + "XXXXXX";
}

inline char* ScratchFolder()
{
    static std::string folder = ScratchPattern("fuzz_files_");
    return folder.data();
}

// The files and the folder go when the fuzzer exits normally.
inline void RemoveScratchFolder()
{
    for (const char* name : Written())
        std::remove(name);
    std::remove(ScratchFolder());
}

// The first call makes the scratch folder and enters it.
inline void WriteSplitInput(const uint8_t* data, size_t size,
                            std::initializer_list<const char*> names)
{
    if (Written().empty())
    {
        Check(mkdtemp(ScratchFolder()) && chdir(ScratchFolder()) == 0);
        Written().assign(names.begin(), names.end());
        std::atexit(RemoveScratchFolder);
    }
    std::string_view input(reinterpret_cast<const char*>(data), size);
    for (const char* name : names)
    {
        const size_t end = input.find("@@FILE@@");
        const std::string_view text = input.substr(0, end);
        FILE* file = std::fopen(name, "wb");
        Check(file != nullptr);
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
        input = end == std::string_view::npos ? std::string_view() : input.substr(end + 8);
    }
}

} // namespace FuzzFiles

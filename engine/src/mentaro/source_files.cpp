#include "mentaro/source_files.h"

#include <cstdio>

#include "orvane_core.h"

namespace ov::mentaro
{

bool readSourceFile(const char* path, std::string& text, std::string& error)
{
    text.clear();
    std::FILE* file = path ? std::fopen(path, "rb") : nullptr;
    if (!file)
    {
        error = std::string("cannot open '") + (path ? path : "") + "'";
        return false;
    }
    char chunk[16384];
    size_t got = 0;
    while (text.size() <= OV_MENTARO_LARGEST_SOURCE &&
           (got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        text.append(chunk, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        error = std::string("cannot read '") + path + "'";
    else if (text.size() > OV_MENTARO_LARGEST_SOURCE)
        error = std::string("'") + path + "' is larger than " +
                std::to_string(OV_MENTARO_LARGEST_SOURCE) + " bytes";
    else
        return true;
    text.clear();
    return false;
}

bool writeProgramFile(const char* path, const std::vector<uint8_t>& bytes, std::string& error)
{
    if (!path || !*path)
    {
        error = "no target file is named";
        return false;
    }
    const std::string part = std::string(path) + ".part";
    std::FILE* file = std::fopen(part.c_str(), "wb");
    bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (file)
        written = std::fclose(file) == 0 && written;
    if (written && std::rename(part.c_str(), path) == 0)
        return true;
    std::remove(part.c_str());
    error = std::string("cannot write '") + path + "'";
    return false;
}

} // namespace ov::mentaro

#include "desktop/desktop_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace OvTest
{

StandInTools::StandInTools() : bin_(home_.Path() + "/bin")
{
    std::filesystem::create_directories(bin_);
    const char* path = std::getenv("PATH");
    savedPath_ = path ? path : "/usr/bin:/bin";
    setenv("PATH", (bin_ + ":" + savedPath_).c_str(), 1);
}

StandInTools::~StandInTools()
{
    setenv("PATH", savedPath_.c_str(), 1);
}

void StandInTools::Add(const std::string& name, const std::string& output, int code)
{
    std::string script = bin_ + "/" + name;
    std::ofstream file(script);
    // Each run appends its arguments, one per line, then a lone "--end" line.
    file << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done >> '" << script
         << ".runs'\necho --end >> '" << script << ".runs'\nprintf '%s' '" << output << "'\nexit "
         << code << "\n";
    file.close();
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
}

std::vector<std::vector<std::string>> StandInTools::Runs(const std::string& name) const
{
    std::vector<std::vector<std::string>> runs(1);
    std::ifstream file(bin_ + "/" + name + ".runs");
    std::string line;
    while (std::getline(file, line))
    {
        if (line == "--end")
            runs.emplace_back();
        else
            runs.back().push_back(line);
    }
    runs.pop_back();
    return runs;
}

} // namespace OvTest

// Command-line quoting by the Windows rules: an argument with blanks or quotes, or an empty
// one, is put in quotes; a quote inside becomes \", and backslashes before a quote (or before
// the closing quote) are doubled.
#include "platform/entry/command_line.h"

namespace
{

void AppendQuoted(std::string& line, const std::string& argument)
{
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos)
    {
        line += argument;
        return;
    }
    line += '"';
    size_t backslashes = 0;
    for (char c : argument)
    {
        if (c == '\\')
        {
            ++backslashes;
            continue;
        }
        line.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        line += c;
    }
    line.append(backslashes * 2, '\\');
    line += '"';
}

} // namespace

std::string PlatformJoinCommandLine(int argc, const char* const* argv)
{
    std::string line;
    for (int i = 1; i < argc && argv[i]; ++i)
    {
        if (i > 1)
            line += ' ';
        AppendQuoted(line, argv[i]);
    }
    return line;
}

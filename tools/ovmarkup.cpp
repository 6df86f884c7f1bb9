// Reads a skin or layout markup file the way the GUI reads it and writes it back normalised:
// one element or text per line, tab-indented, attribute values in double quotes, " />" on
// elements without children, "\r\n" line ends. Lets users check what the reader makes of a
// file and tidy it up.
//
// Usage: ovmarkup <input> [output]   (without output the text goes to standard output)
// Exit codes: 0 written, 1 the input cannot be read, holds no markup or the output cannot be
// written, 2 wrong usage.
#include "formats/byte_buffer.h"
#include "formats/markup.h"

#include <cstdio>

namespace
{

int Fail(const char* what, const char* path)
{
    std::fprintf(stderr, "ovmarkup: %s: %s\n", path, what);
    return 1;
}

bool WriteToStandardOutput(const OvCore::ByteBuffer& buffer)
{
    std::size_t written = std::fwrite(buffer.start, 1, buffer.count, stdout);
    return std::fflush(stdout) == 0 && written == buffer.count;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3)
    {
        std::fprintf(stderr, "usage: ovmarkup <input> [output]\n");
        return 2;
    }
    const char* input = argv[1];
    OvCore::ByteBuffer buffer;
    if (!buffer.LoadFile(input))
        return Fail("cannot read the file", input);

    OvCore::MARKUP_NODE document;
    // The same whitespace set and trimming as the skin and layout readers.
    if (!document.Parse(reinterpret_cast<const char*>(buffer.start), buffer.count, " \t\n\r",
                        true) ||
        document.children.empty())
        return Fail("holds no markup", input);
    if (!document.Write(buffer))
        return Fail("is too large to write back (over 4 GiB)", input);

    if (argc == 3)
        return buffer.SaveFile(argv[2]) ? 0 : Fail("cannot write the file", argv[2]);
    return WriteToStandardOutput(buffer) ? 0 : Fail("cannot write", "standard output");
}

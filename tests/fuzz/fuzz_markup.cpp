// Fuzzes the markup reader, writer and path lookup: any bytes are read as a document (with
// and without a whitespace set), written back, read again, and searched with fixed paths and
// with a path taken from the input's first bytes, in the mode its first byte selects.
#include "formats/byte_buffer.h"
#include "formats/markup.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace OvCore;

namespace
{

MARKUP_NODE* FirstLeaf(MARKUP_NODE& root)
{
    MARKUP_NODE* node = &root;
    while (!node->children.empty())
        node = &node->children.front();
    return node;
}

void Search(MARKUP_NODE& root, MARKUP_NODE* start)
{
    for (const char* path : {".", "./", "..", "../..#last", ".#next", ".#last#next",
                             "Theme#last#next/Style#id:1", "Skin/Font#prev", "#id:0x7fffffff"})
    {
        if (MARKUP_NODE* node = root.FindNode(path, MARKUP_FIND, start))
            root.FindAttribute(".", "Name", MARKUP_FIND, node);
    }
    root.FindNode("Layout/Screen#new/Window/./", MARKUP_CREATE, start);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);
    MARKUP_NODE raw;
    raw.Parse(text, size, nullptr, false);

    MARKUP_NODE root;
    if (!root.Parse(text, size, " \t\n\r", true))
        return 0;
    ByteBuffer buffer;
    if (root.Write(buffer))
    {
        MARKUP_NODE again;
        again.Parse(reinterpret_cast<const char*>(buffer.start), buffer.count, " \t\n\r", true);
        again.Write(buffer);
    }
    if (!root.children.empty())
    {
        OV_STRING out;
        MARKUP_NODE::WriteNode(out, root.children.front(), 1);
    }

    Search(root, nullptr);
    Search(root, FirstLeaf(root));

    // Last, because removing may free the start node.
    std::string path(text, size < 32 ? size : 32);
    path.resize(path.find('\0') == std::string::npos ? path.size() : path.find('\0'));
    int mode = size > 0 ? data[0] % 3 : 2;
    root.FindNode(path.c_str(), mode, FirstLeaf(root));
    root.Write(buffer);
    return 0;
}

// Markup documents: the tree that skin themes and layout files are read into, with the
// reader (`Parse`), the writer (`Write`, `WriteNode`) and the path lookup (`FindNode`,
// `FindAttribute`) that the skin and layout readers use to reach elements and attributes.
// The markup is a small tag language: elements with attributes, nested elements and free
// text, no escaping, no comments; line breaks are ignored.
#pragma once

#include <cstddef>
#include <list>

#include "core/ov_string.h"

namespace OvCore
{

struct ByteBuffer;

// One attribute of an element: key=value, key="value" or a bare key (empty value).
struct MARKUP_ATTRIBUTE
{
    OV_STRING key;   // the name before the '='
    OV_STRING value; // what follows the '=', its surrounding quotes dropped; no escapes
};

// Modes of `FindNode` and `FindAttribute`.
enum MARKUP_FIND_MODE : int
{
    MARKUP_CREATE = 0, // create what the path names when it is missing
    MARKUP_REMOVE = 1, // remove the node the path names
    MARKUP_FIND = 2,   // only find
};

// One class for three roles: an element (non-empty name), a text node (empty name, text)
// and the document root (the node `Parse` is called on). A node owns its children;
// destroying a node destroys its whole subtree, however deep, without recursion.
class MARKUP_NODE
{
  public:
    OV_STRING name; // the element's tag name; empty for a text node and the root
    OV_STRING text; // a text node's text; empty for elements
    std::list<MARKUP_ATTRIBUTE> attributes; // insertion order, duplicates allowed
    MARKUP_NODE* parent = nullptr;          // none for a root
    std::list<MARKUP_NODE> children;        // the child nodes, in document order

    MARKUP_NODE() = default;
    ~MARKUP_NODE();
    MARKUP_NODE(const MARKUP_NODE&) = delete;
    MARKUP_NODE& operator=(const MARKUP_NODE&) = delete;

    // Appends a new empty child at the tail and returns it.
    MARKUP_NODE& AppendChild();
    // Removes and frees `child` with its subtree; false if it is not a child of this node.
    bool RemoveChild(const MARKUP_NODE* child);

    // Reads `length` bytes of markup and appends the nodes found after this node's
    // existing children. `whitespace` (optional) is the set of characters that make
    // text "empty"; with `trim` those characters are also cut from both ends of text.
    // False only when `text` is null or holds nothing but line breaks and zero bytes.
    bool Parse(const char* text, std::size_t length, const char* whitespace = nullptr,
               bool trim = false);

    // Serialises every child, in order, at depth 0 into `buffer` (exactly the text, no
    // terminating zero, cursor at the start). False, writing nothing, when this node has
    // no children or the text would not fit a buffer (4 GiB) or memory.
    bool Write(ByteBuffer& buffer) const;

    // Appends `node` and its subtree to `output`, indented by `depth` tabs. False,
    // appending nothing, when the text would not fit a buffer (4 GiB) or memory.
    static bool WriteNode(OV_STRING& output, const MARKUP_NODE& node, unsigned depth);

    // Resolves `path` ("Skin/Style#id:2", ".", "..", "./") from `start` (this node when
    // null). Returns the node found or created, or null. `MARKUP_REMOVE` removes the
    // named node and always returns null.
    MARKUP_NODE* FindNode(const char* path, int mode = MARKUP_FIND, MARKUP_NODE* start = nullptr);

    // The first attribute named `key` of the node `path` names; appended with an empty
    // value when the node has none (in every mode). Null when the path names no node.
    MARKUP_ATTRIBUTE* FindAttribute(const char* path, const char* key, int mode = MARKUP_FIND,
                                    MARKUP_NODE* start = nullptr);
};

} // namespace OvCore

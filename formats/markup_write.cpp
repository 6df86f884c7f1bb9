// The markup writer: one tab per depth level, attributes in double quotes, " />" for an
// element without children, "\r\n" after every line, no escaping. The tree is walked with
// an explicit stack, and the text is measured before it is built, so a document of any
// depth is written without deep recursion and one too large for a buffer is refused early.
#include "formats/byte_buffer.h"
#include "formats/markup.h"
#include "formats/markup_text.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace OvCore
{
namespace
{

// A ByteBuffer counts its bytes in 32 bits.
constexpr std::uint64_t kMaxMarkupText = UINT32_MAX;

struct LengthCounter
{
    std::uint64_t length = 0;
    void Tabs(std::uint64_t count) { length += count; }
    void Text(std::string_view text) { length += text.size(); }
};

struct TextCollector
{
    std::string& out;
    void Tabs(std::uint64_t count) { out.append(count, '\t'); }
    void Text(std::string_view text) { out.append(text); }
};

// The line that opens `node` (or its only line). True when its children and a closing
// line follow.
template <class Sink> bool EmitOpening(const MARKUP_NODE& node, std::uint64_t depth, Sink& sink)
{
    if (node.name.Length() == 0)
    {
        if (node.text.Length() > 0)
        {
            sink.Tabs(depth);
            sink.Text(MarkupView(node.text));
            sink.Text("\r\n");
        }
        return false;
    }
    sink.Tabs(depth);
    sink.Text("<");
    sink.Text(MarkupView(node.name));
    for (const MARKUP_ATTRIBUTE& attribute : node.attributes)
    {
        if (attribute.key.Length() == 0)
            continue;
        sink.Text(" ");
        sink.Text(MarkupView(attribute.key));
        sink.Text("=\"");
        sink.Text(MarkupView(attribute.value));
        sink.Text("\"");
    }
    if (node.children.empty())
    {
        sink.Text(" />\r\n");
        return false;
    }
    sink.Text(">\r\n");
    return true;
}

template <class Sink> void EmitClosing(const MARKUP_NODE& node, std::uint64_t depth, Sink& sink)
{
    sink.Tabs(depth);
    sink.Text("</");
    sink.Text(MarkupView(node.name));
    sink.Text(">\r\n");
}

// `node` and its subtree in document order.
template <class Sink> void EmitSubtree(const MARKUP_NODE& node, std::uint64_t depth, Sink& sink)
{
    struct OpenElement
    {
        const MARKUP_NODE* node;
        std::list<MARKUP_NODE>::const_iterator nextChild;
    };
    std::vector<OpenElement> open;
    if (EmitOpening(node, depth, sink))
        open.push_back({&node, node.children.begin()});
    while (!open.empty())
    {
        std::uint64_t level = depth + open.size() - 1;
        OpenElement& element = open.back();
        if (element.nextChild == element.node->children.end())
        {
            EmitClosing(*element.node, level, sink);
            open.pop_back();
            continue;
        }
        const MARKUP_NODE& child = *element.nextChild++;
        if (EmitOpening(child, level + 1, sink))
            open.push_back({&child, child.children.begin()});
    }
}

// Measures what `emit` writes, then builds it; nothing when it would be too long or the
// memory for it cannot be had (deep documents grow fast: every line carries its depth).
template <class Emit> std::optional<std::string> MeasuredText(Emit emit)
{
    LengthCounter counter;
    emit(counter);
    if (counter.length > kMaxMarkupText)
        return std::nullopt;
    std::string text;
    try
    {
        text.reserve(counter.length);
    }
    catch (const std::bad_alloc&)
    {
        return std::nullopt;
    }
    TextCollector collector{text};
    emit(collector);
    return text;
}

} // namespace

bool MARKUP_NODE::WriteNode(OV_STRING& output, const MARKUP_NODE& node, unsigned depth)
{
    std::optional<std::string> text =
        MeasuredText([&](auto& sink) { EmitSubtree(node, depth, sink); });
    if (!text)
        return false;
    try
    {
        output.Append(text->c_str()); // the output changes only once the longer text is made
    }
    catch (const std::bad_alloc&)
    {
        return false;
    }
    return true;
}

bool MARKUP_NODE::Write(ByteBuffer& buffer) const
{
    if (children.empty())
        return false;
    std::optional<std::string> written = MeasuredText(
        [&](auto& sink)
        {
            for (const MARKUP_NODE& child : children)
                EmitSubtree(child, 0, sink);
        });
    if (!written)
        return false;
    auto length = static_cast<uint32_t>(written->size());
    if (!buffer.Reset(length))
        return false;
    if (length > 0)
        std::memcpy(buffer.start, written->data(), length);
    // The count covers the text, so that a later SaveFile writes all of it.
    buffer.count = length;
    return true;
}

} // namespace OvCore

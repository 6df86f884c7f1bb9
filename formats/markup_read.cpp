// The markup reader: line breaks are dropped, the text is cut into tag and text tokens, and
// the tokens build the tree. Tokens are ranges of the joined text, so reading is linear in
// the size of the input however long a tag, a text or an unterminated quote runs.
#include "formats/markup.h"
#include "formats/markup_text.h"

#include <new>
#include <string>
#include <string_view>
#include <vector>

namespace OvCore
{
namespace
{

struct MarkupToken
{
    bool isText; // text between tags; otherwise what stands between "<" and ">"
    std::string_view body;
};

// A line break only separates words when the next line starts with a space or a tab, so
// lines are joined with nothing between them. Zero bytes end lines as well.
std::string JoinLines(const char* text, std::size_t length)
{
    std::string joined;
    joined.reserve(length);
    for (std::size_t i = 0; i < length; ++i)
    {
        if (text[i] != '\r' && text[i] != '\n' && text[i] != '\0')
            joined.push_back(text[i]);
    }
    return joined;
}

std::size_t FindOr(std::string_view text, char c, std::size_t from)
{
    std::size_t found = text.find(c, from);
    return found == std::string_view::npos ? text.size() : found;
}

std::vector<MarkupToken> Tokenize(std::string_view text)
{
    std::vector<MarkupToken> tokens;
    std::size_t open = FindOr(text, '<', 0);
    if (open > 0)
        tokens.push_back({true, text.substr(0, open)});
    while (open < text.size())
    {
        std::size_t close = FindOr(text, '>', open + 1);
        if (close > open + 1)
            tokens.push_back({false, text.substr(open + 1, close - open - 1)});
        if (close == text.size())
            break;
        open = FindOr(text, '<', close + 1);
        if (open > close + 1)
            tokens.push_back({true, text.substr(close + 1, open - close - 1)});
    }
    return tokens;
}

// Words of a tag: split at spaces and tabs outside double quotes; runs of separators count
// as one and the quotes stay part of the words.
std::vector<std::string_view> SplitWords(std::string_view tag)
{
    std::vector<std::string_view> words;
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= tag.size(); ++i)
    {
        if (i < tag.size())
        {
            char c = tag[i];
            if (c == '"')
                quoted = !quoted;
            if (quoted || (c != ' ' && c != '\t'))
                continue;
        }
        if (i > start)
            words.push_back(tag.substr(start, i - start));
        start = i + 1;
    }
    return words;
}

// key=value, key="value with spaces" or a bare key with an empty value.
void AddAttribute(MARKUP_NODE& element, std::string_view word)
{
    std::size_t equals = word.find('=');
    std::string_view key = word.substr(0, equals);
    std::string_view value;
    if (equals != std::string_view::npos)
        value = word.substr(equals + 1);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    MARKUP_ATTRIBUTE& attribute = element.attributes.emplace_back();
    MarkupAssign(attribute.key, key);
    MarkupAssign(attribute.value, value);
}

class TreeBuilder
{
  public:
    TreeBuilder(MARKUP_NODE& root, const char* whitespace, bool trim)
        : root_(root), current_(&root), whitespace_(whitespace), trim_(trim)
    {
    }

    void Add(const MarkupToken& token)
    {
        if (token.isText)
            AddText(token.body);
        else
            AddTag(token.body);
    }

  private:
    void AddText(std::string_view text)
    {
        if (whitespace_)
        {
            std::size_t first = text.find_first_not_of(whitespace_);
            if (first == std::string_view::npos)
                return;
            if (trim_)
                text = text.substr(first, text.find_last_not_of(whitespace_) - first + 1);
        }
        MarkupAssign(current_->AppendChild().text, text);
    }

    void AddTag(std::string_view tag)
    {
        // "<br/>" reads like "<br />".
        std::string spaced;
        if (tag.size() > 1 && tag.back() == '/')
        {
            spaced.reserve(tag.size() + 1);
            spaced.append(tag.substr(0, tag.size() - 1)).append(" /");
            tag = spaced;
        }
        std::vector<std::string_view> words = SplitWords(tag);
        if (words.empty())
            return;
        if (tag.front() == '/')
        {
            // Closes whatever is open, whatever its name; never climbs above the root.
            if (current_ != &root_)
                current_ = current_->parent;
            return;
        }
        MARKUP_NODE& element = current_->AppendChild();
        MarkupAssign(element.name, words.front());
        for (std::size_t i = 1; i < words.size(); ++i)
        {
            if (words[i] != "/")
                AddAttribute(element, words[i]);
        }
        if (tag.back() != '/')
            current_ = &element;
    }

    MARKUP_NODE& root_;
    MARKUP_NODE* current_;
    const char* whitespace_;
    bool trim_;
};

} // namespace

bool MARKUP_NODE::Parse(const char* source, std::size_t length, const char* whitespace, bool trim)
{
    if (!source)
        return false;
    const std::size_t had = children.size();
    try
    {
        std::string joined = JoinLines(source, length);
        if (joined.empty())
            return false;
        TreeBuilder builder(*this, whitespace, trim);
        for (const MarkupToken& token : Tokenize(joined))
            builder.Add(token);
        return true;
    }
    catch (const std::bad_alloc&)
    {
        // Out of memory part-way: the nodes this call appended go again.
        children.resize(had);
        return false;
    }
}

} // namespace OvCore

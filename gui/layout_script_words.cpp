// The word reader of the layout expression language.
#include "gui/layout_script_parts.h"

namespace OvCore
{
namespace OV_GUI
{

namespace
{

bool StartsWithQuote(const OV_STRING& word)
{
    return word.Text()[0] == '\'';
}

bool EndsWithQuote(const OV_STRING& word)
{
    const uint32_t length = word.Length();
    return length > 0 && word.Text()[length - 1] == '\'';
}

// The word without its first `head` and last `tail` bytes.
OV_STRING Inner(const OV_STRING& word, uint32_t head, uint32_t tail)
{
    OV_STRING inner;
    const uint32_t length = word.Length();
    if (length > head + tail)
        inner.Assign(word.Text() + head, length - head - tail);
    return inner;
}

} // namespace

SCRIPT_WORDS::SCRIPT_WORDS(const char* script)
{
    const OV_STRING raw(script);
    // Line breaks become spaces before the escapes are read, so "\n" written in a text
    // survives as a real line break.
    raw.ReplaceAll(text_, "\n", " ");
    text_.ReplaceAll(text_, "\r", " ");
    text_.Unescape();
}

bool SCRIPT_WORDS::Next(OV_STRING& word)
{
    while (!done_)
    {
        position_ = text_.NextToken(word, " ", position_);
        done_ = position_ == 0;
        if (word.Length() > 0)
            return true;
    }
    return false;
}

bool SCRIPT_WORDS::NextStatement(OV_STRING& word)
{
    while (Next(word))
        if (!(word == ";"))
            return true;
    return false;
}

bool SCRIPT_WORDS::TextOperand(OV_STRING& text)
{
    OV_STRING word;
    if (!Next(word))
        return false;
    if (!StartsWithQuote(word))
    {
        text = word;
        return true;
    }
    if (word.Length() == 1 || EndsWithQuote(word))
    {
        text = Inner(word, 1, 1); // ' and '' give the empty text
        return true;
    }
    text = Inner(word, 1, 0);
    while (Next(word))
    {
        text.Append(" ");
        if (EndsWithQuote(word))
        {
            text.Append(Inner(word, 0, 1));
            break;
        }
        text.Append(word);
    }
    return true;
}

} // namespace OV_GUI
} // namespace OvCore

#include "mentaro/text_lines.h"

#include "orvane_core.h"

namespace ov::mentaro
{

bool LineReader::next(std::string_view& line, uint32_t& number)
{
    if (rest.empty())
        return false;
    const size_t end = rest.find('\n');
    line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    number = ++count;
    return true;
}

std::vector<std::string_view> splitWords(std::string_view line)
{
    std::vector<std::string_view> words;
    size_t at = 0;
    while (at < line.size())
    {
        const size_t begin = line.find_first_not_of(" \t", at);
        if (begin == std::string_view::npos)
            break;
        const size_t end = line.find_first_of(" \t", begin);
        words.push_back(line.substr(begin, end - begin));
        at = end == std::string_view::npos ? line.size() : end;
    }
    return words;
}

namespace
{

bool isLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

bool isName(std::string_view word)
{
    if (word.empty() || word.size() > OV_MENTARO_LONGEST_WORD || !isLetter(word[0]))
        return false;
    for (char c : word)
        if (!isLetter(c) && !isDigit(c))
            return false;
    return true;
}

std::string quoted(std::string_view word)
{
    if (word.size() <= OV_MENTARO_LONGEST_WORD)
        return "'" + std::string(word) + "'";
    return "'" + std::string(word.substr(0, OV_MENTARO_LONGEST_WORD)) + "...'";
}

} // namespace ov::mentaro

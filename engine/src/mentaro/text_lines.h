// Line and word splitting shared by the readers of definition texts and sources: lines end
// with "\n" or "\r\n", words are separated by spaces or tabs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ov::mentaro
{

class LineReader
{
  public:
    explicit LineReader(std::string_view text) : rest(text) {}
    // The next line without its ending, and its number from 1; false after the last line.
    bool next(std::string_view& line, uint32_t& number);

  private:
    std::string_view rest;
    uint32_t count = 0;
};

std::vector<std::string_view> splitWords(std::string_view line);

// A letter or underscore, then letters, digits and underscores, at most
// OV_MENTARO_LONGEST_WORD bytes.
bool isName(std::string_view word);

// The word in quotes as an error message shows it, cut short when long.
std::string quoted(std::string_view word);

} // namespace ov::mentaro

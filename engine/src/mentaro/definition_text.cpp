#include "mentaro/definition_text.h"

#include <algorithm>

#include "mentaro/text_lines.h"
#include "orvane_core.h"

namespace ov::mentaro
{

namespace
{

// Walks the text's lines in their fixed order: external, keywords, count, commands, end.
class DefinitionReader
{
  public:
    DefinitionReader(std::string_view text, DefinitionText& into, std::string& reason)
        : lines(text), out(into), error(reason)
    {
    }

    bool read()
    {
        if (!expect("!EXTERNAL:") || !readExternal() || !expect("!KEYWORDS:") || !readKeywords() ||
            !expect("!DEFINITIONS:") || !readCount())
            return false;
        for (uint32_t i = 0; i < announced; ++i)
            if (!expect("") || !readCommand())
                return false;
        if (!expect("!END"))
            return false;
        if (words.size() != 1)
            return fail("!END takes nothing after it");
        if (nextWords())
            return fail("nothing may follow !END");
        return true;
    }

  private:
    LineReader lines;
    DefinitionText& out;
    std::string& error;
    std::vector<std::string_view> words;
    uint32_t number = 0;
    uint32_t announced = 0;

    bool fail(const std::string& what)
    {
        error = "definition line " + std::to_string(number) + ": " + what;
        return false;
    }

    // The words of the next line that has any; false at the end of the text.
    bool nextWords()
    {
        std::string_view line;
        while (lines.next(line, number))
        {
            words = splitWords(line);
            if (!words.empty())
                return true;
        }
        words.clear();
        return false;
    }

    // The next line with words, which must start with `directive` (any word for "").
    bool expect(std::string_view directive)
    {
        const std::string what = directive.empty() ? "a command" : std::string(directive);
        if (!nextWords())
            return fail("the text ends where " + what + " was expected");
        if (directive.empty() || words[0] == directive)
            return true;
        if (directive == "!END")
            return fail("expected !END after the " + std::to_string(announced) +
                        " commands announced, found " + quoted(words[0]));
        return fail("expected " + what + ", found " + quoted(words[0]));
    }

    bool readExternal()
    {
        if (words.size() != 2 || !isName(words[1]))
            return fail("!EXTERNAL: takes one name");
        out.external = words[1];
        return true;
    }

    bool readKeywords()
    {
        if (words.size() - 1 > OV_MENTARO_MOST_KEYWORDS)
            return fail("more than " + std::to_string(OV_MENTARO_MOST_KEYWORDS) + " keywords");
        for (size_t i = 1; i < words.size(); ++i)
        {
            if (!isName(words[i]))
                return fail(quoted(words[i]) + " is not a keyword name");
            if (std::find(out.keywords.begin(), out.keywords.end(), words[i]) != out.keywords.end())
                return fail("keyword " + quoted(words[i]) + " is listed twice");
            out.keywords.emplace_back(words[i]);
        }
        return true;
    }

    bool readCount()
    {
        const std::string_view count = words.size() == 2 ? words[1] : std::string_view();
        if (count.size() < 2 || count.size() > 4 || count.back() != 'd')
            return fail("!DEFINITIONS: takes the count of commands followed by d");
        announced = 0;
        for (char c : count.substr(0, count.size() - 1))
        {
            if (c < '0' || c > '9')
                return fail("!DEFINITIONS: takes the count of commands followed by d");
            announced = announced * 10 + uint32_t(c - '0');
        }
        if (announced > OV_MENTARO_MOST_COMMANDS)
            return fail("more than " + std::to_string(OV_MENTARO_MOST_COMMANDS) + " commands");
        return true;
    }

    bool readCommand()
    {
        const std::string_view name = words[0];
        if (name == "!END")
            return fail("!DEFINITIONS: announced " + std::to_string(announced) +
                        " commands, the text has " + std::to_string(out.commands.size()));
        if (!isName(name))
            return fail(quoted(name) + " is not a command name");
        if (name == argWord)
            return fail("ARG is the script's own word and cannot be a command");
        for (const CommandDefinition& known : out.commands)
            if (known.name == name)
                return fail("command " + quoted(name) + " is defined twice");
        if (words.size() - 1 > OV_MENTARO_MOST_OPERANDS)
            return fail(quoted(name) + " has more than " +
                        std::to_string(OV_MENTARO_MOST_OPERANDS) + " operands");
        CommandDefinition command{std::string(name), {}};
        for (size_t i = 1; i < words.size(); ++i)
        {
            if (words[i] == "KEYWORD")
                command.operands.push_back(OperandKind::Keyword);
            else if (words[i] == "VARIABLE")
                command.operands.push_back(OperandKind::Variable);
            else
                return fail("expected KEYWORD or VARIABLE, found " + quoted(words[i]));
        }
        out.commands.push_back(std::move(command));
        return true;
    }
};

} // namespace

bool readDefinitionText(std::string_view text, DefinitionText& out, std::string& error)
{
    out = DefinitionText();
    if (text.size() > OV_MENTARO_LARGEST_DEFINITION)
    {
        error = "the definition text is larger than " +
                std::to_string(OV_MENTARO_LARGEST_DEFINITION) + " bytes";
        return false;
    }
    if (text.find('\0') != std::string_view::npos)
    {
        error = "the definition text holds a zero byte";
        return false;
    }
    return DefinitionReader(text, out, error).read();
}

std::string describeOperands(const CommandDefinition& command)
{
    std::string text;
    for (OperandKind kind : command.operands)
        text += std::string(text.empty() ? "" : " ") +
                (kind == OperandKind::Keyword ? "KEYWORD" : "VARIABLE");
    return text;
}

} // namespace ov::mentaro

#include "mentaro/compiler.h"

#include <unordered_map>

#include "mentaro/program_format.h"
#include "mentaro/text_lines.h"
#include "orvane_core.h"

namespace ov::mentaro
{

namespace
{

class Compiler
{
  public:
    Compiler(const DefinitionList* against, std::string& reason) : list(against), error(reason) {}

    bool compile(std::string_view source)
    {
        LineReader lines(source);
        std::string_view line;
        while (lines.next(line, number))
            if (!compileLine(line))
                return false;
        return true;
    }

    const std::vector<Statement>& result() const { return statements; }

  private:
    const DefinitionList* list;
    std::string& error;
    uint32_t number = 0;
    std::unordered_map<std::string, uint32_t> names; // ARG name -> slot index
    std::vector<Statement> statements;

    bool fail(const std::string& what)
    {
        error = "line " + std::to_string(number) + ": " + what;
        return false;
    }

    bool compileLine(std::string_view line)
    {
        if (line.size() > OV_MENTARO_LONGEST_LINE)
            return fail("longer than " + std::to_string(OV_MENTARO_LONGEST_LINE) + " bytes");
        line = line.substr(0, line.find('#'));
        for (char c : line)
            if (uint8_t(c) < 0x20 && c != '\t')
                return fail("unexpected control character " + std::to_string(uint8_t(c)));
        const std::vector<std::string_view> words = splitWords(line);
        if (words.empty())
            return true;
        if (words[0] == argWord)
            return declare(words);
        return command(words);
    }

    bool declare(const std::vector<std::string_view>& words)
    {
        if (words.size() != 2 || !isName(words[1]))
            return fail("ARG expects one name");
        if (names.size() >= OV_MENTARO_MOST_VARIABLES)
            return fail("more than " + std::to_string(OV_MENTARO_MOST_VARIABLES) + " ARG names");
        if (!names.emplace(std::string(words[1]), uint32_t(names.size())).second)
            return fail("ARG " + quoted(words[1]) + " is declared twice");
        return true;
    }

    bool command(const std::vector<std::string_view>& words)
    {
        const int32_t index = list ? list->findCommand(words[0]) : -1;
        if (index < 0)
            return fail("expected a command" +
                        std::string(list ? "" : " (no definition list is given)") + ", found " +
                        quoted(words[0]));
        const ListedCommand& listed = list->commands[uint32_t(index)];
        const CommandDefinition& definition = *listed.definition;
        const size_t given = words.size() - 1;
        if (given != definition.operands.size())
            return fail(definition.name + " expects " + std::to_string(definition.operands.size()) +
                        " operands (" + describeOperands(definition) + "), found " +
                        std::to_string(given));
        if (statements.size() >= OV_MENTARO_MOST_STATEMENTS)
            return fail("more than " + std::to_string(OV_MENTARO_MOST_STATEMENTS) + " commands");
        Statement statement;
        statement.definition = uint16_t(index);
        statement.operandCount = uint8_t(given);
        for (size_t i = 0; i < given; ++i)
        {
            const bool keyword = definition.operands[i] == OperandKind::Keyword;
            if (!(keyword ? keywordOperand(listed, words[i + 1], statement.operands[i])
                          : variableOperand(definition, words[i + 1], statement.operands[i])))
                return false;
        }
        statements.push_back(statement);
        return true;
    }

    bool keywordOperand(const ListedCommand& listed, std::string_view word, uint32_t& out)
    {
        const int32_t keyword = list->findKeyword(listed.external, word);
        if (keyword < 0)
            return fail(listed.definition->name + " expects a keyword, found " + quoted(word));
        out = uint32_t(keyword);
        return true;
    }

    // `$` and a slot index, or an ARG name.
    bool variableOperand(const CommandDefinition& definition, std::string_view word, uint32_t& out)
    {
        if (word.size() >= 2 && word[0] == '$')
        {
            uint32_t slot = 0;
            for (char c : word.substr(1))
            {
                if (c < '0' || c > '9' || slot >= OV_MENTARO_MOST_VARIABLES)
                    return badVariable(definition, word);
                slot = slot * 10 + uint32_t(c - '0');
            }
            if (slot >= OV_MENTARO_MOST_VARIABLES)
                return badVariable(definition, word);
            out = slot;
            return true;
        }
        const auto found = names.find(std::string(word));
        if (found == names.end())
            return badVariable(definition, word);
        out = found->second;
        return true;
    }

    bool badVariable(const CommandDefinition& definition, std::string_view word)
    {
        return fail(definition.name + " expects a variable ($0 to $" +
                    std::to_string(OV_MENTARO_MOST_VARIABLES - 1) + " or an ARG name), found " +
                    quoted(word));
    }
};

} // namespace

bool compileSource(std::string_view source, const DefinitionList* list,
                   std::vector<uint8_t>& program, std::string& error)
{
    program.clear();
    if (source.size() > OV_MENTARO_LARGEST_SOURCE)
    {
        error = "the source is larger than " + std::to_string(OV_MENTARO_LARGEST_SOURCE) + " bytes";
        return false;
    }
    // Editors may start a UTF-8 file with a byte-order mark.
    if (source.substr(0, 3) == "\xEF\xBB\xBF")
        source.remove_prefix(3);
    Compiler compiler(list, error);
    if (!compiler.compile(source))
        return false;
    program = writeProgram(list ? list->hash : emptyListHash(), compiler.result());
    return true;
}

} // namespace ov::mentaro

// Definition texts: the command set a script is written against, as one external's name, its
// keywords (numbered from 0 in the order listed) and its commands with their operand kinds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ov::mentaro
{

enum class OperandKind : uint8_t
{
    Keyword,
    Variable
};

struct CommandDefinition
{
    std::string name;
    std::vector<OperandKind> operands;
};

struct DefinitionText
{
    std::string external;
    std::vector<std::string> keywords;
    std::vector<CommandDefinition> commands;
};

// The word a script declares its slot names with; no command set may define it.
inline constexpr std::string_view argWord = "ARG";

// Reads a whole definition text into `out`; false with `error` naming the line and the fault.
bool readDefinitionText(std::string_view text, DefinitionText& out, std::string& error);

// "KEYWORD VARIABLE ..." for messages.
std::string describeOperands(const CommandDefinition& command);

} // namespace ov::mentaro

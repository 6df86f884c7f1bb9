#include "mentaro/program_format.h"

namespace ov::mentaro
{

namespace
{

constexpr uint8_t magic[4] = {'O', 'V', 'M', 'P'};
constexpr uint32_t recordHeadSize = 4;

void put(std::vector<uint8_t>& out, uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(uint8_t(value >> (8 * i)));
}

// Reads little-endian numbers within the bytes it was given; every read checks the end.
class Cursor
{
  public:
    Cursor(const uint8_t* data, uint32_t length) : bytes(data), size(length) {}
    bool take(uint64_t& value, uint32_t width)
    {
        if (size - at < width)
            return false;
        value = 0;
        for (uint32_t i = 0; i < width; ++i)
            value |= uint64_t(bytes[at + i]) << (8 * i);
        at += width;
        return true;
    }
    uint32_t left() const { return size - at; }

  private:
    const uint8_t* bytes;
    uint32_t size;
    uint32_t at = 0;
};

struct Header
{
    uint64_t hash = 0;
    uint64_t commandCount = 0;
    uint64_t bodySize = 0;
};

bool readHeader(Cursor& cursor, uint32_t size, Header& header, std::string& error)
{
    if (size < programHeaderSize)
    {
        error = "the program is " + std::to_string(size) + " bytes, shorter than its header";
        return false;
    }
    uint64_t word = 0;
    bool magicOk = true;
    for (uint8_t expected : magic)
        magicOk = cursor.take(word, 1) && word == expected && magicOk;
    if (!magicOk)
    {
        error = "not a compiled program (wrong magic)";
        return false;
    }
    uint64_t version = 0, headerSize = 0;
    cursor.take(version, 2);
    cursor.take(headerSize, 2);
    if (version != programVersion || headerSize != programHeaderSize)
    {
        error = "program version " + std::to_string(version) + " is not one this engine runs";
        return false;
    }
    cursor.take(header.hash, 8);
    cursor.take(header.commandCount, 4);
    cursor.take(header.bodySize, 4);
    if (header.bodySize != cursor.left())
    {
        error = "the program's header announces " + std::to_string(header.bodySize) +
                " bytes of commands, it holds " + std::to_string(cursor.left());
        return false;
    }
    if (header.commandCount > OV_MENTARO_MOST_STATEMENTS)
    {
        error =
            "the program has more than " + std::to_string(OV_MENTARO_MOST_STATEMENTS) + " commands";
        return false;
    }
    return true;
}

// One record, checked against the list and the slots.
bool readStatement(Cursor& cursor, const DefinitionList& list, uint32_t slotCount,
                   Statement& statement, std::string& error)
{
    uint64_t index = 0, count = 0, reserved = 0;
    if (!cursor.take(index, 2) || !cursor.take(count, 1) || !cursor.take(reserved, 1))
    {
        error = "the program ends inside a command";
        return false;
    }
    if (reserved != 0)
    {
        error = "damaged command record";
        return false;
    }
    if (index >= list.commands.size())
    {
        error = "definition index " + std::to_string(index) + " is beyond the list's " +
                std::to_string(list.commands.size()) + " commands";
        return false;
    }
    const CommandDefinition& definition = *list.commands[index].definition;
    if (count != definition.operands.size())
    {
        error = definition.name + " takes " + std::to_string(definition.operands.size()) +
                " operands, the program gives " + std::to_string(count);
        return false;
    }
    statement.definition = uint16_t(index);
    statement.operandCount = uint8_t(count);
    for (uint32_t i = 0; i < count; ++i)
    {
        uint64_t operand = 0;
        if (!cursor.take(operand, 4))
        {
            error = "the program ends inside " + definition.name;
            return false;
        }
        const bool keyword = definition.operands[i] == OperandKind::Keyword;
        if (!keyword)
            statement.variables |= uint16_t(1u << i);
        const uint64_t limit = keyword ? list.keywordCount(uint32_t(index)) : slotCount;
        if (operand >= limit)
        {
            error = definition.name + " operand " + std::to_string(i + 1) + ": " +
                    (keyword ? "keyword " : "slot ") + std::to_string(operand) + " is beyond the " +
                    std::to_string(limit) + (keyword ? " keywords" : " slots given");
            return false;
        }
        statement.operands[i] = uint32_t(operand);
    }
    return true;
}

} // namespace

std::vector<uint8_t> writeProgram(uint64_t listHash, const std::vector<Statement>& statements)
{
    std::vector<uint8_t> body;
    for (const Statement& statement : statements)
    {
        put(body, statement.definition, 2);
        put(body, statement.operandCount, 1);
        put(body, 0, 1);
        for (uint32_t i = 0; i < statement.operandCount; ++i)
            put(body, statement.operands[i], 4);
    }
    std::vector<uint8_t> out(magic, magic + 4);
    put(out, programVersion, 2);
    put(out, programHeaderSize, 2);
    put(out, listHash, 8);
    put(out, statements.size(), 4);
    put(out, body.size(), 4);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

bool readProgram(const uint8_t* bytes, uint32_t size, const DefinitionList* list,
                 uint32_t slotCount, std::vector<Statement>& statements, std::string& error)
{
    statements.clear();
    Cursor cursor(bytes, size);
    Header header;
    if (!readHeader(cursor, size, header, error))
        return false;
    if (header.hash != (list ? list->hash : emptyListHash()))
    {
        error = "the program was compiled against another definition list";
        return false;
    }
    if (header.commandCount > 0 && !list)
    {
        error = "the program has commands but no definition list is given";
        return false;
    }
    // Each record takes at least its head: a count the body cannot hold is refused before
    // anything is reserved for it.
    if (header.commandCount > header.bodySize / recordHeadSize)
    {
        error = "the program announces more commands than it holds";
        return false;
    }
    statements.resize(header.commandCount);
    for (uint32_t i = 0; i < header.commandCount; ++i)
        if (!readStatement(cursor, *list, slotCount, statements[i], error))
        {
            error = "command " + std::to_string(i + 1) + ": " + error;
            statements.clear();
            return false;
        }
    if (cursor.left() != 0)
    {
        error = "the program holds bytes after its last command";
        statements.clear();
        return false;
    }
    return true;
}

} // namespace ov::mentaro

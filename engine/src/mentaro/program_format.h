// The binary program: a 24-byte header, then one record per command. Every number is
// little-endian whatever the host.
//   header: magic "OVMP", version (u16, 1), header size (u16, 24), the definition list's
//           hash (u64), command count (u32), size of the records that follow (u32)
//   record: definition index (u16), operand count (u8), 0 (u8), then one u32 per operand:
//           a keyword number or a slot index
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "mentaro/definition_list.h"
#include "orvane_core.h"

namespace ov::mentaro
{

inline constexpr uint32_t programHeaderSize = 24;
inline constexpr uint16_t programVersion = 1;

struct Statement
{
    uint16_t definition = 0;
    uint8_t operandCount = 0;
    uint16_t variables = 0; // bit i set: operand i is a slot index (filled by readProgram)
    std::array<uint32_t, OV_MENTARO_MOST_OPERANDS> operands{};
};

std::vector<uint8_t> writeProgram(uint64_t listHash, const std::vector<Statement>& statements);

// Reads and checks a whole program against `list` (null: none) and the number of slots
// given: the header, every definition index, operand count, keyword number and slot index.
// False with `error` saying what is wrong, before anything could run.
bool readProgram(const uint8_t* bytes, uint32_t size, const DefinitionList* list,
                 uint32_t slotCount, std::vector<Statement>& statements, std::string& error);

} // namespace ov::mentaro

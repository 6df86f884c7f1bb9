#include "mentaro/executor.h"

#include <cstring>

namespace ov::mentaro
{

namespace
{

constexpr uint32_t widestOperand = sizeof(void*) > 4 ? sizeof(void*) : 4;

} // namespace

int32_t runProgram(const std::vector<Statement>& statements,
                   const std::vector<OvMentaroProc>& handlers, void* const* slots)
{
    int32_t ran = 0;
    for (const Statement& statement : statements)
    {
        const OvMentaroProc handler = handlers[statement.definition];
        if (!handler)
            continue;
        alignas(void*) uint8_t operands[OV_MENTARO_MOST_OPERANDS * widestOperand];
        uint32_t size = 0;
        for (uint32_t i = 0; i < statement.operandCount; ++i)
        {
            if ((statement.variables & (1u << i)) == 0)
            {
                std::memcpy(operands + size, &statement.operands[i], 4);
                size += 4;
            }
            else
            {
                std::memcpy(operands + size, &slots[statement.operands[i]], sizeof(void*));
                size += sizeof(void*);
            }
        }
        // The handler gets a block of its own, lent to it: whatever it does to the buffer
        // touches neither the program nor the next command's operands.
        OvByteBuffer buffer{size, operands, operands, 0, 1, size, 0};
        handler(&buffer);
        ++ran;
    }
    return ran;
}

} // namespace ov::mentaro

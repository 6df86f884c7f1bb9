// Fuzzes the executor with any bytes as a program, run against the TechniqueShader list with
// four slots. A program is refused whole or run whole: no handler runs for a refused one,
// and every handler of an accepted one gets exactly its operands, keywords of the list and
// addresses of the four slots, never anything read from beyond them.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "../support/mentaro_recorder.h"

using namespace OvTest;

namespace
{

constexpr uint32_t kSlots = 4;

struct Setup
{
    void* list =
        LinkRecordingList("TechniqueShader", kTechniqueShaderText, kTechniqueShaderCommands);
    std::map<std::string, std::string> kinds = OperandKinds(kTechniqueShaderText);
    int hosts[kSlots] = {};
    void* slots[kSlots] = {&hosts[0], &hosts[1], &hosts[2], &hosts[3]};
};

void check(bool holds)
{
    if (!holds)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Setup setup;
    check(setup.list != nullptr);
    // An exact-size copy, so that any read past the program's end is caught.
    std::vector<uint8_t> bytes(data, data + size);
    OvByteBuffer program{uint32_t(size), bytes.data(), bytes.data(), 0, 1, uint32_t(size), 0};
    MentaroRecord().clear();
    const int32_t ran = OvMentaroExecute(&program, setup.slots, kSlots, setup.list);
    check(size_t(ran) == MentaroRecord().size());
    if (*OvMentaroLastError() != '\0')
        check(ran == 0);
    else
    {
        uint32_t commands = 0;
        check(size >= 24);
        std::memcpy(&commands, data + 16, 4);
        check(uint32_t(ran) == commands); // every command of the set has a handler
    }
    for (const RecordedCommand& call : MentaroRecord())
        check(OperandsAreSound(call, setup.kinds.at(call.command), 35, setup.slots, kSlots));
    return 0;
}

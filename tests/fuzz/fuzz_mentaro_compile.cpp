// Fuzzes the script compiler with any source against the TechniqueShader command set. A
// source either fails with a message naming its line (or the source's size), or compiles to
// a program the executor accepts as it is, running one handler per command, each given
// exactly its operands.
#include <cstdlib>
#include <cstring>

#include "../support/mentaro_recorder.h"

using namespace OvTest;

namespace
{

constexpr uint32_t kSlots = OV_MENTARO_MOST_VARIABLES;

struct Setup
{
    void* list =
        LinkRecordingList("TechniqueShader", kTechniqueShaderText, kTechniqueShaderCommands);
    std::map<std::string, std::string> kinds = OperandKinds(kTechniqueShaderText);
    int hosts[kSlots] = {};
    void* slots[kSlots];
    Setup()
    {
        for (uint32_t i = 0; i < kSlots; ++i)
            slots[i] = &hosts[i];
    }
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
    OvByteBuffer program{};
    if (!OvMentaroCompile(&program, reinterpret_cast<const char*>(data), uint32_t(size),
                          setup.list))
    {
        const char* error = OvMentaroLastError();
        check(program.start == nullptr && program.count == 0);
        check(std::strncmp(error, "line ", 5) == 0 || std::strncmp(error, "the source", 10) == 0);
        return 0;
    }
    uint32_t commands = 0;
    std::memcpy(&commands, program.start + 16, 4);
    MentaroRecord().clear();
    check(OvMentaroExecute(&program, setup.slots, kSlots, setup.list) == int32_t(commands));
    check(MentaroRecord().size() == commands);
    for (const RecordedCommand& call : MentaroRecord())
        check(OperandsAreSound(call, setup.kinds.at(call.command), 35, setup.slots, kSlots));
    OvMentaroFree(&program);
    return 0;
}

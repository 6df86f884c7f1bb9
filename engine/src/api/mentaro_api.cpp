// Mentaro: the C interface of the script compiler over the readers, the compiler and the
// executor in mentaro/. Every failure leaves its reason in OvMentaroLastError.
#include <cstdlib>
#include <cstring>

#include "api/guard.h"
#include "mentaro/compiler.h"
#include "mentaro/definition_list.h"
#include "mentaro/executor.h"
#include "mentaro/handlers.h"
#include "mentaro/last_error.h"
#include "mentaro/program_format.h"
#include "mentaro/source_files.h"
#include "orvane_core.h"

using namespace ov::mentaro;

namespace
{

// Runs nested through handlers (a command that runs another program) stop at this depth
// instead of exhausting the stack.
constexpr int deepestRun = 16;
int runDepth = 0;

// Counts one run for as long as it lasts, also when a handler throws.
struct NestedRun
{
    NestedRun() { ++runDepth; }
    ~NestedRun() { --runDepth; }
    NestedRun(const NestedRun&) = delete;
    NestedRun& operator=(const NestedRun&) = delete;
};

uint8_t refuse(std::string reason)
{
    setLastError(std::move(reason));
    return 0;
}

// The list a caller handed in, or a refusal for a pointer that is no live list.
bool resolveList(const void* pointer, const DefinitionList*& list)
{
    bool known = false;
    list = liveList(pointer, known);
    if (!known)
        setLastError("the definition list is not one built by OvMentaroBuildDefinitionList, or "
                     "it was freed");
    return known;
}

bool compileText(const char* source, uint32_t length, const void* listPointer,
                 std::vector<uint8_t>& bytes)
{
    const DefinitionList* list = nullptr;
    if (!resolveList(listPointer, list))
        return false;
    if (!source && length)
        return refuse("no source is given");
    std::string error;
    if (!compileSource(std::string_view(source ? source : "", length), list, bytes, error))
        return refuse(error);
    setLastError("");
    return true;
}

bool compilePath(const char* path, const void* listPointer, std::vector<uint8_t>& bytes)
{
    std::string text, error;
    if (!readSourceFile(path, text, error))
        return refuse(error);
    return compileText(text.data(), uint32_t(text.size()), listPointer, bytes);
}

uint8_t fillProgram(OvByteBuffer* program, const std::vector<uint8_t>& bytes)
{
    auto* block = static_cast<uint8_t*>(std::malloc(bytes.size()));
    if (!block)
        return refuse("no memory for the program");
    std::memcpy(block, bytes.data(), bytes.size());
    const auto size = uint32_t(bytes.size());
    *program = {size, block, block, 0, 0, size, 0};
    return 1;
}

uint8_t saveProgram(const char* target, const std::vector<uint8_t>& bytes)
{
    std::string error;
    return writeProgramFile(target, bytes, error) ? 1 : refuse(error);
}

int32_t executeChecked(const OvByteBuffer* program, void* const* slots, uint32_t slotCount,
                       const void* listPointer)
{
    const DefinitionList* list = nullptr;
    if (!resolveList(listPointer, list))
        return 0;
    if (!program || !program->start || program->count == 0)
        return refuse("the program is empty");
    if (slotCount && !slots)
        return refuse("slots are counted but none are given");
    std::vector<Statement> statements;
    std::string error;
    if (!readProgram(program->start, program->count, list, slotCount, statements, error))
        return refuse(error);
    setLastError("");
    if (statements.empty())
        return 0;
    const std::vector<OvMentaroProc> handlers = handlersFor(*list);
    if (runDepth >= deepestRun)
        return refuse("programs run nested deeper than " + std::to_string(deepestRun));
    const NestedRun nested;
    return runProgram(statements, handlers, slots);
}

} // namespace

extern "C"
{

    OV_API uint8_t OvMentaroLinkDefinition(const char* name, const char* text, uint32_t length)
    {
        return ov::guard(
            uint8_t(0),
            [&]
            {
                if (!name || (!text && length))
                    return refuse("no definition name or text is given");
                std::string error;
                if (!linkDefinition(name, std::string_view(text ? text : "", length), error))
                    return refuse(error);
                setLastError("");
                return uint8_t(1);
            });
    }

    OV_API void* OvMentaroBuildDefinitionList(void)
    {
        return ov::guard(static_cast<void*>(nullptr), [] { return buildDefinitionList(); });
    }

    OV_API void OvMentaroFreeDefinitionList(void* list)
    {
        ov::guard([&] { freeDefinitionList(static_cast<DefinitionList*>(list)); });
    }

    OV_API void OvMentaroUnlinkDefinitions(void)
    {
        unlinkDefinitions();
    }

    OV_API void OvMentaroClearDefinitionsProc(void)
    {
        clearHandlers();
    }

    OV_API uint8_t OvMentaroAddDefinitionProc(const char* external, const char* command,
                                              OvMentaroProc proc)
    {
        return ov::guard(
            uint8_t(0),
            [&] { return uint8_t(external && command && addHandler(external, command, proc)); });
    }

    OV_API uint8_t OvMentaroCompile(OvByteBuffer* program, const char* source, uint32_t length,
                                    const void* list)
    {
        if (!program)
            return refuse("no program buffer is given");
        *program = {};
        return ov::guard(uint8_t(0),
                         [&]
                         {
                             std::vector<uint8_t> bytes;
                             return compileText(source, length, list, bytes)
                                        ? fillProgram(program, bytes)
                                        : uint8_t(0);
                         });
    }

    OV_API uint8_t OvMentaroCompileFile(OvByteBuffer* program, const char* path, const void* list)
    {
        if (!program)
            return refuse("no program buffer is given");
        *program = {};
        return ov::guard(uint8_t(0),
                         [&]
                         {
                             std::vector<uint8_t> bytes;
                             return compilePath(path, list, bytes) ? fillProgram(program, bytes)
                                                                   : uint8_t(0);
                         });
    }

    OV_API uint8_t OvMentaroCompileToFile(const char* source, uint32_t length, const char* target,
                                          const void* list)
    {
        return ov::guard(uint8_t(0),
                         [&]
                         {
                             std::vector<uint8_t> bytes;
                             return compileText(source, length, list, bytes)
                                        ? saveProgram(target, bytes)
                                        : uint8_t(0);
                         });
    }

    OV_API uint8_t OvMentaroCompileFileToFile(const char* source, const char* target,
                                              const void* list)
    {
        return ov::guard(uint8_t(0),
                         [&]
                         {
                             std::vector<uint8_t> bytes;
                             return compilePath(source, list, bytes) ? saveProgram(target, bytes)
                                                                     : uint8_t(0);
                         });
    }

    OV_API int32_t OvMentaroExecute(const OvByteBuffer* program, void* const* slots,
                                    uint32_t slotCount, const void* list)
    {
        return ov::guard(int32_t(0),
                         [&] { return executeChecked(program, slots, slotCount, list); });
    }

    OV_API void OvMentaroFree(OvByteBuffer* program)
    {
        if (!program)
            return;
        if (!program->borrowed)
            std::free(program->start);
        *program = {};
    }

    OV_API const char* OvMentaroLastError(void)
    {
        return lastError();
    }
}

#include "graphics/ov_technique.h"

#include "graphics/technique_commands.h"

#include <cstring>

namespace OvCore
{

const char* const TECHNIQUE_DEFINITIONS =
    "!EXTERNAL: TechniqueShader\n"
    "!KEYWORDS: FALSE TRUE COLOR DEPTH STENCIL ACCUM ENABLE DISABLE MODEL SCENE ZERO ONE "
    "SRC_COLOR ONE_MINUS_SRC_COLOR DST_COLOR ONE_MINUS_DST_COLOR SRC_ALPHA ONE_MINUS_SRC_ALPHA "
    "DST_ALPHA ONE_MINUS_DST_ALPHA SRC_ALPHA_SATURATE CONSTANT_COLOR ONE_MINUS_CONSTANT_COLOR "
    "CONSTANT_ALPHA ONE_MINUS_CONSTANT_ALPHA FLOAT VEC2 VEC3 VEC4 INT IVEC2 IVEC3 IVEC4 TEXTURE "
    "CANVAS\n"
    "!DEFINITIONS: 10d\n"
    "EXECUTE\tVARIABLE\n"
    "CLEAR\tKEYWORD\n"
    "PASS\tKEYWORD VARIABLE VARIABLE\n"
    "CANVAS\tKEYWORD\tVARIABLE KEYWORD\n"
    "RECT\tKEYWORD VARIABLE VARIABLE VARIABLE KEYWORD\n"
    "IMAGE\tVARIABLE VARIABLE KEYWORD\n"
    "COLOR\tKEYWORD VARIABLE\n"
    "BLEND\tKEYWORD KEYWORD\n"
    "PARAM\tKEYWORD VARIABLE VARIABLE VARIABLE\n"
    "ATTRIB\tKEYWORD VARIABLE VARIABLE VARIABLE\n"
    "!END\n";

namespace
{

// The one definition list every technique compiles and runs with; freed at exit.
struct DefinitionList
{
    void* list = nullptr;
    ~DefinitionList() { OvMentaroFreeDefinitionList(list); }
};

DefinitionList definitions;

OvByteBuffer* EngineProgram(ByteBuffer& program)
{
    return reinterpret_cast<OvByteBuffer*>(&program);
}

const OvByteBuffer* EngineProgram(const ByteBuffer& program)
{
    return reinterpret_cast<const OvByteBuffer*>(&program);
}

} // namespace

bool RegisterDefinitions()
{
    OvMentaroUnlinkDefinitions();
    OvMentaroFreeDefinitionList(definitions.list);
    definitions.list = nullptr;
    const auto length = uint32_t(std::strlen(TECHNIQUE_DEFINITIONS));
    if (OvMentaroLinkDefinition("TechniqueShader", TECHNIQUE_DEFINITIONS, length))
        definitions.list = OvMentaroBuildDefinitionList();
    OvMentaroUnlinkDefinitions();
    OvMentaroClearDefinitionsProc();
    for (const TechniqueCommand& command : TECHNIQUE_COMMANDS)
        OvMentaroAddDefinitionProc("TechniqueShader", command.name, command.handler);
    return definitions.list != nullptr;
}

bool OV_TECHNIQUE::CompileFile(const char* path)
{
    Free();
    compiled = OvMentaroCompileFile(EngineProgram(*this), path, definitions.list) ? 1 : 0;
    return compiled != 0;
}

bool OV_TECHNIQUE::Compile(const char* source, uint32_t length)
{
    Free();
    compiled = OvMentaroCompile(EngineProgram(*this), source, length, definitions.list) ? 1 : 0;
    return compiled != 0;
}

bool OV_TECHNIQUE::CompileFileToFile(const char* sourcePath, const char* targetPath)
{
    return OvMentaroCompileFileToFile(sourcePath, targetPath, definitions.list) != 0;
}

bool OV_TECHNIQUE::CompileToFile(const char* source, uint32_t length, const char* targetPath)
{
    return OvMentaroCompileToFile(source, length, targetPath, definitions.list) != 0;
}

bool OV_TECHNIQUE::LoadFile(const char* path)
{
    ByteBuffer bytes;
    const bool read = path && bytes.FileSize(path) <= LARGEST_PROGRAM && bytes.LoadFile(path);
    Free();
    return read && LoadMemory(bytes.start, bytes.count);
}

bool OV_TECHNIQUE::LoadMemory(const void* data, uint32_t size)
{
    if (!data || size == 0 || size > LARGEST_PROGRAM)
        return false;
    Free();
    const bool copied = Write(data, size) == size;
    Seek(0, false, false);
    return copied;
}

int32_t OV_TECHNIQUE::Execute(void* const* slots, uint32_t slotCount) const
{
    if (!start || count == 0)
        return 0;
    return OvMentaroExecute(EngineProgram(*this), slotCount ? slots : nullptr,
                            slots ? slotCount : 0, definitions.list);
}

void OV_TECHNIQUE::Free()
{
    if (start && compiled)
        OvMentaroFree(EngineProgram(*this));
    else
        Destroy();
    compiled = 0;
}

} // namespace OvCore

#include "graphics/ov_shader.h"

#include <new>

namespace OvCore
{

namespace
{

constexpr OvHandle EMPTY_HANDLE{1, nullptr};

bool IsValidSlotKind(int32_t kind)
{
    return kind == OV_SHADER_LOW_LEVEL || kind == OV_SHADER_LINKED;
}

// One line of a build log. A step fails when the engine says so or leaves a message; a
// failure the engine gives no words for is still written down as a failure.
void AppendStep(OV_STRING& log, const char* step, uint8_t succeeded)
{
    const char* message = OvShaderLastLog();
    const bool hasMessage = message && *message;
    log += step;
    if (succeeded && !hasMessage)
    {
        log += ": Successful!\r\n";
        return;
    }
    log += ": Failed! ";
    log += message;
    log += "\r\n";
}

void DestroyHandle(OvHandle& handle)
{
    OvShaderDestroy(handle);
    handle = EMPTY_HANDLE;
}

// Releases what a slot holds and leaves it empty.
void ReleaseSlot(OV_SHADER_SLOT& slot)
{
    if (slot.kind == OV_SHADER_LOW_LEVEL)
    {
        DestroyHandle(slot.vertex);
        DestroyHandle(slot.fragment);
    }
    else if (slot.kind == OV_SHADER_LINKED)
        DestroyHandle(slot.program);
    slot = OV_SHADER_SLOT();
}

} // namespace

bool OV_SHADER::Load(int32_t slot, int32_t kind, const char* vertexPath, const char* fragmentPath)
{
    return Build(slot, kind, vertexPath, fragmentPath, &OvShaderLoad);
}

bool OV_SHADER::LoadFromMemory(int32_t slot, int32_t kind, const char* vertexText,
                               const char* fragmentText)
{
    return Build(slot, kind, vertexText, fragmentText, &OvShaderLoadFromMemory);
}

bool OV_SHADER::Build(int32_t slot, int32_t kind, const char* vertexSource,
                      const char* fragmentSource, Loader load)
{
    if (slot < 0 || !IsValidSlotKind(kind))
        return false;
    const auto position = static_cast<size_t>(slot);
    if (position >= slots.size())
    {
        const size_t before = slots.size();
        try
        {
            slots.resize(position + 1);
            logs.resize(position + 1);
        }
        catch (const std::bad_alloc&)
        {
            // A slot number far beyond memory: the set is as it was, slots and logs of one
            // length (a later build writes a slot's log by the slot's number).
            slots.resize(before);
            logs.resize(before);
            return false;
        }
        logs[position].Clear();
    }
    // A program built before into this slot would otherwise be lost without being freed.
    ReleaseSlot(slots[position]);
    OV_SHADER_SLOT& target = slots[position];
    target.kind = kind;
    if (kind == OV_SHADER_LINKED)
    {
        BuildLinked(slot, vertexSource, fragmentSource, load);
        return true;
    }
    OvShaderCreate(&target.vertex);
    OvShaderCreate(&target.fragment);
    load(target.vertex, vertexSource, OV_SHADER_VERTEX_PROGRAM);
    load(target.fragment, fragmentSource, OV_SHADER_FRAGMENT_PROGRAM);
    return true;
}

void OV_SHADER::BuildLinked(int32_t slot, const char* vertexSource, const char* fragmentSource,
                            Loader load)
{
    OV_SHADER_SLOT& target = slots[static_cast<size_t>(slot)];
    OV_STRING& log = logs[static_cast<size_t>(slot)];
    OvShaderCreate(&target.program);
    OvShaderCreate(&target.vertex);
    OvShaderCreate(&target.fragment);
    AppendStep(log, "Load Vertex Shader", load(target.vertex, vertexSource, OV_SHADER_VERTEX));
    AppendStep(log, "Load Fragment Shader",
               load(target.fragment, fragmentSource, OV_SHADER_FRAGMENT));
    const OvHandle pair[2] = {target.vertex, target.fragment};
    AppendStep(log, "Make Shader Program", OvShaderMakeProgram(target.program, pair, 2));
    DestroyHandle(target.vertex);
    DestroyHandle(target.fragment);
}

bool OV_SHADER::Activate(int32_t slot) const
{
    if (slot < 0 || static_cast<size_t>(slot) >= slots.size())
        return false;
    const OV_SHADER_SLOT& target = slots[static_cast<size_t>(slot)];
    if (target.kind == OV_SHADER_LOW_LEVEL)
    {
        OvShaderActivate(target.vertex);
        OvShaderActivate(target.fragment);
        return true;
    }
    if (target.kind == OV_SHADER_LINKED)
    {
        OvShaderActivate(target.program);
        return true;
    }
    return false;
}

int32_t OV_SHADER::UniformLocation(int32_t slot, const char* name) const
{
    if (slot < 0 || static_cast<size_t>(slot) >= slots.size() ||
        slots[static_cast<size_t>(slot)].kind != OV_SHADER_LINKED)
        return -1;
    return OvShaderUniformLocation(slots[static_cast<size_t>(slot)].program, name);
}

int32_t OV_SHADER::AttributeLocation(int32_t slot, const char* name) const
{
    if (slot < 0 || static_cast<size_t>(slot) >= slots.size() ||
        slots[static_cast<size_t>(slot)].kind != OV_SHADER_LINKED)
        return -1;
    return OvShaderAttributeLocation(slots[static_cast<size_t>(slot)].program, name);
}

bool OV_SHADER::GetLog(int32_t slot, OV_STRING& text) const
{
    if (slot < 0 || static_cast<size_t>(slot) >= logs.size())
        return false;
    text = logs[static_cast<size_t>(slot)];
    return true;
}

void OV_SHADER::DestroyAll()
{
    for (OV_SHADER_SLOT& slot : slots)
        ReleaseSlot(slot);
    slots.clear();
    logs.clear();
}

// ---- Operations on the active program -------------------------------------------------------

bool ShaderInit()
{
    return OvShaderInit() != 0;
}

int32_t ShaderModel()
{
    return OvShaderModel();
}

void Deactivate()
{
    OvShaderUnactivate(OV_SHADER_VERTEX_PROGRAM);
    OvShaderUnactivate(OV_SHADER_FRAGMENT_PROGRAM);
    OvShaderUnactivate(OV_SHADER_PROGRAM);
}

bool SetParameter(int32_t kind, int32_t location, float x, float y, float z, float w, int32_t flags)
{
    if (kind == OV_SHADER_LOW_LEVEL)
    {
        if (!(flags & 1))
            OvShaderLocalParam(OV_SHADER_VERTEX_PROGRAM, location, x, y, z, w);
        if (!(flags & 2))
            OvShaderLocalParam(OV_SHADER_FRAGMENT_PROGRAM, location, x, y, z, w);
        return true;
    }
    if (kind == OV_SHADER_LINKED)
    {
        OvShaderUniform(location, x, y, z, w, flags);
        return true;
    }
    return false;
}

bool SetParameterInt(int32_t kind, int32_t location, const int32_t values[4], int32_t flags)
{
    if (!values)
        return false;
    if (kind == OV_SHADER_LOW_LEVEL)
        return SetParameter(kind, location, static_cast<float>(values[0]),
                            static_cast<float>(values[1]), static_cast<float>(values[2]),
                            static_cast<float>(values[3]), flags);
    if (kind == OV_SHADER_LINKED)
    {
        OvShaderUniformInteger(location, values, flags);
        return true;
    }
    return false;
}

void SetUniformInt(int32_t location, int32_t value)
{
    OvShaderUniformInteger(location, &value, 1);
}

void SetUniformMatrix(int32_t location, const double* matrix, bool transpose)
{
    OvShaderUniformMatrix(location, matrix, transpose ? 1 : 0);
}

void SetAttribute(int32_t location, float x, float y, float z, float w, int32_t count)
{
    OvShaderAttribute(location, x, y, z, w, count);
}

} // namespace OvCore

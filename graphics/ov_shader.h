// OV_SHADER, a named set of shader programs in numbered slots, each with the text log of its
// build; held in the application's shader registry (Application().shaders; Tarnvale uses
// "gscl"). The free operations below act on whatever program is active: parameters,
// uniforms, attributes, and switching back to fixed-function drawing.
#pragma once

#include "core/ov_string.h"
#include "orvane_core.h"

#include <cstdint>
#include <vector>

namespace OvCore
{

// Kinds of a program slot.
enum OV_SHADER_KIND : int32_t
{
    OV_SHADER_LOW_LEVEL = 12, // a low-level vertex program and fragment program
    OV_SHADER_LINKED = 13,    // a program linked from a vertex and a fragment shader
};

// One slot of a shader set: its kind and the engine objects of its programs.
struct OV_SHADER_SLOT
{
    int32_t kind = 0;              // 12 or 13; anything else is an empty slot
    OvHandle vertex{1, nullptr};   // the vertex program (kind 12) or vertex shader (kind 13)
    OvHandle fragment{1, nullptr}; // the fragment program or fragment shader
    OvHandle program{1, nullptr};  // kind 13 only
};

// A set of shader programs in numbered slots, each with its build log.
class OV_SHADER
{
  public:
    std::vector<OV_SHADER_SLOT> slots; // indexed by slot number; grows to the highest loaded
    std::vector<OV_STRING> logs;       // one build log per slot

    OV_SHADER() = default;
    OV_SHADER(const OV_SHADER&) = delete; // the set owns its programs
    OV_SHADER& operator=(const OV_SHADER&) = delete;
    ~OV_SHADER() { DestroyAll(); }

    // Builds a slot from two source files (texts). Compile and link failures go to the
    // slot's log ("Load Vertex Shader: Failed! " and the engine's message...) and still
    // return true; false only for a negative slot or an unknown kind. A slot loaded again
    // appends to its log; its previous programs are released first.
    bool Load(int32_t slot, int32_t kind, const char* vertexPath, const char* fragmentPath);
    bool LoadFromMemory(int32_t slot, int32_t kind, const char* vertexText,
                        const char* fragmentText);
    // Makes the slot's programs the ones in use; false for a slot out of range or empty.
    bool Activate(int32_t slot) const;
    // The location of the uniform, or of the vertex attribute, called `name` in the slot's
    // linked program; -1 unless the slot holds a linked program with one of that name.
    int32_t UniformLocation(int32_t slot, const char* name) const;
    int32_t AttributeLocation(int32_t slot, const char* name) const;
    // Copies the slot's log; false (text unchanged) for a slot out of range.
    bool GetLog(int32_t slot, OV_STRING& text) const;
    // Destroys every program and empties the slots and logs.
    void DestroyAll();

  private:
    using Loader = uint8_t (*)(OvHandle, const char*, int32_t);
    bool Build(int32_t slot, int32_t kind, const char* vertexSource, const char* fragmentSource,
               Loader load);
    void BuildLinked(int32_t slot, const char* vertexSource, const char* fragmentSource,
                     Loader load);
};

// Once before the first shader is loaded.
bool ShaderInit();
// The shading-language version times 100, 0 without shaders.
int32_t ShaderModel();
// Back to fixed-function drawing: low-level programs and the linked program off.
void Deactivate();
// Kind 12: low-level local parameter `location` of both programs, unless bit 0 of flags
// (skip the vertex program) or bit 1 (skip the fragment program). Kind 13: uniform
// `location` with `flags` components (1-4). False for any other kind.
bool SetParameter(int32_t kind, int32_t location, float x, float y, float z, float w,
                  int32_t flags);
// The same with four integers: converted to floats for kind 12, an integer uniform for kind 13.
// False also for null values.
bool SetParameterInt(int32_t kind, int32_t location, const int32_t values[4], int32_t flags);
// One integer uniform of the linked program in use (a sampler's texture unit, say).
void SetUniformInt(int32_t location, int32_t value);
// A 4 x 4 matrix uniform from 16 doubles, column-major unless `transpose`.
void SetUniformMatrix(int32_t location, const double* matrix, bool transpose);
// A constant value for the vertex attribute at `location`: `count` components (1-4) of x..w.
void SetAttribute(int32_t location, float x, float y, float z, float w, int32_t count);

} // namespace OvCore

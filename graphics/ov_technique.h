// OV_TECHNIQUE, a multi-pass drawing program in the engine's script language, written against
// the command set "TechniqueShader" (docs/graphics.md lists the commands, docs/formats.md the
// language). The technique is the program's bytes (a ByteBuffer) followed by `compiled`;
// executing it calls back into the framework, which clears, switches shader passes and
// canvases, sets colours and blending, passes shader parameters and draws textured
// rectangles. Held in the application's technique registry (Application().techniques).
#pragma once

#include "formats/byte_buffer.h"

#include <cstdint>

namespace OvCore
{

// The command set's keywords, numbered as the engine passes them to the handlers.
enum class TechniqueKeyword : uint32_t
{
    // RECT: the coordinates in their order; IMAGE: the texture keeps its size; CANVAS: y down
    // (ENABLE), no mipmaps (DISABLE).
    False,
    // RECT: the coordinates in reverse order; IMAGE: the texture takes the area's size;
    // CANVAS: y up (ENABLE), mipmaps built (DISABLE).
    True,
    Color,                 // CLEAR: the colour buffer
    Depth,                 // CLEAR: the depth buffer
    Stencil,               // CLEAR: the stencil buffer
    Accum,                 // CLEAR: the accumulation buffer
    Enable,                // PASS: the slot's programs in use; CANVAS: draws go into the canvas
    Disable,               // PASS: fixed-function drawing again; CANVAS: draws leave the canvas
    Model,                 // COLOR: the drawing colour
    Scene,                 // COLOR: the clear colour
    Zero,                  // Zero .. OneMinusConstantAlpha: blend factors 158 .. 172
    One,                   // blend factor: 1
    SrcColor,              // blend factor: the source colour
    OneMinusSrcColor,      // blend factor: 1 - the source colour
    DstColor,              // blend factor: the destination colour
    OneMinusDstColor,      // blend factor: 1 - the destination colour
    SrcAlpha,              // blend factor: the source alpha
    OneMinusSrcAlpha,      // blend factor: 1 - the source alpha
    DstAlpha,              // blend factor: the destination alpha
    OneMinusDstAlpha,      // blend factor: 1 - the destination alpha
    SrcAlphaSaturate,      // blend factor: min(source alpha, 1 - destination alpha)
    ConstantColor,         // blend factor: the constant blend colour
    OneMinusConstantColor, // blend factor: 1 - the constant blend colour
    ConstantAlpha,         // blend factor: the constant blend alpha
    OneMinusConstantAlpha, // blend factor: 1 - the constant blend alpha
    Float,                 // Float .. Vec4: 1 to 4 float components
    Vec2,                  // PARAM, ATTRIB: 2 float components
    Vec3,                  // 3 float components
    Vec4,                  // 4 float components
    Int,                   // Int .. Ivec4: 1 to 4 integer components
    Ivec2,                 // PARAM: 2 integer components
    Ivec3,                 // 3 integer components
    Ivec4,                 // 4 integer components
    Texture,               // RECT: the source is a texture handle slot
    Canvas,                // RECT: the source is a canvas slot
};

// The definition text of the command set, exactly as it is linked.
extern const char* const TECHNIQUE_DEFINITIONS;

// Links the command set and registers its ten handlers; once before the first compilation
// (again: the previous definition list is freed first). False when the text did not link:
// compilations then run without the command set.
bool RegisterDefinitions();

// A technique script's compiled program, held in the buffer it inherits.
class OV_TECHNIQUE : public ByteBuffer
{
  public:
    uint8_t compiled = 0; // 1: the engine's compiler filled the buffer and must free it

    OV_TECHNIQUE() = default;
    ~OV_TECHNIQUE() { Free(); }

    // Compile a script; false (an empty program, OvMentaroLastError telling why) when it
    // does not compile.
    bool CompileFile(const char* path);
    bool Compile(const char* source, uint32_t length);
    // Compile a script into a program file, for LoadFile.
    static bool CompileFileToFile(const char* sourcePath, const char* targetPath);
    static bool CompileToFile(const char* source, uint32_t length, const char* targetPath);
    // A compiled program's bytes, checked by the engine when they run. False, with an empty
    // program, for a file that cannot be read or is larger than LARGEST_PROGRAM, and for null
    // or empty data.
    bool LoadFile(const char* path);
    bool LoadMemory(const void* data, uint32_t size);
    // Runs the program: `slots[i]` is the address of the host slot the script names $i.
    // Returns the number of commands run; 0 for an empty program, without the engine.
    int32_t Execute(void* const* slots = nullptr, uint32_t slotCount = 0) const;
    // Releases the program (through the engine when its compiler made it); empty afterwards.
    void Free();

    static constexpr uint32_t LARGEST_PROGRAM = 16u << 20; // bytes, 16 MiB
};

} // namespace OvCore

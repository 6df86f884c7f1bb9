// The pieces of the layout expression evaluator (gui/layout_script.h): the word reader, the
// typed values that variables and sources hold, the typed places (slots) that statements
// change, and the commands.
#pragma once

#include "gui/gui_control.h"
#include "gui/gui_system.h"

#include <cstdint>

namespace OvCore
{
namespace OV_GUI
{

// Type codes: the typed-literal letters for the numbers, digits for the others. This one is
// the type of Extend, a ByteBuffer; no declaration keyword names it.
constexpr char TYPE_BUFFER = '1';
// An OV_STRING: keyword "string", the Text field.
constexpr char TYPE_STRING = '2';
// One byte, 0 or 1: keyword "boolean", the switches such as Active and Visible.
constexpr char TYPE_BOOLEAN = '3';
// An engine texture handle: keyword "texture", the Icon field.
constexpr char TYPE_TEXTURE = '4';
// A style reference into Styles: keyword "style", StyleActive and StyleUnactive.
constexpr char TYPE_STYLE = '5';

// The words of a script: line feeds and carriage returns made spaces, escapes unescaped,
// then read between single spaces. Empty words are never handed out.
class SCRIPT_WORDS
{
  public:
    // The words of `script`, ready to be read from the first.
    explicit SCRIPT_WORDS(const char* script);
    // The next word; false at the end of the script.
    bool Next(OV_STRING& word);
    // The next word that may begin a statement: ";" is skipped as well.
    bool NextStatement(OV_STRING& word);
    // A name or text: one word, or a phrase from a word beginning with ' up to the first word
    // ending with ' (joined with single spaces, the two quotes removed; unclosed, it takes the
    // rest of the script). False only when no word is left.
    bool TextOperand(OV_STRING& text);

  private:
    OV_STRING text_;
    uint32_t position_ = 0;
    bool done_ = false;
};

// A typed value: a variable's storage or a source's value; only the field of `type` is used.
struct SCRIPT_VALUE
{
    // The type code: a TYPE_ constant or a typed-literal letter (i, d, h, r, f, v); 0: none.
    char type = 0;
    OV_STRING text;               // the value of a string ('2')
    bool boolean = false;         // the value of a boolean ('3')
    OvHandle texture{0, nullptr}; // the value of a texture ('4'); zero: none
    STYLE_REF style;              // the value of a style ('5'); null: none
    int32_t integer = 0;          // the value of an integer ('i')
    uint32_t dword = 0;           // the value of a dword or flag ('d')
    float half = 0;               // the value of a half ('h')
    double real = 0;              // the value of a real ('r')
    OV_VECTOR_F halfVector;       // the value of a halfvector ('f'), (0, 0, 0, 1) when new
    OV_VECTOR vector;             // the value of a vector ('v'), (0, 0, 0, 1) when new
};

// A typed place a statement changes: a field of a control or a variable's storage.
struct SLOT
{
    char type = 0;      // 0: no target
    void* at = nullptr; // the storage, of the C++ type the code names; null: no target
};

// The operation of a statement, by its first word.
enum class SCRIPT_OP
{
    // "set" TARGET "to" SOURCE: assigns.
    SET,
    // "add" TARGET "to" SOURCE: adds, appends a text, ORs in flags, inverts a boolean.
    ADD,
    // "subtract" TARGET "with" SOURCE: subtracts, removes a text, clears flags.
    SUBTRACT,
    // "multiply" TARGET "by" SOURCE: numbers and vectors only.
    MULTIPLY,
    // "divide" TARGET "by" SOURCE: numbers and vectors; a zero integer or scalar divisor
    // leaves the target as it was.
    DIVIDE
};

// The type a declaration keyword names ("half" -> 'h'); 0 for other words.
char TypeOfKeyword(const char* keyword);
// The field of `value` that its type uses.
SLOT SlotOf(SCRIPT_VALUE& value);
// The field of `control` a property word names ("Position", "Text" or another field's name);
// no target for other words.
SLOT PropertySlot(CONTROL& control, const char* word);
// The value of a flag word ("DOCK_TO_CENTER" -> 0x1000, "ALL", "EMPTY"); 0 for other words.
uint32_t FlagValue(const char* word);

// `target` op= `source`, both of the same type, with the rules of each type (integer and
// scalar division skipped for 0, vectors component-wise on x, y, z with w = 1, strings
// appended within SCRIPT_LIMITS::TEXT_BYTES).
void Combine(SCRIPT_OP op, SLOT target, SLOT source);
// A "boolean WORD" source: set assigns, add and subtract invert the target when true.
void CombineBoolean(SCRIPT_OP op, SLOT target, bool value);
// A "flag WORD" source on a dword: set, add (OR), subtract (clear the bits).
void CombineFlag(SCRIPT_OP op, SLOT target, uint32_t value);
// A "string TEXT" source on a string or on Extend.
void CombineText(SCRIPT_OP op, SLOT target, const OV_STRING& text);
// A "number LITERAL" source: applies only when the literal's letter is the target's type.
void CombineLiteral(SCRIPT_OP op, SLOT target, const OV_STRING& literal);

// "do" COMMAND and its arguments, read from `words`, acting on `selection`. False when the
// run ends (the script ended before the command could run).
bool DoCommand(SCRIPT_WORDS& words, CONTROL* selection);

} // namespace OV_GUI
} // namespace OvCore

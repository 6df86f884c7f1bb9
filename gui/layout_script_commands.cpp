// The commands of the layout expression language: "do" COMMAND, its argument list
// "using" TYPE VALUE ... "now", and the operations of the composites they call.
#include "gui/gui_widget_ops.h"
#include "gui/layout_script_parts.h"

#include <cstring>

namespace OvCore
{
namespace OV_GUI
{

namespace
{

// One argument as a command receives it: the default unless the list gave one.
struct ARGUMENT
{
    OV_STRING word; // the value word ("0.5h", "true") or the text
    bool given = false;
};

enum class ARGUMENT_KIND
{
    NONE,    // one further word is read and ignored
    NUMBER,  // "number", a typed literal
    BOOLEAN, // "boolean", true exactly for "true"
    STRING,  // "string", a text operand
};

struct COMMAND
{
    const char* word;
    ARGUMENT_KIND kind;
    void (*run)(CONTROL& selection, const ARGUMENT& argument);
};

const char* KeywordOf(ARGUMENT_KIND kind)
{
    switch (kind)
    {
    case ARGUMENT_KIND::NUMBER:
        return "number";
    case ARGUMENT_KIND::BOOLEAN:
        return "boolean";
    default:
        return "string";
    }
}

// The literal's value when it carries `letter`, else `fallback`.
template <class T> T Literal(const ARGUMENT& argument, char letter, T fallback)
{
    if (argument.given && argument.word.TypeLetter() == letter)
        argument.word.ParseTyped(&fallback, sizeof(T));
    return fallback;
}

bool Flag(const ARGUMENT& argument)
{
    return argument.given && argument.word == "true";
}

CONTROL* FirstChild(CONTROL& control)
{
    if (!control.Node || control.Node->children.empty())
        return nullptr;
    return control.Node->children.front().control.get();
}

void ScrollContent(CONTROL& selection, const ARGUMENT& argument)
{
    const OV_VECTOR_F size = Literal(argument, 'f', OV_VECTOR_F());
    ScrollSetContentSize(&selection, size.x, size.y);
}

// The bar of a progress bar (its first child, a plain panel) spans that share of the room
// inside the frame's side cut margins.
void ProgressPhase(CONTROL& selection, const ARGUMENT& argument)
{
    const float phase = Literal(argument, 'h', 0.0f);
    CONTROL* bar = FirstChild(selection);
    if (bar && dynamic_cast<__default*>(bar))
        bar->Size.x =
            (selection.Size.x - selection.CutMarginLeft - selection.CutMarginRight) * phase;
}

void SliderFactor(CONTROL& selection, const ARGUMENT& argument)
{
    SliderSetFactor(&selection, Literal(argument, 'h', 0.0f));
}

void Collapse(CONTROL& selection, const ARGUMENT&)
{
    MenuCollapse(&selection);
}

void Expand(CONTROL& selection, const ARGUMENT&)
{
    MenuExpand(&selection);
}

void PasswordMode(CONTROL& selection, const ARGUMENT& argument)
{
    EditBoxPasswordMode(&selection, Flag(argument));
}

void EditMode(CONTROL& selection, const ARGUMENT& argument)
{
    EditBoxEditMode(&selection, Flag(argument));
}

void SetText(CONTROL& selection, const ARGUMENT& argument)
{
    EditBoxSetText(&selection, argument.given ? argument.word.Text() : "");
}

constexpr COMMAND COMMANDS[] = {
    {"ScrollSetContentSize", ARGUMENT_KIND::NUMBER, ScrollContent},
    {"ProgressBarSetPhase", ARGUMENT_KIND::NUMBER, ProgressPhase},
    {"SliderSetFactor", ARGUMENT_KIND::NUMBER, SliderFactor},
    {"MenuCollapse", ARGUMENT_KIND::NONE, Collapse},
    {"MenuExpand", ARGUMENT_KIND::NONE, Expand},
    {"EditBoxPasswordMode", ARGUMENT_KIND::BOOLEAN, PasswordMode},
    {"EditBoxEditMode", ARGUMENT_KIND::BOOLEAN, EditMode},
    {"EditBoxSetText", ARGUMENT_KIND::STRING, SetText},
};

const COMMAND* CommandOf(const OV_STRING& word)
{
    for (const COMMAND& command : COMMANDS)
        if (word == command.word)
            return &command;
    return nullptr;
}

// The value after the type keyword, read as the command's kind reads it.
bool ReadValue(SCRIPT_WORDS& words, ARGUMENT_KIND kind, OV_STRING& value)
{
    return kind == ARGUMENT_KIND::STRING ? words.TextOperand(value) : words.Next(value);
}

// After "using": words up to "now". A value counts only right after "using" and its keyword;
// the end of the script ends the list. False when "using" was the last word.
bool ReadArgumentList(SCRIPT_WORDS& words, ARGUMENT_KIND kind, ARGUMENT& argument)
{
    const char* keyword = KeywordOf(kind);
    OV_STRING word, ignored;
    if (!words.Next(word))
        return false;
    for (bool first = true; !(word == "now"); first = false)
    {
        if (word == keyword)
        {
            OV_STRING& value = first ? argument.word : ignored;
            const bool read = ReadValue(words, kind, value);
            argument.given = argument.given || (first && read);
            if (!read)
                return true;
        }
        if (!words.Next(word))
            return true;
    }
    return true;
}

} // namespace

bool DoCommand(SCRIPT_WORDS& words, CONTROL* selection)
{
    OV_STRING word;
    if (!words.Next(word))
        return false;
    const COMMAND* command = CommandOf(word);
    if (!command)
        return true; // an unknown command word is consumed
    ARGUMENT argument;
    if (!words.Next(word))
        return false;
    if (command->kind != ARGUMENT_KIND::NONE && word == "using" &&
        !ReadArgumentList(words, command->kind, argument))
        return false;
    if (selection)
        command->run(*selection, argument);
    return true;
}

} // namespace OV_GUI
} // namespace OvCore

// The evaluator of the layout expression language: statements read left to right, once,
// against one control (`this`), a selection and a table of typed variables.
#include "gui/layout_script.h"

#include "core/ov_loop.h"
#include "core/ov_window.h"
#include "gui/layout_script_parts.h"

#include <cstring>

namespace OvCore
{
namespace OV_GUI
{

namespace
{

// The statement may go on (true) or the run ends (false).
using GO_ON = bool;

struct OPERATION_WORD
{
    const char* word;
    SCRIPT_OP op;
    const char* preposition;
};

constexpr OPERATION_WORD OPERATIONS[] = {
    {"set", SCRIPT_OP::SET, "to"},
    {"add", SCRIPT_OP::ADD, "to"},
    {"subtract", SCRIPT_OP::SUBTRACT, "with"},
    {"multiply", SCRIPT_OP::MULTIPLY, "by"},
    {"divide", SCRIPT_OP::DIVIDE, "by"},
};

const OPERATION_WORD* OperationOf(const OV_STRING& word)
{
    for (const OPERATION_WORD& operation : OPERATIONS)
        if (word == operation.word)
            return &operation;
    return nullptr;
}

class SCRIPT_RUN
{
  public:
    SCRIPT_RUN(CONTROL& self, const char* script, GUI_SYSTEM& system)
        : self_(self), selection_(&self), system_(system), words_(script)
    {
        Predefine();
    }

    void Run()
    {
        OV_STRING word;
        while (words_.NextStatement(word))
            if (!Statement(word))
                return;
    }

  private:
    void Predefine()
    {
        const OV_LOOP& loop = Loop();
        const float width = system_.Window ? float(system_.Window->width) : 0;
        const float height = system_.Window ? float(system_.Window->height) : 0;
        Define("DeltaTime", 'h')->half = loop.delta;
        Define("DeltaTimeVector", 'f')->halfVector =
            OV_VECTOR_F(loop.delta, loop.delta, loop.delta, 1);
        Define("SystemTime", 'h')->half = loop.previousTime;
        Define("SystemTimeVector", 'f')->halfVector =
            OV_VECTOR_F(loop.previousTime, loop.previousTime, loop.previousTime, 1);
        Define("WindowWidth", 'h')->half = width;
        Define("WindowHeight", 'h')->half = height;
        Define("WindowSize", 'f')->halfVector = OV_VECTOR_F(width, height, 0, 1);
        Define("WindowName", TYPE_STRING)->text = system_.Window ? system_.Window->title : "";
    }

    // A new variable of `type` with its initial value; null for a taken or refused name.
    SCRIPT_VALUE* Define(const char* name, char type)
    {
        if (variables_.Find(name))
            return nullptr;
        auto entry = variables_.Get(name);
        if (!entry)
            return nullptr;
        entry->type = type;
        return entry.Get();
    }

    SCRIPT_VALUE* Variable(const OV_STRING& name) { return variables_.Find(name.Text()).Get(); }

    GO_ON Statement(const OV_STRING& word)
    {
        if (word == "exit")
            return false;
        if (word == "variable")
            return Declaration();
        if (word == "select")
            return Selection();
        if (const OPERATION_WORD* operation = OperationOf(word))
            return Operation(*operation);
        if (word == "do")
            return DoCommand(words_, selection_);
        return true; // unknown words are skipped one at a time
    }

    // variable NAME as TYPE
    GO_ON Declaration()
    {
        OV_STRING name, as, keyword;
        if (!words_.Next(name) || !words_.Next(as) || !(as == "as") || !words_.Next(keyword))
            return false;
        const char type = TypeOfKeyword(keyword.Text());
        if (type && declared_ < SCRIPT_LIMITS::VARIABLES && Define(name.Text(), type))
            ++declared_;
        return true;
    }

    // select this | parent | by name NAME | any other word
    GO_ON Selection()
    {
        OV_STRING word;
        if (!words_.Next(word))
            return false;
        if (word == "this")
            selection_ = &self_;
        else if (word == "parent")
        {
            // The root control is no control of the screen: a top-level control has no parent.
            CONTROL* parent = selection_->Parent();
            if (!parent || parent == system_.RootControl())
                return false;
            selection_ = parent;
        }
        else if (word == "by")
        {
            if (!words_.Next(word))
                return false;
            if (word == "name")
            {
                OV_STRING name;
                if (!words_.TextOperand(name))
                    return false;
                CONTROL** named = system_.NamedControls.Find(name.Text()).Get();
                if (!named || !*named)
                    return false;
                selection_ = *named;
            }
        }
        return true;
    }

    // OPERATION TARGET PREPOSITION SOURCE
    GO_ON Operation(const OPERATION_WORD& operation)
    {
        OV_STRING word;
        if (!words_.Next(word))
            return false;
        SLOT target;
        if (word == "variable")
        {
            if (!words_.Next(word))
                return false;
            SCRIPT_VALUE* variable = Variable(word);
            if (!variable)
                return false;
            target = SlotOf(*variable);
        }
        else
            target = PropertySlot(*selection_, word.Text());
        if (!words_.Next(word) || !(word == operation.preposition))
            return false;
        return Source(operation.op, target);
    }

    GO_ON Source(SCRIPT_OP op, SLOT target)
    {
        OV_STRING kind, operand;
        if (!words_.Next(kind))
            return false;
        if (kind == "variable")
        {
            if (!words_.Next(operand))
                return false;
            SCRIPT_VALUE* variable = Variable(operand);
            if (!variable)
                return false;
            Combine(op, target, SlotOf(*variable));
        }
        else if (kind == "string" || kind == "texture" || kind == "style")
        {
            if (!words_.TextOperand(operand))
                return false;
            NamedSource(op, target, kind, operand);
        }
        else if (kind == "boolean" || kind == "flag" || kind == "number")
        {
            if (!words_.Next(operand))
                return false;
            if (kind == "boolean")
                CombineBoolean(op, target, operand == "true");
            else if (kind == "flag")
                CombineFlag(op, target, FlagValue(operand.Text()));
            else
                CombineLiteral(op, target, operand);
        }
        return true;
    }

    // string TEXT, texture NAME, style NAME. The tables gain a name only when it is set.
    void NamedSource(SCRIPT_OP op, SLOT target, const OV_STRING& kind, const OV_STRING& operand)
    {
        if (kind == "string")
            CombineText(op, target, operand);
        else if (op != SCRIPT_OP::SET)
            return;
        else if (kind == "texture" && target.type == TYPE_TEXTURE)
        {
            OvHandle* texture = system_.Textures.Get(operand.Text()).Get();
            *static_cast<OvHandle*>(target.at) = texture ? *texture : OvHandle{0, nullptr};
        }
        else if (kind == "style" && target.type == TYPE_STYLE)
            *static_cast<STYLE_REF*>(target.at) = system_.Styles.Get(operand.Text());
    }

    CONTROL& self_;
    CONTROL* selection_;
    GUI_SYSTEM& system_;
    SCRIPT_WORDS words_;
    OV_REGISTRY<SCRIPT_VALUE> variables_;
    uint32_t declared_ = 0;
};

} // namespace

void RunScript(CONTROL* control, const char* script, GUI_SYSTEM& system)
{
    if (!control || !script || std::strlen(script) > SCRIPT_LIMITS::SCRIPT_BYTES)
        return;
    SCRIPT_RUN(*control, script, system).Run();
}

} // namespace OV_GUI
} // namespace OvCore

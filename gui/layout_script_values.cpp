// The types of the layout expression language: keywords, property words, flag words and how
// each operation combines a source with a target of its type.
#include "gui/layout_script.h"
#include "gui/layout_script_parts.h"

#include <cstring>

namespace OvCore
{
namespace OV_GUI
{

namespace
{

struct NAMED_TYPE
{
    const char* word;
    char type;
};

constexpr NAMED_TYPE KEYWORDS[] = {
    {"string", TYPE_STRING},
    {"boolean", TYPE_BOOLEAN},
    {"texture", TYPE_TEXTURE},
    {"style", TYPE_STYLE},
    {"integer", 'i'},
    {"dword", 'd'},
    {"flag", 'd'},
    {"half", 'h'},
    {"real", 'r'},
    {"halfvector", 'f'},
    {"vector", 'v'},
};

struct FLAG_WORD
{
    const char* word;
    uint32_t value;
};

constexpr FLAG_WORD FLAGS[] = {
    {"EMPTY", EMPTY},
    {"ALL", 0xFFFFFFFF},
    {"FIT_TO_EDGE_TOP", FIT_TO_EDGE_TOP},
    {"FIT_TO_EDGE_BOTTOM", FIT_TO_EDGE_BOTTOM},
    {"FIT_TO_EDGE_LEFT", FIT_TO_EDGE_LEFT},
    {"FIT_TO_EDGE_RIGHT", FIT_TO_EDGE_RIGHT},
    {"FIT_TO_EDGE", FIT_TO_EDGE},
    {"INHERIT_WIDTH", INHERIT_WIDTH},
    {"INHERIT_HEIGHT", INHERIT_HEIGHT},
    {"INHERIT_SIZE", INHERIT_SIZE},
    {"DOCK_TO_EDGE_TOP", DOCK_TO_EDGE_TOP},
    {"DOCK_TO_EDGE_BOTTOM", DOCK_TO_EDGE_BOTTOM},
    {"DOCK_TO_EDGE_LEFT", DOCK_TO_EDGE_LEFT},
    {"DOCK_TO_EDGE_RIGHT", DOCK_TO_EDGE_RIGHT},
    {"DOCK_TO_EDGE_BOTTOM_INSIDE", DOCK_TO_EDGE_BOTTOM_INSIDE},
    {"DOCK_TO_EDGE_RIGHT_INSIDE", DOCK_TO_EDGE_RIGHT_INSIDE},
    {"DOCK_TO_CENTER", DOCK_TO_CENTER},
    {"DOCK_TO_MIDDLE", DOCK_TO_MIDDLE},
    {"CENTRALIZE", CENTRALIZE},
};

template <class T> T& As(SLOT slot)
{
    return *static_cast<T*>(slot.at);
}

// Signed arithmetic that wraps as the machine does instead of overflowing.
int32_t Wrap(uint32_t value)
{
    return static_cast<int32_t>(value);
}

void CombineInteger(SCRIPT_OP op, int32_t& target, int32_t source)
{
    const uint32_t a = static_cast<uint32_t>(target), b = static_cast<uint32_t>(source);
    switch (op)
    {
    case SCRIPT_OP::SET:
        target = source;
        break;
    case SCRIPT_OP::ADD:
        target = Wrap(a + b);
        break;
    case SCRIPT_OP::SUBTRACT:
        target = Wrap(a - b);
        break;
    case SCRIPT_OP::MULTIPLY:
        target = Wrap(a * b);
        break;
    case SCRIPT_OP::DIVIDE:
        // The one quotient that does not fit wraps to itself.
        if (source == -1)
            target = Wrap(0u - a);
        else if (source != 0)
            target /= source;
        break;
    }
}

template <class T> void CombineNumber(SCRIPT_OP op, T& target, T source)
{
    switch (op)
    {
    case SCRIPT_OP::SET:
        target = source;
        break;
    case SCRIPT_OP::ADD:
        target += source;
        break;
    case SCRIPT_OP::SUBTRACT:
        target -= source;
        break;
    case SCRIPT_OP::MULTIPLY:
        target *= source;
        break;
    case SCRIPT_OP::DIVIDE:
        if (source != 0)
            target /= source;
        break;
    }
}

// Vectors: set copies all four components; the others work on x, y and z and leave w 1.
// A zero component divides as floating point does.
template <class V> void CombineVector(SCRIPT_OP op, V& target, const V& source)
{
    if (op == SCRIPT_OP::SET)
    {
        target = source;
        return;
    }
    auto apply = [op](auto& a, auto b)
    {
        switch (op)
        {
        case SCRIPT_OP::ADD:
            a += b;
            break;
        case SCRIPT_OP::SUBTRACT:
            a -= b;
            break;
        case SCRIPT_OP::MULTIPLY:
            a *= b;
            break;
        default:
            a /= b;
            break;
        }
    };
    apply(target.x, source.x);
    apply(target.y, source.y);
    apply(target.z, source.z);
    target.w = 1;
}

void CombineString(SCRIPT_OP op, OV_STRING& target, const OV_STRING& source)
{
    switch (op)
    {
    case SCRIPT_OP::SET:
        target = source;
        break;
    case SCRIPT_OP::ADD:
        if (target.Length() + source.Length() <= SCRIPT_LIMITS::TEXT_BYTES)
            target.Append(source);
        break;
    case SCRIPT_OP::SUBTRACT:
        target.ReplaceAll(target, source.Text(), "");
        break;
    default:
        break;
    }
}

} // namespace

char TypeOfKeyword(const char* keyword)
{
    for (const NAMED_TYPE& entry : KEYWORDS)
        if (std::strcmp(entry.word, keyword) == 0)
            return entry.type;
    return 0;
}

SLOT SlotOf(SCRIPT_VALUE& value)
{
    switch (value.type)
    {
    case TYPE_STRING:
        return {value.type, &value.text};
    case TYPE_BOOLEAN:
        return {value.type, &value.boolean};
    case TYPE_TEXTURE:
        return {value.type, &value.texture};
    case TYPE_STYLE:
        return {value.type, &value.style};
    case 'i':
        return {value.type, &value.integer};
    case 'd':
        return {value.type, &value.dword};
    case 'h':
        return {value.type, &value.half};
    case 'r':
        return {value.type, &value.real};
    case 'f':
        return {value.type, &value.halfVector};
    case 'v':
        return {value.type, &value.vector};
    default:
        return {};
    }
}

SLOT PropertySlot(CONTROL& c, const char* word)
{
    const struct
    {
        const char* word;
        SLOT slot;
    } properties[] = {
        {"Order", {'h', &c.Order}},
        {"Events", {'d', &c.Events}},
        {"Behaviour", {'d', &c.Behaviour}},
        {"Position", {'f', &c.Position}},
        {"Size", {'f', &c.Size}},
        {"Offset", {'f', &c.Offset}},
        {"ChildOffset", {'f', &c.ChildOffset}},
        {"MarginTop", {'h', &c.MarginTop}},
        {"MarginBottom", {'h', &c.MarginBottom}},
        {"MarginLeft", {'h', &c.MarginLeft}},
        {"MarginRight", {'h', &c.MarginRight}},
        {"CutMarginTop", {'h', &c.CutMarginTop}},
        {"CutMarginBottom", {'h', &c.CutMarginBottom}},
        {"CutMarginLeft", {'h', &c.CutMarginLeft}},
        {"CutMarginRight", {'h', &c.CutMarginRight}},
        {"Active", {TYPE_BOOLEAN, &c.Active}},
        {"Visible", {TYPE_BOOLEAN, &c.Visible}},
        {"Hitable", {TYPE_BOOLEAN, &c.Hitable}},
        {"NonCorrected", {TYPE_BOOLEAN, &c.NonCorrected}},
        {"CutArea", {TYPE_BOOLEAN, &c.CutArea}},
        {"Text", {TYPE_STRING, &c.Text}},
        {"Extend", {TYPE_BUFFER, &c.Extend}},
        {"Icon", {TYPE_TEXTURE, &c.Icon}},
        {"StyleActive", {TYPE_STYLE, &c.StyleActive}},
        {"StyleUnactive", {TYPE_STYLE, &c.StyleUnactive}},
    };
    for (const auto& property : properties)
        if (std::strcmp(property.word, word) == 0)
            return property.slot;
    return {};
}

uint32_t FlagValue(const char* word)
{
    for (const FLAG_WORD& flag : FLAGS)
        if (std::strcmp(flag.word, word) == 0)
            return flag.value;
    return 0;
}

void Combine(SCRIPT_OP op, SLOT target, SLOT source)
{
    if (!target.at || target.type != source.type)
        return;
    switch (target.type)
    {
    case TYPE_STRING:
        CombineString(op, As<OV_STRING>(target), As<OV_STRING>(source));
        break;
    case TYPE_BOOLEAN:
        if (op == SCRIPT_OP::SET)
            As<bool>(target) = As<bool>(source);
        else if (op == SCRIPT_OP::ADD || op == SCRIPT_OP::SUBTRACT)
            As<bool>(target) = !As<bool>(source);
        break;
    case TYPE_TEXTURE:
        if (op == SCRIPT_OP::SET)
            As<OvHandle>(target) = As<OvHandle>(source);
        break;
    case TYPE_STYLE:
        if (op == SCRIPT_OP::SET)
            As<STYLE_REF>(target) = As<STYLE_REF>(source);
        break;
    case 'i':
        CombineInteger(op, As<int32_t>(target), As<int32_t>(source));
        break;
    case 'd':
        CombineNumber(op, As<uint32_t>(target), As<uint32_t>(source));
        break;
    case 'h':
        CombineNumber(op, As<float>(target), As<float>(source));
        break;
    case 'r':
        CombineNumber(op, As<double>(target), As<double>(source));
        break;
    case 'f':
        CombineVector(op, As<OV_VECTOR_F>(target), As<OV_VECTOR_F>(source));
        break;
    case 'v':
        CombineVector(op, As<OV_VECTOR>(target), As<OV_VECTOR>(source));
        break;
    default:
        break;
    }
}

void CombineBoolean(SCRIPT_OP op, SLOT target, bool value)
{
    if (target.type != TYPE_BOOLEAN)
        return;
    if (op == SCRIPT_OP::SET)
        As<bool>(target) = value;
    else if ((op == SCRIPT_OP::ADD || op == SCRIPT_OP::SUBTRACT) && value)
        As<bool>(target) = !As<bool>(target);
}

void CombineFlag(SCRIPT_OP op, SLOT target, uint32_t value)
{
    if (target.type != 'd')
        return;
    uint32_t& bits = As<uint32_t>(target);
    if (op == SCRIPT_OP::SET)
        bits = value;
    else if (op == SCRIPT_OP::ADD)
        bits |= value;
    else if (op == SCRIPT_OP::SUBTRACT)
        bits &= ~value;
}

void CombineText(SCRIPT_OP op, SLOT target, const OV_STRING& text)
{
    if (target.type == TYPE_STRING)
    {
        CombineString(op, As<OV_STRING>(target), text);
        return;
    }
    if (target.type != TYPE_BUFFER)
        return;
    ByteBuffer& buffer = As<ByteBuffer>(target);
    if (op == SCRIPT_OP::SET && text.Length() <= SCRIPT_LIMITS::TEXT_BYTES)
    {
        buffer.Destroy();
        buffer.WriteString(text.Text(), false);
    }
    else if (op == SCRIPT_OP::ADD && buffer.Position() + text.Length() <= SCRIPT_LIMITS::TEXT_BYTES)
        buffer.WriteString(text.Text(), false);
}

void CombineLiteral(SCRIPT_OP op, SLOT target, const OV_STRING& literal)
{
    const char letter = literal.TypeLetter();
    if (!target.at || letter != target.type)
        return;
    SCRIPT_VALUE value;
    value.type = letter;
    SLOT source = SlotOf(value);
    if (!source.at)
        return; // a letter no target has (c, b, s, w, x)
    // Set writes only the components a vector literal has: it starts from the target.
    if (op == SCRIPT_OP::SET && (letter == 'f' || letter == 'v'))
        Combine(SCRIPT_OP::SET, source, target);
    const uint32_t room = letter == 'f'   ? sizeof(OV_VECTOR_F)
                          : letter == 'v' ? sizeof(OV_VECTOR)
                          : letter == 'r' ? sizeof(double)
                                          : 4;
    if (literal.ParseTyped(source.at, room))
        Combine(op, target, source);
}

} // namespace OV_GUI
} // namespace OvCore

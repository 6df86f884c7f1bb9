// Script compiler test support, header-only so that the fuzz targets share it: the
// TechniqueShader definition text the framework registers, and handlers that record every
// command they are called for with the operand bytes they were given.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "orvane_core.h"

namespace OvTest
{

inline constexpr std::string_view kTechniqueShaderText =
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

inline const std::vector<std::string> kTechniqueShaderCommands = {
    "EXECUTE", "CLEAR", "PASS", "CANVAS", "RECT", "IMAGE", "COLOR", "BLEND", "PARAM", "ATTRIB"};

struct RecordedCommand
{
    std::string command;
    std::vector<uint8_t> operands; // the bytes from the buffer's cursor to its count

    uint32_t Keyword(size_t offset) const
    {
        uint32_t value = 0;
        std::memcpy(&value, operands.data() + offset, 4);
        return value;
    }
    void* Slot(size_t offset) const
    {
        void* value = nullptr;
        std::memcpy(&value, operands.data() + offset, sizeof value);
        return value;
    }
};

// Handlers are plain function pointers, so what they record is global.
inline std::vector<RecordedCommand>& MentaroRecord()
{
    static std::vector<RecordedCommand> record;
    return record;
}

inline constexpr size_t kMostRecordedCommands = 16;

inline std::array<std::string, kMostRecordedCommands>& RecordedNames()
{
    static std::array<std::string, kMostRecordedCommands> names;
    return names;
}

template <size_t I> void RecordCommand(OvByteBuffer* operands)
{
    const uint8_t* from = operands->cursor;
    const uint8_t* to = operands->start + operands->count;
    MentaroRecord().push_back({RecordedNames()[I], std::vector<uint8_t>(from, to)});
}

template <size_t... I>
constexpr std::array<OvMentaroProc, sizeof...(I)> RecordingProcs(std::index_sequence<I...>)
{
    return {&RecordCommand<I>...};
}

// Registers a recording handler for each command (at most 16) of `external`.
inline void RecordCommands(const char* external, const std::vector<std::string>& commands)
{
    static constexpr auto procs = RecordingProcs(std::make_index_sequence<kMostRecordedCommands>());
    for (size_t i = 0; i < commands.size() && i < kMostRecordedCommands; ++i)
    {
        RecordedNames()[i] = commands[i];
        OvMentaroAddDefinitionProc(external, commands[i].c_str(), procs[i]);
    }
}

// The list of `text` alone, linked under `external`, with recording handlers for `commands`;
// null when the text does not link. The caller frees the list.
inline void* LinkRecordingList(const char* external, std::string_view text,
                               const std::vector<std::string>& commands)
{
    OvMentaroUnlinkDefinitions();
    OvMentaroClearDefinitionsProc();
    MentaroRecord().clear();
    if (!OvMentaroLinkDefinition(external, text.data(), uint32_t(text.size())))
        return nullptr;
    void* list = OvMentaroBuildDefinitionList();
    OvMentaroUnlinkDefinitions();
    RecordCommands(external, commands);
    return list;
}

// Each command of a definition text and its operand kinds as letters: "KVV" for KEYWORD
// VARIABLE VARIABLE.
inline std::map<std::string, std::string> OperandKinds(std::string_view text)
{
    std::map<std::string, std::string> kinds;
    std::istringstream lines{std::string(text.substr(text.find("!DEFINITIONS:")))};
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line) && line.rfind("!END", 0) != 0)
    {
        std::istringstream words(line);
        std::string name, kind;
        words >> name;
        while (words >> kind)
            kinds[name] += kind == "KEYWORD" ? 'K' : 'V';
    }
    return kinds;
}

// Whether a recorded call got exactly its operands: keywords below `keywordCount`, slots
// that are among the `slotCount` slots given.
inline bool OperandsAreSound(const RecordedCommand& call, const std::string& kinds,
                             uint32_t keywordCount, void* const* slots, uint32_t slotCount)
{
    size_t at = 0;
    for (char kind : kinds)
    {
        const size_t width = kind == 'K' ? 4 : sizeof(void*);
        if (call.operands.size() - at < width)
            return false;
        if (kind == 'K' ? call.Keyword(at) >= keywordCount
                        : std::find(slots, slots + slotCount, call.Slot(at)) == slots + slotCount)
            return false;
        at += width;
    }
    return at == call.operands.size();
}

} // namespace OvTest

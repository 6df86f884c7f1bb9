// Definition lists: the command sets of every linked definition text, built into one list
// that compiling and running refer to. Commands are numbered across the list in link order;
// a program records the list's hash so that it is never run against another command set.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "mentaro/definition_text.h"

namespace ov::mentaro
{

struct ListedCommand
{
    uint32_t external; // index into DefinitionList::externals
    const CommandDefinition* definition;
};

struct DefinitionList
{
    std::vector<DefinitionText> externals;
    std::vector<ListedCommand> commands;
    std::unordered_map<std::string, uint32_t> commandIndex;
    std::vector<std::unordered_map<std::string, uint32_t>> keywordIndex; // per external
    uint64_t hash = 0;

    // The command's number, or -1 when the list has none of that name.
    int32_t findCommand(std::string_view name) const;
    // The keyword's number within the external, or -1.
    int32_t findKeyword(uint32_t external, std::string_view word) const;
    size_t keywordCount(uint32_t command) const;
};

// The hash a program compiled without a list records.
uint64_t emptyListHash();

// Links `text` under `name`, replacing a text linked before under that name; false with
// `error` when it does not read, names another external, or the linked texts together
// would pass OV_MENTARO_MOST_COMMANDS or define one command twice.
bool linkDefinition(std::string_view name, std::string_view text, std::string& error);
void unlinkDefinitions();

// A new list of every linked text, owned by the caller; null when none is linked.
DefinitionList* buildDefinitionList();
void freeDefinitionList(DefinitionList* list);
// The list behind a pointer a caller hands back: null for null, or for a pointer that is
// not a list built here and still alive (`known` is then false).
const DefinitionList* liveList(const void* pointer, bool& known);

} // namespace ov::mentaro

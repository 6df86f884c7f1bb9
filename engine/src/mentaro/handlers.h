// Command handlers, registered per (external, command) apart from the linked texts: the
// framework registers them after it has built its list and unlinked the texts.
#pragma once

#include <string_view>
#include <vector>

#include "mentaro/definition_list.h"
#include "orvane_core.h"

namespace ov::mentaro
{

// False for a null handler, a word that is not a name, or a 4097th pair.
bool addHandler(std::string_view external, std::string_view command, OvMentaroProc proc);
void clearHandlers();
// The handler of each command of `list`, null where none is registered.
std::vector<OvMentaroProc> handlersFor(const DefinitionList& list);

} // namespace ov::mentaro

#include "mentaro/handlers.h"

#include <map>
#include <string>
#include <utility>

#include "mentaro/text_lines.h"

namespace ov::mentaro
{

namespace
{

constexpr size_t mostHandlers = 4096;

std::map<std::pair<std::string, std::string>, OvMentaroProc> handlers;

} // namespace

bool addHandler(std::string_view external, std::string_view command, OvMentaroProc proc)
{
    if (!proc || !isName(external) || !isName(command))
        return false;
    auto key = std::make_pair(std::string(external), std::string(command));
    if (handlers.size() >= mostHandlers && handlers.count(key) == 0)
        return false;
    handlers[std::move(key)] = proc;
    return true;
}

void clearHandlers()
{
    handlers.clear();
}

std::vector<OvMentaroProc> handlersFor(const DefinitionList& list)
{
    std::vector<OvMentaroProc> procs;
    procs.reserve(list.commands.size());
    for (const ListedCommand& command : list.commands)
    {
        const auto found =
            handlers.find({list.externals[command.external].external, command.definition->name});
        procs.push_back(found == handlers.end() ? nullptr : found->second);
    }
    return procs;
}

} // namespace ov::mentaro

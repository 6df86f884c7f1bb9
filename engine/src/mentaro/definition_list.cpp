#include "mentaro/definition_list.h"

#include <memory>
#include <unordered_set>

#include "orvane_core.h"

namespace ov::mentaro
{

namespace
{

struct LinkedText
{
    std::string name;
    DefinitionText text;
};

// The engine is called from one thread.
std::vector<LinkedText> linked;
std::unordered_set<const DefinitionList*> liveLists;

// FNV-1a over a canonical form of the command sets, so that a text written with "\r\n" or
// other spacing describes the same list.
class Hasher
{
  public:
    void add(std::string_view text)
    {
        for (char c : text)
            value = (value ^ uint8_t(c)) * 0x100000001b3ull;
        value = (value ^ 0xffu) * 0x100000001b3ull; // ends each part
    }
    uint64_t result() const { return value; }

  private:
    uint64_t value = 0xcbf29ce484222325ull;
};

uint64_t hashOf(const std::vector<DefinitionText>& externals)
{
    Hasher hasher;
    hasher.add("mentaro definition list 1");
    for (const DefinitionText& text : externals)
    {
        hasher.add(text.external);
        hasher.add(std::to_string(text.keywords.size()));
        for (const std::string& keyword : text.keywords)
            hasher.add(keyword);
        hasher.add(std::to_string(text.commands.size()));
        for (const CommandDefinition& command : text.commands)
        {
            hasher.add(command.name);
            hasher.add(describeOperands(command));
        }
    }
    return hasher.result();
}

// Whether the linked texts, with `candidate` linked under `name`, still make one list.
bool fitsTogether(std::string_view name, const DefinitionText& candidate, std::string& error)
{
    std::unordered_set<std::string> names;
    size_t total = 0;
    auto add = [&](const DefinitionText& text)
    {
        total += text.commands.size();
        for (const CommandDefinition& command : text.commands)
            if (!names.insert(command.name).second)
            {
                error = "command '" + command.name + "' is defined by two linked texts";
                return false;
            }
        return true;
    };
    for (const LinkedText& other : linked)
        if (other.name != name && !add(other.text))
            return false;
    if (!add(candidate))
        return false;
    if (total > OV_MENTARO_MOST_COMMANDS)
    {
        error = "the linked texts hold more than " + std::to_string(OV_MENTARO_MOST_COMMANDS) +
                " commands";
        return false;
    }
    return true;
}

} // namespace

int32_t DefinitionList::findCommand(std::string_view name) const
{
    const auto found = commandIndex.find(std::string(name));
    return found == commandIndex.end() ? -1 : int32_t(found->second);
}

int32_t DefinitionList::findKeyword(uint32_t external, std::string_view word) const
{
    const auto& keywords = keywordIndex[external];
    const auto found = keywords.find(std::string(word));
    return found == keywords.end() ? -1 : int32_t(found->second);
}

size_t DefinitionList::keywordCount(uint32_t command) const
{
    return externals[commands[command].external].keywords.size();
}

uint64_t emptyListHash()
{
    return hashOf({});
}

bool linkDefinition(std::string_view name, std::string_view text, std::string& error)
{
    DefinitionText read;
    if (!readDefinitionText(text, read, error))
        return false;
    if (read.external != name)
    {
        error = "the text defines external '" + read.external + "', linked as '" +
                std::string(name) + "'";
        return false;
    }
    if (!fitsTogether(name, read, error))
        return false;
    for (LinkedText& other : linked)
        if (other.name == name)
        {
            other.text = std::move(read);
            return true;
        }
    linked.push_back({std::string(name), std::move(read)});
    return true;
}

void unlinkDefinitions()
{
    linked.clear();
}

DefinitionList* buildDefinitionList()
{
    if (linked.empty())
        return nullptr;
    auto list = std::make_unique<DefinitionList>();
    for (const LinkedText& text : linked)
        list->externals.push_back(text.text);
    for (uint32_t e = 0; e < list->externals.size(); ++e)
    {
        const DefinitionText& text = list->externals[e];
        auto& keywords = list->keywordIndex.emplace_back();
        for (uint32_t k = 0; k < text.keywords.size(); ++k)
            keywords.emplace(text.keywords[k], k);
        for (const CommandDefinition& command : text.commands)
        {
            list->commandIndex.emplace(command.name, uint32_t(list->commands.size()));
            list->commands.push_back({e, &command});
        }
    }
    list->hash = hashOf(list->externals);
    liveLists.insert(list.get());
    return list.release();
}

void freeDefinitionList(DefinitionList* list)
{
    if (liveLists.erase(list) != 0)
        delete list;
}

const DefinitionList* liveList(const void* pointer, bool& known)
{
    const auto* list = static_cast<const DefinitionList*>(pointer);
    known = pointer == nullptr || liveLists.count(list) != 0;
    return known ? list : nullptr;
}

} // namespace ov::mentaro

// The compiler: a script of one command per line against a definition list, into the binary
// program of program_format.h.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "mentaro/definition_list.h"

namespace ov::mentaro
{

// False with `error` naming the line and what was expected; `program` is then empty.
bool compileSource(std::string_view source, const DefinitionList* list,
                   std::vector<uint8_t>& program, std::string& error);

} // namespace ov::mentaro

// The text of the last compile or execute failure, "" after a success.
#pragma once

#include <string>

namespace ov::mentaro
{

void setLastError(std::string text);
const char* lastError();

} // namespace ov::mentaro

#include "mentaro/last_error.h"

namespace ov::mentaro
{

namespace
{

std::string text; // the engine is called from one thread

} // namespace

void setLastError(std::string reason)
{
    text = std::move(reason);
}

const char* lastError()
{
    return text.c_str();
}

} // namespace ov::mentaro

// Views and slices of framework strings for the markup reader, writer and path lookup,
// which work on ranges of one big text rather than growing strings piece by piece.
#pragma once

#include <string>
#include <string_view>

#include "core/ov_string.h"

namespace OvCore
{

// The string's text as a view, valid while the string is unchanged.
inline std::string_view MarkupView(const OV_STRING& text)
{
    return text.Text();
}

// One exact allocation for the slice, whatever the size of the text it is cut from.
inline void MarkupAssign(OV_STRING& target, std::string_view slice)
{
    target = std::string(slice).c_str();
}

} // namespace OvCore

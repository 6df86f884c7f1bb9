// Unpacking a package into a folder. Entry names come from the archive and are hostile: a
// name that is absolute, has an empty, "." or ".." part, or holds a backslash (a separator
// elsewhere) is refused, so nothing is ever written outside the folder.
#pragma once

#include <cstdint>
#include <vector>

#include "formats/package.h"

namespace OvCore
{

// Whether `name` is a relative path of ordinary parts joined by '/' ("..name.txt" is one).
bool PackageEntryNameIsSafe(const char* name);

// Writes every entry of the open package under `folder`, making the folders its names ask
// for. Returns the entries written; `failed` receives the index of each entry refused or not
// written.
uint32_t PackageUnpack(const PackageInfo& package, const char* folder,
                       std::vector<uint32_t>& failed);

} // namespace OvCore

// Where each root's store lives and how it is read and replaced: one file per root under
// $XDG_CONFIG_HOME (or ~/.config)/orvane-core/registry, changed under an exclusive lock and
// replaced atomically and durably. Private to platform/src.
#pragma once

#include "registry_store.h"

#include <functional>
#include <string>

namespace OvPlatform
{

// The file name of a predefined root ("HKEY_CURRENT_USER"), or "" for a handle that is none.
std::string RegistryRootName(HKEY root);

// Runs `change` on the root's store under the store's lock. When `change` returns
// ERROR_SUCCESS and `write` is set, the store is written back; a failed write returns its
// error and leaves the previous file in place. A store file that cannot be read or parsed is
// moved aside (reported on standard error) and the store starts empty; a read that failed for
// a passing reason (no descriptors or memory, an I/O error) returns ERROR_READ_FAULT and
// leaves the file alone.
LONG WithRegistryStore(HKEY root, bool write, const std::function<LONG(RegistryStore&)>& change);

} // namespace OvPlatform

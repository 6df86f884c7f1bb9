// Replacing a file whole. The bytes go to a fresh file beside the target (same folder, so the
// rename stays on one file system), which is flushed to the disk and renamed over the target
// only once every byte is written: a full disk, a write error or a killed process leaves the
// previous file exactly as it was. A failed write removes the fresh file; a killed process
// leaves it behind, named "<target>.tmp-<pid>-<n>", and the next save of that target
// removes such leftovers once their process is gone.
#pragma once

#include <cstdio>
#include <functional>

namespace OvCore
{

// `write` fills the fresh file (open for binary writing, at its start). True only when it
// returned true and the file then replaced the target. An existing target keeps its
// permissions, a new one gets the usual ones (0666 less the umask); a symbolic link is
// followed, so the file it names is replaced and the link kept. A device or pipe (/dev/null,
// a FIFO) is written as it is. False when the folder cannot take a new file.
bool ReplaceFileWhole(const char* path, const std::function<bool(std::FILE*)>& write);

} // namespace OvCore

// Faults injected into a save: a disk that is full as far as the saver can tell (a limit on
// the size of files its process writes), and a process killed with SIGKILL in the middle of
// saving. Both run the save in a forked child, so the test process itself is never limited.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace OvTest
{

// The whole file; empty when it does not open.
std::string FileBytes(const std::string& path);
// Writes `bytes` as the file, or fails the test.
void WriteFileBytes(const std::string& path, const std::string& bytes);

// Fails the test when `folder` holds anything but `path` (a temporary file left behind).
void ExpectFolderHoldsOnly(const std::string& folder, const std::string& path);

// Runs `save` in a child that may not write any file past `limitBytes` (SIGXFSZ ignored, so
// such a write fails with EFBIG instead of ending the child). What `save` returned, or nothing
// when the child did not get to return it.
std::optional<bool> SaveWithFileLimit(long limitBytes, const std::function<bool()>& save);

// `rounds` times: a child saves over and over (save(0), save(1), save(0)...) and is killed
// with SIGKILL after a random wait below `mostMilliseconds`. In the first round the wait
// starts only once a save has completed, so that a loaded machine still shows a replaced file.
// The bytes of the file at `path` after each kill, in order.
std::vector<std::string> BytesAfterKilledSaves(const std::string& path,
                                               const std::function<bool(int)>& save, int rounds,
                                               int mostMilliseconds);
// Fails the test unless there are `rounds` files seen, each one of `versions` (the previous
// file first), and at least one a new version (a save completed before some kill).
void ExpectWholeVersions(const std::vector<std::string>& seen,
                         const std::vector<std::string>& versions, int rounds);

} // namespace OvTest

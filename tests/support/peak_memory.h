// How much memory a piece of work makes a process take: it runs in a forked child, whose
// peak resident size the kernel reports when it ends. Tests compare it with an idle child's,
// so that a reader shown hostile input is seen not to allocate in proportion to it.
#pragma once

#include <functional>

namespace OvTest
{

// The peak resident memory, in KiB, of a child process that runs `work` and exits; -1 when
// the child could not be started or did not exit normally.
long ChildPeakKib(const std::function<void()>& work);

} // namespace OvTest

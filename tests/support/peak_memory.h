// How much memory a piece of work makes a process take: it runs in a forked child, whose
// peak resident size the kernel reports when it ends. Tests compare it with an idle child's,
// so that a reader shown hostile input is seen not to allocate in proportion to it.
#pragma once

#include <functional>

namespace OvTest
{

// Whether a peak follows the memory live at once. AddressSanitizer keeps freed blocks in
// quarantine (256 MiB by default) and shadows all it touched, so there a reader that frees
// each line as it goes still peaks in proportion to its input: such bounds hold only here.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPeakFollowsLiveMemory = false;
#else
constexpr bool kPeakFollowsLiveMemory = true;
#endif

// The peak resident memory, in KiB, of a child process that runs `work` and exits; -1 when
// the child could not be started or did not exit normally.
long ChildPeakKib(const std::function<void()>& work);

} // namespace OvTest

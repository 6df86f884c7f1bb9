// A hook that fails the next big allocation: while a FAILING_ALLOCATION lives, the first
// allocation on its thread larger than its threshold (after `passFirst` such allocations were
// let through, to reach a later one) fails as running out of memory does
// (operator new and new[] throw std::bad_alloc, their nothrow forms, malloc, calloc and
// realloc return null; a failed realloc keeps its block). Smaller allocations, other threads
// and later allocations are served as usual. The hook (support/hooks/failing_allocator.cpp)
// replaces the program's allocator, so only the test programs that use it link it.
#pragma once

#include <cstddef>
#include <functional>

namespace OvTest
{

class FAILING_ALLOCATION
{
  public:
    explicit FAILING_ALLOCATION(size_t aboveBytes, unsigned passFirst = 0);
    ~FAILING_ALLOCATION(); // disarms if nothing failed yet
    FAILING_ALLOCATION(const FAILING_ALLOCATION&) = delete;
    FAILING_ALLOCATION& operator=(const FAILING_ALLOCATION&) = delete;

    // Whether an allocation was failed: a test that meets no big allocation proves nothing.
    bool Failed() const;
};

// Runs `attempt` with its first big allocation failed, then with its second failed, and so
// on, until a run meets no big allocation left to fail: that run must succeed. Every failed
// run must return false and then pass `expectKept` (the caller's data, the file on disk).
// The number of failed runs (at most 64): a test expects at least one.
int FailEachBigAllocation(size_t aboveBytes, const std::function<bool()>& attempt,
                          const std::function<void()>& expectKept);

} // namespace OvTest

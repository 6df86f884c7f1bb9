// Failing every big allocation of an operation in turn (support/failing_allocation.h).
#include <gtest/gtest.h>

#include "support/failing_allocation.h"

namespace OvTest
{

int FailEachBigAllocation(size_t aboveBytes, const std::function<bool()>& attempt,
                          const std::function<void()>& expectKept)
{
    constexpr unsigned kMostRuns = 64;
    for (unsigned pass = 0; pass < kMostRuns; ++pass)
    {
        bool succeeded = false;
        bool failed = false;
        {
            const FAILING_ALLOCATION trap(aboveBytes, pass);
            succeeded = attempt();
            failed = trap.Failed();
        }
        if (!failed)
        {
            EXPECT_TRUE(succeeded)
                << "with every allocation served, after " << pass << " failed runs";
            return int(pass);
        }
        EXPECT_FALSE(succeeded) << "big allocation " << pass << " failed, yet it succeeded";
        SCOPED_TRACE("big allocation " + std::to_string(pass) + " failed");
        expectKept();
    }
    ADD_FAILURE() << "still failing after " << kMostRuns << " runs";
    return int(kMostRuns);
}

} // namespace OvTest

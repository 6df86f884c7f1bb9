#include "base/handle_table.h"

#include <atomic>

namespace ov
{

uint64_t takeHandleId()
{
    // One counter for the whole process and every table, never reset (not even by
    // OvClosure), so no id is ever handed out twice.
    static std::atomic<uint64_t> next{1};
    const uint64_t id = next.fetch_add(1, std::memory_order_relaxed);
    if constexpr (UINTPTR_MAX < UINT64_MAX)
    {
        if (id > UINTPTR_MAX)
            return 0;
    }
    return id;
}

} // namespace ov

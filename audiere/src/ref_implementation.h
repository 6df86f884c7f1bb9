// The reference count behind every object of the library: atomic, since the streaming
// thread never takes references but a program may hand objects between its threads.
#pragma once

#include "audiere/audiere.h"

#include <atomic>

namespace audiere
{

template <typename Interface> class RefImplementation : public Interface
{
  public:
    void ref() override { count.fetch_add(1, std::memory_order_relaxed); }
    void unref() override
    {
        if (count.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete this;
    }

  private:
    std::atomic<int> count{0};
};

} // namespace audiere

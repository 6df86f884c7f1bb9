// Every C entry point runs its body through guard(): no C++ exception (an allocation that
// fails, say) crosses the library's boundary; the call returns its failure value instead.
#pragma once

#include <utility>

namespace ov
{

template <class R, class F> R guard(R failure, F&& body) noexcept
{
    try
    {
        return std::forward<F>(body)();
    }
    catch (...)
    {
        return failure;
    }
}

template <class F> void guard(F&& body) noexcept
{
    try
    {
        std::forward<F>(body)();
    }
    catch (...)
    {
    }
}

} // namespace ov

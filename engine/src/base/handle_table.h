// The table of live engine objects of one kind. Every handle that enters the C interface is
// looked up here, so an empty, foreign or stale handle (kept after its Destroy) is refused
// instead of followed.
#pragma once

#include <memory>
#include <unordered_map>

#include "orvane_core.h"

namespace ov {

inline bool handleIsEmpty(const OvHandle& handle)
{
    return (handle.flags & 0xFFu) != 0 || handle.object == nullptr;
}

inline OvHandle emptyHandle() { return OvHandle{1, nullptr}; }

template <class T>
class HandleTable
{
public:
    T* find(const OvHandle& handle) const
    {
        if (handleIsEmpty(handle))
            return nullptr;
        const auto found = live_.find(handle.object);
        return found == live_.end() ? nullptr : found->second.get();
    }

    OvHandle add(std::unique_ptr<T> object)
    {
        T* raw = object.get();
        live_.emplace(raw, std::move(object));
        return OvHandle{0, raw};
    }

    std::unique_ptr<T> remove(const OvHandle& handle)
    {
        if (handleIsEmpty(handle))
            return nullptr;
        const auto found = live_.find(handle.object);
        if (found == live_.end())
            return nullptr;
        std::unique_ptr<T> object = std::move(found->second);
        live_.erase(found);
        return object;
    }

    template <class F>
    void forEach(F&& visit)
    {
        for (auto& [key, object] : live_)
            visit(*object);
    }

    void clear() { live_.clear(); }
    size_t size() const { return live_.size(); }

private:
    std::unordered_map<const void*, std::unique_ptr<T>> live_;
};

} // namespace ov

// The tables of live engine objects, one per kind. Every handle that enters the C interface
// is looked up here, so an empty, foreign or stale handle is refused instead of followed.
//
// A handle's `object` word is an opaque id, never an address: ids come from one
// process-wide 64-bit counter that every table shares, and are never reused. So a handle kept
// after its object's Destroy (or after OvClosure) is refused for ever, whatever object later
// takes the freed memory, and a handle of one kind (a texture) is refused by the functions of
// every other kind (shaders), whose tables never held its id.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>

#include "orvane_core.h"

namespace ov
{

inline bool handleIsEmpty(const OvHandle& handle)
{
    return (handle.flags & 0xFFu) != 0 || handle.object == nullptr;
}

inline OvHandle emptyHandle()
{
    return OvHandle{1, nullptr};
}

// The next id of the process-wide counter: 1, 2, 3, ... 0 once the ids no longer fit the
// pointer-sized object word (only on builds whose pointers are narrower than 64 bits, after
// 2^32 - 1 objects): from then on no object can be made, rather than an id be reused.
uint64_t takeHandleId();

template <class T> class HandleTable
{
  public:
    T* find(const OvHandle& handle) const
    {
        if (handleIsEmpty(handle))
            return nullptr;
        const auto found = live_.find(idOf(handle));
        return found == live_.end() ? nullptr : found->second.get();
    }

    // Takes `object` under a new id and returns its handle {0, id}. When the ids are
    // exhausted it returns the empty handle and leaves `object` with the caller, which still
    // owns what it holds (OpenGL names, a context) and must release it.
    OvHandle add(std::unique_ptr<T>& object)
    {
        const uint64_t id = takeHandleId();
        if (id == 0)
            return emptyHandle();
        live_.emplace(id, std::move(object));
        return OvHandle{0, reinterpret_cast<void*>(static_cast<uintptr_t>(id))};
    }

    std::unique_ptr<T> remove(const OvHandle& handle)
    {
        if (handleIsEmpty(handle))
            return nullptr;
        const auto found = live_.find(idOf(handle));
        if (found == live_.end())
            return nullptr;
        std::unique_ptr<T> object = std::move(found->second);
        live_.erase(found);
        return object;
    }

    template <class F> void forEach(F&& visit)
    {
        for (auto& [id, object] : live_)
            visit(*object);
    }

    void clear() { live_.clear(); }
    size_t size() const { return live_.size(); }

  private:
    static uint64_t idOf(const OvHandle& handle)
    {
        return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(handle.object));
    }

    std::unordered_map<uint64_t, std::unique_ptr<T>> live_;
};

} // namespace ov

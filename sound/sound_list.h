// One of the sound system's two lists of loaded audio: the library's objects in load order,
// each held by one reference, and the handles that name them. A handle stays valid while
// its entry is in the list and names nothing once it has gone (numbers are never reused), so
// a stale handle is as harmless as an empty one.
#pragma once

#include "audiere/audiere.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace OvCore
{

// Loaded audio objects of type T in load order, each named by a handle.
template <typename T> class SOUND_LIST
{
  public:
    // Names one entry of the list by its number; only the list makes non-empty ones.
    class HANDLE
    {
      public:
        HANDLE() = default;
        // True for the empty handle, which names nothing (a stale one still reads false).
        bool IsEmpty() const { return number == 0; }
        // True for a handle the list made, whether or not its entry is still there.
        explicit operator bool() const { return number != 0; }
        // Equal when both name the same entry (all empty handles are equal).
        bool operator==(const HANDLE&) const = default;

      private:
        friend class SOUND_LIST;
        explicit HANDLE(uint32_t value) : number(value) {}
        uint32_t number = 0;
    };

    // An empty handle for a null object.
    HANDLE Append(audiere::RefPtr<T> item)
    {
        if (!item || lastNumber == UINT32_MAX)
            return HANDLE();
        entries.push_back({++lastNumber, static_cast<audiere::RefPtr<T>&&>(item)});
        return HANDLE(lastNumber);
    }

    // Null for an empty handle or one whose entry has gone.
    T* Find(HANDLE handle) const
    {
        const ENTRY* entry = Locate(handle);
        return entry ? entry->item.get() : nullptr;
    }

    // Drops the entry and its reference; false for an empty handle or one whose entry has gone.
    bool Remove(HANDLE handle)
    {
        const ENTRY* entry = Locate(handle);
        if (!entry)
            return false;
        entries.erase(entries.begin() + (entry - entries.data()));
        return true;
    }

    // False when the list was already empty.
    bool Clear()
    {
        if (entries.empty())
            return false;
        entries.clear();
        return true;
    }

    // The number of entries.
    size_t Count() const { return entries.size(); }

  private:
    struct ENTRY
    {
        uint32_t number;
        audiere::RefPtr<T> item;
    };

    const ENTRY* Locate(HANDLE handle) const
    {
        if (handle.IsEmpty())
            return nullptr;
        for (const ENTRY& entry : entries)
            if (entry.number == handle.number)
                return &entry;
        return nullptr;
    }

    std::vector<ENTRY> entries;
    uint32_t lastNumber = 0;
};

} // namespace OvCore

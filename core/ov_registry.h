// OV_REGISTRY, the name-keyed container in which the framework keeps its windows, states,
// sprites, shaders, fonts, views, timers and actors. Keys are (name, 32-bit index); entries
// stay in insertion order, which is iteration order; lookups are linear and byte-exact. The
// registry owns its values. An entry handle (OV_ENTRY) is two words, cheap to copy and stable
// until its entry is removed, so records can keep one (the current state, a style reference).
// A walk that calls out (the scene's passes, the timers, the running state) pins the
// registry: entries removed meanwhile, or the whole registry cleared, vanish from lookups and
// walks at once but are destroyed only when the last pin is released, so the walk never
// stands on freed memory.
#pragma once

#include <cstdint>
#include <cstring>
#include <iterator>
#include <memory>
#include <optional>
#include <vector>

namespace OvCore
{

// A registry key: a NUL-padded name field and an index, 128 bytes.
struct OV_REGISTRY_KEY
{
    static constexpr uint32_t NameField = 124; // names of NameField bytes or more are refused
    char name[NameField];                      // the name, NUL-padded to the end of the field
    int32_t index; // second half of the key: one name may hold several indexes
};
static_assert(sizeof(OV_REGISTRY_KEY) == 128);

// Modes of OV_REGISTRY::Access.
enum OV_ACCESS : int
{
    OV_ACCESS_FIND = 1,           // name and index
    OV_ACCESS_FIND_OR_CREATE = 2, // as Get
    OV_ACCESS_REMOVE = 3,         // remove the first match; returns a null handle
    OV_ACCESS_FIND_NAME = 4,      // first entry with the name, any index
};

template <class T> class OV_REGISTRY;

// One entry of a registry: its key, its value and its neighbours. The registry owns the chain
// (each node owns the next one); handles only point at nodes.
template <class T> struct OV_REGISTRY_NODE
{
    OV_REGISTRY_KEY key{};                  // name and index, zeroed before the name is copied in
    T value{};                              // the stored value, owned by the node
    std::unique_ptr<OV_REGISTRY_NODE> next; // the next entry in insertion order; owns it
    OV_REGISTRY_NODE* previous = nullptr;   // the entry before, null for the first
    bool removed = false; // removed while pinned: skipped, destroyed at the last unpin

    // The first node from `node` on, forwards, that is not removed.
    static OV_REGISTRY_NODE* Live(OV_REGISTRY_NODE* node)
    {
        while (node && node->removed)
            node = node->next.get();
        return node;
    }
    // The first node from `node` backwards that is not removed.
    static OV_REGISTRY_NODE* LiveBefore(OV_REGISTRY_NODE* node)
    {
        while (node && node->removed)
            node = node->previous;
        return node;
    }
};

// Entry handle: an invalid flag in the low byte of `flags` and a pointer to the entry. Null
// when the flag is set or the pointer is null; valid until the entry is removed or the
// registry destroyed (while the registry is pinned a removed entry's handle is null, and
// Next/Previous still lead on from it). Moving past either end gives a null handle; moving
// a null handle leaves it null. Dereferencing a null handle gives a scratch value, never
// null: reads see a default value and what is written to it is dropped at the next such
// dereference. Test the handle to tell.
template <class T> class OV_ENTRY
{
  public:
    // The registry node a handle points at.
    using Node = OV_REGISTRY_NODE<T>;

    OV_ENTRY() = default;
    // A handle on `node`; a null pointer gives a null handle.
    explicit OV_ENTRY(Node* node) : node_(node) {}

    // True when the handle names no live entry: removed, never set or past an end.
    bool IsNull() const { return !Points() || node_->removed; }
    // True for a live entry: the opposite of IsNull.
    explicit operator bool() const { return !IsNull(); }

    // The value behind the handle; null for a null handle.
    T* Get() const { return IsNull() ? nullptr : &node_->value; }
    // Member access on the value; on a null handle, on the scratch value.
    T* operator->() const { return &Value(); }
    // The value by reference; the scratch value for a null handle.
    T& operator*() const { return Value(); }

    // The key; "" and 0 for a null handle.
    const char* Name() const { return IsNull() ? "" : node_->key.name; }
    // The index half of the key; 0 for a null handle.
    int32_t Index() const { return IsNull() ? 0 : node_->key.index; }

    // The next live entry in insertion order; null past the last or from a null handle.
    OV_ENTRY Next() const
    {
        return Points() ? OV_ENTRY(Node::Live(node_->next.get())) : OV_ENTRY();
    }
    // The live entry before this one; null before the first or from a null handle.
    OV_ENTRY Previous() const
    {
        return Points() ? OV_ENTRY(Node::LiveBefore(node_->previous)) : OV_ENTRY();
    }

    // Handles are equal when they name the same entry; all null handles are equal.
    bool operator==(const OV_ENTRY& other) const
    {
        return IsNull() ? other.IsNull() : node_ == other.node_ && !other.IsNull();
    }

  private:
    friend class OV_REGISTRY<T>;

    bool Points() const { return (flags_ & 0xFF) == 0 && node_ != nullptr; }

    T& Value() const
    {
        if (T* value = Get())
            return *value;
        static std::optional<T> scratch;
        scratch.emplace();
        return *scratch;
    }

    uint32_t flags_ = 0;
    Node* node_ = nullptr;
};

// Name-keyed container of values of type T, owning them; see the opening paragraph.
template <class T> class OV_REGISTRY
{
  public:
    using Entry = OV_ENTRY<T>;        // the handle that lookups return
    using Node = OV_REGISTRY_NODE<T>; // one entry of the chain

    OV_REGISTRY() = default;
    OV_REGISTRY(const OV_REGISTRY&) = delete; // the registry owns its values
    OV_REGISTRY& operator=(const OV_REGISTRY&) = delete;
    // Takes over the other registry's entries and id counter; the other is left empty.
    OV_REGISTRY(OV_REGISTRY&& other) noexcept { MoveFrom(other); }
    // Removes every entry, then takes over the other's entries and id counter.
    OV_REGISTRY& operator=(OV_REGISTRY&& other) noexcept
    {
        if (this != &other)
        {
            Clear();
            MoveFrom(other);
        }
        return *this;
    }
    ~OV_REGISTRY()
    {
        // Values whose destructors add entries get a few more rounds; past them, what such
        // destructors keep adding is left behind rather than looping for ever.
        for (int round = 0; round < 8 && head_; ++round)
            Clear();
    }

    // Find-or-create: the first entry with this name and index, else a new entry with a
    // default-constructed value appended at the end. Null for a refused name.
    Entry Get(const char* name, int32_t index = 0)
    {
        Entry found = Find(name, index);
        return found ? found : Append(name, index);
    }

    // Mode 1 find, 2 find-or-create, 3 remove the first match (returns null), 4 find by name
    // only. Any other mode, and a refused name, give a null handle.
    Entry Access(int mode, const char* name, int32_t index = 0)
    {
        switch (mode)
        {
        case OV_ACCESS_FIND:
            return Find(name, index);
        case OV_ACCESS_FIND_OR_CREATE:
            return Get(name, index);
        case OV_ACCESS_REMOVE:
            Remove(Find(name, index));
            return Entry();
        case OV_ACCESS_FIND_NAME:
            return FindName(name);
        default:
            return Entry();
        }
    }

    // The first entry whose name and index both match; null when none.
    Entry Find(const char* name, int32_t index = 0) const
    {
        if (!NameFits(name))
            return Entry();
        for (Node* node = Node::Live(head_.get()); node; node = Node::Live(node->next.get()))
            if (node->key.index == index && NameIs(node->key, name))
                return Entry(node);
        return Entry();
    }

    // The first entry with this name, whatever its index; null when none.
    Entry FindName(const char* name) const
    {
        if (!NameFits(name))
            return Entry();
        for (Node* node = Node::Live(head_.get()); node; node = Node::Live(node->next.get()))
            if (NameIs(node->key, name))
                return Entry(node);
        return Entry();
    }

    // Appends a new entry even when the key is already present (the scene moves its pending
    // actors this way). Null for a refused name.
    Entry Append(const char* name, int32_t index = 0)
    {
        if (!NameFits(name))
            return Entry();
        auto node = std::make_unique<Node>();
        std::memcpy(node->key.name, name, std::strlen(name)); // the field is already zeroed
        node->key.index = index;
        node->previous = tail_;
        Node* added = node.get();
        (tail_ ? tail_->next : head_) = std::move(node);
        tail_ = added;
        ++size_;
        return Entry(added);
    }

    // Removes the entry behind the handle (key and value). The handle, and every copy of it,
    // is invalid afterwards. False for a null handle. While pinned, the value is destroyed
    // when the last pin goes.
    bool Remove(Entry entry)
    {
        if (entry.IsNull())
            return false;
        --size_;
        if (pins_ > 0)
        {
            entry.node_->removed = true;
            purgeDue_ = true;
            return true;
        }
        // Unlinked before it is destroyed: the value's destructor sees a whole chain.
        Unlink(entry.node_);
        return true;
    }

    // With a null name the number of entries, otherwise the number with that name.
    uint32_t Count(const char* name = nullptr) const
    {
        if (!name)
            return size_;
        if (!NameFits(name))
            return 0;
        uint32_t count = 0;
        for (Node* node = Node::Live(head_.get()); node; node = Node::Live(node->next.get()))
            count += NameIs(node->key, name) ? 1 : 0;
        return count;
    }
    // True when no live entry is left (entries removed while pinned do not count).
    bool IsEmpty() const { return size_ == 0; }

    // The oldest live entry; null for an empty registry.
    Entry First() const { return Entry(Node::Live(head_.get())); }
    // The newest live entry; null for an empty registry.
    Entry Last() const { return Entry(Node::LiveBefore(tail_)); }

    // Removes every entry. The id counter keeps running, so ids are never reused. The chain
    // is detached first: entries that the values' destructors add land in the emptied
    // registry and stay.
    void Clear()
    {
        if (pins_ > 0)
        {
            for (Node* node = head_.get(); node; node = node->next.get())
                node->removed = true;
            size_ = 0;
            purgeDue_ = true;
            return;
        }
        std::unique_ptr<Node> chain = std::move(head_);
        tail_ = nullptr;
        size_ = 0;
        // One node at a time: a recursive chain of destructors could exhaust the stack.
        while (chain)
            chain = std::move(chain->next);
    }

    // Holds removals back while a walk calls out; see the header's opening paragraph.
    class Pin
    {
      public:
        // Pins `registry` for the life of this object; it must outlive the pin.
        explicit Pin(OV_REGISTRY& registry) : registry_(registry) { ++registry_.pins_; }
        Pin(const Pin&) = delete;
        Pin& operator=(const Pin&) = delete;
        ~Pin()
        {
            if (--registry_.pins_ == 0 && registry_.purgeDue_)
                registry_.Purge();
        }

      private:
        OV_REGISTRY& registry_;
    };
    // True while at least one Pin holds the registry.
    bool IsPinned() const { return pins_ > 0; }

    // Ids 0, 1, 2, ... in call order (the scene numbers its actors with them).
    uint32_t NextId() { return nextId_++; }

    // Iteration in insertion order yields entry handles:
    //   for (auto entry : registry) use(entry.Name(), *entry);
    // Removing the entry the loop stands on invalidates the loop unless the registry is
    // pinned for it:  OV_REGISTRY<T>::Pin pin(registry);
    class iterator
    {
      public:
        using value_type = Entry;               // what the iterator yields: an entry handle
        using difference_type = std::ptrdiff_t; // asked for by the standard iterator concepts
        iterator() = default;
        // An iterator standing on `node`; null is the end.
        explicit iterator(Node* node) : node_(node) {}
        // A handle on the entry the iterator stands on.
        Entry operator*() const { return Entry(node_); }
        // Steps to the next live entry (entries removed while pinned are skipped).
        iterator& operator++()
        {
            node_ = Node::Live(node_->next.get());
            return *this;
        }
        // Steps on, returning the iterator as it stood before.
        iterator operator++(int)
        {
            iterator before = *this;
            ++*this;
            return before;
        }
        // True when both stand on the same node; the end equals only the end.
        bool operator==(const iterator& other) const { return node_ == other.node_; }

      private:
        Node* node_ = nullptr;
    };
    // An iterator on the oldest live entry, for range-for.
    iterator begin() const { return iterator(Node::Live(head_.get())); }
    // The end, past the newest entry.
    iterator end() const { return iterator(); }

    // True for a non-null name shorter than the key's name field.
    static bool NameFits(const char* name)
    {
        return name && std::memchr(name, '\0', OV_REGISTRY_KEY::NameField) != nullptr;
    }

  private:
    // Byte-exact; never reads past the key's name field.
    static bool NameIs(const OV_REGISTRY_KEY& key, const char* name)
    {
        return std::strncmp(key.name, name, OV_REGISTRY_KEY::NameField) == 0;
    }

    // Takes the node out of the chain, which stays whole.
    std::unique_ptr<Node> Unlink(Node* node)
    {
        Node* previous = node->previous;
        std::unique_ptr<Node>& owner = previous ? previous->next : head_;
        std::unique_ptr<Node> taken = std::move(owner);
        owner = std::move(taken->next);
        if (owner)
            owner->previous = previous;
        else
            tail_ = previous;
        return taken;
    }

    // Destroys the entries removed while pinned, after taking them all out of the chain.
    void Purge()
    {
        purgeDue_ = false;
        std::vector<std::unique_ptr<Node>> removed;
        for (Node* node = head_.get(); node;)
        {
            Node* next = node->next.get();
            if (node->removed)
                removed.push_back(Unlink(node));
            node = next;
        }
        removed.clear();
    }

    void MoveFrom(OV_REGISTRY& other)
    {
        head_ = std::move(other.head_);
        tail_ = other.tail_;
        size_ = other.size_;
        nextId_ = other.nextId_;
        other.tail_ = nullptr;
        other.size_ = 0;
    }

    std::unique_ptr<Node> head_;
    Node* tail_ = nullptr;
    uint32_t size_ = 0;
    uint32_t nextId_ = 0;
    int32_t pins_ = 0;
    bool purgeDue_ = false;
};

} // namespace OvCore

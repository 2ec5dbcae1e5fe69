#pragma once
// KeyedCollection: an insertion-ordered map from text key to text value.
//
// Every lookup is one hashed access. Removal leaves a hole that is compacted away once holes
// outnumber live entries, so removing and re-adding (the one write rule of every store) stays
// constant time on average while enumeration keeps insertion order. The collection owns its
// strings; it is a value type and copies deeply.
//
// The index is a flat open-addressing table of slot numbers (with a part of each key's hash
// beside it), not a node per key: a store of a large tournament holds a hundred thousand keys,
// and filling or reading it then costs one probe into one array instead of a heap node per key
// and a second copy of every key.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rh {

class KeyedCollection {
public:
    struct Entry {
        std::string key;
        std::string value;
    };

    /// Adds a value under a key; throws RhError 457 when the key is already held.
    void Add(std::string value, std::string key);
    /// Removes the entry under the key; throws RhError 5 when there is none.
    void Remove(std::string_view key);
    /// Removes the entry at a 1-based position; throws RhError 9 for a bad position.
    void RemoveAt(std::size_t position);
    /// The value under the key; throws RhError 5 when there is none.
    const std::string& Item(std::string_view key) const;
    /// The value at a 1-based position; throws RhError 9 for a bad position.
    const std::string& ItemAt(std::size_t position) const;
    /// The value under the key, or nothing. Never throws.
    const std::string* find(std::string_view key) const;
    /// The value under the key, or "" when there is none. Never throws.
    std::string value(std::string_view key) const;
    bool Exists(std::string_view key) const { return find(key) != nullptr; }
    std::size_t Count() const { return m_live; }
    bool empty() const { return m_live == 0; }
    void Clear();
    /// Makes room for `count` entries in all, so that filling a large store does not rehash.
    void reserve(std::size_t count) {
        m_slots.reserve(count);
        reserveIndex(count);
    }

    /// Removes any entry under the key, then adds the value unless it is blank (the write rule).
    void replace(std::string_view key, std::string value);

    /// Visits the live entries in insertion order.
    template <typename F> void forEach(F&& visit) const {
        for (const auto& slot : m_slots)
            if (slot)
                visit(slot->key, slot->value);
    }
    /// The live entries in insertion order, copied.
    std::vector<Entry> entries() const;
    /// The values in insertion order (what enumerating the collection yields).
    std::vector<std::string> values() const;

private:
    // One bucket of the index: the slot of the entry and the upper half of its key's hash, so
    // that most probes that miss never read the key.
    struct Bucket {
        std::uint32_t slot;
        std::uint32_t hashTag;
    };
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;
    static constexpr std::uint32_t kRemoved = 0xFFFFFFFEu;

    static std::size_t hashOf(std::string_view key) noexcept {
        return std::hash<std::string_view>{}(key);
    }
    static std::uint32_t tagOf(std::size_t hash) noexcept {
        return static_cast<std::uint32_t>(static_cast<std::uint64_t>(hash) >> 32);
    }
    /// The bucket holding the key, or the end of the probe sequence (an empty bucket) when none.
    std::size_t findBucket(std::string_view key, std::size_t hash) const;
    /// Puts a slot into the index (the key is known to be absent). Grows the index when needed.
    void indexSlot(std::size_t slot, std::size_t hash);
    void reserveIndex(std::size_t count);
    void rebuildIndex(std::size_t bucketCount);
    void compactIfSparse();
    std::size_t slotOfPosition(std::size_t position) const;

    std::vector<std::optional<Entry>> m_slots;
    std::vector<Bucket> m_index; // a power of two in size, or empty
    std::size_t m_used = 0;      // buckets that are not empty (live or removed)
    std::size_t m_live = 0;
};

} // namespace rh

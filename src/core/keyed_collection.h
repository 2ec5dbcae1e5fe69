#pragma once
// KeyedCollection: an insertion-ordered map from text key to text value.
//
// Every lookup is one hashed access. Removal leaves a hole that is compacted away once holes
// outnumber live entries, so removing and re-adding (the one write rule of every store) stays
// constant time on average while enumeration keeps insertion order. The collection owns its
// strings; it is a value type and copies deeply.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
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
        m_index.reserve(count);
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
    struct Hash {
        using is_transparent = void;
        // Deliberately not noexcept: libstdc++ then keeps each node's hash, so a lookup compares
        // stored hashes instead of hashing every key it meets in the bucket.
        std::size_t operator()(std::string_view s) const {
            return std::hash<std::string_view>{}(s);
        }
    };
    void compactIfSparse();
    std::size_t slotOfPosition(std::size_t position) const;

    std::vector<std::optional<Entry>> m_slots;
    std::unordered_map<std::string, std::size_t, Hash, std::equal_to<>> m_index;
    std::size_t m_live = 0;
};

} // namespace rh

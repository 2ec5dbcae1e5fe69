#pragma once
// ScoreStore: the round-score store, one entry per entrant per round under makekey(round, id), the
// score as text. A missing entry means "no score yet", which is not the same as a score of "00".

#include "core/keyed_collection.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rh {

class ScoreStore {
public:
    const KeyedCollection& col() const { return m_col; }
    /// Removes by key; throws RhError 5 when the key is missing.
    void Remove(std::string_view key) { m_col.Remove(key); }
    /// Removes by 1-based position; throws RhError 9 for a bad position.
    void Remove(std::size_t position) { m_col.RemoveAt(position); }
    /// The value, or "" for a missing key.
    std::string Item(std::string_view key) const { return m_col.value(key); }
    std::int32_t Count() const { return static_cast<std::int32_t>(m_col.Count()); }
    void Clear() { m_col.Clear(); }
    /// Makes room for `count` scores (a loader that knows how many follow).
    void reserve(std::size_t count) { m_col.reserve(count); }
    std::vector<std::string> NewEnum() const { return m_col.values(); }

    std::string getScore1(std::string_view key) const { return m_col.value(key); }
    std::string getScore2(std::string_view round, std::string_view id) const;
    /// Replaces the entry; a value that is blank after trimming removes it. The value is stored
    /// untrimmed.
    void setScore(std::string_view round, std::string_view id, std::string value);

    bool Exists(std::string_view key) const { return m_col.Exists(key); }
    bool ExistsKey1(std::string_view key) const { return m_col.Exists(key); }
    bool ExistsKey2(std::string_view round, std::string_view id) const;
    bool ExistsKey3(std::int16_t round, std::int16_t id) const;
    /// Adds without a check; throws RhError 457 for a key already held.
    void Add(std::string value, std::string key) { m_col.Add(std::move(value), std::move(key)); }

    /// The stored score of a round, or nothing when none is stored.
    const std::string* find(long long round, long long id) const;

private:
    KeyedCollection m_col;
};

/// Empties a store from its last entry to the first.
void emptyStore(KeyedCollection& store);
void emptyStore(ScoreStore& store);

/// Keys of the per-entrant stores.
std::string loneKey(long long id); // "12"
std::string bumpKey(long long id); // "1200"
std::string woodKey(long long id); // "1201"
std::string paidKey(long long id); // "1202"

/// The one write rule of lones, bumps and woods: remove any entry, then add the count as two-digit
/// text unless it is blank. A count that is not a number is stored as given (trimmed).
void writeCount(KeyedCollection& store, const std::string& key, std::string_view count);
/// The paid flag: remove any entry, then add 1 or 0, always.
void writePaid(KeyedCollection& bumps, long long id, bool paid);

} // namespace rh

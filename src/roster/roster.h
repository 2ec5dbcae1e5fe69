#pragma once
// Roster: the seating of the whole tournament as relation entries. Progressive: (round, player,
// relation) -> the related player, relation "01" partner, "02" first opponent, "03" second
// opponent. Team: (round, team) -> the opposing team. Filled once by the file reader, read-only
// during play; lookups never fail (a missing relation reads as "").

#include "core/keyed_collection.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rh {

class Roster {
public:
    const KeyedCollection& col() const { return m_col; }
    /// Adds one entry; throws RhError 457 for a key already held.
    void Add(std::string item, std::string key) { m_col.Add(std::move(item), std::move(key)); }
    /// The twelve relation entries of one Progressive table (seats 1+2 and 3+4 are partners).
    void AddPlayers(std::int16_t round, const std::array<std::int16_t, 4>& seats);
    /// The two relation entries of one Team table.
    void AddTeams(std::int16_t round, const std::array<std::int16_t, 2>& teams);
    void Remove(std::string_view key) { m_col.Remove(key); }
    /// The entry's value, or "" when the key is missing.
    std::string Item(std::string_view key) const { return m_col.value(key); }
    std::int32_t Count() const { return static_cast<std::int32_t>(m_col.Count()); }
    void Clear() { m_col.Clear(); }
    /// Makes room for `count` relation entries (a loader that knows the roster's size).
    void reserve(std::size_t count) { m_col.reserve(count); }
    std::vector<std::string> NewEnum() const { return m_col.values(); }

    bool Exists(std::string_view round, std::string_view player, std::string_view relation) const;
    bool ExistsTeam(std::string_view round, std::string_view team) const;
    std::string getPartner(std::string_view round, std::string_view player) const;
    std::string getOpponent1(std::string_view round, std::string_view player) const;
    std::string getOpponent2(std::string_view round, std::string_view player) const;
    /// ID text of the related player, or "".
    std::string GetPlayer(std::string_view round, std::string_view player,
                          std::string_view relation) const;
    /// ID text of the opposing team, or "".
    std::string GetTeam(std::string_view round, std::string_view team) const;

    /// Whether the entrant is seated in the round (Progressive: has a partner entry; Team: has an
    /// opponent entry).
    bool isSeated(bool progressive, std::string_view round, std::string_view id) const {
        return progressive ? Exists(round, id, "01") : ExistsTeam(round, id);
    }

private:
    KeyedCollection m_col;
};

} // namespace rh

#pragma once
// TournamentState: everything that belongs to the open tournament, in one owner object: the
// settings record, the roster and seats, names and aliases, the score stores, the sorted entrant
// and score lists, the place words and the payout choice. A reset replaces the whole object
// (Session holds it by shared_ptr), so a holder of the old one never sees a new tournament's data.

#include "core/keyed_collection.h"
#include "core/sorted_collection.h"
#include "core/tourney.h"
#include "roster/roster.h"
#include "scoring/score.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace rh {

/// The payout choice: 0 standard 50/30/20, 1 custom, and the custom amounts.
struct PayoutSettings {
    std::int16_t PayoutOption = 0;
    std::int16_t CustomPayoutCount = 0;
    std::array<double, 8> CustomPayouts{};
};

/// One entrant of the sorted name list.
struct EntrantRef {
    std::string name;
    std::string id; // ID text
};

class TournamentState {
public:
    CTourney m_Tourney;
    CRoster gRoster;
    KeyedCollection gPlayerNames;    // ID text -> name
    KeyedCollection gTableSeats;     // seat key -> ID text
    KeyedCollection gPlayerAliases;  // ID text -> alias
    CScore gScores;                  // makekey(round, id) -> score
    KeyedCollection gLones;          // ID text -> lone count
    KeyedCollection gBumps;          // ID + "00"/"01"/"02" -> bumps, woods, paid
    KeyedCollection gEntryFeePaid;   // ID text -> 1 or 0
    SortedCollection m_SortedNames;  // "name~ID", text ascending
    SortedCollection m_SortedScores; // "total~ID", numeric descending (rebuilt on demand)
    cPlace places;
    PayoutSettings payout;
    /// The roster viewer's name list: "name~ID" per entrant as loaded, in file order.
    std::vector<std::string> debugNames;

    bool isProgressive() const { return m_Tourney.isProgressive(); }
    int currentRound() const { return m_Tourney.CurrentRound(); }

    /// The entrants in name order, split.
    std::vector<EntrantRef> entrantsByName() const;
    /// The entrant's name, "" when it has none.
    std::string nameOf(std::string_view id) const { return gPlayerNames.value(id); }
    /// The entrant's alias, "" when it has none.
    std::string GetAlias(long long id) const;
    bool ExistsAlias(std::string_view id) const { return gPlayerAliases.Exists(id); }
    /// Whether the entrant sits at a table in the round.
    bool isSeated(long long round, std::string_view id) const;

    std::int32_t scoreTotal(long long id) const;
    std::int32_t loneCount(long long id) const;
    std::int32_t maxLones(long long id) const;
    bool isValid(long long id) const;
};

} // namespace rh

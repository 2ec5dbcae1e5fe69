#pragma once
// TournamentState: everything that belongs to the open tournament, in one owner object: the
// settings record, the roster and seats, names and aliases, the score stores, the sorted entrant
// and score lists, the place words and the payout choice. A reset replaces the whole object
// (Session holds it by shared_ptr), so a holder of the old one never sees a new tournament's data.

#include "core/keyed_collection.h"
#include "core/sorted_collection.h"
#include "core/tournament_settings.h"
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
    TournamentSettings settings;
    Roster roster;
    KeyedCollection names;         // ID text -> name
    KeyedCollection tableSeats;    // seat key -> ID text
    KeyedCollection aliases;       // ID text -> alias
    ScoreStore scores;             // makekey(round, id) -> score
    KeyedCollection lones;         // ID text -> lone count
    KeyedCollection fines;         // ID + "00"/"01"/"02" -> bumps, woods, paid
    KeyedCollection entryFeePaid;  // ID text -> 1 or 0
    SortedCollection sortedNames;  // "name~ID", text ascending
    SortedCollection sortedScores; // "total~ID", numeric descending (rebuilt on demand)
    PlaceWords places;
    PayoutSettings payout;
    /// The roster viewer's name list: "name~ID" per entrant as loaded, in file order.
    std::vector<std::string> debugNames;

    bool isProgressive() const { return settings.isProgressive(); }
    int currentRound() const { return settings.CurrentRound(); }

    /// The entrants in name order, split.
    std::vector<EntrantRef> entrantsByName() const;
    /// The entrant's name, "" when it has none.
    std::string nameOf(std::string_view id) const { return names.value(id); }
    /// The entrant's alias, "" when it has none.
    std::string GetAlias(long long id) const;
    bool ExistsAlias(std::string_view id) const { return aliases.Exists(id); }
    /// Whether the entrant sits at a table in the round.
    bool isSeated(long long round, std::string_view id) const;

    std::int32_t scoreTotal(long long id) const;
    std::int32_t loneCount(long long id) const;
    std::int32_t maxLones(long long id) const;
    bool isValid(long long id) const;
};

} // namespace rh

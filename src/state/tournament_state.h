#pragma once
// TournamentState: everything that belongs to the open tournament, in one owner object: the
// settings record, the entrants (names, aliases, counts, marks), the seating, the score table,
// the ranking, the place words and the payout choice. A reset replaces the whole object (Session
// holds it by shared_ptr), so a holder of the old one never sees a new tournament's data.
//
// Everything is found by number: an entrant by its EntrantId (one array access to its slot), a
// score by round and slot, a partner or opponent by the round's seat of the slot.

#include "core/ids.h"
#include "core/place_words.h"
#include "core/tournament_settings.h"
#include "roster/entrants.h"
#include "roster/seating.h"
#include "scoring/score_table.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rh {

/// The payout choice: 0 standard 50/30/20, 1 custom, and the custom amounts.
struct PayoutSettings {
    std::int16_t PayoutOption = 0;
    std::int16_t CustomPayoutCount = 0;
    std::array<double, 8> CustomPayouts{};
};

/// One entrant of the name list.
struct EntrantRef {
    std::string name;
    EntrantId id;
};

/// One line of the ranking: an entrant and its score total.
struct RankedEntrant {
    EntrantId id;
    std::int16_t total = 0;
};

class TournamentState {
public:
    TournamentSettings settings;
    Entrants entrants;
    Seating seating;
    ScoreTable scores;
    /// The entrants 1..TotalPlort by score total, highest first, equal totals by ID (rebuilt by
    /// buildRanking).
    std::vector<RankedEntrant> ranking;
    PlaceWords places;
    PayoutSettings payout;

    bool isProgressive() const { return settings.isProgressive(); }
    int currentRound() const { return settings.CurrentRound(); }
    RoundNo currentRoundNo() const { return RoundNo{settings.CurrentRound()}; }

    /// The named entrants in name order.
    std::vector<EntrantRef> entrantsByName() const;
    const std::vector<EntrantId>& idsByName() const { return entrants.byName(); }
    const EntrantRecord* entrant(EntrantId id) const { return entrants.find(id); }
    EntrantRecord& entrantRecord(EntrantId id) { return entrants.record(id); }
    bool hasName(EntrantId id) const {
        const EntrantRecord* r = entrants.find(id);
        return r && r->name;
    }
    /// The entrant's name, "" when it has none.
    const std::string& nameOf(EntrantId id) const { return entrants.nameOf(id); }
    /// The entrant's alias, "" when it has none.
    const std::string& aliasOf(EntrantId id) const { return entrants.aliasOf(id); }

    /// Seats a table of the round (its entrants' records are made as needed).
    void addTable(RoundNo round, const SeatedTable& table);
    /// Whether the entrant sits at a table in the round.
    bool isSeated(RoundNo round, EntrantId id) const { return seatOf(round, id).has_value(); }
    std::optional<SeatRef> seatOf(RoundNo round, EntrantId id) const {
        return seating.seatOf(round, entrants.slotOf(id));
    }
    /// Progressive: the partner; nothing in a Team tournament or when not seated.
    std::optional<EntrantId> partnerOf(RoundNo round, EntrantId id) const {
        return seating.partner(round, entrants.slotOf(id));
    }
    /// The first opponent (Team: the opposing team).
    std::optional<EntrantId> opponent1Of(RoundNo round, EntrantId id) const {
        return seating.opponent1(round, entrants.slotOf(id));
    }
    std::optional<EntrantId> opponent2Of(RoundNo round, EntrantId id) const {
        return seating.opponent2(round, entrants.slotOf(id));
    }

    std::optional<int> score(RoundNo round, EntrantId id) const {
        return scores.get(round, entrants.slotOf(id));
    }
    bool hasScore(RoundNo round, EntrantId id) const { return score(round, id).has_value(); }
    /// Stores the entrant's score of the round, or removes it for nothing.
    void setScore(RoundNo round, EntrantId id, std::optional<int> score);

    /// The entrant's score total over rounds 1..current.
    std::int32_t scoreTotal(EntrantId id) const;
    /// The entrant's stored lone count, 0 when none.
    std::int32_t loneCount(EntrantId id) const;
    /// The most lones the entrant's scores so far allow (floor(score / 4) summed).
    std::int32_t maxLones(EntrantId id) const;
    /// True when the score total leaves at least 4 points per lone.
    bool isValid(EntrantId id) const;
};

} // namespace rh

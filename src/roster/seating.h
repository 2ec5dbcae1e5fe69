#pragma once
// Seating: who sits where in every round, as dense tables.
//
// Rounds are numbered from 1 and tables within a round from 1, in the order the file (or the
// seating generator) lists them. A Progressive table seats four entrants, seats 1 and 2 partners
// against seats 3 and 4; a Team table seats two teams. Beside the tables each round keeps, per
// entrant slot (Entrants::slotOf), the entrant's seat, so partner and opponents are looked up,
// never searched.
//
// Filled once when a tournament is read or made; read-only during play.

#include "core/ids.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace rh {

struct SeatedTable {
    /// Progressive: seats 1..4 (1+2 against 3+4); Team: the two teams in seats[0] and seats[1].
    std::array<EntrantId, 4> seats{};
};

/// Where an entrant sits in a round: the table (1-based) and the seat on it (0-based).
struct SeatRef {
    int table = 0;
    int seat = 0;
};

class Seating {
public:
    void setProgressive(bool progressive) { m_progressive = progressive; }
    void clear() { m_rounds.clear(); }
    bool progressive() const { return m_progressive; }
    int seatsPerTable() const { return m_progressive ? 4 : 2; }

    /// Adds the next table of the round (rounds may only grow: a round after the last opens the
    /// rounds between as empty). `slots` are the entrants' slots, in seat order.
    void addTable(RoundNo round, const SeatedTable& table, const std::array<int, 4>& slots);
    /// Whether the entrant of `slot` already has a seat in the round.
    bool isSeated(RoundNo round, int slot) const {
        const Round* r = this->round(round);
        return r && slot >= 0 && static_cast<std::size_t>(slot) < r->seatOfSlot.size() &&
               r->seatOfSlot[static_cast<std::size_t>(slot)] >= 0;
    }
    std::optional<SeatRef> seatOf(RoundNo round, int slot) const;

    /// The round's tables in table order; empty for a round without tables.
    const std::vector<SeatedTable>& tables(RoundNo round) const;
    /// The last round that has been opened (0 for none).
    int roundCount() const { return static_cast<int>(m_rounds.size()); }

    /// The partner of a seat (Progressive), the opponents (both kinds: the first is the Team
    /// opponent).
    static int partnerSeat(int seat) { return seat ^ 1; }
    std::optional<EntrantId> partner(RoundNo round, int slot) const;
    std::optional<EntrantId> opponent1(RoundNo round, int slot) const;
    std::optional<EntrantId> opponent2(RoundNo round, int slot) const;

private:
    struct Round {
        std::vector<SeatedTable> tables;
        std::vector<std::int32_t> seatOfSlot; // table index * 4 + seat, or -1
    };
    const Round* round(RoundNo r) const {
        const int n = num(r);
        return n >= 1 && n <= roundCount() ? &m_rounds[static_cast<std::size_t>(n - 1)] : nullptr;
    }
    std::optional<EntrantId> related(RoundNo round, int slot, int which) const;

    bool m_progressive = true;
    std::vector<Round> m_rounds;
};

} // namespace rh

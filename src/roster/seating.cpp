#include "roster/seating.h"

namespace rh {

namespace {
const std::vector<SeatedTable> kNoTables;

// Seats related to a seat: partner, first opponent, second opponent (Progressive). Both members
// of a partnership see the same first and second opponent.
constexpr int kRelated[4][3] = {{1, 2, 3}, {0, 2, 3}, {3, 0, 1}, {2, 0, 1}};
} // namespace

void Seating::addTable(RoundNo r, const SeatedTable& table, const std::array<int, 4>& slots) {
    const int n = num(r);
    if (n < 1)
        return;
    if (n > roundCount())
        m_rounds.resize(static_cast<std::size_t>(n));
    Round& round = m_rounds[static_cast<std::size_t>(n - 1)];
    const auto index = static_cast<std::int32_t>(round.tables.size());
    round.tables.push_back(table);
    for (int seat = 0; seat < seatsPerTable(); ++seat) {
        const auto slot = static_cast<std::size_t>(slots[static_cast<std::size_t>(seat)]);
        if (slot >= round.seatOfSlot.size())
            round.seatOfSlot.resize(slot + 1, -1);
        round.seatOfSlot[slot] = index * 4 + seat;
    }
}

std::optional<SeatRef> Seating::seatOf(RoundNo r, int slot) const {
    const Round* round = this->round(r);
    if (!round || slot < 0 || static_cast<std::size_t>(slot) >= round->seatOfSlot.size())
        return std::nullopt;
    const std::int32_t at = round->seatOfSlot[static_cast<std::size_t>(slot)];
    if (at < 0)
        return std::nullopt;
    return SeatRef{at / 4 + 1, at % 4};
}

const std::vector<SeatedTable>& Seating::tables(RoundNo r) const {
    const Round* round = this->round(r);
    return round ? round->tables : kNoTables;
}

std::optional<EntrantId> Seating::related(RoundNo r, int slot, int which) const {
    const auto at = seatOf(r, slot);
    if (!at)
        return std::nullopt;
    const SeatedTable& table = tables(r)[static_cast<std::size_t>(at->table - 1)];
    if (!m_progressive)
        return which == 1 ? std::optional(table.seats[static_cast<std::size_t>(1 - at->seat)])
                          : std::nullopt;
    return table.seats[static_cast<std::size_t>(kRelated[at->seat][which])];
}

std::optional<EntrantId> Seating::partner(RoundNo r, int slot) const {
    return m_progressive ? related(r, slot, 0) : std::nullopt;
}
std::optional<EntrantId> Seating::opponent1(RoundNo r, int slot) const {
    return related(r, slot, 1);
}
std::optional<EntrantId> Seating::opponent2(RoundNo r, int slot) const {
    return m_progressive ? related(r, slot, 2) : std::nullopt;
}

} // namespace rh

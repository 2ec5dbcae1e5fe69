#include "state/tournament_state.h"

namespace rh {

std::vector<EntrantRef> TournamentState::entrantsByName() const {
    const auto& ids = entrants.byName();
    std::vector<EntrantRef> out;
    out.reserve(ids.size());
    for (EntrantId id : ids)
        out.push_back({nameOf(id), id});
    return out;
}

void TournamentState::addTable(RoundNo round, const SeatedTable& table) {
    std::array<int, 4> slots{};
    for (int seat = 0; seat < seating.seatsPerTable(); ++seat)
        slots[static_cast<std::size_t>(seat)] =
            entrants.slotFor(table.seats[static_cast<std::size_t>(seat)]);
    seating.addTable(round, table, slots);
}

void TournamentState::setScore(RoundNo round, EntrantId id, std::optional<int> score) {
    if (!score && entrants.slotOf(id) < 0)
        return;
    scores.set(round, entrants.slotFor(id), score);
}

std::int32_t TournamentState::scoreTotal(EntrantId id) const {
    const int slot = entrants.slotOf(id);
    return slot < 0 ? 0 : static_cast<std::int32_t>(scores.total(slot, currentRound()));
}

std::int32_t TournamentState::loneCount(EntrantId id) const {
    const EntrantRecord* r = entrants.find(id);
    return r && r->lones ? *r->lones : 0;
}

std::int32_t TournamentState::maxLones(EntrantId id) const {
    const int slot = entrants.slotOf(id);
    return slot < 0 ? 0 : static_cast<std::int32_t>(scores.maxLones(slot, currentRound()));
}

bool TournamentState::isValid(EntrantId id) const {
    return static_cast<std::int64_t>(scoreTotal(id)) >= 4LL * loneCount(id);
}

} // namespace rh

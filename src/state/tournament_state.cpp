#include "state/tournament_state.h"

#include "core/text.h"
#include "scoring/queries.h"

namespace rh {

std::vector<EntrantRef> TournamentState::entrantsByName() const {
    std::vector<EntrantRef> out;
    const auto& items = sortedNames.items();
    out.reserve(items.size());
    for (const std::string& rec : items)
        out.push_back({field(rec, 0), field(rec, 1)});
    return out;
}

std::string TournamentState::GetAlias(long long id) const {
    return aliases.value(fmt00(id));
}

bool TournamentState::isSeated(long long round, std::string_view id) const {
    return roster.isSeated(isProgressive(), fmt00(round), id);
}

std::int32_t TournamentState::scoreTotal(long long id) const {
    return ScoreTotal(scores, currentRound(), id);
}
std::int32_t TournamentState::loneCount(long long id) const {
    return LoneCount(lones, id);
}
std::int32_t TournamentState::maxLones(long long id) const {
    return getMaxLones(scores, currentRound(), id);
}
bool TournamentState::isValid(long long id) const {
    return IsValid(scores, lones, currentRound(), id);
}

} // namespace rh

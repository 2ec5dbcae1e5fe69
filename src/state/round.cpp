#include "state/round.h"

#include "core/text.h"
#include "scoring/queries.h"

namespace rh {

bool isSeatedInRound(const TournamentState& state, std::string_view round, std::string_view id) {
    return state.roster.isSeated(state.isProgressive(), Pad2(round), Pad2(id));
}

bool isRoundComplete(const TournamentState& state, std::string_view round) {
    const std::string r = Pad2(trim(round));
    for (const std::string& record : state.sortedNames) {
        const std::string id = field(record, 1);
        if (!isSeatedInRound(state, r, id))
            continue;
        if (!state.scores.ExistsKey2(r, id))
            return false;
    }
    return true;
}

bool isRoundComplete(const TournamentState& state, long long round) {
    return isRoundComplete(state, Pad2(round));
}

std::vector<EntrantRef> waitingEntrants(const TournamentState& state, long long round) {
    const std::string r = Pad2(round);
    std::vector<EntrantRef> out;
    for (const std::string& record : state.sortedNames) {
        EntrantRef e{field(record, 0), field(record, 1)};
        if (isSeatedInRound(state, r, e.id) && !state.scores.ExistsKey2(r, e.id))
            out.push_back(std::move(e));
    }
    return out;
}

std::string mismatchList(const TournamentState& state) {
    std::string list;
    const int current = state.currentRound();
    for (const std::string& record : state.sortedNames) {
        double id;
        if (!tryParseNumber(field(record, 1), id))
            continue;
        if (!IsValid(state.scores, state.lones, current, static_cast<long long>(id)))
            list += field(record, 0) + "\r\n";
    }
    return list;
}

bool someoneSitsOut(const TournamentState& state, bool loaded) {
    if (!loaded)
        return false;
    const int plort = state.settings.TotalPlort();
    return state.isProgressive() ? plort % 4 != 0 : plort % 2 != 0;
}

SittingOut sittingOut(const TournamentState& state, bool loaded) {
    SittingOut out;
    const int rest = state.settings.TotalPlort() % 4;
    out.visibleLabels = rest == 1 ? 1 : rest == 2 ? 2 : 3;
    out.frameVisible = someoneSitsOut(state, loaded);
    if (!out.frameVisible)
        return out;
    const std::string round = Pad2(state.currentRound());
    for (const std::string& record : state.sortedNames) {
        if (isSeatedInRound(state, round, field(record, 1)))
            continue;
        std::string name = field(record, 0);
        if (out.names.size() < out.labels.size())
            out.labels[out.names.size()] = name;
        out.names.push_back(std::move(name));
    }
    return out;
}

} // namespace rh

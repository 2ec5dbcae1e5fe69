#include "state/round.h"

#include "core/text.h"

namespace rh {

bool isRoundComplete(const TournamentState& state, RoundNo round) {
    for (EntrantId id : state.idsByName())
        if (state.isSeated(round, id) && !state.hasScore(round, id))
            return false;
    return true;
}

std::vector<EntrantRef> waitingEntrants(const TournamentState& state, RoundNo round) {
    std::vector<EntrantRef> out;
    for (EntrantId id : state.idsByName())
        if (state.isSeated(round, id) && !state.hasScore(round, id))
            out.push_back({state.nameOf(id), id});
    return out;
}

std::string mismatchList(const TournamentState& state) {
    std::string list;
    for (EntrantId id : state.idsByName())
        if (!state.isValid(id))
            list += state.nameOf(id) + "\r\n";
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
    const RoundNo round = state.currentRoundNo();
    for (EntrantId id : state.idsByName()) {
        if (state.isSeated(round, id))
            continue;
        std::string name = state.nameOf(id);
        if (out.names.size() < out.labels.size())
            out.labels[out.names.size()] = name;
        out.names.push_back(std::move(name));
    }
    return out;
}

} // namespace rh

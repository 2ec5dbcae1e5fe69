#include "state/validate.h"

#include "core/text.h"
#include "roster/keys.h"

namespace rh {

std::string validateLine(long long round, const std::string& name, const std::string& score,
                         const std::string& partnerName, const std::string& partnerScore) {
    return "Round: " + std::to_string(round) + " Player: " + name + "  Score: " + score +
           "  Partner: " + partnerName + " Score: " + partnerScore;
}

std::vector<std::string> ValidateList(const TournamentState& state, ValidateMode mode) {
    std::vector<std::string> lines;
    if (state.isProgressive()) {
        const std::vector<EntrantRef> entrants = state.entrantsByName();
        const int current = state.currentRound();
        for (long long r = 1; r <= current; ++r) {
            const std::string round = Pad2(r);
            for (const EntrantRef& e : entrants) {
                if (!state.roster.Exists(round, e.id, kPartner))
                    continue;
                const std::string score = state.scores.getScore2(round, e.id);
                const std::string partner =
                    Pad2(state.roster.Item(RosterKey(round, e.id, kPartner)));
                std::string partnerName, partnerScore;
                if (!partner.empty() && state.scores.ExistsKey2(round, partner)) {
                    // A partner without a name (a damaged file) reads as "" rather than failing.
                    partnerName = state.nameOf(partner);
                    partnerScore = state.scores.getScore2(round, partner);
                }
                if (mode == ValidateMode::Check || score != partnerScore)
                    lines.push_back(validateLine(r, e.name, score, partnerName, partnerScore));
            }
        }
    }
    lines.emplace_back(mode == ValidateMode::Check ? kEndOfCheck : kEndOfValidation);
    return lines;
}

} // namespace rh

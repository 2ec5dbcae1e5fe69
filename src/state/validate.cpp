#include "state/validate.h"

#include "core/text.h"

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
        auto scoreText = [&](RoundNo round, EntrantId id) {
            const auto score = state.score(round, id);
            return score ? fmt00(*score) : std::string();
        };
        for (int r = 1; r <= current; ++r) {
            const RoundNo round{static_cast<std::int16_t>(r)};
            for (const EntrantRef& e : entrants) {
                const auto partner = state.partnerOf(round, e.id);
                if (!partner)
                    continue;
                const std::string score = scoreText(round, e.id);
                std::string partnerName, partnerScore;
                if (state.hasScore(round, *partner)) {
                    // A partner without a name (a damaged file) reads as "" rather than failing.
                    partnerName = state.nameOf(*partner);
                    partnerScore = scoreText(round, *partner);
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

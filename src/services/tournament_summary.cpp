#include "services/tournament_summary.h"

namespace rh {

std::string tournamentSummary(const TournamentSettings& t) {
    const std::string entrants = t.isProgressive() ? "players" : "teams";
    return t.TourneyTypeLabel() + " tournament: " + std::to_string(t.TotalPlort()) + " " +
           entrants + ", " + std::to_string(t.TotalTables()) + " tables, " +
           std::to_string(t.TotalRounds()) + " rounds, current round " +
           std::to_string(t.CurrentRound());
}

std::string standingsHeading(const TournamentSettings& t) {
    return t.TourneyTitle() + " (" + t.TourneyCode() + "), " + t.EntrantsWord() + ": " +
           std::to_string(t.TotalPlort()) + ", round " + std::to_string(t.CurrentRound()) + " of " +
           std::to_string(t.TotalRounds());
}

} // namespace rh

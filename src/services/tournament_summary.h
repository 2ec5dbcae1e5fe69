#pragma once
// One-line summaries of a tournament's settings, as the headless tools print them.

#include "core/tournament_settings.h"

#include <string>

namespace rh {

/// "Progressive tournament: 16 players, 4 tables, 8 rounds, current round 4" (`rankhall-cli
/// check`).
std::string tournamentSummary(const TournamentSettings& t);

/// "Friday Night Euchre (DEMO16), Players: 16, round 4 of 8" (the window's standings as text,
/// where no display is available).
std::string standingsHeading(const TournamentSettings& t);

} // namespace rh

#pragma once
// A new tournament from a list of entrants: the request (titles, code, kind, rounds, fees,
// entrant names, the seating's seed), its validation, the seating drawn up by the seating
// schedules (seating/schedule.h) and the tournament file written in the one file format, masked
// and atomically, so that it then loads through the normal load like any other tournament.
//
// Entrants get the IDs 1, 2, 3 ... in the order listed; an entrant who does not fill a table
// sits the round out and is simply at no table of that round. The tournament starts at round 1
// with the standard payout, no scores, no aliases.

#include "core/prompt.h"
#include "seating/schedule.h"
#include "state/tournament_state.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rh {

enum class TournamentKind { Progressive, Team };

inline constexpr int kMaxRounds = seating::kMaxRounds;
inline constexpr int kMaxEntrants = seating::kMaxEntrants;
inline constexpr std::size_t kMaxCodeLength = 16;

struct NewTournamentRequest {
    std::string title;
    std::string code;
    std::string jackpotTitle = "Bump Jackpot";
    TournamentKind kind = TournamentKind::Progressive;
    int rounds = 8;
    double entryFee = 0;
    double bumpFee = 0;
    double woodFee = 0;
    /// Players (Progressive) or team names (Team), one per entrant, in ID order.
    std::vector<std::string> entrants;
    /// The source line of each entrant, for the messages; empty: the 1-based position.
    std::vector<int> entrantLines;
    std::uint64_t seed = 1;
};

/// What keeps the request from becoming a tournament, one sentence each; empty when it can be
/// made. Too few entrants (4 players, 2 teams) or too many, rounds outside 1 to 99, an empty or
/// repeated name (letter case and outer blanks ignored) or one holding "~" or a control
/// character, a missing title, a code that is empty, long or not safe in a file name, fees that
/// the fee lists do not offer.
std::vector<std::string> validateRequest(const NewTournamentRequest& request);

/// The seating of a valid request, both kinds in one type.
struct NewSeating {
    seating::ProgressiveSchedule progressive; // Progressive tournaments
    seating::TeamSchedule team;               // Team tournaments
    seating::Quality quality{};
};
/// Draws up the seating (throws std::invalid_argument when the request is not valid).
NewSeating seatingFor(const NewTournamentRequest& request);

/// The tournament as a load would leave it: settings, names in name order, every round's tables.
/// The request must be valid and the seating made for it.
TournamentState newTournamentState(const NewTournamentRequest& request, const NewSeating& seating);

struct NewTournamentOutcome {
    bool written = false;
    std::vector<std::string> problems; // validation problems: nothing was written
    seating::Quality quality{};
};

/// Validates, seats, builds and writes the tournament file (masked, atomically). A write error
/// shows the common error message titled "SaveFile" through the prompt.
NewTournamentOutcome writeNewTournament(const NewTournamentRequest& request,
                                        const std::string& path, IPrompt& prompt);

/// A code for the title and date: the title's initials (or the first letters of a one-word
/// title, at most six letters and digits, upper case; "RH" when the title has none) followed by
/// the date as yymmdd, e.g. "Tuesday Night Euchre" on 7 December 2026 gives "TNE261207".
std::string suggestCode(std::string_view title, std::chrono::year_month_day date);
/// Whether a code holds only letters, digits, "-" and "_" (safe in any file name) and is 1 to
/// kMaxCodeLength characters long.
bool isSafeCode(std::string_view code);

/// The seating figures as short lines for the director ("Repeated partnerships: 0", ...).
std::vector<std::string> qualityLines(const seating::Quality& quality, TournamentKind kind);

} // namespace rh

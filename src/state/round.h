#pragma once
// Questions about a round as a whole: is every seated entrant scored, who is still waiting, whose
// lones do not fit their scores, and who sits out. All of them read the shared state afresh and
// cost one pass over the entrant list.

#include "state/tournament_state.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace rh {

/// True when every named entrant seated in the round has a score for it (0 counts as a score).
/// Entrants who sit the round out never hold it open.
bool isRoundComplete(const TournamentState& state, RoundNo round);

/// The entrants seated in the round that have no score for it yet, in name order.
std::vector<EntrantRef> waitingEntrants(const TournamentState& state, RoundNo round);

/// The names of the entrants whose score total over rounds 1..CurrentRound leaves less than 4
/// points per lone, in name order, each followed by CR LF. "" when everybody fits.
std::string mismatchList(const TournamentState& state);

/// Who sits out the current round, for the "Sitting Out This Round" frame and the other places
/// that name them.
struct SittingOut {
    /// True when a tournament is loaded and its entrant count does not fill every table
    /// (not a multiple of 4 for Progressive, of 2 for Team); otherwise nobody is named.
    bool frameVisible = false;
    /// How many of the three name labels are shown: 1 when the count mod 4 is 1, 2 when it is 2,
    /// else 3.
    int visibleLabels = 3;
    /// The three labels: the first sitters in name order, "" where none is left.
    std::array<std::string, 3> labels;
    /// Every sitter in name order (may be more than the labels hold).
    std::vector<std::string> names;
};

/// Whether anybody can sit out: the tournament is loaded and the entrant count leaves a table
/// short.
bool someoneSitsOut(const TournamentState& state, bool loaded);
SittingOut sittingOut(const TournamentState& state, bool loaded);

} // namespace rh

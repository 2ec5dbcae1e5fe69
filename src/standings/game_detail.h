#pragma once
// The Details tab's grid (lvGameDetail) as data: one row per entrant, in name order, with its
// score in every round, its total and its lone, bump and wood counts. Any number of rounds up to
// the tournament's TotalRounds (99 at most in practice) is shown.

#include "standings/grid_data.h"

#include <string>
#include <vector>

namespace rh {

class TournamentState;

struct GameDetailRow {
    /// name, rounds 1..TotalRounds, Total, Lone, Bump, Wood, name again.
    std::vector<std::string> cells;
    std::string tag;     // ID text
    std::string toolTip; // alias, on the first and the last cell
};

/// The columns: name ("Player Name"/"Team Name"), "01".."NN", "Total", "Lone", "Bump", "Wood" and
/// an unnamed name column.
std::vector<GridColumn> gameDetailColumns(bool progressive, int totalRounds);
/// The width of the whole grid, in twips.
inline constexpr int kGameDetailWidthTwips = 17775;

/// The rows in the order of the entrant list (the window then sorts them by its column 3,
/// descending). A played round shows its score (" 7"); a round the entrant has not played (no
/// score stored, or a round after the current one) is blank; the total counts rounds
/// 1..CurrentRound; total and counts use the "  0" picture.
std::vector<GameDetailRow> gameDetailRows(const TournamentState& state);

} // namespace rh

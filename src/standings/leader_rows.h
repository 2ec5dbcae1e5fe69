#pragma once
// The standings grid (lvLeaderView) as data: one row per leader entry, in sortedScores order
// (which is already the grid's initial order, descending by score with ties in ascending ID
// order), with the cell texts of its twelve columns and their colours.

#include "standings/grid_data.h"
#include "standings/leaders.h"

#include <array>
#include <optional>
#include <vector>

namespace rh {

class TournamentState;

inline constexpr std::size_t kLeaderColumnCount = 12;

/// Column indices of lvLeaderView.
enum LeaderColumn : std::size_t {
    kColName = 0,
    kColPlace,
    kColPayout,
    kColScore,
    kColAvg,
    kColLone,
    kColPaid,
    kColTotalDue,
    kColBumps,
    kColWoods,
    kColColorize,
    kColOweMoney
};

struct LeaderRow {
    LeaderEntry entry;
    std::array<std::string, kLeaderColumnCount> cells;
    /// The text colour of each cell; none keeps the grid's default colour.
    std::array<std::optional<Rgb>, kLeaderColumnCount> colors;
    /// Dark green for a row in the money, else black (name, place, payout, score, avg, lone,
    /// colorize).
    Rgb standingColor = kBlack;
    /// For an entrant that owes fines: dark green once paid, red until then; black otherwise
    /// (paid, total due, bumps, woods).
    Rgb paymentColor = kBlack;
    std::string tag;     // ID text
    std::string toolTip; // alias
};

/// The twelve columns of lvLeaderView, the first heading by the tournament kind.
std::vector<GridColumn> leaderColumns(bool progressive);

/// The grid row of one leader entry.
LeaderRow AddToLeaderGrid(const TournamentState& state, LeaderEntry entry);

/// The grid rows of the given entries, in their order.
std::vector<LeaderRow> leaderRows(const TournamentState& state, std::vector<LeaderEntry> entries);

} // namespace rh

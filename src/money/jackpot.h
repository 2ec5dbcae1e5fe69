#pragma once
// The lone jackpot: every bump and wood costs its fee, all fines together form the jackpot, and
// the entrant with the most lones takes it; entrants tied for the most lones share it evenly.
// Here as data: the amount, the lone ranking with the payout texts (lvLoneView), the summary
// texts of the results tab and the dashboard, and the jackpot's display texts.

#include "standings/grid_data.h"
#include "state/tournament_state.h"

#include <string>
#include <vector>

namespace rh {

class TournamentSettings;
class TournamentState;
struct CurrencyFormat;

/// Fine counts over IDs 1..TotalPlort (a missing or non-numeric count adds nothing).
struct FineCounts {
    long long bumps = 0;
    long long woods = 0;
};
FineCounts fineCounts(const TournamentState& state);

/// Woods x WoodFee + bumps x BumpFee over all entrants, paid or not.
double JackpotAmount(const TournamentState& state);

/// The lone list: every ID 1..TotalPlort by its lone count, most first, equal counts in
/// ascending ID order. Throws RhError 6 for a count outside 16 bits.
std::vector<RankedEntrant> loneRanking(const TournamentState& state);

/// The jackpot shares of the lone list's rows (element r - 1 for row r): the entrants at the top
/// with the highest lone count share the jackpot evenly, each share as currency with exactly two
/// decimals; every other row gets "". A list of one entrant gives it the whole jackpot.
std::vector<std::string> jackpotShares(const std::vector<RankedEntrant>& loneList, double jackpot,
                                       const CurrencyFormat& format);

struct LoneRow {
    std::string name;
    std::string payout;  // the jackpot share, "" for a non-winner
    std::string lones;   // the lone count (0 when not numeric)
    Rgb color = kBlack;  // green when the payout is a positive amount
    std::string tag;     // ID text
    std::string toolTip; // alias
};

std::vector<GridColumn> loneColumns(bool progressive);

/// The rows of lvLoneView, most lones first; none unless the views have been filled from a loaded
/// tournament (viewsLoaded). Errors are reported with the common error message titled
/// "AddToLoneGrid"; the rows made until then are returned.
void loneRows(const TournamentState& state, const CurrencyFormat& currency,
              std::vector<LoneRow>& rows);

/// The summary of one kind of fine: lblTotalBumps / lblTotalWood ("   00": three blanks, at least
/// two digits), lblResultBump / lblResultWood (its money) and the jackpot shown in lblJackPot and
/// lblResultJackpot; both amounts in the summary's currency form, without a leading zero.
struct FineSummary {
    std::string count;
    std::string money;
    std::string jackpot;
};
FineSummary bumpSummary(const TournamentState& state, const CurrencyFormat& currency);
FineSummary woodSummary(const TournamentState& state, const CurrencyFormat& currency);

/// lblResultsJackpot: the jackpot title followed by ":".
std::string jackpotResultsCaption(const TournamentSettings& tourney);
/// The heading of the jackpot view: the jackpot title followed by " - Winner".
std::string jackpotWinnerHeading(const TournamentSettings& tourney);
/// The explanation shown with the jackpot view.
std::string jackpotExplanation(const TournamentSettings& tourney);

} // namespace rh

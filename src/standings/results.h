#pragma once
// The results tab's grids as data: the tournament winners (lvWinnerView) and the entrants who owe
// bump money (lvBumpView), and the paid mark a ticked or cleared debt row writes.

#include "standings/grid_data.h"

#include <string>
#include <string_view>
#include <vector>

namespace rh {

struct CurrencyFormat;
class TournamentState;

struct WinnerRow {
    std::string name;
    std::string place;  // "00"
    std::string score;  // the total as the leader record holds it
    std::string payout; // the row position's payout text, a single blank when there is none
    std::string lones;
    Rgb color = kBlack;  // green when the payout is a positive amount
    std::string tag;     // ID text
    std::string toolTip; // alias
};

struct BumpRow {
    bool paid = false; // the check box
    std::string name;
    std::string payIn; // woods x WoodFee + bumps x BumpFee, as currency
    std::string bumps;
    std::string woods;
    Rgb color = kRed;    // green when paid, red when not (all cells but the check box)
    std::string tag;     // ID text
    std::string toolTip; // alias, on the name
};

std::vector<GridColumn> winnerColumns(bool progressive);
std::vector<GridColumn> bumpColumns(bool progressive);
/// "Players who owe bump money" / "Teams who owe bump money".
std::string bumpFrameCaption(bool progressive);

/// Every entrant, best first: the leader list and the payout texts are rebuilt. Stops quietly at
/// an error and returns the rows made until then.
std::vector<WinnerRow> winnerRows(const TournamentState& state, const CurrencyFormat& currency,
                                  const std::vector<std::string>& payoutTexts);

/// The entrants with at least one bump or wood, in alphabetical order of their names.
std::vector<BumpRow> debtorRows(const TournamentState& state, const CurrencyFormat& currency);

/// The colour of a debt row for its check box.
inline Rgb bumpRowColor(bool paid) {
    return paid ? kMoneyGreen : kRed;
}

} // namespace rh

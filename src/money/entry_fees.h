#pragma once
// The entry-fee roll call (lvEntryFee) as data: one row per entrant in alphabetical order with a
// check box for "entry fee paid", and the writes of the marks (entryFeePaid, ID text -> 1 or 0;
// the tournament file keeps them in its "EntryFees" element once one is set).

#include "standings/grid_data.h"

#include <string>
#include <string_view>
#include <vector>

namespace rh {

class TournamentState;

struct EntryFeeRow {
    bool paid = false; // the check box
    std::string name;
    Rgb color = kRed;    // green when ticked, red when not (row and sub-item)
    std::string tag;     // ID text
    std::string toolTip; // alias
};

std::vector<GridColumn> entryFeeColumns(bool progressive);

inline Rgb entryFeeRowColor(bool paid) {
    return paid ? kMoneyGreen : kRed;
}

/// The rows for the entry fee as chosen. `entryFeeChosen` is false when the fee list has nothing
/// or its first entry (the amount 0) selected; every row is then ticked whatever is stored.
/// Otherwise each row shows the stored mark (none counts as not paid).
std::vector<EntryFeeRow> entryFeeRows(const TournamentState& state, bool entryFeeChosen);
/// The rows, every one ticked (`allTicked`) or from the stored marks.
std::vector<EntryFeeRow> entryFeeRowsMarked(const TournamentState& state, bool allTicked);
/// The rows, every one ticked or every one cleared, whatever is stored.
std::vector<EntryFeeRow> entryFeeRowsAll(const TournamentState& state, bool ticked);
/// Whether anybody knows who paid: an entry fee is chosen and no entrant has a mark (a file kept
/// before the roll call was, or nobody ticked a box yet) means it is not known.
bool entryFeeRollCallKnown(const TournamentState& state, bool entryFeeChosen);
} // namespace rh

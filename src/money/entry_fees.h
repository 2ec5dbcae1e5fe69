#pragma once
// The entry-fee roll call (lvEntryFee) as data: one row per entrant in alphabetical order with a
// check box for "entry fee paid", and the writes of the marks (entryFeePaid, ID text -> 1 or 0;
// the tournament file does not hold them).

#include "standings/grid_data.h"

#include <string>
#include <string_view>
#include <vector>

namespace rh {

class Session;

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
std::vector<EntryFeeRow> RefreshEntryFeeGrid(const Session& session, bool entryFeeChosen);

/// The rows, every one ticked (`allTicked`) or from the stored marks.
std::vector<EntryFeeRow> FillEntryFeeGrid(const Session& session, bool allTicked);

/// A row's check box changed: replaces the entrant's stored mark by 1 (ticked) or 0. A row tagged
/// "00" changes nothing. Errors are reported titled "Update Paid Data". Returns the row's colour.
Rgb UpdateEntryFeePaid(Session& session, std::string_view idText, bool paid);

/// "Set All": stores 1 for every entrant and returns every row ticked.
std::vector<EntryFeeRow> SetAllEntryFees(Session& session);
/// "Clear All": stores 0 for every entrant (the roll call is cleared, not only redrawn) and
/// returns every row unticked.
std::vector<EntryFeeRow> ClearAllEntryFees(Session& session);

} // namespace rh

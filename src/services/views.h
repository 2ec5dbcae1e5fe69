#pragma once
// The views of the open tournament as the window and rankhall-cli show them: each one computes its
// rows from the session's state with the pure functions of standings/ and money/, and reports a
// failure the way the director is used to (the common error message through the session's
// prompt, titled as before). The writes a grid's check box makes are here too.

#include "money/entry_fees.h"
#include "money/jackpot.h"
#include "services/session.h"
#include "standings/game_detail.h"
#include "standings/leader_rows.h"
#include "standings/leaders.h"
#include "standings/results.h"

#include <string_view>
#include <vector>

namespace rh {

/// All leader entries in ranking order. Runs GetPayouts (which rebuilds the ranking); its errors
/// (a total beyond 16 bits in a damaged file) propagate to the caller.
std::vector<LeaderEntry> leaderEntries(Session& session);
/// Rebuilds every row of the standings grid. An error shows "error in UpdateLeaderGridMain" (OK,
/// no title); the rows built until then are returned.
std::vector<LeaderRow> leaderGridRows(Session& session);

/// Every entrant, best first: the leader list and the payout texts are rebuilt. Stops quietly at
/// an error and returns the rows made until then.
std::vector<WinnerRow> winnerRows(Session& session);
/// The entrants with at least one bump or wood, in alphabetical order of their names.
std::vector<BumpRow> debtorRows(Session& session);
/// A debt row's check box was ticked (paid) or cleared: replaces the entrant's paid mark by 1 or
/// 0 and marks the standings stale. A row tagged "00" changes nothing. Errors are reported with
/// the common error message titled "Update Paid Data". Returns the row's new colour.
Rgb setFinesPaid(Session& session, std::string_view idText, bool paid);

/// The Details grid's rows; none unless a tournament is loaded.
std::vector<GameDetailRow> gameDetailRows(const Session& session);

/// The rows of lvLoneView, most lones first; none unless the views have been filled from a loaded
/// tournament (its views filled). Errors are reported with the common error message titled
/// "AddToLoneGrid"; the rows made until then are returned.
std::vector<LoneRow> loneRows(Session& session);
FineSummary bumpSummary(const Session& session);
FineSummary woodSummary(const Session& session);

/// The entry-fee roll call for the fee as chosen (see entryFeeRows of the state).
std::vector<EntryFeeRow> entryFeeRows(const Session& session, bool entryFeeChosen);
/// A row's check box changed: replaces the entrant's stored mark by 1 (ticked) or 0. A row tagged
/// "00" changes nothing. Errors are reported titled "Update Paid Data". Returns the row's colour.
Rgb setEntryFeePaid(Session& session, std::string_view idText, bool paid);
/// "Set All": stores 1 for every entrant and returns every row ticked.
std::vector<EntryFeeRow> markAllEntryFeesPaid(Session& session);
/// "Clear All": stores 0 for every entrant (the roll call is cleared, not only redrawn) and
/// returns every row unticked.
std::vector<EntryFeeRow> clearAllEntryFees(Session& session);

} // namespace rh

#pragma once
// The director's changes to the open tournament as values (Change, persistence/journal.h), and
// the one place where a change is applied to the session. The window's screens, rankhall-cli play
// and the restore of a journal all store through here, so a change replayed after a crash takes
// exactly the road it took the first time: the score store with its partner rule, the write rules
// of lones, bumps, woods and paid marks, the settings record, the payout choice, the clock and the
// round advance.
//
// storeChange writes the change to the session's journal first (synced to the disk) and then
// applies it; a change that would leave the tournament as it is goes unrecorded.

#include "services/round_advance.h"
#include "services/session.h"

#include <cstdint>

namespace rh {

/// Applies the change to the session's tournament (and clock). Throws RhError for a change that
/// does not fit the tournament (no such kind of field, a custom payout table of the wrong size).
void applyChange(Session& session, const Change& change);

/// Whether applying the change would alter what the session holds.
bool changesState(const Session& session, const Change& change);

/// Appends the change to the session's journal, when one is kept and the change alters the
/// tournament (or, with `alreadyMade`, whenever one is kept: the change is in the state). A journal
/// that cannot be written is reported (common error message "Write Journal") and closed; the caller
/// goes on. Answers false when that happened.
bool recordChange(Session& session, const Change& change, bool alreadyMade = false);
/// recordChange, then applyChange.
void storeChange(Session& session, const Change& change);

/// The advance from the current round to the next, now, with the round clock's time.
Change roundAdvanceChange(const Session& session);

/// The round advance's hooks for the clock alone (no window): the round clock stopped and its time
/// recorded, the pause moved to the tournament's total, the clock started for the next round.
RoundAdvanceHooks clockHooks(Session& session);

/// The local wall clock now, as the tournament clock counts it (seconds since 1970-01-01 00:00
/// local time).
std::int64_t localWallSeconds();

} // namespace rh

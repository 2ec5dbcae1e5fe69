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
//
// Every change is checked against the tournament before it is recorded or applied, by the rules
// of the screens that make it: a score of 0 to 32 (or none) for an entrant seated in a round
// already open, lones within what the scores leave 4 points for, bumps and woods 0 to 99, marks 0
// or 1, fees among the fees the lists offer, expenses and custom payouts finite and not negative,
// 3 to 8 custom places, entrants the tournament has, a round advance only to the next round of
// the tournament. A journal replayed after a crash passes the same checks as the keyboard.

#include "services/round_advance.h"
#include "services/session.h"

#include <cstdint>
#include <string>
#include <vector>

namespace rh {

/// Why the change does not fit the tournament as it stands, in a sentence for the director; ""
/// when it fits.
std::string validateChange(const TournamentState& state, const Change& change);

/// Applies the change to the session's tournament (and clock). Throws RhError (err::InvalidCall,
/// with validateChange's sentence as its description) for a change that does not fit.
void applyChange(Session& session, const Change& change);

/// Whether applying the change would alter what the session holds.
bool changesState(const Session& session, const Change& change);

/// Appends the change to the session's journal, when one is kept and the change alters the
/// tournament (or, with `alreadyMade`, whenever one is kept: the change is in the state). A journal
/// that cannot be written is reported (common error message "Write Journal") and closed; the caller
/// goes on. Answers false when that happened; with `alreadyMade` the director is then also offered
/// to save at once (offerSaveWithoutJournal).
bool recordChange(Session& session, const Change& change, bool alreadyMade = false);
/// Refuses every change while the session only views a tournament another program holds.
/// Checks the change (throwing as applyChange does, with nothing recorded or applied), then
/// recordChange, then applyChange. When the journal could not be written the change still stands
/// on the screen, and the director is offered to save at once (offerSaveWithoutJournal).
void storeChange(Session& session, const Change& change);

/// The question after the journal was lost: changes are no longer protected against a crash;
/// Yes runs the Save button (cmdSave). Answers whether the tournament was saved.
bool offerSaveWithoutJournal(Session& session);
inline constexpr const char* kUnprotectedTitle = "Changes Not Protected";
std::string unprotectedQuestionText();

/// A journal record the replay left out: its sequence number and why.
struct SkippedChange {
    std::uint64_t sequence = 0;
    std::string reason;
};
/// The one message that lists the records a replay left out.
std::string skippedChangesText(const std::vector<SkippedChange>& skipped);

/// The advance from the current round to the next, now, with the round clock's time.
Change roundAdvanceChange(const Session& session);

/// The round advance's hooks for the clock alone (no window): the round clock stopped and its time
/// recorded, the pause moved to the tournament's total, the clock started for the next round.
RoundAdvanceHooks clockHooks(Session& session);

/// The local wall clock now, as the tournament clock counts it (seconds since 1970-01-01 00:00
/// local time).
std::int64_t localWallSeconds();

} // namespace rh

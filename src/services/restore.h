#pragma once
// The journal around loads and saves: after a successful load the changes that the loaded file
// lacks are offered for restoring (a Yes/No question saying how many and when the last was made),
// replayed through applyChange when the director takes them, and from then on every change is
// journalled. The loaded file lacks every change of a journal that began with it, and those after
// the last checkpoint of it when it is the recovery copy: whichever file the director loads after
// a crash, every change comes back. Only a save empties the journal (and starts it again for the
// file just written). A journal that holds changes and cannot be used for the loaded file (it
// belongs to another file or to the file before it changed, or its start is damaged) is kept aside
// under a name of its own and said so; it is offered when its file is loaded again. Declined
// changes are kept aside too, under a name that is not offered again.
//
// Which of this happens is the session's journalMode: Off does nothing, Keep offers and keeps
// the journal, ReadOnly offers and replays but never writes the journal.

#include "services/session.h"

#include <cstdint>
#include <string>
#include <vector>

namespace rh {

inline constexpr const char* kRestoreTitle = "Restore Changes";

/// GetSaveBaseName + ".JNL": the journal of the tournament's code, beside its recovery copy.
std::string journalFileName(const Session& session);

/// The question: how many changes, the local date and time of the last one, and `notes` (whole
/// lines ending in CR LF: damaged records, where the changes were kept).
std::string restoreQuestionText(std::size_t count, std::int64_t lastChangeTime,
                                const std::string& notes = {});
/// The line that names the damaged records of a journal by number; empty when there are none.
std::string damagedRecordsText(const std::vector<std::uint64_t>& records);

/// After a successful load (session.loadedFile() read): when the tournament's journal (or one kept
/// aside) knows that file as it is on disk and holds changes it lacks, asks whether to restore
/// them and replays them on Yes; then, in Keep mode, keeps the journal (continued, or started
/// afresh once the old one is kept aside). Answers the number of changes restored.
std::size_t openJournalAfterLoad(Session& session);

/// Applies the journalled changes in order, as the window made them, and then sets the clock as
/// it would stand at `nowLocal` (WallTime seconds): a running tournament runs on, its round time
/// and pauses counted by the wall clock. A score that completed the round without its advance in
/// the journal (cut off by the crash) advances the round as the window did. A change that does not
/// fit the tournament (validateChange) is left out, the rest are restored, and one message lists
/// the records left out by their numbers. Answers the number of changes applied.
std::size_t replayChanges(Session& session, const std::vector<JournalEntry>& changes,
                          std::int64_t nowLocal);

/// After the tournament was saved to `path`: the recovery copy removed, then the journal emptied
/// and started again for that file.
void journalAfterSave(Session& session, const std::string& path);
/// Before the recovery copy written to `tmpPath` is renamed to `rcvPath`: the journal's checkpoint
/// of it, so that a load of the copy restores only the changes after it.
void journalBeforeRecoveryCopy(Session& session, const std::string& tmpPath,
                               const std::string& rcvPath);

} // namespace rh

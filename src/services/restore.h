#pragma once
// The journal around loads and saves: after a successful load the changes that the loaded file
// lacks are offered for restoring (a Yes/No question saying how many and when the last was made),
// replayed through applyChange when the director takes them, and from then on every change is
// journalled; a save empties the journal and starts it again for the file just written.
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

/// The question: how many changes, and the local date and time of the last one.
std::string restoreQuestionText(std::size_t count, std::int64_t lastChangeTime);

/// After a successful load (session.loadedFile() read): when the tournament's journal belongs to
/// that file as it is on disk and holds changes, asks whether to restore them and replays them on
/// Yes; then, in Keep mode, keeps the journal (continued after a restore, else started afresh).
/// Answers the number of changes restored.
std::size_t openJournalAfterLoad(Session& session);

/// Applies the journalled changes in order, as the window made them, and then sets the clock as
/// it would stand at `nowLocal` (WallTime seconds): a running tournament runs on, its round time
/// and pauses counted by the wall clock. A score that completed the round without its advance in
/// the journal (cut off by the crash) advances the round as the window did. A change that does not
/// fit the tournament (validateChange) is left out, the rest are restored, and one message lists
/// the records left out by their numbers. Answers the number of changes applied.
std::size_t replayChanges(Session& session, const std::vector<JournalEntry>& changes,
                          std::int64_t nowLocal);

/// After the tournament was saved to `path`: the journal emptied and started again for that file.
void journalAfterSave(Session& session, const std::string& path);
/// After the recovery copy was written: the same, when the journal belongs to the recovery copy.
void journalAfterRecoveryCopy(Session& session, const std::string& rcvPath);

} // namespace rh

#pragma once
// Loading, saving and the recovery copy of the open tournament, as application services on a
// Session. They talk to the director only through the session's prompt, so the window, the
// command-line tool and the tests run the same code.
//
// A load: ask before discarding an open tournament (confirmDiscard), then loadTournament, which
// reads the chosen file (or the recovery copy, when the director takes it) into a fresh
// tournament state and puts it in place of the open one only when the read succeeded. A cancelled
// dialog, a missing or unreadable file or one that is not well-formed XML change nothing: the
// open tournament, its flags and its files stay exactly as they were. A file that cannot be read
// still offers its tournament's recovery copy when one exists.
//
// One program at a time holds a tournament: a load in a session that keeps a journal takes the
// tournament's lock (persistence/tournament_lock.h) before anything else. When another program
// holds it, the director is asked whether to open it for viewing only (no journal is written, no
// recovery copy, and the Save button asks first) or to leave it closed; Session::lockRefusal
// says why a load was refused.

#include "services/session.h"
#include "services/tournament_file.h"

#include <functional>
#include <memory>
#include <string>

namespace rh {

inline constexpr const char* kOpenFilter = "Quillmark Files (*.QMC) |*.qmc";
inline constexpr const char* kSaveFilter = "Files (*.QMC)|*.QMC";
inline constexpr const char* kSaveTitle = "Save Tournament";
inline constexpr const char* kRecoveryTitle = "Recovery File Detected";
inline constexpr const char* kExitTitle = "Exit";
inline constexpr const char* kLoadDocumentTitle = "Load Document";
inline constexpr const char* kInUseTitle = "Tournament In Use";

/// The four-line "Exit" question asked before a load discards the open tournament (OK/Cancel,
/// exclamation).
std::string exitQuestionText();
/// The four-line "Exit" question asked before the window closes (Save/Discard/Cancel).
std::string closeQuestionText();
/// The four-line recovery question (Yes/No, exclamation).
std::string recoveryQuestionText();
/// The question asked when another program (`holder`, "rankhall-cli (process 123)") holds the
/// tournament being loaded: Yes opens it for viewing only, No leaves it closed (Yes/No,
/// exclamation, titled "Tournament In Use").
std::string inUseQuestionText(const std::string& holder);
/// The question the Save button asks first while the tournament is only viewed (Yes/No).
std::string viewOnlySaveQuestionText();

/// Before a load: when the open tournament changed since it was loaded or saved, asks the "Exit"
/// question. True = go on (nothing would be lost, or OK); false = Cancel, leave everything.
bool confirmDiscard(Session& session);
/// Before closing: when the open tournament changed since it was loaded or saved, asks whether
/// to save it first (Save, Discard, Cancel). Save runs the Save button's dialog and write and
/// closes only when the file was written. True = close.
bool confirmExit(Session& session);

/// The one way a tournament is loaded, for the window, rankhall-cli and the tests alike: reads the
/// path (or, with an empty path, the file the director chooses) with ResetAndLoad, which shows the
/// read's findings; then the views count as filled, payouts are enabled and the payout table is
/// built for the loaded fees and option, and refreshViews (the window's own widgets) runs. The
/// whole load is one bracket: the session is not settled until it ends. Answers whether a
/// tournament was loaded; on failure nothing changes.
bool loadTournament(Session& session, const std::string& path,
                    const std::function<void()>& refreshViews = {});
/// The same end of a load for a tournament built in memory: it is opened in place of the open
/// one (a generated tournament, as if read from a file).
void openBuiltTournament(Session& session, std::shared_ptr<TournamentState> state,
                         const std::function<void()>& refreshViews = {});
/// The same end of a load for the session's own state as it stands (built there directly).
void finishLoad(Session& session, const std::function<void()>& refreshViews = {});

/// The reading step of a load: reads the path, or with an empty path the file the director
/// chooses, into a fresh tournament state. On success the open tournament is replaced by it
/// (Read, not yet saved, the file remembered for the dialogs and as the loaded file, the load's
/// findings recorded). On failure nothing changes. Answers whether a tournament was read.
bool ResetAndLoad(Session& session, const std::string& path);

/// Reads the file and all its sections into target, then shows "Data file loaded successfully".
/// Records whether a section reported an error.
bool LoadXMLDocument(Session& session, const std::string& path, TournamentState& target);
/// The same into the session's own state (as it stands: nothing is reset first).
bool LoadXMLDocument(Session& session, const std::string& path);

/// The save dialog: "Save Tournament", "Files (*.QMC)|*.QMC", default extension QMC, asking
/// before overwriting, the folder must exist; it offers its own last file, else the loaded one.
FileDialogSpec saveDialogSpec(const Session& session);
/// The Save button: the save dialog (cancel is silent), then SaveTournament. Refuses (false,
/// nothing shown) while no tournament is loaded.
bool cmdSave(Session& session);
/// What the Save button does once the save dialog has handed back a path: the file written
/// atomically, the success message, the session marked saved, the tournament marked unmodified and
/// the recovery copy deleted. A write that fails names the path and the reason and offers to save
/// elsewhere (the save dialog again). Refuses while no tournament is loaded. Answers whether the
/// file was saved; a failed write leaves the session and the recovery copy alone. A read-only file
/// is replaced only when the director answers Yes; No offers the save dialog again.
bool SaveTournament(Session& session, const std::string& path);
/// Whether the path names an existing file that may not be written: no write permission bit at
/// all, or not writable by this user. Saving over one asks first (SaveTournament) or needs
/// rankhall-cli's --force.
bool isReadOnlyFile(const std::string& path);
/// The recovery copy written after each round: the temporary copy, renamed over the recovery copy
/// in one step. Answers whether the recovery copy was replaced.
bool SaveData(Session& session, bool showMessage = false);

/// GetTempDir() + "/Rankhall_" + the tournament code as a file name (fileNameOfCode).
std::string GetSaveBaseName(const Session& session);
std::string GetTmpFileName(const Session& session);
std::string GetRcvFileName(const Session& session);

} // namespace rh

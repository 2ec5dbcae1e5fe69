#pragma once
// Loading, saving and the recovery copy of the open tournament, as application services on a
// Session. They talk to the director only through the session's prompt, so the window, the
// command-line tool and the tests run the same code.
//
// A load: ask before discarding an open tournament (confirmDiscard), then ResetAndLoad, which
// resets the shared state, reads the chosen file (or the recovery copy, when the director takes
// it) and answers whether a tournament was loaded; on true the window runs its after-load refresh.
// A file that is not well-formed XML shows the parse report once and loads nothing.

#include "services/session.h"

#include <string>

namespace rh {

inline constexpr const char* kOpenFilter = "Quillmark Files (*.QMC) |*.qmc";
inline constexpr const char* kSaveFilter = "Files (*.QMC)|*.QMC";
inline constexpr const char* kSaveTitle = "Save Tournament";
inline constexpr const char* kRecoveryTitle = "Recovery File Detected";
inline constexpr const char* kExitTitle = "Exit";
inline constexpr const char* kLoadDocumentTitle = "Load Document";

/// The four-line "Exit" question (OK/Cancel, exclamation).
std::string exitQuestionText();
/// The four-line recovery question (Yes/No, exclamation).
std::string recoveryQuestionText();

/// Before a load: when a tournament is in progress, asks the "Exit" question. True = go on
/// (nothing in progress, or OK); false = Cancel, leave everything as it is.
bool confirmDiscard(Session& session);
/// Before closing: asks the same question, but only when a loaded tournament has not been saved
/// since it was loaded. True = close.
bool confirmExit(Session& session);

/// Resets the tournament (InitVariables, ResetTournamentData) and loads the path, or lets the
/// director choose a file when the path is empty. On success sets dataFileLoaded, clears
/// dataFileSaved, recomputes htmlExportFile and remembers the file for the save dialog. On
/// failure the tournament is the empty default one. Answers whether a tournament was loaded.
bool ResetAndLoad(Session& session, const std::string& path);

/// The open dialog; "" (cancel) answers false, else LoadDocument of the chosen file.
bool OpenTournamentFile(Session& session);
/// Pre-check, the recovery question when the tournament's recovery copy exists, then the load.
bool LoadDocument(Session& session, const std::string& path);
/// Reads and parses the file and reads its TournamentInfo (so that the tournament code is known).
/// A parse failure shows the parse report and answers false; a missing or unreadable file shows
/// the "Load Document" error message and answers false.
bool PrecheckDocument(Session& session, const std::string& path);
/// Reads the file and all its sections, then shows "Data file loaded successfully".
bool LoadXMLDocument(Session& session, const std::string& path);

/// The Save button: the save dialog (cancel is silent), the file written atomically, the success
/// message, dataFileSaved set and the recovery copy deleted. Answers whether the file was saved.
bool cmdSave(Session& session);
/// What the Save button does once the save dialog has handed back a path: the file written
/// atomically, the success message, dataFileSaved set and the recovery copy deleted. Answers
/// whether the file was saved; a failed write leaves the flag and the recovery copy alone.
bool SaveTournament(Session& session, const std::string& path);
/// The recovery copy written after each round: the temporary copy, renamed over the recovery copy
/// in one step. Answers whether the recovery copy was replaced.
bool SaveData(Session& session, bool showMessage = false);

/// GetTempDir() + "/Rankhall_" + the tournament code made safe for a file name.
std::string GetSaveBaseName(const Session& session);
std::string GetTmpFileName(const Session& session);
std::string GetRcvFileName(const Session& session);

} // namespace rh

#pragma once
// Session: the open tournament and the program-wide flags around it. It owns the shared tournament
// state (replaced whole by ResetTournamentData), the prompt through which the director is asked and
// told things, the money format and the temporary folder. Application services (load, save, score
// entry, round advance) work on a Session; the window and rankhall-cli each hold one.

#include "core/currency.h"
#include "core/prompt.h"
#include "persistence/journal.h"
#include "services/payout_table.h"
#include "state/tournament_state.h"
#include "timing/clock.h"

#include <cstdint>
#include <memory>
#include <string>

namespace rh {

/// Off: no journal is read or kept (checks and reports of a file). Keep: a load offers the
/// changes of the file's journal and keeps a journal from then on (the window, rankhall-cli play).
/// ReadOnly: the changes are offered, but the journal is never written (rankhall-cli restore).
enum class JournalMode { Off, Keep, ReadOnly };

class Session {
public:
    explicit Session(IPrompt& prompt);

    IPrompt& prompt() { return *m_prompt; }
    TournamentState& state() { return *m_state; }
    const TournamentState& state() const { return *m_state; }
    /// The current state object itself; a holder of it keeps the old tournament across a reset.
    std::shared_ptr<TournamentState> sharedState() const { return m_state; }
    TournamentSettings& tourney() { return m_state->settings; }
    const TournamentSettings& tourney() const { return m_state->settings; }

    /// Replaces every shared data object by a fresh, empty one at once.
    void ResetTournamentData();
    /// Puts a tournament read elsewhere in place of the open one, in one step.
    void replaceState(std::shared_ptr<TournamentState> state) { m_state = std::move(state); }
    /// Resets the flags of the open tournament (loaded, refreshing, updating) and the place list.
    void InitVariables();
    bool IsTourneyLoaded() const { return dataFileLoaded; }

    /// Whether anything of the open tournament changed since it was loaded or last saved: any
    /// score, lone, bump, wood or paid mark, entry fee mark, alias, fee, expense, title, payout
    /// choice or amount, the current round, or a start, stop, pause or resume of the clock. A
    /// change undone again counts as no change.
    bool isModified() const;
    /// The open tournament as it stands is the one on disk (after a load or a save).
    void markUnmodified();

    /// Reports a trapped error with the common error message titled with the operation's name.
    void ShowErrorMsg(const std::string& title, const RhError& error);

    /// "Quillmark" + code + ".html", the code as a file name (fileNameOfCode).
    std::string htmlFileName() const;

    // Flags of the open tournament.
    bool dataFileLoaded = false;
    bool viewsLoaded = false;
    bool dataFileSaved = false;
    bool leaderViewRefresh = false;
    bool postLoadComplete = false;
    bool updatingScores = false;
    bool updatePayout = false;
    /// The last successful load reported an error in one of the file's sections.
    bool loadReportedError = false;
    std::string savePlayerId = "00";
    std::string htmlExportFile;
    /// The open dialog's last file and the save dialog's own file name. Loading remembers the
    /// loaded file, so that saving offers the tournament under its own name.
    std::string openDialogFile;
    std::string saveDialogFile;

    /// The payout table and calculation; lives as long as the session, cleared by InitVariables.
    PayoutTable payout;

    /// Money texts are written with this format.
    CurrencyFormat currency = CurrencyFormat::dollars();
    /// The temporary folder (recovery copies, the HTML page), without a trailing separator.
    std::string tempDir;

    /// The tournament, round and pause clocks. Not part of the tournament state: a load resets
    /// it with clock.ResetForLoad(now) instead of replacing it, so the window stays attached.
    TournamentClock clock;

    /// The journal of the open tournament's changes; null while none is kept. It belongs to the
    /// tournament state and is closed with it by ResetTournamentData.
    Journal* journal() const { return m_journal.get(); }
    void setJournal(std::unique_ptr<Journal> journal) { m_journal = std::move(journal); }
    /// Whether a load offers the journal's changes and keeps a journal (services/restore.h).
    JournalMode journalMode = JournalMode::Off;
    /// The file the last successful load read (the recovery copy, when the director took it).
    std::string loadedFile;

private:
    /// A digest of everything isModified compares: the tournament as it would be saved, the
    /// entry fee marks and the clock's action count.
    std::uint64_t contentDigest() const;

    IPrompt* m_prompt;
    std::shared_ptr<TournamentState> m_state;
    std::uint64_t m_savedDigest = 0;
    std::unique_ptr<Journal> m_journal;
};

/// The system's temporary folder (TMPDIR honoured), without a trailing separator.
std::string GetTempDir();
/// A tournament code made safe for use inside a file name: path separators, "..", control
/// characters and characters a file name cannot hold become "_"; ordinary codes are unchanged.
std::string safeFileComponent(std::string_view code);
/// The code as it appears in the names of the tournament's files in the temporary folder
/// (recovery copies, the HTML page): an ordinary code of up to 64 bytes as it is; a code that
/// safeFileComponent changed, or a longer one, as its safe form (cut to 64 bytes) followed by
/// "-" and eight hex digits of a hash of the code itself, so that two codes never share a file.
std::string fileNameOfCode(std::string_view code);

} // namespace rh

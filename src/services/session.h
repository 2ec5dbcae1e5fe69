#pragma once
// Session: the open tournament and what the program knows about it. It owns the shared tournament
// state (replaced whole when a tournament is opened or closed) and its journal, how far the load
// has come (LoadState), the refresh requests of the views, the files the dialogs offer, the payout
// table and the clocks; it refers to the prompt through which the director is asked and told
// things, which its owner keeps alive. Application services (load, save, score entry, round
// advance) work on a Session; the window and rankhall-cli each hold one.

#include "core/currency.h"
#include "core/prompt.h"
#include "persistence/journal.h"
#include "persistence/tournament_lock.h"
#include "services/payout_table.h"
#include "state/tournament_state.h"
#include "timing/clock.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

namespace rh {

/// Off: no journal is read or kept (checks and reports of a file). Keep: a load offers the
/// changes of the file's journal and keeps a journal from then on (the window, rankhall-cli play).
/// ReadOnly: the changes are offered, but the journal is never written (rankhall-cli restore, and
/// a tournament that another program holds: tournamentJournalMode).
enum class JournalMode { Off, Keep, ReadOnly };

/// How far the open tournament has come: Empty (none loaded), Read (its file has been read into
/// the state), ViewsFilled (the views derived from it are filled and follow its changes).
enum class LoadState { Empty, Read, ViewsFilled };

/// What the views must rebuild before they are shown again: the standings (a score, fee, alias or
/// payout changed) and the payout table (a fee, expense or payout option changed). A request
/// stays until the view takes it.
class RefreshRequests {
public:
    void requestLeaderRefresh() { m_leaders = true; }
    bool leaderRefreshRequested() const { return m_leaders; }
    /// Answers whether a refresh was requested, and forgets the request.
    bool takeLeaderRefresh() { return std::exchange(m_leaders, false); }

    void requestPayoutRebuild() { m_payout = true; }
    bool payoutRebuildRequested() const { return m_payout; }
    bool takePayoutRebuild() { return std::exchange(m_payout, false); }

    /// Both requests: the standings and the payout table.
    void requestMoneyRefresh() {
        m_payout = true;
        m_leaders = true;
    }

private:
    bool m_leaders = false;
    bool m_payout = false;
};

/// The files the open and save dialogs offer: the open dialog its last file, the save dialog its
/// own last file, else the file loaded last, so that saving offers the tournament under its own
/// name.
class DialogFiles {
public:
    const std::string& openFile() const { return m_open; }
    /// A file was loaded: the open dialog offers it, and saving offers it again.
    void rememberLoaded(std::string path) {
        m_open = std::move(path);
        m_save.clear();
    }
    /// The open dialog's file alone (the file given on the command line).
    void rememberOpened(std::string path) { m_open = std::move(path); }
    /// The save dialog's own file, else the loaded one.
    const std::string& saveFile() const { return m_save.empty() ? m_open : m_save; }
    void rememberSaved(std::string path) { m_save = std::move(path); }

private:
    std::string m_open;
    std::string m_save;
};

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

    /// Closes the open tournament: a fresh, empty state in its place, its journal and lock closed,
    /// the payout table cleared, nothing loaded.
    void closeTournament();
    /// Closes the open tournament and puts one just read in its place, in one step (Read).
    void openTournament(std::shared_ptr<TournamentState> state);

    LoadState loadState() const { return m_load; }
    /// A tournament is open (read, whether or not its views are filled).
    bool isLoaded() const { return m_load != LoadState::Empty; }
    /// The views of the open tournament are filled and follow its changes.
    bool viewsFilled() const { return m_load == LoadState::ViewsFilled; }
    /// The views are filled and no load is under way: a change now is the director's own.
    bool isSettled() const { return viewsFilled() && m_loadsUnderWay == 0; }
    /// The state as it stands counts as read from a file (tests and tools that build it).
    void markRead() { m_load = LoadState::Read; }
    void markViewsFilled() { m_load = LoadState::ViewsFilled; }
    /// The state as it stands counts as no tournament (what is refused before a load).
    void markEmpty() { m_load = LoadState::Empty; }
    /// Brackets a load: in between, isSettled() is false.
    void beginLoad() { ++m_loadsUnderWay; }
    void endLoad() { --m_loadsUnderWay; }

    /// Whether anything of the open tournament changed since it was loaded or last saved: any
    /// score, lone, bump, wood or paid mark, entry fee mark, alias, fee, expense, title, payout
    /// choice or amount, the current round, or a start, stop, pause or resume of the clock. A
    /// change undone again counts as no change.
    bool isModified() const;
    /// The open tournament as it stands is the one on disk (after a load or a save).
    void markUnmodified();
    /// Whether the tournament was saved since it was loaded and not changed since.
    bool isSaved() const { return m_saved; }
    void markSaved() { m_saved = true; }
    void markChangedSinceSave() { m_saved = false; }

    /// The file the last successful load read (the recovery copy, when the director took it),
    /// and whether one of its sections reported an error.
    const std::string& loadedFile() const { return m_loadedFile; }
    bool loadReportedError() const { return m_loadReportedError; }
    void recordLoad(std::string file, bool reportedError) {
        m_loadedFile = std::move(file);
        m_loadReportedError = reportedError;
    }

    /// The entrant last chosen in the standings, "00" when none.
    const std::string& standingsChoice() const { return m_chosenEntrant; }
    void chooseInStandings(std::string id) { m_chosenEntrant = std::move(id); }
    void clearStandingsChoice() { m_chosenEntrant = "00"; }

    RefreshRequests& refresh() { return m_refresh; }
    const RefreshRequests& refresh() const { return m_refresh; }
    DialogFiles& dialogFiles() { return m_dialogFiles; }
    const DialogFiles& dialogFiles() const { return m_dialogFiles; }

    /// Reports a trapped error with the common error message titled with the operation's name.
    void ShowErrorMsg(const std::string& title, const RhError& error);

    /// "Quillmark" + code + ".html", the code as a file name (fileNameOfCode).
    std::string htmlFileName() const;

    /// Money texts are written with this format.
    const CurrencyFormat& currency() const { return m_currency; }
    void setCurrency(CurrencyFormat format) { m_currency = std::move(format); }
    /// The temporary folder (recovery copies, the HTML page), without a trailing separator.
    const std::string& tempDir() const { return m_tempDir; }
    void setTempDir(std::string dir) { m_tempDir = std::move(dir); }
    /// Whether a load offers the journal's changes and keeps a journal (services/restore.h).
    JournalMode journalMode() const { return m_journalMode; }
    void setJournalMode(JournalMode mode) { m_journalMode = mode; }

    /// The journal of the open tournament's changes; null while none is kept. It belongs to the
    /// tournament state and is closed with it.
    Journal* journal() const { return m_journal.get(); }
    void setJournal(std::unique_ptr<Journal> journal) { m_journal = std::move(journal); }

    /// The lock on the open tournament (persistence/tournament_lock.h): held from its load until
    /// it is closed; null while none is held.
    TournamentLock* lock() const { return m_lock.get(); }
    std::unique_ptr<TournamentLock> takeLock() { return std::move(m_lock); }
    /// The open tournament's lock and whether it is only viewed: another program held it, so no
    /// journal is written and no recovery copy.
    void holdTournament(std::unique_ptr<TournamentLock> lock, bool viewOnly) {
        m_lock = std::move(lock);
        m_viewOnly = viewOnly;
    }
    bool viewOnly() const { return m_viewOnly; }
    /// The journal mode for the open tournament: ReadOnly in place of Keep while it is only viewed.
    JournalMode tournamentJournalMode() const {
        return m_viewOnly && m_journalMode == JournalMode::Keep ? JournalMode::ReadOnly
                                                                : m_journalMode;
    }
    /// Why the last load was refused because another program holds the tournament (one
    /// sentence); empty when it was not.
    const std::string& lockRefusal() const { return m_lockRefusal; }
    void setLockRefusal(std::string text) { m_lockRefusal = std::move(text); }

    /// The payout table and calculation; lives as long as the session, cleared with the
    /// tournament.
    PayoutTable& payout() { return m_payout; }
    const PayoutTable& payout() const { return m_payout; }

    /// The tournament, round and pause clocks. Not part of the tournament state: a load resets
    /// it with clock().resetForLoad(now) instead of replacing it, so the window stays attached.
    TournamentClock& clock() { return m_clock; }
    const TournamentClock& clock() const { return m_clock; }

private:
    PayoutTable m_payout;
    TournamentClock m_clock;

    /// A digest of everything isModified compares: the tournament as it would be saved, the
    /// entry fee marks and the clock's action count.
    std::uint64_t contentDigest() const;

    IPrompt* m_prompt;
    std::shared_ptr<TournamentState> m_state;
    std::unique_ptr<Journal> m_journal;
    std::unique_ptr<TournamentLock> m_lock;
    bool m_viewOnly = false;
    std::string m_lockRefusal;
    LoadState m_load = LoadState::Empty;
    int m_loadsUnderWay = 0;
    std::uint64_t m_savedDigest = 0;
    bool m_saved = false;
    std::string m_loadedFile;
    bool m_loadReportedError = false;
    std::string m_chosenEntrant = "00";
    RefreshRequests m_refresh;
    DialogFiles m_dialogFiles;
    CurrencyFormat m_currency = CurrencyFormat::dollars();
    std::string m_tempDir;
    JournalMode m_journalMode = JournalMode::Off;
};

/// The user's private folder in the system's temporary folder (TMPDIR honoured), without a
/// trailing separator: ensurePrivateFolder (persistence/private_folder.h) of it.
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

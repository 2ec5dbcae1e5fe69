#pragma once
// Session: the open tournament and the program-wide flags around it. It owns the shared tournament
// state (replaced whole by ResetTournamentData), the prompt through which the director is asked and
// told things, the money format and the temporary folder. Application services (load, save, score
// entry, round advance) work on a Session; the window and rankhall-cli each hold one.

#include "core/currency.h"
#include "core/prompt.h"
#include "services/payout_table.h"
#include "state/tournament_state.h"
#include "timing/clock.h"

#include <memory>
#include <string>

namespace rh {

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
    /// Resets the flags of the open tournament (loaded, refreshing, updating) and the place list.
    void InitVariables();
    bool IsTourneyLoaded() const { return dataFileLoaded; }

    // Existence tests on the shared stores; they never fail.
    bool ExistsRoster(std::string_view key) const { return m_state->roster.col().Exists(key); }
    bool ExistsBump(std::string_view key) const { return m_state->fines.Exists(key); }
    bool ExistsWood(std::string_view key) const { return m_state->fines.Exists(key); }
    bool ExistsPaid(std::string_view key) const { return m_state->fines.Exists(key); }
    bool ExistsLone(std::string_view key) const { return m_state->lones.Exists(key); }
    bool CheckExistsRoundTable(std::string_view key) const {
        return m_state->tableSeats.Exists(key);
    }

    /// Reports a trapped error with the common error message titled with the operation's name.
    void ShowErrorMsg(const std::string& title, const RhError& error);

    /// "Quillmark" + code + ".html", the code made safe for a file name.
    std::string htmlFileName() const;

    // Flags of the open tournament.
    bool dataFileLoaded = false;
    bool viewsLoaded = false;
    bool dataFileSaved = false;
    bool leaderViewRefresh = false;
    bool postLoadComplete = false;
    bool updatingScores = false;
    bool updatePayout = false;
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

private:
    IPrompt* m_prompt;
    std::shared_ptr<TournamentState> m_state;
};

/// The system's temporary folder (TMPDIR honoured), without a trailing separator.
std::string GetTempDir();
/// A tournament code made safe for use inside a file name: path separators, "..", control
/// characters and characters a file name cannot hold become "_"; ordinary codes are unchanged.
std::string safeFileComponent(std::string_view code);

} // namespace rh

#pragma once
// The round check after every chosen score (UpdateGrid) and the advance to the next round.
//
// The clocks, the recovery copy, the refresh of the other views and the tab switch belong to other
// parts of the program; they reach this service as hooks, which the window binds to its members
// and tests bind to recorders. A hook left empty is skipped.

#include "services/score_entry.h"
#include "services/session.h"

#include <functional>

namespace rh {

struct RoundAdvanceHooks {
    /// The views that depend on scores: the money summary and the HTML page, the standings, the
    /// bump and wood totals and the jackpot. Runs first, after every score.
    std::function<void()> refreshViews;
    // The advance, called in this order.
    std::function<void()> StopRoundTimer;
    std::function<void()> RecordRoundTime;
    std::function<void()> ResetRoundTimer; // RTimer.Reset
    std::function<void()> ResetPauseTimer;
    /// The recovery copy (SaveData with its message off); CurrentRound already names the new
    /// round.
    std::function<void()> SaveData;
    std::function<void()> StartRoundTimer;
    /// Shows the current round (and refreshes what depends on it, the sitting-out names too).
    std::function<void()> ChangeRound;
    /// true: the tournament is over and the progress bar is full.
    std::function<void(bool)> UpdateProgressBars;
    /// Switches the main window to the Results tab (tab index 4).
    std::function<void()> ShowResultsTab;
};

/// What UpdateGrid found.
enum class RoundOutcome {
    Open,           // the current round still waits for a score
    Advanced,       // the round was over and CurrentRound moved on
    NotAdvanced,    // the round was over, but no tournament file is loaded, so nothing moved
    TournamentOver, // the last round is over
    Failed          // an error was reported
};

/// After every chosen score: refresh the views; when every entrant seated in CurrentRound has a
/// score, blank the entry fields (unless "Show All" is checked) and either say "THE ROUND IS OVER",
/// list the score/lone mismatches, advance and reload the Scores tab, or, after the last round, say
/// "THE TOURNAMENT IS OVER" and show the results. `screen` may be null (no Scores tab to update).
RoundOutcome UpdateGrid(Session& session, ScoreEntry* screen, const RoundAdvanceHooks& hooks);

/// The advance check: when CurrentRound is complete, names the entrants whose lones do not fit
/// their scores (message "Auto-Advance Round") and advances. Returns true when it advanced.
bool CheckAdvanceRound(Session& session, const RoundAdvanceHooks& hooks);

/// Moves the tournament to the next round (only while a tournament file is loaded): the round
/// clock stops and its time is recorded, the pause moves to the tournament's total, CurrentRound
/// goes up by one, the recovery copy is written, the round clock starts again and the round is
/// shown. Returns true when it advanced.
bool AdvanceRound(Session& session, const RoundAdvanceHooks& hooks);

/// Makes the screen run UpdateGrid after every stored score. Bind again for every new controller;
/// the session and the screen must outlive the binding.
void bindRoundAdvance(ScoreEntry& screen, Session& session, RoundAdvanceHooks hooks);

} // namespace rh

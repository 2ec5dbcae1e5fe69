#include "services/round_advance.h"

#include "services/changes.h"
#include "state/round.h"

namespace rh {

namespace {

template <typename... Args> void call(const std::function<void(Args...)>& hook, Args... args) {
    if (hook)
        hook(args...);
}

constexpr const char* kAdvanceTitle = "Auto-Advance Round";

} // namespace

RoundOutcome UpdateGrid(Session& session, ScoreEntry* screen, const RoundAdvanceHooks& hooks) {
    RoundOutcome outcome = RoundOutcome::Open;
    const bool ok = runTrapped(session, "Update Grid", [&] {
        call(hooks.refreshViews);
        const TournamentState& state = session.state();
        if (!isRoundComplete(state, state.currentRoundNo()))
            return;
        if (screen && !screen->showAll())
            screen->BlankFields();
        const TournamentSettings& t = session.tourney();
        if (t.CurrentRound() < t.TotalRounds()) {
            session.prompt().roundOver(false);
            outcome = CheckAdvanceRound(session, hooks) ? RoundOutcome::Advanced
                                                        : RoundOutcome::NotAdvanced;
            if (screen)
                screen->UpdateEnterScores();
        } else {
            session.prompt().roundOver(true);
            outcome = RoundOutcome::TournamentOver;
            call(hooks.ShowResultsTab);
            call(hooks.UpdateProgressBars, true);
        }
    });
    return ok ? outcome : RoundOutcome::Failed;
}

bool CheckAdvanceRound(Session& session, const RoundAdvanceHooks& hooks) {
    bool advanced = false;
    runTrapped(session, "Check Advance Round", [&] {
        const TournamentState& state = session.state();
        if (!isRoundComplete(state, state.currentRoundNo()))
            return;
        const std::string list = mismatchList(state);
        if (!list.empty())
            showMessage(session.prompt(), kAdvanceTitle,
                        "Press OK to advance to the next round\r\n"
                        "The following players have a score/lone mismatch\r\n" +
                            list,
                        MsgIcon::Exclamation);
        advanced = AdvanceRound(session, hooks);
    });
    return advanced;
}

bool AdvanceRound(Session& session, const RoundAdvanceHooks& hooks) {
    if (!session.isLoaded())
        return false;
    bool advanced = false;
    runTrapped(session, "Advance Round", [&] {
        const bool recorded = recordChange(session, roundAdvanceChange(session));
        call(hooks.StopRoundTimer);
        call(hooks.RecordRoundTime);
        call(hooks.ResetRoundTimer);
        call(hooks.ResetPauseTimer);
        TournamentSettings& t = session.tourney();
        if (t.CurrentRound() >= 32767)
            throw RhError(err::Overflow);
        t.setCurrentRound(static_cast<std::int16_t>(t.CurrentRound() + 1));
        advanced = true;
        call(hooks.SaveData);
        call(hooks.StartRoundTimer);
        call(hooks.ChangeRound);
        call(hooks.UpdateProgressBars, false);
        if (!recorded)
            offerSaveWithoutJournal(session); // the save holds the new round
    });
    return advanced;
}

void bindRoundAdvance(ScoreEntry& screen, Session& session, RoundAdvanceHooks hooks) {
    screen.afterScore = [&screen, &session, hooks = std::move(hooks)] {
        UpdateGrid(session, &screen, hooks);
    };
}

} // namespace rh

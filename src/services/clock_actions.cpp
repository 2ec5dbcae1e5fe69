#include "services/clock_actions.h"

namespace rh {

Message stopClockQuestion() {
    return Message{"Stop Tournament",
                   "A tournament is in progress.\r\nIf you press Ok, you will stop the timer.\r\n"
                   "Press Cancel to resume with your tournament",
                   MsgIcon::Exclamation, MsgButtons::OkCancel};
}

void startOrStopClock(TournamentClock& clock, IPrompt& prompt, WallTime now) {
    if (clock.state() == ClockState::Stopped)
        clock.startTournament(now);
    else if (prompt.show(stopClockQuestion()) == MsgAnswer::Ok)
        clock.stopTournament(now);
}

void pauseOrResumeClock(TournamentClock& clock) {
    if (clock.state() == ClockState::Paused)
        clock.resumeTournament();
    else
        clock.pauseTournament();
}

} // namespace rh

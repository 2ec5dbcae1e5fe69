#pragma once
// The director's clock commands as the window offers them: one command that starts a stopped
// clock or, after asking, stops a running one, and one that pauses or resumes. The question goes
// through the prompt; the clock itself only moves between its states.

#include "core/prompt.h"
#include "timing/clock.h"

namespace rh {

/// "Stop Tournament": asked before a running clock is stopped (OK stops, Cancel keeps it running).
Message stopClockQuestion();

/// Starts a stopped clock at `now`; a running or paused one is stopped at `now` (a pause ending
/// first) when the prompt answers the stop question with OK.
void startOrStopClock(TournamentClock& clock, IPrompt& prompt, WallTime now);

/// Pauses a running clock, resumes a paused one; a stopped clock is left as it is.
void pauseOrResumeClock(TournamentClock& clock);

} // namespace rh

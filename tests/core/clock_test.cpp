// The stop-watch, the tournament clock and its commands, driven by fake ticks and a fake "now".
#include "core/scripted_prompt.h"
#include "services/clock_actions.h"
#include "timing/clock.h"

#include <gtest/gtest.h>

namespace rh {
namespace {

const WallTime kStart = WallTime::fromHms(19, 0, 0, 20000);

void ticks(TournamentClock& c, int n, void (TournamentClock::*tick)()) {
    for (int i = 0; i < n; ++i)
        (c.*tick)();
}

// One round of `seconds`, ended the way the round advance ends it.
void playRound(TournamentClock& c, int seconds, int& currentRound, int totalRounds) {
    ticks(c, seconds, &TournamentClock::roundTick);
    c.stopRoundTimer();
    c.recordRoundTime(currentRound, totalRounds);
    c.RTimer.reset();
    c.resetPauseTimer();
    ++currentRound;
    c.startRoundTimer();
    c.updateProgressBars(false, currentRound, totalRounds);
}

TEST(StopWatch, CountsTicksAndCarriesIntoMinutesAndHours) {
    StopWatch t;
    EXPECT_EQ(t.elapsed(), "00:00:00");
    for (int i = 0; i < 59; ++i)
        t.tick();
    EXPECT_EQ(t.elapsed(), "00:00:59");
    t.tick();
    EXPECT_EQ(t.elapsed(), "00:01:00");
    for (int i = 60; i < 3600; ++i)
        t.tick();
    EXPECT_EQ(t.elapsed(), "01:00:00");
    EXPECT_EQ(t.totalSeconds(), 3600);
    t.add(125);
    EXPECT_EQ(t.elapsed(), "01:02:05");
    EXPECT_EQ(t.totalSeconds(), 3725);
    t.reset();
    EXPECT_EQ(t.totalSeconds(), 0);
    // A round clock beyond nine hours does not overflow.
    for (int i = 0; i < 40000; ++i)
        t.tick();
    EXPECT_EQ(t.elapsed(), "11:06:40");
    t.add(100LL * 3600);
    EXPECT_EQ(t.elapsed(), "111:06:40");
}

TEST(ClockTexts, ElapsedTimeWrapsAtMidnight) {
    EXPECT_EQ(elapsedTime(WallTime::fromHms(23, 59, 30), WallTime::fromHms(0, 0, 30, 1)),
              "00:01:00");
    EXPECT_EQ(elapsedTime(WallTime::fromHms(9, 15, 0), WallTime::fromHms(11, 20, 5)), "02:05:05");
    EXPECT_EQ(elapsedTime(kStart, kStart), "00:00:00");
}

TEST(ClockTexts, TimeOfDayAndRound) {
    EXPECT_EQ(formatTimeOfDay(WallTime::fromHms(15, 5, 59)), "03:05 PM");
    EXPECT_EQ(formatTimeOfDay(WallTime::fromHms(0, 7, 0)), "12:07 AM");
    EXPECT_EQ(formatTimeOfDay(WallTime::fromHms(12, 0, 0)), "12:00 PM");
    EXPECT_EQ(formatBannerTime(WallTime::fromHms(15, 5, 0)), "3:05 PM");
    EXPECT_EQ(formatBannerTime(WallTime::fromHms(9, 30, 0)), "9:30 AM");
    EXPECT_EQ(formatCurrentRound(3), " 3");
    EXPECT_EQ(formatCurrentRound(12), " 12");
}

// Commands in order, each a letter: s start, p pause, r resume, x stop, a round advance
// (the round clock stopped, its time recorded, the pause ended, the next round started),
// l reset for a load; a digit n is n seconds of the ticks the clock asks for.
void run(TournamentClock& c, const std::string& commands) {
    int round = 1;
    for (const char k : commands) {
        switch (k) {
        case 's':
            c.startTournament(kStart);
            break;
        case 'p':
            c.pauseTournament();
            break;
        case 'r':
            c.resumeTournament();
            break;
        case 'x':
            c.stopTournament(kStart.plusSeconds(60));
            break;
        case 'a':
            playRound(c, 0, round, 8);
            break;
        case 'l':
            c.resetForLoad(kStart);
            break;
        default:
            for (int i = 0; i < k - '0'; ++i) {
                if (c.ticks().round)
                    c.roundTick();
                if (c.ticks().pause)
                    c.pauseTick();
            }
        }
    }
}

TEST(TournamentClock, CommandsMoveItBetweenItsStates) {
    struct Case {
        const char* commands;
        ClockState state;
        ClockTicks ticks;
        bool started; // startedSinceReset
        std::int64_t round;
        std::int64_t paused; // the tournament's pause total
    };
    constexpr ClockTicks kStopped{false, false, false, false, true};
    constexpr ClockTicks kRunning{true, true, false, true, true};
    constexpr ClockTicks kPaused{true, false, true, false, true};
    const Case cases[] = {
        {"", ClockState::Stopped, ClockTicks{}, false, 0, 0},
        {"pr3", ClockState::Stopped, ClockTicks{}, false, 0, 0}, // pause and resume need a start
        {"s", ClockState::Running, kRunning, true, 0, 0},
        {"s4", ClockState::Running, kRunning, true, 4, 0},
        {"ss2", ClockState::Running, kRunning, true, 2, 0}, // a second start starts over
        {"s4p", ClockState::Paused, kPaused, true, 4, 0},
        {"s4p5p", ClockState::Paused, kPaused, true, 4, 0},
        {"s4p5r", ClockState::Running, kRunning, true, 4, 5},
        {"s4p5r2r", ClockState::Running, kRunning, true, 6, 5}, // resuming a running clock
        {"s4p5r2p3r", ClockState::Running, kRunning, true, 6, 8},
        {"s4x", ClockState::Stopped, kStopped, true, 4, 0},
        {"s4p5x", ClockState::Stopped, kStopped, true, 4, 5}, // a stop ends the pause first
        {"s4p5xr", ClockState::Stopped, kStopped, true, 4, 5},
        {"s4x3", ClockState::Stopped, kStopped, true, 4, 0},
        {"s4xs", ClockState::Running, kRunning, true, 0, 0},
        {"s4p5a", ClockState::Running, kRunning, true, 0, 5}, // an advance ends the pause
        {"s4a2", ClockState::Running, kRunning, true, 2, 0},
        {"a2", ClockState::Stopped, kStopped, false, 0, 0}, // an advance starts no clock
        {"s4p5l", ClockState::Stopped, ClockTicks{}, false, 0, 0},
        {"s4ls", ClockState::Running, kRunning, true, 0, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.commands);
        TournamentClock c;
        c.initVariables(kStart);
        run(c, k.commands);
        EXPECT_EQ(c.state(), k.state);
        EXPECT_EQ(c.ticks(), k.ticks);
        EXPECT_EQ(c.startedSinceReset(), k.started);
        EXPECT_EQ(c.RTimer.totalSeconds(), k.round);
        EXPECT_EQ(c.m_pauseTournamentTotal.totalSeconds(), k.paused);
    }
}

TEST(TournamentClock, LabelsFollowTheCommands) {
    TournamentClock c;
    c.startTournament(kStart);
    const ClockReadings& d = c.readings();
    EXPECT_EQ(d.elapsedTo, kStart);
    EXPECT_EQ(d.roundSeconds, 0);
    EXPECT_EQ(d.elapsedPhase, ClockPhase::Running);
    EXPECT_EQ(d.roundPhase, ClockPhase::Running);
    EXPECT_EQ(d.startTime, kStart);

    c.pauseTournament();
    EXPECT_EQ(d.roundPhase, ClockPhase::Stopped);
    EXPECT_EQ(d.pausePhase, ClockPhase::Running);

    c.resumeTournament();
    EXPECT_EQ(d.roundPhase, ClockPhase::Running);
    EXPECT_EQ(d.pausePhase, ClockPhase::Stopped);

    c.stopTournament(kStart.plusSeconds(60));
    EXPECT_EQ(d.elapsedPhase, ClockPhase::Stopped);
    EXPECT_EQ(d.roundPhase, ClockPhase::Stopped);
    EXPECT_EQ(c.m_stopTime, kStart.plusSeconds(60));
}

TEST(ClockActions, StopQuestionCancelKeepsRunningOkStops) {
    ScriptedPrompt prompt;
    TournamentClock c;
    c.initVariables(kStart);
    startOrStopClock(c, prompt, kStart); // a stopped clock starts without a question
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(c.state(), ClockState::Running);

    pauseOrResumeClock(c);
    EXPECT_EQ(c.state(), ClockState::Paused);
    pauseOrResumeClock(c);
    EXPECT_EQ(c.state(), ClockState::Running);

    prompt.answers = {MsgAnswer::Cancel};
    startOrStopClock(c, prompt, kStart.plusSeconds(5));
    ASSERT_EQ(prompt.messages().size(), 1u);
    const Message m = prompt.messages().front();
    EXPECT_EQ(m.title, "Stop Tournament");
    EXPECT_EQ(m.text,
              "A tournament is in progress.\r\nIf you press Ok, you will stop the timer.\r\n"
              "Press Cancel to resume with your tournament");
    EXPECT_EQ(m.icon, MsgIcon::Exclamation);
    EXPECT_EQ(m.buttons, MsgButtons::OkCancel);
    EXPECT_EQ(c.state(), ClockState::Running);
    EXPECT_TRUE(c.ticks().round);

    prompt.answers = {MsgAnswer::Ok};
    startOrStopClock(c, prompt, kStart.plusSeconds(9));
    EXPECT_EQ(c.state(), ClockState::Stopped);
    EXPECT_EQ(c.m_stopTime, kStart.plusSeconds(9));
    pauseOrResumeClock(c); // a stopped clock does not pause
    EXPECT_EQ(c.state(), ClockState::Stopped);
}

TEST(TournamentClock, TicksShowRoundPauseAndElapsedTime) {
    TournamentClock c;
    c.startTournament(kStart);
    ticks(c, 60, &TournamentClock::roundTick);
    EXPECT_EQ(c.readings().roundSeconds, 60);
    ticks(c, 3540, &TournamentClock::roundTick);
    EXPECT_EQ(c.readings().roundSeconds, 3600);
    c.tourneyTick(kStart.plusSeconds(3725));
    ASSERT_TRUE(c.readings().elapsedTo.has_value());
    EXPECT_EQ(elapsedTime(c.m_startTime, *c.readings().elapsedTo), "01:02:05");
    c.pauseTournament();
    ticks(c, 61, &TournamentClock::pauseTick);
    EXPECT_EQ(c.readings().pauseSeconds, 61);
}

TEST(TournamentClock, AverageAndFinishCountTheRoundsStillToPlay) {
    struct Case {
        int startRound, totalRounds;
        std::vector<int> rounds; // seconds of each round timed
        std::int64_t finish;     // seconds after the start
        std::int64_t average;    // seconds
    };
    const Case cases[] = {
        {1, 6, {600, 900, 1200}, 5400, 900}, // 2700 played + 3 rounds of 900
        {1, 4, {900, 900, 900, 900}, 3600, 900},
        {4, 6, {900}, 900 + 2 * 900, 900}, // started in round 4: 1-3 are not to play
        {5, 6, {600, 1200}, 1800, 900},    // the last round ended: nothing left
        {3, 8, {1000, 1000, 1300}, 3300 + 3 * 1100, 1100},
        {1, 99, std::vector<int>(60, 60), 99 * 60, 60}, // more than 43 rounds recorded
    };
    for (const Case& k : cases) {
        SCOPED_TRACE("from round " + std::to_string(k.startRound));
        TournamentClock c;
        c.startTournament(kStart);
        int round = k.startRound;
        for (int seconds : k.rounds)
            playRound(c, seconds, round, k.totalRounds);
        ASSERT_TRUE(c.readings().finishTime.has_value());
        EXPECT_EQ(c.readings().finishTime->localSeconds - kStart.localSeconds, k.finish);
        EXPECT_EQ(c.readings().averageRound, k.average);
        ASSERT_EQ(c.m_roundTimes.size(), k.startRound - 1 + k.rounds.size()); // untimed: -1
        EXPECT_EQ(c.m_roundTimes.back(), k.rounds.back());
        EXPECT_EQ(c.state(), ClockState::Running);
        EXPECT_EQ(c.readings().roundSeconds, 0);
    }
    TournamentClock c; // the banner's finish time
    c.startTournament(kStart);
    int round = 1;
    playRound(c, 2700, round, 2);
    ASSERT_TRUE(c.readings().finishTime.has_value());
    EXPECT_EQ(formatBannerTime(*c.readings().finishTime), "8:30 PM");
}

TEST(TournamentClock, EachPauseCountsOnceWithItsFullLength) {
    TournamentClock c;
    c.startTournament(kStart);
    ticks(c, 100, &TournamentClock::roundTick);
    c.pauseTournament();
    ticks(c, 90, &TournamentClock::pauseTick);
    c.resumeTournament();
    EXPECT_EQ(c.m_pauseTournamentTotal.totalSeconds(), 90);
    c.pauseTournament();
    ticks(c, 30, &TournamentClock::pauseTick);
    c.resumeTournament();
    EXPECT_EQ(c.m_pauseTournamentTotal.totalSeconds(), 120);
    EXPECT_EQ(c.readings().pauseSeconds, 120);

    // The round ends after the pauses were resumed: nothing is added a second time.
    int round = 1;
    playRound(c, 500, round, 2);
    EXPECT_EQ(c.m_pauseTournamentTotal.totalSeconds(), 120);
    EXPECT_EQ(c.m_roundTimes.front(), 600);
    EXPECT_EQ(c.readings().finishTime->localSeconds - kStart.localSeconds, 600 * 2 + 120);

    // A round that ends while paused ends the pause and counts it once.
    c.pauseTournament();
    ticks(c, 45, &TournamentClock::pauseTick);
    playRound(c, 0, round, 2);
    EXPECT_EQ(c.m_pauseTournamentTotal.totalSeconds(), 165);
    EXPECT_EQ(c.state(), ClockState::Running);
    EXPECT_FALSE(c.readings().pauseSeconds.has_value());
    EXPECT_EQ(c.m_pauseRoundTotal.totalSeconds(), 0);
}

TEST(TournamentClock, RoundsAreTimedOnlyWhileTheTournamentClockRuns) {
    TournamentClock c;
    c.initVariables(kStart);
    int round = 1;
    playRound(c, 300, round, 4);
    EXPECT_TRUE(c.m_roundTimes.empty());
    EXPECT_EQ(c.ticks(), ClockTicks{});

    // Started in round 2: the untimed round 1 does not count in the average.
    c.startTournament(kStart);
    playRound(c, 600, round, 4);
    EXPECT_EQ(c.readings().averageRound, 600);
    EXPECT_EQ(c.m_roundLength, 600);
}

TEST(TournamentClock, LoadClearsRoundTimesAndStops) {
    TournamentClock c;
    c.startTournament(kStart);
    int round = 1;
    playRound(c, 600, round, 6);
    ASSERT_EQ(c.m_roundLength, 600);

    c.resetForLoad(kStart.plusSeconds(700));
    EXPECT_TRUE(c.m_roundTimes.empty());
    EXPECT_EQ(c.m_roundLength, 0);
    EXPECT_EQ(c.state(), ClockState::Stopped);
    const ClockReadings& d = c.readings();
    EXPECT_FALSE(d.averageRound.has_value());
    EXPECT_FALSE(d.elapsedTo.has_value());
    EXPECT_FALSE(d.finishTime.has_value());
    EXPECT_EQ(c.RTimer.totalSeconds(), 0);

    // The next tournament's first round averages on its own.
    c.startTournament(kStart);
    round = 1;
    playRound(c, 300, round, 6);
    EXPECT_EQ(c.readings().averageRound, 300);
}

TEST(TournamentClock, ProgressBarsFollowTheRounds) {
    TournamentClock c;
    c.setProgressRange(8);
    c.updateProgressBar(false, 3, 8);
    EXPECT_EQ(c.readings().progress, (ProgressValues{0, 8, 2}));
    EXPECT_EQ(c.readings().progressPercent, 25);
    c.updateProgressBar(false, 1, 8);
    EXPECT_EQ(c.readings().progressPercent, 0);
    EXPECT_EQ(c.readings().progress.value, 2);
    c.updateProgressBar(false, 4, 6);
    EXPECT_EQ(c.readings().progressPercent, 50);
    c.updateProgressBar(true, 8, 8);
    EXPECT_EQ(c.readings().progress.value, 8);
    EXPECT_EQ(c.readings().progressPercent, 100);
    c.clearProgressBar();
    EXPECT_EQ(c.readings().progress.value, 0);
    c.updateProgressBar(false, 2, 0);
    EXPECT_EQ(c.readings().progressPercent, 0);
}

TEST(TournamentClock, CurrentRoundBarFillsOverAnAverageRound) {
    TournamentClock c;
    c.startTournament(kStart);
    ticks(c, 200, &TournamentClock::roundTick);
    c.progressTick();
    EXPECT_EQ(c.readings().roundProgress, ProgressValues{}); // no average yet: stands still
    int round = 1;
    playRound(c, 400, round, 6);
    EXPECT_EQ(c.readings().roundProgress.value, c.readings().roundProgress.minimum);
    ticks(c, 150, &TournamentClock::roundTick);
    c.progressTick();
    EXPECT_EQ(c.readings().roundProgress, (ProgressValues{1, 600, 150}));
    ticks(c, 40000, &TournamentClock::roundTick);
    c.progressTick();
    EXPECT_EQ(c.readings().roundProgress, (ProgressValues{1, 600, 600}));
}

TEST(TournamentClock, ReportsEachOperationOnce) {
    TournamentClock c;
    int calls = 0;
    c.onChanged = [&] { ++calls; };
    c.startTournament(kStart);
    EXPECT_EQ(calls, 1);
    c.roundTick();
    EXPECT_EQ(calls, 2);
    c.progressTick(); // nothing to show yet
    EXPECT_EQ(calls, 2);
}

} // namespace
} // namespace rh

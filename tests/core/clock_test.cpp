// The stop-watch and the tournament clock, driven by fake ticks and a fake "now".
#include "core/scripted_prompt.h"
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
    ticks(c, seconds, &TournamentClock::RoundTick);
    c.StopRoundTimer();
    c.RecordRoundTime(currentRound, totalRounds);
    c.RTimer.Reset();
    c.ResetPauseTimer();
    ++currentRound;
    c.StartRoundTimer();
    c.UpdateProgressBars(false, currentRound, totalRounds);
}

TEST(StopWatch, CountsTicksAndCarriesIntoMinutesAndHours) {
    StopWatch t;
    EXPECT_EQ(t.GetElapsed(), "00:00:00");
    for (int i = 0; i < 59; ++i)
        t.Tick();
    EXPECT_EQ(t.GetElapsed(), "00:00:59");
    t.Tick();
    EXPECT_EQ(t.GetElapsed(), "00:01:00");
    for (int i = 60; i < 3600; ++i)
        t.Tick();
    EXPECT_EQ(t.GetElapsed(), "01:00:00");
    EXPECT_EQ(t.totalSeconds(), 3600);
    t.Add(125);
    EXPECT_EQ(t.GetElapsed(), "01:02:05");
    EXPECT_EQ(t.totalSeconds(), 3725);
    t.Reset();
    EXPECT_EQ(t.totalSeconds(), 0);
    // A round clock beyond nine hours does not overflow.
    for (int i = 0; i < 40000; ++i)
        t.Tick();
    EXPECT_EQ(t.GetElapsed(), "11:06:40");
    t.Add(100LL * 3600);
    EXPECT_EQ(t.GetElapsed(), "111:06:40");
}

TEST(ClockTexts, ElapsedTimeWrapsAtMidnight) {
    EXPECT_EQ(ElapsedTime(WallTime::fromHms(23, 59, 30), WallTime::fromHms(0, 0, 30, 1)),
              "00:01:00");
    EXPECT_EQ(ElapsedTime(WallTime::fromHms(9, 15, 0), WallTime::fromHms(11, 20, 5)), "02:05:05");
    EXPECT_EQ(ElapsedTime(kStart, kStart), "00:00:00");
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

TEST(TournamentClock, EachStateAsksForItsOwnTicksAndButtons) {
    TournamentClock c;
    c.InitVariables(kStart);
    c.PauseTournament(); // pausing while idle does nothing
    c.ResumeTournament();
    EXPECT_EQ(c.state(), ClockState::Idle);
    EXPECT_EQ(c.ticks(), (ClockTicks{false, false, false, false, true}));
    EXPECT_TRUE(c.display().startEnabled);
    EXPECT_FALSE(c.display().pauseEnabled);

    c.StartTournament(kStart);
    EXPECT_EQ(c.state(), ClockState::Running);
    EXPECT_EQ(c.ticks(), (ClockTicks{true, true, false, true, true}));
    const ClockDisplay& d = c.display();
    EXPECT_EQ(d.startCaption, "&Stop");
    EXPECT_TRUE(d.pauseEnabled);
    EXPECT_EQ(d.elapsedText, "00:00:00");
    EXPECT_EQ(d.roundText, "00:00:00");
    EXPECT_EQ(d.elapsedTint, LabelTint::Running);
    EXPECT_EQ(d.roundTint, LabelTint::Running);
    EXPECT_EQ(d.startTime, kStart);
    EXPECT_FALSE(d.bannerStartVisible);

    c.PauseResume();
    EXPECT_EQ(c.state(), ClockState::Paused);
    EXPECT_EQ(c.ticks(), (ClockTicks{true, false, true, false, true}));
    EXPECT_EQ(d.pauseCaption, "&Resume");
    EXPECT_FALSE(d.startEnabled);
    EXPECT_EQ(d.roundTint, LabelTint::Stopped);
    EXPECT_EQ(d.pauseTint, LabelTint::Running);

    c.PauseResume();
    EXPECT_EQ(c.state(), ClockState::Running);
    EXPECT_EQ(d.pauseCaption, "&Pause");
    EXPECT_TRUE(d.startEnabled);
    EXPECT_EQ(d.roundTint, LabelTint::Running);
    EXPECT_EQ(d.pauseTint, LabelTint::Stopped);

    c.StopTournament(kStart.plusSeconds(60));
    EXPECT_EQ(c.state(), ClockState::Idle);
    EXPECT_EQ(c.ticks(), (ClockTicks{false, false, false, false, true}));
    EXPECT_EQ(d.startCaption, "&Start");
    EXPECT_FALSE(d.pauseEnabled);
    EXPECT_EQ(d.elapsedTint, LabelTint::Stopped);
    EXPECT_EQ(d.roundTint, LabelTint::Stopped);
    EXPECT_EQ(c.m_stopTime, kStart.plusSeconds(60));
}

TEST(TournamentClock, StopQuestionCancelKeepsRunningOkStops) {
    ScriptedPrompt prompt;
    TournamentClock c;
    c.InitVariables(kStart);
    EXPECT_TRUE(c.display().bannerStartVisible);
    c.BannerStart(prompt, kStart); // the banner's button hides itself and starts
    EXPECT_FALSE(c.display().bannerStartVisible);
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_TRUE(c.display().estFinishVisible);

    prompt.answers = {MsgAnswer::Cancel};
    c.StartStopTournament(prompt, kStart.plusSeconds(5));
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
    c.StartStopTournament(prompt, kStart.plusSeconds(9));
    EXPECT_EQ(c.state(), ClockState::Idle);
    EXPECT_FALSE(c.ticks().tourney);
}

TEST(TournamentClock, TicksShowRoundPauseAndElapsedTime) {
    TournamentClock c;
    c.StartTournament(kStart);
    ticks(c, 60, &TournamentClock::RoundTick);
    EXPECT_EQ(c.display().roundText, "00:01:00");
    ticks(c, 3540, &TournamentClock::RoundTick);
    EXPECT_EQ(c.display().roundText, "01:00:00");
    c.TourneyTick(kStart.plusSeconds(3725));
    EXPECT_EQ(c.display().elapsedText, "01:02:05");
    c.PauseTournament();
    ticks(c, 61, &TournamentClock::PauseTick);
    EXPECT_EQ(c.display().pauseText, "00:01:01");
    c.CurrentTimeTick(WallTime::fromHms(21, 45, 0));
    EXPECT_EQ(c.display().currentTimeText, "09:45 PM");
}

TEST(TournamentClock, AverageAndFinishCountTheRoundsStillToPlay) {
    struct Case {
        int startRound, totalRounds;
        std::vector<int> rounds; // seconds of each round timed
        std::int64_t finish;     // seconds after the start
        const char* average;
    };
    const Case cases[] = {
        {1, 6, {600, 900, 1200}, 5400, "00:15:00"}, // 2700 played + 3 rounds of 900
        {1, 4, {900, 900, 900, 900}, 3600, "00:15:00"},
        {4, 6, {900}, 900 + 2 * 900, "00:15:00"}, // started in round 4: 1-3 are not to play
        {5, 6, {600, 1200}, 1800, "00:15:00"},    // the last round ended: nothing left
        {3, 8, {1000, 1000, 1300}, 3300 + 3 * 1100, "00:18:20"},
        {1, 99, std::vector<int>(60, 60), 99 * 60, "00:01:00"}, // more than 43 rounds recorded
    };
    for (const Case& k : cases) {
        SCOPED_TRACE("from round " + std::to_string(k.startRound));
        TournamentClock c;
        c.StartTournament(kStart);
        int round = k.startRound;
        for (int seconds : k.rounds)
            playRound(c, seconds, round, k.totalRounds);
        ASSERT_TRUE(c.display().finishTime.has_value());
        EXPECT_EQ(c.display().finishTime->localSeconds - kStart.localSeconds, k.finish);
        EXPECT_EQ(c.display().avgRoundText, k.average);
        ASSERT_EQ(c.m_roundTimes.size(), k.startRound - 1 + k.rounds.size()); // untimed: -1
        EXPECT_EQ(c.m_roundTimes.back(), k.rounds.back());
        EXPECT_EQ(c.state(), ClockState::Running);
        EXPECT_EQ(c.display().roundText, "00:00:00");
    }
    TournamentClock c; // the banner's finish time
    c.StartTournament(kStart);
    int round = 1;
    playRound(c, 2700, round, 2);
    EXPECT_EQ(c.display().finishBannerText, "8:30 PM");
}

TEST(TournamentClock, EachPauseCountsOnceWithItsFullLength) {
    TournamentClock c;
    c.StartTournament(kStart);
    ticks(c, 100, &TournamentClock::RoundTick);
    c.PauseTournament();
    ticks(c, 90, &TournamentClock::PauseTick);
    c.ResumeTournament();
    EXPECT_EQ(c.m_pauseTournamentTotal.totalSeconds(), 90);
    c.PauseTournament();
    ticks(c, 30, &TournamentClock::PauseTick);
    c.ResumeTournament();
    EXPECT_EQ(c.m_pauseTournamentTotal.totalSeconds(), 120);
    EXPECT_EQ(c.display().pauseText, "00:02:00");

    // The round ends after the pauses were resumed: nothing is added a second time.
    int round = 1;
    playRound(c, 500, round, 2);
    EXPECT_EQ(c.m_pauseTournamentTotal.totalSeconds(), 120);
    EXPECT_EQ(c.m_roundTimes.front(), 600);
    EXPECT_EQ(c.display().finishTime->localSeconds - kStart.localSeconds, 600 * 2 + 120);

    // A round that ends while paused ends the pause and counts it once.
    c.PauseTournament();
    ticks(c, 45, &TournamentClock::PauseTick);
    playRound(c, 0, round, 2);
    EXPECT_EQ(c.m_pauseTournamentTotal.totalSeconds(), 165);
    EXPECT_EQ(c.state(), ClockState::Running);
    EXPECT_EQ(c.display().pauseCaption, "&Pause");
    EXPECT_TRUE(c.display().pauseText.empty());
    EXPECT_EQ(c.m_pauseRoundTotal.totalSeconds(), 0);
}

TEST(TournamentClock, RoundsAreTimedOnlyWhileTheTournamentClockRuns) {
    TournamentClock c;
    c.InitVariables(kStart);
    int round = 1;
    playRound(c, 300, round, 4);
    EXPECT_TRUE(c.m_roundTimes.empty());
    EXPECT_EQ(c.ticks(), ClockTicks{});

    // Started in round 2: the untimed round 1 does not count in the average.
    c.StartTournament(kStart);
    playRound(c, 600, round, 4);
    EXPECT_EQ(c.display().avgRoundText, "00:10:00");
    EXPECT_EQ(c.m_roundLength, 600);
}

TEST(TournamentClock, LoadClearsRoundTimesAndReturnsToIdle) {
    ScriptedPrompt prompt;
    TournamentClock c;
    c.BannerStart(prompt, kStart);
    int round = 1;
    playRound(c, 600, round, 6);
    ASSERT_EQ(c.m_roundLength, 600);

    c.ResetForLoad(kStart.plusSeconds(700));
    EXPECT_TRUE(c.m_roundTimes.empty());
    EXPECT_EQ(c.m_roundLength, 0);
    EXPECT_EQ(c.state(), ClockState::Idle);
    EXPECT_EQ(c.ticks(), ClockTicks{});
    const ClockDisplay& d = c.display();
    EXPECT_EQ(d.startCaption, "&Start");
    EXPECT_TRUE(d.bannerStartVisible);
    EXPECT_FALSE(d.estFinishVisible);
    EXPECT_TRUE(d.avgRoundText.empty());
    EXPECT_TRUE(d.elapsedText.empty());
    EXPECT_FALSE(d.finishTime.has_value());
    EXPECT_EQ(c.RTimer.totalSeconds(), 0);

    // The next tournament's first round averages on its own.
    c.StartTournament(kStart);
    round = 1;
    playRound(c, 300, round, 6);
    EXPECT_EQ(c.display().avgRoundText, "00:05:00");
}

TEST(TournamentClock, ProgressBarsFollowTheRounds) {
    TournamentClock c;
    c.SetProgressRange(8);
    c.UpdateProgressBar(false, 3, 8);
    EXPECT_EQ(c.display().progress, (ProgressValues{0, 8, 2}));
    EXPECT_EQ(c.display().progressText, "25%");
    c.UpdateProgressBar(false, 1, 8);
    EXPECT_EQ(c.display().progressText, "0%");
    EXPECT_EQ(c.display().progress.value, 2);
    c.UpdateProgressBar(false, 4, 6);
    EXPECT_EQ(c.display().progressText, "50%");
    c.UpdateProgressBar(true, 8, 8);
    EXPECT_EQ(c.display().progress.value, 8);
    EXPECT_EQ(c.display().progressText, "100%");
    c.ClearProgressBar();
    EXPECT_EQ(c.display().progress.value, 0);
    c.UpdateProgressBar(false, 2, 0);
    EXPECT_EQ(c.display().progressText, "0%");
}

TEST(TournamentClock, CurrentRoundBarFillsOverAnAverageRound) {
    TournamentClock c;
    c.StartTournament(kStart);
    ticks(c, 200, &TournamentClock::RoundTick);
    c.ProgressTick();
    EXPECT_EQ(c.display().roundProgress, ProgressValues{}); // no average yet: stands still
    int round = 1;
    playRound(c, 400, round, 6);
    EXPECT_EQ(c.display().roundProgress.value, c.display().roundProgress.minimum);
    ticks(c, 150, &TournamentClock::RoundTick);
    c.ProgressTick();
    EXPECT_EQ(c.display().roundProgress, (ProgressValues{1, 600, 150}));
    ticks(c, 40000, &TournamentClock::RoundTick);
    c.ProgressTick();
    EXPECT_EQ(c.display().roundProgress, (ProgressValues{1, 600, 600}));
}

TEST(TournamentClock, ReportsEachOperationOnce) {
    TournamentClock c;
    int calls = 0;
    c.onChanged = [&] { ++calls; };
    c.StartTournament(kStart);
    EXPECT_EQ(calls, 1);
    c.RoundTick();
    EXPECT_EQ(calls, 2);
    c.ProgressTick(); // nothing to show yet
    EXPECT_EQ(calls, 2);
}

} // namespace
} // namespace rh

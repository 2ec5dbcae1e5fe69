#pragma once
// TournamentClock: the tournament, round and pause clocks, round-time averages, the finish
// estimate and the progress displays, as a state machine (Idle, Running, Paused) that owns no
// timers. The window delivers the ticks it asks for (ticks()) and passes "now" in, so a test can
// run an hour of rounds in a millisecond. What the displays should show lives in display(); the
// window copies it into its labels after every change (onChanged).
//
// The round advance calls, in this order: StopRoundTimer, RecordRoundTime, RTimer.Reset,
// ResetPauseTimer, CurrentRound + 1, the recovery copy, StartRoundTimer, then the window's
// ChangeRound and UpdateProgressBars(false). After the last round only UpdateProgressBars(true).
//
// The Session owns the one instance; it lives as long as the program.

#include "core/colour.h"
#include "core/prompt.h"
#include "timing/stop_watch.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace rh {

/// A moment on the local wall clock: seconds since 1970-01-01 00:00 local time (no zone).
struct WallTime {
    std::int64_t localSeconds = 0;

    static WallTime fromHms(int hour, int minute, int second, std::int64_t day = 0) {
        return {day * 86400 + hour * 3600 + minute * 60 + second};
    }
    int secondOfDay() const {
        std::int64_t s = localSeconds % 86400;
        return static_cast<int>(s < 0 ? s + 86400 : s);
    }
    int hour() const { return secondOfDay() / 3600; }
    int minute() const { return secondOfDay() / 60 % 60; }
    int second() const { return secondOfDay() % 60; }
    WallTime plusSeconds(std::int64_t s) const { return {localSeconds + s}; }
    bool operator==(const WallTime&) const = default;
};

/// hh:mm:ss from start to end, times of day only: an end earlier in the day than the start is
/// taken as the next day (23:59:30 to 00:00:30 is 00:01:00).
std::string ElapsedTime(WallTime start, WallTime end);
/// "hh:mm AM/PM": the time of day on the dashboard, e.g. "03:05 PM".
std::string formatTimeOfDay(WallTime t);
/// "h:mm AM/PM": the estimated finish on the dashboard, e.g. "3:05 PM".
std::string formatBannerTime(WallTime t);
/// The current round as the window shows it: a blank, then the number (" 3").
std::string formatCurrentRound(long long round);

/// Background of a running clock's label.
inline constexpr Rgb kClockRunning = kLightGreen;
/// Background of a stopped or paused clock's label.
inline constexpr Rgb kClockStopped = kLightRed;

enum class LabelTint { None, Running, Stopped };
/// The background of a tint; None gives the label's ordinary background (no colour).
std::optional<Rgb> tintColour(LabelTint tint);

enum class ClockState { Idle, Running, Paused };

/// Which periodic ticks should be delivered right now.
struct ClockTicks {
    bool tourney = false;  // TourneyTimer, 1000 ms
    bool round = false;    // RoundTimer, 1000 ms
    bool pause = false;    // PauseTimer, 1000 ms
    bool progress = false; // progressTimer, 15000 ms
    bool current = true;   // currentTimer, 15000 ms (always)
    bool operator==(const ClockTicks&) const = default;
};

struct ProgressValues {
    int minimum = 0;
    int maximum = 0;
    int value = 0;
    bool operator==(const ProgressValues&) const = default;
};

/// Everything the clock shows on the Timer tab and the dashboard.
struct ClockDisplay {
    std::optional<WallTime> startTime; // lblStartTime, in the platform's long time format
    std::string elapsedText;           // lblElapsedTime
    LabelTint elapsedTint = LabelTint::None;
    std::string roundText; // lblRoundElapsed
    LabelTint roundTint = LabelTint::None;
    std::string pauseText; // lblPauseElapsed
    LabelTint pauseTint = LabelTint::None;
    std::string avgRoundText;            // lblAvgRound
    std::optional<WallTime> finishTime;  // lblFinishTime (long time format)
    std::string finishBannerText;        // lblEstFinish ("h:mm AM/PM")
    bool estFinishVisible = false;       // lblEstFinishLabel and lblEstFinish
    bool bannerStartVisible = true;      // cmdbannerStartTimer
    std::string startCaption = "&Start"; // cmdTourneyStart
    bool startEnabled = true;
    std::string pauseCaption = "&Pause"; // cmdPause
    bool pauseEnabled = false;
    std::string currentTimeText;     // txtCurrentTime
    ProgressValues progress;         // progressBar: rounds done, 0..TotalRounds
    std::string progressText = "0%"; // lblProgress
    ProgressValues roundProgress;    // ProgressCurrentRnd
};

class TournamentClock {
public:
    TournamentClock();

    // Shared state of the clock.
    StopWatch RTimer;            // the round in progress
    StopWatch m_pauseRoundTotal; // time paused in the round in progress
    StopWatch
        m_pauseTournamentTotal; // pause total of the tournament (each pause counted once, in full)
    bool m_tournamentStarted = false;
    WallTime m_startTime;
    WallTime m_stopTime;
    /// Seconds of each timed round, index round - 1; -1 for a round that was not timed.
    std::vector<std::int64_t> m_roundTimes;
    /// Expected round length in seconds: the average of the timed rounds; 0 before the first.
    std::int64_t m_roundLength = 0;

    const ClockDisplay& display() const { return m_display; }
    ClockTicks ticks() const { return m_ticks; }
    ClockState state() const;
    /// Called once after every operation that changed the display or the ticks.
    std::function<void()> onChanged;

    // Lifecycle.
    /// Clears the clock labels, disables Pause and stops the tournament, round and pause ticks.
    void InitControls();
    /// Back to Idle: flags and pause clocks reset, Start enabled, Pause captioned "&Pause".
    void InitVariables(WallTime now);
    /// Everything a load resets: InitControls, InitVariables, the round clock, the recorded
    /// round times and round length, the banner's start button and estimated finish.
    void ResetForLoad(WallTime now);

    // Buttons.
    /// cmdTourneyStart: starts when idle; otherwise asks "Stop Tournament" and stops on OK.
    void StartStopTournament(IPrompt& prompt, WallTime now);
    /// cmdbannerStartTimer: hides itself, then acts as cmdTourneyStart.
    void BannerStart(IPrompt& prompt, WallTime now);
    /// cmdPause: pauses while captioned "&Pause", resumes otherwise.
    void PauseResume();

    void StartTournament(WallTime now);
    void StopTournament(WallTime now);
    void StartRoundTimer();
    void StopRoundTimer();
    void PauseTournament();
    void ResumeTournament();
    /// Moves the round's pause into the tournament's pause total and ends a pause in progress.
    void ResetPauseTimer();
    /// At the end of a round, before CurrentRound is increased.
    void RecordRoundTime(int currentRound, int totalRounds);

    // Ticks.
    void TourneyTick(WallTime now);
    void RoundTick();
    void PauseTick();
    void CurrentTimeTick(WallTime now);
    void ProgressTick();

    // Progress displays.
    void SetProgressTimer(bool on);
    /// The rounds bar runs 0..totalRounds (set after each load).
    void SetProgressRange(int totalRounds);
    void UpdateProgressBar(bool done, int currentRound, int totalRounds);
    void UpdateProgressCurrentRnd();
    void UpdateProgressBars(bool done, int currentRound, int totalRounds);
    void ClearProgressBar();

    /// The stop question's texts.
    static Message stopQuestion();

private:
    class Batch;
    void touched();

    ClockDisplay m_display;
    ClockTicks m_ticks;
    std::int64_t m_pauseCounted =
        0; // seconds of m_pauseRoundTotal already in m_pauseTournamentTotal
    int m_batchDepth = 0;
    bool m_dirty = false;
};

} // namespace rh

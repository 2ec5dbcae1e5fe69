#pragma once
// TournamentClock: the tournament, round and pause clocks, round-time averages, the finish
// estimate and the progress values, as a state machine (stopped, running, paused: state()) that
// owns no timers, no buttons and no questions. Commands (startTournament, pauseTournament,
// resumeTournament, stopTournament) and ticks move it; the window delivers the ticks it asks for
// (ticks()) and passes "now" in, so a test can run an hour of rounds in a millisecond. The times
// and values the clock has counted are in readings(); the window renders them, with its buttons
// derived from state(), after every change (onChanged).
//
// The round advance calls, in this order: stopRoundTimer, recordRoundTime, RTimer.reset,
// resetPauseTimer, CurrentRound + 1, the recovery copy, startRoundTimer, then the window's
// ChangeRound and updateProgressBars(false). After the last round only updateProgressBars(true).
//
// The Session owns the one instance; it lives as long as the program.

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
std::string elapsedTime(WallTime start, WallTime end);
/// "hh:mm AM/PM": the time of day on the dashboard, e.g. "03:05 PM".
std::string formatTimeOfDay(WallTime t);
/// "h:mm AM/PM": the estimated finish on the dashboard, e.g. "3:05 PM".
std::string formatBannerTime(WallTime t);
/// The current round as the window shows it: a blank, then the number (" 3").
std::string formatCurrentRound(long long round);

/// How one of the clocks stands: not run since the last reset, running, or stopped or paused.
enum class ClockPhase { None, Running, Stopped };

enum class ClockState {
    Stopped, // not started since the last reset, or stopped
    Running, // the tournament and round clocks run
    Paused,  // the tournament clock runs, the round clock waits and the pause clock runs
};

/// Which periodic ticks should be delivered right now.
struct ClockTicks {
    bool tourney = false;  // the tournament's elapsed time, every second
    bool round = false;    // the round clock, every second
    bool pause = false;    // the pause clock, every second
    bool progress = false; // the current round's progress, every 15 seconds
    bool current = true;   // the time of day, every 15 seconds (always)
    bool operator==(const ClockTicks&) const = default;
};

struct ProgressValues {
    int minimum = 0;
    int maximum = 0;
    int value = 0;
    bool operator==(const ProgressValues&) const = default;
};

/// The times and progress values the clock has counted, as of its last tick or command, as
/// numbers: the window formats them. An empty value has not been counted since the last reset.
struct ClockReadings {
    std::optional<WallTime> startTime; // when the tournament clock was started
    std::optional<WallTime> elapsedTo; // the tournament's time runs from m_startTime to here
    ClockPhase elapsedPhase = ClockPhase::None;
    std::optional<std::int64_t> roundSeconds; // the round clock
    ClockPhase roundPhase = ClockPhase::None;
    std::optional<std::int64_t> pauseSeconds; // the pause clock
    ClockPhase pausePhase = ClockPhase::None;
    std::optional<std::int64_t> averageRound; // seconds of the average timed round
    std::optional<WallTime> finishTime;       // the estimated finish
    ProgressValues progress;                  // rounds done, 0..TotalRounds
    int progressPercent = 0;                  // rounds done in percent
    ProgressValues roundProgress;             // the current round against an average round
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

    const ClockReadings& readings() const { return m_readings; }
    ClockTicks ticks() const { return m_ticks; }
    ClockState state() const;
    /// Called once after every operation that changed the display or the ticks.
    std::function<void()> onChanged;
    /// How many times the director has started, stopped, paused or resumed the clock.
    long actionCount() const { return m_actions; }

    /// Whether the clock has been started since it was made or last reset for a load.
    bool startedSinceReset() const { return m_startedSinceReset; }

    // Lifecycle.
    /// Clears the counted times and stops the tournament, round and pause ticks.
    void initControls();
    /// Back to stopped: flags and pause clocks reset.
    void initVariables(WallTime now);
    /// Everything a load resets: initControls, initVariables, the round clock, the recorded
    /// round times and round length, and whether the clock has been started.
    void resetForLoad(WallTime now);

    // Commands. Each does nothing in a state it does not apply to (a pause while stopped).
    void startTournament(WallTime now);
    void stopTournament(WallTime now);
    void startRoundTimer();
    void stopRoundTimer();
    void pauseTournament();
    void resumeTournament();
    /// Moves the round's pause into the tournament's pause total and ends a pause in progress.
    void resetPauseTimer();
    /// At the end of a round, before CurrentRound is increased.
    void recordRoundTime(int currentRound, int totalRounds);

    // Ticks.
    void tourneyTick(WallTime now);
    void roundTick();
    void pauseTick();
    void progressTick();

    // Progress displays.
    void setProgressTimer(bool on);
    /// The rounds bar runs 0..totalRounds (set after each load).
    void setProgressRange(int totalRounds);
    void updateProgressBar(bool done, int currentRound, int totalRounds);
    void updateProgressCurrentRnd();
    void updateProgressBars(bool done, int currentRound, int totalRounds);
    void clearProgressBar();

private:
    class Batch;
    void touched();

    ClockReadings m_readings;
    ClockTicks m_ticks;
    std::int64_t m_pauseCounted =
        0; // seconds of m_pauseRoundTotal already in m_pauseTournamentTotal
    int m_batchDepth = 0;
    bool m_dirty = false;
    long m_actions = 0;
    bool m_startedSinceReset = false;
};

} // namespace rh

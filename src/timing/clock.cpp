#include "timing/clock.h"

#include "core/text.h"

#include <algorithm>
#include <cmath>

namespace rh {

std::string elapsedTime(WallTime start, WallTime end) {
    std::int64_t d = end.secondOfDay() - start.secondOfDay();
    if (d < 0)
        d += 86400;
    return fmt00(d / 3600 % 24) + ":" + fmt00(d / 60 % 60) + ":" + fmt00(d % 60);
}

namespace {

std::string twelveHour(WallTime t, int hourDigits) {
    int h = t.hour() % 12;
    if (h == 0)
        h = 12;
    return zeroPad(h, hourDigits) + ":" + fmt00(t.minute()) + (t.hour() < 12 ? " AM" : " PM");
}

} // namespace

std::string formatTimeOfDay(WallTime t) {
    return twelveHour(t, 2);
}
std::string formatBannerTime(WallTime t) {
    return twelveHour(t, 1);
}
std::string formatCurrentRound(long long round) {
    return " " + std::to_string(round);
}

// Groups the steps of one operation so that onChanged runs once, after the last of them.
class TournamentClock::Batch {
public:
    explicit Batch(TournamentClock& c) : m_c(c) { ++m_c.m_batchDepth; }
    ~Batch() {
        if (--m_c.m_batchDepth == 0 && m_c.m_dirty) {
            m_c.m_dirty = false;
            if (m_c.onChanged)
                m_c.onChanged();
        }
    }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

private:
    TournamentClock& m_c;
};

TournamentClock::TournamentClock() = default;

void TournamentClock::touched() {
    m_dirty = true;
}

ClockState TournamentClock::state() const {
    if (!m_tournamentStarted)
        return ClockState::Stopped;
    return m_ticks.pause ? ClockState::Paused : ClockState::Running;
}

void TournamentClock::initControls() {
    Batch b(*this);
    m_readings.startTime.reset();
    m_readings.finishTime.reset();
    m_readings.elapsedTo.reset();
    m_readings.roundSeconds.reset();
    m_readings.averageRound.reset();
    m_ticks.tourney = m_ticks.round = m_ticks.pause = false;
    touched();
}

void TournamentClock::initVariables(WallTime now) {
    Batch b(*this);
    m_tournamentStarted = false;
    m_ticks.tourney = m_ticks.round = m_ticks.pause = false;
    m_ticks.progress = false;
    m_readings.pauseSeconds.reset();
    m_pauseRoundTotal.reset();
    m_pauseTournamentTotal.reset();
    m_pauseCounted = 0;
    m_startTime = now;
    touched();
}

void TournamentClock::resetForLoad(WallTime now) {
    Batch b(*this);
    initControls();
    initVariables(now);
    RTimer.reset();
    m_roundTimes.clear();
    m_roundLength = 0;
    m_startedSinceReset = false;
    m_readings.elapsedPhase = m_readings.roundPhase = m_readings.pausePhase = ClockPhase::None;
    m_readings.progressPercent = 0;
    m_readings.progress.value = m_readings.progress.minimum;
    m_readings.roundProgress = ProgressValues{};
    touched();
}

void TournamentClock::startTournament(WallTime now) {
    Batch b(*this);
    ++m_actions;
    m_tournamentStarted = true;
    m_startedSinceReset = true;
    m_readings.pauseSeconds.reset();
    m_readings.startTime = now;
    m_ticks.tourney = true;
    m_startTime = now;
    RTimer.reset();
    m_pauseRoundTotal.reset();
    m_pauseTournamentTotal.reset();
    m_pauseCounted = 0;
    startRoundTimer();
    m_readings.elapsedTo = now;
    m_readings.elapsedPhase = ClockPhase::Running;
    setProgressTimer(true);
    touched();
}

void TournamentClock::stopTournament(WallTime now) {
    Batch b(*this);
    ++m_actions;
    if (m_ticks.pause) {
        // Only reachable from code (the button is disabled while paused): end the pause first so
        // no pause clock keeps running behind a stopped tournament.
        resetPauseTimer();
    }
    m_stopTime = now;
    m_ticks.tourney = false;
    stopRoundTimer();
    m_readings.elapsedPhase = ClockPhase::Stopped;
    m_tournamentStarted = false;
    setProgressTimer(false);
    touched();
}

void TournamentClock::startRoundTimer() {
    if (!m_tournamentStarted)
        return;
    Batch b(*this);
    RTimer.reset();
    m_ticks.round = true;
    m_readings.roundSeconds = 0;
    m_readings.roundPhase = ClockPhase::Running;
    setProgressTimer(true);
    touched();
}

void TournamentClock::stopRoundTimer() {
    Batch b(*this);
    m_ticks.round = false;
    m_readings.roundPhase = ClockPhase::Stopped;
    setProgressTimer(false);
    touched();
}

void TournamentClock::pauseTournament() {
    if (!m_tournamentStarted || m_ticks.pause)
        return;
    Batch b(*this);
    ++m_actions;
    m_readings.pausePhase = ClockPhase::Running;
    m_readings.roundPhase = ClockPhase::Stopped;
    m_ticks.round = false;
    m_ticks.pause = true;
    setProgressTimer(false);
    touched();
}

void TournamentClock::resumeTournament() {
    if (!m_ticks.pause)
        return;
    Batch b(*this);
    ++m_actions;
    // Only the part of this round's pause not yet counted goes into the tournament total.
    m_pauseTournamentTotal.add(m_pauseRoundTotal.totalSeconds() - m_pauseCounted);
    m_pauseCounted = m_pauseRoundTotal.totalSeconds();
    m_ticks.round = m_tournamentStarted;
    m_ticks.pause = false;
    m_readings.pausePhase = ClockPhase::Stopped;
    m_readings.roundPhase = ClockPhase::Running;
    setProgressTimer(m_tournamentStarted);
    touched();
}

void TournamentClock::resetPauseTimer() {
    Batch b(*this);
    m_pauseTournamentTotal.add(m_pauseRoundTotal.totalSeconds() - m_pauseCounted);
    m_pauseRoundTotal.reset();
    m_pauseCounted = 0;
    m_readings.pausePhase = ClockPhase::Stopped;
    m_ticks.pause = false;
    m_readings.pauseSeconds.reset();
    touched();
}

void TournamentClock::recordRoundTime(int currentRound, int totalRounds) {
    if (!m_tournamentStarted || currentRound < 1)
        return;
    Batch b(*this);
    const auto index = static_cast<std::size_t>(currentRound - 1);
    if (m_roundTimes.size() <= index)
        m_roundTimes.resize(index + 1, -1);
    m_roundTimes[index] = RTimer.totalSeconds();

    // The average counts the rounds that were timed: rounds played before the clock was started
    // (or before a load) have no time and would drag the average towards 0.
    std::int64_t sum = 0;
    int timed = 0;
    for (std::size_t i = 0; i <= index; ++i) {
        if (m_roundTimes[i] >= 0) {
            sum += m_roundTimes[i];
            ++timed;
        }
    }
    const double a = static_cast<double>(sum) / timed;
    const auto rounded = static_cast<std::int64_t>(roundHalfEven(a));
    m_readings.averageRound = rounded;
    m_roundLength = rounded;
    // The finish is now plus the rounds still to play. Now is the start plus the time the clock
    // has counted since: the timed rounds and every pause so far. A clock started in a later
    // round has not timed the rounds before it, and they are not played again.
    const std::int64_t paused =
        m_pauseTournamentTotal.totalSeconds() + (m_pauseRoundTotal.totalSeconds() - m_pauseCounted);
    const int toPlay = std::max(totalRounds - currentRound, 0);
    const auto estimate =
        static_cast<std::int64_t>(roundHalfEven(static_cast<double>(sum + paused) + a * toPlay));
    const WallTime finish = m_startTime.plusSeconds(estimate);
    m_readings.finishTime = finish;
    touched();
}

void TournamentClock::tourneyTick(WallTime now) {
    Batch b(*this);
    m_readings.elapsedTo = now;
    touched();
}

void TournamentClock::roundTick() {
    Batch b(*this);
    RTimer.tick();
    m_readings.roundSeconds = RTimer.totalSeconds();
    touched();
}

void TournamentClock::pauseTick() {
    Batch b(*this);
    m_pauseRoundTotal.tick();
    m_readings.pauseSeconds = m_pauseRoundTotal.totalSeconds();
    touched();
}

void TournamentClock::progressTick() {
    const std::int64_t t = RTimer.totalSeconds();
    if (t < 1 || m_roundLength < 1)
        return;
    Batch b(*this);
    const int length = static_cast<int>(std::min<std::int64_t>(m_roundLength, 1'000'000'000));
    ProgressValues& p = m_readings.roundProgress;
    p.minimum = 1;
    p.maximum = std::max(1, length);
    p.value = t >= m_roundLength
                  ? p.maximum
                  : std::max(1, static_cast<int>(std::min<std::int64_t>(t, p.maximum)));
    touched();
}

void TournamentClock::setProgressTimer(bool on) {
    Batch b(*this);
    m_ticks.progress = on;
    touched();
}

void TournamentClock::setProgressRange(int totalRounds) {
    Batch b(*this);
    m_readings.progress.minimum = 0;
    m_readings.progress.maximum = std::max(totalRounds, 0);
    m_readings.progress.value =
        std::clamp(m_readings.progress.value, 0, m_readings.progress.maximum);
    touched();
}

void TournamentClock::updateProgressBar(bool done, int currentRound, int totalRounds) {
    Batch b(*this);
    ProgressValues& p = m_readings.progress;
    if (done) {
        p.value = p.maximum;
        m_readings.progressPercent = 100;
    } else if (currentRound > 1) {
        p.value = std::clamp(currentRound - 1, p.minimum, p.maximum);
        const int percent = totalRounds > 0 ? (currentRound - 1) * 100 / totalRounds : 0;
        m_readings.progressPercent = percent;
    } else {
        m_readings.progressPercent = 0;
    }
    touched();
}

void TournamentClock::updateProgressCurrentRnd() {
    Batch b(*this);
    m_readings.roundProgress.value = m_readings.roundProgress.minimum;
    touched();
}

void TournamentClock::updateProgressBars(bool done, int currentRound, int totalRounds) {
    Batch b(*this);
    updateProgressBar(done, currentRound, totalRounds);
    updateProgressCurrentRnd();
}

void TournamentClock::clearProgressBar() {
    Batch b(*this);
    m_readings.progress.value = m_readings.progress.minimum;
    m_readings.roundProgress.value = m_readings.roundProgress.minimum;
    touched();
}

} // namespace rh

#pragma once
// ClockPresenter: puts the tournament clock on the window. It owns the window's clock timers
// (TourneyTimer, RoundTimer, PauseTimer at 1000 ms; currentTimer and progressTimer at 15000 ms),
// runs each only while the clock asks for its ticks, forwards the Start/Stop, Pause/Resume and
// banner buttons to the clock commands, and copies the clock's display into the Timer tab and the
// dashboard after every change, whoever made it (a button, a tick, or the round advance). The
// buttons' captions and states follow from the clock's state (clockButtons).

#include "core/colour.h"
#include "persistence/journal.h"
#include "timing/clock.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QTimer;
class QTime;

namespace rh {
class IPrompt;
}

namespace rh::ui {

class Dashboard;
class TimerTab;

/// Now on the local wall clock.
WallTime currentWallTime();
QTime toQTime(WallTime t);
/// A time in the platform's long time format (without a time zone name).
QString longTimeText(WallTime t);

/// A clock label's background: light green while that clock runs, light red once it stopped or
/// paused, the ordinary background before it first ran.
std::optional<Rgb> phaseColour(ClockPhase phase);

/// The Timer tab's and the banner's clock buttons for a state of the clock.
struct ClockButtons {
    QString startCaption; // cmdTourneyStart
    bool startEnabled = true;
    QString pauseCaption; // cmdPause
    bool pauseEnabled = false;
    bool bannerStartVisible = true; // cmdbannerStartTimer, until the clock is first started
};
ClockButtons clockButtons(ClockState state, bool startedSinceReset);

class ClockPresenter : public QObject {
    Q_OBJECT
public:
    ClockPresenter(TournamentClock& clock, IPrompt& prompt, Dashboard* dashboard, TimerTab* timer,
                   QObject* parent);
    ~ClockPresenter() override;

    /// Replaces the wall clock (tests).
    void setNow(std::function<WallTime()> now) { m_now = std::move(now); }
    /// Told of every start, pause, resume and stop the director makes (for the journal).
    std::function<void(const Change&)> changed;
    WallTime now() const { return m_now(); }

    TournamentClock& clock() { return m_clock; }
    QTimer* tourneyTimer() const { return m_tourney; }
    QTimer* roundTimer() const { return m_round; }
    QTimer* pauseTimer() const { return m_pause; }
    QTimer* currentTimer() const { return m_current; }
    QTimer* progressTimer() const { return m_progress; }

public slots:
    void startStopTournament();
    void bannerStart();
    void pauseResume();
    void tourneyTick();
    void roundTick();
    void pauseTick();
    void currentTimeTick();
    void progressTick();
    /// Copies the display into the controls and starts or stops the timers.
    void apply();

private:
    /// Tells `changed` what the button did, judged by the clock's state before it.
    void report(ClockState before, WallTime at);

    TournamentClock& m_clock;
    IPrompt& m_prompt;
    Dashboard* m_dash;
    TimerTab* m_tab;
    std::function<WallTime()> m_now;
    QTimer* m_tourney;
    QTimer* m_round;
    QTimer* m_pause;
    QTimer* m_current;
    QTimer* m_progress;
    /// The banner's finish estimate shows from the director's start until the clock is reset.
    bool m_finishShown = false;
};

} // namespace rh::ui

#include "ui/timer/clock_presenter.h"

#include "services/clock_actions.h"

#include "ui/dashboard/dashboard.h"
#include "ui/shell/widgets.h"
#include "ui/timer/tab_timer.h"

#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace rh::ui {

namespace {

constexpr qint64 kJulianDayOfEpoch = 2440588; // 1970-01-01

QTimer* makeTimer(QObject* parent, const char* name, int interval) {
    auto* t = new QTimer(parent);
    t->setObjectName(QString::fromUtf8(name));
    t->setInterval(interval);
    return t;
}

void run(QTimer* timer, bool on) {
    // A running timer is left alone, so its rhythm is not reset by every change.
    if (on && !timer->isActive())
        timer->start();
    else if (!on && timer->isActive())
        timer->stop();
}

void setProgress(QProgressBar* bar, const ProgressValues& p) {
    // An empty range would turn the bar into a busy indicator: keep at least one step.
    bar->setRange(p.minimum, std::max(p.minimum + 1, p.maximum));
    bar->setValue(p.value);
}

// hh:mm:ss of a counted time; empty when nothing is counted.
QString hmsText(std::optional<std::int64_t> seconds) {
    return seconds ? qs(formatHms(*seconds)) : QString();
}

} // namespace

std::optional<Rgb> phaseColour(ClockPhase phase) {
    switch (phase) {
    case ClockPhase::Running:
        return kLightGreen;
    case ClockPhase::Stopped:
        return kLightRed;
    case ClockPhase::None:
        break;
    }
    return std::nullopt;
}

ClockButtons clockButtons(ClockState state, bool startedSinceReset) {
    ClockButtons b;
    b.startCaption =
        state == ClockState::Stopped ? QStringLiteral("&Start") : QStringLiteral("&Stop");
    b.startEnabled = state != ClockState::Paused;
    b.pauseCaption =
        state == ClockState::Paused ? QStringLiteral("&Resume") : QStringLiteral("&Pause");
    b.pauseEnabled = state != ClockState::Stopped;
    b.bannerStartVisible = !startedSinceReset;
    return b;
}

WallTime currentWallTime() {
    const QDateTime now = QDateTime::currentDateTime();
    const qint64 days = now.date().toJulianDay() - kJulianDayOfEpoch;
    return {days * 86400 + now.time().msecsSinceStartOfDay() / 1000};
}

QTime toQTime(WallTime t) {
    return QTime::fromMSecsSinceStartOfDay(t.secondOfDay() * 1000);
}

QString longTimeText(WallTime t) {
    const QLocale locale = QLocale::system();
    QString format = locale.timeFormat(QLocale::LongFormat);
    // The long format may name the time zone ("t"); a time of day has none.
    format.remove(QLatin1Char('t'));
    return locale.toString(toQTime(t), format.trimmed());
}

ClockPresenter::ClockPresenter(TournamentClock& clock, IPrompt& prompt, Dashboard* dashboard,
                               TimerTab* timer, QObject* parent)
    : QObject(parent), m_clock(clock), m_prompt(prompt), m_dash(dashboard), m_tab(timer),
      m_now(&currentWallTime) {
    setObjectName(QStringLiteral("clockPresenter"));
    m_tourney = makeTimer(parent, "TourneyTimer", 1000);
    m_round = makeTimer(parent, "RoundTimer", 1000);
    m_pause = makeTimer(parent, "PauseTimer", 1000);
    m_current = makeTimer(parent, "currentTimer", 15000);
    m_progress = makeTimer(parent, "progressTimer", 15000);
    connect(m_tourney, &QTimer::timeout, this, &ClockPresenter::tourneyTick);
    connect(m_round, &QTimer::timeout, this, &ClockPresenter::roundTick);
    connect(m_pause, &QTimer::timeout, this, &ClockPresenter::pauseTick);
    connect(m_current, &QTimer::timeout, this, &ClockPresenter::currentTimeTick);
    connect(m_progress, &QTimer::timeout, this, &ClockPresenter::progressTick);
    connect(m_tab->cmdTourneyStart, &QPushButton::clicked, this,
            &ClockPresenter::startStopTournament);
    connect(m_tab->cmdPause, &QPushButton::clicked, this, &ClockPresenter::pauseResume);
    connect(m_dash->cmdbannerStartTimer, &QPushButton::clicked, this, &ClockPresenter::bannerStart);
    m_clock.onChanged = [this] { apply(); };
}

ClockPresenter::~ClockPresenter() {
    m_clock.onChanged = nullptr;
}

void ClockPresenter::startStopTournament() {
    const ClockState before = m_clock.state();
    const WallTime at = now();
    startOrStopClock(m_clock, m_prompt, at);
    // The banner's finish estimate shows once the director has started the clock.
    if (before == ClockState::Stopped && m_clock.state() == ClockState::Running) {
        m_finishShown = true;
        apply();
    }
    report(before, at);
}
void ClockPresenter::bannerStart() {
    startStopTournament();
}
void ClockPresenter::pauseResume() {
    const ClockState before = m_clock.state();
    const WallTime at = now();
    pauseOrResumeClock(m_clock);
    report(before, at);
}

void ClockPresenter::report(ClockState before, WallTime at) {
    const ClockState after = m_clock.state();
    if (!changed || after == before)
        return;
    ChangeKind kind = ChangeKind::ClockStop;
    if (after == ClockState::Paused)
        kind = ChangeKind::ClockPause;
    else if (after == ClockState::Running)
        kind = before == ClockState::Paused ? ChangeKind::ClockResume : ChangeKind::ClockStart;
    changed(Change::clock(kind, at.localSeconds));
}
void ClockPresenter::tourneyTick() {
    m_clock.tourneyTick(now());
}
void ClockPresenter::roundTick() {
    m_clock.roundTick();
}
void ClockPresenter::pauseTick() {
    m_clock.pauseTick();
}
void ClockPresenter::currentTimeTick() {
    m_dash->txtCurrentTime->setText(qs(formatTimeOfDay(now())));
}
void ClockPresenter::progressTick() {
    m_clock.progressTick();
}

void ClockPresenter::apply() {
    const ClockReadings& d = m_clock.readings();
    TimerTab& t = *m_tab;
    t.lblStartTime->setText(d.startTime ? longTimeText(*d.startTime) : QString());
    t.lblElapsedTime->setText(d.elapsedTo ? qs(elapsedTime(m_clock.m_startTime, *d.elapsedTo))
                                          : QString());
    setBackground(t.lblElapsedTime, phaseColour(d.elapsedPhase));
    t.lblRoundElapsed->setText(hmsText(d.roundSeconds));
    setBackground(t.lblRoundElapsed, phaseColour(d.roundPhase));
    t.lblPauseElapsed->setText(hmsText(d.pauseSeconds));
    setBackground(t.lblPauseElapsed, phaseColour(d.pausePhase));
    t.lblAvgRound->setText(hmsText(d.averageRound));
    t.lblFinishTime->setText(d.finishTime ? longTimeText(*d.finishTime) : QString());
    const ClockButtons buttons = clockButtons(m_clock.state(), m_clock.startedSinceReset());
    t.cmdTourneyStart->setText(buttons.startCaption);
    t.cmdTourneyStart->setEnabled(buttons.startEnabled);
    t.cmdPause->setText(buttons.pauseCaption);
    t.cmdPause->setEnabled(buttons.pauseEnabled);
    setProgress(t.ProgressCurrentRnd, d.roundProgress);

    Dashboard& b = *m_dash;
    // A load resets the clock, and the finish estimate hides with it.
    if (!m_clock.startedSinceReset())
        m_finishShown = false;
    b.cmdbannerStartTimer->setVisible(buttons.bannerStartVisible);
    b.lblEstFinishLabel->setVisible(m_finishShown);
    b.lblEstFinish->setVisible(m_finishShown);
    b.lblEstFinish->setText(d.finishTime ? qs(formatBannerTime(*d.finishTime)) : QString());
    setProgress(b.progressBar, d.progress);
    b.lblProgress->setText(QString::number(d.progressPercent) + QLatin1Char('%'));

    const ClockTicks ticks = m_clock.ticks();
    run(m_tourney, ticks.tourney);
    run(m_round, ticks.round);
    run(m_pause, ticks.pause);
    run(m_progress, ticks.progress);
    run(m_current, ticks.current);
}

} // namespace rh::ui

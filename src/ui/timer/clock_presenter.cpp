#include "ui/timer/clock_presenter.h"

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

} // namespace

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
    connect(m_tourney, &QTimer::timeout, this, &ClockPresenter::TourneyTick);
    connect(m_round, &QTimer::timeout, this, &ClockPresenter::RoundTick);
    connect(m_pause, &QTimer::timeout, this, &ClockPresenter::PauseTick);
    connect(m_current, &QTimer::timeout, this, &ClockPresenter::CurrentTimeTick);
    connect(m_progress, &QTimer::timeout, this, &ClockPresenter::ProgressTick);
    connect(m_tab->cmdTourneyStart, &QPushButton::clicked, this,
            &ClockPresenter::StartStopTournament);
    connect(m_tab->cmdPause, &QPushButton::clicked, this, &ClockPresenter::PauseResume);
    connect(m_dash->cmdbannerStartTimer, &QPushButton::clicked, this, &ClockPresenter::BannerStart);
    m_clock.onChanged = [this] { apply(); };
}

ClockPresenter::~ClockPresenter() {
    m_clock.onChanged = nullptr;
}

void ClockPresenter::StartStopTournament() {
    const ClockState before = m_clock.state();
    const WallTime at = now();
    m_clock.StartStopTournament(m_prompt, at);
    report(before, at);
}
void ClockPresenter::BannerStart() {
    const ClockState before = m_clock.state();
    const WallTime at = now();
    m_clock.BannerStart(m_prompt, at);
    report(before, at);
}
void ClockPresenter::PauseResume() {
    const ClockState before = m_clock.state();
    const WallTime at = now();
    m_clock.PauseResume();
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
void ClockPresenter::TourneyTick() {
    m_clock.TourneyTick(now());
}
void ClockPresenter::RoundTick() {
    m_clock.RoundTick();
}
void ClockPresenter::PauseTick() {
    m_clock.PauseTick();
}
void ClockPresenter::CurrentTimeTick() {
    m_clock.CurrentTimeTick(now());
}
void ClockPresenter::ProgressTick() {
    m_clock.ProgressTick();
}

void ClockPresenter::apply() {
    const ClockDisplay& d = m_clock.display();
    TimerTab& t = *m_tab;
    t.lblStartTime->setText(d.startTime ? longTimeText(*d.startTime) : QString());
    t.lblElapsedTime->setText(qs(d.elapsedText));
    setBackground(t.lblElapsedTime, tintColour(d.elapsedTint));
    t.lblRoundElapsed->setText(qs(d.roundText));
    setBackground(t.lblRoundElapsed, tintColour(d.roundTint));
    t.lblPauseElapsed->setText(qs(d.pauseText));
    setBackground(t.lblPauseElapsed, tintColour(d.pauseTint));
    t.lblAvgRound->setText(qs(d.avgRoundText));
    t.lblFinishTime->setText(d.finishTime ? longTimeText(*d.finishTime) : QString());
    t.cmdTourneyStart->setText(qs(d.startCaption));
    t.cmdTourneyStart->setEnabled(d.startEnabled);
    t.cmdPause->setText(qs(d.pauseCaption));
    t.cmdPause->setEnabled(d.pauseEnabled);
    setProgress(t.ProgressCurrentRnd, d.roundProgress);

    Dashboard& b = *m_dash;
    b.cmdbannerStartTimer->setVisible(d.bannerStartVisible);
    b.lblEstFinishLabel->setVisible(d.estFinishVisible);
    b.lblEstFinish->setVisible(d.estFinishVisible);
    b.lblEstFinish->setText(qs(d.finishBannerText));
    if (!d.currentTimeText.empty())
        b.txtCurrentTime->setText(qs(d.currentTimeText));
    setProgress(b.progressBar, d.progress);
    b.lblProgress->setText(qs(d.progressText));

    const ClockTicks ticks = m_clock.ticks();
    run(m_tourney, ticks.tourney);
    run(m_round, ticks.round);
    run(m_pause, ticks.pause);
    run(m_progress, ticks.progress);
    run(m_current, ticks.current);
}

} // namespace rh::ui

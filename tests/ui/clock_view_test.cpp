// The clock as the director uses it: the Timer tab's buttons and labels, the dashboard, and the
// window's timers, driven by calling the tick slots with a fake "now" (no waiting).
#include "core/scripted_prompt.h"
#include "services/session.h"
#include "ui/clock_presenter.h"
#include "ui/main_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using rh::ui::MainWindow;

namespace {

const QColor kGreen(180, 255, 180);
const QColor kRed(255, 180, 180);

struct Fixture {
    rh::ScriptedPrompt prompt;
    rh::Session session{prompt};
    MainWindow window{session};
    rh::WallTime now = rh::WallTime::fromHms(19, 0, 0, 20000);
    rh::ui::ClockPresenter& clock = *window.clockPresenter();

    Fixture() {
        clock.setNow([this] { return now; });
    }

    template <class T = QWidget> T* get(const char* name) {
        return window.findChild<T*>(QString::fromUtf8(name));
    }
    QString text(const char* label) { return get<QLabel>(label)->text(); }
    bool running(const char* timer) { return get<QTimer>(timer)->isActive(); }
    QColor background(const char* label) {
        QWidget* w = get(label);
        return w->autoFillBackground() ? w->palette().color(QPalette::Window) : QColor();
    }
    void ticks(int n, void (rh::ui::ClockPresenter::*tick)()) {
        for (int i = 0; i < n; ++i)
            (clock.*tick)();
    }
};

} // namespace

class ClockViewTest : public QObject {
    Q_OBJECT
private slots:
    void idleAtStartUp() {
        Fixture f;
        QVERIFY(f.running("currentTimer"));
        for (const char* t : {"TourneyTimer", "RoundTimer", "PauseTimer", "progressTimer"})
            QVERIFY2(!f.running(t), t);
        QCOMPARE(f.get<QTimer>("TourneyTimer")->interval(), 1000);
        QCOMPARE(f.get<QTimer>("RoundTimer")->interval(), 1000);
        QCOMPARE(f.get<QTimer>("PauseTimer")->interval(), 1000);
        QCOMPARE(f.get<QTimer>("currentTimer")->interval(), 15000);
        QCOMPARE(f.get<QTimer>("progressTimer")->interval(), 15000);
        QVERIFY(f.get("cmdTourneyStart")->isEnabled());
        QVERIFY(!f.get("cmdPause")->isEnabled());
        QVERIFY(f.text("lblElapsedTime").isEmpty());
        f.clock.CurrentTimeTick();
        QCOMPARE(f.get<QLineEdit>("txtCurrentTime")->text(), QStringLiteral("07:00 PM"));
    }

    void startRunPauseResumeStop() {
        Fixture f;
        auto* start = f.get<QPushButton>("cmdTourneyStart");
        auto* pause = f.get<QPushButton>("cmdPause");
        start->click();
        QCOMPARE(start->text(), QStringLiteral("&Stop"));
        QVERIFY(pause->isEnabled());
        QCOMPARE(f.text("lblElapsedTime"), QStringLiteral("00:00:00"));
        QCOMPARE(f.text("lblRoundElapsed"), QStringLiteral("00:00:00"));
        QVERIFY(!f.text("lblStartTime").isEmpty());
        QCOMPARE(f.background("lblElapsedTime"), kGreen);
        QCOMPARE(f.background("lblRoundElapsed"), kGreen);
        QVERIFY(f.get("cmdbannerStartTimer")->isHidden());
        QVERIFY(!f.get("lblEstFinishLabel")->isHidden());
        QVERIFY(!f.get("lblEstFinish")->isHidden());
        for (const char* t : {"TourneyTimer", "RoundTimer", "progressTimer", "currentTimer"})
            QVERIFY2(f.running(t), t);
        QVERIFY(!f.running("PauseTimer"));

        f.ticks(60, &rh::ui::ClockPresenter::RoundTick);
        QCOMPARE(f.text("lblRoundElapsed"), QStringLiteral("00:01:00"));
        f.ticks(3540, &rh::ui::ClockPresenter::RoundTick);
        QCOMPARE(f.text("lblRoundElapsed"), QStringLiteral("01:00:00"));
        f.now = f.now.plusSeconds(3600);
        f.clock.TourneyTick();
        QCOMPARE(f.text("lblElapsedTime"), QStringLiteral("01:00:00"));

        pause->click();
        QCOMPARE(pause->text(), QStringLiteral("&Resume"));
        QVERIFY(!start->isEnabled());
        QCOMPARE(f.background("lblRoundElapsed"), kRed);
        QCOMPARE(f.background("lblPauseElapsed"), kGreen);
        QVERIFY(f.running("PauseTimer"));
        QVERIFY(f.running("TourneyTimer")); // the tournament's time runs on during a pause
        QVERIFY(!f.running("RoundTimer"));
        QVERIFY(!f.running("progressTimer"));
        f.ticks(75, &rh::ui::ClockPresenter::PauseTick);
        QCOMPARE(f.text("lblPauseElapsed"), QStringLiteral("00:01:15"));

        pause->click();
        QCOMPARE(pause->text(), QStringLiteral("&Pause"));
        QVERIFY(start->isEnabled());
        QCOMPARE(f.background("lblRoundElapsed"), kGreen);
        QCOMPARE(f.background("lblPauseElapsed"), kRed);
        QVERIFY(f.running("RoundTimer"));
        QVERIFY(!f.running("PauseTimer"));
        QCOMPARE(f.session.clock.m_pauseTournamentTotal.totalSeconds(), 75);

        // The stop question: Cancel leaves everything running, OK stops.
        f.prompt.answers = {rh::MsgAnswer::Cancel};
        start->click();
        QCOMPARE(f.prompt.countTitled("Stop Tournament"), 1);
        QCOMPARE(f.prompt.messages().back().icon, rh::MsgIcon::Exclamation);
        QCOMPARE(start->text(), QStringLiteral("&Stop"));
        QVERIFY(f.running("TourneyTimer"));
        QVERIFY(f.running("RoundTimer"));
        f.prompt.answers = {rh::MsgAnswer::Ok};
        start->click();
        QCOMPARE(f.prompt.countTitled("Stop Tournament"), 2);
        QCOMPARE(start->text(), QStringLiteral("&Start"));
        QVERIFY(!pause->isEnabled());
        QCOMPARE(f.background("lblElapsedTime"), kRed);
        for (const char* t : {"TourneyTimer", "RoundTimer", "PauseTimer", "progressTimer"})
            QVERIFY2(!f.running(t), t);
        QVERIFY(f.running("currentTimer"));
    }

    void bannerButtonStartsTheClock() {
        Fixture f;
        f.get<QPushButton>("cmdbannerStartTimer")->click();
        QVERIFY(f.get("cmdbannerStartTimer")->isHidden());
        QCOMPARE(f.get<QPushButton>("cmdTourneyStart")->text(), QStringLiteral("&Stop"));
        QVERIFY(f.running("TourneyTimer"));
    }

    void roundAdvanceUpdatesAverageFinishAndProgress() {
        Fixture f;
        rh::TournamentClock& c = f.session.clock;
        auto& t = f.session.tourney();
        t.setTotalRounds(6);
        c.SetProgressRange(6);
        f.get<QPushButton>("cmdTourneyStart")->click();
        for (int seconds : {600, 900, 1200}) {
            f.ticks(seconds, &rh::ui::ClockPresenter::RoundTick);
            // The round advance (score entry) drives the same clock object.
            c.StopRoundTimer();
            c.RecordRoundTime(t.CurrentRound(), t.TotalRounds());
            c.RTimer.Reset();
            c.ResetPauseTimer();
            t.setCurrentRound(static_cast<std::int16_t>(t.CurrentRound() + 1));
            c.StartRoundTimer();
            f.window.ChangeRound();
            c.UpdateProgressBars(false, t.CurrentRound(), t.TotalRounds());
        }
        QCOMPARE(f.text("lblAvgRound"), QStringLiteral("00:15:00"));
        QCOMPARE(f.text("lblEstFinish"), QStringLiteral("8:30 PM"));
        QVERIFY(!f.text("lblFinishTime").isEmpty());
        QCOMPARE(f.text("lblCurrentRound"), QStringLiteral(" 4"));
        QCOMPARE(f.get<QProgressBar>("progressBar")->value(), 3);
        QCOMPARE(f.get<QProgressBar>("progressBar")->maximum(), 6);
        QCOMPARE(f.text("lblProgress"), QStringLiteral("50%"));
        QVERIFY(f.running("RoundTimer"));
        f.ticks(450, &rh::ui::ClockPresenter::RoundTick);
        f.clock.ProgressTick();
        auto* bar = f.get<QProgressBar>("ProgressCurrentRnd");
        QCOMPARE(bar->maximum(), 900);
        QCOMPARE(bar->value(), 450);
    }
};

QTEST_MAIN(ClockViewTest)
#include "clock_view_test.moc"

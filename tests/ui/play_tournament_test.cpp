// Whole tournaments played through the Scores tab's controls, round by round, as a director would:
// the round-over dialog, the advance (the clock driven in its order, the recovery copy written,
// the new round on screen) and, after the last round, the Results tab.
#include "core/scripted_prompt.h"
#include "core/text.h"
#include "model_helpers.h"
#include "services/load_save.h"
#include "services/session.h"
#include "state/round.h"
#include "state/tournament_state.h"
#include "support/temp_dir.h"
#include "timing/clock.h"
#include "ui/clock_presenter.h"
#include "ui/dashboard.h"
#include "ui/main_window.h"
#include "ui/presenters.h"
#include "ui/scores_presenter.h"
#include "ui/tab_scores.h"
#include "ui/tab_timer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include <filesystem>
#include <string>
#include <vector>

using rh::ui::MainWindow;
using rh::ui::ScoresTab;

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

struct Fixture {
    rh::test::TempDir tmp; // before the session: the session takes its temporary folder then
    rh::ScriptedPrompt prompt;
    rh::Session session{prompt};
    MainWindow window{session};
    ScoresTab* tab = window.scoresTab();
    rh::ui::ScoresPresenter* presenter = nullptr;
    std::vector<std::string> hooks;

    Fixture() {
        rh::ui::installPresenters(window);
        presenter = window.findChild<rh::ui::ScoresPresenter*>();
        presenter->setHookTrace([this](const std::string& name) { hooks.push_back(name); });
    }
    bool load(const char* example) {
        const std::string path = std::string(RANKHALL_SOURCE_DIR) + "/examples/" + example;
        // What the window's after-load refresh does around the views' own refresh.
        const bool loaded = rh::loadTournament(session, path, [this] {
            window.ShowDashboard();
            session.clock.ResetForLoad(window.clockPresenter()->now());
            session.clock.SetProgressRange(session.tourney().TotalRounds());
            window.notifyTournamentLoaded();
        });
        if (!loaded)
            return false;
        prompt.clear();
        return true;
    }
    int roundOvers(bool over) const {
        int n = 0;
        for (const auto& s : prompt.shown)
            n += s.kind == "roundOver" && s.tournamentOver == over;
        return n;
    }
    std::filesystem::path recoveryFile(const char* extension) const {
        return tmp / ("Rankhall_" + session.tourney().TourneyCode() + extension);
    }
    int seatedIn(long long round) {
        int n = 0;
        for (const rh::EntrantRef& e : session.state().entrantsByName())
            n += session.state().isSeated(rh::test::rno(round), e.id);
        return n;
    }
};

// The director's choice of a score for the entrant on screen.
bool chooseScore(ScoresTab* tab, int score) {
    QComboBox* list = tab->comboPlayerScore;
    const int index = list->findText(q(rh::fmtItem(score)));
    if (!list->isEnabled() || index < 0)
        return false;
    list->setCurrentIndex(index);
    emit list->activated(index);
    return true;
}

const std::vector<std::string> kAdvance = {
    "refreshViews",    "StopRoundTimer",  "RecordRoundTime",
    "ResetRoundTimer", "ResetPauseTimer", "SaveData",
    "StartRoundTimer", "ChangeRound",     "UpdateProgressBars(false)"};

} // namespace

class PlayTournamentTest : public QObject {
    Q_OBJECT
private slots:
    void playToTheEnd_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("teams");
        QTest::newRow("16 players") << QStringLiteral("demo.qmc") << false;
        QTest::newRow("10 players, two sit out") << QStringLiteral("sitout10.qmc") << false;
        QTest::newRow("7 teams, one sits out") << QStringLiteral("teams7.qmc") << true;
    }

    void playToTheEnd() {
        QFETCH(QString, file);
        QFETCH(bool, teams);
        Fixture f;
        QVERIFY(f.load(file.toStdString().c_str()));
        rh::TournamentClock& clock = f.session.clock;
        rh::ui::ClockPresenter& clocks = *f.window.clockPresenter();
        clocks.StartStopTournament(); // the director starts the clock before the first score
        QVERIFY(clock.m_tournamentStarted);
        f.window.tabs()->setCurrentIndex(MainWindow::TabScores);
        QSignalSpy roundChanged(&f.window, &MainWindow::roundChanged);

        const int total = f.session.tourney().TotalRounds();
        const int first = f.session.tourney().CurrentRound();
        QVERIFY(first < total);
        for (int round = first; round <= total; ++round) {
            const rh::RoundNo r = rh::test::rno(round);
            QCOMPARE(f.tab->comboSelectRnd->currentText(), q(rh::fmt00(round)));
            QCOMPARE(f.tab->comboSelectRnd->count(), round);
            // Only the entrants seated in the round wait, each marked "*".
            QCOMPARE(f.tab->comboPlayerName->count(), f.seatedIn(round));
            for (int i = 0; i < f.tab->comboPlayerName->count(); ++i)
                QVERIFY(f.tab->comboPlayerName->itemText(i).startsWith(QLatin1Char('*')));
            const int ticks = 30 + round;
            for (int i = 0; i < ticks; ++i)
                clocks.RoundTick();
            if (round == first + 1) { // a pause in progress ends with the round
                clocks.PauseResume();
                QVERIFY(clocks.PauseTimer()->isActive());
                clocks.PauseTick();
            }

            const bool last = round == total;
            const int oversBefore = f.roundOvers(last);
            int choices = 0;
            while (f.roundOvers(last) == oversBefore) {
                QVERIFY2(f.tab->comboPlayerName->count() > 0, "the round ended without a dialog");
                const std::string id =
                    f.tab->comboPlayerName->currentData().toString().toStdString();
                f.hooks.clear();
                QVERIFY(chooseScore(f.tab, (std::stoi(id) * 7 + round) % 11));
                QVERIFY(f.session.state().hasScore(r, rh::test::eid(id)));
                ++choices;
                if (f.roundOvers(last) == oversBefore)
                    QCOMPARE(f.hooks, std::vector<std::string>{"refreshViews"});
            }
            // Progressive partners share a score: one choice per partnership.
            QCOMPARE(choices, teams ? f.seatedIn(round) : f.seatedIn(round) / 2);
            QVERIFY(rh::isRoundComplete(f.session.state(), r));
            if (last)
                QCOMPARE(f.roundOvers(false), total - first);
            else
                QCOMPARE(f.roundOvers(true), 0);

            if (!last) {
                QCOMPARE(f.hooks, kAdvance);
                QCOMPARE(f.session.tourney().CurrentRound(), round + 1);
                QCOMPARE(roundChanged.count(), round - first + 1);
                // The round's time was recorded before its clock was reset and started again.
                QCOMPARE(clock.m_roundTimes.at(static_cast<std::size_t>(round - 1)),
                         static_cast<std::int64_t>(ticks));
                QCOMPARE(clock.RTimer.totalSeconds(), 0);
                QVERIFY(clocks.RoundTimer()->isActive());
                QVERIFY(!clocks.PauseTimer()->isActive());
                QCOMPARE(f.window.timerTab()->lblRoundElapsed->text(), QStringLiteral("00:00:00"));
                QCOMPARE(f.window.timerTab()->cmdPause->text(), QStringLiteral("&Pause"));
                QCOMPARE(f.window.strCurrentRound(), " " + std::to_string(round + 1));
                QCOMPARE(f.window.dashboard()->progressBar->value(), round);

                // The recovery copy holds the tournament at its new round; no temporary left.
                QVERIFY(std::filesystem::exists(f.recoveryFile(".RCV")));
                QVERIFY(!std::filesystem::exists(f.recoveryFile(".TMP")));
                rh::ScriptedPrompt quiet;
                rh::Session copy(quiet);
                QVERIFY(rh::LoadXMLDocument(copy, f.recoveryFile(".RCV").string()));
                QCOMPARE(copy.tourney().CurrentRound(), round + 1);
                QVERIFY(rh::isRoundComplete(copy.state(), r));
                // The Scores tab is back, on the new round.
                QCOMPARE(f.window.tabs()->currentIndex(), int(MainWindow::TabScores));
            }
        }

        // The last round ends the tournament: the Results tab, the bar full, the round kept.
        QCOMPARE(f.roundOvers(true), 1);
        QCOMPARE(f.hooks, (std::vector<std::string>{"refreshViews", "ShowResultsTab",
                                                    "UpdateProgressBars(true)"}));
        QCOMPARE(f.window.tabs()->currentIndex(), int(MainWindow::TabResults));
        QCOMPARE(f.session.tourney().CurrentRound(), total);
        QCOMPARE(f.window.dashboard()->lblProgress->text(), QStringLiteral("100%"));
        QVERIFY(clock.m_tournamentStarted); // the clocks run on until the director stops them
        QVERIFY(clocks.TourneyTimer()->isActive());

        // Any later score shows "THE TOURNAMENT IS OVER" again and the results once more.
        f.window.tabs()->setCurrentIndex(MainWindow::TabScores);
        f.tab->checkAll->click();
        QVERIFY(chooseScore(f.tab, 10));
        QCOMPARE(f.roundOvers(true), 2);
        QCOMPARE(f.window.tabs()->currentIndex(), int(MainWindow::TabResults));
        QCOMPARE(f.session.tourney().CurrentRound(), total);
    }

    void anEarlierRoundAdvancesNothing() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        f.window.tabs()->setCurrentIndex(MainWindow::TabScores);
        QVERIFY(rh::isRoundComplete(f.session.state(), rh::test::rno(1)));
        // Changing a score of round 1 leaves round 4 open.
        f.prompt.conflictTakesPlayer = {true};
        QComboBox* rounds = f.tab->comboSelectRnd;
        rounds->setCurrentIndex(0);
        emit rounds->activated(0);
        QVERIFY(chooseScore(f.tab, 3));
        QCOMPARE(f.roundOvers(false), 0);
        QCOMPARE(f.session.tourney().CurrentRound(), 4);
        QVERIFY(!std::filesystem::exists(f.recoveryFile(".RCV")));
    }
};

QTEST_MAIN(PlayTournamentTest)
#include "play_tournament_test.moc"

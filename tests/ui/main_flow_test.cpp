// The window's main flow, driven as the director drives it: Load (dialog or command line), the
// discard question, the recovery question, the after-load refresh on the dashboard, a failed or
// cancelled load, Save and Exit, the live HTML page after a score and on its tick, and "Dual
// Monitor". Also the plain-text standings printed where no window can open.
#include "core/scripted_prompt.h"
#include "core/text.h"
#include "model_helpers.h"
#include "money/jackpot.h"
#include "persistence/tournament_writer.h"
#include "publishing/html.h"
#include "services/load_save.h"
#include "services/session.h"
#include "services/standings_page.h"
#include "standings/leader_rows.h"
#include "state/tournament_state.h"
#include "support/generator.h"
#include "support/temp_dir.h"
#include "ui/dashboard.h"
#include "ui/grid_model.h"
#include "ui/main_flow.h"
#include "ui/main_window.h"
#include "ui/presenters.h"
#include "ui/tab_leaders.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include <filesystem>
#include <functional>

using rh::ui::MainWindow;
namespace fs = std::filesystem;

namespace {

std::string example(const char* name) {
    return std::string(RANKHALL_SOURCE_DIR) + "/examples/" + name;
}

/// A window with every presenter, over a session whose temporary folder is the test's own.
struct Fixture {
    rh::test::TempDir dir; // first: the session reads TMPDIR when it is made
    rh::ScriptedPrompt prompt;
    rh::Session session{prompt};
    MainWindow window{session};
    QList<QUrl> opened;

    Fixture() {
        rh::ui::installPresenters(window);
        window.setUrlOpener([this](const QUrl& url) { opened << url; });
    }

    rh::ui::MainFlow& flow() { return *window.findChild<rh::ui::MainFlow*>(); }
    template <class T = QWidget> T* child(const char* name) {
        return window.findChild<T*>(QString::fromUtf8(name));
    }
    QString text(const char* label) { return child<QLabel>(label)->text(); }

    /// "&Load" with the file chosen in the open dialog ("" = cancel).
    void clickLoad(const std::string& file) {
        prompt.openFiles.push_back(file);
        child<QPushButton>("cmdLoad")->click();
    }
    /// A copy of an example in the test's folder, under the given name.
    std::string copyOf(const char* exampleName, const std::string& as) {
        const fs::path target = dir / as;
        fs::copy_file(example(exampleName), target, fs::copy_options::overwrite_existing);
        return target.string();
    }
    fs::path htmlPage() const { return fs::path(rh::standingsPagePath(session)); }
    int rowsOf(const char* grid) { return child<QTreeView>(grid)->model()->rowCount(); }
    int countShown(const std::string& kind) const {
        int n = 0;
        for (const auto& s : prompt.shown)
            n += s.kind == kind;
        return n;
    }
};

} // namespace

class MainFlowTest : public QObject {
    Q_OBJECT
private slots:
    void loadThroughTheLoadButtonFillsTheDashboard() {
        Fixture f;
        QSignalSpy loaded(&f.window, &MainWindow::tournamentLoaded);
        f.clickLoad(example("demo.qmc"));

        QCOMPARE(f.prompt.shown.front().kind, std::string("open"));
        QCOMPARE(f.prompt.shown.front().file.filter, std::string("Quillmark Files (*.QMC) |*.qmc"));
        QCOMPARE(f.prompt.countTitled("File Load"), 1);
        QCOMPARE(f.prompt.countTitled("Exit"), 0); // nothing was in progress
        QCOMPARE(loaded.count(), 1);

        QCOMPARE(f.text("lblCode"), QStringLiteral("DEMO16"));
        QCOMPARE(f.text("lblTourneyTitle"), QStringLiteral("Friday Night Euchre"));
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Friday Night Euchre"));
        QCOMPARE(f.text("lblTotalRounds"), QStringLiteral("8"));
        QCOMPARE(f.text("lblTotalPlayers"), QStringLiteral("16"));
        QCOMPARE(f.text("lblDashboardPlort"), QStringLiteral("Total Players:"));
        QCOMPARE(f.text("lblCurrentRound"), QStringLiteral(" 4"));
        QCOMPARE(f.child<QGroupBox>("frmTournament")->title(),
                 QStringLiteral("Progressive Tournament"));
        QCOMPARE(f.child<QLineEdit>("txtJackpotTitle")->text(), QStringLiteral("Bump Jackpot"));
        // Fines of the demo: 8 bumps at $0.25 and one wood at $0.50.
        QCOMPARE(f.text("lblJackPot"), QStringLiteral("$2.50"));

        // Rounds 1 to 3 are done: 3 of 8 on the game progress bar.
        auto* bar = f.child<QProgressBar>("progressBar");
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 8);
        QCOMPARE(bar->value(), 3);
        QCOMPARE(f.text("lblProgress"), QStringLiteral("37%"));

        QVERIFY(f.session.isLoaded());
        QVERIFY(f.session.viewsFilled());
        QVERIFY(f.session.isSettled());
        QVERIFY(!f.session.isSaved());
        QCOMPARE(f.session.htmlFileName(), std::string("QuillmarkDEMO16.html"));
        // The payout object is live: $10 from each of 16 players, nothing spent.
        QVERIFY(f.session.payout.PayoutsEnabled());
        QVERIFY(f.session.payout.controlsEnabled());
        QCOMPARE(f.session.payout.netPayoutText(), std::string("$160.00"));
        QCOMPARE(f.session.payout.rows().size(), std::size_t{3});
        // The demo has four players for every table: nobody sits out.
        QVERIFY(f.child("frmSittingOut")->isHidden());
        QCOMPARE(f.rowsOf("lvLeaderView"), 16);
    }

    void loadWhileLoadedAsksBeforeDiscarding() {
        Fixture f;
        f.clickLoad(example("demo.qmc"));
        const auto before = f.session.sharedState();
        f.prompt.clear();
        // Unchanged, the tournament is given up without a question.
        f.clickLoad("");
        QCOMPARE(f.prompt.countTitled("Exit"), 0);
        QCOMPARE(f.countShown("open"), 1);
        f.session.state().setScore(rh::test::rno(4), rh::test::eid(1), 7);
        f.prompt.clear();

        // Changed: Cancel resets nothing, shows no dialog, keeps the flags.
        f.prompt.answers = {rh::MsgAnswer::Cancel};
        f.clickLoad(example("teams7.qmc"));
        QCOMPARE(f.prompt.shown.size(), std::size_t{1});
        const rh::Message question = f.prompt.messages().front();
        QCOMPARE(question.title, std::string("Exit"));
        QCOMPARE(question.text, rh::exitQuestionText());
        QCOMPARE(question.icon, rh::MsgIcon::Exclamation);
        QCOMPARE(question.buttons, rh::MsgButtons::OkCancel);
        QCOMPARE(f.session.sharedState(), before);
        QCOMPARE(f.text("lblCode"), QStringLiteral("DEMO16"));
        QVERIFY(f.session.isSettled());
        QVERIFY(f.session.isLoaded());
        f.prompt.openFiles.clear();

        // OK: the new tournament replaces the old one.
        f.prompt.clear();
        f.prompt.answers = {rh::MsgAnswer::Ok};
        f.clickLoad(example("teams7.qmc"));
        QCOMPARE(f.countShown("open"), 1);
        QVERIFY(f.session.sharedState() != before);
        QCOMPARE(f.text("lblCode"), QStringLiteral("TEAM7"));
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Club Team Night"));
    }

    void aCancelledOrFailedLoadChangesNothing() {
        Fixture f;
        f.clickLoad(example("demo.qmc"));
        f.window.tabs()->setCurrentIndex(MainWindow::TabLeaders);
        const auto stateBefore = f.session.sharedState();
        const QString leaderBefore =
            f.child<QTreeView>("lvLeaderView")->model()->index(0, 0).data().toString();
        rh::test::writeFile(f.dir / "broken.qmc", "<?xml version='1.0'?><Tournament>");
        QSignalSpy reset(&f.window, &MainWindow::tournamentReset);
        QSignalSpy loaded(&f.window, &MainWindow::tournamentLoaded);
        for (const std::string& file :
             {std::string(), (f.dir / "gone.QMC").string(), (f.dir / "broken.qmc").string()}) {
            f.prompt.clear();
            f.clickLoad(file); // the discard question, if asked, is answered OK
            QCOMPARE(f.session.sharedState(), stateBefore);
            QVERIFY(f.session.isLoaded());
            QVERIFY(f.session.viewsFilled());
            QVERIFY(f.session.isSettled());
            QCOMPARE(f.text("lblCode"), QStringLiteral("DEMO16"));
            QCOMPARE(f.window.windowTitle(), QStringLiteral("Friday Night Euchre"));
            QCOMPARE(f.text("lblJackPot"), QStringLiteral("$2.50"));
            QCOMPARE(f.text("lblCurrentRound"), QStringLiteral(" 4"));
            QCOMPARE(f.rowsOf("lvLeaderView"), 16);
            QCOMPARE(f.child<QTreeView>("lvLeaderView")->model()->index(0, 0).data().toString(),
                     leaderBefore);
            QVERIFY(f.child<QComboBox>("cbEntryFee")->currentIndex() > 0);
        }
        QCOMPARE(f.prompt.countTitled("Rankhall"), 1); // the last file's parse report
        QCOMPARE(reset.count(), 0);
        QCOMPARE(loaded.count(), 0);
    }

    void theRecoveryCopyIsOfferedAndTakenOnYes() {
        for (const bool takeRecovery : {true, false}) {
            Fixture f;
            // A recovery copy under the demo's code, holding another tournament.
            fs::copy_file(example("teams7.qmc"), f.dir / "Rankhall_DEMO16.RCV");
            f.prompt.answers = {takeRecovery ? rh::MsgAnswer::Yes : rh::MsgAnswer::No};
            f.clickLoad(example("demo.qmc"));
            QCOMPARE(f.prompt.countTitled("Recovery File Detected"), 1);
            const rh::Message q = f.prompt.messages().front();
            QCOMPARE(q.text, rh::recoveryQuestionText());
            QCOMPARE(q.buttons, rh::MsgButtons::YesNo);
            QCOMPARE(f.text("lblCode"),
                     takeRecovery ? QStringLiteral("TEAM7") : QStringLiteral("DEMO16"));
            // Loading never removes the recovery copy.
            QVERIFY(fs::exists(f.dir / "Rankhall_DEMO16.RCV"));
        }
    }

    void saveMarksTheTournamentSavedAndExitAsksNothing() {
        Fixture f;
        const std::string loadedFrom = f.copyOf("demo.qmc", "club.qmc");
        f.clickLoad(loadedFrom);
        rh::test::writeFile(f.dir / "Rankhall_DEMO16.RCV", "old");
        f.prompt.clear();

        // Cancel in the save dialog: no message, nothing written, still unsaved.
        f.child<QPushButton>("cmdSave")->click();
        QCOMPARE(f.prompt.shown.size(), std::size_t{1});
        QCOMPARE(f.prompt.shown.front().file.initialPath, loadedFrom);
        QCOMPARE(f.prompt.shown.front().file.title, std::string("Save Tournament"));
        QVERIFY(!f.session.isSaved());

        const std::string target = (f.dir / "saved.QMC").string();
        f.prompt.saveFiles = {target};
        f.child<QPushButton>("cmdSave")->click();
        QVERIFY(fs::exists(target));
        QCOMPARE(f.prompt.messages().back().text, std::string("Data file saved successfully"));
        QVERIFY(f.session.isSaved());
        QVERIFY(!fs::exists(f.dir / "Rankhall_DEMO16.RCV"));

        // The saved file is the same tournament.
        rh::ScriptedPrompt quiet;
        rh::Session again(quiet);
        QVERIFY(rh::ResetAndLoad(again, target));
        QCOMPARE(rh::test::dumpTournament(again.state()),
                 rh::test::dumpTournament(f.session.state()));

        // The dialog now offers its own file; exit asks nothing until the next change.
        f.prompt.clear();
        f.child<QPushButton>("cmdSave")->click();
        QCOMPARE(f.prompt.shown.front().file.initialPath, target);
        f.window.show();
        f.prompt.clear();
        f.prompt.answers = {rh::MsgAnswer::Cancel};
        f.session.state().setScore(rh::test::rno(4), rh::test::eid(1), 7);
        f.window.notifyScoreStored();
        QVERIFY(!f.window.close());
        QCOMPARE(f.prompt.countTitled("Exit"), 1);
        f.session.state().setScore(rh::test::rno(4), rh::test::eid(1),
                                   std::nullopt); // taken back: nothing to lose
        QVERIFY(f.window.close());
    }

    void saveAndMoneyControlsWaitForATournament() {
        Fixture f;
        const char* controls[] = {"cmdSave",    "cmdSetAll", "cmdClearAll", "cbEntryFee",
                                  "txtExpense", "cbBumpFee", "cbWoodFee"};
        for (const char* name : controls)
            QVERIFY2(!f.child(name)->isEnabled(), name);
        // Neither the button nor the service writes the empty tournament.
        f.child<QPushButton>("cmdSave")->click();
        QVERIFY(!rh::cmdSave(f.session));
        QVERIFY(!rh::SaveTournament(f.session, (f.dir / "empty.qmc").string()));
        QVERIFY(f.prompt.shown.empty());
        QVERIFY(!fs::exists(f.dir / "empty.qmc"));
        f.clickLoad(example("demo.qmc"));
        for (const char* name : controls)
            QVERIFY2(f.child(name)->isEnabled(), name);
    }

    void exitAsksWhileTheLoadedTournamentIsUnsaved() {
        Fixture f;
        f.clickLoad(example("demo.qmc"));
        f.window.show();
        f.prompt.clear();
        // Starting the clock is a change too.
        f.child<QPushButton>("cmdbannerStartTimer")->click();
        f.prompt.answers = {rh::MsgAnswer::Cancel};
        QVERIFY(!f.window.close());
        QVERIFY(f.window.isVisible());
        QCOMPARE(f.prompt.countTitled("Exit"), 1);
        QVERIFY(f.session.isLoaded());
        f.prompt.answers = {rh::MsgAnswer::Discard};
        QVERIFY(f.window.close());
    }

    void theCommandLineLoadsOnlyAnExistingQmcFile() {
        Fixture f;
        const std::string upper = f.copyOf("teams7.qmc", "night.QMC");
        const std::string lower = f.copyOf("demo.qmc", "demo.qmc");
        const std::string other = f.copyOf("demo.qmc", "demo.xml");
        fs::create_directory(f.dir / "folder.qmc");
        for (const std::string& ignored :
             {other, (f.dir / "folder.qmc").string(), (f.dir / "missing.qmc").string()}) {
            f.window.setStartupFile(QString::fromStdString(ignored));
            QVERIFY(!f.window.LoadStartupFile());
            QVERIFY(f.prompt.shown.empty());
            QVERIFY(!f.session.isLoaded());
        }
        f.window.setStartupFile(QString::fromStdString(upper));
        QVERIFY(f.window.LoadStartupFile());
        QCOMPARE(f.countShown("open"), 0); // a path needs no dialog
        QCOMPARE(f.text("lblCode"), QStringLiteral("TEAM7"));

        // A second start-up file is a load like any other: it asks first when work would be lost.
        f.session.tourney().setExpenses(3);
        f.prompt.clear();
        f.window.setStartupFile(QString::fromStdString(lower));
        QVERIFY(f.window.LoadStartupFile());
        QCOMPARE(f.prompt.countTitled("Exit"), 1);
        QCOMPARE(f.text("lblCode"), QStringLiteral("DEMO16"));
    }

    void thePageFollowsEveryScoreAndTheTick() {
        Fixture f;
        QVERIFY(!f.flow().publishStandingsPage()); // nothing loaded: nothing written
        f.clickLoad(example("demo.qmc"));
        const fs::path page = f.htmlPage();
        QCOMPARE(page.parent_path(), f.dir.path());
        QCOMPARE(page.filename().string(), std::string("QuillmarkDEMO16.html"));
        QVERIFY(!fs::exists(page));

        // A score stored while the Load tab shows: the page asks for a reload every 15 s.
        rh::TournamentState& s = f.session.state();
        s.setScore(rh::test::rno(4), rh::test::eid(12), 9); // Lou Lopez
        s.entrantRecord(rh::test::eid(12)).bumps = 2;
        f.window.notifyScoreStored();
        QVERIFY(fs::exists(page));
        std::string html = rh::test::readFile(page);
        QVERIFY(html.find("CONTENT=\"15\"") != std::string::npos);
        QVERIFY(html.find("\">Lou Lopez</td>") != std::string::npos); // no longer waiting
        QCOMPARE(f.text("lblJackPot"), QStringLiteral("$3.00"));

        // On the Scores tab the tick runs and the page asks for a reload every second.
        f.window.tabs()->setCurrentIndex(MainWindow::TabScores);
        QVERIFY(f.window.htmlTimer()->isActive());
        s.setScore(rh::test::rno(4), rh::test::eid(13), 5);
        f.window.notifyScoreStored();
        html = rh::test::readFile(page);
        QVERIFY(html.find("CONTENT=\"1\"") != std::string::npos);

        // The tick rewrites the page; on the Leaders tab outside score entry it then stops.
        fs::remove(page);
        emit f.window.htmlRefreshDue();
        QVERIFY(fs::exists(page));
        QVERIFY(f.window.htmlTimer()->isActive());
        f.window.tabs()->setCurrentIndex(MainWindow::TabLeaders);
        f.window.htmlTimerState(true);
        emit f.window.htmlRefreshDue();
        QVERIFY(!f.window.htmlTimer()->isActive());
    }

    void finesAndFeesReachTheStandingsTheJackpotAndThePageAtOnce() {
        Fixture f;
        f.clickLoad(example("demo.qmc"));
        f.window.tabs()->setCurrentIndex(MainWindow::TabScores);
        auto* name = f.child<QComboBox>("comboPlayerName");
        QVERIFY(name->currentIndex() >= 0);
        const QString id = name->currentData().toString();
        auto* leaders = f.window.findChild<rh::ui::GridModel*>(QStringLiteral("leaderModel"));
        auto cell = [&](std::size_t column) {
            for (int r = 0; r < leaders->rowCount(); ++r)
                if (leaders->tag(r) == id)
                    return leaders->index(r, int(column)).data().toString();
            return QString();
        };
        auto choose = [&](const char* list, int index) {
            auto* combo = f.child<QComboBox>(list);
            combo->setCurrentIndex(index);
            emit combo->activated(index);
        };
        struct Case {
            const char* what;
            std::function<void()> change;
            std::size_t column; // the standings cell that follows
            bool jackpot;       // the dashboard jackpot follows too
        };
        const Case cases[] = {
            {"lones", [&] { choose("comboPlayerLones", 1); }, rh::kColLone, false},
            {"bumps", [&] { choose("comboPlayerBumps", 3); }, rh::kColBumps, true},
            {"woods", [&] { choose("comboPlayerWoods", 2); }, rh::kColWoods, true},
            {"paid", [&] { f.child<QAbstractButton>("checkPaid")->click(); }, rh::kColPaid, false},
            {"bump fee", [&] { f.child<QComboBox>("cbBumpFee")->setCurrentIndex(9); },
             rh::kColTotalDue, true},
            {"wood fee", [&] { f.child<QComboBox>("cbWoodFee")->setCurrentIndex(20); },
             rh::kColTotalDue, true},
        };
        for (const Case& c : cases) {
            const QString before = cell(c.column);
            const QString jackpot = f.text("lblJackPot");
            fs::remove(f.htmlPage());
            c.change();
            QVERIFY2(cell(c.column) != before, c.what);
            QVERIFY2((f.text("lblJackPot") != jackpot) == c.jackpot, c.what);
            QVERIFY2(fs::exists(f.htmlPage()), c.what);
        }
        // A new entry fee: the payouts of the standings and the page follow.
        const QString payout = leaders->index(0, int(rh::kColPayout)).data().toString();
        fs::remove(f.htmlPage());
        f.child<QComboBox>("cbEntryFee")->setCurrentIndex(20);
        QVERIFY(leaders->index(0, int(rh::kColPayout)).data().toString() != payout);
        QVERIFY(fs::exists(f.htmlPage()));
    }

    void dualMonitorOpensThePageAndStartsTheTick() {
        Fixture f;
        f.child<QPushButton>("cmdBrowser")->click();
        QVERIFY(f.opened.isEmpty()); // nothing loaded: nothing happens
        QVERIFY(f.prompt.shown.empty());
        QVERIFY(!f.window.htmlTimer()->isActive());

        f.clickLoad(example("demo.qmc"));
        f.prompt.clear();
        f.child<QPushButton>("cmdBrowser")->click();
        QVERIFY(fs::exists(f.htmlPage()));
        QCOMPARE(f.opened,
                 QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(f.htmlPage().string()))});
        QVERIFY(f.window.htmlTimer()->isActive());
        QVERIFY(f.prompt.shown.empty());

        // A page that cannot be written: the write error, then the missing file, and no browser.
        f.window.htmlTimerState(false);
        fs::remove(f.htmlPage());
        f.session.setTempDir((f.dir / "no such folder").string());
        f.opened.clear();
        f.child<QPushButton>("cmdBrowser")->click();
        QVERIFY(f.opened.isEmpty());
        QCOMPARE(f.prompt.countTitled("SaveHTMLFile"), 1);
        const rh::Message missing = f.prompt.messages().back();
        QCOMPARE(missing.title, std::string("Rankhall"));
        QCOMPARE(missing.text, std::string("File doesn't exist: QuillmarkDEMO16.html"));
        QVERIFY(f.window.htmlTimer()->isActive());
    }

    void aTeamTournamentShowsTeamCaptionsAndWhoSitsOut() {
        Fixture f;
        f.clickLoad(example("teams7.qmc"));
        QCOMPARE(f.text("lblDashboardPlort"), QStringLiteral("Total Teams:"));
        QCOMPARE(f.text("lblTotalPlayers"), QStringLiteral("7"));
        QCOMPARE(f.child<QGroupBox>("frmTournament")->title(), QStringLiteral("Team Tournament"));
        auto* grid = f.child<QTreeView>("lvLeaderView");
        QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(),
                 QStringLiteral("Team Name"));
        QCOMPARE(grid->model()->rowCount(), 7);
        // Seven teams: one sits out each round; the frame names it.
        QVERIFY(!f.child("frmSittingOut")->isHidden());
        const QString sitting = f.text("lblSittingOut1");
        QCOMPARE(sitting, QStringLiteral("Edna & Fay"));
    }

    void standingsAsTextFollowTheGrid() {
        Fixture f;
        f.clickLoad(example("demo.qmc"));
        const QStringList lines =
            QString::fromStdString(rh::ui::standingsText(f.session)).split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 16 + 3); // heading, rule, 16 rows, and the end of the last line
        QVERIFY(lines[0].startsWith(QStringLiteral("Player Name")));
        QVERIFY(lines[0].endsWith(QStringLiteral("Woods")));
        auto* model = f.child<QTreeView>("lvLeaderView")->model();
        for (int r = 0; r < 16; ++r) {
            const QString line = lines[r + 2];
            QVERIFY2(line.startsWith(model->index(r, 0).data().toString()), qPrintable(line));
            QVERIFY(line.contains(model->index(r, 2).data().toString())); // payout
        }
    }
};

QTEST_MAIN(MainFlowTest)
#include "main_flow_test.moc"

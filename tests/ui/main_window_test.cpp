// The main window and its main flow, driven as the director drives them: Load (dialog or command
// line) and the after-load dashboard, the discard question, the recovery question, a failed or
// cancelled load, Save and the exit guard, the controls that wait for a tournament, the live
// HTML and wall pages, "Dual Monitor", sharing and exporting, the journal, the clock, the hidden
// tools, links, and the prompt's Qt side (message boxes, file dialogs, the splash).
#include "core/text.h"
#include "money/jackpot.h"
#include "persistence/journal.h"
#include "services/load_save.h"
#include "services/restore.h"
#include "services/standings_page.h"
#include "services/wall_input.h"
#include "standings/leader_rows.h"
#include "ui/dashboard/dashboard.h"
#include "ui/dialogs/dialogs.h"
#include "ui/money/tab_money.h"
#include "ui/results/tab_results.h"
#include "ui/room/room_presenter.h"
#include "ui/scores/tab_scores.h"
#include "ui/shell/qt_prompt.h"
#include "ui/shell/splash.h"
#include "ui/shell/visuals.h"
#include "ui/timer/clock_presenter.h"
#include "ui/timer/tab_timer.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPainter>
#include <QProgressBar>
#include <QTimer>
#include <QUrlQuery>

#include <functional>

using rh::Change;
using rh::MsgAnswer;
using rh::test::example;
using rh::test::WindowFixture;
using rh::ui::MainWindow;
namespace fs = std::filesystem;

namespace {

const QColor kGreen(180, 255, 180);
const QColor kRed(255, 180, 180);

fs::path htmlPage(const rh::Session& session) {
    return rh::standingsPagePath(session);
}
std::string lastMessage(const rh::ScriptedPrompt& prompt) {
    const auto messages = prompt.messages();
    return messages.empty() ? std::string() : messages.back().text;
}
int countShown(const rh::ScriptedPrompt& prompt, const std::string& kind) {
    return int(std::count_if(prompt.shown.begin(), prompt.shown.end(),
                             [&](const auto& s) { return s.kind == kind; }));
}

/// GET http://127.0.0.1:port/ with the event loop running (the server lives on this thread).
QByteArray fetch(quint16 port, QNetworkReply::NetworkError* error) {
    QNetworkAccessManager net;
    QNetworkReply* reply =
        net.get(QNetworkRequest(QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port))));
    QSignalSpy done(reply, &QNetworkReply::finished);
    if (!done.wait(5000))
        return "(no answer)";
    *error = reply->error();
    const QByteArray body = reply->readAll();
    reply->deleteLater();
    return body;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void loadFillsTheDashboard_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("entrants");
        QTest::addColumn<QString>("sittingOut");
        QTest::newRow("progressive") << "demo.qmc"
                                     << "DEMO16"
                                     << "Friday Night Euchre"
                                     << "Progressive Tournament"
                                     << "Total Players: 16"
                                     << "";
        QTest::newRow("team") << "teams7.qmc"
                              << "TEAM7"
                              << "Club Team Night"
                              << "Team Tournament"
                              << "Total Teams: 7"
                              << "Edna & Fay";
    }
    void loadFillsTheDashboard() {
        QFETCH(QString, file);
        QFETCH(QString, code);
        QFETCH(QString, title);
        QFETCH(QString, kind);
        QFETCH(QString, entrants);
        QFETCH(QString, sittingOut);
        WindowFixture f;
        QSignalSpy loaded(&f.window, &MainWindow::tournamentLoaded);
        f.clickLoad(example(file.toStdString().c_str()));
        QCOMPARE(f.prompt.shown.front().kind, std::string("open"));
        QCOMPARE(f.prompt.countTitled("File Load"), 1);
        QCOMPARE(f.prompt.countTitled("Exit"), 0); // nothing was in progress
        QCOMPARE(loaded.count(), 1);
        QCOMPARE(f.text("lblCode"), code);
        QCOMPARE(f.text("lblTourneyTitle"), title);
        QCOMPARE(f.window.windowTitle(), title);
        QCOMPARE(f.child<QGroupBox>("frmTournament")->title(), kind);
        QCOMPARE(f.text("lblDashboardPlort") + QLatin1Char(' ') + f.text("lblTotalPlayers"),
                 entrants);
        QCOMPARE(f.child("frmSittingOut")->isHidden(), sittingOut.isEmpty());
        if (!sittingOut.isEmpty())
            QCOMPARE(f.text("lblSittingOut1"), sittingOut);
        QCOMPARE(f.child<QTreeView>("lvLeaderView")->model()->rowCount(),
                 f.session.tourney().TotalPlort());
        QVERIFY(f.session.isLoaded() && f.session.viewsFilled() && f.session.isSettled());
        QVERIFY(!f.session.isSaved());
        if (code != QStringLiteral("DEMO16"))
            return;
        QCOMPARE(f.text("lblTotalRounds"), QStringLiteral("8"));
        QCOMPARE(f.text("lblCurrentRound"), QStringLiteral(" 4"));
        QCOMPARE(f.child<QLineEdit>("txtJackpotTitle")->text(), QStringLiteral("Bump Jackpot"));
        // Fines of the demo: 8 bumps at $0.25 and one wood at $0.50.
        QCOMPARE(f.text("lblJackPot"), QStringLiteral("$2.50"));
        // Rounds 1 to 3 are done: 3 of 8 on the game progress bar.
        QCOMPARE(f.child<QProgressBar>("progressBar")->value(), 3);
        QCOMPARE(f.child<QProgressBar>("progressBar")->maximum(), 8);
        QCOMPARE(f.text("lblProgress"), QStringLiteral("37%"));
        // The payout object is live: $10 from each of 16 players, nothing spent.
        QVERIFY(f.session.payout().PayoutsEnabled());
        QCOMPARE(f.session.payout().netPayoutText(), std::string("$160.00"));
    }

    void loadWhileLoadedAsksBeforeDiscarding() {
        WindowFixture f;
        QVERIFY(f.load("demo.qmc"));
        const auto before = f.session.sharedState();
        // Unchanged, the tournament is given up without a question.
        f.clickLoad("");
        QCOMPARE(f.prompt.countTitled("Exit"), 0);
        QCOMPARE(countShown(f.prompt, "open"), 1);
        f.store(Change::score(4, "01", "07"));
        f.prompt.clear();

        // Changed: Cancel resets nothing, shows no dialog, keeps the flags.
        f.prompt.answers = {MsgAnswer::Cancel};
        f.clickLoad(example("teams7.qmc"));
        QCOMPARE(f.prompt.shown.size(), std::size_t{1});
        const rh::Message question = f.prompt.messages().front();
        QCOMPARE(question.title, std::string("Exit"));
        QCOMPARE(question.buttons, rh::MsgButtons::OkCancel);
        QCOMPARE(f.session.sharedState(), before);
        QCOMPARE(f.text("lblCode"), QStringLiteral("DEMO16"));
        QVERIFY(f.session.isSettled() && f.session.isLoaded());
        f.prompt.openFiles.clear();

        // OK: the new tournament replaces the old one.
        f.prompt.clear();
        f.prompt.answers = {MsgAnswer::Ok};
        f.clickLoad(example("teams7.qmc"));
        QCOMPARE(countShown(f.prompt, "open"), 1);
        QCOMPARE(f.text("lblCode"), QStringLiteral("TEAM7"));
    }

    void aCancelledOrFailedLoadChangesNothing() {
        WindowFixture f;
        QVERIFY(f.load("demo.qmc"));
        f.window.tabs()->setCurrentIndex(MainWindow::TabLeaders);
        const auto stateBefore = f.session.sharedState();
        auto* leaders = f.child<QTreeView>("lvLeaderView")->model();
        const QString leaderBefore = leaders->index(0, 0).data().toString();
        rh::test::writeFile(f.dir / "broken.qmc", "<?xml version='1.0'?><Tournament>");
        QSignalSpy reset(&f.window, &MainWindow::tournamentReset);
        QSignalSpy loaded(&f.window, &MainWindow::tournamentLoaded);
        for (const std::string& file :
             {std::string(), (f.dir / "gone.QMC").string(), (f.dir / "broken.qmc").string()}) {
            f.prompt.clear();
            f.clickLoad(file);
            QCOMPARE(f.session.sharedState(), stateBefore);
            QVERIFY(f.session.isLoaded() && f.session.viewsFilled() && f.session.isSettled());
            QCOMPARE(f.text("lblCode"), QStringLiteral("DEMO16"));
            QCOMPARE(f.text("lblJackPot"), QStringLiteral("$2.50"));
            QCOMPARE(leaders->index(0, 0).data().toString(), leaderBefore);
            QVERIFY(f.child<QComboBox>("cbEntryFee")->currentIndex() > 0);
        }
        QCOMPARE(f.prompt.countTitled("Rankhall"), 1); // the last file's parse report
        QCOMPARE(reset.count(), 0);
        QCOMPARE(loaded.count(), 0);
    }

    void theRecoveryCopyIsOfferedAndTakenOnYes_data() {
        QTest::addColumn<bool>("take");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }
    void theRecoveryCopyIsOfferedAndTakenOnYes() {
        QFETCH(bool, take);
        WindowFixture f;
        // A recovery copy under the demo's code, holding another tournament.
        fs::copy_file(example("teams7.qmc"), privateFolder(f.dir) / "Rankhall_DEMO16.RCV");
        f.prompt.answers = {take ? MsgAnswer::Yes : MsgAnswer::No};
        f.clickLoad(example("demo.qmc"));
        QCOMPARE(f.prompt.countTitled("Recovery File Detected"), 1);
        QCOMPARE(f.prompt.messages().front().buttons, rh::MsgButtons::YesNo);
        QCOMPARE(f.text("lblCode"), take ? QStringLiteral("TEAM7") : QStringLiteral("DEMO16"));
        QVERIFY(
            fs::exists(privateFolder(f.dir) / "Rankhall_DEMO16.RCV")); // loading never removes it
    }

    void saveMarksTheTournamentSaved() {
        WindowFixture f;
        const fs::path loadedFrom = f.dir / "club.qmc";
        fs::copy_file(example("demo.qmc"), loadedFrom);
        f.clickLoad(loadedFrom.string());
        rh::test::writeFile(privateFolder(f.dir) / "Rankhall_DEMO16.RCV", "old");
        f.prompt.clear();

        // Cancel in the save dialog: no message, nothing written, still unsaved.
        f.child<QPushButton>("cmdSave")->click();
        QCOMPARE(f.prompt.shown.size(), std::size_t{1});
        QCOMPARE(f.prompt.shown.front().file.initialPath, loadedFrom.string());
        QVERIFY(!f.session.isSaved());

        const std::string target = (f.dir / "saved.QMC").string();
        f.prompt.saveFiles = {target};
        f.child<QPushButton>("cmdSave")->click();
        QCOMPARE(lastMessage(f.prompt), std::string("Data file saved successfully"));
        QVERIFY(f.session.isSaved());
        QVERIFY(!fs::exists(privateFolder(f.dir) / "Rankhall_DEMO16.RCV"));
        // The saved file is the same tournament.
        rh::ScriptedPrompt quiet;
        rh::Session again(quiet);
        QVERIFY(rh::ResetAndLoad(again, target));
        QCOMPARE(rh::test::dumpTournament(again.state()),
                 rh::test::dumpTournament(f.session.state()));
        // The dialog now offers its own file.
        f.prompt.clear();
        f.child<QPushButton>("cmdSave")->click();
        QCOMPARE(f.prompt.shown.front().file.initialPath, target);
    }

    // The exit guard ("Exit"): what was done since the load or the save, the director's
    // answers and file choices in order, and whether the window closed.
    void exitAsksBeforeDiscardingChanges_data() {
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<QString>("change"); // "score", "taken back", "clock", "save", or ""
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QStringList>("saveAs"); // "" cancels the save dialog
        QTest::addColumn<int>("questions");
        QTest::addColumn<bool>("closes");
        const QList<int> none, cancel{int(MsgAnswer::Cancel)}, discard{int(MsgAnswer::Discard)},
            save{int(MsgAnswer::Save)};
        const QStringList no;
        QTest::newRow("nothing loaded") << false << "" << none << no << 0 << true;
        QTest::newRow("loaded, unchanged") << true << "" << none << no << 0 << true;
        QTest::newRow("a score, cancel") << true << "score" << cancel << no << 1 << false;
        QTest::newRow("a score, discard") << true << "score" << discard << no << 1 << true;
        QTest::newRow("a score, no save")
            << true << "score" << save << QStringList{QString()} << 1 << false;
        QTest::newRow("a score, saved")
            << true << "score" << save << QStringList{QStringLiteral("kept.qmc")} << 1 << true;
        QTest::newRow("a score taken back") << true << "taken back" << none << no << 0 << true;
        QTest::newRow("the clock, cancel") << true << "clock" << cancel << no << 1 << false;
        QTest::newRow("saved, then a score") << true << "save" << cancel << no << 1 << false;
    }
    void exitAsksBeforeDiscardingChanges() {
        QFETCH(bool, loaded);
        QFETCH(QString, change);
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, saveAs);
        QFETCH(int, questions);
        QFETCH(bool, closes);
        WindowFixture f;
        if (loaded)
            QVERIFY(f.load("demo.qmc"));
        f.window.show();
        if (change == QStringLiteral("score") || change == QStringLiteral("taken back"))
            f.store(Change::score(4, "01", "07"));
        if (change == QStringLiteral("taken back"))
            f.store(Change::score(4, "01", ""));
        if (change == QStringLiteral("clock"))
            f.child<QPushButton>("cmdbannerStartTimer")->click(); // starting it is a change too
        if (change == QStringLiteral("save")) {
            f.prompt.saveFiles = {(f.dir / "saved.qmc").string()};
            f.child<QPushButton>("cmdSave")->click();
            QVERIFY(f.window.close()); // saved: nothing to lose
            f.window.show();
            f.store(Change::score(4, "01", "07"));
        }
        f.prompt.clear();
        for (int a : answers)
            f.prompt.answers.push_back(MsgAnswer(a));
        for (const QString& file : saveAs)
            f.prompt.saveFiles.push_back(file.isEmpty() ? ""
                                                        : (f.dir / file.toStdString()).string());
        f.child<QPushButton>("CmdExit")->click();
        QCOMPARE(f.window.isVisible(), !closes);
        QCOMPARE(f.prompt.countTitled("Exit"), questions);
        QCOMPARE(countShown(f.prompt, "save"), int(saveAs.size()));
        QVERIFY(questions || f.prompt.shown.empty());
        if (questions)
            QCOMPARE(f.prompt.messages().front().buttons, rh::MsgButtons::SaveDiscardCancel);
        if (closes && !saveAs.isEmpty()) // closed only once the file is written
            QVERIFY(fs::exists(f.dir / saveAs.front().toStdString()));
    }

    void controlsWaitForATournament() {
        WindowFixture f;
        const char* controls[] = {"cmdSave",         "cmdSetAll",       "cmdClearAll",
                                  "cbEntryFee",      "txtExpense",      "cbBumpFee",
                                  "cbWoodFee",       "optPayout0",      "optPayout1",
                                  "cmdCustomPayout", "txtJackpotTitle", "cmdExportResults"};
        for (const char* name : controls)
            QVERIFY2(!f.child(name)->isEnabled(), name);
        QVERIFY(!f.child("cmdPrintResults")->isEnabled());
        QVERIFY(!f.child("cmdPrintSheets")->isEnabled());
        // Neither the buttons nor the services write or open anything.
        f.child<QPushButton>("cmdSave")->click();
        f.child<QPushButton>("cmdBrowser")->click();
        QVERIFY(!rh::cmdSave(f.session));
        QVERIFY(!rh::SaveTournament(f.session, (f.dir / "empty.qmc").string()));
        QVERIFY(!f.flow().publishStandingsPage());
        QVERIFY(f.prompt.shown.empty());
        QVERIFY(f.opened.isEmpty());
        QVERIFY(!f.window.htmlTimer()->isActive());
        QVERIFY(!fs::exists(f.dir / "empty.qmc"));
        QVERIFY(f.load("demo.qmc"));
        for (const char* name : controls)
            QVERIFY2(f.child(name)->isEnabled(), name);
    }

    void theCommandLineLoadsOnlyAnExistingQmcFile() {
        WindowFixture f;
        fs::copy_file(example("teams7.qmc"), f.dir / "night.QMC");
        fs::copy_file(example("demo.qmc"), f.dir / "demo.qmc");
        fs::copy_file(example("demo.qmc"), f.dir / "demo.xml");
        fs::create_directory(f.dir / "folder.qmc");
        for (const char* ignored : {"demo.xml", "folder.qmc", "missing.qmc"}) {
            f.window.setStartupFile(rh::test::qs((f.dir / ignored).string()));
            QVERIFY(!f.window.LoadStartupFile());
            QVERIFY(f.prompt.shown.empty());
            QVERIFY(!f.session.isLoaded());
        }
        f.window.setStartupFile(rh::test::qs((f.dir / "night.QMC").string()));
        QVERIFY(f.window.LoadStartupFile());
        QCOMPARE(countShown(f.prompt, "open"), 0); // a path needs no dialog
        QCOMPARE(f.text("lblCode"), QStringLiteral("TEAM7"));

        // A second start-up file is a load like any other: it asks first when work would be lost.
        f.session.tourney().setExpenses(3);
        f.prompt.clear();
        f.window.setStartupFile(rh::test::qs((f.dir / "demo.qmc").string()));
        QVERIFY(f.window.LoadStartupFile());
        QCOMPARE(f.prompt.countTitled("Exit"), 1);
        QCOMPARE(f.text("lblCode"), QStringLiteral("DEMO16"));
    }

    void thePagesFollowEveryScoreAndTheTick() {
        WindowFixture f;
        QList<int> shown;
        connect(&f.window, &MainWindow::tabShown, this, [&](int i) { shown << i; });
        QVERIFY(f.load("demo.qmc"));
        const fs::path page = htmlPage(f.session), wall = rh::wallPagePath(f.session);
        QCOMPARE(page.parent_path(), privateFolder(f.dir));
        QCOMPARE(wall.parent_path(), privateFolder(f.dir));
        QCOMPARE(page.filename().string(), std::string("QuillmarkDEMO16.html"));
        QVERIFY(!fs::exists(page) && !fs::exists(wall));

        // A score stored while the Load tab shows: the page asks for a reload every 15 s.
        f.store(Change::score(4, "12", "09")); // Lou Lopez
        f.store(Change::count(rh::ChangeKind::Bump, "12", "02"));
        std::string html = rh::test::readFile(page);
        QVERIFY(html.find("CONTENT=\"15\"") != std::string::npos);
        QVERIFY(html.find("\">Lou Lopez</td>") != std::string::npos); // no longer waiting
        QVERIFY(rh::test::readFile(wall).find("Lou Lopez") != std::string::npos);
        QCOMPARE(f.text("lblJackPot"), QStringLiteral("$3.00"));

        // The tick runs on the Scores and Results tabs only; there the page reloads every second.
        f.window.tabs()->setCurrentIndex(MainWindow::TabScores);
        QVERIFY(f.window.htmlTimer()->isActive());
        f.store(Change::score(4, "13", "05"));
        QVERIFY(rh::test::readFile(page).find("CONTENT=\"1\"") != std::string::npos);
        f.window.tabs()->setCurrentIndex(MainWindow::TabTimer);
        QVERIFY(!f.window.htmlTimer()->isActive());
        f.window.tabs()->setCurrentIndex(MainWindow::TabResults);
        QVERIFY(f.window.htmlTimer()->isActive());
        QCOMPARE(shown, (QList<int>{2, 1, 4}));

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
        WindowFixture f;
        QVERIFY(f.load("demo.qmc"));
        f.window.tabs()->setCurrentIndex(MainWindow::TabScores);
        const QString id = f.child<QComboBox>("comboPlayerName")->currentData().toString();
        auto* leaders = f.window.findChild<rh::ui::GridModel*>(QStringLiteral("leaderModel"));
        // The entrant's cell in the column; the leader's for the payout.
        auto cell = [&](std::size_t column) {
            return leaders->text(column == rh::kColPayout ? 0 : leaders->findTag(id), int(column));
        };
        auto choose = [&](const char* list, int index) {
            rh::test::choose(f.child<QComboBox>(list), index);
        };
        struct Case {
            const char* what;
            std::function<void()> change;
            std::size_t column; // the standings cell that follows
            bool jackpot;       // the dashboard jackpot follows too
        } const cases[] = {
            {"lones", [&] { choose("comboPlayerLones", 1); }, rh::kColLone, false},
            {"bumps", [&] { choose("comboPlayerBumps", 3); }, rh::kColBumps, true},
            {"woods", [&] { choose("comboPlayerWoods", 2); }, rh::kColWoods, true},
            {"paid", [&] { f.child<QAbstractButton>("checkPaid")->click(); }, rh::kColPaid, false},
            {"bump fee", [&] { choose("cbBumpFee", 9); }, rh::kColTotalDue, true},
            {"wood fee", [&] { choose("cbWoodFee", 20); }, rh::kColTotalDue, true},
            {"entry fee", [&] { choose("cbEntryFee", 20); }, rh::kColPayout, false},
        };
        for (const Case& c : cases) {
            const QString before = cell(c.column), jackpot = f.text("lblJackPot");
            fs::remove(htmlPage(f.session));
            c.change();
            QVERIFY2(cell(c.column) != before, c.what);
            QVERIFY2((f.text("lblJackPot") != jackpot) == c.jackpot, c.what);
            QVERIFY2(fs::exists(htmlPage(f.session)), c.what);
        }
    }

    void dualMonitorOpensThePageOrShowsWhereItIs() {
        WindowFixture f;
        QVERIFY(f.load("demo.qmc"));
        f.child<QPushButton>("cmdBrowser")->click();
        const QString page = rh::test::qs(htmlPage(f.session).string());
        QVERIFY(fs::exists(htmlPage(f.session)));
        QCOMPARE(f.opened, QList<QUrl>{QUrl::fromLocalFile(page)});
        QVERIFY(f.window.htmlTimer()->isActive());
        QVERIFY(f.prompt.shown.empty());

        // No browser: the path of the page shown instead, for the standings and the wall.
        f.browser = false;
        f.child<QPushButton>("cmdBrowser")->click();
        QVERIFY(lastMessage(f.prompt).find(htmlPage(f.session).string()) != std::string::npos);
        f.child<QPushButton>("cmdWallScreen")->click();
        const std::string wall = rh::wallPagePath(f.session);
        QVERIFY(fs::exists(wall));
        QVERIFY(lastMessage(f.prompt).find(wall) != std::string::npos);
        QCOMPARE(int(f.prompt.messages().size()), 2);

        // A page that cannot be written: the write error, then the missing file, no browser.
        f.browser = true;
        f.window.htmlTimerState(false);
        fs::remove(htmlPage(f.session));
        f.session.setTempDir((f.dir / "no such folder").string());
        f.opened.clear();
        f.prompt.clear();
        f.child<QPushButton>("cmdBrowser")->click();
        QVERIFY(f.opened.isEmpty());
        QCOMPARE(f.prompt.countTitled("SaveHTMLFile"), 1);
        QCOMPARE(lastMessage(f.prompt), std::string("File doesn't exist: QuillmarkDEMO16.html"));
        QVERIFY(f.window.htmlTimer()->isActive());
    }

    void sharingServesTheWallPageUntilSwitchedOff() {
        WindowFixture f;
        QVERIFY(f.load("demo.qmc"));
        auto& room = *f.presenter<rh::ui::RoomPresenter>();
        room.setLauncher([](const QString&, const QStringList&) { return false; });
        QCheckBox* share = f.window.moneyTab()->checkShare;
        share->setChecked(true);
        rh::WallServer* server = room.server();
        QVERIFY(server && server->isListening());
        const quint16 port = server->port();
        QVERIFY(port >= rh::ui::kSharePort && port <= rh::ui::kSharePortLast);
        QCOMPARE(f.window.moneyTab()->lblShareAddress->text(), server->shareUrl());
        QVERIFY(!f.window.moneyTab()->lblShareQr->pixmap().isNull());

        QNetworkReply::NetworkError error = QNetworkReply::UnknownNetworkError;
        QByteArray body = fetch(port, &error);
        QCOMPARE(error, QNetworkReply::NoError);
        QVERIFY(body.contains("Lou Lopez"));
        QVERIFY(body.contains(server->shareUrl().toUtf8())); // the page shows where to find it
        // A score reaches the phones with the next publish.
        f.store(Change::score(4, "12", "09"));
        QCOMPARE(server->page(),
                 QByteArray::fromStdString(rh::test::readFile(rh::wallPagePath(f.session))));

        share->setChecked(false);
        QVERIFY(room.server() == nullptr);
        QVERIFY(f.window.moneyTab()->lblShareAddress->text().isEmpty());
        body = fetch(port, &error);
        QVERIFY(error != QNetworkReply::NoError);
    }

    void exportWritesTheChosenReport_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("standings csv") << 0 << "s.csv" << QByteArray("\xEF\xBB\xBF");
        QTest::newRow("results csv") << 1 << "r.CSV" << QByteArray("\xEF\xBB\xBF");
        QTest::newRow("treasurer pdf") << 2 << "t.pdf" << QByteArray("%PDF");
    }
    void exportWritesTheChosenReport() {
        QFETCH(int, kind);
        QFETCH(QString, file);
        QFETCH(QByteArray, start);
        WindowFixture f;
        QVERIFY(f.load("demo.qmc"));
        rh::ui::ResultsTab& tab = *f.window.resultsTab();
        const fs::path path = f.dir / file.toStdString();
        f.prompt.saveFiles.push_back(path.string());
        tab.comboReportKind->setCurrentIndex(kind);
        tab.cmdExportResults->click();
        const std::string bytes = rh::test::readFile(path);
        QVERIFY2(QByteArray::fromStdString(bytes).startsWith(start), bytes.substr(0, 8).c_str());
        QVERIFY(bytes.size() > 200);
        QVERIFY2(f.prompt.messages().empty(), lastMessage(f.prompt).c_str());
        f.prompt.saveFiles.push_back(""); // cancelled: nothing written, nothing said
        fs::remove(path);
        tab.cmdExportResults->click();
        QVERIFY(!fs::exists(path));
    }

    void theJournalHoldsEachChangeBeforeTheViewsAndRestoresIt() {
        rh::test::TempDir tmp;
        const std::string file = (tmp / "night.qmc").string();
        fs::copy_file(example("demo.qmc"), file);
        // A window on a journalled session, loading the copy as the director does.
        struct Journalled {
            rh::ScriptedPrompt prompt;
            rh::Session session{prompt};
            MainWindow window{session};
            explicit Journalled(const std::string& file) {
                session.setJournalMode(rh::JournalMode::Keep);
                rh::ui::installPresenters(window);
                prompt.defaultYesNo = MsgAnswer::Yes;
                window.findChild<rh::ui::MainFlow*>()->LoadTournament(file);
            }
            std::vector<rh::JournalEntry> journalled() const {
                return rh::readJournal(rh::journalFileName(session)).changes;
            }
        };
        {
            Journalled w(file);
            {
                // A second window on the tournament is offered viewing only, and writes nothing.
                Journalled second(file);
                QCOMPARE(second.prompt.countTitled(rh::kInUseTitle), 1);
                QVERIFY(second.session.viewOnly());
                QVERIFY(!second.session.journal());
                QVERIFY(second.window.windowTitle().endsWith(QStringLiteral(" (view only)")));
                // Looking through the entrants restates their counts and refuses nothing;
                // a change of the director's own is refused, and nothing reaches the journal.
                rh::ui::ScoresTab* look = second.window.scoresTab();
                second.window.tabs()->setCurrentIndex(MainWindow::TabScores);
                QVERIFY(rh::test::choose(look->comboPlayerName,
                                         look->comboPlayerName->findData(QStringLiteral("02"))));
                const auto refusals = [&] {
                    int n = 0;
                    for (const rh::Message& m : second.prompt.messages())
                        n += m.text.find("only be viewed") != std::string::npos;
                    return n;
                };
                QCOMPARE(refusals(), 0);
                QVERIFY(rh::test::choose(look->comboPlayerBumps, 3));
                QCOMPARE(refusals(), 1);
                QVERIFY(w.journalled().empty());
            }
            w.window.timerTab()->cmdTourneyStart->click();
            QComboBox* bump = w.window.moneyTab()->cbBumpFee;
            QVERIFY(rh::test::choose(bump, bump->findData(50)));
            rh::ui::ScoresTab* tab = w.window.scoresTab();
            w.window.tabs()->setCurrentIndex(MainWindow::TabScores);
            QVERIFY(rh::test::choose(tab->comboPlayerName,
                                     tab->comboPlayerName->findData(QStringLiteral("02"))));
            QVERIFY(rh::test::choose(tab->comboPlayerBumps, 3));
            // A score is on disk at the moment the views hear of it.
            std::vector<rh::JournalEntry> atRefresh;
            connect(&w.window, &MainWindow::scoreStored, this, [&] { atRefresh = w.journalled(); });
            QVERIFY(rh::test::choose(tab->comboPlayerScore, tab->comboPlayerScore->findText(
                                                                rh::test::qs(rh::fmtItem(6)))));
            QCOMPARE(std::count_if(atRefresh.begin(), atRefresh.end(),
                                   [](const rh::JournalEntry& e) {
                                       return e.change == Change::score(4, "02", "06");
                                   }),
                     1);
            // Showing an entrant stores its lone count and paid mark again (journalled when
            // they were missing); the rest are the director's choices, in order.
            std::vector<rh::JournalEntry> kept = w.journalled();
            std::erase_if(kept, [](const rh::JournalEntry& e) {
                return e.change.kind == rh::ChangeKind::Lone ||
                       e.change.kind == rh::ChangeKind::Paid ||
                       e.change.kind == rh::ChangeKind::Score;
            });
            QCOMPARE(kept.size(), std::size_t(3));
            QVERIFY(kept[0].change.kind == rh::ChangeKind::ClockStart);
            QVERIFY(kept[1].change == Change::money(rh::ChangeKind::BumpFee, 0.5));
            QVERIFY(kept[2].change == Change::count(rh::ChangeKind::Bump, "02", "03"));
        } // a crash: nothing was saved
        Journalled again(file);
        QCOMPARE(again.prompt.countTitled(rh::kRestoreTitle), 1);
        QCOMPARE(again.session.tourney().BumpFee(), 0.5);
        QCOMPARE(again.window.moneyTab()->cbBumpFee->currentData().toInt(), 50);
        QCOMPARE(rh::test::bumpsOf(again.session.state(), rh::test::eid(2)), 3);
        QCOMPARE(again.session.state().score(rh::test::rno(4), rh::test::eid(2)),
                 std::optional<int>(6));
        QCOMPARE(again.window.timerTab()->cmdTourneyStart->text(), QStringLiteral("&Stop"));
    }

    void theClockStartsPausesResumesAndStops() {
        WindowFixture f;
        rh::WallTime now = rh::WallTime::fromHms(19, 0, 0, 20000);
        rh::ui::ClockPresenter& clock = *f.window.clockPresenter();
        clock.setNow([&] { return now; });
        const auto running = [&](const char* timer) { return f.child<QTimer>(timer)->isActive(); };
        const auto ticks = [&](int n, void (rh::ui::ClockPresenter::*tick)()) {
            for (int i = 0; i < n; ++i)
                (clock.*tick)();
        };
        auto* start = f.child<QPushButton>("cmdTourneyStart");
        auto* pause = f.child<QPushButton>("cmdPause");
        QVERIFY(running("currentTimer") && !running("TourneyTimer"));
        QVERIFY(!pause->isEnabled());
        clock.currentTimeTick();
        QCOMPARE(f.child<QLineEdit>("txtCurrentTime")->text(), QStringLiteral("07:00 PM"));

        // The banner's button starts it as "Start" does.
        f.child<QPushButton>("cmdbannerStartTimer")->click();
        QVERIFY(f.child("cmdbannerStartTimer")->isHidden());
        QCOMPARE(start->text(), QStringLiteral("&Stop"));
        QVERIFY(pause->isEnabled());
        QCOMPARE(f.text("lblElapsedTime"), QStringLiteral("00:00:00"));
        QCOMPARE(rh::test::background(f.child("lblRoundElapsed")), kGreen);
        QVERIFY(!f.child("lblEstFinish")->isHidden());
        for (const char* t : {"TourneyTimer", "RoundTimer", "progressTimer", "currentTimer"})
            QVERIFY2(running(t), t);
        ticks(3600, &rh::ui::ClockPresenter::roundTick);
        QCOMPARE(f.text("lblRoundElapsed"), QStringLiteral("01:00:00"));
        now = now.plusSeconds(3600);
        clock.tourneyTick();
        QCOMPARE(f.text("lblElapsedTime"), QStringLiteral("01:00:00"));

        pause->click();
        QCOMPARE(pause->text(), QStringLiteral("&Resume"));
        QVERIFY(!start->isEnabled());
        QCOMPARE(rh::test::background(f.child("lblRoundElapsed")), kRed);
        QCOMPARE(rh::test::background(f.child("lblPauseElapsed")), kGreen);
        QVERIFY(running("TourneyTimer")); // the tournament's time runs on during a pause
        QVERIFY(!running("RoundTimer") && !running("progressTimer"));
        ticks(75, &rh::ui::ClockPresenter::pauseTick);
        QCOMPARE(f.text("lblPauseElapsed"), QStringLiteral("00:01:15"));
        pause->click();
        QCOMPARE(pause->text(), QStringLiteral("&Pause"));
        QVERIFY(running("RoundTimer") && !running("PauseTimer"));
        QCOMPARE(f.session.clock().m_pauseTournamentTotal.totalSeconds(), 75);

        // The stop question: Cancel leaves everything running, OK stops.
        f.prompt.answers = {MsgAnswer::Cancel};
        start->click();
        QCOMPARE(f.prompt.countTitled("Stop Tournament"), 1);
        QVERIFY(running("TourneyTimer") && running("RoundTimer"));
        f.prompt.answers = {MsgAnswer::Ok};
        start->click();
        QCOMPARE(start->text(), QStringLiteral("&Start"));
        QVERIFY(!pause->isEnabled());
        QCOMPARE(rh::test::background(f.child("lblElapsedTime")), kRed);
        for (const char* t : {"TourneyTimer", "RoundTimer", "PauseTimer", "progressTimer"})
            QVERIFY2(!running(t), t);
        QVERIFY(running("currentTimer"));
        QVERIFY(f.child("cmdbannerStartTimer")->isHidden());
        QVERIFY(!f.child("lblEstFinish")->isHidden());

        // A load resets the clock: the banner offers its start again, the estimate hides.
        f.session.clock().resetForLoad(now);
        QVERIFY(!f.child("cmdbannerStartTimer")->isHidden());
        QVERIFY(f.child("lblEstFinish")->isHidden() && f.child("lblEstFinishLabel")->isHidden());
        QCOMPARE(start->text(), QStringLiteral("&Start"));
        // A start replayed from the journal hides the banner's button but shows no estimate.
        f.session.clock().startTournament(now);
        QVERIFY(f.child("cmdbannerStartTimer")->isHidden());
        QVERIFY(f.child("lblEstFinish")->isHidden());
        QCOMPARE(pause->text(), QStringLiteral("&Pause"));
        QVERIFY(pause->isEnabled() && start->isEnabled());
    }

    void roundAdvanceUpdatesAverageFinishAndProgress() {
        WindowFixture f;
        rh::WallTime now = rh::WallTime::fromHms(19, 0, 0, 20000);
        rh::ui::ClockPresenter& clock = *f.window.clockPresenter();
        clock.setNow([&] { return now; });
        rh::TournamentClock& c = f.session.clock();
        auto& t = f.session.tourney();
        t.setTotalRounds(6);
        c.setProgressRange(6);
        f.child<QPushButton>("cmdTourneyStart")->click();
        for (int seconds : {600, 900, 1200}) {
            for (int i = 0; i < seconds; ++i)
                clock.roundTick();
            // The round advance (score entry) drives the same clock object.
            c.stopRoundTimer();
            c.recordRoundTime(t.CurrentRound(), t.TotalRounds());
            c.RTimer.reset();
            c.resetPauseTimer();
            t.setCurrentRound(static_cast<std::int16_t>(t.CurrentRound() + 1));
            c.startRoundTimer();
            f.window.ChangeRound();
            c.updateProgressBars(false, t.CurrentRound(), t.TotalRounds());
        }
        QCOMPARE(f.text("lblAvgRound"), QStringLiteral("00:15:00"));
        QCOMPARE(f.text("lblEstFinish"), QStringLiteral("8:30 PM"));
        QCOMPARE(f.text("lblCurrentRound"), QStringLiteral(" 4"));
        QCOMPARE(f.child<QProgressBar>("progressBar")->value(), 3);
        QCOMPARE(f.text("lblProgress"), QStringLiteral("50%"));
        for (int i = 0; i < 450; ++i)
            clock.roundTick();
        clock.progressTick();
        QCOMPARE(f.child<QProgressBar>("ProgressCurrentRnd")->maximum(), 900);
        QCOMPARE(f.child<QProgressBar>("ProgressCurrentRnd")->value(), 450);
    }

    void jackpotDoubleClickTogglesToolsAndActivationRearms() {
        WindowFixture f;
        auto* frame = f.child("frmJackpot");
        QWidget* tools[] = {f.child("frmDebug"), f.child("frmDebugNames"),
                            f.child("cmdValidateScore")};
        const auto toolsHidden = [&](bool hidden) {
            return std::all_of(std::begin(tools), std::end(tools),
                               [&](QWidget* t) { return t->isHidden() == hidden; });
        };
        QTest::mouseDClick(frame, Qt::LeftButton);
        QVERIFY(toolsHidden(false));
        QTest::mouseDClick(f.child("lblJackPot"), Qt::LeftButton); // the label passes it on
        QVERIFY(toolsHidden(true));
        QTest::mouseDClick(frame, Qt::LeftButton);
        // Activation sets the toggle back without hiding: the next double-click shows again.
        f.session.tourney().setCurrentRound(4);
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&f.window, &activate);
        QVERIFY(!f.window.toolsShown());
        QVERIFY(toolsHidden(false));
        QCOMPARE(f.text("lblCurrentRound"), QStringLiteral(" 4"));
        QTest::mouseDClick(frame, Qt::LeftButton);
        QVERIFY(toolsHidden(false));
    }

    void linksOpenTheSiteAndASupportMail() {
        WindowFixture f;
        f.session.tourney().setSupportDir("club&x=1 #7");
        f.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        f.window.tabs()->setCurrentIndex(MainWindow::TabTimer);
        QTest::mouseClick(f.child("lblWebSite"), Qt::LeftButton);
        QTest::mouseClick(f.child("lblTimerEmal"), Qt::LeftButton);
        QCOMPARE(f.opened.size(), 2);
        QCOMPARE(f.opened[0], QUrl(QStringLiteral("https://www.rankhall.example/")));
        const QUrl mail = f.opened[1];
        QCOMPARE(mail.scheme(), QStringLiteral("mailto"));
        QCOMPARE(mail.path(), QStringLiteral("support@rankhall.example"));
        const QUrlQuery query(mail);
        QCOMPARE(query.queryItems(QUrl::FullyDecoded).size(), 2);
        QCOMPARE(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
                 QStringLiteral("SupportCode: club&x=1 #7"));
    }

    void standingsAsTextFollowTheGrid() {
        WindowFixture f;
        QVERIFY(f.load("demo.qmc"));
        const QStringList lines =
            rh::test::qs(rh::ui::standingsText(f.session)).split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 16 + 3); // heading, rule, 16 rows, and the end of the last line
        QVERIFY(lines[0].startsWith(QStringLiteral("Player Name")));
        auto* model = f.child<QTreeView>("lvLeaderView")->model();
        for (int r = 0; r < 16; ++r) {
            const QString line = lines[r + 2];
            QVERIFY2(line.startsWith(model->index(r, 0).data().toString()), qPrintable(line));
            QVERIFY(line.contains(model->index(r, 2).data().toString())); // payout
        }
    }

    void gradientDropsThreePerBandDownToBlack() {
        const QColor start = rh::ui::kGradientStart;
        QCOMPARE(rh::ui::gradientBand(2, start), QColor(132, 193, 242));
        QCOMPARE(rh::ui::gradientBand(46, start), QColor(0, 61, 110));
        QCOMPARE(rh::ui::gradientBand(100, start), QColor(0, 0, 0));
        QImage image(50, 200, QImage::Format_RGB32);
        QPainter p(&image);
        rh::ui::Gradient(p, image.rect(), start);
        p.end();
        QCOMPARE(image.pixelColor(10, 0), QColor(135, 196, 245));
        QCOMPARE(image.pixelColor(10, 2), QColor(132, 193, 242)); // 2 pixels per band
        QCOMPARE(image.pixelColor(10, 199), QColor(0, 0, 0));
    }

    void messageBoxesAndFileDialogsFollowTheRequest() {
        WindowFixture f;
        auto box = rh::ui::buildMessageBox(
            {"", "line 1\r\nline 2", rh::MsgIcon::Exclamation, rh::MsgButtons::SaveDiscardCancel},
            nullptr);
        QCOMPARE(box->windowTitle(), QStringLiteral("Rankhall"));
        QCOMPARE(box->text(), QStringLiteral("line 1\nline 2"));
        QCOMPARE(box->icon(), QMessageBox::Warning);
        // The safe answer is the default button; Escape answers it too.
        QCOMPARE(box->defaultButton(), box->button(QMessageBox::Cancel));
        QCOMPARE(box->escapeButton(), box->button(QMessageBox::Cancel));
        auto discard = rh::ui::buildMessageBox(
            {"Exit", "x", rh::MsgIcon::Critical, rh::MsgButtons::OkCancel}, nullptr);
        QCOMPARE(discard->defaultButton(), discard->button(QMessageBox::Cancel));
        QCOMPARE(discard->icon(), QMessageBox::Critical);
        QCOMPARE(rh::ui::answerOf(QMessageBox::No), MsgAnswer::No);

        QCOMPARE(rh::ui::qtFileFilter("Tournaments|*.QMC;*.RCV|All|*.*"),
                 QStringLiteral("Tournaments (*.QMC *.qmc *.RCV *.rcv);;All (*.*)"));
        auto save = rh::ui::buildFileDialog(f.window.saveDialogSpec(), true, nullptr);
        QCOMPARE(save->acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(save->defaultSuffix(), QStringLiteral("QMC"));
        QVERIFY(!save->testOption(QFileDialog::DontConfirmOverwrite));
        QCOMPARE(rh::ui::buildFileDialog(f.window.saveDialogSpec(), false, nullptr)->fileMode(),
                 QFileDialog::ExistingFile);
    }

    void splashWaitsForTheLaterOfTimeAndReady_data() {
        QTest::addColumn<bool>("readyFirst");
        QTest::newRow("ready first") << true;
        QTest::newRow("time first") << false;
    }
    void splashWaitsForTheLaterOfTimeAndReady() {
        QFETCH(bool, readyFirst);
        WindowFixture f;
        rh::ui::SplashWindow splash(&f.window);
        QVERIFY(splash.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!splash.imgLogo->pixmap().isNull());
        splash.ShowSplash();
        QVERIFY(splash.SplashTimer->isActive());
        QVERIFY(splash.isVisible() && !f.window.isVisible());
        if (readyFirst)
            splash.ReadyToWork(); // the splash stays until the minimum time is over
        else
            splash.SplashTimerTick(); // the splash closes as soon as the window reports ready
        QVERIFY(splash.isVisible() && !f.window.isVisible());
        if (readyFirst)
            splash.SplashTimerTick();
        else
            splash.ReadyToWork();
        QVERIFY(!splash.isVisible() && f.window.isVisible());
        QVERIFY(splash.finished());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"

// The main window: start-up state, every documented control, exit, the hidden tools, links and
// the money inputs that need no other subsystem.
#include "core/scripted_prompt.h"
#include "core/text.h"
#include "model_helpers.h"
#include "services/load_save.h"
#include "services/session.h"
#include "state/tournament_state.h"
#include "support/temp_dir.h"
#include "ui/dashboard.h"
#include "ui/main_window.h"
#include "ui/qt_prompt.h"
#include "ui/tab_leaders.h"
#include "ui/tab_money.h"
#include "ui/tab_scores.h"
#include "ui/visuals.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QUrlQuery>
#include <QtTest>

#include <filesystem>

using rh::ui::MainWindow;
namespace fs = std::filesystem;

namespace {

struct Fixture {
    rh::test::TempDir dir;
    rh::ScriptedPrompt prompt;
    rh::Session session{prompt};
    MainWindow window{session};
};

template <class T = QWidget> T* child(MainWindow& w, const char* name) {
    return w.findChild<T*>(QString::fromUtf8(name));
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startsWithTitleAndSevenTabs() {
        Fixture f;
        QCOMPARE(f.window.objectName(), QStringLiteral("frmMain"));
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Shuffle Up and Deal Again"));
        QCOMPARE(child<QLabel>(f.window, "lblTourneyTitle")->text(),
                 QStringLiteral("Shuffle Up and Deal Again"));
        auto* tabs = child<QTabWidget>(f.window, "tabMain");
        QVERIFY(tabs);
        const QStringList expected = {QStringLiteral("Load / Money"), QStringLiteral("Timer"),
                                      QStringLiteral("Scores"),       QStringLiteral("Leaders"),
                                      QStringLiteral("Results"),      QStringLiteral("Details"),
                                      QStringLiteral("Alias")};
        QCOMPARE(tabs->count(), expected.size());
        for (int i = 0; i < tabs->count(); ++i)
            QCOMPARE(tabs->tabText(i), expected.at(i));
        QCOMPARE(tabs->currentIndex(), 0);
        QVERIFY(!f.window.isVisible()); // the splash shows it
        QVERIFY(f.prompt.shown.empty());
    }

    void feeListsCarryCurrencyTextAndCents() {
        Fixture f;
        auto* bump = child<QComboBox>(f.window, "cbBumpFee");
        auto* wood = child<QComboBox>(f.window, "cbWoodFee");
        auto* entry = child<QComboBox>(f.window, "cbEntryFee");
        QCOMPARE(bump->count(), 21);
        QCOMPARE(wood->count(), 31);
        QCOMPARE(entry->count(), 29);
        QCOMPARE(bump->itemText(5), QStringLiteral("$0.25"));
        QCOMPARE(bump->itemData(5).toInt(), 25);
        QCOMPARE(bump->itemData(20).toInt(), 100);
        QCOMPARE(wood->itemText(30), QStringLiteral("$3.00"));
        QCOMPARE(wood->itemData(7).toInt(), 70);
        QCOMPARE(entry->itemData(10).toInt(), 1000);
        QCOMPARE(entry->itemData(11).toInt(), 1500);
        QCOMPARE(entry->itemText(28), QStringLiteral("$100.00"));

        // Choosing an amount sets the fee; the results tab shows the bump and wood fee texts.
        bump->setCurrentIndex(5);
        QCOMPARE(f.session.tourney().BumpFee(), 0.25);
        QCOMPARE(child<QLabel>(f.window, "lblBumpFee")->text(), QStringLiteral("$0.25"));
        QVERIFY(rh::ui::MoneyTab::selectFee(wood, 0.7));
        QCOMPARE(f.session.tourney().WoodFee(), 0.7);
        QCOMPARE(child<QLabel>(f.window, "lblWoodFee")->text(), QStringLiteral("$0.70"));
        QVERIFY(rh::ui::MoneyTab::selectFee(entry, 15));
        QCOMPARE(f.session.tourney().EntryFee(), 15.0);
        QVERIFY(f.session.refresh().leaderRefreshRequested());
        QVERIFY(!rh::ui::MoneyTab::selectFee(entry, 12));
        QCOMPARE(entry->currentIndex(), 11);
    }

    void expensesEditAsPlainNumberAndShowAsCurrency() {
        Fixture f;
        f.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        auto* box = child<QLineEdit>(f.window, "txtExpense");
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("12a.5.0$"));
        QCOMPARE(box->text(), QStringLiteral("12.50"));
        f.window.findChild<QComboBox*>(QStringLiteral("cbEntryFee"))->setFocus();
        QCOMPARE(f.session.tourney().Expenses(), 12.5);
        QCOMPARE(box->text(), QStringLiteral("$12.50"));
        // Back in the box the plain number returns; Enter moves on to the bump fee.
        box->setFocus();
        QCOMPARE(box->text(), QStringLiteral("12.5"));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), child(f.window, "cbBumpFee"));
    }

    void jackpotTitleFollowsTheBox() {
        Fixture f;
        child<QLineEdit>(f.window, "txtJackpotTitle")->setText(QStringLiteral("Woody Pot"));
        QCOMPARE(f.session.tourney().StoredJackpotTitle(), std::string("Woody Pot"));
        QCOMPARE(child<QLabel>(f.window, "lblDashJpotTitle")->text(), QStringLiteral("Woody Pot"));
        QCOMPARE(child<QLabel>(f.window, "lblResultsJackpot")->text(),
                 QStringLiteral("Woody Pot:"));
    }

    void exitAsksOnlyWhenSomethingChanged() {
        {
            Fixture f; // nothing loaded
            f.window.show();
            QVERIFY(f.window.close());
            QVERIFY(f.prompt.shown.empty());
        }
        {
            Fixture f; // loaded and changed: Cancel keeps it open, Discard closes
            f.session.markRead();
            f.session.state().setScore(rh::test::rno(1), rh::test::eid(1), 7);
            f.window.show();
            f.prompt.answers = {rh::MsgAnswer::Cancel};
            child<QPushButton>(f.window, "CmdExit")->click();
            QVERIFY(f.window.isVisible());
            QCOMPARE(f.prompt.messages().size(), std::size_t{1});
            const rh::Message m = f.prompt.messages().front();
            QCOMPARE(m.title, std::string("Exit"));
            QCOMPARE(m.text, std::string("A tournament is in progress.\r\n"
                                         "If you press Discard, you will lose your data\r\n"
                                         "Press Cancel to resume with your existing data\r\n"
                                         "You can SAVE your existing tournament by pressing Save"));
            QCOMPARE(m.icon, rh::MsgIcon::Exclamation);
            QCOMPARE(m.buttons, rh::MsgButtons::SaveDiscardCancel);
            // The safe answer is the default button; Escape answers it too.
            auto box = rh::ui::buildMessageBox(m, nullptr);
            QCOMPARE(box->defaultButton(), box->button(QMessageBox::Cancel));
            QCOMPARE(box->escapeButton(), box->button(QMessageBox::Cancel));
            auto discard = rh::ui::buildMessageBox(rh::Message{"Exit", rh::exitQuestionText(),
                                                               rh::MsgIcon::Exclamation,
                                                               rh::MsgButtons::OkCancel},
                                                   nullptr);
            QCOMPARE(discard->defaultButton(), discard->button(QMessageBox::Cancel));
            f.prompt.answers = {rh::MsgAnswer::Discard};
            QVERIFY(f.window.close());
            QVERIFY(!f.window.isVisible());
            QCOMPARE(f.prompt.messages().size(), std::size_t{2});
        }
        {
            Fixture f; // Save: the save dialog, then closes only once the file is written
            f.session.markRead();
            f.session.state().setScore(rh::test::rno(1), rh::test::eid(1), 7);
            f.window.show();
            f.prompt.answers = {rh::MsgAnswer::Save, rh::MsgAnswer::Save};
            f.prompt.saveFiles = {"", (f.dir / "kept.qmc").string()};
            QVERIFY(!f.window.close()); // the dialog was cancelled
            QVERIFY(f.window.close());
            QVERIFY(fs::exists(f.dir / "kept.qmc"));
        }
    }

    void jackpotDoubleClickTogglesToolsAndActivationRearms() {
        Fixture f;
        auto* frame = child(f.window, "frmJackpot");
        QWidget* tools[] = {child(f.window, "frmDebug"), child(f.window, "frmDebugNames"),
                            child(f.window, "cmdValidateScore")};
        QTest::mouseDClick(frame, Qt::LeftButton);
        for (QWidget* t : tools)
            QVERIFY(!t->isHidden());
        QTest::mouseDClick(child(f.window, "lblJackPot"), Qt::LeftButton); // the label passes it on
        for (QWidget* t : tools)
            QVERIFY(t->isHidden());
        QTest::mouseDClick(frame, Qt::LeftButton);
        QVERIFY(f.window.toolsShown());

        // Activation sets the toggle back without hiding: the next double-click shows again.
        f.session.tourney().setCurrentRound(4);
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&f.window, &activate);
        QVERIFY(!f.window.toolsShown());
        for (QWidget* t : tools)
            QVERIFY(!t->isHidden());
        QCOMPARE(child<QLabel>(f.window, "lblCurrentRound")->text(), QStringLiteral(" 4"));
        QTest::mouseDClick(frame, Qt::LeftButton);
        for (QWidget* t : tools)
            QVERIFY(!t->isHidden());
    }

    void tabChangesRunTheHtmlTimerOnScoresAndResultsOnly() {
        Fixture f;
        QList<int> shown;
        connect(&f.window, &MainWindow::tabShown, this, [&](int i) { shown << i; });
        auto* tabs = f.window.tabs();
        tabs->setCurrentIndex(MainWindow::TabScores);
        QVERIFY(f.window.htmlTimer()->isActive());
        QVERIFY(f.session.refresh().payoutRebuildRequested());
        tabs->setCurrentIndex(MainWindow::TabLeaders);
        QVERIFY(!f.window.htmlTimer()->isActive());
        f.session.tourney().SetTypeTeam();
        tabs->setCurrentIndex(MainWindow::TabResults);
        QVERIFY(f.window.htmlTimer()->isActive());
        QCOMPARE(child<QGroupBox>(f.window, "frmResultsBumps")->title(),
                 QStringLiteral("Teams who owe bump money"));
        tabs->setCurrentIndex(MainWindow::TabTimer);
        QVERIFY(!f.window.htmlTimer()->isActive());
        QCOMPARE(shown, (QList<int>{2, 3, 4, 1}));
    }

    void saveDialogCancelShowsNothingMore() {
        Fixture f;
        f.session.markRead();
        f.window.setLastLoadedPath("/data/club.QMC");
        QStringList saved;
        connect(&f.window, &MainWindow::saveRequested, this, [&](const QString& p) { saved << p; });
        child<QPushButton>(f.window, "cmdSave")->click();
        QCOMPARE(f.prompt.shown.size(), std::size_t{1});
        const rh::FileDialogSpec dialogSpec = f.prompt.shown.front().file;
        QCOMPARE(dialogSpec.title, std::string("Save Tournament"));
        QCOMPARE(dialogSpec.filter, std::string("Files (*.QMC)|*.QMC"));
        QCOMPARE(dialogSpec.defaultExtension, std::string("QMC"));
        QCOMPARE(dialogSpec.initialPath, std::string("/data/club.QMC"));
        QVERIFY(dialogSpec.confirmOverwrite);
        QVERIFY(saved.isEmpty());
        f.prompt.saveFiles = {"/data/new.QMC"};
        child<QPushButton>(f.window, "cmdSave")->click();
        QCOMPARE(saved, QStringList{QStringLiteral("/data/new.QMC")});
    }

    void linksOpenTheSiteAndASupportMail() {
        Fixture f;
        f.session.tourney().setSupportDir("club&x=1 #7");
        QList<QUrl> opened;
        f.window.setUrlOpener([&](const QUrl& u) { opened << u; });
        f.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        f.window.tabs()->setCurrentIndex(MainWindow::TabTimer);
        QTest::mouseClick(child(f.window, "lblWebSite"), Qt::LeftButton);
        QTest::mouseClick(child(f.window, "lblTimerEmal"), Qt::LeftButton);
        QCOMPARE(opened.size(), 2);
        QCOMPARE(opened[0], QUrl(QStringLiteral("https://www.rankhall.example/")));
        const QUrl mail = opened[1];
        QCOMPARE(mail.scheme(), QStringLiteral("mailto"));
        QCOMPARE(mail.path(), QStringLiteral("support@rankhall.example"));
        const QUrlQuery query(mail);
        QCOMPARE(query.queryItems(QUrl::FullyDecoded).size(), 2);
        QCOMPARE(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
                 QStringLiteral("SupportCode: club&x=1 #7"));
        QCOMPARE(query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded),
                 QStringLiteral("Add comment here, leave subject intact"));
    }

    void commandLineFileMustBeAnExistingQmcFile() {
        rh::test::TempDir dir;
        const QString base = QString::fromStdString(dir.path().string());
        const QString upper = base + QStringLiteral("/club.QMC");
        const QString lower = base + QStringLiteral("/club2.qmc");
        const QString other = base + QStringLiteral("/club.txt");
        for (const QString& p : {upper, lower, other}) {
            QFile file(p);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QVERIFY(QDir().mkdir(base + QStringLiteral("/folder.QMC")));
        QVERIFY(MainWindow::isTournamentFile(upper));
        QVERIFY(MainWindow::isTournamentFile(lower));
        QVERIFY(!MainWindow::isTournamentFile(other));
        QVERIFY(!MainWindow::isTournamentFile(base + QStringLiteral("/folder.QMC")));
        QVERIFY(!MainWindow::isTournamentFile(base + QStringLiteral("/missing.QMC")));
        Fixture f;
        f.window.setStartupFile(other);
        QVERIFY(f.window.startupFileToLoad().isEmpty());
        f.window.setStartupFile(lower);
        QCOMPARE(f.window.startupFileToLoad(), lower);
    }

    void sittingOutNamesTheUnseatedEntrants() {
        rh::TournamentState state;
        state.settings.setTotalPlort(6);
        state.settings.setCurrentRound(1);
        const char* names[] = {"Fay", "Abe", "Dot", "Cy", "Eve", "Bo"};
        for (int id = 1; id <= 6; ++id)
            state.entrants.addName(rh::test::eid(id), names[id - 1]);
        using rh::test::eid;
        state.addTable(rh::test::rno(1), rh::SeatedTable{{eid(1), eid(2), eid(3), eid(4)}});
        rh::ui::SittingOut s = rh::ui::sittingOut(state, true);
        QCOMPARE(s.labels, 2);
        QCOMPARE(s.names, (std::vector<std::string>{"Bo", "Eve"}));
        QCOMPARE(rh::ui::sittingOut(state, false).labels, 0);
        state.settings.setTotalPlort(8);
        QCOMPARE(rh::ui::sittingOut(state, true).labels, 0);

        Fixture f;
        f.session.state().settings.setTotalPlort(5);
        f.session.state().entrants.addName(rh::test::eid(5), "Zed");
        f.session.markRead();
        f.window.UpdateSittingOut();
        QVERIFY(!child(f.window, "frmSittingOut")->isHidden());
        QCOMPARE(child<QLabel>(f.window, "lblSittingOut1")->text(), QStringLiteral("Zed"));
        QVERIFY(child(f.window, "lblSittingOut2")->isHidden());
    }

    void gradientDropsThreePerBandDownToBlack() {
        const QColor start = rh::ui::kGradientStart;
        QCOMPARE(rh::ui::gradientBand(1, start), QColor(135, 196, 245));
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
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"

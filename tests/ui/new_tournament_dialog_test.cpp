// The "New Tournament" dialog and the "Substitute..." button, driven through their controls with
// the scripted prompt: the suggested code, the live count and findings, the seating preview, the
// import, the refusal that names every problem, the save question, the new file opened through
// the window's normal load, and a substitute's name in the views.
#include "core/scripted_prompt.h"
#include "model_helpers.h"
#include "persistence/tournament_writer.h"
#include "review_fixture.h"
#include "ui/alias_presenter.h"
#include "ui/grid_model.h"
#include "ui/new_tournament_dialog.h"
#include "ui/new_tournament_presenter.h"
#include "ui/tab_alias.h"
#include "ui/tab_money.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

#include <filesystem>

using rh::test::ReviewFixture;
using rh::ui::MainWindow;
using rh::ui::NewTournamentDialog;

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

const std::chrono::year_month_day kToday{std::chrono::year{2026}, std::chrono::month{3},
                                         std::chrono::day{14}};

std::vector<std::string> titles(const rh::ScriptedPrompt& prompt) {
    std::vector<std::string> out;
    for (const auto& shown : prompt.shown)
        out.push_back(shown.kind == "message" ? shown.message.title : shown.kind);
    return out;
}

} // namespace

class NewTournamentTest : public QObject {
    Q_OBJECT
private slots:
    void dialogSuggestsCountsAndPreviews() {
        rh::ScriptedPrompt prompt;
        const rh::CurrencyFormat money = rh::CurrencyFormat::dollars();
        NewTournamentDialog d(prompt, money, kToday);
        QCOMPARE(d.spinRounds->value(), 8);
        QVERIFY(d.optProgressive->isChecked());
        QTest::keyClicks(d.txtTitle, s("Friday Fun"));
        QCOMPARE(d.txtCode->text(), s("FF260314"));
        // A code of the director's own is kept whatever the title becomes.
        d.txtCode->clear();
        QTest::keyClicks(d.txtCode, s("FRI-1"));
        QTest::keyClicks(d.txtTitle, s(" Night"));
        QCOMPARE(d.txtCode->text(), s("FRI-1"));

        d.txtEntrants->setPlainText(s("Ann\nBob\n\nCy\nDee\nann\nEd\n"));
        d.refreshNow();
        QCOMPARE(d.lblEntrantCount->text(), s("6 players, 1 table; 2 sit out each round\n"
                                              "Line 3 holds no name and was skipped.\n"
                                              "Line 6 repeats \"ann\" of line 1."));
        QVERIFY(d.lblSeatingQuality->text().contains(s("Repeated partnerships: ")));
        d.optTeam->setChecked(true);
        d.refreshNow();
        QVERIFY(d.lblEntrantCount->text().startsWith(s("6 teams, 3 tables\n")));
        QVERIFY(!d.lblSeatingQuality->text().contains(s("partnerships")));
        QVERIFY(d.lblSeatingQuality->text().contains(s("Most meetings of two opponents: ")));
        d.txtEntrants->setPlainText(s("Ann"));
        d.refreshNow();
        QCOMPARE(d.lblEntrantCount->text(), s("1 team: at least 2 are needed"));
    }

    void importThenRefuseThenWrite() {
        rh::test::TempDir tmp;
        rh::ScriptedPrompt prompt;
        const rh::CurrencyFormat money = rh::CurrencyFormat::dollars();
        NewTournamentDialog d(prompt, money, kToday);
        rh::test::writeFile(tmp / "list.csv", "Player,Club\n\"Lee, Ann\",N\nBob,S\nCy,S\n,\n");
        prompt.openFiles.push_back((tmp / "list.csv").string());
        d.txtEntrants->setPlainText(s("Dee"));
        QTest::mouseClick(d.cmdImport, Qt::LeftButton);
        QCOMPARE(d.txtEntrants->toPlainText(), s("Dee\nLee, Ann\nBob\nCy\n"));
        QCOMPARE(titles(prompt), (std::vector<std::string>{"open", "Import"}));
        QVERIFY(prompt.messages().back().text.find("Line 5 holds no name") != std::string::npos);

        // Refused: every problem in one message, no save question.
        prompt.clear();
        d.spinRounds->setValue(3);
        d.txtEntrants->appendPlainText(s("bob"));
        QVERIFY(!d.tryAccept());
        QCOMPARE(titles(prompt), std::vector<std::string>{"New Tournament"});
        QCOMPARE(prompt.messages()[0].text, std::string("The tournament needs a title.\r\n"
                                                        "\"Bob\" is listed more than once: "
                                                        "lines 3, 6."));

        // Cancelling the save question writes nothing and keeps the dialog open.
        prompt.clear();
        QTest::keyClicks(d.txtTitle, s("Club"));
        d.txtEntrants->setPlainText(s("Dee\nLee, Ann\nBob\nCy\nEd"));
        d.cbEntryFee->setCurrentIndex(d.cbEntryFee->findData(500));
        QVERIFY(!d.tryAccept());
        QCOMPARE(titles(prompt), std::vector<std::string>{"save"});
        QCOMPARE(prompt.shown[0].file.initialPath, std::string("CLUB260314.QMC"));
        QVERIFY(d.savedPath().empty());

        const std::string path = (tmp / "club.qmc").string();
        prompt.saveFiles.push_back(path);
        QVERIFY(d.tryAccept());
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.savedPath(), path);
        QVERIFY(std::filesystem::exists(path));
    }

    // The button on the Load / Money tab: the dialog, the file written and opened through the
    // window's load, which asks first when a tournament is open.
    void buttonCreatesAndOpensThroughTheLoad() {
        ReviewFixture f;
        QVERIFY(f.loadExample("demo.qmc"));
        auto* presenter = f.window.findChild<rh::ui::NewTournamentPresenter*>();
        QVERIFY(presenter);
        const std::string path = (f.dir / "fresh.qmc").string();
        presenter->setDialogRunner([&](NewTournamentDialog& d) {
            QTest::keyClicks(d.txtTitle, s("Fresh Start"));
            d.txtEntrants->setPlainText(s("Ann\nBob\nCy\nDee\nEd\nFay\nGus\nHal"));
            d.spinRounds->setValue(4);
            d.tryAccept();
            return d.result();
        });
        f.prompt.clear();
        f.prompt.saveFiles.push_back(path);
        f.session.tourney().setExpenses(5);            // work that the load would discard
        f.prompt.answers.push_back(rh::MsgAnswer::Ok); // yes, discard the open tournament
        QTest::mouseClick(f.window.moneyTab()->cmdNewTournament, Qt::LeftButton);
        QCOMPARE(titles(f.prompt), (std::vector<std::string>{"save", "Exit", rh::kFileLoadTitle}));
        QCOMPARE(f.prompt.messages().back().text, std::string(rh::kLoadedText));
        QVERIFY(f.session.isLoaded());
        QCOMPARE(f.session.tourney().TourneyTitle(), std::string("Fresh Start"));
        QCOMPARE(f.session.tourney().TotalPlort(), 8);
        QCOMPARE(f.session.tourney().TotalRounds(), 4);
        QCOMPARE(f.window.windowTitle(), s("Fresh Start"));

        // Cancel in the dialog: nothing asked, nothing loaded.
        presenter->setDialogRunner([](NewTournamentDialog&) { return int(QDialog::Rejected); });
        f.prompt.clear();
        QVERIFY(!presenter->NewTournament());
        QVERIFY(f.prompt.shown.empty());
    }

    void substituteTakesTheSeat() {
        ReviewFixture f;
        QVERIFY(f.loadExample("sitout10.qmc"));
        f.showTab(MainWindow::TabAlias);
        rh::ui::AliasTab* tab = f.window.aliasTab();
        QVERIFY(tab->cmdSubstitute->isEnabled());
        const int index = tab->cmbPlayerName->findText(s("Bob Abbott"));
        QVERIFY(index >= 0);
        tab->cmbPlayerName->setCurrentIndex(index);
        const rh::EntrantId id = rh::test::eid(2);
        QCOMPARE(tab->cmbPlayerName->currentData().toInt(), 2);
        const std::optional<int> score = f.session.state().score(rh::test::rno(1), id);

        f.prompt.clear();
        f.prompt.texts.push_back(std::string("Ann Abbott")); // taken
        QTest::mouseClick(tab->cmdSubstitute, Qt::LeftButton);
        QCOMPARE(titles(f.prompt), (std::vector<std::string>{"text", "Substitute"}));
        QCOMPARE(f.prompt.messages()[0].text,
                 std::string("\"Ann Abbott\" is already in the tournament."));
        QCOMPARE(f.session.state().nameOf(id), std::string("Bob Abbott"));

        f.prompt.clear();
        f.session.markSaved();
        f.prompt.texts.push_back(std::string("Zed Young"));
        QTest::mouseClick(tab->cmdSubstitute, Qt::LeftButton);
        QCOMPARE(titles(f.prompt), std::vector<std::string>{"text"});
        QCOMPARE(f.session.state().nameOf(id), std::string("Zed Young"));
        QCOMPARE(f.session.state().score(rh::test::rno(1), id), score);
        QVERIFY(!f.session.isSaved());
        QCOMPARE(tab->cmbPlayerName->currentText(), s("Zed Young"));
        auto* grid = f.window.findChild<rh::ui::AliasPresenter*>()->model();
        QCOMPARE(grid->rowsWithText(0, s("Zed Young")).size(), 1);
        QCOMPARE(grid->rowsWithText(0, s("Bob Abbott")).size(), 0);

        // Cancel changes nothing.
        f.prompt.clear();
        f.prompt.texts.push_back(std::nullopt);
        QTest::mouseClick(tab->cmdSubstitute, Qt::LeftButton);
        QCOMPARE(f.session.state().nameOf(id), std::string("Zed Young"));
    }
};

QTEST_MAIN(NewTournamentTest)
#include "new_tournament_dialog_test.moc"

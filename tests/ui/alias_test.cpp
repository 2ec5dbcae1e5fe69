// The entrants' names: the "Alias" tab (the grid and the list, typing aliases one after another
// with Enter, duplicates in any letter case, punctuation that does not appear, empty aliases,
// choosing an entrant from the grid), "Substitute...", and the "New Tournament" dialog (the
// suggested code, the live count and findings, the import, the refusal that names every
// problem, the save question, the new file opened through the window's normal load).
#include "core/text.h"
#include "ui/alias/alias_presenter.h"
#include "ui/alias/tab_alias.h"
#include "ui/money/tab_money.h"
#include "ui/new_tournament/new_tournament_dialog.h"
#include "ui/new_tournament/new_tournament_presenter.h"
#include "window_fixture.h"

#include <QPlainTextEdit>
#include <QSpinBox>

using rh::test::qs;
using rh::test::s;
using rh::ui::MainWindow;
using rh::ui::NewTournamentDialog;

namespace {

const std::chrono::year_month_day kToday{std::chrono::year{2026}, std::chrono::month{3},
                                         std::chrono::day{14}};

std::vector<std::string> titles(const rh::ScriptedPrompt& prompt) {
    std::vector<std::string> out;
    for (const auto& shown : prompt.shown)
        out.push_back(shown.kind == "message" ? shown.message.title : shown.kind);
    return out;
}

/// The Alias tab shown, with the focus in the window.
struct Fixture : rh::test::WindowFixture {
    rh::ui::AliasTab* tab = window.aliasTab();
    rh::ui::GridModel* grid = presenter<rh::ui::AliasPresenter>()->model();

    bool open(const char* example) {
        if (!load(example) || !activate())
            return false;
        showTab(MainWindow::TabAlias);
        return true;
    }
    QString chosen() const { return tab->cmbPlayerName->currentText(); }
    const rh::EntrantRecord* record(const QString& name) const {
        for (const auto& e : session.state().entrantsByName())
            if (qs(e.name) == name)
                return session.state().entrant(e.id);
        return nullptr;
    }
    std::string aliasOf(const QString& name) const {
        const rh::EntrantRecord* r = record(name);
        return r ? r->alias.value_or("") : "?";
    }
    std::size_t aliasCount() const {
        std::size_t n = 0;
        for (const rh::EntrantRecord& r : session.state().entrants.records())
            n += r.alias.has_value();
        return n;
    }
    /// The first entrant in name order without an alias ("" when all have one).
    QString firstWithout() const {
        for (const auto& e : session.state().entrantsByName())
            if (rh::trim(session.state().aliasOf(e.id)).empty())
                return qs(e.name);
        return {};
    }
    void type(const char* text) {
        tab->txtAliasCtrl->setFocus();
        tab->txtAliasCtrl->selectAll();
        QTest::keyClick(tab->txtAliasCtrl, Qt::Key_Backspace);
        QTest::keyClicks(tab->txtAliasCtrl, s(text));
    }
    void enter() { QTest::keyClick(tab->txtAliasCtrl, Qt::Key_Return); }
    void update() { QTest::mouseClick(tab->cmdUpdateAliasPlayer, Qt::LeftButton); }
    void choose(const QString& name) {
        rh::test::choose(tab->cmbPlayerName, tab->cmbPlayerName->findText(name));
    }
    int rowOf(const QString& name) const {
        const QList<int> rows = grid->rowsWithText(0, name);
        return rows.isEmpty() ? -1 : rows.first();
    }
};

} // namespace

class AliasTest : public QObject {
    Q_OBJECT
private slots:
    void theGridAndTheListAfterALoad() {
        Fixture f;
        QVERIFY(f.open("demo.qmc"));
        const auto entrants = f.session.state().entrantsByName();
        QCOMPARE(f.grid->rowCount(), int(entrants.size()));
        QCOMPARE(f.tab->cmbPlayerName->count(), int(entrants.size()));
        for (int i = 0; i < int(entrants.size()); ++i) {
            const auto& e = entrants[std::size_t(i)];
            const QString alias = qs(f.session.state().aliasOf(e.id));
            QCOMPARE(f.grid->text(i, 0), qs(e.name));
            QCOMPARE(f.grid->text(i, 1), alias);
            QCOMPARE(f.grid->tag(i), qs(rh::idText(e.id)));
            if (!alias.isEmpty())
                QCOMPARE(f.grid->index(i, 0).data(Qt::ToolTipRole).toString(), alias);
            QCOMPARE(f.tab->cmbPlayerName->itemText(i), qs(e.name));
            QCOMPARE(f.tab->cmbPlayerName->itemData(i).toLongLong(), num(e.id));
        }
        // The first entrant without an alias is offered.
        QCOMPARE(f.chosen(), f.firstWithout());
        QCOMPARE(f.tab->txtAliasCtrl->text(), QString());
    }

    void enterStoresAndMovesToTheNextWithoutAlias() {
        Fixture f;
        QVERIFY(f.open("demo.qmc"));
        const QString first = f.chosen();
        f.type("Ace!, Jr.");
        QCOMPARE(f.tab->txtAliasCtrl->text(), s("Ace Jr")); // the punctuation did not appear
        f.session.refresh().takeLeaderRefresh();
        f.enter();
        QCOMPARE(f.aliasOf(first), std::string("Ace Jr"));
        QCOMPARE(f.grid->text(f.rowOf(first), 1), s("Ace Jr"));
        QVERIFY(f.session.refresh().leaderRefreshRequested());
        // Always the first entrant in name order that still has none, until all have one.
        for (int n = 0; !f.firstWithout().isEmpty() && n < 40; ++n) {
            QCOMPARE(f.chosen(), f.firstWithout());
            QCOMPARE(f.tab->txtAliasCtrl->text(), QString());
            f.type(("Nick" + std::to_string(n)).c_str());
            f.enter();
        }
        // Everybody has one: the first entrant is offered with its alias.
        QCOMPARE(f.tab->cmbPlayerName->currentIndex(), 0);
        QCOMPARE(f.tab->txtAliasCtrl->text(), qs(f.aliasOf(f.chosen())));
        QCOMPARE(f.prompt.countTitled("Duplicate"), 0);
    }

    void duplicatesInAnyCaseAreRefused() {
        // In order: the entrant chosen (its alias shows), the text typed, stored with Enter or
        // the Update button; the entrant's alias afterwards and whether "Duplicate" refused it.
        struct Step {
            const char *entrant, *typed;
            bool enter;
            const char* alias;
            bool refused;
        };
        const Step steps[] = {{"Ann Abbott", "Lefty", true, "Lefty", false},
                              {"Bob Baker", "LEFTY", true, "", true}, // another's, in any case
                              {"Bob Baker", "LEFTY", false, "", true},
                              {"Ann Abbott", "LEFTY", false, "Lefty", false}, // its own: kept
                              {"Bob Baker", "Ann Abbott", false, "Ann Abbott", false}}; // a name
        Fixture f;
        QVERIFY(f.open("demo.qmc"));
        int refusals = 0;
        for (const Step& step : steps) {
            f.choose(s(step.entrant));
            QCOMPARE(f.tab->txtAliasCtrl->text(), qs(f.aliasOf(s(step.entrant))));
            f.type(step.typed);
            const std::size_t before = f.prompt.shown.size();
            step.enter ? f.enter() : f.update();
            refusals += step.refused;
            QCOMPARE(f.prompt.shown.size(), before + step.refused);
            QCOMPARE(f.prompt.countTitled("Duplicate"), refusals);
            QCOMPARE(f.aliasOf(s(step.entrant)), std::string(step.alias));
            if (!step.refused)
                continue;
            QCOMPARE(f.prompt.shown.back().message.text, std::string("Duplicate Name"));
            // The entrant and the typed text stay, so the director can put it right.
            QCOMPARE(f.chosen(), s(step.entrant));
            QCOMPARE(f.tab->txtAliasCtrl->text(), s(step.typed));
            QTRY_VERIFY(f.tab->txtAliasCtrl->hasFocus());
        }
    }

    void clearingStoresAnEmptyAlias() {
        Fixture f;
        QVERIFY(f.open("demo.qmc"));
        QString name; // an entrant loaded with an alias
        for (const auto& e : f.session.state().entrantsByName())
            if (name.isEmpty() && !f.session.state().aliasOf(e.id).empty())
                name = qs(e.name);
        f.choose(name);
        QVERIFY(!f.tab->txtAliasCtrl->text().isEmpty());
        f.type("");
        f.update();
        QVERIFY(f.record(name)->alias.has_value());
        QCOMPARE(f.aliasOf(name), std::string());
        QCOMPARE(f.grid->text(f.rowOf(name), 1), QString());
        QVERIFY(!f.grid->index(f.rowOf(name), 0).data(Qt::ToolTipRole).isValid());
        // Nobody chosen: nothing is stored.
        const std::size_t count = f.aliasCount();
        f.tab->cmbPlayerName->setCurrentIndex(-1);
        f.type("Ghost");
        f.update();
        QCOMPARE(f.aliasCount(), count);
    }

    void typingKeepsLettersDigitsAndBlanks() {
        Fixture f;
        QVERIFY(f.open("demo.qmc"));
        QLineEdit* box = f.tab->txtAliasCtrl;
        f.type("R2-D2 & C3PO's \"pal\" ~ ");
        // Letters beyond A-Z come from the keyboard as text of their own.
        for (const QString& key : {s("\u00e9"), s("t"), s("\u00e9")}) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, key);
            QApplication::sendEvent(box, &press);
        }
        QCOMPARE(box->text(), s("R2D2  C3POs pal  t"));
        // Editing keys still work.
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClick(box, Qt::Key_Home);
        QTest::keyClick(box, Qt::Key_Delete);
        QCOMPARE(box->text(), s("2D2  C3POs pal  "));
        // An alias loaded with other characters can still be edited.
        box->setText(s("Mr. X"));
        box->end(false);
        QTest::keyClicks(box, s("y"));
        QCOMPARE(box->text(), s("Mr. Xy"));
    }

    void clickingAGridRowChoosesTheEntrant() {
        Fixture f;
        QVERIFY(f.open("demo.qmc"));
        QTreeView* view = f.tab->lvPlayers;
        f.tab->cmdUpdateAliasPlayer->setFocus();
        const auto click = [&](const char* name, int column) {
            const QRect rect = view->visualRect(f.grid->index(f.rowOf(s(name)), column));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
        };
        click("Fay Fox", 0);
        QCOMPARE(f.chosen(), s("Fay Fox"));
        QCOMPARE(f.tab->txtAliasCtrl->text(), qs(f.aliasOf(s("Fay Fox"))));
        QTRY_VERIFY(f.tab->txtAliasCtrl->hasFocus());
        // After a sort by the alias column the rows still lead to their own entrants.
        rh::test::clickHeading(view, 1);
        click("Dev Diaz", 1);
        QCOMPARE(f.chosen(), s("Dev Diaz"));
    }

    void showingTheTabAgainKeepsTheWorkInHand() {
        Fixture f;
        QVERIFY(f.open("demo.qmc"));
        f.choose(s("Fay Fox"));
        f.type("Half");
        f.showTab(MainWindow::TabResults);
        f.showTab(MainWindow::TabAlias);
        QCOMPARE(f.chosen(), s("Fay Fox"));
        QCOMPARE(f.tab->txtAliasCtrl->text(), s("Half"));
        // A tournament replaced by the empty one leaves nobody to give an alias to.
        f.session.closeTournament();
        f.showTab(MainWindow::TabAlias);
        QCOMPARE(f.tab->cmbPlayerName->count(), 0);
        QCOMPARE(f.grid->rowCount(), 0);
        f.type("Nobody");
        f.update();
        QCOMPARE(f.aliasCount(), std::size_t(0));
    }

    void substituteTakesTheSeat() {
        Fixture f;
        QVERIFY(f.open("sitout10.qmc"));
        f.choose(s("Bob Abbott"));
        const rh::EntrantId id = rh::test::eid(2);
        QCOMPARE(f.tab->cmbPlayerName->currentData().toInt(), 2);
        const std::optional<int> score = f.session.state().score(rh::test::rno(1), id);

        f.prompt.texts.push_back(std::string("Ann Abbott")); // taken
        QTest::mouseClick(f.tab->cmdSubstitute, Qt::LeftButton);
        QCOMPARE(titles(f.prompt), (std::vector<std::string>{"text", "Substitute"}));
        QCOMPARE(f.prompt.messages()[0].text,
                 std::string("\"Ann Abbott\" is already in the tournament."));
        QCOMPARE(f.session.state().nameOf(id), std::string("Bob Abbott"));

        f.prompt.clear();
        f.session.markSaved();
        f.prompt.texts.push_back(std::string("Zed Young"));
        QTest::mouseClick(f.tab->cmdSubstitute, Qt::LeftButton);
        QCOMPARE(titles(f.prompt), std::vector<std::string>{"text"});
        QCOMPARE(f.session.state().nameOf(id), std::string("Zed Young"));
        QCOMPARE(f.session.state().score(rh::test::rno(1), id), score);
        QVERIFY(!f.session.isSaved());
        QCOMPARE(f.chosen(), s("Zed Young"));
        QCOMPARE(f.rowOf(s("Bob Abbott")), -1);
        QVERIFY(f.rowOf(s("Zed Young")) >= 0);
        // Cancel changes nothing.
        f.prompt.texts.push_back(std::nullopt);
        QTest::mouseClick(f.tab->cmdSubstitute, Qt::LeftButton);
        QCOMPARE(f.session.state().nameOf(id), std::string("Zed Young"));
    }

    void newTournamentDialogSuggestsCountsAndPreviews() {
        rh::ScriptedPrompt prompt;
        NewTournamentDialog d(prompt, rh::CurrencyFormat::dollars(), kToday);
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

    void newTournamentImportThenRefuseThenWrite() {
        rh::test::TempDir tmp;
        rh::ScriptedPrompt prompt;
        NewTournamentDialog d(prompt, rh::CurrencyFormat::dollars(), kToday);
        rh::test::writeFile(tmp / "list.csv", "Player,Club\n\"Lee, Ann\",N\nBob,S\nCy,S\n,\n");
        prompt.openFiles.push_back((tmp / "list.csv").string());
        d.txtEntrants->setPlainText(s("Dee"));
        QTest::mouseClick(d.cmdImport, Qt::LeftButton);
        QCOMPARE(d.txtEntrants->toPlainText(), s("Dee\nLee, Ann\nBob\nCy\n"));
        QCOMPARE(titles(prompt), (std::vector<std::string>{"open", "Import"}));
        QVERIFY(prompt.messages().back().text.find("Line 5 holds no name") != std::string::npos);

        // Refused: every problem in one message, no save question.
        prompt.clear();
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
    void newTournamentButtonCreatesAndOpensThroughTheLoad() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        auto* presenter = f.presenter<rh::ui::NewTournamentPresenter>();
        const std::string path = (f.dir / "fresh.qmc").string();
        presenter->setDialogRunner([&](NewTournamentDialog& d) {
            QTest::keyClicks(d.txtTitle, s("Fresh Start"));
            d.txtEntrants->setPlainText(s("Ann\nBob\nCy\nDee\nEd\nFay\nGus\nHal"));
            d.spinRounds->setValue(4);
            d.tryAccept();
            return d.result();
        });
        f.prompt.saveFiles.push_back(path);
        f.session.tourney().setExpenses(5);            // work that the load would discard
        f.prompt.answers.push_back(rh::MsgAnswer::Ok); // yes, discard the open tournament
        QTest::mouseClick(f.window.moneyTab()->cmdNewTournament, Qt::LeftButton);
        QCOMPARE(titles(f.prompt), (std::vector<std::string>{"save", "Exit", "File Load"}));
        QVERIFY(f.session.isLoaded());
        QCOMPARE(f.session.tourney().TotalPlort(), 8);
        QCOMPARE(f.session.tourney().TotalRounds(), 4);
        QCOMPARE(f.window.windowTitle(), s("Fresh Start"));
        // Cancel in the dialog: nothing asked, nothing loaded.
        presenter->setDialogRunner([](NewTournamentDialog&) { return int(QDialog::Rejected); });
        f.prompt.clear();
        QVERIFY(!presenter->NewTournament());
        QVERIFY(f.prompt.shown.empty());
    }
};

QTEST_MAIN(AliasTest)
#include "alias_test.moc"

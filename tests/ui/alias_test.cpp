// The "Alias" tab: captions by the tournament's kind, the grid of entrants and aliases, the
// entrant list, typing aliases one after another with Enter, duplicates in any letter case,
// punctuation that does not appear, empty aliases, and choosing an entrant from the grid.
#include "core/text.h"
#include "review_fixture.h"
#include "ui/alias_presenter.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"
#include "ui/tab_alias.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

using rh::test::ReviewFixture;
using rh::ui::GridModel;
using rh::ui::MainWindow;

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

rh::ui::AliasPresenter* presenter(MainWindow& w) {
    return w.findChild<rh::ui::AliasPresenter*>(s("aliasPresenter"));
}

/// Everything the tab needs, shown and with the focus in the window.
struct AliasFixture : ReviewFixture {
    rh::ui::AliasTab* tab = window.aliasTab();
    GridModel* grid = presenter(window)->model();

    bool open(const char* example) {
        if (!loadExample(example))
            return false;
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            return false;
        showTab(MainWindow::TabAlias);
        return true;
    }
    QString chosen() const { return tab->cmbPlayerName->currentText(); }
    const rh::EntrantRecord* record(const char* name) const {
        for (const auto& e : session.state().entrantsByName())
            if (e.name == name)
                return session.state().entrant(e.id);
        return nullptr;
    }
    std::string aliasOf(const char* name) const {
        const rh::EntrantRecord* r = record(name);
        return r ? r->alias.value_or("") : "?";
    }
    bool hasEntry(const char* name) const { return record(name) && record(name)->alias; }
    std::size_t aliasCount() const {
        std::size_t n = 0;
        for (const rh::EntrantRecord& r : session.state().entrants.records())
            n += r.alias.has_value();
        return n;
    }
    bool lacksAlias(rh::EntrantId id) const {
        return rh::trim(session.state().aliasOf(id)).empty();
    }
    void type(const char* text) {
        tab->txtAliasCtrl->setFocus();
        tab->txtAliasCtrl->selectAll();
        QTest::keyClick(tab->txtAliasCtrl, Qt::Key_Backspace);
        QTest::keyClicks(tab->txtAliasCtrl, s(text));
    }
    void enter() { QTest::keyClick(tab->txtAliasCtrl, Qt::Key_Return); }
    void choose(const char* name) {
        const int index = tab->cmbPlayerName->findText(s(name));
        tab->cmbPlayerName->setCurrentIndex(index);
        emit tab->cmbPlayerName->activated(index);
    }
    int rowOf(const char* name) const {
        const QList<int> rows = grid->rowsWithText(0, s(name));
        return rows.isEmpty() ? -1 : rows.first();
    }
    QString gridAlias(const char* name) const { return grid->text(rowOf(name), 1); }
};

} // namespace

class AliasTest : public QObject {
    Q_OBJECT
private slots:
    void setUpAfterALoad() {
        AliasFixture f;
        QVERIFY(f.open("demo.qmc"));
        QCOMPARE(f.tab->frmAlias->title(), s("Player Alias Setup"));
        QCOMPARE(f.tab->lblAliasNames->text(), s("Player Name"));
        QCOMPARE(f.tab->lblPlayerAlias->text(), s("Player Alias"));
        QCOMPARE(f.grid->column(0).heading, s("Player Name"));
        QCOMPARE(f.grid->column(1).heading, s("Alias Name"));

        const auto entrants = f.session.state().entrantsByName();
        QCOMPARE(f.grid->rowCount(), int(entrants.size()));
        QCOMPARE(f.tab->cmbPlayerName->count(), int(entrants.size()));
        int firstWithout = -1;
        for (int i = 0; i < int(entrants.size()); ++i) {
            const auto& e = entrants[std::size_t(i)];
            const QString alias = rh::ui::qtext(f.session.state().aliasOf(e.id));
            QCOMPARE(f.grid->text(i, 0), rh::ui::qtext(e.name));
            QCOMPARE(f.grid->text(i, 1), alias);
            QCOMPARE(f.grid->tag(i), rh::ui::qtext(rh::idText(e.id)));
            if (!alias.isEmpty())
                QCOMPARE(f.grid->index(i, 0).data(Qt::ToolTipRole).toString(), alias);
            QCOMPARE(f.tab->cmbPlayerName->itemText(i), rh::ui::qtext(e.name));
            QCOMPARE(f.tab->cmbPlayerName->itemData(i).toLongLong(), num(e.id));
            if (firstWithout < 0 && alias.trimmed().isEmpty())
                firstWithout = i;
        }
        QVERIFY(firstWithout >= 0);
        QCOMPARE(f.tab->cmbPlayerName->currentIndex(), firstWithout);
        QCOMPARE(f.tab->txtAliasCtrl->text(), QString());
        QCOMPARE(presenter(f.window)->getPlayerID(),
                 rh::idText(entrants[std::size_t(firstWithout)].id));
    }

    void enterStoresAndMovesToTheNextWithoutAlias() {
        AliasFixture f;
        QVERIFY(f.open("demo.qmc"));
        const QString first = f.chosen();
        f.type("Ace!, Jr.");
        QCOMPARE(f.tab->txtAliasCtrl->text(), s("Ace Jr")); // the punctuation did not appear
        f.session.refresh().takeLeaderRefresh();
        f.enter();
        QCOMPARE(f.aliasOf(first.toUtf8().constData()), std::string("Ace Jr"));
        QCOMPARE(f.gridAlias(first.toUtf8().constData()), s("Ace Jr"));
        QVERIFY(f.session.refresh().leaderRefreshRequested());
        const QString second = f.chosen();
        QVERIFY(second != first);
        QVERIFY(f.aliasOf(second.toUtf8().constData()).empty());
        QCOMPARE(f.tab->txtAliasCtrl->text(), QString());

        f.type("Second2");
        f.enter();
        QCOMPARE(f.aliasOf(second.toUtf8().constData()), std::string("Second2"));
        // Always the first entrant in name order that still has none.
        const auto entrants = f.session.state().entrantsByName();
        QString expected;
        for (const auto& e : entrants)
            if (expected.isEmpty() && f.lacksAlias(e.id))
                expected = rh::ui::qtext(e.name);
        QCOMPARE(f.chosen(), expected);

        // Everybody has one: the first entrant is offered with its alias.
        int n = 0;
        while (f.aliasCount() > 0 && n < 40) {
            bool missing = false;
            for (const auto& e : entrants)
                missing = missing || f.lacksAlias(e.id);
            if (!missing)
                break;
            f.type((std::string("Nick") + std::to_string(n++)).c_str());
            f.enter();
        }
        QCOMPARE(f.tab->cmbPlayerName->currentIndex(), 0);
        QCOMPARE(f.tab->txtAliasCtrl->text(),
                 rh::ui::qtext(f.session.state().aliasOf(entrants.front().id)));
        QVERIFY(f.prompt.countTitled("Duplicate") == 0);
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
        AliasFixture f;
        QVERIFY(f.open("demo.qmc"));
        int refusals = 0;
        for (const Step& step : steps) {
            f.choose(step.entrant);
            QCOMPARE(f.tab->txtAliasCtrl->text(), rh::ui::qtext(f.aliasOf(step.entrant)));
            f.type(step.typed);
            const std::size_t before = f.prompt.shown.size();
            if (step.enter)
                f.enter();
            else
                QTest::mouseClick(f.tab->cmdUpdateAliasPlayer, Qt::LeftButton);
            refusals += step.refused;
            QCOMPARE(f.prompt.shown.size(), before + step.refused);
            QCOMPARE(f.prompt.countTitled("Duplicate"), refusals);
            QCOMPARE(f.aliasOf(step.entrant), std::string(step.alias));
            if (!step.refused)
                continue;
            const rh::Message m = f.prompt.shown.back().message;
            QCOMPARE(m.text, std::string("Duplicate Name"));
            QCOMPARE(m.icon, rh::MsgIcon::Exclamation);
            // The entrant and the typed text stay, so the director can put it right.
            QCOMPARE(f.chosen(), s(step.entrant));
            QCOMPARE(f.tab->txtAliasCtrl->text(), s(step.typed));
            QTRY_VERIFY(f.tab->txtAliasCtrl->hasFocus());
        }
    }

    void clearingStoresAnEmptyAlias() {
        AliasFixture f;
        QVERIFY(f.open("demo.qmc"));
        // An entrant loaded with an alias.
        std::string name;
        for (const auto& e : f.session.state().entrantsByName())
            if (name.empty() && !f.session.state().aliasOf(e.id).empty())
                name = e.name;
        QVERIFY(!name.empty());
        f.choose(name.c_str());
        QVERIFY(!f.tab->txtAliasCtrl->text().isEmpty());
        f.type("");
        QTest::mouseClick(f.tab->cmdUpdateAliasPlayer, Qt::LeftButton);
        QVERIFY(f.hasEntry(name.c_str()));
        QCOMPARE(f.aliasOf(name.c_str()), std::string());
        QCOMPARE(f.gridAlias(name.c_str()), QString());
        QVERIFY(!f.grid->index(f.rowOf(name.c_str()), 0).data(Qt::ToolTipRole).isValid());

        // Nobody chosen: nothing is stored.
        const std::size_t count = f.aliasCount();
        f.tab->cmbPlayerName->setCurrentIndex(-1);
        f.type("Ghost");
        QTest::mouseClick(f.tab->cmdUpdateAliasPlayer, Qt::LeftButton);
        QCOMPARE(f.aliasCount(), count);
        const rh::EntrantRecord* none = f.session.state().entrant(rh::EntrantId{0});
        QVERIFY(!none || !none->alias);
    }

    void typingKeepsLettersDigitsAndBlanks() {
        AliasFixture f;
        QVERIFY(f.open("demo.qmc"));
        f.type("R2-D2 & C3PO's \"pal\" ~ ");
        // Letters beyond A-Z come from the keyboard as text of their own.
        for (const QString& key : {s("\u00e9"), s("t"), s("\u00e9")}) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, key);
            QApplication::sendEvent(f.tab->txtAliasCtrl, &press);
        }
        QCOMPARE(f.tab->txtAliasCtrl->text(), s("R2D2  C3POs pal  t"));
        // Editing keys still work.
        QTest::keyClick(f.tab->txtAliasCtrl, Qt::Key_Backspace);
        QTest::keyClick(f.tab->txtAliasCtrl, Qt::Key_Home);
        QTest::keyClick(f.tab->txtAliasCtrl, Qt::Key_Delete);
        QCOMPARE(f.tab->txtAliasCtrl->text(), s("2D2  C3POs pal  "));
        // An alias loaded with other characters can still be edited.
        f.tab->txtAliasCtrl->setText(s("Mr. X"));
        f.tab->txtAliasCtrl->end(false);
        QTest::keyClicks(f.tab->txtAliasCtrl, s("y"));
        QCOMPARE(f.tab->txtAliasCtrl->text(), s("Mr. Xy"));
    }

    void clickingAGridRowChoosesTheEntrant() {
        AliasFixture f;
        QVERIFY(f.open("demo.qmc"));
        QTreeView* view = f.tab->lvPlayers;
        const int row = f.rowOf("Fay Fox");
        QVERIFY(row >= 0);
        f.tab->cmdUpdateAliasPlayer->setFocus();
        const QRect rect = view->visualRect(f.grid->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(f.chosen(), s("Fay Fox"));
        QCOMPARE(f.tab->txtAliasCtrl->text(), rh::ui::qtext(f.aliasOf("Fay Fox")));
        QTRY_VERIFY(f.tab->txtAliasCtrl->hasFocus());

        // After a sort by the alias column the rows still lead to their own entrants.
        QHeaderView* header = view->header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(1) + 20, header->height() / 2));
        const int moved = f.rowOf("Dev Diaz");
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(f.grid->index(moved, 1)).center());
        QCOMPARE(f.chosen(), s("Dev Diaz"));
    }

    void showingTheTabAgainKeepsTheWorkInHand() {
        AliasFixture f;
        QVERIFY(f.open("demo.qmc"));
        f.choose("Fay Fox");
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
        QTest::mouseClick(f.tab->cmdUpdateAliasPlayer, Qt::LeftButton);
        QCOMPARE(f.aliasCount(), std::size_t(0));
    }
};

QTEST_MAIN(AliasTest)
#include "alias_test.moc"

// The Scores tab driven through its real widgets: the waiting entrants and their table, a score
// stored for the entrant and the partner, the partner conflict, the lone check holding the
// selectors, "Show All", "Paid" and the money colours, the keyboard (by entrant and by table),
// the Team layout, the validation window, the roster viewer, and whole tournaments played round
// by round to the Results tab.
#include "core/text.h"
#include "scoring/table_order.h"
#include "services/round_advance.h"
#include "state/round.h"
#include "timing/clock.h"
#include "ui/dashboard/dashboard.h"
#include "ui/dialogs/dialogs.h"
#include "ui/dialogs/validate_window.h"
#include "ui/scores/scores_presenter.h"
#include "ui/scores/tab_scores.h"
#include "ui/shell/focus_frame.h"
#include "ui/shell/window_fit.h"
#include "ui/timer/clock_presenter.h"
#include "ui/timer/tab_timer.h"
#include "window_fixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QListWidget>
#include <QProgressBar>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cstdio>

using rh::test::eid;
using rh::test::qs;
using rh::test::rno;
using rh::ui::MainWindow;
using rh::ui::ScoresTab;

namespace {

const QColor kGreen(180, 255, 180);
const QColor kRed(255, 180, 180);

int scoreIndex(const QComboBox* list, int score) {
    return list->findText(qs(rh::fmtItem(score)));
}

struct Fixture : rh::test::WindowFixture {
    ScoresTab* tab = window.scoresTab();
    std::vector<std::string> hooks; // the score entry's steps after each choice

    Fixture() {
        presenter<rh::ui::ScoresPresenter>()->setHookTrace(
            [this](const std::string& name) { hooks.push_back(name); });
    }
    bool open(const char* file) {
        if (!load(file))
            return false;
        showTab(MainWindow::TabScores);
        return true;
    }
    rh::TournamentState& st() { return session.state(); }
    std::string round() const { return rh::fmt00(session.tourney().CurrentRound()); }
    std::string selectedId() const {
        return tab->comboPlayerName->currentData().toString().toStdString();
    }
    std::string nameOf(const std::string& id) { return st().nameOf(eid(id)); }
    /// The stored score as two digits, "" when none.
    std::string score(const std::string& round, const std::string& id) {
        const auto s = st().score(*rh::roundNoOf(round), eid(id));
        return s ? rh::fmt00(*s) : std::string();
    }
    /// The partner (0; Team: the opposing team) or an opponent (1, 2) in the round, as ID text.
    std::string seatedWith(const std::string& round, const std::string& id, int which = 0) {
        const rh::RoundNo r = *rh::roundNoOf(round);
        const auto other = which == 2                            ? st().opponent2Of(r, eid(id))
                           : which == 1 || !st().isProgressive() ? st().opponent1Of(r, eid(id))
                                                                 : st().partnerOf(r, eid(id));
        return other ? rh::idText(*other) : std::string();
    }
    const rh::EntrantRecord& record(const std::string& id) { return *st().entrant(eid(id)); }
    bool chooseScore(int score) {
        return rh::test::choose(tab->comboPlayerScore, scoreIndex(tab->comboPlayerScore, score));
    }
    bool chooseEntrant(const std::string& id) {
        return rh::test::choose(tab->comboPlayerName, tab->comboPlayerName->findData(qs(id)));
    }
    int roundOvers(bool over) const {
        return int(std::count_if(prompt.shown.begin(), prompt.shown.end(), [&](const auto& s) {
            return s.kind == "roundOver" && s.tournamentOver == over;
        }));
    }
    int seatedIn(long long round) {
        int n = 0;
        for (const rh::EntrantRef& e : st().entrantsByName())
            n += st().isSeated(rno(round), e.id);
        return n;
    }
    std::filesystem::path recoveryFile(const char* extension) const {
        return privateFolder(dir) / ("Rankhall_" + session.tourney().TourneyCode() + extension);
    }
};

using rh::test::choose;

const std::vector<std::string> kAdvance = {
    "refreshViews",    "StopRoundTimer",  "RecordRoundTime",
    "ResetRoundTimer", "ResetPauseTimer", "SaveData",
    "StartRoundTimer", "ChangeRound",     "UpdateProgressBars(false)"};

} // namespace

class ScoresTabTest : public QObject {
    Q_OBJECT
private slots:
    void aLoadedRoundShowsTheWaitingEntrantsAndTheirTable() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        QVERIFY(f.activate());
        f.showTab(MainWindow::TabScores);
        ScoresTab& t = *f.tab;
        QCOMPARE(t.comboSelectRnd->count(), 4);
        QCOMPARE(t.comboSelectRnd->currentText(), QStringLiteral("04"));
        QCOMPARE(t.comboPlayerName->count(), 16);
        for (int i = 0; i < t.comboPlayerName->count(); ++i)
            QVERIFY(t.comboPlayerName->itemText(i).startsWith(QLatin1Char('*')));
        QCOMPARE(t.comboPlayerName->currentIndex(), 0);
        QCOMPARE(t.comboPlayerScore->count(), 34);
        QCOMPARE(t.comboPlayerScore->currentIndex(), 0); // the blank item: no score yet
        QVERIFY(t.frmOpponent->isVisible());
        QVERIFY(t.comboPlayerScore->hasFocus());
        const std::string id = f.selectedId(), r = f.round();
        QCOMPARE(t.partner.name->text(), qs("*" + f.nameOf(f.seatedWith(r, id))));
        QCOMPARE(t.oppo1.name->text(), qs("*" + f.nameOf(f.seatedWith(r, id, 1))));
        QCOMPARE(t.oppo2.name->text(), qs("*" + f.nameOf(f.seatedWith(r, id, 2))));

        // Selections made by the program are not choices: nothing is stored.
        const auto stored = f.st().scores.count();
        t.comboPlayerScore->setCurrentIndex(8);
        t.comboPlayerName->setCurrentIndex(3);
        QCOMPARE(f.st().scores.count(), stored);
    }

    void theEntrantLastClickedOnTheStandingsComesFirst() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        const std::string clicked = rh::idText(f.st().entrantsByName().at(5).id);
        f.session.chooseInStandings(clicked);
        f.showTab(MainWindow::TabScores);
        QCOMPARE(f.selectedId(), clicked);
        // Its score given, the first waiting entrant is next.
        const std::string partner = f.seatedWith(f.round(), clicked);
        QVERIFY(f.chooseScore(4));
        QCOMPARE(f.tab->comboPlayerName->currentIndex(), 0);
        QVERIFY(f.selectedId() != clicked && f.selectedId() != partner);
        // A new load forgets it.
        f.session.chooseInStandings(rh::idText(f.st().entrantsByName().at(9).id));
        QVERIFY(f.open("demo.qmc"));
        QCOMPARE(f.session.standingsChoice(), std::string("00"));
        QCOMPARE(f.tab->comboPlayerName->currentIndex(), 0);
    }

    void aReplacedTournamentLeavesNothingToActOn() {
        Fixture f;
        QVERIFY(f.open("demo.qmc"));
        QVERIFY(f.tab->comboPlayerName->count() > 0);
        // The tournament is replaced by the empty one under the tab, which still shows the old.
        f.session.closeTournament();
        QVERIFY(f.chooseScore(7));
        QCOMPARE(f.st().scores.count(), std::size_t(0));
        QCOMPARE(f.tab->comboPlayerName->count(), 0);
        QVERIFY(!f.tab->comboPlayerScore->isEnabled());
        QVERIFY(!f.tab->comboSelectRnd->isEnabled());
        QVERIFY(f.tab->partner.name->text().isEmpty());
    }

    void aScoreIsStoredForTheEntrantAndThePartner() {
        Fixture f;
        QVERIFY(f.open("demo.qmc"));
        QSignalSpy stored(&f.window, &MainWindow::scoreStored);
        const std::string r = f.round(), id = f.selectedId(), partner = f.seatedWith(r, id);
        QVERIFY(f.chooseScore(7));
        QCOMPARE(f.score(r, id), std::string("07"));
        QCOMPARE(f.score(r, partner), std::string("07"));
        QCOMPARE(stored.count(), 1);
        QVERIFY(f.prompt.shown.empty());
        // Both have left the list of waiting entrants; the first of the others is selected.
        QCOMPARE(f.tab->comboPlayerName->count(), 14);
        QCOMPARE(f.tab->comboPlayerName->findData(qs(id)), -1);
        QCOMPARE(f.tab->comboPlayerName->findData(qs(partner)), -1);
        QCOMPARE(f.tab->comboPlayerName->currentIndex(), 0);
        QCOMPARE(f.tab->comboPlayerScore->currentIndex(), 0);

        // The blank score takes it back from both: they are waiting again.
        f.tab->checkAll->click();
        QCOMPARE(f.tab->comboPlayerName->count(), 16);
        QVERIFY(f.chooseEntrant(id));
        QCOMPARE(f.tab->comboPlayerScore->currentText(), QStringLiteral(" 07"));
        QCOMPARE(f.tab->partner.score->text(), QStringLiteral("07"));
        // Nothing differs from the partner's 07 more than no score: the director confirms.
        f.prompt.conflictTakesPlayer = {true};
        QVERIFY(choose(f.tab->comboPlayerScore, 0));
        QCOMPARE(f.prompt.shown.size(), std::size_t(1));
        QCOMPARE(f.prompt.shown[0].kind, std::string("conflict"));
        QVERIFY(f.score(r, id).empty());
        QVERIFY(f.score(r, partner).empty());
        const int at = f.tab->comboPlayerName->findData(qs(id));
        QVERIFY(f.tab->comboPlayerName->itemText(at).startsWith(QLatin1Char('*')));
    }

    void aPartnerConflictIsSettledEitherWay_data() {
        QTest::addColumn<bool>("takesPlayer");
        QTest::newRow("the stored 7 is kept") << false;
        QTest::newRow("the new 9 stands for both") << true;
    }
    void aPartnerConflictIsSettledEitherWay() {
        QFETCH(bool, takesPlayer);
        Fixture f;
        QVERIFY(f.open("demo.qmc"));
        const std::string r = f.round(), id = f.selectedId(), partner = f.seatedWith(r, id);
        QVERIFY(f.chooseScore(7));
        f.tab->checkAll->click();
        // The partner claims 9.
        f.prompt.conflictTakesPlayer = {takesPlayer};
        QVERIFY(f.chooseEntrant(partner));
        QCOMPARE(f.tab->partner.name->text(), qs(f.nameOf(id)));
        QVERIFY(f.chooseScore(9));
        QCOMPARE(f.prompt.shown.size(), std::size_t(1));
        const rh::ConflictRequest& asked = f.prompt.shown[0].conflict;
        QCOMPARE(asked.playerName, f.nameOf(partner));
        QCOMPARE(asked.partnerName, f.nameOf(id));
        QCOMPARE(asked.playerScore, std::string("09"));
        QCOMPARE(asked.partnerScore, std::string("07"));
        const std::string kept = takesPlayer ? "09" : "07";
        QCOMPARE(f.score(r, id), kept);
        QCOMPARE(f.score(r, partner), kept);
        QVERIFY(f.chooseEntrant(id));
        QCOMPARE(f.tab->partner.score->text(), qs(kept));
    }

    void theConflictDialogWaitsForAnExplicitChoice() {
        // Neither score is preset, and nothing settles the conflict before a choice: not Enter,
        // not OK, not Escape nor closing the window. The keyboard starts at optPlayer.
        rh::ui::ResolveDialog untouched({"Ann Abbott", "*Bob Baker", "09", "07"});
        untouched.show();
        QVERIFY(QTest::qWaitForWindowActive(&untouched));
        QVERIFY(!untouched.optPlayer->isChecked() && !untouched.optPartner->isChecked());
        QVERIFY(!untouched.cmdOK->isEnabled());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        untouched.cmdOK->click();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        untouched.close();
        QVERIFY(untouched.isVisible());
        QCOMPARE(untouched.QDialog::result(), int(QDialog::Rejected));
        // The partner's score chosen, OK takes it.
        untouched.optPartner->click();
        QVERIFY(untouched.cmdOK->isEnabled());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(untouched.QDialog::result(), int(QDialog::Accepted));
        QVERIFY(!untouched.isVisible());
        QCOMPARE(untouched.result(), std::string("07"));

        rh::ui::ResolveDialog dialog({"Ann Abbott", "*Bob Baker", "09", "07"});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog.optPlayer));
        // The arrows go between the two, Space chooses, Tab goes on to OK.
        QTest::keyClick(dialog.optPlayer, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog.optPartner));
        QTest::keyClick(dialog.optPartner, Qt::Key_Up);
        QTest::keyClick(dialog.optPlayer, Qt::Key_Space);
        QVERIFY(dialog.optPlayer->isChecked());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog.cmdOK));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(dialog.result(), std::string("09"));
        dialog.optPartner->setChecked(true);
        QCOMPARE(dialog.result(), std::string("07"));
    }

    void aLoneMismatchHoldsTheSelectorsUntilCorrected() {
        Fixture f;
        QVERIFY(f.open("demo.qmc"));
        ScoresTab& t = *f.tab;
        const std::string r = f.round(), id = f.selectedId();
        QVERIFY(f.chooseScore(32));
        t.checkAll->click();
        QVERIFY(f.chooseEntrant(id));
        // The most lones the scores allow: accepted.
        const int most = t.comboPlayerLones->count() - 1;
        QVERIFY(most >= 8);
        QVERIFY(choose(t.comboPlayerLones, most));
        QCOMPARE(f.prompt.countTitled("Data Mismatch"), 0);
        QCOMPARE(f.record(id).lones, std::optional<std::int32_t>(most));

        // Taking the 32 points back leaves too few for those lones: the score is stored all the
        // same, the message shows once, and round and entrant cannot be chosen.
        f.prompt.conflictTakesPlayer = {true};
        QVERIFY(f.chooseScore(0));
        QCOMPARE(f.score(r, id), std::string("00"));
        QCOMPARE(f.prompt.countTitled("Data Mismatch"), 1);
        QCOMPARE(f.prompt.messages().back().text, std::string("Score and Lone data mismatch"));
        QVERIFY(!t.comboSelectRnd->isEnabled());
        QVERIFY(!t.comboPlayerName->isEnabled());
        QCOMPARE(f.selectedId(), id); // the entrant stays on screen to be corrected
        QVERIFY(!choose(t.comboPlayerName, 0));

        // Correcting the lones gives them back.
        QVERIFY(choose(t.comboPlayerLones, 0));
        QVERIFY(t.comboSelectRnd->isEnabled());
        QVERIFY(t.comboPlayerName->isEnabled());
        QCOMPARE(f.record(id).lones, std::optional<std::int32_t>(0));
        QCOMPARE(f.prompt.countTitled("Data Mismatch"), 1);
    }

    void showAllAndAnEarlierRound() {
        Fixture f;
        QVERIFY(f.open("demo.qmc"));
        ScoresTab& t = *f.tab;
        QVERIFY(f.chooseScore(5));
        QCOMPARE(t.comboPlayerName->count(), 14);
        t.checkAll->click();
        QCOMPARE(t.comboPlayerName->count(), 16);
        int bare = 0;
        for (int i = 0; i < t.comboPlayerName->count(); ++i)
            bare += !t.comboPlayerName->itemText(i).startsWith(QLatin1Char('*'));
        QCOMPARE(bare, 2);
        t.checkAll->click();
        QCOMPARE(t.comboPlayerName->count(), 14);

        // An earlier round chosen by hand lists everybody: all have their scores there.
        QVERIFY(choose(t.comboSelectRnd, 0));
        QVERIFY(t.checkAll->isChecked());
        QCOMPARE(t.comboPlayerName->count(), 16);
        QCOMPARE(t.comboPlayerScore->currentText().trimmed(), qs(f.score("01", f.selectedId())));
        QVERIFY(!t.partner.name->text().startsWith(QLatin1Char('*')));
    }

    void paidFollowsTheFinesAndTheMoneyCaptionsTheirColour() {
        Fixture f;
        QVERIFY(f.open("demo.qmc"));
        ScoresTab& t = *f.tab;
        t.checkAll->click();
        const std::string r = f.round(), id = f.selectedId();
        // An entrant without fines: "Paid" cannot be checked, nothing is owed.
        QVERIFY(choose(t.comboPlayerBumps, 0));
        QVERIFY(choose(t.comboPlayerWoods, 0));
        QVERIFY(!t.checkPaid->isEnabled());
        QCOMPARE(rh::test::background(t.lblTotalFeePlayer), kGreen);

        // One bump at 0.25: owed, without a leading zero, in red; "Paid" can be checked.
        QVERIFY(choose(t.comboPlayerBumps, 1));
        QCOMPARE(t.lblTotalFeePlayer->text(), QStringLiteral("$.25"));
        QCOMPARE(rh::test::background(t.lblTotalFeePlayer), kRed);
        QCOMPARE(f.record(id).bumps, std::optional<std::int32_t>(1));
        t.checkPaid->click();
        QCOMPARE(f.record(id).paid, std::optional<std::int32_t>(1));
        QCOMPARE(rh::test::background(t.lblTotalFeePlayer), kGreen);
        QVERIFY(!t.comboPlayerBumps->isEnabled());
        QVERIFY(!t.comboPlayerWoods->isEnabled());
        t.checkPaid->click();
        QCOMPARE(f.record(id).paid, std::optional<std::int32_t>(0));
        QCOMPARE(rh::test::background(t.lblTotalFeePlayer), kRed);
        QVERIFY(t.comboPlayerBumps->isEnabled());

        // The partner's screen shows what this entrant owes beside its name, in its colour.
        QVERIFY(f.chooseEntrant(f.seatedWith(r, id)));
        QCOMPARE(t.partner.fee->text(), QStringLiteral("$.25"));
        QCOMPARE(rh::test::background(t.partner.fee), kRed);
        QCOMPARE(t.partner.bumps->text(), QStringLiteral("01"));
    }

    void theKeyboardAloneEntersAScore() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        QVERIFY(f.activate());
        // Ctrl+1 .. Ctrl+7 choose the tabs.
        for (int tab : {3, 7, 1, 6, 2, 5, 4, 3}) {
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus ? focus : &f.window, Qt::Key(Qt::Key_0 + tab),
                            Qt::ControlModifier);
            QCOMPARE(f.window.tabs()->currentIndex(), tab - 1);
        }
        ScoresTab& t = *f.tab;
        // Tab runs round, entrant, score, lones, bumps, woods, paid (skipped while disabled).
        t.comboSelectRnd->setFocus();
        for (QWidget* next : std::initializer_list<QWidget*>{t.comboPlayerName, t.comboPlayerScore,
                                                             t.comboPlayerLones, t.comboPlayerBumps,
                                                             t.comboPlayerWoods, t.checkPaid}) {
            if (!next->isEnabled())
                continue;
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }

        // Typing "1", "2" on the score list opens it at " 12"; Enter chooses it.
        const std::string r = f.round(), id = f.selectedId();
        t.comboPlayerScore->setFocus();
        QTest::keyClick(t.comboPlayerScore, Qt::Key_1);
        QAbstractItemView* popup = t.comboPlayerScore->view();
        QTRY_VERIFY(popup->isVisible());
        QVERIFY(f.score(r, id).empty()); // nothing chosen while typing
        QTest::keyClick(popup, Qt::Key_2);
        QCOMPARE(popup->currentIndex().row(), scoreIndex(t.comboPlayerScore, 12));
        QTest::keyClick(popup, Qt::Key_Return);
        QCOMPARE(f.score(r, id), std::string("12"));
        QTRY_VERIFY(!popup->isVisible());
        // The next waiting entrant is up, the focus still on the score list.
        QVERIFY(f.selectedId() != id);
        QVERIFY(t.comboPlayerScore->hasFocus());

        // The arrows open the closed score list instead of storing a score at every step, and
        // the wheel over it stores nothing.
        const std::string next = f.selectedId();
        const auto stored = f.st().scores.count();
        QTest::keyClick(t.comboPlayerScore, Qt::Key_Down);
        QTRY_VERIFY(popup->isVisible());
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Escape);
        QTRY_VERIFY(!popup->isVisible());
        QWheelEvent wheel(QPointF(5, 5), t.comboPlayerScore->mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(t.comboPlayerScore, &wheel);
        QCOMPARE(f.st().scores.count(), stored);
        QCOMPARE(f.selectedId(), next);

        // Names are found without their waiting mark; scores by their digits.
        const QString second = t.comboPlayerName->itemText(1).mid(1);
        t.comboPlayerName->setFocus();
        QTest::keyClicks(t.comboPlayerName, second.left(3));
        QTRY_VERIFY(t.comboPlayerName->view()->isVisible());
        QTest::keyClick(t.comboPlayerName->view(), Qt::Key_Return);
        QCOMPARE(t.comboPlayerName->currentIndex(), 1);
        for (const auto& [typed, score] : {std::pair{"0", 0}, {"07", 7}, {"40", -1}})
            QCOMPARE(rh::ui::findTypedRow(t.comboPlayerScore, QString::fromLatin1(typed)),
                     score < 0 ? -1 : scoreIndex(t.comboPlayerScore, score));
    }

    void aRoundByTableWithTheKeyboardAlone() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        QVERIFY(f.activate());
        ScoresTab& tab = *f.tab;
        const int round = f.session.tourney().CurrentRound();
        const rh::TableOrder tables(f.st().seating, rno(round));
        QCOMPARE(int(tables.tables().size()), 4);

        // Every key goes to the widget with the focus, and is counted.
        int keys = 0;
        const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
            ++keys;
        };
        // Setting out: the Scores tab, then Tab to "By table" and Space.
        press(Qt::Key_3, Qt::ControlModifier);
        for (int i = 0; i < 8 && QApplication::focusWidget() != tab.checkByTable; ++i)
            press(Qt::Key_Tab);
        press(Qt::Key_Space);
        QVERIFY(tab.checkByTable->isChecked());
        const int setup = keys;

        // Each table: both scores and Enter, the focus staying in the box for the next table.
        const auto* highlight = f.window.findChild<rh::ui::FocusHighlight*>();
        for (const rh::RoundTable& table : tables.tables()) {
            QCOMPARE(QApplication::focusWidget(), tab.txtTableScores);
            QCOMPARE(highlight->framed(), tab.txtTableScores);
            QCOMPARE(tab.lblTable->text(), QStringLiteral("Table %1").arg(table.number));
            QCOMPARE(tab.lblTableScores->text(),
                     QStringLiteral("Table %1 scores:").arg(table.number));
            if (&table == &tables.tables()[2]) {
                // An entrant of the first table chosen meanwhile (to add a lone, say) leaves
                // the line to the table the box offers.
                tab.checkAll->click();
                QVERIFY(f.chooseEntrant(tables.tables()[0].sides[0].front()));
                QCOMPARE(tab.lblTable->text(), QStringLiteral("Table 1"));
                QCOMPARE(tab.lblTableScores->text(),
                         QStringLiteral("Table %1 scores:").arg(table.number));
                tab.txtTableScores->setFocus();
            }
            const QString line = QStringLiteral("10 %1").arg(table.number % 8);
            QTest::keyClicks(QApplication::focusWidget(), line);
            keys += int(line.size());
            press(Qt::Key_Return);
        }
        const int scoring = keys - setup;
        std::printf("  a round of 4 tables by table: %d keys (%.2f per partnership), %d to set "
                    "out\n",
                    scoring, scoring / 8.0, setup);
        QVERIFY(scoring <= 3 * 8);
        for (const rh::RoundTable& table : tables.tables())
            for (int side = 0; side < 2; ++side)
                for (const std::string& id : table.sides[std::size_t(side)])
                    QCOMPARE(f.st().score(rno(round), eid(id)),
                             std::optional<int>(side == 0 ? 10 : int(table.number % 8)));
        // The round is over; the next starts at its first table, ready for the next line.
        QCOMPARE(f.session.tourney().CurrentRound(), round + 1);
        QCOMPARE(QApplication::focusWidget(), tab.txtTableScores);
        QCOMPARE(tab.lblTable->text(), QStringLiteral("Table 1"));
    }

    void aTeamTournamentShowsTheOpposingTeam() {
        Fixture f;
        QVERIFY(f.open("teams7.qmc"));
        ScoresTab& t = *f.tab;
        QCOMPARE(t.lblPlayer->text(), QStringLiteral("Team Name"));
        QCOMPARE(t.frmPartnerScore->title(), QStringLiteral("Opponent Round Score"));
        QVERIFY(!t.frmOpponent->isVisibleTo(&t));
        QCOMPARE(t.comboPlayerName->count(), 6); // one of the seven teams sits out
        const std::string r = f.round(), id = f.selectedId(), other = f.seatedWith(r, id);
        QCOMPARE(t.partner.name->text(), qs("*" + f.nameOf(other)));
        QVERIFY(f.chooseScore(10));
        QCOMPARE(f.score(r, id), std::string("10"));
        QVERIFY(f.score(r, other).empty());
        QCOMPARE(t.comboPlayerName->count(), 5);
        // A new tournament of the other kind gets a controller of its kind.
        QVERIFY(f.open("demo.qmc"));
        QCOMPARE(t.lblPlayer->text(), QStringLiteral("Name"));
        QVERIFY(t.frmOpponent->isVisibleTo(&t));
    }

    void validateScoreOpensANewWindowEachPress() {
        Fixture f;
        QVERIFY(f.open("demo.qmc"));
        f.window.toggleTools();
        f.tab->cmdValidateScore->click();
        f.tab->cmdValidateScore->click();
        const auto windows = f.window.findChildren<rh::ui::ValidateWindow*>();
        QCOMPARE(windows.size(), 2);
        rh::ui::ValidateWindow* w = windows.back();
        QVERIFY(w->isWindow());
        QCOMPARE(w->windowModality(), Qt::NonModal);

        // Check: every seated player of rounds 1 to 4, then the closing line.
        w->cmdCheck->click();
        QCOMPARE(w->lstValidate->count(), 16 * 4 + 1);
        QVERIFY(w->lstValidate->item(0)->text().startsWith(QStringLiteral("Round: 1 Player: ")));
        // Validate: partners agree everywhere; then one disagreement names both partners (made
        // behind the score entry's back, which never lets partners disagree).
        w->cmdValidate->click();
        QCOMPARE(w->lstValidate->count(), 1);
        QCOMPARE(w->lstValidate->item(0)->text(), QStringLiteral("*** End of Validation ***"));
        const std::string id = f.selectedId();
        QVERIFY(f.chooseScore(6));
        f.st().setScore(f.st().currentRoundNo(), eid(id), 4);
        w->cmdValidate->click();
        QCOMPARE(w->lstValidate->count(), 3);
        w->cmdClear->click();
        QCOMPARE(w->lstValidate->count(), 0);
        w->cmdClose->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(f.window.findChildren<rh::ui::ValidateWindow*>().size(), 1);
    }

    void theRosterViewerShowsWhoSitsWhere_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("seated");
        QTest::newRow("16 players") << QStringLiteral("demo.qmc") << 16;
        QTest::newRow("10 players, two sit out") << QStringLiteral("sitout10.qmc") << 8;
        QTest::newRow("7 teams, one sits out") << QStringLiteral("teams7.qmc") << 6;
    }
    void theRosterViewerShowsWhoSitsWhere() {
        QFETCH(QString, file);
        QFETCH(int, seated);
        Fixture f;
        ScoresTab& t = *f.tab;
        emit t.cmbDebugRound->activated(-1); // nothing loaded: nothing to show, nothing said
        emit t.cmbDebugPlorte->activated(-1);
        QCOMPARE(t.cmbDebugPlorte->count(), 0);
        QVERIFY(f.load(file.toStdString().c_str()));
        const rh::TournamentState& st = f.st();
        const rh::RoundNo current = st.currentRoundNo();
        QCOMPARE(t.cmbDebugRound->count(), st.settings.TotalRounds());
        QCOMPARE(t.cmbDebugRound->currentIndex(), -1);
        // Every entrant as "name~ID", in the order of the file.
        const auto& inFile = st.entrants.inFileOrder();
        QCOMPARE(t.lstDebug->item(1)->text(),
                 qs(st.nameOf(inFile[1]) + "~" + rh::idText(inFile[1])));

        // The shown text of an entrant in the round: "*" while its score is missing.
        const auto shown = [&](rh::RoundNo round, std::optional<rh::EntrantId> id) {
            QString name = id ? qs(st.nameOf(*id)) : QStringLiteral("?");
            return id && !st.hasScore(round, *id) ? QLatin1Char('*') + name : name;
        };
        for (const rh::RoundNo round : {rno(1), current}) {
            QVERIFY(choose(t.cmbDebugRound, int(num(round)) - 1));
            QStringList expected, items;
            for (const auto& e : st.entrantsByName())
                if (st.isSeated(round, e.id))
                    expected << shown(round, e.id);
            for (int i = 0; i < t.cmbDebugPlorte->count(); ++i)
                items << t.cmbDebugPlorte->itemText(i);
            QCOMPARE(items, expected);
            QCOMPARE(items.size(), seated);
        }
        // An entrant's table in the current round (the opposing team alone in a Team one).
        QVERIFY(choose(t.cmbDebugPlorte, 2));
        const rh::EntrantId id = eid(t.cmbDebugPlorte->itemData(2).toLongLong());
        if (st.isProgressive()) {
            QCOMPARE(t.txtDebugPartner->text(), shown(current, st.partnerOf(current, id)));
            QCOMPARE(t.txtDebugOppo1->text(), shown(current, st.opponent1Of(current, id)));
            QCOMPARE(t.txtDebugOppo2->text(), shown(current, st.opponent2Of(current, id)));
        } else {
            QCOMPARE(t.txtDebugPartner->text(), shown(current, st.opponent1Of(current, id)));
            QVERIFY(t.txtDebugOppo1->text().isEmpty());
        }
        QVERIFY(t.txtDebugPartner->text().startsWith(u'*'));

        // A new load starts the viewer afresh; after a score is stored, choosing the round
        // again drops the star.
        QVERIFY(f.open(file.toStdString().c_str()));
        QCOMPARE(t.cmbDebugPlorte->count(), 0);
        QVERIFY(t.txtDebugPartner->text().isEmpty());
        QVERIFY(f.chooseEntrant(rh::idText(id)));
        QVERIFY(f.chooseScore(6));
        QVERIFY(choose(t.cmbDebugRound, int(num(current)) - 1));
        QCOMPARE(t.cmbDebugPlorte->itemText(t.cmbDebugPlorte->findData(qlonglong(num(id)))),
                 qs(f.st().nameOf(id))); // the reload's own state
        QVERIFY(f.prompt.shown.empty());
    }

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
        rh::TournamentClock& clock = f.session.clock();
        rh::ui::ClockPresenter& clocks = *f.window.clockPresenter();
        clocks.startStopTournament(); // the director starts the clock before the first score
        f.showTab(MainWindow::TabScores);
        QSignalSpy roundChanged(&f.window, &MainWindow::roundChanged);

        const int total = f.session.tourney().TotalRounds();
        const int first = f.session.tourney().CurrentRound();
        QVERIFY(first < total);
        for (int round = first; round <= total; ++round) {
            const rh::RoundNo r = rno(round);
            QCOMPARE(f.tab->comboSelectRnd->currentText(), qs(rh::fmt00(round)));
            QCOMPARE(f.tab->comboPlayerName->count(), f.seatedIn(round));
            const int ticks = 30 + round;
            for (int i = 0; i < ticks; ++i)
                clocks.roundTick();
            if (round == first + 1) { // a pause in progress ends with the round
                clocks.pauseResume();
                clocks.pauseTick();
            }
            const bool last = round == total;
            const int oversBefore = f.roundOvers(last);
            int choices = 0;
            while (f.roundOvers(last) == oversBefore) {
                QVERIFY2(f.tab->comboPlayerName->count() > 0, "the round ended without a dialog");
                const std::string id = f.selectedId();
                f.hooks.clear();
                QVERIFY(f.chooseScore((std::stoi(id) * 7 + round) % 11));
                QVERIFY(f.st().hasScore(r, eid(id)));
                ++choices;
                if (f.roundOvers(last) == oversBefore)
                    QCOMPARE(f.hooks, std::vector<std::string>{"refreshViews"});
            }
            // Progressive partners share a score: one choice per partnership.
            QCOMPARE(choices, teams ? f.seatedIn(round) : f.seatedIn(round) / 2);
            QVERIFY(rh::isRoundComplete(f.st(), r));
            if (last)
                break;
            QCOMPARE(f.roundOvers(true), 0);
            QCOMPARE(f.hooks, kAdvance);
            QCOMPARE(f.session.tourney().CurrentRound(), round + 1);
            QCOMPARE(roundChanged.count(), round - first + 1);
            // The round's time was recorded before its clock was reset and started again.
            QCOMPARE(clock.m_roundTimes.at(static_cast<std::size_t>(round - 1)),
                     static_cast<std::int64_t>(ticks));
            QCOMPARE(clock.RTimer.totalSeconds(), 0);
            QVERIFY(clocks.roundTimer()->isActive());
            QVERIFY(!clocks.pauseTimer()->isActive());
            QCOMPARE(f.window.timerTab()->cmdPause->text(), QStringLiteral("&Pause"));
            QCOMPARE(f.window.strCurrentRound(), " " + std::to_string(round + 1));
            QCOMPARE(f.window.dashboard()->progressBar->value(), round);
            // The recovery copy holds the tournament at its new round; no temporary left.
            QVERIFY(!std::filesystem::exists(f.recoveryFile(".TMP")));
            rh::ScriptedPrompt quiet;
            rh::Session copy(quiet);
            QVERIFY(rh::LoadXMLDocument(copy, f.recoveryFile(".RCV").string()));
            QCOMPARE(copy.tourney().CurrentRound(), round + 1);
            QVERIFY(rh::isRoundComplete(copy.state(), r));
            QCOMPARE(f.window.tabs()->currentIndex(), int(MainWindow::TabScores));
        }

        // The last round ends the tournament: the Results tab, the bar full, the round kept.
        QCOMPARE(f.roundOvers(false), total - first);
        QCOMPARE(f.roundOvers(true), 1);
        QCOMPARE(f.hooks, (std::vector<std::string>{"refreshViews", "ShowResultsTab",
                                                    "UpdateProgressBars(true)"}));
        QCOMPARE(f.window.tabs()->currentIndex(), int(MainWindow::TabResults));
        QCOMPARE(f.session.tourney().CurrentRound(), total);
        QCOMPARE(f.window.dashboard()->lblProgress->text(), QStringLiteral("100%"));
        QVERIFY(clocks.tourneyTimer()->isActive()); // the clocks run on until stopped

        // Any later score shows "THE TOURNAMENT IS OVER" again and the results once more.
        f.showTab(MainWindow::TabScores);
        f.tab->checkAll->click();
        QVERIFY(f.chooseScore(10));
        QCOMPARE(f.roundOvers(true), 2);
        QCOMPARE(f.window.tabs()->currentIndex(), int(MainWindow::TabResults));
        QCOMPARE(f.session.tourney().CurrentRound(), total);
    }

    void anEarlierRoundAdvancesNothing() {
        Fixture f;
        QVERIFY(f.open("demo.qmc"));
        // Changing a score of round 1 leaves round 4 open.
        f.prompt.conflictTakesPlayer = {true};
        QVERIFY(choose(f.tab->comboSelectRnd, 0));
        QVERIFY(f.chooseScore(3));
        QCOMPARE(f.roundOvers(false), 0);
        QCOMPARE(f.session.tourney().CurrentRound(), 4);
        QVERIFY(!std::filesystem::exists(f.recoveryFile(".RCV")));
    }

    void theWindowFitsItsScreen() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        const QSize content = f.window.minimumSizeHint();
        const QMargins frame(4, 32, 4, 4);
        QSize last;
        // Screens less their task bars, from a small laptop's up.
        for (const QRect available :
             {QRect(0, 40, 1280, 760), QRect(1920, 0, 1920, 1040), QRect(0, 0, 2560, 1400)}) {
            const QRect client = rh::ui::fittedClientGeometry(available, frame);
            QVERIFY(available.contains(client.marginsAdded(frame)));
            // The content lays out at that size, and the window grows with the screen.
            QVERIFY(client.width() >= content.width() && client.height() >= content.height());
            QVERIFY(client.width() >= last.width() && client.height() >= last.height());
            last = client.size();
        }
        QVERIFY(last.width() > 2000 && last.height() > 1100);
    }
};

QTEST_MAIN(ScoresTabTest)
#include "scores_tab_test.moc"

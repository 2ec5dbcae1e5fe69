// The Scores tab driven through its real widgets: a loaded tournament on screen, scores stored for
// the entrant and the partner, the partner conflict, the lone check holding the selectors, "Show
// All", "Paid", the money colours, the keyboard path, the Team layout and the validation window.
#include "core/scripted_prompt.h"
#include "core/text.h"
#include "model_helpers.h"
#include "services/load_save.h"
#include "services/session.h"
#include "state/tournament_state.h"
#include "support/generator.h"
#include "support/temp_dir.h"
#include "ui/clock_presenter.h"
#include "ui/dialogs.h"
#include "ui/main_window.h"
#include "ui/presenters.h"
#include "ui/scores_presenter.h"
#include "ui/tab_scores.h"
#include "ui/validate_window.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QWheelEvent>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <vector>

using rh::ui::MainWindow;
using rh::ui::ScoresPresenter;
using rh::ui::ScoresTab;

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

const QColor kGreen(180, 255, 180);
const QColor kRed(255, 180, 180);

// One window with its presenters on a session of its own, in a temporary folder of its own.
struct Fixture {
    rh::test::TempDir tmp; // before the session: the session takes its temporary folder then
    rh::ScriptedPrompt prompt;
    rh::Session session{prompt};
    MainWindow window{session};
    ScoresTab* tab = window.scoresTab();
    ScoresPresenter* presenter = nullptr;

    Fixture() {
        rh::ui::installPresenters(window);
        presenter = window.findChild<ScoresPresenter*>();
    }

    // What the after-load refresh does before the views fill themselves, then the views.
    void afterLoad() {
        session.markViewsFilled();
        window.ShowDashboard();
        session.clock.ResetForLoad(window.clockPresenter()->now());
        session.clock.SetProgressRange(session.tourney().TotalRounds());
        window.notifyTournamentLoaded();
        prompt.clear();
    }
    bool load(const char* example) {
        const std::string path = std::string(RANKHALL_SOURCE_DIR) + "/examples/" + example;
        if (!rh::ResetAndLoad(session, path))
            return false;
        afterLoad();
        return true;
    }
    void showScores() { window.tabs()->setCurrentIndex(MainWindow::TabScores); }

    rh::TournamentState& st() { return session.state(); }
    std::string round() const { return rh::fmt00(session.tourney().CurrentRound()); }
    std::string selectedId() const {
        return tab->comboPlayerName->currentData().toString().toStdString();
    }
    std::string nameOf(const std::string& id) { return st().nameOf(rh::test::eid(id)); }
    /// The stored score as two digits, "" when none.
    std::string score(const std::string& round, const std::string& id) {
        const auto s = st().score(*rh::roundNoOf(round), rh::test::eid(id));
        return s ? rh::fmt00(*s) : std::string();
    }
    /// The partner (0; Team: the opposing team) or an opponent (1, 2) in the round, as ID text.
    std::string seatedWith(const std::string& round, const std::string& id, int which = 0) {
        const rh::RoundNo r = *rh::roundNoOf(round);
        const rh::EntrantId e = rh::test::eid(id);
        const auto other = which == 2                            ? st().opponent2Of(r, e)
                           : which == 1 || !st().isProgressive() ? st().opponent1Of(r, e)
                                                                 : st().partnerOf(r, e);
        return other ? rh::idText(*other) : std::string();
    }
    const rh::EntrantRecord& record(const std::string& id) {
        return *st().entrant(rh::test::eid(id));
    }
    int messagesTitled(const char* title) const { return prompt.countTitled(title); }
};

// A choice of the director: the list shows the item and says it was activated.
bool choose(QComboBox* list, int index) {
    if (!list->isEnabled() || index < 0 || index >= list->count())
        return false;
    list->setCurrentIndex(index);
    emit list->activated(index);
    return true;
}
int scoreIndex(const QComboBox* list, int score) {
    return list->findText(q(rh::fmtItem(score)));
}
bool chooseScore(ScoresTab* tab, int score) {
    return choose(tab->comboPlayerScore, scoreIndex(tab->comboPlayerScore, score));
}
bool chooseEntrant(ScoresTab* tab, const std::string& id) {
    return choose(tab->comboPlayerName, tab->comboPlayerName->findData(q(id)));
}
QColor background(const QWidget* w) {
    return w->autoFillBackground() ? w->palette().color(QPalette::Window) : QColor();
}

} // namespace

class ScoresTabTest : public QObject {
    Q_OBJECT
private slots:
    void aLoadedRoundShowsTheWaitingEntrantsAndTheirTable() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        f.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        f.showScores();
        ScoresTab& t = *f.tab;
        QCOMPARE(t.comboSelectRnd->count(), 4);
        QCOMPARE(t.comboSelectRnd->currentText(), QStringLiteral("04"));
        QCOMPARE(t.comboPlayerName->count(), 16);
        for (int i = 0; i < t.comboPlayerName->count(); ++i)
            QVERIFY(t.comboPlayerName->itemText(i).startsWith(QLatin1Char('*')));
        QCOMPARE(t.comboPlayerName->currentIndex(), 0);
        QCOMPARE(t.comboPlayerScore->count(), 34);
        QCOMPARE(t.comboPlayerScore->currentIndex(), 0); // the blank item: no score yet
        QCOMPARE(t.lblPlayer->text(), QStringLiteral("Name"));
        QCOMPARE(t.boxPlayer->title(), QStringLiteral("Player Round Score"));
        QCOMPARE(t.frmPartnerScore->title(), QStringLiteral("Partner Round Score"));
        QVERIFY(t.frmOpponent->isVisible());
        QCOMPARE(t.frmOpponent->title(), QStringLiteral("Opponent Round Score"));
        QVERIFY(t.comboPlayerScore->hasFocus());

        const std::string id = f.selectedId();
        const std::string r = f.round();
        QCOMPARE(t.partner.name->text(), q("*" + f.nameOf(f.seatedWith(r, id))));
        QCOMPARE(t.oppo1.name->text(), q("*" + f.nameOf(f.seatedWith(r, id, 1))));
        QCOMPARE(t.oppo2.name->text(), q("*" + f.nameOf(f.seatedWith(r, id, 2))));
        QVERIFY(!t.partner.total->text().isEmpty());
        QVERIFY(!t.lblTotalFeePlayer->text().isEmpty());
        QVERIFY(f.prompt.shown.empty());

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
        f.showScores();
        QCOMPARE(f.selectedId(), clicked);
        // Its score given, the first waiting entrant is next.
        const std::string partner = f.seatedWith(f.round(), clicked);
        QVERIFY(chooseScore(f.tab, 4));
        QCOMPARE(f.tab->comboPlayerName->currentIndex(), 0);
        QVERIFY(f.selectedId() != clicked && f.selectedId() != partner);
        // A new load forgets it.
        f.session.chooseInStandings(rh::idText(f.st().entrantsByName().at(9).id));
        f.window.tabs()->setCurrentIndex(MainWindow::TabLoadMoney);
        QVERIFY(f.load("demo.qmc"));
        QCOMPARE(f.session.standingsChoice(), std::string("00"));
        f.showScores();
        QCOMPARE(f.tab->comboPlayerName->currentIndex(), 0);
    }

    void aReplacedTournamentLeavesNothingToActOn() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        f.showScores();
        const int waiting = f.tab->comboPlayerName->count();
        QVERIFY(waiting > 0);
        // The tournament is replaced by the empty one under the tab, which still shows the old.
        f.session.closeTournament();
        QVERIFY(chooseScore(f.tab, 7));
        QCOMPARE(f.st().scores.count(), std::size_t(0));
        QCOMPARE(f.tab->comboPlayerName->count(), 0);
        QVERIFY(!f.tab->comboPlayerScore->isEnabled());
        QVERIFY(!f.tab->comboSelectRnd->isEnabled());
        QVERIFY(f.tab->partner.name->text().isEmpty());
    }

    void aScoreIsStoredForTheEntrantAndThePartner() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        f.showScores();
        QSignalSpy stored(&f.window, &MainWindow::scoreStored);
        const std::string r = f.round();
        const std::string id = f.selectedId();
        const std::string partner = f.seatedWith(r, id);
        QVERIFY(chooseScore(f.tab, 7));
        QCOMPARE(f.score(r, id), std::string("07"));
        QCOMPARE(f.score(r, partner), std::string("07"));
        QCOMPARE(stored.count(), 1);
        QVERIFY(f.prompt.shown.empty());
        // Both have left the list of waiting entrants; the first of the others is selected.
        QCOMPARE(f.tab->comboPlayerName->count(), 14);
        QCOMPARE(f.tab->comboPlayerName->findData(q(id)), -1);
        QCOMPARE(f.tab->comboPlayerName->findData(q(partner)), -1);
        QCOMPARE(f.tab->comboPlayerName->currentIndex(), 0);
        QCOMPARE(f.tab->comboPlayerScore->currentIndex(), 0);

        // The blank score takes it back from both: they are waiting again.
        QVERIFY(f.tab->checkAll->isEnabled());
        f.tab->checkAll->click();
        QVERIFY(f.tab->checkAll->isChecked());
        QCOMPARE(f.tab->comboPlayerName->count(), 16);
        QVERIFY(chooseEntrant(f.tab, id));
        QCOMPARE(f.tab->comboPlayerScore->currentText(), QStringLiteral(" 07"));
        QCOMPARE(f.tab->partner.score->text(), QStringLiteral("07"));
        // Nothing differs from the partner's 07 more than no score: the director confirms.
        f.prompt.conflictTakesPlayer = {true};
        QVERIFY(choose(f.tab->comboPlayerScore, 0));
        QCOMPARE(f.prompt.shown.size(), std::size_t(1));
        QCOMPARE(f.prompt.shown[0].kind, std::string("conflict"));
        QVERIFY(f.score(r, id).empty());
        QVERIFY(f.score(r, partner).empty());
        const int at = f.tab->comboPlayerName->findData(q(id));
        QVERIFY(f.tab->comboPlayerName->itemText(at).startsWith(QLatin1Char('*')));
    }

    void aPartnerConflictIsSettledEitherWay() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        f.showScores();
        const std::string r = f.round();
        const std::string id = f.selectedId();
        const std::string partner = f.seatedWith(r, id);
        QVERIFY(chooseScore(f.tab, 7));
        f.tab->checkAll->click();

        // The partner claims 9; the director keeps the 7 already stored.
        f.prompt.conflictTakesPlayer = {false};
        QVERIFY(chooseEntrant(f.tab, partner));
        QCOMPARE(f.tab->partner.name->text(), q(f.nameOf(id)));
        QVERIFY(chooseScore(f.tab, 9));
        QCOMPARE(f.prompt.shown.size(), std::size_t(1));
        const rh::ConflictRequest& asked = f.prompt.shown[0].conflict;
        QCOMPARE(f.prompt.shown[0].kind, std::string("conflict"));
        QCOMPARE(asked.playerName, f.nameOf(partner));
        QCOMPARE(asked.partnerName, f.nameOf(id));
        QCOMPARE(asked.playerScore, std::string("09"));
        QCOMPARE(asked.partnerScore, std::string("07"));
        QCOMPARE(f.score(r, id), std::string("07"));
        QCOMPARE(f.score(r, partner), std::string("07"));

        // Again, and this time the 9 stands for both.
        f.prompt.conflictTakesPlayer = {true};
        QVERIFY(chooseEntrant(f.tab, partner));
        QVERIFY(chooseScore(f.tab, 9));
        QCOMPARE(f.prompt.shown.size(), std::size_t(2));
        QCOMPARE(f.score(r, id), std::string("09"));
        QCOMPARE(f.score(r, partner), std::string("09"));
        QVERIFY(chooseEntrant(f.tab, id));
        QCOMPARE(f.tab->comboPlayerScore->currentText(), QStringLiteral(" 09"));
        QCOMPARE(f.tab->partner.score->text(), QStringLiteral("09"));
    }

    void aLoneMismatchHoldsTheSelectorsUntilCorrected() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        f.showScores();
        ScoresTab& t = *f.tab;
        const std::string r = f.round();
        const std::string id = f.selectedId();
        QVERIFY(chooseScore(&t, 32));
        t.checkAll->click();
        QVERIFY(chooseEntrant(&t, id));
        // The most lones the scores allow: accepted.
        const int most = t.comboPlayerLones->count() - 1;
        QVERIFY(most >= 8);
        QVERIFY(choose(t.comboPlayerLones, most));
        QCOMPARE(f.messagesTitled("Data Mismatch"), 0);
        QVERIFY(t.comboSelectRnd->isEnabled());
        QCOMPARE(f.record(id).lones, std::optional<std::int32_t>(most));

        // Taking the 32 points back leaves too few for those lones: the score is stored all the
        // same, the message shows once, and round and entrant cannot be chosen.
        f.prompt.conflictTakesPlayer = {true};
        QVERIFY(chooseScore(&t, 0));
        QCOMPARE(f.score(r, id), std::string("00"));
        QCOMPARE(f.messagesTitled("Data Mismatch"), 1);
        const rh::Message shown = f.prompt.messages().back();
        QCOMPARE(shown.text, std::string("Score and Lone data mismatch"));
        QCOMPARE(shown.icon, rh::MsgIcon::Exclamation);
        QVERIFY(!t.comboSelectRnd->isEnabled());
        QVERIFY(!t.comboPlayerName->isEnabled());
        QCOMPARE(f.selectedId(), id); // the entrant stays on screen to be corrected
        QVERIFY(t.comboPlayerLones->isEnabled());
        QVERIFY(!choose(t.comboPlayerName, 0));

        // Correcting the lones gives them back.
        QVERIFY(choose(t.comboPlayerLones, 0));
        QVERIFY(t.comboSelectRnd->isEnabled());
        QVERIFY(t.comboPlayerName->isEnabled());
        QCOMPARE(f.record(id).lones, std::optional<std::int32_t>(0));
        QCOMPARE(f.messagesTitled("Data Mismatch"), 1);
    }

    void showAllAndAnEarlierRound() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        f.showScores();
        ScoresTab& t = *f.tab;
        QVERIFY(!t.checkAll->isChecked());
        QVERIFY(chooseScore(&t, 5));
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
        const std::string id = f.selectedId();
        QCOMPARE(t.comboPlayerScore->currentText().trimmed(), q(f.score("01", id)));
        QVERIFY(!t.partner.name->text().startsWith(QLatin1Char('*')));
    }

    void paidFollowsTheFinesAndTheMoneyCaptionsTheirColour() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        f.showScores();
        ScoresTab& t = *f.tab;
        f.tab->checkAll->click();
        // An entrant without fines: "Paid" cannot be checked, nothing is owed.
        const std::string r = f.round();
        const std::string id = f.selectedId();
        QVERIFY(choose(t.comboPlayerBumps, 0));
        QVERIFY(choose(t.comboPlayerWoods, 0));
        QVERIFY(!t.checkPaid->isEnabled());
        QVERIFY(!t.checkPaid->isChecked());
        QCOMPARE(background(t.lblTotalFeePlayer), kGreen);

        // One bump at 0.25: owed, without a leading zero, in red; "Paid" can be checked.
        QVERIFY(choose(t.comboPlayerBumps, 1));
        QCOMPARE(t.lblTotalFeePlayer->text(), QStringLiteral("$.25"));
        QCOMPARE(background(t.lblTotalFeePlayer), kRed);
        QVERIFY(t.checkPaid->isEnabled());
        QCOMPARE(f.record(id).bumps, std::optional<std::int32_t>(1));

        t.checkPaid->click();
        QVERIFY(t.checkPaid->isChecked());
        QCOMPARE(f.record(id).paid, std::optional<std::int32_t>(1));
        QCOMPARE(background(t.lblTotalFeePlayer), kGreen);
        QVERIFY(!t.comboPlayerBumps->isEnabled());
        QVERIFY(!t.comboPlayerWoods->isEnabled());

        t.checkPaid->click();
        QVERIFY(!t.checkPaid->isChecked());
        QCOMPARE(f.record(id).paid, std::optional<std::int32_t>(0));
        QCOMPARE(background(t.lblTotalFeePlayer), kRed);
        QVERIFY(t.comboPlayerBumps->isEnabled());

        // The partner's screen shows what this entrant owes beside its name, in its colour.
        QVERIFY(chooseEntrant(&t, f.seatedWith(r, id)));
        QCOMPARE(t.partner.fee->text(), QStringLiteral("$.25"));
        QCOMPARE(background(t.partner.fee), kRed);
        QCOMPARE(t.partner.bumps->text(), QStringLiteral("01"));
    }

    void theKeyboardAloneEntersAScore() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        f.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        f.showScores();
        ScoresTab& t = *f.tab;
        // Tab runs round, entrant, score, lones, bumps, woods, paid.
        t.comboSelectRnd->setFocus();
        QWidget* expected[] = {t.comboPlayerName,  t.comboPlayerScore, t.comboPlayerLones,
                               t.comboPlayerBumps, t.comboPlayerWoods, t.checkPaid};
        for (QWidget* next : expected) {
            // Paid is skipped while it cannot be checked.
            if (!next->isEnabled())
                continue;
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }

        // Typing "1", "2" on the score list opens it at " 12"; Enter chooses it.
        const std::string r = f.round();
        const std::string id = f.selectedId();
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

        // Names are found without their waiting mark.
        const QString second = t.comboPlayerName->itemText(1).mid(1);
        t.comboPlayerName->setFocus();
        QTest::keyClicks(t.comboPlayerName, second.left(3));
        QTRY_VERIFY(t.comboPlayerName->view()->isVisible());
        QCOMPARE(t.comboPlayerName->view()->currentIndex().row(), 1);
        QTest::keyClick(t.comboPlayerName->view(), Qt::Key_Return);
        QCOMPARE(t.comboPlayerName->currentIndex(), 1);
        QCOMPARE(rh::ui::findTypedRow(t.comboPlayerScore, QStringLiteral("0")),
                 scoreIndex(t.comboPlayerScore, 0));
        QCOMPARE(rh::ui::findTypedRow(t.comboPlayerScore, QStringLiteral("07")),
                 scoreIndex(t.comboPlayerScore, 7));
        QCOMPARE(rh::ui::findTypedRow(t.comboPlayerScore, QStringLiteral("40")), -1);
    }

    void aTeamTournamentShowsTheOpposingTeam() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        f.showScores();
        QVERIFY(f.tab->frmOpponent->isVisibleTo(f.tab));
        // A new tournament of the other kind gets a controller of its kind.
        f.window.tabs()->setCurrentIndex(MainWindow::TabLoadMoney);
        QVERIFY(f.load("teams7.qmc"));
        f.showScores();
        ScoresTab& t = *f.tab;
        QCOMPARE(t.lblPlayer->text(), QStringLiteral("Team Name"));
        QCOMPARE(t.boxPlayer->title(), QStringLiteral("Team Round Score"));
        QCOMPARE(t.frmPartnerScore->title(), QStringLiteral("Opponent Round Score"));
        QVERIFY(!t.frmOpponent->isVisibleTo(&t));
        QCOMPARE(t.comboPlayerName->count(), 6); // one of the seven teams sits out
        const std::string r = f.round();
        const std::string id = f.selectedId();
        const std::string other = f.seatedWith(r, id);
        QCOMPARE(t.partner.name->text(), q("*" + f.nameOf(other)));
        QVERIFY(chooseScore(&t, 10));
        QCOMPARE(f.score(r, id), std::string("10"));
        QVERIFY(f.score(r, other).empty());
        QCOMPARE(t.comboPlayerName->count(), 5);
    }

    void validateScoreOpensANewWindowEachPress() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        f.showScores();
        f.window.toggleTools();
        QVERIFY(f.tab->cmdValidateScore->isVisibleTo(f.tab));
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
        QCOMPARE(w->lstValidate->item(w->lstValidate->count() - 1)->text(),
                 QStringLiteral("*** End of Check ***"));
        QVERIFY(w->lstValidate->item(0)->text().startsWith(QStringLiteral("Round: 1 Player: ")));

        // Validate: partners agree everywhere; then one disagreement names both partners.
        w->cmdValidate->click();
        QCOMPARE(w->lstValidate->count(), 1);
        QCOMPARE(w->lstValidate->item(0)->text(), QStringLiteral("*** End of Validation ***"));
        const std::string id = f.selectedId();
        QVERIFY(chooseScore(f.tab, 6));
        f.st().setScore(f.st().currentRoundNo(), rh::test::eid(id), 4);
        w->cmdValidate->click();
        QCOMPARE(w->lstValidate->count(), 3);
        w->cmdClear->click();
        QCOMPARE(w->lstValidate->count(), 0);

        w->cmdClose->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(f.window.findChildren<rh::ui::ValidateWindow*>().size(), 1);
    }

    void theConflictDialogWaitsForAnExplicitChoice() {
        // Neither score is preset: Enter alone keeps the partner's stored score, so nothing
        // already stored is replaced without a choice. The keyboard starts at optPlayer.
        rh::ui::ResolveDialog dialog({"Ann Abbott", "*Bob Baker", "09", "07"});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog.optPlayer));
        QVERIFY(!dialog.optPlayer->isChecked());
        QCOMPARE(dialog.cbPlayerName->focusPolicy(), Qt::NoFocus);
        QCOMPARE(dialog.cbPartnerScore->focusPolicy(), Qt::NoFocus);
        // The arrows go between the two, Space chooses, Tab goes on to OK.
        QTest::keyClick(dialog.optPlayer, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog.optPartner));
        QTest::keyClick(dialog.optPartner, Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog.optPlayer));
        QTest::keyClick(dialog.optPlayer, Qt::Key_Space);
        QVERIFY(dialog.optPlayer->isChecked());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog.cmdOK));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(dialog.QDialog::result(), int(QDialog::Accepted));
        QCOMPARE(dialog.result(), std::string("09"));

        rh::ui::ResolveDialog untouched({"Ann Abbott", "*Bob Baker", "09", "07"});
        untouched.show();
        QVERIFY(QTest::qWaitForWindowActive(&untouched));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(untouched.QDialog::result(), int(QDialog::Accepted));
        QCOMPARE(untouched.result(), std::string("07"));
    }
};

QTEST_MAIN(ScoresTabTest)
#include "scores_tab_test.moc"

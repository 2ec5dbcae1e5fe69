// The roster viewer on the Scores tab: rounds after a load, the entrants seated in a chosen round
// ("*" while a score is missing), the partner and opponents of a chosen entrant (the opposing
// team in a Team tournament), and the names as loaded.
#include "core/text.h"
#include "model_helpers.h"
#include "review_fixture.h"
#include "ui/dashboard.h"
#include "ui/grid_model.h"
#include "ui/tab_scores.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

using rh::test::ReviewFixture;
using rh::ui::MainWindow;

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

struct ViewerFixture : ReviewFixture {
    rh::ui::ScoresTab* tab = window.scoresTab();

    void choose(QComboBox* list, int index) {
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
    void chooseRound(const char* round) {
        choose(tab->cmbDebugRound, tab->cmbDebugRound->findText(s(round)));
    }
    /// The shown entrant text for an ID in the chosen round ("*" when no score yet).
    QString expected(rh::RoundNo round, std::optional<rh::EntrantId> id) const {
        const auto& st = session.state();
        if (!id)
            return s("?");
        QString name = rh::ui::qtext(st.nameOf(*id));
        if (!st.hasScore(round, *id))
            name.prepend(u'*');
        return name;
    }
    QStringList entrantItems() const {
        QStringList out;
        for (int i = 0; i < tab->cmbDebugPlorte->count(); ++i)
            out << tab->cmbDebugPlorte->itemText(i);
        return out;
    }
};

} // namespace

class RosterViewerTest : public QObject {
    Q_OBJECT
private slots:
    void emptyBeforeAnyLoad() {
        ViewerFixture f;
        QCOMPARE(f.tab->cmbDebugRound->count(), 0);
        f.choose(f.tab->cmbDebugRound, -1);
        f.choose(f.tab->cmbDebugPlorte, -1);
        QCOMPARE(f.tab->cmbDebugPlorte->count(), 0);
        QVERIFY(f.tab->txtDebugPartner->text().isEmpty());
        QVERIFY(f.prompt.shown.empty());
    }

    void progressiveRoundsPartnersAndOpponents() {
        ViewerFixture f;
        QVERIFY(f.loadExample("demo.qmc"));
        const auto& st = f.session.state();
        // Shown and hidden by double-clicking the jackpot frame.
        QVERIFY(f.tab->frmDebug->isHidden());
        f.window.toggleTools();
        QVERIFY(!f.tab->frmDebug->isHidden());
        QVERIFY(!f.tab->frmDebugNames->isHidden());

        const int rounds = st.settings.TotalRounds();
        QCOMPARE(f.tab->cmbDebugRound->count(), rounds);
        QCOMPARE(f.tab->cmbDebugRound->itemText(0), s("01"));
        QCOMPARE(f.tab->cmbDebugRound->itemText(rounds - 1), rh::ui::qtext(rh::fmt00(rounds)));
        QCOMPARE(f.tab->cmbDebugRound->currentIndex(), -1);

        // Every entrant as "name~ID", in the order of the file.
        const auto& inFile = st.entrants.inFileOrder();
        QCOMPARE(f.tab->lstDebug->count(), int(inFile.size()));
        for (int i = 0; i < f.tab->lstDebug->count(); ++i)
            QCOMPARE(f.tab->lstDebug->item(i)->text(),
                     rh::ui::qtext(st.nameOf(inFile[std::size_t(i)]) + "~" +
                                   rh::idText(inFile[std::size_t(i)])));
        QVERIFY(f.tab->lstDebug->item(0)->text().endsWith(s("~01")));

        // A scored round: everybody seated, nobody starred.
        f.chooseRound("01");
        QStringList expected;
        for (const auto& e : st.entrantsByName())
            expected << f.expected(rh::test::rno(1), e.id);
        QCOMPARE(f.entrantItems(), expected);
        QVERIFY(!f.entrantItems().join(s("")).contains(u'*'));
        QCOMPARE(f.tab->cmbDebugPlorte->currentIndex(), -1);

        // The current round, not yet scored: every name starred; an entrant's table.
        const rh::RoundNo current = st.currentRoundNo();
        f.chooseRound(rh::fmt00(num(current)).c_str());
        QVERIFY(f.tab->cmbDebugPlorte->count() > 0);
        for (const QString& item : f.entrantItems())
            QVERIFY(item.startsWith(u'*'));
        f.choose(f.tab->cmbDebugPlorte, 2);
        const rh::EntrantId id = rh::test::eid(f.tab->cmbDebugPlorte->itemData(2).toLongLong());
        QCOMPARE(f.tab->cmbDebugPlorte->itemText(2), f.expected(current, id));
        QCOMPARE(f.tab->txtDebugPartner->text(), f.expected(current, st.partnerOf(current, id)));
        QCOMPARE(f.tab->txtDebugOppo1->text(), f.expected(current, st.opponent1Of(current, id)));
        QCOMPARE(f.tab->txtDebugOppo2->text(), f.expected(current, st.opponent2Of(current, id)));
        QVERIFY(f.tab->txtDebugPartner->text().startsWith(u'*'));

        // After the player's score is stored, choosing the round again drops the star.
        const QString name = rh::ui::qtext(st.nameOf(id));
        f.session.state().setScore(current, id, 6);
        f.window.notifyScoreStored();
        f.chooseRound(rh::fmt00(num(current)).c_str());
        QVERIFY(f.entrantItems().contains(name));
        QVERIFY(!f.entrantItems().contains(s("*") + name));
    }

    void whoSitsOutIsNotOffered() {
        ViewerFixture f;
        QVERIFY(f.loadExample("sitout10.qmc"));
        const auto& st = f.session.state();
        f.chooseRound("02");
        int seated = 0;
        for (const auto& e : st.entrantsByName())
            seated += st.isSeated(rh::test::rno(2), e.id) ? 1 : 0;
        QCOMPARE(seated, 8);
        QCOMPARE(f.tab->cmbDebugPlorte->count(), seated);
        for (int i = 0; i < f.tab->cmbDebugPlorte->count(); ++i)
            QVERIFY(st.isSeated(rh::test::rno(2),
                                rh::test::eid(f.tab->cmbDebugPlorte->itemData(i).toLongLong())));
    }

    void teamShowsTheOpposingTeamOnly() {
        ViewerFixture f;
        QVERIFY(f.loadExample("teams7.qmc"));
        const auto& st = f.session.state();
        f.chooseRound("01");
        QCOMPARE(f.tab->cmbDebugPlorte->count(), 6); // seven teams: one sits out
        f.choose(f.tab->cmbDebugPlorte, 0);
        const rh::EntrantId id = rh::test::eid(f.tab->cmbDebugPlorte->itemData(0).toLongLong());
        const auto other = st.opponent1Of(rh::test::rno(1), id);
        QVERIFY(other.has_value());
        QCOMPARE(f.tab->txtDebugPartner->text(), f.expected(rh::test::rno(1), other));
        QVERIFY(f.tab->txtDebugOppo1->text().isEmpty());
        QVERIFY(f.tab->txtDebugOppo2->text().isEmpty());

        // A new load starts the viewer afresh.
        QVERIFY(f.loadExample("demo.qmc"));
        QCOMPARE(f.tab->cmbDebugRound->count(), int(f.session.tourney().TotalRounds()));
        QCOMPARE(f.tab->cmbDebugPlorte->count(), 0);
        QVERIFY(f.tab->txtDebugPartner->text().isEmpty());
        QCOMPARE(f.tab->lstDebug->count(), 16);
    }
};

QTEST_MAIN(RosterViewerTest)
#include "roster_viewer_test.moc"

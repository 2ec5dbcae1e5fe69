// The "Results" tab as the director uses it: the winners with places, payouts and colours, the
// entrants who owe bump money and their paid check boxes (and what the standings and the HTML page
// make of a tick), the jackpot grid with its heading and explanation, the jackpot summary, heading
// sorts, and the time it takes with 2000 entrants.
#include "core/currency.h"
#include "core/text.h"
#include "model_helpers.h"
#include "money/jackpot.h"
#include "publishing/html.h"
#include "review_fixture.h"
#include "services/standings_page.h"
#include "services/views.h"
#include "standings/leaders.h"
#include "ui/dashboard.h"
#include "ui/grid_model.h"
#include "ui/grid_sort.h"
#include "ui/results_presenter.h"
#include "ui/tab_results.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <map>

using rh::test::ReviewFixture;
using rh::ui::GridModel;
using rh::ui::MainWindow;

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

const QColor kGreen(0, 153, 51);
const QColor kRedText(255, 0, 0);
const QColor kBlackText(0, 0, 0);

rh::ui::ResultsPresenter* presenter(MainWindow& w) {
    return w.findChild<rh::ui::ResultsPresenter*>(s("resultsPresenter"));
}

QColor foreground(const GridModel& m, int row, int column) {
    return m.index(row, column).data(Qt::ForegroundRole).value<QBrush>().color();
}

QStringList column(const GridModel& m, int c) {
    QStringList out;
    for (int r = 0; r < m.rowCount(); ++r)
        out << m.text(r, c);
    return out;
}

QStringList headings(const GridModel& m) {
    QStringList out;
    for (const auto& c : m.columns())
        out << c.heading;
    return out;
}

/// Clicks a column heading of a grid as the director does.
void clickHeading(QTreeView* view, int column) {
    QHeaderView* header = view->header();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

/// The HTML row of an entrant: from its name (marked "* " while a score is outstanding) to the
/// end of the row.
std::string htmlRowOf(const std::string& page, const std::string& name) {
    const auto start = page.find(name + "</td>");
    if (start == std::string::npos)
        return {};
    return page.substr(start, page.find("</tr>", start) - start);
}

double money(const QString& text, const rh::CurrencyFormat& format) {
    double v = 0;
    return rh::parseMoney(text.toStdString(), format, v) ? v : -1;
}

} // namespace

class ResultsViewTest : public QObject {
    Q_OBJECT
private slots:
    void tickingADebtRowMarksItPaidEverywhere() {
        ReviewFixture f;
        QVERIFY(f.loadExample("demo.qmc"));
        f.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        f.showTab(MainWindow::TabResults);
        GridModel* bumps = presenter(f.window)->bumpModel();
        QVERIFY(bumps->rowCount() > 0);
        QVERIFY(bumps->isCheckable());

        int row = -1;
        for (int r = 0; r < bumps->rowCount() && row < 0; ++r)
            if (!bumps->isRowChecked(r))
                row = r;
        QVERIFY2(row >= 0, "the example has an unpaid debt");
        const QString tag = bumps->tag(row);
        const rh::EntrantId id = rh::test::eid(tag);
        const std::string name = bumps->text(row, 1).toStdString();
        QCOMPARE(foreground(*bumps, row, 1), kRedText);
        f.session.refresh().takeLeaderRefresh();
        QVERIFY(htmlRowOf(rh::buildHtmlPage(f.session, false), name).find("#FF3366") !=
                std::string::npos);

        const std::size_t messages = f.prompt.shown.size();
        QSignalSpy stored(&f.window, &MainWindow::scoreStored);
        // The director ticks the box: the view writes the check state into the model.
        QVERIFY(bumps->setData(bumps->index(row, 0), Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(f.session.state().entrant(id)->paid, std::optional<std::int32_t>(1));
        for (int c = 1; c < bumps->columnCount(); ++c)
            QCOMPARE(foreground(*bumps, row, c), kGreen);
        QVERIFY(f.session.refresh().leaderRefreshRequested());
        QCOMPARE(stored.count(), 1);

        // The standings and the page read the same mark.
        bool seen = false;
        for (const rh::LeaderEntry& e : rh::leaderEntries(f.session))
            if (e[rh::kLeaderId] == tag.toStdString()) {
                QCOMPARE(e[rh::kLeaderPaid], std::string("Y"));
                seen = true;
            }
        QVERIFY(seen);
        const std::string paidRow = htmlRowOf(rh::buildHtmlPage(f.session, false), name);
        QVERIFY(!paidRow.empty());
        QVERIFY(paidRow.find("#FF3366") == std::string::npos);
        QVERIFY(paidRow.find("#66FF66") != std::string::npos);

        // Showing the tab again keeps the tick; clearing it writes 0 and turns the row red.
        f.showTab(MainWindow::TabResults);
        row = bumps->findTag(tag);
        QVERIFY(bumps->isRowChecked(row));
        QVERIFY(bumps->setData(bumps->index(row, 0), Qt::Unchecked, Qt::CheckStateRole));
        QCOMPARE(f.session.state().entrant(id)->paid, std::optional<std::int32_t>(0));
        QCOMPARE(foreground(*bumps, row, 2), kRedText);
        QCOMPARE(f.prompt.shown.size(), messages); // nothing to tell the director
    }

    void debtRowsSortWithTheirChecksAndColours() {
        ReviewFixture f;
        QVERIFY(f.loadExample("demo.qmc"));
        f.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        f.showTab(MainWindow::TabResults);
        GridModel* bumps = presenter(f.window)->bumpModel();
        const auto& state = f.session.state();

        // Only entrants with a bump or a wood, in the order of their names.
        QStringList expectedNames;
        for (const auto& e : state.entrantsByName()) {
            const int b = rh::test::bumpsOf(state, e.id);
            const int w = rh::test::woodsOf(state, e.id);
            if (b >= 1 || w >= 1)
                expectedNames << QString::fromStdString(e.name);
        }
        QCOMPARE(column(*bumps, 1), expectedNames);
        QCOMPARE(headings(*bumps),
                 (QStringList{s(""), s("Player Name"), s("Pay In"), s("Bump"), s("Wood")}));
        for (int r = 0; r < bumps->rowCount(); ++r) {
            const rh::EntrantId id = rh::test::eid(bumps->tag(r));
            const double due =
                rh::test::bumpsOf(state, id) * 0.25 + rh::test::woodsOf(state, id) * 0.5;
            QCOMPARE(money(bumps->text(r, 2), f.session.currency()), due);
            const bool paid = rh::test::finesPaid(state, id);
            QCOMPARE(bumps->isRowChecked(r), paid);
            QCOMPARE(foreground(*bumps, r, 1), paid ? kGreen : kRedText);
        }
        // Tick one, then sort by "Pay In" both ways: the tick and the colour stay with the row.
        const QString ticked = bumps->tag(bumps->rowCount() - 1);
        const bool wasPaid = bumps->isRowChecked(bumps->rowCount() - 1);
        bumps->setData(bumps->index(bumps->rowCount() - 1, 0),
                       wasPaid ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
        QTreeView* view = f.window.resultsTab()->lvBumpView;
        for (int click = 0; click < 2; ++click) {
            clickHeading(view, 2);
            QCOMPARE(bumps->sortColumn(), 2);
            QCOMPARE(bumps->sortOrder(), click == 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
            QList<double> dues;
            for (int r = 0; r < bumps->rowCount(); ++r)
                dues << money(bumps->text(r, 2), f.session.currency());
            QList<double> sorted = dues;
            std::sort(sorted.begin(), sorted.end());
            if (click == 1)
                std::reverse(sorted.begin(), sorted.end());
            QCOMPARE(dues, sorted);
            const int r = bumps->findTag(ticked);
            QCOMPARE(bumps->isRowChecked(r), !wasPaid);
            QCOMPARE(foreground(*bumps, r, 4), wasPaid ? kRedText : kGreen);
        }
    }

    void winnersShowDensePlacesAndTheStandardSplit() {
        ReviewFixture f;
        // Four players, one round scored 30, 30, 25, 20; $25 entry each: $100 to pay out.
        rh::test::GeneratorOptions o;
        o.entrants = 4;
        o.rounds = 3;
        o.entryFee = 25;
        o.aliasEvery = 0;
        o.names = {"Ann", "Bob", "Cy", "Di"};
        f.session.closeTournament();
        rh::test::generateTournament(f.session.state(), o);
        auto& st = f.session.state();
        st.settings.setCurrentRound(1);
        const int scores[] = {20, 30, 25, 30};
        for (int id = 1; id <= 4; ++id)
            st.setScore(rh::test::rno(1), rh::test::eid(id), scores[id - 1]);
        st.entrantRecord(rh::test::eid(2)).alias = "Top Cat";
        f.session.markRead();
        f.afterLoad();
        f.showTab(MainWindow::TabResults);

        GridModel* winners = presenter(f.window)->winnerModel();
        QCOMPARE(headings(*winners),
                 (QStringList{s("Player Name"), s("Place"), s("Score"), s("Pay Out"), s("Lone")}));
        QCOMPARE(column(*winners, 0), (QStringList{s("Bob"), s("Di"), s("Cy"), s("Ann")}));
        QCOMPARE(column(*winners, 1), (QStringList{s("01"), s("01"), s("02"), s("03")}));
        QCOMPARE(column(*winners, 3), (QStringList{s("$40.00"), s("$40.00"), s("$20.00"), s(" ")}));
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 5; ++c)
                QCOMPARE(foreground(*winners, r, c), r < 3 ? kGreen : kBlackText);
        QCOMPARE(winners->tag(0), s("02"));
        QCOMPARE(winners->index(0, 0).data(Qt::ToolTipRole).toString(), s("Top Cat"));
        QCOMPARE(winners->index(0, 3).data(Qt::ToolTipRole).toString(), s("Top Cat"));
        QVERIFY(!winners->index(1, 0).data(Qt::ToolTipRole).isValid());
    }

    void numberColumnsSortByValue() {
        // The winners' Score is a number column (the sort rules themselves: grid_test).
        ReviewFixture f;
        QVERIFY(f.loadExample("demo.qmc"));
        f.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        f.showTab(MainWindow::TabResults);
        GridModel* winners = presenter(f.window)->winnerModel();
        std::vector<rh::ui::GridRow> rows;
        for (const char* v : {"10", "9", "-3", "2.5"}) {
            rows.emplace_back();
            rows.back().cells = {rh::ui::GridCell(s("n") + s(v)), rh::ui::GridCell(s("01")),
                                 rh::ui::GridCell(s(v))};
            rows.back().tag = s(v);
        }
        winners->setRows(rows);
        QTreeView* view = f.window.resultsTab()->lvWinnerView;
        clickHeading(view, 2); // Score: ascending first
        QCOMPARE(column(*winners, 2), (QStringList{s("-3"), s("2.5"), s("9"), s("10")}));
        QCOMPARE(winners->tag(0), s("-3"));
        clickHeading(view, 2);
        QCOMPARE(column(*winners, 2), (QStringList{s("10"), s("9"), s("2.5"), s("-3")}));
        clickHeading(view, 0); // the name as text
        QCOMPARE(column(*winners, 0), (QStringList{s("n-3"), s("n10"), s("n2.5"), s("n9")}));
    }

    void jackpotGridTextsAndSummary() {
        ReviewFixture f;
        QVERIFY(f.loadExample("demo.qmc"));
        f.showTab(MainWindow::TabResults);
        rh::ui::ResultsTab* tab = f.window.resultsTab();
        GridModel* lones = presenter(f.window)->loneModel();
        const auto& state = f.session.state();
        const int entrants = state.settings.TotalPlort();

        long long bumps = 0, woods = 0;
        std::map<QString, int> loneOf;
        int most = 0;
        for (int id = 1; id <= entrants; ++id) {
            bumps += rh::test::bumpsOf(state, rh::test::eid(id));
            woods += rh::test::woodsOf(state, rh::test::eid(id));
            const int l = rh::test::lonesOf(state, rh::test::eid(id));
            loneOf[rh::ui::qtext(rh::fmt00(id))] = l;
            most = std::max(most, l);
        }
        const double jackpot = bumps * 0.25 + woods * 0.5;
        QVERIFY(jackpot > 0);
        int winners = 0;
        for (const auto& [id, l] : loneOf)
            winners += l == most ? 1 : 0;

        QCOMPARE(lones->rowCount(), entrants);
        QCOMPARE(headings(*lones), (QStringList{s("Player Name"), s("Pay Out"), s("Lone")}));
        const QString share =
            rh::ui::qtext(rh::formatMoney(jackpot / winners, f.session.currency(), rh::kMoney2));
        for (int r = 0; r < lones->rowCount(); ++r) {
            const QString id = lones->tag(r);
            QCOMPARE(lones->text(r, 2).toInt(), loneOf[id]);
            QCOMPARE(lones->text(r, 0), rh::ui::qtext(state.nameOf(rh::test::eid(id))));
            const bool top = r < winners;
            QCOMPARE(loneOf[id] == most, top);
            QCOMPARE(lones->text(r, 1), top ? share : QString());
            QCOMPARE(foreground(*lones, r, 0), top ? kGreen : kBlackText);
            QCOMPARE(lones->index(r, 1).data(Qt::ToolTipRole).toString(),
                     rh::ui::qtext(state.aliasOf(rh::test::eid(id))));
        }

        QCOMPARE(tab->lblJackpotHeading->text(), s("Bump Jackpot - Winner"));
        QVERIFY(tab->lblJackpotExplanation->text().contains(
            s("otherwise known as the Bump Jackpot.  If there is a tie")));
        QVERIFY(tab->lblJackpotHeading->isVisibleTo(&f.window));
        QVERIFY(tab->lblJackpotExplanation->isVisibleTo(&f.window));
        QCOMPARE(tab->lblTotalBumps->text(), s("   ") + rh::ui::qtext(rh::fmt00(bumps)));
        QCOMPARE(tab->lblTotalWood->text(), s("   ") + rh::ui::qtext(rh::fmt00(woods)));
        QCOMPARE(tab->lblBumpFee->text(), s("$0.25"));
        QCOMPARE(tab->lblWoodFee->text(), s("$0.50"));
        const auto noLead = [&](double v) {
            return rh::ui::qtext(rh::formatMoney(v, f.session.currency(), rh::kMoneyNoLeadingZero));
        };
        QCOMPARE(tab->lblResultBump->text(), noLead(bumps * 0.25));
        QCOMPARE(tab->lblResultWood->text(), noLead(woods * 0.5));
        QCOMPARE(tab->lblResultJackpot->text(), noLead(jackpot));
        QCOMPARE(f.window.dashboard()->lblJackPot->text(), noLead(jackpot));
        QCOMPARE(tab->lblResultsJackpot->text(), s("Bump Jackpot:"));

        // The title follows the director's jackpot name.
        f.window.moneyTab()->txtJackpotTitle->setText(s("Woodpecker Pot"));
        QCOMPARE(tab->lblJackpotHeading->text(), s("Woodpecker Pot - Winner"));
        QCOMPARE(tab->lblResultsJackpot->text(), s("Woodpecker Pot:"));
        QVERIFY(tab->lblJackpotExplanation->text().contains(s("the Woodpecker Pot.  If")));

        // A stored bump and a new fee reach the summary at once.
        auto& st = f.session.state();
        st.entrantRecord(rh::test::eid(1)).bumps = rh::test::bumpsOf(st, rh::test::eid(1)) + 2;
        f.window.notifyScoreStored();
        QCOMPARE(tab->lblTotalBumps->text(), s("   ") + rh::ui::qtext(rh::fmt00(bumps + 2)));
        QCOMPARE(tab->lblResultJackpot->text(), noLead(jackpot + 0.5));
        rh::ui::MoneyTab::selectFee(f.window.moneyTab()->cbBumpFee, 1.0);
        QCOMPARE(tab->lblBumpFee->text(), s("$1.00"));
        QCOMPARE(tab->lblResultBump->text(), noLead(double(bumps + 2)));
        QCOMPARE(f.window.dashboard()->lblJackPot->text(), noLead(bumps + 2 + woods * 0.5));
    }

    void beforeAnyLoadTheGridsAreEmpty() {
        ReviewFixture f;
        f.showTab(MainWindow::TabResults);
        QCOMPARE(presenter(f.window)->loneModel()->rowCount(), 0);
        QCOMPARE(presenter(f.window)->bumpModel()->rowCount(), 0);
        QCOMPARE(presenter(f.window)->winnerModel()->rowCount(), 0);
        QCOMPARE(f.window.resultsTab()->lblResultJackpot->text(), s("$0.00"));
    }
};

QTEST_MAIN(ResultsViewTest)
#include "results_view_test.moc"

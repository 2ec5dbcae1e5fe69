// The grids: the model's sort rules by column kind (stable, whole rows moving with their cells,
// checks and colours), each grid's own direction and its arrow, the Space key on a check box;
// then the grids of the window as the director sees them: the Leaders standings (order, colours,
// rebuilds, clicks, who sits out), the Details tab (cells, the load's sort, heading clicks) and
// the Results tab (winners, debts and their paid marks, the jackpot).
#include "core/currency.h"
#include "core/text.h"
#include "ui/dashboard/dashboard.h"
#include "ui/details/details_presenter.h"
#include "ui/details/tab_details.h"
#include "ui/grids/grid_sort.h"
#include "ui/grids/grid_view.h"
#include "ui/leaders/leaders_presenter.h"
#include "ui/money/tab_money.h"
#include "ui/results/results_presenter.h"
#include "ui/results/tab_results.h"
#include "window_fixture.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionHeader>

#include <algorithm>
#include <map>
#include <random>

using namespace rh::ui;
using rh::Change;
using rh::test::clickHeading;
using rh::test::columnTexts;
using rh::test::eid;
using rh::test::foreground;
using rh::test::list;
using rh::test::qs;
using rh::test::s;
using rh::test::tagsOf;
using rh::test::WindowFixture;

namespace {

GridColumn col(const char* heading, const char* tag = "", Qt::Alignment a = Qt::AlignHCenter) {
    return GridColumn{s(heading), 1000, a, s(tag)};
}

GridRow row(std::initializer_list<const char*> texts, const char* tag) {
    GridRow r;
    for (const char* t : texts)
        r.cells.emplace_back(s(t));
    r.tag = s(tag);
    return r;
}

// Everything a row shows, by its tag: texts, tool tip per cell, colours, check state.
std::map<QString, QStringList> rowsByTag(const GridModel& model) {
    std::map<QString, QStringList> out;
    for (int r = 0; r < model.rowCount(); ++r) {
        QStringList parts;
        for (int c = 0; c < model.columnCount(); ++c) {
            const QModelIndex i = model.index(r, c);
            parts << i.data().toString() << i.data(Qt::ToolTipRole).toString()
                  << foreground(model, r, c).name() << i.data(Qt::CheckStateRole).toString();
        }
        out[model.tag(r)] = parts;
    }
    return out;
}

// The arrow the header's style draws for its sort indicator, read from the pixels: a triangle
// narrow at the top points up.
Qt::ArrowType drawnArrow(QHeaderView* header) {
    QImage image(24, 24, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QStyleOptionHeader option;
    option.initFrom(header);
    option.rect = image.rect();
    option.sortIndicator = QStyleOptionHeader::SortDown;
    header->style()->drawPrimitive(QStyle::PE_IndicatorHeaderArrow, &option, &painter, header);
    painter.end();
    QList<int> widths; // dark pixels per row, rows with any
    for (int y = 0; y < image.height(); ++y) {
        int dark = 0;
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 160;
        if (dark > 0)
            widths << dark;
    }
    if (widths.size() < 2 || widths.first() == widths.last())
        return Qt::NoArrow;
    return widths.first() < widths.last() ? Qt::UpArrow : Qt::DownArrow;
}

// A name column and one column of the given kind holding the cells, tags 01, 02, ...
void fillColumn(GridModel& model, const QString& kind, const QStringList& cells) {
    model.setColumns(
        {col("Name", "", Qt::AlignLeft), GridColumn{s("Value"), 1200, Qt::AlignHCenter, kind}});
    std::vector<GridRow> rows;
    for (int i = 0; i < cells.size(); ++i) {
        const QString tag = QString::number(i + 1).rightJustified(2, u'0');
        GridRow r;
        r.cells = {GridCell(QStringLiteral("n") + tag), GridCell(cells[i])};
        r.tag = tag;
        r.toolTip = QStringLiteral("alias") + tag;
        rows.push_back(std::move(r));
    }
    model.setRows(std::move(rows));
}

QList<int> numbers(const GridModel& m, int c) {
    QList<int> out;
    for (int r = 0; r < m.rowCount(); ++r)
        out << m.text(r, c).trimmed().toInt();
    return out;
}
QList<int> sorted(QList<int> values, bool descending) {
    std::sort(values.begin(), values.end());
    if (descending)
        std::reverse(values.begin(), values.end());
    return values;
}

const QColor kGreen(0, 153, 51);
const QColor kDarkGreen(0, 128, 0);
const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);

enum Col { Name, Place, Payout, Score, Avg, Lone, Paid, TotalDue, Bumps, Woods, Colorize, Owe };

struct Fixture : WindowFixture {
    GridModel& leaders() { return *presenter<LeadersPresenter>()->model(); }
    GridModel& details() { return *presenter<DetailsPresenter>()->model(); }
    ResultsPresenter& results() { return *presenter<ResultsPresenter>(); }
    QTreeView* leaderView() { return child<QTreeView>("lvLeaderView"); }
    bool shown(int tab) {
        window.show();
        showTab(tab);
        return QTest::qWaitForWindowExposed(&window);
    }
};

} // namespace

class GridTest : public QObject {
    Q_OBJECT
private slots:
    // Each kind of column sorts by its own rule, both ways; whole rows move with their cells.
    void columnsSortByTheirKind_data() {
        QTest::addColumn<QString>("kind"); // the column's tag: NUMBER, XXXX, or none for text
        QTest::addColumn<QString>("cells");
        QTest::addColumn<QString>("ascending");
        QTest::addColumn<QString>("ascendingTags"); // "" = not checked
        QTest::addColumn<QString>("descending");
        QTest::newRow("numbers") << "NUMBER"
                                 << "10|9|-3|2.5|-12"
                                 << "-12|-3|2.5|9|10"
                                 << ""
                                 << "10|9|2.5|-3|-12";
        // Empty text before every key, negative keys, the other numbers, then text starting
        // with a digit or a letter (compared as text with the keys).
        QTest::newRow("numbers and text") << "NUMBER"
                                          << "5|abc|-2||12x|0.5"
                                          << "|-2|0.5|5|12x|abc"
                                          << ""
                                          << "abc|12x|5|0.5|-2|";
        QTest::newRow("dollars") << "NUMBER"
                                 << "$40.00|($10.00)|$5.50|$1,200.00|$0.00|$.75"
                                 << "($10.00)|$0.00|$.75|$5.50|$40.00|$1,200.00"
                                 << ""
                                 << "$1,200.00|$40.00|$5.50|$.75|$0.00|($10.00)";
        QTest::newRow("euros") << "EURO"
                               << "1.200,00 \u20ac|12,50 \u20ac|(3,00 \u20ac)|2.5"
                               << "(3,00 \u20ac)|2.5|12,50 \u20ac|1.200,00 \u20ac"
                               << ""
                               << "1.200,00 \u20ac|12,50 \u20ac|2.5|(3,00 \u20ac)";
        QTest::newRow("text, ties kept") << ""
                                         << "bob|Alice|carl|ALICE"
                                         << "Alice|ALICE|bob|carl"
                                         << "02|04|01|03"
                                         << "carl|bob|Alice|ALICE";
        QTest::newRow("flags") << "XXXX"
                               << "Y|N|N|Y"
                               << "N|N|Y|Y"
                               << "02|03|01|04"
                               << "Y|Y|N|N";
    }
    void columnsSortByTheirKind() {
        QFETCH(QString, kind);
        QFETCH(QString, cells);
        QFETCH(QString, ascending);
        QFETCH(QString, ascendingTags);
        QFETCH(QString, descending);
        GridModel model;
        if (kind == QStringLiteral("EURO")) {
            model.setCurrencyFormat(rh::CurrencyFormat{"\u20ac", ",", ".", 3, 2, true, true});
            kind = QStringLiteral("NUMBER");
        }
        fillColumn(model, kind, cells.split(u'|'));
        const auto before = rowsByTag(model);
        SortByColumnWithDirection(model, 1, false, false);
        QCOMPARE(columnTexts(model, 1), ascending.split(u'|'));
        QCOMPARE(model.sortOrder(), Qt::AscendingOrder);
        if (!ascendingTags.isEmpty())
            QCOMPARE(tagsOf(model), ascendingTags.split(u'|'));
        QCOMPARE(rowsByTag(model), before);
        SortByColumnWithDirection(model, 1, false, true);
        QCOMPARE(columnTexts(model, 1), descending.split(u'|'));
        QCOMPARE(rowsByTag(model), before);
        QVERIFY(model.sortDirection());
    }

    void maskKeysOrderLikeTheirValues() {
        QCOMPARE(ComplementDigits(s("-0012.50x")), s(" 9987.49x"));
        std::mt19937 random(7);
        std::uniform_real_distribution<double> spread(-5000.0, 5000.0);
        std::vector<double> values{0.0, -0.0, 0.5, -0.5, 1e-9, -1e-9, 99999.99, -99999.99};
        for (int i = 0; i < 300; ++i)
            values.push_back(std::round(spread(random) * 100) / 100);
        for (double a : values)
            for (double b : {values[0], values[3], values[11], values[42], values[200]}) {
                const int byKey = NumberMaskKey(a).compare(NumberMaskKey(b));
                QCOMPARE(byKey < 0 ? -1 : (byKey > 0 ? 1 : 0), a < b ? -1 : (a > b ? 1 : 0));
            }
    }

    void tiedRowsKeepTheirOrder() {
        GridModel model;
        // Standings order: descending score, ties in ascending ID order.
        model.setColumns({col("Player Name", "", Qt::AlignLeft), col("Place", "NUMBER"),
                          col("Payout", "NUMBER"), col("Score", "NUMBER")});
        model.setRows({row({"d", "1", "$40.00", "30"}, "01"), row({"a", "1", "$40.00", "30"}, "04"),
                       row({"c", "2", "$10.00", "25"}, "02"), row({"b", "2", "$10.00", "25"}, "05"),
                       row({"e", "3", "$0.00", "20"}, "03")});
        const QStringList standing = tagsOf(model);
        SortByColumnWithDirection(model, 3, false, true);
        QCOMPARE(tagsOf(model), standing);
        SortByColumnWithDirection(model, 3, false, false);
        QCOMPARE(tagsOf(model), list("03|02|05|01|04"));
        SortByColumnWithDirection(model, 2, false, true);
        QCOMPARE(tagsOf(model), list("01|04|02|05|03"));
        // The comparison sort keeps ties too.
        SortNumeric(model, 1, Qt::DescendingOrder);
        QCOMPARE(tagsOf(model), list("03|02|05|01|04"));
    }

    void checkStatesAndColoursMoveWithTheirRows() {
        GridModel model;
        model.setColumns({col("", "", Qt::AlignLeft), col("Player Name"),
                          col("Pay In", "NUMBER", Qt::AlignRight)});
        model.setCheckable(true);
        QSignalSpy changes(&model, &GridModel::rowCheckChanged);
        std::vector<GridRow> rows;
        const char* names[] = {"Dan", "Amy", "Cy", "Bo"};
        const char* pay[] = {"$0.50", "$1.25", "$0.25", "$2.00"};
        const char* ids[] = {"01", "02", "03", "04"};
        for (int i = 0; i < 4; ++i) {
            GridRow r = row({"", names[i], pay[i]}, ids[i]);
            r.checked = i % 2 == 0;
            for (std::size_t c = 1; c < 3; ++c)
                r.cells[c].foreground = r.checked ? kGreen : kRed;
            rows.push_back(std::move(r));
        }
        model.setRows(std::move(rows));
        model.setRowChecked(1, true); // the program's marks say nothing
        model.setRowChecked(1, false);
        QCOMPARE(changes.count(), 0);

        const auto before = rowsByTag(model);
        SortByColumnWithDirection(model, 2, false, true);
        QCOMPARE(columnTexts(model, 1), list("Bo|Amy|Dan|Cy"));
        QCOMPARE(rowsByTag(model), before);
        SortByColumnWithDirection(model, 1, false, false);
        QCOMPARE(rowsByTag(model), before);
        QCOMPARE(tagsOf(model), list("02|04|03|01"));

        // The director ticks "Bo" (row 1 now): one signal with Bo's tag; again says nothing.
        QVERIFY(model.setData(model.index(1, 0), Qt::Checked, Qt::CheckStateRole));
        QVERIFY(model.setData(model.index(1, 0), Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(changes.count(), 1);
        QCOMPARE(changes.at(0).at(1).toString(), s("04"));
        QCOMPARE(changes.at(0).at(2).toBool(), true);
        model.recolorByCheck(kGreen, kRed, 1);
        QCOMPARE(foreground(model, 1, 2), kGreen);
        // Only column 0 carries a check box.
        QVERIFY(!(model.flags(model.index(0, 1)) & Qt::ItemIsUserCheckable));
        QVERIFY(!model.setData(model.index(0, 1), Qt::Checked, Qt::CheckStateRole));

        // Space on the current row of a view ticks its box.
        GridView view;
        view.gridModel()->setColumns({col(""), col("Player Name")});
        view.gridModel()->setCheckable(true);
        view.gridModel()->setRows({row({"", "Amy"}, "03"), row({"", "Bo"}, "07")});
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QSignalSpy ticks(view.gridModel(), &GridModel::rowCheckChanged);
        view.setCurrentIndex(view.gridModel()->index(1, 0));
        QTest::keyClick(&view, Qt::Key_Space);
        QCOMPARE(ticks.count(), 1);
        QCOMPARE(ticks.at(0).at(1).toString(), s("07"));
        QVERIFY(view.gridModel()->isRowChecked(1));
    }

    void eachGridKeepsItsDirectionAndItsArrowShowsIt() {
        GridView leaders, winners;
        fillColumn(*leaders.gridModel(), s("NUMBER"), list("7|30|12"));
        winners.gridModel()->setColumns({col("Player Name", "", Qt::AlignLeft)});
        winners.gridModel()->setRows({row({"bob"}, "01"), row({"Al"}, "02"), row({"cy"}, "03")});
        leaders.show();
        winners.show();
        QVERIFY(QTest::qWaitForWindowExposed(&leaders));
        QVERIFY(QTest::qWaitForWindowExposed(&winners));
        QSignalSpy sortedSpy(&leaders, &GridView::headingSorted);
        // The heading shows the model's column and order, its arrow up for ascending.
        auto shows = [](GridView& view, int column, Qt::SortOrder order) {
            return view.gridModel()->sortColumn() == column &&
                   view.gridModel()->sortOrder() == order &&
                   view.header()->sortIndicatorSection() == column &&
                   view.header()->sortIndicatorOrder() == order &&
                   drawnArrow(view.header()) == sortArrow(order) &&
                   sortArrow(order) == (order == Qt::AscendingOrder ? Qt::UpArrow : Qt::DownArrow);
        };
        // As after a standings refresh.
        SortByColumnWithDirection(*leaders.gridModel(), 1, false, true);
        QVERIFY(shows(leaders, 1, Qt::DescendingOrder));
        clickHeading(&winners, 0);
        QCOMPARE(columnTexts(*winners.gridModel(), 0), list("Al|bob|cy"));
        QVERIFY(shows(winners, 0, Qt::AscendingOrder));
        // Sorting one grid leaves the other's direction alone: leaders still flips to ascending.
        clickHeading(&leaders, 1);
        QCOMPARE(columnTexts(*leaders.gridModel(), 1), list("7|12|30"));
        QVERIFY(shows(leaders, 1, Qt::AscendingOrder));
        clickHeading(&winners, 0);
        QCOMPARE(columnTexts(*winners.gridModel(), 0), list("cy|bob|Al"));
        QVERIFY(shows(winners, 0, Qt::DescendingOrder));
        QCOMPARE(sortedSpy.count(), 1);
        QCOMPARE(sortedSpy.at(0).at(0).toInt(), 1);
    }

    void gameDetailHeadingsKeepTheirOwnDirection() {
        GridModel model;
        // Three rounds, two played.
        model.setColumns({col("Player Name", "", Qt::AlignLeft), col("01"), col("02"), col("03"),
                          col("Total"), col("Lone"), col("Bump"), col("Wood"),
                          col("", "", Qt::AlignLeft)});
        model.setSortMode(GridSortMode::PerHeading);
        model.setValueSortedColumns(gameDetailValueColumns(3));
        QVERIFY(!model.isValueSorted(0) && model.isValueSorted(3) && model.isValueSorted(7));
        QVERIFY(!model.isValueSorted(8));
        model.setRows({row({"bob", " 9", " 5", " 10", "  14", "  0", "  1", "  0", "bob"}, "01"),
                       row({"Al", " 10", " 0", "", "  10", "  2", "  0", "  0", "Al"}, "02"),
                       row({"cy", " 2", " 11", " 2", "  13", "  1", "  0", "  1", "cy"}, "03")});
        model.headingClicked(1); // a round: by value, ascending at first
        QCOMPARE(tagsOf(model), list("03|01|02"));
        model.headingClicked(1); // same heading again: descending
        QCOMPARE(tagsOf(model), list("02|01|03"));
        model.headingClicked(3); // by number too (2 before 10), a blank round lowest
        QCOMPARE(columnTexts(model, 3), list("| 2| 10"));
        model.headingClicked(0); // name: alphabetical, ignoring case
        QCOMPARE(tagsOf(model), list("02|01|03"));
        // Round 1's own flag is still descending; a click on the sorted column reverses it.
        model.headingClicked(1);
        QCOMPARE(tagsOf(model), list("02|01|03"));
        model.headingClicked(1);
        QCOMPARE(tagsOf(model), list("03|01|02"));
    }

    void theLeadersShowEveryPlayerBestFirst() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        GridModel& g = f.leaders();
        QCOMPARE(f.leaderView()->model(), static_cast<QAbstractItemModel*>(&g));
        QCOMPARE(g.rowCount(), 16);
        QVERIFY(f.leaderView()->isColumnHidden(Colorize) && f.leaderView()->isColumnHidden(Owe));
        // Sorted by Score, descending, and the grid's direction left at descending.
        QCOMPARE(g.sortColumn(), int(Score));
        QCOMPARE(g.sortOrder(), Qt::DescendingOrder);
        QCOMPARE(numbers(g, Score), sorted(numbers(g, Score), true));
        const rh::TournamentState& st = f.session.state();
        for (int r = 0; r < g.rowCount(); ++r) {
            const rh::EntrantId id = eid(g.tag(r));
            // Every row is its entrant: name (with the waiting mark), tool tip = alias.
            QVERIFY(g.text(r, Name).endsWith(qs(st.nameOf(id))));
            QCOMPARE(g.row(r).toolTip, qs(st.aliasOf(id)));
            const bool inMoney = g.text(r, Colorize) == QStringLiteral("Y");
            QCOMPARE(inMoney, r < 3); // the standard split pays three row positions
            for (int c : {Name, Place, Payout, Score, Avg, Lone})
                QCOMPARE(foreground(g, r, c), inMoney ? kDarkGreen : kBlack);
            const bool owes = g.text(r, Owe) == QStringLiteral("True");
            const bool paid = g.text(r, Paid) == QStringLiteral("Y");
            for (int c : {Paid, TotalDue, Bumps, Woods})
                QCOMPARE(foreground(g, r, c), owes ? (paid ? kDarkGreen : kRed) : kBlack);
        }
        // The leader, and a tie sharing second and third place money.
        QCOMPARE(g.text(0, Name), QStringLiteral("* Lou Lopez"));
        QCOMPARE(g.text(0, Payout), QStringLiteral("$80.00"));
        QCOMPARE(g.text(1, Place), QStringLiteral("2"));
        QCOMPARE(g.text(2, Place), QStringLiteral("2"));
        QCOMPARE(g.text(2, Payout), QStringLiteral("$40.00"));
    }

    void leaderHeadingClicksAlternateUntilTheNextRebuild() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        QVERIFY(f.shown(MainWindow::TabLeaders));
        GridModel& g = f.leaders();
        // After the rebuild's descending sort, the first click sorts ascending.
        clickHeading(f.leaderView(), Score);
        QCOMPARE(g.sortOrder(), Qt::AscendingOrder);
        QCOMPARE(numbers(g, Score), sorted(numbers(g, Score), false));
        clickHeading(f.leaderView(), Bumps);
        QCOMPARE(g.sortColumn(), int(Bumps));
        QCOMPARE(g.sortOrder(), Qt::DescendingOrder);
        QCOMPARE(g.tag(0), QStringLiteral("09")); // three bumps, paid: the colour went along
        QCOMPARE(foreground(g, 0, Bumps), kDarkGreen);
        // A rebuild puts the rows back in score order.
        f.window.notifyScoreStored();
        QCOMPARE(g.sortColumn(), int(Score));
        QCOMPARE(g.sortOrder(), Qt::DescendingOrder);
    }

    void aLeaderClickRemembersTheEntrantAndADoubleClickOpensScores() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        QVERIFY(f.shown(MainWindow::TabLeaders));
        const QString tag = f.leaders().tag(5);
        const QPoint at = f.leaderView()->visualRect(f.leaders().index(5, Score)).center();
        QTest::mouseClick(f.leaderView()->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(f.session.standingsChoice(), tag.toStdString());
        QCOMPARE(f.window.tabs()->currentIndex(), int(MainWindow::TabLeaders));
        QTest::mouseDClick(f.leaderView()->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(f.window.tabs()->currentIndex(), int(MainWindow::TabScores));
    }

    void theLeadersAreRebuiltOnScoresRoundsAndStaleOpenings() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        GridModel& g = f.leaders();
        const auto scoreOf02 = [&] { return g.text(g.findTag(QStringLiteral("02")), Score); };
        const int before = scoreOf02().toInt();
        // A stored score shows at once, and the waiting mark goes.
        f.store(Change::score(4, "02", "10")); // Bob Baker
        QCOMPARE(scoreOf02().toInt(), before + 10);
        QCOMPARE(g.text(g.findTag(QStringLiteral("02")), Name), QStringLiteral("Bob Baker"));
        // A change that only marks the standings stale waits until the tab is opened.
        rh::storeChange(f.session, Change::score(4, "02", "01"));
        QCOMPARE(scoreOf02().toInt(), before + 10);
        f.session.refresh().requestLeaderRefresh();
        f.window.tabs()->setCurrentIndex(MainWindow::TabLeaders);
        QVERIFY(!f.session.refresh().leaderRefreshRequested());
        QCOMPARE(scoreOf02().toInt(), before + 1);
        // Opening it again without a request rebuilds nothing.
        rh::storeChange(f.session, Change::score(4, "02", "02"));
        f.showTab(MainWindow::TabLeaders);
        QCOMPARE(scoreOf02().toInt(), before + 1);
        // A new round: every player still has to score it, so every name is marked again.
        f.session.state().settings.setCurrentRound(5);
        f.window.ChangeRound();
        for (int r = 0; r < g.rowCount(); ++r)
            QVERIFY(g.text(r, Name).startsWith(QStringLiteral("* ")));
    }

    void whoSitsOutFollowsTheRound() {
        Fixture f;
        QVERIFY(f.load("sitout10.qmc"));
        const rh::TournamentState& st = f.session.state();
        // Ten players: two sit out each round, shown in the first two labels.
        QVERIFY(f.child("lblSittingOut3")->isHidden());
        for (int advance = 0; advance < 2; ++advance) {
            QStringList expected;
            for (const rh::EntrantRef& e : st.entrantsByName())
                if (!st.isSeated(st.currentRoundNo(), e.id))
                    expected << qs(e.name);
            QCOMPARE(expected.size(), 2);
            QCOMPARE(f.text("lblSittingOut1"), expected[0]);
            QCOMPARE(f.text("lblSittingOut2"), expected[1]);
            f.session.state().settings.setCurrentRound(std::int16_t(st.currentRound() + 1));
            f.window.ChangeRound();
        }
        // The demo fills every table: the frame goes.
        QVERIFY(f.load("demo.qmc"));
        QVERIFY(f.child("frmSittingOut")->isHidden());
    }

    // The cells themselves are the core's; here, that the tab shows them and follows a score.
    void detailCellsOfPlayedAndUnplayedRounds() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        f.showTab(MainWindow::TabDetails);
        GridModel& m = f.details();
        const auto& st = f.session.state();
        const int rounds = st.settings.TotalRounds(), current = st.currentRound();
        QCOMPARE(m.columnCount(), rounds + 6);
        QCOMPARE(m.rowCount(), int(st.settings.TotalPlort()));
        for (int row = 0; row < m.rowCount(); ++row) {
            const rh::EntrantId id = eid(m.tag(row));
            QCOMPARE(m.text(row, 0), qs(st.nameOf(id)));
            QCOMPARE(m.text(row, 1), s(" ") + QString::number(*st.score(rh::test::rno(1), id)));
            QCOMPARE(m.text(row, current), QString()); // no score yet: blank, not 0
            // The alias on the first and the last cell only.
            QCOMPARE(m.index(row, rounds + 5).data(Qt::ToolTipRole).toString(), qs(st.aliasOf(id)));
            QVERIFY(!m.index(row, 1).data(Qt::ToolTipRole).isValid());
        }
        // The rows come sorted by column index 3 (a round), descending by number.
        QCOMPARE(numbers(m, 3), sorted(numbers(m, 3), true));
        // A score stored later shows the next time the tab is shown.
        const QString id = m.tag(0);
        f.store(Change::score(current, id.toStdString(), "07"));
        f.showTab(MainWindow::TabDetails);
        QCOMPARE(m.text(m.findTag(id), current), s(" 7"));
        // A Team tournament's names are teams.
        QVERIFY(f.load("teams7.qmc"));
        f.showTab(MainWindow::TabDetails);
        QCOMPARE(m.column(0).heading, s("Team Name"));
        QCOMPARE(m.rowCount(), 7);
    }

    void detailTotalClickedTwiceAfterTheLoadSort() {
        // With two rounds, column index 3 is "Total": the load sorted by it descending by the
        // number, as its arrow shows, so the first click sorts ascending and the second
        // descending again.
        Fixture f;
        rh::test::GeneratorOptions o;
        o.entrants = 12;
        o.rounds = 2;
        o.scoredRounds = 2;
        o.seed = 7;
        f.loadGenerated(o);
        QVERIFY(f.shown(MainWindow::TabDetails));
        GridModel& m = f.details();
        QTreeView* view = f.window.detailsTab()->lvGameDetail;
        QCOMPARE(m.column(3).heading, s("Total"));
        const QList<int> down = sorted(numbers(m, 3), true);
        QCOMPARE(numbers(m, 3), down);
        QCOMPARE(view->header()->sortIndicatorSection(), 3);
        QCOMPARE(view->header()->sortIndicatorOrder(), Qt::DescendingOrder);
        clickHeading(view, 3);
        QCOMPARE(numbers(m, 3), sorted(down, false));
        QCOMPARE(view->header()->sortIndicatorOrder(), Qt::AscendingOrder);
        clickHeading(view, 3);
        QCOMPARE(numbers(m, 3), down);
        QCOMPARE(view->header()->sortIndicatorOrder(), Qt::DescendingOrder);
        clickHeading(view, 0); // the name column: alphabetical
        QStringList names = columnTexts(m, 0);
        std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
        QCOMPARE(columnTexts(m, 0), names);
    }

    // Which rows owe and what the page makes of a mark are the core's; here, the tick itself.
    void tickingADebtRowMarksItPaid() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        QVERIFY(f.shown(MainWindow::TabResults));
        GridModel* bumps = f.results().bumpModel();
        int row = 0;
        while (row < bumps->rowCount() && bumps->isRowChecked(row))
            ++row;
        QVERIFY2(row < bumps->rowCount(), "the example has an unpaid debt");
        const QString tag = bumps->tag(row);
        const auto paid = [&] { return f.session.state().entrant(eid(tag))->paid; };
        QCOMPARE(foreground(*bumps, row, 1), kRed);

        f.prompt.clear();
        f.session.refresh().takeLeaderRefresh();
        QSignalSpy stored(&f.window, &MainWindow::scoreStored);
        // The director ticks the box: the view writes the check state into the model.
        QVERIFY(bumps->setData(bumps->index(row, 0), Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(paid(), std::optional<std::int32_t>(1));
        for (int c = 1; c < bumps->columnCount(); ++c)
            QCOMPARE(foreground(*bumps, row, c), kGreen);
        QCOMPARE(stored.count(), 1); // the standings and the page follow
        QVERIFY(f.session.refresh().leaderRefreshRequested());
        // Showing the tab again keeps the tick; clearing it writes 0 and turns the row red.
        f.showTab(MainWindow::TabResults);
        row = bumps->findTag(tag);
        QVERIFY(bumps->isRowChecked(row));
        QVERIFY(bumps->setData(bumps->index(row, 0), Qt::Unchecked, Qt::CheckStateRole));
        QCOMPARE(paid(), std::optional<std::int32_t>(0));
        QCOMPARE(foreground(*bumps, row, 2), kRed);
        QVERIFY(f.prompt.shown.empty()); // nothing to tell the director
    }

    void winnersShowDensePlacesAndTheStandardSplit() {
        Fixture f;
        // Four teams, one round scored 20, 30, 25, 30; $25 entry each: $100 to pay out.
        rh::test::GeneratorOptions o;
        o.kind = rh::test::Kind::Team;
        o.entrants = 4;
        o.rounds = 3;
        o.entryFee = 25;
        o.aliasEvery = 0;
        o.names = {"Ann", "Bob", "Cy", "Di"};
        f.loadGenerated(o);
        for (const char* score : {"01 20", "02 30", "03 25", "04 30"})
            rh::storeChange(f.session, Change::score(1, std::string(score, 2), score + 3));
        rh::storeChange(f.session, Change::count(rh::ChangeKind::Alias, "02", "Top Cat"));
        f.window.notifyScoreStored();
        f.showTab(MainWindow::TabResults);

        GridModel* winners = f.results().winnerModel();
        QCOMPARE(columnTexts(*winners, 0), list("Bob|Di|Cy|Ann"));
        QCOMPARE(columnTexts(*winners, 1), list("01|01|02|03"));
        QCOMPARE(columnTexts(*winners, 3), list("$40.00|$40.00|$20.00| "));
        QCOMPARE(foreground(*winners, 2, 4), kGreen);
        QCOMPARE(foreground(*winners, 3, 0), kBlack);
        QCOMPARE(winners->index(0, 0).data(Qt::ToolTipRole).toString(), s("Top Cat"));
        QCOMPARE(winners->index(0, 3).data(Qt::ToolTipRole).toString(), s("Top Cat"));
        QVERIFY(!winners->index(1, 0).data(Qt::ToolTipRole).isValid());
        // Score is a number column: 5 before 30 (the sort rules themselves: above).
        rh::storeChange(f.session, Change::score(1, "01", "05"));
        f.window.notifyScoreStored();
        f.window.show();
        clickHeading(f.window.resultsTab()->lvWinnerView, 2);
        QCOMPARE(columnTexts(*winners, 2), list("5|25|30|30"));
    }

    // The jackpot's winners and sums are the core's; here, that the tab follows what changes.
    void theJackpotSummaryFollowsFinesFeesAndTheTitle() {
        Fixture f;
        QVERIFY(f.load("demo.qmc"));
        f.showTab(MainWindow::TabResults);
        ResultsTab* tab = f.window.resultsTab();
        QCOMPARE(f.results().loneModel()->rowCount(), 16);
        const auto noLead = [&](double v) {
            return qs(rh::formatMoney(v, f.session.currency(), rh::kMoneyNoLeadingZero));
        };
        // The demo: 8 bumps at $0.25, one wood at $0.50.
        QCOMPARE(tab->lblResultJackpot->text(), noLead(2.5));
        // A stored bump and a new fee reach the summary and the dashboard at once.
        f.store(Change::count(rh::ChangeKind::Bump, "01",
                              rh::fmt00(rh::test::bumpsOf(f.session.state(), eid(1)) + 2)));
        QCOMPARE(tab->lblTotalBumps->text(), s("   10"));
        QCOMPARE(tab->lblResultJackpot->text(), noLead(3.0));
        MoneyTab::selectFee(f.window.moneyTab()->cbBumpFee, 1.0);
        QCOMPARE(tab->lblBumpFee->text(), s("$1.00"));
        QCOMPARE(tab->lblResultBump->text(), noLead(10.0));
        QCOMPARE(f.window.dashboard()->lblJackPot->text(), noLead(10.5));
        // The title follows the director's jackpot name.
        f.window.moneyTab()->txtJackpotTitle->setText(s("Woodpecker Pot"));
        QCOMPARE(tab->lblJackpotHeading->text(), s("Woodpecker Pot - Winner"));
        QCOMPARE(tab->lblResultsJackpot->text(), s("Woodpecker Pot:"));
        QVERIFY(tab->lblJackpotExplanation->text().contains(s("the Woodpecker Pot.  If")));
        QCOMPARE(f.text("lblDashJpotTitle"), s("Woodpecker Pot"));
    }
};

QTEST_MAIN(GridTest)
#include "grid_test.moc"

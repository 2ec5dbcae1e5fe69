#include "ui/grid_model.h"
#include "ui/grid_sort.h"
#include "ui/grid_view.h"

#include <QHeaderView>
#include <QPainter>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QtTest>

#include <algorithm>
#include <map>
#include <random>

using namespace rh::ui;

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

GridColumn col(const char* heading, int twips, const char* tag = "",
               Qt::Alignment align = Qt::AlignHCenter) {
    return GridColumn{s(heading), twips, align, s(tag)};
}

GridRow row(std::initializer_list<const char*> texts, const char* tag, const char* tip = "") {
    GridRow r;
    for (const char* t : texts)
        r.cells.emplace_back(s(t));
    r.tag = s(tag);
    r.toolTip = s(tip);
    return r;
}

QStringList columnTexts(const GridModel& model, int column) {
    QStringList out;
    for (int r = 0; r < model.rowCount(); ++r)
        out << model.index(r, column).data().toString();
    return out;
}

QStringList tags(const GridModel& model) {
    QStringList out;
    for (int r = 0; r < model.rowCount(); ++r)
        out << model.index(r, 0).data(GridModel::TagRole).toString();
    return out;
}

// Everything a row shows, by its tag: texts, tool tip per cell, colours, check state.
std::map<QString, QStringList> rowsByTag(const GridModel& model) {
    std::map<QString, QStringList> out;
    for (int r = 0; r < model.rowCount(); ++r) {
        QStringList parts;
        for (int c = 0; c < model.columnCount(); ++c) {
            const QModelIndex i = model.index(r, c);
            parts << i.data().toString() << i.data(Qt::ToolTipRole).toString()
                  << i.data(Qt::ForegroundRole).value<QBrush>().color().name()
                  << i.data(Qt::CheckStateRole).toString();
        }
        out[model.index(r, 0).data(GridModel::TagRole).toString()] = parts;
    }
    return out;
}

void clickHeading(QTreeView& view, int column) {
    QHeaderView* header = view.header();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
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
    model.setColumns({col("Name", 3000, "", Qt::AlignLeft),
                      GridColumn{s("Value"), 1200, Qt::AlignHCenter, kind}});
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

// The numbers of the leader grid with a name and a number column, tags 01..05.
void fillNumbers(GridModel& model, std::initializer_list<const char*> numbers) {
    QStringList cells;
    for (const char* n : numbers)
        cells << s(n);
    fillColumn(model, s("NUMBER"), cells);
}

} // namespace

class GridTest : public QObject {
    Q_OBJECT
private slots:
    // Each kind of column sorts by its own rule, both ways; whole rows move with their cells.
    // Cells are joined by "|"; tags "" are not checked.
    void columnsSortByTheirKind() {
        struct Case {
            const char* kind; // the column's tag: NUMBER, XXXX, or none for text
            const char *cells, *ascending, *ascendingTags, *descending;
        };
        const Case cases[] = {
            {"NUMBER", "10|9|-3|2.5|-12", "-12|-3|2.5|9|10", "", "10|9|2.5|-3|-12"},
            // Empty text before every key, negative keys, the other numbers, then text starting
            // with a digit or a letter (compared as text with the keys).
            {"NUMBER", "5|abc|-2||12x|0.5", "|-2|0.5|5|12x|abc", "", "abc|12x|5|0.5|-2|"},
            {"NUMBER", "$40.00|($10.00)|$5.50|$1,200.00|$0.00|$.75",
             "($10.00)|$0.00|$.75|$5.50|$40.00|$1,200.00", "",
             "$1,200.00|$40.00|$5.50|$.75|$0.00|($10.00)"},
            {"EURO", "1.200,00 \u20ac|12,50 \u20ac|(3,00 \u20ac)|2.5",
             "(3,00 \u20ac)|2.5|12,50 \u20ac|1.200,00 \u20ac", "",
             "1.200,00 \u20ac|12,50 \u20ac|2.5|(3,00 \u20ac)"},
            {"", "bob|Alice|carl|ALICE", "Alice|ALICE|bob|carl", "02|04|01|03",
             "carl|bob|Alice|ALICE"},
            {"XXXX", "Y|N|N|Y", "N|N|Y|Y", "02|03|01|04", "Y|Y|N|N"}};
        const auto list = [](const char* joined) { return s(joined).split(u'|'); };
        for (const Case& c : cases) {
            GridModel model;
            const bool euro = std::string(c.kind) == "EURO";
            if (euro) {
                rh::CurrencyFormat format;
                format.symbol = "\u20ac";
                format.decimalPoint = ",";
                format.groupSeparator = ".";
                format.symbolAfter = true;
                format.spaceBetween = true;
                model.setCurrencyFormat(format);
            }
            fillColumn(model, euro ? s("NUMBER") : s(c.kind), list(c.cells));
            const auto before = rowsByTag(model);
            SortByColumnWithDirection(model, 1, false, false);
            QCOMPARE(columnTexts(model, 1), list(c.ascending));
            QCOMPARE(model.sortOrder(), Qt::AscendingOrder);
            if (*c.ascendingTags)
                QCOMPARE(tags(model), list(c.ascendingTags));
            QCOMPARE(rowsByTag(model), before);
            SortByColumnWithDirection(model, 1, false, true);
            QCOMPARE(columnTexts(model, 1), list(c.descending));
            QCOMPARE(rowsByTag(model), before);
            QVERIFY(model.sortDirection());
        }
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
                const int byValue = a < b ? -1 : (a > b ? 1 : 0);
                QCOMPARE(byKey < 0 ? -1 : (byKey > 0 ? 1 : 0), byValue);
            }
    }

    void tiedRowsKeepTheirOrder() {
        GridModel model;
        // Standings order: descending score, ties in ascending ID order.
        model.setColumns({col("Player Name", 3500, "", Qt::AlignLeft), col("Place", 1200, "NUMBER"),
                          col("Payout", 2000, "NUMBER"), col("Score", 1400, "NUMBER")});
        model.setRows({row({"d", "1", "$40.00", "30"}, "01"), row({"a", "1", "$40.00", "30"}, "04"),
                       row({"c", "2", "$10.00", "25"}, "02"), row({"b", "2", "$10.00", "25"}, "05"),
                       row({"e", "3", "$0.00", "20"}, "03")});
        const QStringList standing = tags(model);
        SortByColumnWithDirection(model, 3, false, true);
        QCOMPARE(tags(model), standing);
        QVERIFY(model.sortDirection());
        SortByColumnWithDirection(model, 3, false, false);
        QCOMPARE(tags(model), (QStringList{s("03"), s("02"), s("05"), s("01"), s("04")}));
        SortByColumnWithDirection(model, 2, false, true);
        QCOMPARE(tags(model), (QStringList{s("01"), s("04"), s("02"), s("05"), s("03")}));
        // The comparison sort keeps ties too.
        SortNumeric(model, 1, Qt::DescendingOrder);
        QCOMPARE(tags(model), (QStringList{s("03"), s("02"), s("05"), s("01"), s("04")}));
    }

    void toolTipsShowOnTheGridsCells() {
        GridModel model;
        model.setColumns({col("Name", 2800), col("01", 535), col("Total", 880), col("", 3000)});
        model.setRows({row({"a", "1", "1", "a"}, "01", "Ace"), row({"b", "2", "2", "b"}, "02")});
        QCOMPARE(model.index(0, 1).data(Qt::ToolTipRole).toString(), s("Ace"));
        model.setToolTipColumns({0, -1});
        QCOMPARE(model.index(0, 0).data(Qt::ToolTipRole).toString(), s("Ace"));
        QCOMPARE(model.index(0, 3).data(Qt::ToolTipRole).toString(), s("Ace"));
        QVERIFY(!model.index(0, 1).data(Qt::ToolTipRole).isValid());
        QVERIFY(!model.index(1, 0).data(Qt::ToolTipRole).isValid()); // no alias, no tip
        model.setToolTipColumns({1});
        QVERIFY(!model.index(0, 0).data(Qt::ToolTipRole).isValid());
        QCOMPARE(model.index(0, 1).data(Qt::ToolTipRole).toString(), s("Ace"));
        QCOMPARE(model.index(1, 2).data(GridModel::TagRole).toString(), s("02"));
    }

    void checkStatesAndColoursMoveWithTheirRows() {
        GridModel model;
        model.setColumns({col("", 290, "", Qt::AlignLeft), col("Player Name", 4230),
                          col("Pay In", 1560, "NUMBER", Qt::AlignRight)});
        model.setCheckable(true);
        QSignalSpy changes(&model, &GridModel::rowCheckChanged);
        const QColor green(0, 153, 51), red(255, 0, 0);
        std::vector<GridRow> rows;
        const char* names[] = {"Dan", "Amy", "Cy", "Bo"};
        const char* pay[] = {"$0.50", "$1.25", "$0.25", "$2.00"};
        const char* ids[] = {"01", "02", "03", "04"};
        for (int i = 0; i < 4; ++i) {
            GridRow r = row({"", names[i], pay[i]}, ids[i]);
            r.checked = i % 2 == 0;
            for (std::size_t c = 1; c < 3; ++c)
                r.cells[c].foreground = r.checked ? green : red;
            rows.push_back(std::move(r));
        }
        model.setRows(std::move(rows));
        model.setRowChecked(1, true);
        model.setRowChecked(1, false);
        QCOMPARE(changes.count(), 0);

        const auto before = rowsByTag(model);
        SortByColumnWithDirection(model, 2, false, true);
        QCOMPARE(columnTexts(model, 1), (QStringList{s("Bo"), s("Amy"), s("Dan"), s("Cy")}));
        QCOMPARE(rowsByTag(model), before);
        SortByColumnWithDirection(model, 1, false, false);
        QCOMPARE(rowsByTag(model), before);
        QCOMPARE(tags(model), (QStringList{s("02"), s("04"), s("03"), s("01")}));

        // The director ticks "Bo" (row 1 now): one signal with Bo's tag.
        QVERIFY(model.setData(model.index(1, 0), Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(changes.count(), 1);
        QCOMPARE(changes.at(0).at(0).toInt(), 1);
        QCOMPARE(changes.at(0).at(1).toString(), s("04"));
        QCOMPARE(changes.at(0).at(2).toBool(), true);
        QVERIFY(model.isRowChecked(1));
        // Ticking it again changes nothing and says nothing.
        QVERIFY(model.setData(model.index(1, 0), Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(changes.count(), 1);
        model.recolorByCheck(green, red, 1);
        QCOMPARE(model.index(1, 2).data(Qt::ForegroundRole).value<QBrush>().color(), green);
        QVERIFY(!model.index(1, 0).data(Qt::ForegroundRole).isValid());
        // Only column 0 carries a check box.
        QVERIFY(model.flags(model.index(0, 0)) & Qt::ItemIsUserCheckable);
        QVERIFY(!(model.flags(model.index(0, 1)) & Qt::ItemIsUserCheckable));
        QVERIFY(!model.setData(model.index(0, 1), Qt::Checked, Qt::CheckStateRole));
    }

    void spaceKeyTogglesTheCheckBoxOfTheCurrentRow() {
        GridView view;
        GridModel* model = view.gridModel();
        model->setColumns({col("", 290), col("Player Name", 4060)});
        model->setCheckable(true);
        model->setRows({row({"", "Amy"}, "03"), row({"", "Bo"}, "07")});
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QSignalSpy changes(model, &GridModel::rowCheckChanged);
        view.setCurrentIndex(model->index(1, 0));
        QTest::keyClick(&view, Qt::Key_Space);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(changes.at(0).at(1).toString(), s("07"));
        QVERIFY(changes.at(0).at(2).toBool());
        QVERIFY(model->isRowChecked(1));
    }

    void eachGridKeepsItsDirectionAndItsArrowShowsIt() {
        GridView leaders, winners;
        leaders.setObjectName(QStringLiteral("lvLeaderView"));
        fillNumbers(*leaders.gridModel(), {"7", "30", "12"});
        winners.gridModel()->setColumns({col("Player Name", 3700, "", Qt::AlignLeft)});
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
                   drawnArrow(view.header()) == rh::ui::sortArrow(order) &&
                   rh::ui::sortArrow(order) ==
                       (order == Qt::AscendingOrder ? Qt::UpArrow : Qt::DownArrow);
        };

        // As after a standings refresh.
        SortByColumnWithDirection(*leaders.gridModel(), 1, false, true);
        QVERIFY(shows(leaders, 1, Qt::DescendingOrder));
        clickHeading(winners, 0);
        QCOMPARE(columnTexts(*winners.gridModel(), 0), (QStringList{s("Al"), s("bob"), s("cy")}));
        QVERIFY(shows(winners, 0, Qt::AscendingOrder));
        // Sorting one grid leaves the other's direction alone: leaders still flips to ascending.
        clickHeading(leaders, 1);
        QCOMPARE(columnTexts(*leaders.gridModel(), 1), (QStringList{s("7"), s("12"), s("30")}));
        QVERIFY(shows(leaders, 1, Qt::AscendingOrder));
        clickHeading(winners, 0);
        QCOMPARE(columnTexts(*winners.gridModel(), 0), (QStringList{s("cy"), s("bob"), s("Al")}));
        QVERIFY(shows(winners, 0, Qt::DescendingOrder));
        QCOMPARE(sortedSpy.count(), 1);
        QCOMPARE(sortedSpy.at(0).at(0).toInt(), 1);
        QCOMPARE(leaders.objectName(), s("lvLeaderView"));
    }

    void gameDetailHeadingsKeepTheirOwnDirection() {
        GridModel model;
        // Three rounds, two played.
        model.setColumns({col("Player Name", 2800, "", Qt::AlignLeft), col("01", 535),
                          col("02", 535), col("03", 535), col("Total", 880), col("Lone", 840),
                          col("Bump", 920), col("Wood", 920), col("", 3000, "", Qt::AlignLeft)});
        model.setSortMode(GridSortMode::PerHeading);
        model.setValueSortedColumns(gameDetailValueColumns(3));
        QCOMPARE(model.isValueSorted(0), false);
        QCOMPARE(model.isValueSorted(3), true);
        QCOMPARE(model.isValueSorted(7), true);
        QCOMPARE(model.isValueSorted(8), false);
        model.setRows({row({"bob", " 9", " 5", " 10", "  14", "  0", "  1", "  0", "bob"}, "01"),
                       row({"Al", " 10", " 0", "", "  10", "  2", "  0", "  0", "Al"}, "02"),
                       row({"cy", " 2", " 11", " 2", "  13", "  1", "  0", "  1", "cy"}, "03")});

        model.headingClicked(1); // a round: by value, ascending at first
        QCOMPARE(tags(model), (QStringList{s("03"), s("01"), s("02")}));
        model.headingClicked(1); // same heading again: descending
        QCOMPARE(tags(model), (QStringList{s("02"), s("01"), s("03")}));
        model.headingClicked(3); // by number too (2 before 10), a blank round lowest
        QCOMPARE(columnTexts(model, 3), (QStringList{s(""), s(" 2"), s(" 10")}));
        model.headingClicked(0); // name: alphabetical, ignoring case
        QCOMPARE(tags(model), (QStringList{s("02"), s("01"), s("03")}));
        // Round 1's own flag is still descending; a click on the sorted column reverses it.
        model.headingClicked(1);
        QCOMPARE(tags(model), (QStringList{s("02"), s("01"), s("03")}));
        model.headingClicked(1);
        QCOMPARE(tags(model), (QStringList{s("03"), s("01"), s("02")}));
    }
};

QTEST_MAIN(GridTest)
#include "grid_test.moc"

// The "Details" tab: one row per entrant with its score in every round, its total and its lone,
// bump and wood counts; the load's own sort, heading sorts by the game detail rule, alias hints,
// and the time it takes with 2000 entrants.
#include "core/text.h"
#include "model_helpers.h"
#include "review_fixture.h"
#include "ui/details_presenter.h"
#include "ui/grid_model.h"
#include "ui/tab_details.h"

#include <QHeaderView>
#include <QTreeView>

#include <algorithm>
#include <cstdio>

using rh::test::ReviewFixture;
using rh::ui::GridModel;
using rh::ui::MainWindow;

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

GridModel* detail(MainWindow& w) {
    return w.findChild<rh::ui::DetailsPresenter*>(s("detailsPresenter"))->model();
}

QStringList column(const GridModel& m, int c) {
    QStringList out;
    for (int r = 0; r < m.rowCount(); ++r)
        out << m.text(r, c);
    return out;
}

QList<int> numbers(const GridModel& m, int c) {
    QList<int> out;
    for (int r = 0; r < m.rowCount(); ++r)
        out << m.text(r, c).trimmed().toInt();
    return out;
}

void clickHeading(QTreeView* view, int column) {
    QHeaderView* header = view->header();
    view->scrollTo(view->model()->index(0, column));
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

} // namespace

class DetailsViewTest : public QObject {
    Q_OBJECT
private slots:
    void emptyBeforeTheFirstLoad() {
        ReviewFixture f;
        f.showTab(MainWindow::TabDetails);
        QCOMPARE(detail(f.window)->rowCount(), 0);
        QCOMPARE(f.window.detailsTab()->lvGameDetail->model(), detail(f.window));
    }

    void cellsOfPlayedAndUnplayedRounds() {
        ReviewFixture f;
        QVERIFY(f.loadExample("demo.qmc"));
        f.showTab(MainWindow::TabDetails);
        GridModel* m = detail(f.window);
        const auto& state = f.session.state();
        const int rounds = state.settings.TotalRounds();
        const int current = state.currentRound();
        QVERIFY(current > 1 && current < rounds);

        QStringList expected{s("Player Name")};
        for (int r = 1; r <= rounds; ++r)
            expected << rh::ui::qtext(rh::fmt00(r));
        expected << s("Total") << s("Lone") << s("Bump") << s("Wood") << s("");
        QStringList shown;
        for (const auto& c : m->columns())
            shown << c.heading;
        QCOMPARE(shown, expected);
        QCOMPARE(m->rowCount(), int(state.settings.TotalPlort()));

        bool sawBlank = false;
        for (int row = 0; row < m->rowCount(); ++row) {
            const rh::EntrantId id = rh::test::eid(m->tag(row));
            QCOMPARE(m->text(row, 0), rh::ui::qtext(state.nameOf(id)));
            QCOMPARE(m->text(row, rounds + 5), rh::ui::qtext(state.nameOf(id)));
            int total = 0;
            for (int r = 1; r <= rounds; ++r) {
                const std::optional<int> score = state.score(rh::test::rno(r), id);
                QString want;
                if (r <= current && score) {
                    want = s(" ") + QString::number(*score);
                    total += *score;
                } else if (r <= current) {
                    sawBlank = true; // no score yet: blank, not 0
                }
                QCOMPARE(m->text(row, r), want);
            }
            QCOMPARE(m->text(row, rounds + 1), s("  ") + QString::number(total));
            QCOMPARE(m->text(row, rounds + 2),
                     s("  ") + QString::number(rh::test::lonesOf(state, id)));
            QCOMPARE(m->text(row, rounds + 3),
                     s("  ") + QString::number(rh::test::bumpsOf(state, id)));
            QCOMPARE(m->text(row, rounds + 4),
                     s("  ") + QString::number(rh::test::woodsOf(state, id)));
            // The alias on the first and the last cell only.
            const QString alias = rh::ui::qtext(state.aliasOf(id));
            if (!alias.isEmpty()) {
                QCOMPARE(m->index(row, 0).data(Qt::ToolTipRole).toString(), alias);
                QCOMPARE(m->index(row, rounds + 5).data(Qt::ToolTipRole).toString(), alias);
                QVERIFY(!m->index(row, 1).data(Qt::ToolTipRole).isValid());
            }
        }
        QVERIFY2(sawBlank, "the current round has entrants without a score");

        // The rows come sorted by column index 3 (a round), descending by number.
        QList<int> third = numbers(*m, 3);
        QList<int> sorted = third;
        std::sort(sorted.begin(), sorted.end(), std::greater<int>());
        QCOMPARE(third, sorted);

        // A score stored later shows the next time the tab is shown.
        const int row = 0;
        const QString id = m->tag(row);
        f.session.state().setScore(rh::test::rno(current), rh::test::eid(id), 7);
        f.showTab(MainWindow::TabDetails);
        QCOMPARE(m->text(m->findTag(id), current), s(" 7"));
    }

    void headingSortsByTheGameDetailRule() {
        ReviewFixture f;
        QVERIFY(f.loadExample("demo.qmc"));
        f.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        f.showTab(MainWindow::TabDetails);
        GridModel* m = detail(f.window);
        QTreeView* view = f.window.detailsTab()->lvGameDetail;
        const int total = f.session.tourney().TotalRounds() + 1;

        clickHeading(view, total); // not yet sorted by Total: ascending by the number
        QList<int> values = numbers(*m, total);
        QList<int> up = values;
        std::sort(up.begin(), up.end());
        QCOMPARE(values, up);
        clickHeading(view, total);
        values = numbers(*m, total);
        std::reverse(up.begin(), up.end());
        QCOMPARE(values, up);

        clickHeading(view, 0); // the name column: alphabetical
        QStringList names = column(*m, 0);
        QStringList alphabetical = names;
        std::sort(alphabetical.begin(), alphabetical.end(), [](const QString& a, const QString& b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
        QCOMPARE(names, alphabetical);

        // An unplayed round is blank all down: the rows keep their order.
        const QStringList before = column(*m, 0);
        clickHeading(view, f.session.tourney().TotalRounds());
        QCOMPARE(column(*m, 0), before);
    }

    void totalClickedTwiceAfterTheLoadSort() {
        // With two rounds, column index 3 is "Total": the load sorted by it descending by the
        // number, as its arrow shows, so the first click sorts ascending and the second
        // descending again.
        ReviewFixture f;
        rh::test::GeneratorOptions o;
        o.entrants = 12;
        o.rounds = 2;
        o.scoredRounds = 2;
        o.seed = 7;
        f.loadGenerated(o);
        f.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        f.showTab(MainWindow::TabDetails);
        GridModel* m = detail(f.window);
        QCOMPARE(m->column(3).heading, s("Total"));
        QCOMPARE(m->rowCount(), 12);
        QTreeView* view = f.window.detailsTab()->lvGameDetail;
        QList<int> values = numbers(*m, 3);
        QList<int> down = values;
        std::sort(down.begin(), down.end(), std::greater<int>());
        QCOMPARE(values, down);
        QCOMPARE(view->header()->sortIndicatorSection(), 3);
        QCOMPARE(view->header()->sortIndicatorOrder(), Qt::DescendingOrder);
        clickHeading(view, 3);
        QList<int> up = down;
        std::reverse(up.begin(), up.end());
        QCOMPARE(numbers(*m, 3), up);
        QCOMPARE(view->header()->sortIndicatorOrder(), Qt::AscendingOrder);
        clickHeading(view, 3);
        QCOMPARE(numbers(*m, 3), down);
        QCOMPARE(view->header()->sortIndicatorOrder(), Qt::DescendingOrder);
    }

    void teamTournamentColumns() {
        ReviewFixture f;
        QVERIFY(f.loadExample("teams7.qmc"));
        f.showTab(MainWindow::TabDetails);
        GridModel* m = detail(f.window);
        QCOMPARE(m->column(0).heading, s("Team Name"));
        QCOMPARE(m->columnCount(), f.session.tourney().TotalRounds() + 6);
        QCOMPARE(m->rowCount(), 7);
    }
};

QTEST_MAIN(DetailsViewTest)
#include "details_view_test.moc"

// The "Leaders" tab: the standings grid after a load (rows, order, colours, tags, tool tips), its
// rebuilds (score, round change, the stale flag when the tab opens), heading sorts, a row click
// remembering the entrant and a double click opening the Scores tab, the sitting-out frame, and
// the time a rebuild takes.
#include "core/scripted_prompt.h"
#include "core/text.h"
#include "model_helpers.h"
#include "services/load_save.h"
#include "services/session.h"
#include "state/round.h"
#include "state/tournament_state.h"
#include "support/generator.h"
#include "support/temp_dir.h"
#include "ui/grid_model.h"
#include "ui/grid_sort.h"
#include "ui/leaders_presenter.h"
#include "ui/main_flow.h"
#include "ui/main_window.h"
#include "ui/presenters.h"
#include "ui/tab_leaders.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>
#include <QtTest>

using rh::ui::GridModel;
using rh::ui::MainWindow;

namespace {

std::string example(const char* name) {
    return std::string(RANKHALL_SOURCE_DIR) + "/examples/" + name;
}

const QColor kDarkGreen(0, 128, 0);
const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);

enum Col { Name, Place, Payout, Score, Avg, Lone, Paid, TotalDue, Bumps, Woods, Colorize, Owe };

struct Fixture {
    rh::test::TempDir dir;
    rh::ScriptedPrompt prompt;
    rh::Session session{prompt};
    MainWindow window{session};

    Fixture() { rh::ui::installPresenters(window); }

    rh::ui::LeadersPresenter& leaders() { return *window.findChild<rh::ui::LeadersPresenter*>(); }
    GridModel& grid() { return *leaders().model(); }
    QTreeView* view() { return window.findChild<QTreeView*>(QStringLiteral("lvLeaderView")); }
    void load(const char* name) {
        prompt.openFiles.push_back(example(name));
        window.findChild<QPushButton*>(QStringLiteral("cmdLoad"))->click();
    }
    int rowOf(const QString& tag) { return grid().findTag(tag); }
    QColor colour(int row, int column) {
        return grid().index(row, column).data(Qt::ForegroundRole).value<QColor>();
    }
    QString label(const char* name) {
        return window.findChild<QLabel*>(QString::fromUtf8(name))->text();
    }
};

} // namespace

class LeadersTest : public QObject {
    Q_OBJECT
private slots:
    void theDemoShowsEveryPlayerBestFirst() {
        Fixture f;
        f.load("demo.qmc");
        GridModel& g = f.grid();
        QCOMPARE(f.view()->model(), static_cast<QAbstractItemModel*>(&g));
        QCOMPARE(g.rowCount(), 16);
        QCOMPARE(g.columnCount(), 12);
        QCOMPARE(g.headerData(Name, Qt::Horizontal).toString(), QStringLiteral("Player Name"));
        QVERIFY(f.view()->isColumnHidden(Colorize));
        QVERIFY(f.view()->isColumnHidden(Owe));
        // Sorted by Score, descending, and the grid's direction left at descending.
        QCOMPARE(g.sortColumn(), int(Score));
        QCOMPARE(g.sortOrder(), Qt::DescendingOrder);
        QVERIFY(g.sortDirection());
        for (int r = 1; r < g.rowCount(); ++r)
            QVERIFY(g.text(r - 1, Score).toInt() >= g.text(r, Score).toInt());

        const rh::TournamentState& s = f.session.state();
        QSet<QString> tags;
        for (int r = 0; r < g.rowCount(); ++r) {
            const QString tag = g.tag(r);
            tags << tag;
            const rh::EntrantId id = rh::test::eid(tag);
            // Every row is its entrant: name (with the waiting mark), tool tip = alias.
            QVERIFY(g.text(r, Name).endsWith(QString::fromStdString(s.nameOf(id))));
            QCOMPARE(g.row(r).toolTip, QString::fromStdString(s.aliasOf(id)));
            const bool inMoney = g.text(r, Colorize) == QStringLiteral("Y");
            QCOMPARE(inMoney, r < 3); // the standard split pays three row positions
            for (int c : {Name, Place, Payout, Score, Avg, Lone})
                QCOMPARE(f.colour(r, c), inMoney ? kDarkGreen : kBlack);
            const bool owes = g.text(r, Owe) == QStringLiteral("True");
            const bool paid = g.text(r, Paid) == QStringLiteral("Y");
            for (int c : {Paid, TotalDue, Bumps, Woods})
                QCOMPARE(f.colour(r, c), owes ? (paid ? kDarkGreen : kRed) : kBlack);
        }
        QCOMPARE(tags.size(), 16);
        // Known rows of the demo: the leader, a tie sharing second and third place money, a
        // player who paid fines, one who owes, and one who paid without owing.
        QCOMPARE(g.text(0, Name), QStringLiteral("* Lou Lopez"));
        QCOMPARE(g.row(0).toolTip, QStringLiteral("Lefty12"));
        QCOMPARE(g.text(0, Payout), QStringLiteral("$80.00"));
        QCOMPARE(g.text(1, Place), QStringLiteral("2"));
        QCOMPARE(g.text(2, Place), QStringLiteral("2"));
        QCOMPARE(g.text(2, Payout), QStringLiteral("$40.00"));
        QCOMPARE(f.colour(f.rowOf(QStringLiteral("09")), Bumps), kDarkGreen); // Ian, paid
        QCOMPARE(f.colour(f.rowOf(QStringLiteral("05")), Woods), kRed);       // Edna, owes
        QCOMPARE(f.colour(f.rowOf(QStringLiteral("10")), Paid), kBlack);      // Jo, nothing due
    }

    void headingClicksSortAndAlternate() {
        Fixture f;
        f.load("demo.qmc");
        f.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        f.window.tabs()->setCurrentIndex(MainWindow::TabLeaders);
        QHeaderView* header = f.view()->header();
        const auto clickHeading = [&](int column) {
            const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
        };
        // After the rebuild's descending sort, the first click sorts ascending.
        clickHeading(Score);
        GridModel& g = f.grid();
        QCOMPARE(g.sortOrder(), Qt::AscendingOrder);
        for (int r = 1; r < g.rowCount(); ++r)
            QVERIFY(g.text(r - 1, Score).toInt() <= g.text(r, Score).toInt());
        clickHeading(Bumps);
        QCOMPARE(g.sortColumn(), int(Bumps));
        QCOMPARE(g.sortOrder(), Qt::DescendingOrder);
        QCOMPARE(g.text(0, Bumps), QStringLiteral("3"));
        // Colours, tags and tool tips travel with their rows.
        QCOMPARE(g.tag(0), QStringLiteral("09"));
        QCOMPARE(f.colour(0, Bumps), kDarkGreen);

        // A rebuild puts the rows back in score order.
        f.window.notifyScoreStored();
        QCOMPARE(g.sortColumn(), int(Score));
        QCOMPARE(g.sortOrder(), Qt::DescendingOrder);
    }

    void aClickRemembersTheEntrantAndADoubleClickOpensScores() {
        Fixture f;
        f.load("demo.qmc");
        f.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        f.window.tabs()->setCurrentIndex(MainWindow::TabLeaders);
        QTreeView* view = f.view();
        const int row = 5;
        const QString tag = f.grid().tag(row);
        const QPoint at = view->visualRect(f.grid().index(row, Score)).center();
        QCOMPARE(f.session.standingsChoice(), std::string("00"));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(f.session.standingsChoice(), tag.toStdString());
        QCOMPARE(f.window.tabs()->currentIndex(), int(MainWindow::TabLeaders));
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(f.window.tabs()->currentIndex(), int(MainWindow::TabScores));
    }

    void theGridIsRebuiltOnScoresRoundsAndStaleOpenings() {
        Fixture f;
        f.load("demo.qmc");
        rh::TournamentState& s = f.session.state();
        GridModel& g = f.grid();
        const int before = g.text(f.rowOf(QStringLiteral("02")), Score).toInt();

        // A stored score shows at once, and the waiting mark goes.
        s.setScore(rh::test::rno(4), rh::test::eid(2), 10); // Bob Baker
        f.window.notifyScoreStored();
        int row = f.rowOf(QStringLiteral("02"));
        QCOMPARE(g.text(row, Score).toInt(), before + 10);
        QCOMPARE(g.text(row, Name), QStringLiteral("Bob Baker"));

        // A change that only marks the standings stale waits until the tab is opened.
        s.setScore(rh::test::rno(4), rh::test::eid(2), 1);
        QCOMPARE(g.text(f.rowOf(QStringLiteral("02")), Score).toInt(), before + 10);
        f.session.refresh().requestLeaderRefresh();
        f.window.tabs()->setCurrentIndex(MainWindow::TabLeaders);
        QVERIFY(!f.session.refresh().leaderRefreshRequested());
        QCOMPARE(g.text(f.rowOf(QStringLiteral("02")), Score).toInt(), before + 1);
        // Opening it again without a change rebuilds nothing.
        s.setScore(rh::test::rno(4), rh::test::eid(2), 2);
        f.window.tabs()->setCurrentIndex(MainWindow::TabTimer);
        f.window.tabs()->setCurrentIndex(MainWindow::TabLeaders);
        QCOMPARE(g.text(f.rowOf(QStringLiteral("02")), Score).toInt(), before + 1);

        // A new round: every player still has to score it, so every name is marked again.
        s.settings.setCurrentRound(5);
        f.window.ChangeRound();
        QCOMPARE(f.label("lblCurrentRound"), QStringLiteral(" 5"));
        for (int r = 0; r < g.rowCount(); ++r)
            QVERIFY(g.text(r, Name).startsWith(QStringLiteral("* ")));
    }

    void whoSitsOutFollowsTheRound() {
        Fixture f;
        f.load("sitout10.qmc");
        const rh::TournamentState& s = f.session.state();
        auto* frame = f.window.findChild<QGroupBox*>(QStringLiteral("frmSittingOut"));
        QVERIFY(!frame->isHidden());
        QCOMPARE(frame->title(), QStringLiteral("Sitting Out This Round"));
        // Ten players: two sit out each round, shown in the first two labels.
        QVERIFY(f.window.findChild<QLabel*>(QStringLiteral("lblSittingOut3"))->isHidden());
        const auto checkRound = [&] {
            QStringList expected;
            for (const rh::EntrantRef& e : s.entrantsByName())
                if (!s.isSeated(s.currentRoundNo(), e.id))
                    expected << QString::fromStdString(e.name);
            QCOMPARE(expected.size(), 2);
            QCOMPARE(f.label("lblSittingOut1"), expected[0]);
            QCOMPARE(f.label("lblSittingOut2"), expected[1]);
        };
        checkRound();
        f.session.state().settings.setCurrentRound(
            static_cast<std::int16_t>(f.session.state().currentRound() + 1));
        f.window.ChangeRound();
        checkRound();

        // The demo fills every table: the frame goes and the grid takes its room.
        f.prompt.answers = {rh::MsgAnswer::Ok};
        f.load("demo.qmc");
        QVERIFY(frame->isHidden());
    }
};

QTEST_MAIN(LeadersTest)
#include "leaders_test.moc"

// Benchmarks of the window, offscreen (QT_QPA_PLATFORM=offscreen is set here unless the caller
// chose a platform): the window's refresh after one score, and the standings grid's model filled
// with 200 and 2000 leader rows and sorted, the after-load refresh and the opening of each tab
// whose views a big tournament makes slow (these used to be timed inside the UI tests).
//
// The window refresh is whatever the installed presenters rebuild when the window announces a
// stored score, plus the repaint that follows (the event loop runs until nothing is pending).
#include "bench_support.h"
#include "services/views.h"

#include "standings/leader_rows.h"
#include "ui/grids/grid.h"
#include "ui/grids/grid_model.h"
#include "ui/grids/grid_view.h"
#include "ui/shell/main_window.h"
#include "ui/shell/presenters.h"

#include <QApplication>
#include <QTabWidget>

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace rh;
using rh::bench::LoadedTournament;
using rh::test::Kind;
using rh::ui::GridModel;
using rh::ui::GridRow;

namespace {

void flushEvents() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// The window as the director has it: the tournament loaded, the window shown on the standings.
void BM_WindowRefresh(benchmark::State& st) {
    LoadedTournament t(bench::shapeOf(st, Kind::Progressive));
    ui::MainWindow window(t.session());
    ui::installPresenters(window);
    window.resize(1280, 800);
    window.ShowDashboard();
    window.notifyTournamentLoaded();
    window.show();
    window.tabs()->setCurrentIndex(ui::MainWindow::TabLeaders);
    flushEvents();
    for (auto _ : st) {
        t.storeOneScore();
        window.notifyScoreStored();
        flushEvents();
    }
}

// The window with its presenters on a loaded tournament, shown.
struct LoadedWindow {
    LoadedTournament t;
    ui::MainWindow window{t.session()};

    explicit LoadedWindow(const benchmark::State& st)
        : t(bench::Shape{Kind::Progressive, static_cast<int>(st.range(0)), 8}) {
        ui::installPresenters(window);
        window.resize(1280, 800);
        window.ShowDashboard();
        window.notifyTournamentLoaded();
        window.show();
        flushEvents();
    }
};

// The after-load refresh: every view filled from the tournament just loaded, then painted.
void BM_WindowAfterLoad(benchmark::State& st) {
    LoadedWindow w(st);
    for (auto _ : st) {
        w.window.notifyTournamentLoaded();
        flushEvents();
    }
}

// A tab opened from the Load / Money tab (range(1): its index), the views it rebuilds and paints.
void BM_TabOpen(benchmark::State& st) {
    LoadedWindow w(st);
    QTabWidget* tabs = w.window.tabs();
    for (auto _ : st) {
        tabs->setCurrentIndex(ui::MainWindow::TabLoadMoney);
        flushEvents();
        tabs->setCurrentIndex(static_cast<int>(st.range(1)));
        flushEvents();
    }
}

void tabSizes(benchmark::internal::Benchmark* b) {
    for (int tab : {ui::MainWindow::TabScores, ui::MainWindow::TabLeaders,
                    ui::MainWindow::TabResults, ui::MainWindow::TabDetails})
        for (int entrants : {200, 2000})
            b->Args({entrants, tab});
    b->ArgNames({"entrants", "tab"});
    b->Unit(benchmark::kMillisecond);
}

// The standings grid's rows as a presenter hands them to the model.
std::vector<GridRow> toGridRows(const std::vector<LeaderRow>& rows) {
    std::vector<GridRow> out;
    out.reserve(rows.size());
    for (const LeaderRow& r : rows) {
        GridRow g;
        g.cells.reserve(r.cells.size());
        for (std::size_t c = 0; c < r.cells.size(); ++c) {
            std::optional<QColor> fg;
            if (r.colors[c])
                fg = ui::toQColor(*r.colors[c]);
            g.cells.emplace_back(ui::qtext(r.cells[c]), fg);
        }
        g.tag = ui::qtext(r.tag);
        g.toolTip = ui::qtext(r.toolTip);
        out.push_back(std::move(g));
    }
    return out;
}

struct LeaderGrid {
    LoadedTournament t;
    ui::GridView view;
    std::vector<LeaderRow> rows;

    explicit LeaderGrid(const benchmark::State& st)
        : t(bench::Shape{Kind::Progressive, static_cast<int>(st.range(0)), 20}) {
        view.gridModel()->setColumns(ui::toGridColumns(leaderColumns(true)));
        view.resize(1000, 600);
        view.show();
        rows = leaderGridRows(t.session());
        flushEvents();
    }
};

// The leader rows converted and handed to the model of a shown grid, then painted.
void BM_GridFill(benchmark::State& st) {
    LeaderGrid g(st);
    for (auto _ : st) {
        g.view.gridModel()->setRows(toGridRows(g.rows));
        flushEvents();
    }
}

// One more score: the engine's rows rebuilt, handed to the grid and painted.
void BM_LeaderGridRefresh(benchmark::State& st) {
    LeaderGrid g(st);
    for (auto _ : st) {
        g.t.storeOneScore();
        g.view.gridModel()->setRows(toGridRows(leaderGridRows(g.t.session())));
        flushEvents();
    }
}

// A heading click on a number column (the score) and on the name column, each way in turn.
void sortBench(benchmark::State& st, int column, ui::SortKind kind) {
    LeaderGrid g(st);
    GridModel* model = g.view.gridModel();
    model->setRows(toGridRows(g.rows));
    bool descending = false;
    for (auto _ : st) {
        model->sortRows(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder, kind);
        descending = !descending;
        flushEvents();
    }
}
void BM_GridSortScore(benchmark::State& st) {
    sortBench(st, kColScore, ui::SortKind::NumberKey);
}
void BM_GridSortName(benchmark::State& st) {
    sortBench(st, kColName, ui::SortKind::Text);
}

void windowSizes(benchmark::internal::Benchmark* b) {
    for (int entrants : {24, 200, 2000})
        b->Args({entrants, 20});
    b->ArgNames({"entrants", "rounds"});
    b->Unit(benchmark::kMicrosecond);
}

void gridSizes(benchmark::internal::Benchmark* b) {
    b->Arg(200)->Arg(2000);
    b->ArgNames({"rows"});
    b->Unit(benchmark::kMicrosecond);
}

} // namespace

BENCHMARK(BM_WindowRefresh)->Apply(windowSizes);
BENCHMARK(BM_WindowAfterLoad)
    ->Arg(200)
    ->Arg(2000)
    ->ArgName("entrants")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TabOpen)->Apply(tabSizes);
BENCHMARK(BM_LeaderGridRefresh)->Apply(gridSizes);
BENCHMARK(BM_GridFill)->Apply(gridSizes);
BENCHMARK(BM_GridSortScore)->Apply(gridSizes);
BENCHMARK(BM_GridSortName)->Apply(gridSizes);

namespace {

// The offscreen platform warns on every window it shows; the benchmark's table matters here.
void quietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QStringLiteral("propagateSizeHints")))
        return;
    qt_message_output(type, context, message);
}

} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(quietOffscreen);
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

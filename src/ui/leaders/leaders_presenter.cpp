#include "ui/leaders/leaders_presenter.h"
#include "services/views.h"

#include "services/session.h"
#include "standings/leader_rows.h"
#include "ui/grids/grid.h"
#include "ui/grids/grid_sort.h"
#include "ui/grids/grid_view.h"
#include "ui/leaders/tab_leaders.h"
#include "ui/shell/main_window.h"

#include <QHeaderView>
#include <QTabWidget>
#include <QTreeView>

namespace rh::ui {

namespace {

GridRow toGridRow(const LeaderRow& row) {
    GridRow out;
    out.cells.reserve(row.cells.size());
    for (std::size_t c = 0; c < row.cells.size(); ++c) {
        std::optional<QColor> colour;
        if (row.colors[c])
            colour = toQColor(*row.colors[c]);
        out.cells.emplace_back(qtext(row.cells[c]), colour);
    }
    out.tag = qtext(row.tag);
    out.toolTip = qtext(row.toolTip);
    return out;
}

/// Hidden columns must not count towards the grid's width, or a horizontal scroll bar appears for
/// nothing: each is shown at width 0 and hidden again, which resets the width the header keeps
/// for it.
void collapseHiddenColumns(QTreeView* view) {
    for (int c = 0; c < view->header()->count(); ++c) {
        if (!view->isColumnHidden(c))
            continue;
        view->setColumnHidden(c, false);
        view->header()->resizeSection(c, 0);
        view->setColumnHidden(c, true);
    }
}

} // namespace

LeadersPresenter::LeadersPresenter(MainWindow& window)
    : QObject(&window), m_window(window),
      m_model(new GridModel(window.leadersTab()->lvLeaderView)) {
    setObjectName(QStringLiteral("leadersPresenter"));
    m_model->setObjectName(QStringLiteral("leaderModel"));
    GridBinding* binding = configureGrid(window.leadersTab()->lvLeaderView, m_model);
    InitLeaderGrid();

    connect(binding, &GridBinding::rowClicked, this, [this](int, const QString& tag) {
        m_window.session().chooseInStandings(tag.toStdString());
    });
    connect(binding, &GridBinding::rowDoubleClicked, this,
            [this] { m_window.tabs()->setCurrentIndex(MainWindow::TabScores); });

    connect(&window, &MainWindow::tournamentLoaded, this, &LeadersPresenter::onTournamentLoaded);
    connect(&window, &MainWindow::tournamentReset, this, &LeadersPresenter::InitLeaderGrid);
    connect(&window, &MainWindow::scoreStored, this, &LeadersPresenter::leaderGridRows);
    connect(&window, &MainWindow::roundChanged, this, &LeadersPresenter::onRoundChanged);
    // A new fee changes what each entrant owes; a new entry fee the payouts.
    auto feeChanged = [this] {
        if (m_window.session().isSettled())
            leaderGridRows();
    };
    connect(&window, &MainWindow::finesChanged, this, feeChanged);
    connect(&window, &MainWindow::entryFeeChanged, this, feeChanged);
    connect(&window, &MainWindow::tabShown, this, &LeadersPresenter::onTabShown);
}

void LeadersPresenter::InitLeaderGrid() {
    m_model->setCurrencyFormat(m_window.session().currency());
    m_model->setColumns(
        toGridColumns(rh::leaderColumns(m_window.session().tourney().isProgressive())));
    collapseHiddenColumns(m_window.leadersTab()->lvLeaderView);
}

void LeadersPresenter::leaderGridRows() {
    if (m_rendering)
        return;
    if (!m_window.session().isLoaded()) {
        // The empty tournament has entrants only in name: nothing to rank.
        m_model->clearRows();
        return;
    }
    m_rendering = true;
    QTreeView* view = m_window.leadersTab()->lvLeaderView;
    // One repaint once the rows are in and sorted, not one per step.
    view->setUpdatesEnabled(false);
    std::vector<LeaderRow> rows = rh::leaderGridRows(m_window.session());
    std::vector<GridRow> gridRows;
    gridRows.reserve(rows.size());
    for (const LeaderRow& row : rows)
        gridRows.push_back(toGridRow(row));
    m_model->setRows(std::move(gridRows));
    SortByColumnWithDirection(*m_model, static_cast<int>(kColScore), false, true);
    view->setUpdatesEnabled(true);
    m_rendering = false;
}

void LeadersPresenter::onTournamentLoaded() {
    InitLeaderGrid();
    leaderGridRows();
}

void LeadersPresenter::onRoundChanged() {
    m_window.UpdateSittingOut();
    leaderGridRows();
}

void LeadersPresenter::onTabShown(int index) {
    if (index != MainWindow::TabLeaders || !m_window.session().refresh().takeLeaderRefresh())
        return;
    leaderGridRows();
}

} // namespace rh::ui

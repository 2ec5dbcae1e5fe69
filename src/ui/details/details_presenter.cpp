#include "ui/details/details_presenter.h"
#include "services/views.h"

#include "core/errors.h"
#include "services/session.h"
#include "standings/game_detail.h"
#include "ui/details/tab_details.h"
#include "ui/grids/grid.h"
#include "ui/grids/grid_model.h"
#include "ui/grids/grid_view.h"
#include "ui/shell/main_window.h"

#include <QTabWidget>
#include <QTreeView>

namespace rh::ui {

namespace {

/// The column the rows are sorted by after each rebuild, descending.
constexpr int kInitialSortColumn = 3;

} // namespace

DetailsPresenter::DetailsPresenter(MainWindow& window)
    : QObject(&window), m_window(window),
      m_model(new GridModel(window.detailsTab()->lvGameDetail)) {
    setObjectName(QStringLiteral("detailsPresenter"));
    m_model->setSortMode(GridSortMode::PerHeading);
    m_model->setToolTipColumns({0, -1}); // the alias shows on both name cells
    m_model->setCurrencyFormat(window.session().currency());
    configureGrid(window.detailsTab()->lvGameDetail, m_model);
    layOutColumns();

    connect(&window, &MainWindow::tournamentLoaded, this, [this] {
        layOutColumns();
        if (m_window.tabs()->currentIndex() == MainWindow::TabDetails)
            gameDetailRows();
    });
    connect(&window, &MainWindow::tabShown, this, [this](int index) {
        if (index == MainWindow::TabDetails)
            gameDetailRows();
    });
}

void DetailsPresenter::layOutColumns() {
    const TournamentSettings& t = m_window.session().tourney();
    m_model->setColumns(toGridColumns(rh::gameDetailColumns(t.isProgressive(), t.TotalRounds())));
}

void DetailsPresenter::gameDetailRows() {
    Session& session = m_window.session();
    try {
        const TournamentSettings& t = session.tourney();
        // The rounds and the totals sort by value: 2 comes before 10.
        m_model->setValueSortedColumns(gameDetailValueColumns(t.TotalRounds()));
        std::vector<GridRow> rows;
        for (rh::GameDetailRow& d : rh::gameDetailRows(session)) {
            GridRow row;
            row.cells.reserve(d.cells.size());
            for (const std::string& cell : d.cells)
                row.cells.emplace_back(qtext(cell));
            row.tag = qtext(d.tag);
            row.toolTip = qtext(d.toolTip);
            rows.push_back(std::move(row));
        }
        m_model->setRows(std::move(rows));
        if (m_model->rowCount() > 0 && m_model->columnCount() > kInitialSortColumn) {
            // As a heading click would sort it; a click on that heading then sorts ascending.
            m_model->setHeadingDescending(kInitialSortColumn, true);
            m_model->sortRows(kInitialSortColumn, Qt::DescendingOrder, SortKind::Text);
            if (m_model->isValueSorted(kInitialSortColumn))
                m_model->sortRows(kInitialSortColumn, Qt::DescendingOrder, SortKind::Value);
        }
    } catch (const RhError& e) {
        session.ShowErrorMsg("Load Detail Grid", e);
    }
}

} // namespace rh::ui

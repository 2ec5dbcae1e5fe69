#pragma once
// The window's list grids (lvLeaderView, lvPayout, ...): QTreeViews in report form. Each is
// created with a placeholder QStandardItemModel holding only its column headings; the Part that
// fills a grid gives it its own model with setGridModel(), which keeps the column layout.
//
// The views are set up for large row counts: uniform row heights, no tree decoration, no
// per-row widgets. Sorting by a clicked heading is left to the grid's owner (a sort proxy).

#include "standings/grid_data.h"
#include "ui/grids/grid_model.h"

#include <QString>

#include <vector>

class QAbstractItemModel;
class QTreeView;
class QWidget;

namespace rh::ui {

/// The window's form of a column layout from the engine (heading, width, alignment, sort tag).
std::vector<GridColumn> toGridColumns(const std::vector<rh::GridColumn>& columns);

/// A grid with the object name and the placeholder headings.
QTreeView* makeGrid(QWidget* parent, const char* name, const std::vector<GridColumn>& columns);
/// Gives the grid a new model (the view does not take ownership) and re-applies the widths.
void setGridModel(QTreeView* grid, QAbstractItemModel* model,
                  const std::vector<GridColumn>& columns);
/// Column widths and hidden columns from the layout.
void applyGridColumns(QTreeView* grid, const std::vector<GridColumn>& columns);

// Column layouts of the grids. `progressive` picks "Player Name" or "Team Name".
std::vector<GridColumn> payoutColumns(bool resultsTab);
std::vector<GridColumn> entryFeeColumns(bool progressive);
std::vector<GridColumn> leaderColumns(bool progressive);
std::vector<GridColumn> winnerColumns(bool progressive);
std::vector<GridColumn> bumpColumns(bool progressive);
std::vector<GridColumn> loneColumns(bool progressive);
std::vector<GridColumn> gameDetailColumns(bool progressive, int totalRounds);
std::vector<GridColumn> playerAliasColumns(bool progressive);

} // namespace rh::ui

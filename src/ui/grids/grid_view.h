#pragma once
// The list grids' look and behaviour on a QTreeView: report mode (no tree decoration, uniform row
// heights, whole-row selection, no editing), column widths from twips with zero-width columns
// hidden, heading clicks that sort through the model's sort mode, and the row tag (entrant ID
// text) of a clicked row handed out by signals.
//
// The heading of the sorted column shows the model's column and order, and its arrow points the
// way the rows run: up for ascending (smallest at the top), down for descending, drawn the same
// under every widget style (some styles draw Qt's ascending indicator pointing down).
//
// Ownership: configureGrid leaves a GridBinding as a child of the view (it dies with the view); the
// model is not taken over. GridView is a QTreeView that owns a GridModel of its own and is
// configured from the start; either way the view's object name is left as the caller set it.

#include "ui/grids/grid_model.h"

#include <QPointer>
#include <QTreeView>

namespace rh::ui {

class GridBinding : public QObject {
    Q_OBJECT
public:
    GridBinding(QTreeView* view, GridModel* model);

    QTreeView* view() const { return m_view; }
    GridModel* model() const { return m_model.data(); }

    /// Widths from twips (15 to a pixel) and hidden zero-width columns; runs by itself whenever
    /// the model lays out its columns.
    void applyColumnLayout();
    /// The current row (-1 for none) and its tag ("" for none).
    int currentRow() const;
    QString currentTag() const;

signals:
    /// A row was clicked (also on its check box).
    void rowClicked(int row, const QString& tag);
    void rowDoubleClicked(int row, const QString& tag);
    /// The current row changed by mouse or keyboard (-1 and "" when none).
    void rowSelected(int row, const QString& tag);
    /// A heading click has sorted the grid (the bump-debt and entry-fee grids recolour here).
    void headingSorted(int column);

private:
    void showSortIndicator();
    void connectSelection();

    QTreeView* m_view;
    QPointer<GridModel> m_model; // may be deleted before the view
};

/// The arrow a heading shows for a sort order: Qt::UpArrow for ascending, Qt::DownArrow for
/// descending.
Qt::ArrowType sortArrow(Qt::SortOrder order);

/// Shows the model in the view as a report-mode grid and returns the binding whose signals carry
/// the row tags. Calling it again with another model replaces the earlier binding.
GridBinding* configureGrid(QTreeView* view, GridModel* model);
/// The binding configureGrid left on the view, or nullptr.
GridBinding* gridBinding(const QTreeView* view);

/// A configured grid with a model of its own.
class GridView : public QTreeView {
    Q_OBJECT
public:
    explicit GridView(QWidget* parent = nullptr);

    GridModel* gridModel() const { return m_model; }
    GridBinding* binding() const { return m_binding; }

signals:
    void rowClicked(int row, const QString& tag);
    void rowDoubleClicked(int row, const QString& tag);
    void rowSelected(int row, const QString& tag);
    void headingSorted(int column);

private:
    GridModel* m_model;
    GridBinding* m_binding;
};

} // namespace rh::ui

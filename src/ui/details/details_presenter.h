#pragma once
// DetailsPresenter: the "Details" tab's game detail grid. The columns (name, one per round,
// Total, Lone, Bump, Wood, name again) are laid out after every load; the rows are rebuilt each
// time the tab is shown, sorted by column index 3 descending first (by value when it is a round or
// a count). Heading clicks sort by the game detail rule: each heading keeps its own direction, a
// click on the sorted column reverses it, and the rounds and the Total, Lone, Bump and Wood columns
// sort by value. A round an entrant has no score for yet shows blank.
//
// Ownership: a child of the window; the grid model is a child of the view.

#include "services/views.h"
#include <QObject>

namespace rh::ui {

class GridModel;
class MainWindow;

class DetailsPresenter : public QObject {
    Q_OBJECT
public:
    explicit DetailsPresenter(MainWindow& window);

    GridModel* model() const { return m_model; }

    /// The columns for the tournament's kind and round count.
    void layOutColumns();
    /// Rebuilds the rows (none unless a tournament is loaded) and sorts them initially.
    void gameDetailRows();

private:
    MainWindow& m_window;
    GridModel* m_model;
};

} // namespace rh::ui

#pragma once
// LeadersPresenter: keeps the "Leaders" tab in step with the open tournament. It gives
// lvLeaderView its GridModel, lays out the columns after every load ("Player Name" or
// "Team Name"), rebuilds the rows from the engine's leader entries whenever a score is stored, a
// tournament is loaded or the round changes, and when the tab is opened while the standings are
// stale (the session's leader refresh request). After each rebuild the rows are sorted by Score,
// descending, which also leaves the direction shared by all grids at "descending".
//
// A click on a row remembers its entrant (the session's chosen entrant); a double click opens the
// Scores tab. The sitting-out frame is refreshed after every load and round change.
//
// Ownership: a child of the window; the model is a child of the grid view.

#include "services/views.h"
#include <QObject>

namespace rh::ui {

class GridModel;
class MainWindow;

class LeadersPresenter : public QObject {
    Q_OBJECT
public:
    explicit LeadersPresenter(MainWindow& window);

    GridModel* model() const { return m_model; }

    /// The twelve columns, the first headed by the tournament kind; removes every row.
    void InitLeaderGrid();
    /// Rebuilds every row from the open tournament, then sorts by Score (descending).
    void leaderGridRows();

private:
    void onTournamentLoaded();
    void onTabShown(int index);
    void onRoundChanged();

    MainWindow& m_window;
    GridModel* m_model;
    bool m_rendering = false;
};

} // namespace rh::ui

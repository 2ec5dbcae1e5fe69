#pragma once
// ResultsPresenter: keeps the "Results" tab in step with the open tournament. It lays out the
// winners, bump-debt and jackpot grids after every load, rebuilds them each time the tab is
// shown, records the paid marks ticked in the bump-debt grid, and keeps the jackpot summary
// (bump and wood totals, their money, the jackpot on the tab and on the dashboard) current after
// every fee change and every stored score. The payout grid of the tab belongs to the money
// presenter.
//
// Ownership: a child of the window; the grid models are children of their views. Nothing from
// the tournament state is kept between refreshes.

#include "services/views.h"
#include <QObject>
#include <QString>

namespace rh::ui {

class GridModel;
class MainWindow;

class ResultsPresenter : public QObject {
    Q_OBJECT
public:
    explicit ResultsPresenter(MainWindow& window);

    GridModel* winnerModel() const { return m_winners; }
    GridModel* bumpModel() const { return m_bumps; }
    GridModel* loneModel() const { return m_lones; }

    /// InitWinnerGrid, InitBumpGrid and the jackpot grid's columns, for the tournament's kind.
    void layOutColumns();
    /// What showing the tab does: winners, bump debts, the jackpot view, the summary and texts.
    void refresh();

    void winnerRows();
    void debtorRows();
    void loneRows();
    /// bumpSummary then woodSummary: the summary labels and the dashboard jackpot.
    void UpdateFineTotals();
    /// The jackpot caption, heading and explanation from the jackpot title.
    void ShowJackpotTexts();
    /// Paid rows green, unpaid rows red.
    void RecolorBumpGrid();

private:
    void onBumpChecked(int row, const QString& tag, bool checked);
    bool resultsShowing() const;

    MainWindow& m_window;
    GridModel* m_winners;
    GridModel* m_bumps;
    GridModel* m_lones;
    bool m_storingPaid = false;
};

/// Creates the presenters of the Results, Details and Alias tabs and the roster viewer.
void installReviewPresenters(MainWindow& window);

} // namespace rh::ui

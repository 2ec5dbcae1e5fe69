#pragma once
// MoneyPresenter: the money side of the "Load / Money" tab. It shows a loaded tournament's fees
// and expenses, the net payout in green or red, the payout choice and table (lvPayout, and the
// same rows in the Results tab's lvResultPayout), runs the custom payout set-up through the
// payout worksheet, keeps the director from leaving the tab with a custom table that no longer
// adds up, and keeps the entry-fee roll call (lvEntryFee).
//
// The numbers come from the engine (the session's PayoutTable, entryFeeRows and friends);
// this class turns the window's signals and the director's clicks into engine calls and draws the
// result. It holds the window and reads the session afresh on every call, so a load's reset is
// always seen.
//
// Ownership: a child of the window, created by installPresenters; it owns the grid models of
// lvPayout, lvResultPayout and lvEntryFee (children of itself).

#include "services/views.h"
#include <QObject>

#include <string>

namespace rh {
class Session;
}

namespace rh::ui {

class GridModel;
class MainWindow;
class MoneyTab;

class MoneyPresenter : public QObject {
    Q_OBJECT
public:
    explicit MoneyPresenter(MainWindow& window);

    /// A loaded tournament's bump, wood and entry fees selected in their lists (each selection
    /// runs that list's own handling), its expenses in the expenses box, then the net payout.
    void ShowLoadedFees();
    /// Recomputes the net payout (and the table when it is stale) and draws label, options and
    /// both payout grids.
    void UpdateNetPayout();
    /// The roll call for the entry fee as chosen: everyone ticked without a fee, else the marks.
    void refreshEntryFees();
    /// "Setup": the custom option chosen, the worksheet opened with the custom amounts, the
    /// accepted amounts stored, the table rebuilt and the HTML page refreshed.
    void CustomPayoutSetup();
    /// When the payout table does not add up to the net payout: "Update your custom payouts",
    /// then the worksheet, once per change of the net payout or the custom amounts.
    void CheckCustomPayouts();

    /// Whether an entry fee above 0 is chosen in the fee list.
    bool entryFeeChosen() const;

    GridModel* payoutModel() const { return m_payout; }
    GridModel* resultPayoutModel() const { return m_resultPayout; }
    GridModel* entryFeeModel() const { return m_entryFee; }

private:
    Session& session() const;
    MoneyTab& tab() const;

    void onTournamentLoaded();
    void onEntryFeeChanged();
    void onExpensesChanged();
    void onExpensesLeft();
    void onOptionClicked(int option);
    void onTabChanging(int index);
    void onTabShown(int index);
    void onEntryFeeChecked(int row, const QString& tag, bool checked);

    void layOutEntryFeeGrid();
    void showNetPayout();
    void showPayoutControls();
    void showPayoutTable();
    void showUpdateCustomPayouts();
    bool expenseBoxNumeric() const;
    /// The net payout, the payout choice and the custom amounts, as one text.
    std::string payoutSituation() const;

    MainWindow& m_window;
    GridModel* m_payout;
    GridModel* m_resultPayout;
    GridModel* m_entryFee;
    /// The payout situation last reminded about.
    std::string m_remindedFor;
};

} // namespace rh::ui

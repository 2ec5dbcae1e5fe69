#pragma once
// Tab 0, "Load / Money": the tournament's Load, Save and Exit buttons, the money inputs (entry
// fee, expenses, net payout), the fines (bump and wood fees), the jackpot title, the payout
// choice and table, and the entry-fee roll call.
//
// The fee lists are filled here (FillFeeLists). The expenses box edits as a plain number while it
// has the focus and shows currency otherwise. The payout and roll-call logic is MoneyPresenter's
// (money_presenter.h): it gives lvPayout and lvEntryFee their models and listens to the controls.

#include <QWidget>

#include <string>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeView;

namespace rh {
struct CurrencyFormat;
}

namespace rh::ui {

class MoneyTab : public QWidget {
    Q_OBJECT
public:
    explicit MoneyTab(QWidget* parent = nullptr);

    /// Fills the three fee lists (item text = currency text, item data = cents); nothing chosen.
    void FillFeeLists(const CurrencyFormat& currency);
    /// Selects the first item whose cents equal amount x 100 (rounded), running the list's
    /// handling even when that item was already selected; false (selection kept) when none
    /// matches.
    static bool selectFee(QComboBox* list, double amount);
    /// The expenses box shows the amount as currency with two decimals.
    void showExpenses(double amount, const CurrencyFormat& currency);

    QGroupBox* frmTournament;
    QLabel* imgLoad;
    QPushButton* cmdLoad;
    QPushButton* cmdNewTournament;
    QPushButton* cmdSave;
    QPushButton* CmdExit;
    /// The score cards, seating charts and table cards in a print preview.
    QPushButton* cmdPrintSheets;

    QGroupBox* frmMoney;
    QLabel* lblEntryFee;
    QComboBox* cbEntryFee;
    QLabel* lblExpense;
    QLineEdit* txtExpense;
    QLabel* lblNetPayoutCaption;
    QLabel* lblNetPayout;

    QGroupBox* frmFines;
    QLabel* lblBumpFeeCaption;
    QComboBox* cbBumpFee;
    QLabel* lblWoodFeeCaption;
    QComboBox* cbWoodFee;

    QGroupBox* frmJackpotTitle;
    QLineEdit* txtJackpotTitle;
    /// "Share on the network": the wall screen served to the players' phones.
    QGroupBox* frmShare;
    QCheckBox* checkShare;
    QLabel* lblShareAddress;
    QLabel* lblShareQr;

    QGroupBox* frmPayoutOptions;
    QButtonGroup* optPayout; // id 0 "50% - 30% - 20%", id 1 "Custom Payout"
    QRadioButton* optPayout0;
    QRadioButton* optPayout1;
    QPushButton* cmdCustomPayout;
    QLabel* lblPayouts;
    QTreeView* lvPayout;

    QGroupBox* frmCollectEntryFee;
    QPushButton* cmdSetAll;
    QPushButton* cmdClearAll;
    QTreeView* lvEntryFee;

signals:
    /// The expenses box lost the focus with this text (trimmed, plain number or anything else).
    void expensesLeft(const QString& text);
    /// Any edit of the expenses box.
    void expensesEdited(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const CurrencyFormat* m_currency = nullptr;
};

} // namespace rh::ui

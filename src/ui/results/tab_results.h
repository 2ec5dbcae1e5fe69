#pragma once
// Tab 4, "Results": the winners, the payout table, the jackpot winner, the jackpot summary and
// the entrants who still owe bump money.

#include <QWidget>

class QGroupBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTreeView;

namespace rh::ui {

class ResultsTab : public QWidget {
    Q_OBJECT
public:
    explicit ResultsTab(QWidget* parent = nullptr);

    QGroupBox* frmWinners;
    QTreeView* lvWinnerView;
    QGroupBox* frmResultPayout;
    QTreeView* lvResultPayout;
    QGroupBox* frmJackpotWinner;
    QLabel* lblJackpotHeading; // the jackpot title + " - Winner"
    QTreeView* lvLoneView;
    QLabel* lblJackpotExplanation; // how the jackpot is won and shared
    QGroupBox* frmResultsBumps;
    QTreeView* lvBumpView;

    QGroupBox* frmJackpotSummary;
    QLabel* lblBumpsCaption;
    QLabel* lblTotalBumps;
    QLabel* lblBumpFee;
    QLabel* lblResultBump;
    QLabel* lblWoodsCaption;
    QLabel* lblTotalWood;
    QLabel* lblWoodFee;
    QLabel* lblResultWood;
    QLabel* lblResultsJackpot;
    QLabel* lblResultJackpot;
    /// Which report "Export..." writes: standings, results or treasurer's.
    QComboBox* comboReportKind;
    QPushButton* cmdPrintResults;
    QPushButton* cmdExportResults;
};

} // namespace rh::ui

#include "ui/results/tab_results.h"

#include "ui/grids/grid.h"
#include "ui/shell/widgets.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace rh::ui {

namespace {

QGroupBox* gridFrame(QWidget* parent, const char* frame, const char* caption, QTreeView*& grid,
                     const char* gridName, const std::vector<GridColumn>& columns) {
    QGroupBox* box = makeFrame(parent, frame, caption);
    grid = makeGrid(box, gridName, columns);
    (new QVBoxLayout(box))->addWidget(grid);
    return box;
}

} // namespace

ResultsTab::ResultsTab(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tabResults"));

    frmWinners = gridFrame(this, "frmWinners", "Tournament Winners", lvWinnerView, "lvWinnerView",
                           winnerColumns(true));
    frmResultPayout = gridFrame(this, "frmResultPayout", "Tournament Payout", lvResultPayout,
                                "lvResultPayout", payoutColumns(true));
    frmJackpotWinner = makeFrame(this, "frmJackpotWinner", "Jackpot Winner");
    lblJackpotHeading = makeLabel(frmJackpotWinner, "lblJackpotHeading");
    lblJackpotHeading->setTextFormat(Qt::PlainText);
    {
        QFont bold = lblJackpotHeading->font();
        bold.setBold(true);
        lblJackpotHeading->setFont(bold);
    }
    lvLoneView = makeGrid(frmJackpotWinner, "lvLoneView", loneColumns(true));
    lblJackpotExplanation = makeLabel(frmJackpotWinner, "lblJackpotExplanation");
    lblJackpotExplanation->setTextFormat(Qt::PlainText);
    lblJackpotExplanation->setWordWrap(true);
    {
        auto* l = new QVBoxLayout(frmJackpotWinner);
        l->addWidget(lblJackpotHeading);
        l->addWidget(lvLoneView, 1);
        l->addWidget(lblJackpotExplanation);
    }
    frmResultsBumps = gridFrame(this, "frmResultsBumps", "Players who owe bump money", lvBumpView,
                                "lvBumpView", bumpColumns(true));

    frmJackpotSummary = makeFrame(this, "frmJackpotSummary", "Jackpot");
    QWidget* j = frmJackpotSummary;
    lblBumpsCaption = makeLabel(j, "lblBumpsCaption", "Bumps:");
    lblTotalBumps = makeLabel(j, "lblTotalBumps", "   00");
    lblBumpFee = makeLabel(j, "lblBumpFee");
    lblResultBump = makeLabel(j, "lblResultBump", "$0.0");
    lblWoodsCaption = makeLabel(j, "lblWoodsCaption", "Woods:");
    lblTotalWood = makeLabel(j, "lblTotalWood", "   00");
    lblWoodFee = makeLabel(j, "lblWoodFee");
    lblResultWood = makeLabel(j, "lblResultWood", "$0.0");
    lblResultsJackpot = makeLabel(j, "lblResultsJackpot", "JackPot:");
    lblResultsJackpot->setTextFormat(Qt::PlainText);
    lblResultJackpot = makeLabel(j, "lblResultJackpot", "$0.00");
    {
        QFont bold = font();
        bold.setBold(true);
        lblResultsJackpot->setFont(bold);
        lblResultJackpot->setFont(bold);
        auto* g = new QGridLayout(j);
        g->setHorizontalSpacing(8);
        auto row = [&](int r, QLabel* caption, QLabel* count, QLabel* fee, QLabel* money) {
            g->addWidget(caption, r, 0);
            g->addWidget(count, r, 1, Qt::AlignRight);
            g->addWidget(new QLabel(QStringLiteral("@"), j), r, 2);
            g->addWidget(fee, r, 3, Qt::AlignRight);
            g->addWidget(new QLabel(QStringLiteral("="), j), r, 4);
            g->addWidget(money, r, 5, Qt::AlignRight);
        };
        row(0, lblBumpsCaption, lblTotalBumps, lblBumpFee, lblResultBump);
        row(1, lblWoodsCaption, lblTotalWood, lblWoodFee, lblResultWood);
        auto* rule = new QFrame(j);
        rule->setObjectName(QStringLiteral("lnJackpotRule"));
        rule->setFrameShape(QFrame::HLine);
        rule->setFrameShadow(QFrame::Sunken);
        g->addWidget(rule, 2, 0, 1, 6);
        g->addWidget(lblResultsJackpot, 3, 0, 1, 4);
        g->addWidget(lblResultJackpot, 3, 5, Qt::AlignRight);
        g->setRowStretch(4, 1);
    }

    auto* topRight = new QHBoxLayout;
    topRight->addWidget(frmResultPayout, 1);
    topRight->addWidget(frmJackpotSummary, 1);
    auto* right = new QVBoxLayout;
    right->addLayout(topRight, 2);
    right->addWidget(frmJackpotWinner, 3);
    auto* left = new QVBoxLayout;
    left->addWidget(frmWinners, 3);
    left->addWidget(frmResultsBumps, 2);
    comboReportKind = makeCombo(this, "comboReportKind", "The report Export writes");
    comboReportKind->addItems(
        {QStringLiteral("Standings"), QStringLiteral("Results"), QStringLiteral("Treasurer")});
    comboReportKind->setCurrentIndex(1);
    cmdPrintResults = makeButton(this, "cmdPrintResults", "&Print...", "Print the results report");
    cmdExportResults = makeButton(this, "cmdExportResults", "&Export...",
                                  "Save the chosen report as a CSV or PDF file");
    for (QWidget* w :
         {static_cast<QWidget*>(comboReportKind), static_cast<QWidget*>(cmdPrintResults),
          static_cast<QWidget*>(cmdExportResults)})
        w->setEnabled(false);
    auto* commands = new QHBoxLayout;
    commands->addStretch(1);
    commands->addWidget(cmdPrintResults);
    commands->addSpacing(16);
    commands->addWidget(comboReportKind);
    commands->addWidget(cmdExportResults);

    auto* columns = new QHBoxLayout;
    columns->setSpacing(12);
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(10, 10, 10, 10);
    top->setSpacing(8);
    top->addLayout(columns, 1);
    top->addLayout(commands);
}

} // namespace rh::ui

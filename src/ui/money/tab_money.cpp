#include "ui/money/tab_money.h"

#include "core/currency.h"
#include "core/text.h"
#include "money/fee_choices.h"
#include "ui/grids/grid.h"
#include "ui/shell/visuals.h"
#include "ui/shell/widgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include <cmath>

namespace rh::ui {

MoneyTab::MoneyTab(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tabLoadMoney"));

    frmTournament = makeFrame(this, "frmTournament", "Progressive Tournament");
    imgLoad = makeLabel(frmTournament, "imgLoad");
    imgLoad->setPixmap(rankhallLogo(96));
    imgLoad->setAlignment(Qt::AlignCenter);
    cmdLoad = makeButton(frmTournament, "cmdLoad", "&Load", "Load Tournament");
    cmdNewTournament = makeButton(frmTournament, "cmdNewTournament", "&New Tournament...",
                                  "Start a tournament from a list of entrants");
    cmdSave = makeButton(frmTournament, "cmdSave", "&Save", "Save Tournament");
    CmdExit = makeButton(frmTournament, "CmdExit", "E&xit", "Exit Program");
    cmdPrintSheets = makeButton(frmTournament, "cmdPrintSheets", "&Print Sheets...",
                                "Print the score cards, seating charts and table cards");
    cmdPrintSheets->setEnabled(false);
    {
        auto* buttons = new QVBoxLayout;
        for (QPushButton* b : {cmdLoad, cmdNewTournament, cmdSave, cmdPrintSheets, CmdExit}) {
            b->setMinimumWidth(110);
            buttons->addWidget(b);
        }
        buttons->addStretch(1);
        auto* l = new QHBoxLayout(frmTournament);
        l->addLayout(buttons);
        l->addStretch(1);
        l->addWidget(imgLoad);
    }

    frmMoney = makeFrame(this, "frmMoney", "Tournament Money");
    lblEntryFee = makeLabel(frmMoney, "lblEntryFee", "Fee:");
    cbEntryFee = makeCombo(frmMoney, "cbEntryFee");
    lblExpense = makeLabel(frmMoney, "lblExpense", "Expenses:");
    txtExpense =
        makeTextBox(frmMoney, "txtExpense", "", "Enter your expenses to host this tournament");
    txtExpense->setPlaceholderText(QStringLiteral("$0.00"));
    txtExpense->setAlignment(Qt::AlignRight);
    // Digits and one decimal point; anything else is dropped as it is typed.
    txtExpense->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]*\\.?[0-9]*")), txtExpense));
    txtExpense->installEventFilter(this);
    lblNetPayoutCaption = makeLabel(frmMoney, "lblNetPayoutCaption", "Net Payout:");
    lblNetPayout = makeValue(frmMoney, "lblNetPayout", "Money available for payout");
    lblNetPayout->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    {
        auto* f = new QFormLayout(frmMoney);
        f->addRow(lblEntryFee, cbEntryFee);
        f->addRow(lblExpense, txtExpense);
        f->addRow(lblNetPayoutCaption, lblNetPayout);
        lblEntryFee->setBuddy(cbEntryFee);
        lblExpense->setBuddy(txtExpense);
    }

    frmFines = makeFrame(this, "frmFines", "Fines");
    lblBumpFeeCaption = makeLabel(frmFines, "lblBumpFeeCaption", "Bump:");
    cbBumpFee = makeCombo(frmFines, "cbBumpFee", "Select fee to charge for each bump");
    lblWoodFeeCaption = makeLabel(frmFines, "lblWoodFeeCaption", "Woodpecker:");
    cbWoodFee = makeCombo(frmFines, "cbWoodFee", "Select fee to charge for each woodpecker");
    {
        auto* f = new QFormLayout(frmFines);
        f->addRow(lblBumpFeeCaption, cbBumpFee);
        f->addRow(lblWoodFeeCaption, cbWoodFee);
        lblBumpFeeCaption->setBuddy(cbBumpFee);
        lblWoodFeeCaption->setBuddy(cbWoodFee);
    }
    connect(txtExpense, &QLineEdit::returnPressed, cbBumpFee,
            [this] { cbBumpFee->setFocus(Qt::TabFocusReason); });
    connect(txtExpense, &QLineEdit::textEdited, this, &MoneyTab::expensesEdited);

    frmJackpotTitle = makeFrame(this, "frmJackpotTitle", "Bump Jackpot Title");
    txtJackpotTitle = makeTextBox(frmJackpotTitle, "txtJackpotTitle", "Bump Jackpot",
                                  "Enter the name of your Jackpot");
    (new QVBoxLayout(frmJackpotTitle))->addWidget(txtJackpotTitle);

    frmPayoutOptions = makeFrame(this, "frmPayoutOptions", "Payout");
    optPayout1 =
        makeOption(frmPayoutOptions, "optPayout1", "Custom Payout", "Customize the payout");
    optPayout0 = makeOption(frmPayoutOptions, "optPayout0", "50% - 30% - 20%", "Standard Payout");
    optPayout = new QButtonGroup(frmPayoutOptions);
    optPayout->setObjectName(QStringLiteral("optPayout"));
    optPayout->addButton(optPayout0, 0);
    optPayout->addButton(optPayout1, 1);
    optPayout0->setChecked(true);
    cmdCustomPayout =
        makeButton(frmPayoutOptions, "cmdCustomPayout", "Setup", "Click to setup custom payout");
    lblPayouts = makeLabel(frmPayoutOptions, "lblPayouts", "Payouts");
    lvPayout = makeGrid(frmPayoutOptions, "lvPayout", payoutColumns(false));
    {
        auto* l = new QGridLayout(frmPayoutOptions);
        l->addWidget(optPayout1, 0, 0);
        l->addWidget(cmdCustomPayout, 0, 1);
        l->addWidget(optPayout0, 1, 0, 1, 2);
        l->addWidget(lblPayouts, 2, 0, 1, 2);
        l->addWidget(lvPayout, 3, 0, 1, 2);
        l->setRowStretch(3, 1);
    }

    frmCollectEntryFee = makeFrame(this, "frmCollectEntryFee", "Collect Entry Fee");
    cmdSetAll = makeButton(frmCollectEntryFee, "cmdSetAll", "Set &All");
    cmdClearAll = makeButton(frmCollectEntryFee, "cmdClearAll", "&Clear All");
    lvEntryFee = makeGrid(frmCollectEntryFee, "lvEntryFee", entryFeeColumns(true));
    {
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(cmdSetAll);
        buttons->addWidget(cmdClearAll);
        buttons->addStretch(1);
        auto* l = new QVBoxLayout(frmCollectEntryFee);
        l->addLayout(buttons);
        l->addWidget(lvEntryFee, 1);
    }

    frmShare = makeFrame(this, "frmShare", "Players' Phones");
    checkShare = makeCheck(frmShare, "checkShare", "Share on the network",
                           "Serve the wall screen to phones on this network");
    lblShareAddress = makeLabel(frmShare, "lblShareAddress", "", "Open this address on a phone");
    lblShareAddress->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblShareQr = makeLabel(frmShare, "lblShareQr", "", "Scan with a phone's camera");
    lblShareQr->setFixedSize(96, 96);
    lblShareQr->hide();
    {
        auto* text = new QVBoxLayout;
        text->addWidget(checkShare);
        text->addWidget(lblShareAddress);
        text->addStretch(1);
        auto* l = new QHBoxLayout(frmShare);
        l->addLayout(text, 1);
        l->addWidget(lblShareQr);
    }

    auto* left = new QVBoxLayout;
    left->addWidget(frmTournament);
    left->addWidget(frmMoney);
    left->addWidget(frmFines);
    left->addWidget(frmJackpotTitle);
    left->addStretch(1);
    auto* middle = new QVBoxLayout;
    middle->addWidget(frmPayoutOptions, 1);
    middle->addWidget(frmShare);

    auto* grid = new QHBoxLayout(this);
    grid->setContentsMargins(10, 10, 10, 10);
    grid->setSpacing(12);
    grid->addLayout(left, 3);
    grid->addLayout(middle, 3);
    grid->addWidget(frmCollectEntryFee, 4);
}

void MoneyTab::FillFeeLists(const CurrencyFormat& currency) {
    m_currency = &currency;
    auto fill = [&](QComboBox* list, const std::vector<int>& cents) {
        const QSignalBlocker block(list);
        list->clear();
        for (int c : cents)
            list->addItem(qs(formatMoney(c / 100.0, currency)), c);
        list->setCurrentIndex(-1);
    };
    fill(cbBumpFee, bumpFeeCents());
    fill(cbWoodFee, woodFeeCents());
    fill(cbEntryFee, entryFeeCents());
}

bool MoneyTab::selectFee(QComboBox* list, double amount) {
    const long long cents = std::llround(amount * 100);
    const int index = list->findData(static_cast<int>(cents));
    if (index < 0)
        return false;
    // Choosing the amount already shown still runs the list's handling.
    if (list->currentIndex() == index) {
        const QSignalBlocker block(list);
        list->setCurrentIndex(-1);
    }
    list->setCurrentIndex(index);
    return true;
}

void MoneyTab::showExpenses(double amount, const CurrencyFormat& currency) {
    m_currency = &currency;
    txtExpense->setText(qs(formatMoney(amount, currency, kMoney2)));
}

bool MoneyTab::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtExpense && event->type() == QEvent::FocusIn) {
        // Edit the plain number: the shown currency text goes, the whole number is selected.
        double amount = 0;
        const std::string shown = trim(ss(txtExpense->text()));
        // The plain number first: "12.5" is twelve and a half whatever the money format's
        // separators are.
        if (!shown.empty() && m_currency &&
            (tryParseNumber(shown, amount) || parseMoney(shown, *m_currency, amount)))
            txtExpense->setText(qs(formatGeneral(amount)));
        QTimer::singleShot(0, txtExpense, [e = txtExpense] { e->selectAll(); });
    } else if (watched == txtExpense && event->type() == QEvent::FocusOut) {
        // A popup or another window taking the focus for a moment is not leaving the box.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            emit expensesLeft(txtExpense->text().trimmed());
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace rh::ui

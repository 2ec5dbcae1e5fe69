#include "ui/money/money_presenter.h"
#include "services/standings_page.h"
#include "services/views.h"

#include "core/text.h"
#include "money/entry_fees.h"
#include "money/payout.h"
#include "money/payout_editor.h"
#include "publishing/html.h"
#include "services/changes.h"
#include "services/session.h"
#include "ui/grids/grid.h"
#include "ui/grids/grid_model.h"
#include "ui/grids/grid_view.h"
#include "ui/money/tab_money.h"
#include "ui/results/tab_results.h"
#include "ui/shell/main_window.h"
#include "ui/shell/widgets.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeView>

#include <algorithm>

namespace rh::ui {

namespace {

constexpr const char* kUpdateCustomTitle = "Update Custom Payouts";
constexpr const char* kUpdateCustomText = "Update your custom payouts";

std::vector<GridRow> entryFeeGridRows(const std::vector<EntryFeeRow>& rows) {
    std::vector<GridRow> out;
    out.reserve(rows.size());
    for (const EntryFeeRow& r : rows) {
        const QColor colour = toQColor(r.color);
        out.push_back(GridRow{{GridCell(QString(), colour), GridCell(qs(r.name), colour)},
                              qs(r.tag),
                              qs(r.toolTip),
                              r.paid});
    }
    return out;
}

} // namespace

MoneyPresenter::MoneyPresenter(MainWindow& window)
    : QObject(&window), m_window(window), m_payout(new GridModel(this)),
      m_resultPayout(new GridModel(this)), m_entryFee(new GridModel(this)) {
    setObjectName(QStringLiteral("moneyPresenter"));
    MoneyTab& t = tab();

    m_payout->setColumns(payoutColumns(false));
    m_payout->setCurrencyFormat(session().currency());
    configureGrid(t.lvPayout, m_payout);
    m_resultPayout->setColumns(payoutColumns(true));
    m_resultPayout->setCurrencyFormat(session().currency());
    configureGrid(m_window.resultsTab()->lvResultPayout, m_resultPayout);
    m_entryFee->setCheckable(true);
    layOutEntryFeeGrid();
    GridBinding* fees = configureGrid(t.lvEntryFee, m_entryFee);
    // The names take the rest of the frame's width.
    t.lvEntryFee->header()->setStretchLastSection(true);

    connect(&m_window, &MainWindow::tournamentLoaded, this, &MoneyPresenter::onTournamentLoaded);
    connect(&m_window, &MainWindow::entryFeeChanged, this, &MoneyPresenter::onEntryFeeChanged);
    connect(&m_window, &MainWindow::expensesChanged, this, &MoneyPresenter::onExpensesChanged);
    connect(&m_window, &MainWindow::tabChanging, this, &MoneyPresenter::onTabChanging);
    connect(&m_window, &MainWindow::tabShown, this, &MoneyPresenter::onTabShown);
    // The window stores the expenses on leaving the box first; the reminder comes after.
    connect(&t, &MoneyTab::expensesLeft, this, &MoneyPresenter::onExpensesLeft);
    connect(t.optPayout, &QButtonGroup::idClicked, this, &MoneyPresenter::onOptionClicked);
    connect(t.cmdCustomPayout, &QPushButton::clicked, this, &MoneyPresenter::CustomPayoutSetup);
    connect(t.cmdSetAll, &QPushButton::clicked, this,
            [this] { m_entryFee->setRows(entryFeeGridRows(markAllEntryFeesPaid(session()))); });
    connect(t.cmdClearAll, &QPushButton::clicked, this,
            [this] { m_entryFee->setRows(entryFeeGridRows(clearAllEntryFees(session()))); });
    connect(m_entryFee, &GridModel::rowCheckChanged, this, &MoneyPresenter::onEntryFeeChecked);
    // Sorting moves the rows with their check boxes; the colours follow the boxes again.
    connect(fees, &GridBinding::headingSorted, this, [this] {
        m_entryFee->recolorByCheck(toQColor(entryFeeRowColor(true)),
                                   toQColor(entryFeeRowColor(false)));
    });

    // The money inputs stay disabled until a tournament is loaded.
    showPayoutControls();
}

Session& MoneyPresenter::session() const {
    return m_window.session();
}

MoneyTab& MoneyPresenter::tab() const {
    return *m_window.moneyTab();
}

bool MoneyPresenter::entryFeeChosen() const {
    return tab().cbEntryFee->currentIndex() >= 1;
}

void MoneyPresenter::layOutEntryFeeGrid() {
    m_entryFee->setColumns(entryFeeColumns(session().tourney().isProgressive()));
}

// --- Signals of the window ----------------------------------------------------------------------

void MoneyPresenter::onTournamentLoaded() {
    layOutEntryFeeGrid();
    ShowLoadedFees();
    refreshEntryFees();
    showPayoutControls();
    showPayoutTable();
}

void MoneyPresenter::onEntryFeeChanged() {
    // The window has stored the fee and marked the payouts and the standings stale.
    refreshEntryFees();
    Session& s = session();
    if (s.state().payout.PayoutOption == 1 && s.isSettled())
        showUpdateCustomPayouts();
    UpdateNetPayout();
}

void MoneyPresenter::onExpensesChanged() {
    // The payouts in the standings change with the net payout as well.
    session().refresh().requestLeaderRefresh();
    UpdateNetPayout();
}

void MoneyPresenter::onExpensesLeft() {
    Session& s = session();
    const PayoutSettings& p = s.state().payout;
    if (s.viewsFilled() && p.PayoutOption == 1 && p.CustomPayoutCount > 0 &&
        s.payout().ChkPayout(s.currency()))
        showUpdateCustomPayouts();
}

void MoneyPresenter::onOptionClicked(int option) {
    session().payout().SelectPayoutOption(session(), static_cast<std::int16_t>(option));
    showPayoutControls();
    showPayoutTable();
}

void MoneyPresenter::onTabChanging(int index) {
    if (index != MainWindow::TabLoadMoney && session().viewsFilled())
        CheckCustomPayouts();
}

void MoneyPresenter::onTabShown(int index) {
    Session& s = session();
    if (index == MainWindow::TabLoadMoney) {
        s.payout().UpdatePayoutOptions(s.currency());
        refreshEntryFees();
        s.payout().RefreshPayouts(s, s.state().payout.PayoutOption);
        showPayoutControls();
        showPayoutTable();
    } else if (index == MainWindow::TabResults) {
        showPayoutTable();
    }
}

void MoneyPresenter::onEntryFeeChecked(int row, const QString& tag, bool checked) {
    const Rgb colour = setEntryFeePaid(session(), ss(tag), checked);
    m_entryFee->setRowForeground(row, toQColor(colour));
}

// --- Operations ---------------------------------------------------------------------------------

void MoneyPresenter::ShowLoadedFees() {
    Session& s = session();
    MoneyTab& t = tab();
    // Each selection runs its list's own handling (the fee stored, the views told).
    MoneyTab::selectFee(t.cbBumpFee, s.tourney().BumpFee());
    MoneyTab::selectFee(t.cbWoodFee, s.tourney().WoodFee());
    MoneyTab::selectFee(t.cbEntryFee, s.tourney().EntryFee());
    t.txtExpense->setText(qs(formatGeneral(s.tourney().Expenses())));
    UpdateNetPayout();
}

void MoneyPresenter::UpdateNetPayout() {
    Session& s = session();
    s.payout().UpdateNetPayout(s, expenseBoxNumeric());
    showNetPayout();
    showPayoutControls();
    showPayoutTable();
}

void MoneyPresenter::refreshEntryFees() {
    m_entryFee->setRows(entryFeeGridRows(rh::entryFeeRows(session(), entryFeeChosen())));
}

void MoneyPresenter::CustomPayoutSetup() {
    Session& s = session();
    PayoutTable& payout = s.payout();
    payout.SelectPayoutOption(s, 1);
    showPayoutControls();
    m_payout->clearRows();

    PayoutEditorRequest request;
    {
        const PayoutSettings& p = s.state().payout;
        request.placeCount = std::clamp<int>(p.CustomPayoutCount, 0, kPayoutPlaces);
        for (int i = 0; i < request.placeCount; ++i)
            request.amounts[std::size_t(i)] = p.CustomPayouts[std::size_t(i)];
    }
    request.netPayout = payout.netPayoutValue(s.currency());
    request.netPayoutText = payout.netPayoutText();
    request.entrants = s.tourney().TotalPlort();
    request.currency = s.currency();

    if (s.prompt().editPayouts(request)) {
        PayoutSettings& p = s.state().payout;
        const int count = std::clamp(request.placeCount, 0, kPayoutPlaces);
        Change custom;
        custom.kind = ChangeKind::CustomPayouts;
        custom.amounts.assign(request.amounts.begin(), request.amounts.begin() + count);
        const bool recorded = recordChange(s, custom);
        for (int i = 0; i < count; ++i)
            p.CustomPayouts[std::size_t(i)] = request.amounts[std::size_t(i)];
        p.CustomPayoutCount = static_cast<std::int16_t>(count);
        s.refresh().requestMoneyRefresh();
        payout.setPayoutsEnabled(true);
        if (!recorded)
            offerSaveWithoutJournal(s); // the save holds the amounts just accepted
    }

    m_payout->clearRows();
    payout.SelectPayoutOption(s, 1);
    showPayoutControls();
    showPayoutTable();
    if (publishStandingsPage(s, m_window.htmlTimer()->isActive()))
        m_window.notifyStandingsPublished();
}

std::string MoneyPresenter::payoutSituation() const {
    const Session& s = session();
    const PayoutSettings& p = s.state().payout;
    std::string out = s.payout().netPayoutText() + "|" + std::to_string(p.PayoutOption) + "|" +
                      std::to_string(p.CustomPayoutCount);
    for (double amount : p.CustomPayouts)
        out += "|" + formatGeneral(amount);
    return out;
}

void MoneyPresenter::CheckCustomPayouts() {
    Session& s = session();
    // Once per change of the net payout or the custom amounts: a table the director chose to
    // leave short, or a worksheet cancelled, is not asked about again, and the tab can be left.
    if (!s.payout().ChkPayout(s.currency()) || payoutSituation() == m_remindedFor)
        return;
    showUpdateCustomPayouts();
    CustomPayoutSetup();
    m_remindedFor = payoutSituation();
}

// --- Drawing ------------------------------------------------------------------------------------

void MoneyPresenter::showNetPayout() {
    const PayoutTable& payout = session().payout();
    QLabel* label = tab().lblNetPayout;
    label->setText(qs(payout.netPayoutText()));
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, toQColor(payout.netPayoutColor()));
    label->setPalette(pal);
}

void MoneyPresenter::showPayoutControls() {
    const Session& s = session();
    const PayoutTable& payout = s.payout();
    MoneyTab& t = tab();
    const bool inputs = payout.controlsEnabled();
    for (QWidget* w : std::initializer_list<QWidget*>{t.cbEntryFee, t.txtExpense, t.cbBumpFee,
                                                      t.cbWoodFee, t.txtJackpotTitle})
        w->setEnabled(inputs);
    const bool options = payout.payoutOptionsEnabled();
    t.optPayout0->setEnabled(options);
    t.optPayout1->setEnabled(options);
    t.cmdCustomPayout->setEnabled(options);
    // Nothing to save, and no roll call, before a tournament is loaded.
    for (QWidget* w : std::initializer_list<QWidget*>{t.cmdSave, t.cmdSetAll, t.cmdClearAll})
        w->setEnabled(s.isLoaded());
    const int option = s.state().payout.PayoutOption;
    if (QAbstractButton* chosen = t.optPayout->button(option))
        chosen->setChecked(true);
}

void MoneyPresenter::showPayoutTable() {
    std::vector<GridRow> rows;
    for (const PayoutRow& r : session().payout().rows())
        rows.push_back(
            GridRow{{qs(r.placeWord), qs(r.amountText)}, qs(r.placeWord + "1"), {}, false});
    m_payout->setRows(rows);
    m_resultPayout->setRows(std::move(rows));
}

void MoneyPresenter::showUpdateCustomPayouts() {
    showMessage(session().prompt(), kUpdateCustomTitle, kUpdateCustomText, MsgIcon::Information);
}

bool MoneyPresenter::expenseBoxNumeric() const {
    const std::string text = trim(ss(tab().txtExpense->text()));
    double amount = 0;
    return !text.empty() &&
           (tryParseNumber(text, amount) || parseMoney(text, session().currency(), amount));
}

} // namespace rh::ui

#include "ui/results/results_presenter.h"
#include "services/views.h"

#include "money/jackpot.h"
#include "services/session.h"
#include "standings/results.h"
#include "ui/alias/alias_presenter.h"
#include "ui/dashboard/dashboard.h"
#include "ui/details/details_presenter.h"
#include "ui/details/roster_viewer.h"
#include "ui/grids/grid.h"
#include "ui/grids/grid_model.h"
#include "ui/grids/grid_view.h"
#include "ui/results/tab_results.h"
#include "ui/shell/main_window.h"
#include "ui/shell/widgets.h"

#include <QLabel>
#include <QScopedValueRollback>
#include <QTabWidget>
#include <QTreeView>

namespace rh::ui {

namespace {

GridCell coloured(const std::string& text, const QColor& colour) {
    return GridCell(qtext(text), colour);
}

GridModel* attach(QTreeView* view) {
    auto* model = new GridModel(view);
    configureGrid(view, model);
    return model;
}

} // namespace

ResultsPresenter::ResultsPresenter(MainWindow& window)
    : QObject(&window), m_window(window), m_winners(attach(window.resultsTab()->lvWinnerView)),
      m_bumps(attach(window.resultsTab()->lvBumpView)),
      m_lones(attach(window.resultsTab()->lvLoneView)) {
    setObjectName(QStringLiteral("resultsPresenter"));
    m_bumps->setCheckable(true);
    m_bumps->setToolTipColumns({1}); // the alias shows on the name
    m_bumps->setCurrencyFormat(window.session().currency());
    m_winners->setCurrencyFormat(window.session().currency());
    m_lones->setCurrencyFormat(window.session().currency());
    layOutColumns();
    ShowJackpotTexts();

    connect(m_bumps, &GridModel::rowCheckChanged, this, &ResultsPresenter::onBumpChecked);
    connect(gridBinding(window.resultsTab()->lvBumpView), &GridBinding::headingSorted, this,
            [this] { RecolorBumpGrid(); });

    connect(&window, &MainWindow::tournamentLoaded, this, [this] {
        layOutColumns();
        ShowJackpotTexts();
        UpdateFineTotals();
        if (resultsShowing())
            refresh();
    });
    connect(&window, &MainWindow::tabShown, this, [this](int index) {
        if (index == MainWindow::TabResults)
            refresh();
    });
    connect(&window, &MainWindow::finesChanged, this, [this] {
        UpdateFineTotals();
        if (resultsShowing())
            refresh();
    });
    connect(&window, &MainWindow::scoreStored, this, [this] {
        UpdateFineTotals();
        // A paid mark ticked here changes nothing else this tab shows.
        if (!m_storingPaid && resultsShowing())
            refresh();
    });
    connect(&window, &MainWindow::jackpotTitleChanged, this, [this] { ShowJackpotTexts(); });
}

bool ResultsPresenter::resultsShowing() const {
    return m_window.tabs()->currentIndex() == MainWindow::TabResults;
}

void ResultsPresenter::layOutColumns() {
    const bool progressive = m_window.session().tourney().isProgressive();
    m_winners->setColumns(toGridColumns(rh::winnerColumns(progressive)));
    m_bumps->setColumns(toGridColumns(rh::bumpColumns(progressive)));
    m_lones->setColumns(toGridColumns(rh::loneColumns(progressive)));
}

void ResultsPresenter::refresh() {
    // Before a tournament is loaded the default settings name entrants nobody has entered.
    if (!m_window.session().isLoaded()) {
        m_winners->clearRows();
        m_bumps->clearRows();
        m_lones->clearRows();
        return;
    }
    ResultsTab* tab = m_window.resultsTab();
    tab->frmResultsBumps->setTitle(
        qs(rh::bumpFrameCaption(m_window.session().tourney().isProgressive())));
    winnerRows();
    debtorRows();
    loneRows();
    UpdateFineTotals();
    ShowJackpotTexts();
}

void ResultsPresenter::winnerRows() {
    std::vector<GridRow> rows;
    for (rh::WinnerRow& w : rh::winnerRows(m_window.session())) {
        const QColor colour = toQColor(w.color);
        GridRow row;
        row.cells = {coloured(w.name, colour), coloured(w.place, colour), coloured(w.score, colour),
                     coloured(w.payout, colour), coloured(w.lones, colour)};
        row.tag = qtext(w.tag);
        row.toolTip = qtext(w.toolTip);
        rows.push_back(std::move(row));
    }
    m_winners->setRows(std::move(rows));
}

void ResultsPresenter::debtorRows() {
    std::vector<GridRow> rows;
    for (rh::BumpRow& b : rh::debtorRows(m_window.session())) {
        const QColor colour = toQColor(b.color);
        GridRow row;
        row.checked = b.paid;
        row.cells = {coloured("", colour), coloured(b.name, colour), coloured(b.payIn, colour),
                     coloured(b.bumps, colour), coloured(b.woods, colour)};
        row.tag = qtext(b.tag);
        row.toolTip = qtext(b.toolTip);
        rows.push_back(std::move(row));
    }
    m_bumps->setRows(std::move(rows)); // program-set check states raise no rowCheckChanged
}

void ResultsPresenter::loneRows() {
    std::vector<GridRow> rows;
    for (rh::LoneRow& l : rh::loneRows(m_window.session())) {
        const QColor colour = toQColor(l.color);
        GridRow row;
        row.cells = {coloured(l.name, colour), coloured(l.payout, colour),
                     coloured(l.lones, colour)};
        row.tag = qtext(l.tag);
        row.toolTip = qtext(l.toolTip);
        rows.push_back(std::move(row));
    }
    m_lones->setRows(std::move(rows));
}

void ResultsPresenter::UpdateFineTotals() {
    ResultsTab* tab = m_window.resultsTab();
    const Session& session = m_window.session();
    if (!session.isLoaded())
        return; // the start-up texts stay
    const rh::FineSummary bumps = rh::bumpSummary(session);
    tab->lblTotalBumps->setText(qs(bumps.count));
    tab->lblResultBump->setText(qs(bumps.money));
    const rh::FineSummary woods = rh::woodSummary(session);
    tab->lblTotalWood->setText(qs(woods.count));
    tab->lblResultWood->setText(qs(woods.money));
    m_window.dashboard()->lblJackPot->setText(qs(woods.jackpot));
    tab->lblResultJackpot->setText(qs(woods.jackpot));
}

void ResultsPresenter::ShowJackpotTexts() {
    ResultsTab* tab = m_window.resultsTab();
    const TournamentSettings& t = m_window.session().tourney();
    tab->lblResultsJackpot->setText(qs(rh::jackpotResultsCaption(t)));
    tab->lblJackpotHeading->setText(qs(rh::jackpotWinnerHeading(t)));
    tab->lblJackpotExplanation->setText(qs(rh::jackpotExplanation(t)));
}

void ResultsPresenter::RecolorBumpGrid() {
    m_bumps->recolorByCheck(toQColor(rh::bumpRowColor(true)), toQColor(rh::bumpRowColor(false)));
}

void ResultsPresenter::onBumpChecked(int row, const QString& tag, bool checked) {
    if (tag.trimmed() == QStringLiteral("00"))
        return;
    Session& session = m_window.session();
    const rh::Rgb colour = rh::setFinesPaid(session, ss(tag), checked);
    m_bumps->setRowForeground(row, toQColor(colour));
    // The standings, the HTML page and the score-entry panel show the paid mark too.
    const QScopedValueRollback<bool> storing(m_storingPaid, true);
    m_window.notifyScoreStored();
}

void installReviewPresenters(MainWindow& window) {
    new ResultsPresenter(window);
    new DetailsPresenter(window);
    new AliasPresenter(window);
    new RosterViewer(window);
}

} // namespace rh::ui

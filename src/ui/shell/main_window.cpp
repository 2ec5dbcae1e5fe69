#include "ui/shell/main_window.h"

#include "services/changes.h"

#include "core/currency.h"
#include "core/text.h"
#include "services/load_save.h"
#include "services/session.h"
#include "ui/alias/tab_alias.h"
#include "ui/dashboard/dashboard.h"
#include "ui/details/tab_details.h"
#include "ui/leaders/tab_leaders.h"
#include "ui/money/tab_money.h"
#include "ui/results/tab_results.h"
#include "ui/scores/tab_scores.h"
#include "ui/shell/focus_frame.h"
#include "ui/shell/links.h"
#include "ui/shell/version.h"
#include "ui/shell/visuals.h"
#include "ui/shell/widgets.h"
#include "ui/shell/window_fit.h"
#include "ui/timer/clock_presenter.h"
#include "ui/timer/tab_timer.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QShowEvent>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace rh::ui {

namespace {

/// boxMain: the window's client area, painted with the banded gradient on every paint (so on
/// every resize).
class GradientBox : public QWidget {
public:
    explicit GradientBox(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("boxMain"));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        Gradient(p, rect(), kGradientStart, Qt::Vertical);
    }
};

} // namespace

MainWindow::MainWindow(Session& session, QWidget* parent)
    : QMainWindow(parent), m_session(session),
      m_openUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
    setObjectName(QStringLiteral("frmMain"));

    auto* box = new GradientBox(this);
    m_dashboard = new Dashboard(box);
    m_tabs = new QTabWidget(box);
    m_tabs->setObjectName(QStringLiteral("tabMain"));
    m_money = new MoneyTab(m_tabs);
    m_timer = new TimerTab(m_tabs);
    m_scores = new ScoresTab(m_tabs);
    m_leaders = new LeadersTab(m_tabs);
    m_results = new ResultsTab(m_tabs);
    m_details = new DetailsTab(m_tabs);
    m_alias = new AliasTab(m_tabs);
    m_tabs->addTab(m_money, QStringLiteral("Load / Money"));
    m_tabs->addTab(m_timer, QStringLiteral("Timer"));
    m_tabs->addTab(m_scores, QStringLiteral("Scores"));
    m_tabs->addTab(m_leaders, QStringLiteral("Leaders"));
    m_tabs->addTab(m_results, QStringLiteral("Results"));
    m_tabs->addTab(m_details, QStringLiteral("Details"));
    m_tabs->addTab(m_alias, QStringLiteral("Alias"));
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(12, 8, 12, 12);
    layout->setSpacing(8);
    layout->addWidget(m_dashboard);
    layout->addWidget(m_tabs, 1);
    setCentralWidget(box);

    m_htmlTimer = new QTimer(this);
    m_htmlTimer->setObjectName(QStringLiteral("HTML_Timer"));
    m_clock = new ClockPresenter(m_session.clock(), m_session.prompt(), m_dashboard, m_timer, this);
    m_clock->changed = [this](const Change& c) { recordChange(m_session, c, true); };

    // Start-up, in the order the subsystems expect.
    m_scores->cmbDebugRound->clear();
    m_clock->currentTimeTick();
    fitToScreen(screen());

    m_session.clock().initControls();
    m_session.clearStandingsChoice();
    SetIcon(this, true);

    m_session.clock().initVariables(m_clock->now());
    m_session.clock().setProgressRange(m_session.tourney().TotalRounds());

    htmlTimerState(false);
    m_htmlTimer->setInterval(3000);

    m_PreviousPlort = m_session.tourney().TotalPlort();
    ShowEmptyTournament();
    m_timer->lblPauseElapsed->clear();
    m_tabs->setCurrentIndex(TabLoadMoney);
    m_timer->lblVersion->setText(versionText());
    m_clock->apply();

    wire();
}

MainWindow::~MainWindow() = default;

void MainWindow::wire() {
    connect(m_tabs, &QTabWidget::currentChanged, this, &MainWindow::onTabChanged);
    // Ctrl+1 .. Ctrl+7 choose the tabs, wherever the focus is in the window.
    for (int tab = 0; tab < m_tabs->count(); ++tab) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + tab)), this);
        shortcut->setObjectName(QStringLiteral("shortcutTab%1").arg(tab + 1));
        connect(shortcut, &QShortcut::activated, this,
                [this, tab] { m_tabs->setCurrentIndex(tab); });
    }
    installFocusHighlight(this);
    connect(m_htmlTimer, &QTimer::timeout, this, &MainWindow::htmlRefreshDue);
    connect(m_dashboard->frmJackpot, &JackpotFrame::doubleClicked, this, &MainWindow::toggleTools);
    connect(m_dashboard->cmdBrowser, &QPushButton::clicked, this,
            &MainWindow::dualMonitorRequested);
    connect(m_scores->cmdValidateScore, &QPushButton::clicked, this,
            &MainWindow::validateRequested);

    connect(m_money->cmdLoad, &QPushButton::clicked, this, &MainWindow::loadRequested);
    connect(m_money->cmdSave, &QPushButton::clicked, this, &MainWindow::onSave);
    connect(m_money->CmdExit, &QPushButton::clicked, this, &QWidget::close);

    connect(m_money->cbEntryFee, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0)
            return;
        storeChange(m_session, Change::money(ChangeKind::EntryFee,
                                             m_money->cbEntryFee->itemData(index).toInt() / 100.0));
        m_session.refresh().requestMoneyRefresh();
        emit entryFeeChanged();
    });
    connect(m_money->cbBumpFee, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0)
            return;
        storeChange(m_session, Change::money(ChangeKind::BumpFee,
                                             m_money->cbBumpFee->itemData(index).toInt() / 100.0));
        m_results->lblBumpFee->setText(m_money->cbBumpFee->itemText(index));
        emit finesChanged();
    });
    connect(m_money->cbWoodFee, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0)
            return;
        storeChange(m_session, Change::money(ChangeKind::WoodFee,
                                             m_money->cbWoodFee->itemData(index).toInt() / 100.0));
        m_results->lblWoodFee->setText(m_money->cbWoodFee->itemText(index));
        emit finesChanged();
    });
    connect(m_money, &MoneyTab::expensesEdited, this, [this] {
        m_session.refresh().requestPayoutRebuild();
        emit expensesChanged();
    });
    connect(m_money, &MoneyTab::expensesLeft, this, &MainWindow::onExpensesLeft);
    connect(m_money->txtJackpotTitle, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_session.tourney().setJackpotTitle(ss(text));
        ShowJackpotTitles();
        emit jackpotTitleChanged();
    });

    connect(m_timer->lblWebSite, &LinkLabel::clicked, this, &MainWindow::openWebSite);
    connect(m_timer->lblWebSiteCaption, &LinkLabel::clicked, this, &MainWindow::openWebSite);
    connect(m_timer->lblTimerEmal, &LinkLabel::clicked, this, &MainWindow::openSupportMail);
    connect(m_timer->lblTimerEmalCaption, &LinkLabel::clicked, this, &MainWindow::openSupportMail);
}

Message MainWindow::exitQuestion() {
    return Message{kExitTitle, closeQuestionText(), MsgIcon::Exclamation,
                   MsgButtons::SaveDiscardCancel};
}

bool MainWindow::confirmExit() {
    return rh::confirmExit(m_session);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!confirmExit()) {
        event->ignore();
        return;
    }
    htmlTimerState(false);
    event->accept();
}

void MainWindow::fitToScreen(const QScreen* screen) {
    if (!screen)
        return;
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                   outer.right() - inner.right(), outer.bottom() - inner.bottom());
    // Until the window system has framed the window its frame is not known: assume one.
    if (frame.isNull())
        frame = kAssumedFrame;
    setGeometry(fittedClientGeometry(screen->availableGeometry(), frame));
    m_fittedSize = size();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The screen the window opens on may not be the one it was built for; a size set by hand
    // since (a test, a saved layout) stays.
    if (!event->spontaneous() && size() == m_fittedSize && !m_shownOnce)
        fitToScreen(screen());
    m_shownOnce = true;
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        onActivated();
    return QMainWindow::event(event);
}

void MainWindow::onActivated() {
    ShowCurrentRound();
    // The next double-click on the jackpot frame shows the tools, whatever is showing now.
    m_showTools = false;
}

void MainWindow::toggleTools() {
    m_showTools = !m_showTools;
    m_scores->setToolsVisible(m_showTools);
}

void MainWindow::ShowCurrentRound() {
    m_strCurrentRound = formatCurrentRound(m_session.tourney().CurrentRound());
    m_dashboard->lblCurrentRound->setText(qs(m_strCurrentRound));
}

void MainWindow::ChangeRound() {
    ShowCurrentRound();
    UpdateSittingOut();
    emit roundChanged();
}

void MainWindow::AdminSummary() {
    const TournamentSettings& t = m_session.tourney();
    const bool progressive = t.isProgressive();
    const QString kind = progressive ? QStringLiteral("Progressive") : QStringLiteral("Team");
    const QString entrant = qs(t.EntrantWord());
    m_money->frmTournament->setTitle(kind + QStringLiteral(" Tournament"));
    m_dashboard->lblDashboardPlort->setText(QStringLiteral("Total ") + qs(t.EntrantsWord()) +
                                            QStringLiteral(":"));
    m_dashboard->lblTotalPlayers->setText(QString::number(t.TotalPlort()));

    const QString nameHeading =
        progressive ? QStringLiteral("Player Name") : QStringLiteral("Team Name");
    m_alias->frmAlias->setTitle(entrant + QStringLiteral(" Alias Setup"));
    m_alias->lblAliasNames->setText(nameHeading);
    m_alias->lblPlayerAlias->setText(entrant + QStringLiteral(" Alias"));
    m_scores->lblPlayer->setText(progressive ? QStringLiteral("Name")
                                             : QStringLiteral("Team Name"));
    m_scores->boxPlayer->setTitle(progressive ? QStringLiteral("Player Round Score")
                                              : QStringLiteral("Team Round Score"));
    m_scores->frmPartnerScore->setTitle(progressive ? QStringLiteral("Partner Round Score")
                                                    : QStringLiteral("Opponent Round Score"));
    m_scores->frmOpponent->setVisible(progressive);
    m_results->frmResultsBumps->setTitle(progressive ? QStringLiteral("Players who owe bump money")
                                                     : QStringLiteral("Teams who owe bump money"));
}

void MainWindow::ShowTitle() {
    const QString title = qs(m_session.tourney().TourneyTitle());
    m_dashboard->lblTourneyTitle->setText(title);
    // Another program holds the tournament: the caption says that this window only shows it.
    setWindowTitle(m_session.viewOnly() ? title + QStringLiteral(" (view only)") : title);
}

void MainWindow::ShowJackpotTitles() {
    const QString title = qs(m_session.tourney().JackpotTitle());
    m_dashboard->lblDashJpotTitle->setText(title);
    m_results->lblResultsJackpot->setText(title + QStringLiteral(":"));
}

void MainWindow::ShowDashboard() {
    const TournamentSettings& t = m_session.tourney();
    m_dashboard->lblCode->setText(qs(t.TourneyCode()));
    ShowTitle();
    ShowCurrentRound();
    m_dashboard->lblTotalRounds->setText(QString::number(t.TotalRounds()));
    AdminSummary();
}

void MainWindow::UpdateSittingOut() {
    m_leaders->ShowSittingOut(m_session.state(), m_session.isLoaded());
}

void MainWindow::FillFeeLists() {
    m_money->FillFeeLists(m_session.currency());
}

void MainWindow::ShowEmptyTournament() {
    FillFeeLists();
    {
        // The box shows the default title; the empty tournament keeps no title of its own.
        const QSignalBlocker quiet(m_money->txtJackpotTitle);
        m_money->txtJackpotTitle->setText(qs(m_session.tourney().JackpotTitle()));
    }
    ShowJackpotTitles();
    UpdateSittingOut();
    m_money->txtExpense->clear();
    m_money->lblNetPayout->clear();
    m_dashboard->lblCode->clear();
    m_dashboard->lblTotalRounds->clear();
    m_money->optPayout0->setChecked(true);
    m_dashboard->lblJackPot->setText(QStringLiteral("$0.00"));
    m_results->lblResultJackpot->setText(QStringLiteral("$0.00"));
    ShowTitle();
    AdminSummary();
    ShowCurrentRound();
}

int MainWindow::NumOfPayouts() const {
    const QAbstractItemModel* model = m_money->lvPayout->model();
    return model ? model->rowCount() : 0;
}

void MainWindow::htmlTimerState(bool on) {
    if (on)
        m_htmlTimer->start();
    else
        m_htmlTimer->stop();
}

void MainWindow::SetIcon(QWidget* window, bool asApplicationIcon) {
    const QIcon icon = rankhallIcon();
    window->setWindowIcon(icon);
    if (asApplicationIcon)
        QApplication::setWindowIcon(icon);
}

void MainWindow::onTabChanged(int index) {
    htmlTimerState(false);
    emit tabChanging(index);
    switch (index) {
    case TabScores:
        m_session.refresh().requestPayoutRebuild();
        htmlTimerState(true);
        break;
    case TabResults:
        htmlTimerState(true);
        m_results->frmResultsBumps->setTitle(m_session.tourney().isProgressive()
                                                 ? QStringLiteral("Players who owe bump money")
                                                 : QStringLiteral("Teams who owe bump money"));
        break;
    case TabLoadMoney:
        m_money->cmdLoad->setFocus(Qt::OtherFocusReason);
        break;
    default:
        break;
    }
    emit tabShown(index);
}

void MainWindow::setLastLoadedPath(const std::string& path) {
    m_session.dialogFiles().rememberOpened(path);
}

FileDialogSpec MainWindow::saveDialogSpec() const {
    return rh::saveDialogSpec(m_session);
}

void MainWindow::onSave() {
    if (!m_session.isLoaded())
        return; // the button is disabled then; nothing to save
    const std::string path = m_session.prompt().chooseSaveFile(saveDialogSpec());
    if (path.empty())
        return; // cancelled: silently
    // The dialog remembers its own file from now on.
    m_session.dialogFiles().rememberSaved(path);
    emit saveRequested(qs(path));
}

void MainWindow::onExpensesLeft(const QString& text) {
    double amount = 0;
    if (!tryParseNumber(ss(text), amount))
        amount = 0;
    try {
        storeChange(m_session, Change::money(ChangeKind::Expenses, amount));
    } catch (const RhError& e) {
        // An amount beyond what the expenses may be: the stored one stays and shows again.
        m_session.ShowErrorMsg("Expenses", e);
        amount = m_session.tourney().Expenses();
    }
    m_money->showExpenses(amount, m_session.currency());
    m_session.refresh().requestPayoutRebuild();
    emit expensesChanged();
}

QString MainWindow::startupFileToLoad() const {
    return isTournamentFile(m_startupFile) ? m_startupFile : QString();
}

bool MainWindow::LoadStartupFile() {
    const QString path = startupFileToLoad();
    if (path.isEmpty())
        return false;
    emit loadFileRequested(path);
    return true;
}

bool MainWindow::isTournamentFile(const QString& path) {
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && info.isFile() && path.right(4).toUpper() == QStringLiteral(".QMC");
}

bool MainWindow::openUrl(const QUrl& url) {
    return m_openUrl(url);
}

void MainWindow::openWebSite() {
    m_openUrl(webSiteUrl());
}

void MainWindow::openSupportMail() {
    m_openUrl(supportMailUrl(m_session.tourney().SupportDir()));
}

} // namespace rh::ui

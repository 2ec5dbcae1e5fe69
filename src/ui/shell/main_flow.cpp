#include "ui/shell/main_flow.h"
#include "services/standings_page.h"
#include "services/views.h"

#include "core/errors.h"
#include "money/jackpot.h"
#include "publishing/html.h"
#include "services/load_save.h"
#include "services/session.h"
#include "standings/leader_rows.h"
#include "standings/leaders.h"
#include "ui/dashboard/dashboard.h"
#include "ui/money/tab_money.h"
#include "ui/shell/main_window.h"
#include "ui/shell/widgets.h"
#include "ui/timer/clock_presenter.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <array>
#include <new>

namespace rh::ui {

namespace {

constexpr const char* kLoadDetailGrid = "Load Detail Grid";

/// Characters shown, for lining up UTF-8 text in a plain-text table.
std::size_t displayWidth(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

void pad(std::string& line, const std::string& text, std::size_t width, bool left) {
    const std::string fill(width - std::min(width, displayWidth(text)), ' ');
    line += left ? text + fill : fill + text;
}

/// Keeps the wait cursor up while a load refreshes the views.
struct WaitCursor {
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

std::string standingsText(Session& session) {
    const bool progressive = session.tourney().isProgressive();
    const std::vector<LeaderRow> rows = leaderRows(session.state(), leaderEntries(session));
    constexpr std::array<std::size_t, 10> columns = {kColName,  kColPlace, kColPayout, kColScore,
                                                     kColAvg,   kColLone,  kColPaid,   kColTotalDue,
                                                     kColBumps, kColWoods};
    const std::array<std::string, 10> headings = {entrantNameHeading(progressive),
                                                  "Place",
                                                  "Payout",
                                                  "Score",
                                                  "Avg",
                                                  "Lones",
                                                  "Paid",
                                                  "Total Due",
                                                  "Bumps",
                                                  "Woods"};
    std::array<std::size_t, 10> widths{};
    for (std::size_t i = 0; i < columns.size(); ++i) {
        widths[i] = displayWidth(headings[i]);
        for (const LeaderRow& row : rows)
            widths[i] = std::max(widths[i], displayWidth(row.cells[columns[i]]));
    }
    auto line = [&](auto cellOf) {
        std::string out;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (i > 0)
                out += "  ";
            pad(out, cellOf(i), widths[i], i == 0);
        }
        while (!out.empty() && out.back() == ' ')
            out.pop_back();
        return out + "\n";
    };
    std::string text = line([&](std::size_t i) { return headings[i]; });
    std::size_t total = 2 * (columns.size() - 1);
    for (std::size_t w : widths)
        total += w;
    text += std::string(total, '-') + "\n";
    for (const LeaderRow& row : rows)
        text += line([&](std::size_t i) { return row.cells[columns[i]]; });
    return text;
}

Message fileMissingMessage(const Session& session) {
    return Message{kAppTitle, "File doesn't exist: " + session.htmlFileName(), MsgIcon::None,
                   MsgButtons::Ok};
}

Message noBrowserMessage(const std::string& path) {
    return Message{kAppTitle,
                   "No browser could be opened. Open this page in a browser yourself:\n" + path,
                   MsgIcon::Exclamation, MsgButtons::Ok};
}

MainFlow::MainFlow(MainWindow& window)
    : QObject(&window), m_window(window), m_session(window.session()) {
    setObjectName(QStringLiteral("mainFlow"));
    connect(&window, &MainWindow::loadRequested, this, [this] { LoadTournament({}); });
    connect(&window, &MainWindow::loadFileRequested, this,
            [this](const QString& path) { LoadTournament(ss(path)); });
    connect(&window, &MainWindow::saveRequested, this, &MainFlow::SaveTournament);
    connect(&window, &MainWindow::htmlRefreshDue, this, &MainFlow::HtmlTick);
    connect(&window, &MainWindow::dualMonitorRequested, this, &MainFlow::ShowDualMonitor);
    connect(&window, &MainWindow::scoreStored, this, [this] {
        ShowJackpot();
        publishStandingsPage();
    });
    // A new fee changes the jackpot and what each entrant owes; a new entry fee the payouts.
    auto feeChanged = [this] {
        if (!m_session.isSettled())
            return; // a load choosing the file's fees: the refresh after it shows them
        ShowJackpot();
        publishStandingsPage();
    };
    connect(&window, &MainWindow::finesChanged, this, feeChanged);
    connect(&window, &MainWindow::entryFeeChanged, this, feeChanged);
}

bool MainFlow::LoadTournament(const std::string& path) {
    if (!confirmDiscard(m_session))
        return false; // Cancel: the open tournament stays as it was, flags included
    try {
        return load(path); // nothing loaded: nothing changed
    } catch (const RhError& e) {
        m_session.ShowErrorMsg(kLoadDetailGrid, e);
    } catch (const std::bad_alloc&) {
        m_session.ShowErrorMsg(kLoadDetailGrid, RhError(err::OutOfMemory));
    } catch (const std::exception& e) {
        m_session.ShowErrorMsg(kLoadDetailGrid, RhError(err::InvalidCall, e.what()));
    }
    return false;
}

bool MainFlow::load(const std::string& path) {
    // Nothing changes until a new tournament has been read: a cancelled dialog or a file that
    // cannot be read leaves the open tournament, its clock and every view as they were.
    bool changedByLoad = false;
    const bool loaded = loadTournament(m_session, path, [&] {
        // Changes the journal gave back are not in the file: the tournament stays changed.
        changedByLoad = m_session.isModified();
        AfterLoadRefresh();
    });
    if (!loaded)
        return false;
    const TournamentSettings& t = m_session.tourney();
    m_session.clock().setProgressRange(t.TotalRounds());
    m_session.clock().updateProgressBars(false, t.CurrentRound(), t.TotalRounds());
    // What the views did while filling themselves is part of the load, not a change.
    if (!changedByLoad)
        m_session.markUnmodified();
    return true;
}

void MainFlow::AfterLoadRefresh() {
    const WaitCursor busy;
    Dashboard& dash = *m_window.dashboard();
    const TournamentSettings& t = m_session.tourney();

    dash.lblCode->setText(qs(t.TourneyCode()));
    m_window.ShowTitle();
    // The box stores what it shows, as when the director types it.
    m_window.moneyTab()->txtJackpotTitle->setText(qs(t.JackpotTitle()));
    m_window.ShowJackpotTitles();

    m_session.clock().setProgressRange(t.TotalRounds());
    m_session.clock().clearProgressBar();
    m_window.FillFeeLists();
    m_window.AdminSummary();
    m_window.ShowDashboard();
    m_window.UpdateSittingOut();
    m_window.ShowCurrentRound();
    ShowJackpot();

    m_window.notifyTournamentLoaded();
}

bool MainFlow::SaveTournament(const QString& path) {
    return rh::SaveTournament(m_session, ss(path));
}

bool MainFlow::publishStandingsPage() {
    const bool written = rh::publishStandingsPage(m_session, m_window.htmlTimer()->isActive());
    if (written)
        m_window.notifyStandingsPublished();
    return written;
}

void MainFlow::HtmlTick() {
    publishStandingsPage();
    // Outside score entry the standings grid is the view; the page need not follow every tick.
    if (m_window.tabs()->currentIndex() == MainWindow::TabLeaders)
        m_window.htmlTimerState(false);
}

bool MainFlow::ShowDualMonitor() {
    if (!m_session.viewsFilled())
        return false;
    const QString path = qs(standingsPagePath(m_session));
    if (!QFileInfo::exists(path))
        publishStandingsPage();
    bool opened = false;
    if (!QFileInfo::exists(path)) {
        m_session.prompt().show(fileMissingMessage(m_session));
    } else {
        opened = m_window.openUrl(QUrl::fromLocalFile(path));
        if (!opened)
            m_session.prompt().show(noBrowserMessage(ss(path)));
    }
    m_window.htmlTimerState(true);
    return opened;
}

void MainFlow::ShowJackpot() {
    m_window.dashboard()->lblJackPot->setText(
        m_session.isLoaded() ? qs(woodSummary(m_session).jackpot) : QStringLiteral("$0.00"));
}

} // namespace rh::ui

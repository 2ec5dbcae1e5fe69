#pragma once
// MainFlow: the window's main commands around the open tournament and the live standings page.
//
//  - Load ("&Load", or the command-line file at the end of start-up): the "Exit" question when a
//    tournament is in progress, the clock and tournament reset, the file (open dialog or path),
//    the recovery question, the read and the payouts (services' loadTournament), and then the
//    after-load refresh: the dashboard, the progress bars, the fee lists, the kind captions, the
//    sitting-out frame, and finally tournamentLoaded(), on which every tab fills itself. A load
//    that is cancelled or cannot read its file changes nothing: the open tournament stays on every
//    view.
//  - Save: the save dialog's path written through the save service.
//  - The HTML standings page: rewritten after every stored score and on every HTML tick; "Dual
//    Monitor" opens it in the browser and switches the tick on.
//  - The dashboard's jackpot after every score and fee change.
//
// Ownership: a child of the window, created first by installPresenters so that it hears the
// window's signals before the tab presenters.

#include "core/prompt.h"
#include "services/standings_page.h"

#include <QObject>
#include <QString>

#include <string>

namespace rh {
class Session;
}

namespace rh::ui {

class MainWindow;

/// The standings of the open tournament as a plain-text table, best first (name, place, payout,
/// score, average, lones, paid, total due, bumps, woods), each line ended by "\n".
std::string standingsText(Session& session);

/// "File doesn't exist: " + the standings page's file name, OK, the application's title.
Message fileMissingMessage(const Session& session);

/// Nothing could open the page (no browser): the page's path, for the director to open it.
Message noBrowserMessage(const std::string& path);

class MainFlow : public QObject {
    Q_OBJECT
public:
    explicit MainFlow(MainWindow& window);

    /// Loads a tournament: the path, or with an empty path the file the director chooses. Asks
    /// first when a tournament is in progress (Cancel: nothing changes, false). True when a
    /// tournament was loaded.
    bool LoadTournament(const std::string& path);
    /// The window's part of a load, once the services have read the tournament, filled its
    /// derived views and built its payouts: every view shows the new tournament (see the header
    /// comment). loadTournament runs it inside the load.
    void AfterLoadRefresh();
    /// Saves to the path the save dialog handed back. True when the file was written.
    bool SaveTournament(const QString& path);

    /// Rewrites the standings page (nothing before a tournament is loaded). True when written.
    bool publishStandingsPage();
    /// HTML_Timer: the page, then the tick stops when the Leaders tab shows outside score entry.
    void HtmlTick();
    /// "Dual Monitor": the page (written first when missing) opened in the browser, then the
    /// tick on. False when nothing is loaded or the page could not be opened (no browser: the
    /// page's path is shown, noBrowserMessage).
    bool ShowDualMonitor();
    /// lblJackPot: the jackpot of all fines, in the summary's currency form.
    void ShowJackpot();

private:
    bool load(const std::string& path);

    MainWindow& m_window;
    Session& m_session;
};

} // namespace rh::ui

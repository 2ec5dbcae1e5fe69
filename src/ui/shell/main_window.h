#pragma once
// frmMain: the program's one long-lived window. The dashboard on top, seven tabs below, over the
// banded background gradient. The window holds no tournament logic: the Session holds the open
// tournament and its flags, the tabs hold the controls (one class and source file per tab), the
// ClockPresenter runs the clock, and the commands that belong to other subsystems leave the window
// as signals (loadRequested, saveRequested, tabShown, ...).
//
// Every control carries its documented object name, so later wiring and tests find it with
// findChild<...>(name) or through the typed tab accessors.

#include "core/prompt.h"

#include <QMainWindow>
#include <QUrl>

#include <functional>
#include <string>
#include <type_traits>

class QScreen;
class QTabWidget;
class QTimer;

namespace rh {
class Session;
}

namespace rh::ui {

class AliasTab;
class ClockPresenter;
class Dashboard;
class DetailsTab;
class LeadersTab;
class MoneyTab;
class ResultsTab;
class ScoresTab;
class TimerTab;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    enum Tab { TabLoadMoney, TabTimer, TabScores, TabLeaders, TabResults, TabDetails, TabAlias };

    /// Builds the window hidden, with the start-up state of an empty tournament. The session
    /// (and its prompt) must outlive the window.
    explicit MainWindow(Session& session, QWidget* parent = nullptr);
    ~MainWindow() override;

    Session& session() { return m_session; }
    QTabWidget* tabs() const { return m_tabs; }
    Dashboard* dashboard() const { return m_dashboard; }
    MoneyTab* moneyTab() const { return m_money; }
    TimerTab* timerTab() const { return m_timer; }
    ScoresTab* scoresTab() const { return m_scores; }
    LeadersTab* leadersTab() const { return m_leaders; }
    ResultsTab* resultsTab() const { return m_results; }
    DetailsTab* detailsTab() const { return m_details; }
    AliasTab* aliasTab() const { return m_alias; }
    ClockPresenter* clockPresenter() const { return m_clock; }
    /// HTML_Timer: 3000 ms, runs only while "Scores" or "Results" is showing.
    QTimer* htmlTimer() const { return m_htmlTimer; }

    /// The exit question: four lines, Save/Discard/Cancel, exclamation, "Exit".
    static Message exitQuestion();
    /// Asks the exit question when the loaded tournament changed since it was loaded or saved
    /// (Save saves first); true when the window may close.
    bool confirmExit();

    /// m_strCurrentRound: CurrentRound as " 3".
    const std::string& strCurrentRound() const { return m_strCurrentRound; }
    /// Shows the current round on the dashboard (m_strCurrentRound refreshed).
    void ShowCurrentRound();
    /// The round changed: shows it and asks for the standings refresh (roundChanged).
    void ChangeRound();
    /// The kind-dependent captions ("Progressive Tournament", "Total Players:", "Team Name", ...)
    /// and the entrant count.
    void AdminSummary();
    /// Title label and window caption from TourneyTitle.
    void ShowTitle();
    /// lblDashJpotTitle and lblResultsJackpot from JackpotTitle.
    void ShowJackpotTitles();
    /// After a load: code, title, current round, total rounds and entrants on the dashboard.
    void ShowDashboard();
    /// Shows or hides the sitting-out frame for the current round.
    void UpdateSittingOut();
    /// Refills the fee lists (start-up and after each load).
    void FillFeeLists();
    /// The dashboard and money controls of an empty tournament, as at start-up: fee lists with
    /// nothing chosen, default titles, no code, no expenses or net payout, the standard payout
    /// option, "$0.00" jackpots, the kind captions and the current round. A load that failed or
    /// was cancelled after the reset ends here.
    void ShowEmptyTournament();
    /// Rows of the payout grid.
    int NumOfPayouts() const;
    void htmlTimerState(bool on);
    /// Sizes and places the window so that, frame included, it fits the screen's available area
    /// (and grows on a larger screen): see window_fit.h.
    void fitToScreen(const QScreen* screen);
    /// Gives the window the program's icon, and with the flag the application too.
    static void SetIcon(QWidget* window, bool asApplicationIcon);

    /// The hidden tools (Validate Score, Roster, Debug Names).
    bool toolsShown() const { return m_showTools; }
    void toggleTools();
    /// Runs each time the window becomes active.
    void onActivated();

    /// The tournament file named on the command line, as given.
    void setStartupFile(const QString& path) { m_startupFile = path; }
    QString startupFile() const { return m_startupFile; }
    /// The command-line file when it names an existing file (not a folder) ending in ".QMC" in
    /// any letter case; "" otherwise.
    QString startupFileToLoad() const;
    static bool isTournamentFile(const QString& path);
    /// The end of start-up: loads the command-line file (loadFileRequested) when it is one.
    /// True when a load was asked for.
    bool LoadStartupFile();

    /// The open dialog's last file, which the save dialog offers until it has a file of its own.
    void setLastLoadedPath(const std::string& path);
    /// The save dialog: "Save Tournament", "Files (*.QMC)|*.QMC", default extension QMC, asking
    /// before overwriting, the folder must exist; it offers its own last file, else the file of
    /// the last load.
    FileDialogSpec saveDialogSpec() const;

    /// Opens links and documents (tests replace the system's "open" action). An opener may say
    /// whether anything opened (bool); one that says nothing is taken to have opened.
    template <class Opener> void setUrlOpener(Opener opener) {
        if constexpr (std::is_void_v<std::invoke_result_t<Opener&, const QUrl&>>)
            m_openUrl = [opener](const QUrl& url) mutable {
                opener(url);
                return true;
            };
        else
            m_openUrl = std::move(opener);
    }
    /// False when nothing could open the address (no browser, no handler).
    bool openUrl(const QUrl& url);
    void openWebSite();
    void openSupportMail();

signals:
    /// "&Load" pressed.
    void loadRequested();
    /// The command line names a tournament file to load at the end of start-up.
    void loadFileRequested(const QString& path);
    /// "&Save" pressed and a path chosen.
    void saveRequested(const QString& path);
    void dualMonitorRequested();
    void validateRequested();
    /// HTML_Timer ticked: rewrite the standings page.
    void htmlRefreshDue();
    /// A tab is being left for `index` (after the HTML timer stopped; before the tab's own
    /// refresh): the custom payout check runs here.
    void tabChanging(int index);
    /// A tab became current, after the window's own steps: the tab's refresh runs here.
    void tabShown(int index);
    void roundChanged();
    void entryFeeChanged();
    void finesChanged();
    void expensesChanged();
    void jackpotTitleChanged();
    /// The after-load refresh reached the views: every tab fills itself from the new tournament.
    /// Emitted once per successful load, in the order the presenters were installed.
    void tournamentLoaded();
    /// A score (or lone, bump, wood, paid mark) was stored: views that depend on scores refresh.
    void scoreStored();
    /// A load failed or was cancelled after the reset: the open tournament is now the empty one,
    /// and every view empties itself (the window has already cleared every grid's rows).
    void tournamentReset();
    /// The standings page was just rewritten: the pages published beside it follow.
    void standingsPagePublished();

public:
    /// Tells the views that the standings page was rewritten (emits standingsPagePublished).
    void notifyStandingsPublished() { emit standingsPagePublished(); }
    /// Tells every view that a score was stored (emits scoreStored).
    void notifyScoreStored() { emit scoreStored(); }
    /// Tells every view that a tournament was loaded (emits tournamentLoaded).
    void notifyTournamentLoaded() { emit tournamentLoaded(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void onTabChanged(int index);
    void onSave();
    void onExpensesLeft(const QString& text);
    void wire();

    Session& m_session;
    QTabWidget* m_tabs;
    Dashboard* m_dashboard;
    MoneyTab* m_money;
    TimerTab* m_timer;
    ScoresTab* m_scores;
    LeadersTab* m_leaders;
    ResultsTab* m_results;
    DetailsTab* m_details;
    AliasTab* m_alias;
    ClockPresenter* m_clock;
    QTimer* m_htmlTimer;
    std::string m_strCurrentRound;
    QString m_startupFile;
    std::function<bool(const QUrl&)> m_openUrl;
    bool m_showTools = false;
    int m_PreviousPlort = 0;
    QSize m_fittedSize;
    bool m_shownOnce = false;
};

} // namespace rh::ui

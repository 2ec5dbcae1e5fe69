#pragma once
// The two ways the window changes who plays: "New Tournament..." on the "Load / Money" tab
// (NewTournamentPresenter) and "Substitute..." on the "Alias" tab (SubstitutePresenter).
//
// A new tournament is written by its dialog and then opened through the window's normal load
// (loadFileRequested), so the question before discarding an open tournament, the recovery check
// and the after-load refresh all apply as for any file. A substitute renames the chosen entrant
// (renameEntrant) and every view that shows names is refreshed.
//
// Ownership: children of the window, created by installPresenters.

#include <QObject>

#include <functional>

namespace rh::ui {

class MainWindow;
class NewTournamentDialog;

class NewTournamentPresenter : public QObject {
    Q_OBJECT
public:
    explicit NewTournamentPresenter(MainWindow& window);

    /// Runs the dialog; when it wrote a file, opens it through the normal load. True when a file
    /// was written.
    bool NewTournament();
    /// How the dialog is run (exec by default); tests fill it in and accept it instead.
    void setDialogRunner(std::function<int(NewTournamentDialog&)> run) { m_run = std::move(run); }

private:
    MainWindow& m_window;
    std::function<int(NewTournamentDialog&)> m_run;
};

class SubstitutePresenter : public QObject {
    Q_OBJECT
public:
    explicit SubstitutePresenter(MainWindow& window);

    /// Asks for the chosen entrant's new name and renames it; a refused name is said in a
    /// message. True when renamed.
    bool Substitute();

private:
    void refreshEnabled();
    MainWindow& m_window;
};

} // namespace rh::ui

#pragma once
// RosterViewer: the hidden inspection panel on the Scores tab (frmDebug "Roster" and
// frmDebugNames "Debug Names", shown by double-clicking the dashboard's jackpot frame). Pick a
// round and an entrant, and it shows the entrant's partner and opponents in that round (the
// opposing team in a Team tournament), a "*" in front of whoever has no score for the round yet.
// The names list shows every entrant as loaded ("name~ID"). It only reads the tournament.
//
// Ownership: a child of the window; the widgets belong to the Scores tab.

#include "core/ids.h"

#include <QObject>

#include <string>

namespace rh::ui {

class MainWindow;

class RosterViewer : public QObject {
    Q_OBJECT
public:
    explicit RosterViewer(MainWindow& window);

    /// The round list "01".."NN", once a load has completed; empties the rest of the viewer.
    void PopulateDebugRounds();
    /// lstDebug: the entrants as loaded.
    void PopulateDebugNames();
    /// cmbDebugPlorte: the entrants seated in the chosen round (PopulateDebugPlayers or
    /// PopulateDebugTeams by the tournament's kind).
    void PopulateDebugPlorte();
    /// The partner and opponent boxes for the chosen entrant.
    void cmbDebugPlorteClick();
    /// ID text of the chosen entrant, "00" when none.
    std::string getDebugPlayerId() const;

private:
    /// The chosen round as ID text, "" when none.
    std::string chosenRound() const;
    /// The entrant's name, with "*" in front when it has no score for the round.
    std::string shownName(RoundNo round, EntrantId id) const;
    /// A loaded tournament's views are filled (or being filled by its load).
    bool ready() const;
    void clearBoxes();

    MainWindow& m_window;
};

} // namespace rh::ui

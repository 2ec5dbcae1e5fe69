#pragma once
// AliasPresenter: the "Alias" tab. After every load it captions the tab for the tournament's
// kind, fills the grid of entrants and their aliases (lvPlayers, in name order) and the entrant
// list (cmbPlayerName: text = name, data = ID), and offers the first entrant without an alias.
// The director picks an entrant (from the list or by clicking a grid row), types the alias and
// presses Enter (store it, go on to the next entrant without one) or "&Update" (store it). The
// rules themselves (duplicates, what is stored) are the toolkit-free ones of roster/aliases.h.
//
// Ownership: a child of the window; the grid model is a child of the view.

#include "core/ids.h"

#include <QObject>

#include <string>
#include <vector>

namespace rh::ui {

class GridModel;
class MainWindow;

class AliasPresenter : public QObject {
    Q_OBJECT
public:
    explicit AliasPresenter(MainWindow& window);

    GridModel* model() const { return m_model; }

    /// Captions, the grid's columns and rows, then the entrant list (PopulateAliasPlorte).
    void PopulatePlayerViewGrid();
    /// Showing the tab: the set-up again (the open tournament may have changed), keeping the
    /// chosen entrant and the typed text when the entrant is still listed.
    void refreshKeepingChoice();
    /// Refills lvPlayers from the entrant list and the aliases.
    void refillGrid();
    /// Refills cmbPlayerName and selects the first entrant without an alias.
    void PopulateAliasPlorte();
    /// Selects the first entrant of cmbPlayerName without an alias (the first entrant when all
    /// have one) and shows its alias. False when the list is empty.
    bool SelectNextWithoutAlias();
    /// ID text of the chosen entrant, "00" when none.
    std::string getPlayerID() const;
    /// Stores the typed alias for the chosen entrant. False when it was a duplicate (the
    /// "Duplicate Name" message was shown and the focus is back in the alias box).
    bool UpdateAlias();
    /// Shows the chosen entrant's alias in the alias box.
    void showChosenAlias();

private:
    void selectEntrant(int row, const QString& tag);
    std::vector<EntrantId> listedIds() const;

    MainWindow& m_window;
    GridModel* m_model;
};

} // namespace rh::ui

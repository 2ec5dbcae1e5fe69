#pragma once
// ScoresPresenter: the Scores tab on the score-entry controller (ScoreEntry).
//
// The controller holds the whole state of the tab without any toolkit; this presenter forwards
// the director's choices to it (QComboBox::activated, QCheckBox::clicked: never the selection
// changes the program makes) and, after every action, renders the controller's view onto the
// widgets: items, item data, selection, enabled and visible flags, captions, the money captions'
// colours and the keyboard focus. A rendering never counts as a choice.
//
// It also binds the round advance that follows every stored score: the other views refresh
// (scoreStored), the clock is driven through the window's ClockPresenter so its labels and timers
// follow, the recovery copy is written, the round change is shown and, after the last round, the
// Results tab comes up. And it opens a new validation window (frmValidate) for each press of
// "Validate Score".
//
// Ownership: a child of the MainWindow, created by installPresenters. It owns the controller of
// the open tournament and replaces it after every load (the tournament's kind is fixed when a
// controller is created), and also whenever it finds the tournament reset under it (a load that
// failed after the reset): a choice made on a screen of the old tournament is then dropped and
// the tab reloads, so nothing is written into the empty one.

#include "services/round_advance.h"
#include "services/score_entry.h"

#include <QHash>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QWidget;

namespace rh::ui {

class MainWindow;
class ScoresTab;
class ValidateWindow;

class ScoresPresenter : public QObject {
    Q_OBJECT
public:
    explicit ScoresPresenter(MainWindow& window);
    ~ScoresPresenter() override;

    /// m_EnterScores: the controller of the open tournament.
    ScoreEntry& enterScores() { return *m_EnterScores; }
    /// Puts the controller's whole view onto the tab's widgets.
    void render();
    /// The hooks the round advance runs (bound to the window, the clock and the recovery copy).
    RoundAdvanceHooks roundAdvanceHooks();
    /// Called with each round-advance hook's name just before the hook runs.
    void setHookTrace(std::function<void(const std::string&)> trace) { m_trace = std::move(trace); }

public slots:
    /// "Validate Score": a new, non-modal validation window, shown.
    ValidateWindow* openValidateWindow();

private:
    void onTournamentLoaded();
    void onTabShown(int index);
    void connectActions();
    /// Runs one action of the director on the controller, then renders, unless a rendering or
    /// another action is under way. True when the action ran.
    bool act(const std::function<void(ScoreEntry&)>& action);
    void newController();
    /// True when the tournament state has been replaced (a reset) since the controller was made.
    bool stateReplaced() const;
    std::function<void()> traced(const char* name, std::function<void()> hook);

    void renderList(QComboBox* list, const ListView& view);
    void renderCaption(QWidget* widget, const CaptionView& view);
    void renderBackground(QWidget* widget, const std::optional<Rgb>& colour);

    MainWindow& m_window;
    ScoresTab& m_tab;
    std::unique_ptr<ScoreEntry> m_EnterScores;
    /// The tournament state the controller was made for.
    std::weak_ptr<const TournamentState> m_stateOfController;

    // The tab's widgets by object name, found once.
    QHash<QString, QComboBox*> m_lists;
    QHash<QString, QWidget*> m_captions; // QLabel or QLineEdit
    QHash<QString, QCheckBox*> m_checks;
    QHash<QString, QGroupBox*> m_frames;
    // What each widget shows now, so an unchanged list or colour is not set again.
    std::unordered_map<const QComboBox*, std::vector<ListItem>> m_shownItems;
    std::unordered_map<const QWidget*, std::optional<Rgb>> m_shownBackground;

    std::optional<Rgb> m_tableScoresMarked;
    bool m_rendering = false;
    bool m_acting = false;
    std::function<void(const std::string&)> m_trace;
};

} // namespace rh::ui

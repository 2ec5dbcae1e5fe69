#pragma once
// ScoreEntry: the controller of the Scores tab, without any toolkit.
//
// It holds the screen's view state (every list's items and selection, every control's enabled and
// visible flags, every caption's text and background colour) and offers one operation per action of
// the director. The window renders the state after each operation and forwards only the choices the
// director makes (never the selections the program makes), so a program-made selection is never
// mistaken for a choice.
//
// Ownership: the window owns one controller for the open tournament and replaces it after every
// load (the tournament's kind is fixed when it is created). The controller keeps a reference to the
// Session, never to the tournament state inside it: it reads the state afresh on every operation,
// so a reset of the state is always seen.

#include "core/colour.h"
#include "scoring/table_order.h"
#include "services/session.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace rh {

struct ListItem {
    std::string text; // as shown, e.g. " 07" or "*Ann"
    std::string data; // item data: the entrant id ("07") or the number ("7"); "" for none
};

/// A drop-down list.
struct ListView {
    std::vector<ListItem> items;
    int index = -1; // -1: no selection
    bool enabled = true;
    bool visible = true;

    bool hasSelection() const { return index >= 0 && index < static_cast<int>(items.size()); }
    /// The selected item's text with blanks removed, "" when nothing is selected.
    std::string selectedText() const;
    /// The selected item's data, "" when nothing is selected.
    std::string selectedData() const;
};

/// A caption or a read-only text box.
struct CaptionView {
    std::string text;
    std::optional<Rgb> background; // nothing: the toolkit's default
    bool enabled = true;
    bool visible = true;
};

struct CheckView {
    std::string caption;
    bool checked = false;
    bool enabled = true;
    bool visible = true;
};

struct FrameView {
    std::string caption;
    bool visible = true;
};

/// The state of the Scores tab. Member names are the controls' object names.
struct EnterScoresView {
    FrameView frmEnterScores;
    FrameView boxPlayer;       // "Player Round Score" / "Team Round Score"
    FrameView frmPartnerScore; // "Partner Round Score" / "Opponent Round Score"
    FrameView frmOpponent;     // shown only in a Progressive tournament

    CaptionView lblPlayer; // "Name" / "Team Name"
    ListView comboSelectRnd;
    ListView comboPlayerName;
    CheckView checkAll;
    CheckView checkByTable;     // "By table": the entrants are offered table by table
    CaptionView lblTable;       // the selected entrant's table, "Table 7"
    CaptionView lblTableScores; // the table the box offers, "Table 7 scores:"
    CaptionView txtTableScores; // both scores of the table at once; shown while "By table"
    ListView comboPlayerScore;
    ListView comboPlayerLones;
    ListView comboPlayerBumps;
    ListView comboPlayerWoods;
    CaptionView lbTotalScorePlayer;
    CheckView checkPaid;
    CaptionView lblTotalFeePlayer;

    CaptionView txtPartnerName, lblScorePartner, lbTotalScorePartner, lbLonesPartner,
        lbBumpsPartner, lbWoodsPartner, lblTotalFeePartner;
    CaptionView txtOppo1Name, lblScoreOppo1, lbTotalScoreOppo1, lbLonesOppo1, lbBumpsOppo1,
        lbWoodsOppo1, lblTotalFeeOppo1;
    CaptionView txtOppo2Name, lblScoreOppo2, lbTotalScoreOppo2, lbLonesOppo2, lbBumpsOppo2,
        lbWoodsOppo2, lblTotalFeeOppo2;

    /// Object name of the control that asked for the keyboard focus during the last operation,
    /// "" when none did.
    std::string focus;

    // Every control by object name, so a window can bind them in one loop.
    std::vector<std::pair<const char*, const ListView*>> lists() const;
    std::vector<std::pair<const char*, const CaptionView*>> captions() const;
    std::vector<std::pair<const char*, const CheckView*>> checks() const;
    std::vector<std::pair<const char*, const FrameView*>> frames() const;
};

/// Runs the body; a failure is reported with the common error message titled `title` and the
/// body ends there. Returns false when a failure was reported.
bool runTrapped(Session& session, const char* title, const std::function<void()>& body);

class ScoreEntry {
public:
    /// Fixes the tournament's kind, fills the score, bump and wood lists, blanks every field and
    /// arms the mismatch message.
    explicit ScoreEntry(Session& session);
    ScoreEntry(const ScoreEntry&) = delete;
    ScoreEntry& operator=(const ScoreEntry&) = delete;

    const EnterScoresView& view() const { return m_view; }

    /// Run after every stored score: the owner refreshes the score-dependent views and checks
    /// whether the current round is over (see services/round_advance.h, bindRoundAdvance).
    std::function<void()> afterScore;

    // The director's actions (and the window's reload). An action on a disabled control or with
    // an index outside the list does nothing.
    /// Loads the whole screen for the current round.
    void UpdateEnterScores();
    /// A round was chosen: "Show All" is checked and the screen reloads for that round.
    void chooseRound(int index);
    /// "Show All" changed: the entrant list is rebuilt.
    void chooseShowAll(bool checked);
    /// An entrant was chosen: all its fields are loaded.
    void chooseEntrant(int index);
    /// A score was chosen (index 0 is the blank item): stores it, for the partner too.
    void chooseScore(int index);
    /// "By table" changed. Checked: after each score the entrant offered next is the waiting
    /// side of the same table, then of the next table (table-number order); the offer starts at
    /// the first table with a side still waiting, and the table's scores can be typed at once.
    void chooseByTable(bool checked);
    /// The table's scores typed in one line and Enter: "10 6" stores 10 for the first side
    /// (partnership or team) of the table the box offers and 6 for the second, "9" stores 9 for
    /// the offered side. The box offers the table of the entrant the program put on the screen
    /// last (by table: the next side waiting); an entrant the director chooses meanwhile, to
    /// add a lone say, does not move it. Each score is stored as the choice of that entrant and
    /// that score would store it (so the partner conflict and the lone check run as usual); the
    /// entry stops at a lone mismatch or when the round is over. A text that is not one or two
    /// scores from 0 to 32 is left in the box, marked.
    void enterTableScores(const std::string& text);
    /// A lone, bump or wood count was chosen for the selected entrant: stored.
    void chooseLones(int index);
    void chooseBumps(int index);
    void chooseWoods(int index);
    /// "Paid" changed for the selected entrant: stored.
    void choosePaid(bool checked);

    /// "By table" without reloading anything: the window keeps the setting for the session and
    /// gives it to the controller of each tournament it loads.
    void setByTable(bool byTable);
    bool byTable() const { return m_view.checkByTable.checked; }

    // For the round advance.
    bool isProgressive() const { return m_progressive; }
    bool showAll() const { return m_view.checkAll.checked; }
    /// Every entry field loses its value; the lists keep their items.
    void BlankFields();
    /// The selected entrant's id as two digits, "00" when none is selected.
    std::string selectedEntrantId() const;
    /// The selected round as two digits, "" when none is selected.
    std::string selectedRound() const;

private:
    TournamentState& st() { return m_session.state(); }
    bool entrantListEmpty() const { return m_view.comboPlayerName.items.empty(); }

    void PopulateRounds();
    void changeRound(bool directorsChoice);
    void PopulatePlayers(const std::string& keepId, const std::string& justScoredId);
    void PopulateLones(const std::string& id);
    void LoadAllControls(bool armMessage);
    void loadRelated(const std::string& round, const std::string& id, CaptionView& name,
                     CaptionView& score, CaptionView& total, CaptionView& lones, CaptionView& bumps,
                     CaptionView& woods, CaptionView& fee);
    void UpdateScore();
    TableOrder tablesOfSelectedRound() const;
    /// The entrant the table order offers after `after` ("" when none is waiting).
    std::string offeredByTable(const std::string& after) const;
    void showTable();
    /// The entrant the program has just put on the screen: its table is what the box offers.
    void offerTable(const std::string& id);
    /// Selects the entrant in the list (showing all entrants when it is listed only then) and
    /// stores the score as the director's choices would. False when it could not.
    bool storeTableScore(const std::string& id, int score);
    int scoreItem(int score) const;
    void loneChoice();
    bool onScreenCheck(const std::string& id, const std::string& scoreOfSelectedRound) const;
    void applyCheck(bool passed, const char* focusControl);
    void updatePaidBox();
    void processPaid();
    void showPlayerFee();
    void showFee(CaptionView& caption, double bumps, double woods, const std::string& id);
    void clearMoneyCaptions();
    void refreshEnabling();
    void fillFixedLists();
    bool acceptList(const ListView& list, int index) const;

    /// Stores a change the screen makes. While the screen only fills itself, a tournament that
    /// is only viewed takes the restated lone count or paid mark in memory instead of refusing it.
    void store(const Change& change);

    Session& m_session;
    EnterScoresView m_view;

    bool m_progressive = true;
    bool m_active = false;
    bool m_scoreListReady = false;
    bool m_updating = false;
    bool m_loaded = false;
    bool m_mismatchArmed = false;
    bool m_filling = false;
    bool m_loadingAll = false;
    bool m_changingRound = false;
    bool m_selectorsHeld = false;            // the lone check failed: round and entrant choice wait
    bool m_tableEntry = false;               // a table's scores are being stored
    std::string m_offeredId = "00";          // the entrant whose table the table scores box offers
    std::optional<long long> m_offeredTable; // and its table's number
    bool m_scoreCheckPassed = true;          // the lone check of the score stored last passed
    int m_actionDepth = 0;
};

} // namespace rh

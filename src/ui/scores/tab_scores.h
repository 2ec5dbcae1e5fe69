#pragma once
// Tab 2, "Scores": the score-entry panel (round, entrant, score, cumulative lones, bumps and
// woods, paid mark and money owed, with the partner's and the opponents' round) and, hidden until
// the jackpot frame is double-clicked, the tools: "Validate Score" and the roster viewer.
//
// The score, bump and wood lists are filled here with their fixed items; the score-entry
// controller fills the round, entrant and lone lists and drives every field (ScoresPresenter).
//
// Keyboard: Tab runs round -> entrant -> score -> lones -> bumps -> woods -> "Paid" -> "Show All"
// -> "By table" -> table scores. With "By table" checked the table scores box (shown only then,
// and given the focus) takes both scores of the table its caption names ("Table 3 scores:"; the
// next table waiting, whichever entrant is chosen meanwhile): "10 6", Enter.
// Typing on a list opens it at the first item that reads like the typed text, ignoring the "*" of
// a waiting entrant and the blank and leading zeros of a number ("7" finds " 07", "ca" finds
// "*Carla Chen"); Enter chooses it. Nothing is chosen while typing, so a two-digit score is never
// stored digit by digit. For the same reason the arrow keys open the closed score, lone, bump and
// wood lists instead of stepping through them, and the mouse wheel leaves them alone.

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace rh::ui {

/// The fields shown for one related entrant (partner, opposing team or opponent).
struct RelatedRow {
    QLineEdit* name = nullptr;
    QLabel* score = nullptr;
    QLabel* total = nullptr;
    QLabel* lones = nullptr;
    QLabel* bumps = nullptr;
    QLabel* woods = nullptr;
    QLabel* fee = nullptr;
};

/// The list's first row that reads like the typed text (see above), -1 when none does.
int findTypedRow(const QComboBox* list, const QString& typed);

class ScoresTab : public QWidget {
    Q_OBJECT
public:
    explicit ScoresTab(QWidget* parent = nullptr);

    /// Shows or hides the table scores box with its caption.
    void showTableScores(bool visible);
    /// Shows or hides the tools (Validate Score, Roster, Debug Names) together.
    void setToolsVisible(bool visible);

    QGroupBox* frmEnterScores;
    QLabel* lblSelectRound;
    QComboBox* comboSelectRnd;
    QCheckBox* checkByTable;
    QLabel* lblTableScores;
    QLineEdit* txtTableScores;

    QGroupBox* boxPlayer;
    QLabel* lblPlayer;
    QComboBox* comboPlayerName;
    QCheckBox* checkAll;
    QLabel* lblTable;
    QLabel* lblPlayerScore;
    QComboBox* comboPlayerScore;
    QGroupBox* frmCumulative;
    QLabel* lblLones;
    QComboBox* comboPlayerLones;
    QLabel* lblBumps;
    QComboBox* comboPlayerBumps;
    QLabel* lblWoods;
    QComboBox* comboPlayerWoods;
    QLabel* lblTotalScoreCaption;
    QLabel* lbTotalScorePlayer;
    QCheckBox* checkPaid;
    QLabel* lblTotalFeeCaption;
    QLabel* lblTotalFeePlayer;

    QGroupBox* frmPartnerScore;
    RelatedRow partner;
    QGroupBox* frmOpponent;
    RelatedRow oppo1;
    RelatedRow oppo2;

    QPushButton* cmdValidateScore;
    QGroupBox* frmDebug;
    QComboBox* cmbDebugRound;
    QComboBox* cmbDebugPlorte;
    QLineEdit* txtDebugPartner;
    QLineEdit* txtDebugOppo1;
    QLineEdit* txtDebugOppo2;
    QGroupBox* frmDebugNames;
    QListWidget* lstDebug;
};

} // namespace rh::ui

#pragma once
// Tab 3, "Leaders": the standings grid and the frame naming whoever sits out the current round.

#include <QWidget>

#include <array>
#include <string>
#include <vector>

class QGroupBox;
class QLabel;
class QTreeView;

namespace rh {
class TournamentState;
}

namespace rh::ui {

/// Who sits out the current round, as the frame shows it: how many name labels it shows (0 =
/// frame hidden) and the names, in name order, at most as many as labels.
struct SittingOut {
    int labels = 0;
    std::vector<std::string> names;
};
SittingOut sittingOut(const TournamentState& state, bool loaded);

class LeadersTab : public QWidget {
    Q_OBJECT
public:
    explicit LeadersTab(QWidget* parent = nullptr);

    /// Shows or hides the sitting-out frame and fills its names; the grid takes the frame's room
    /// when it is hidden. Runs after every load and every round change.
    void ShowSittingOut(const TournamentState& state, bool loaded);

    QTreeView* lvLeaderView;
    QGroupBox* frmSittingOut;
    std::array<QLabel*, 3> lblSittingOut{};
};

} // namespace rh::ui

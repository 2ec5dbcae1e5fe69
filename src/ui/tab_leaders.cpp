#include "ui/tab_leaders.h"

#include "core/text.h"
#include "state/tournament_state.h"
#include "ui/grid.h"
#include "ui/widgets.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTreeView>
#include <QVBoxLayout>

namespace rh::ui {

SittingOut sittingOut(const TournamentState& state, bool loaded) {
    SittingOut out;
    const int plort = state.m_Tourney.TotalPlort();
    const int perTable = state.isProgressive() ? 4 : 2;
    if (!loaded || plort % perTable == 0)
        return out;
    const int rest = plort % 4;
    out.labels = rest == 1 ? 1 : rest == 2 ? 2 : 3;
    const std::string round = fmt00(state.currentRound());
    for (const std::string& rec : state.m_SortedNames.items()) {
        if (static_cast<int>(out.names.size()) >= out.labels)
            break;
        const std::string id = Pad2(field(rec, 1));
        if (!state.gRoster.isSeated(state.isProgressive(), round, id))
            out.names.push_back(field(rec, 0));
    }
    return out;
}

LeadersTab::LeadersTab(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tabLeaders"));
    lvLeaderView = makeGrid(this, "lvLeaderView", leaderColumns(true));
    frmSittingOut = makeFrame(this, "frmSittingOut", "Sitting Out This Round");
    frmSittingOut->setToolTip(QStringLiteral("Person sitting out this round"));
    auto* names = new QHBoxLayout(frmSittingOut);
    for (int i = 0; i < 3; ++i) {
        const std::string name = "lblSittingOut" + std::to_string(i + 1);
        lblSittingOut[static_cast<std::size_t>(i)] = makeValue(frmSittingOut, name.c_str());
        lblSittingOut[static_cast<std::size_t>(i)]->setMinimumWidth(220);
        names->addWidget(lblSittingOut[static_cast<std::size_t>(i)]);
    }
    names->addStretch(1);
    frmSittingOut->hide();

    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(10, 10, 10, 10);
    l->addWidget(lvLeaderView, 1);
    l->addWidget(frmSittingOut);
}

void LeadersTab::ShowSittingOut(const TournamentState& state, bool loaded) {
    const SittingOut s = sittingOut(state, loaded);
    // The layout gives the grid the frame's room while the frame is hidden.
    frmSittingOut->setVisible(s.labels > 0);
    for (std::size_t i = 0; i < lblSittingOut.size(); ++i) {
        lblSittingOut[i]->setVisible(static_cast<int>(i) < s.labels);
        lblSittingOut[i]->setText(i < s.names.size() ? qs(s.names[i]) : QString());
    }
}

} // namespace rh::ui

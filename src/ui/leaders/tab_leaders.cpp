#include "ui/leaders/tab_leaders.h"

#include "state/round.h"
#include "state/tournament_state.h"
#include "ui/grids/grid.h"
#include "ui/shell/widgets.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTreeView>
#include <QVBoxLayout>

namespace rh::ui {

SittingOut sittingOut(const TournamentState& state, bool loaded) {
    const rh::SittingOut who = rh::sittingOut(state, loaded);
    rh::ui::SittingOut out;
    if (!who.frameVisible)
        return out;
    out.labels = who.visibleLabels;
    for (const std::string& name : who.names) {
        if (static_cast<int>(out.names.size()) >= out.labels)
            break;
        out.names.push_back(name);
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
        // Plain bold names: a label the rule shows while nobody is left for it stays invisible.
        QLabel* label = makeLabel(frmSittingOut, name.c_str());
        label->setTextFormat(Qt::PlainText);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        label->setMinimumWidth(220);
        lblSittingOut[static_cast<std::size_t>(i)] = label;
        names->addWidget(label);
    }
    names->addStretch(1);
    frmSittingOut->hide();

    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(10, 10, 10, 10);
    l->addWidget(lvLeaderView, 1);
    l->addWidget(frmSittingOut);
}

void LeadersTab::ShowSittingOut(const TournamentState& state, bool loaded) {
    const rh::SittingOut who = rh::sittingOut(state, loaded);
    // The layout gives the grid the frame's room while the frame is hidden.
    frmSittingOut->setVisible(who.frameVisible);
    for (std::size_t i = 0; i < lblSittingOut.size(); ++i) {
        lblSittingOut[i]->setVisible(static_cast<int>(i) < who.visibleLabels);
        lblSittingOut[i]->setText(who.frameVisible ? qs(who.labels[i]) : QString());
    }
}

} // namespace rh::ui

#include "ui/details/tab_details.h"

#include "core/tournament_settings.h"
#include "ui/grids/grid.h"

#include <QTreeView>
#include <QVBoxLayout>

namespace rh::ui {

DetailsTab::DetailsTab(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tabDetails"));
    lvGameDetail =
        makeGrid(this, "lvGameDetail", gameDetailColumns(true, TournamentSettings{}.TotalRounds()));
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(10, 10, 10, 10);
    l->addWidget(lvGameDetail);
}

} // namespace rh::ui

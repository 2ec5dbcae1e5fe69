#include "ui/grids/grid.h"

#include "money/entry_fees.h"
#include "money/jackpot.h"
#include "standings/game_detail.h"
#include "standings/leader_rows.h"
#include "standings/results.h"

#include <QHeaderView>
#include <QStandardItemModel>
#include <QTreeView>

namespace rh::ui {

namespace {

QString nameHeading(bool progressive) {
    return progressive ? QStringLiteral("Player Name") : QStringLiteral("Team Name");
}

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kCentre = Qt::AlignCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;

} // namespace

std::vector<GridColumn> toGridColumns(const std::vector<rh::GridColumn>& columns) {
    std::vector<GridColumn> out;
    out.reserve(columns.size());
    for (const rh::GridColumn& c : columns) {
        Qt::Alignment align = c.align == rh::Align::Center  ? kCentre
                              : c.align == rh::Align::Right ? kRight
                                                            : kLeft;
        out.push_back({QString::fromStdString(c.heading), c.widthTwips, align,
                       QString::fromStdString(c.sortTag)});
    }
    return out;
}

QTreeView* makeGrid(QWidget* parent, const char* name, const std::vector<GridColumn>& columns) {
    auto* view = new QTreeView(parent);
    view->setObjectName(QString::fromUtf8(name));
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setUniformRowHeights(true);
    view->setAllColumnsShowFocus(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->header()->setStretchLastSection(true);
    view->header()->setSectionsMovable(false);
    auto* model = new QStandardItemModel(0, static_cast<int>(columns.size()), view);
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        const GridColumn& col = columns[static_cast<std::size_t>(c)];
        model->setHeaderData(c, Qt::Horizontal, col.heading);
        model->setHeaderData(c, Qt::Horizontal, QVariant::fromValue(col.alignment),
                             Qt::TextAlignmentRole);
    }
    view->setModel(model);
    applyGridColumns(view, columns);
    return view;
}

void setGridModel(QTreeView* grid, QAbstractItemModel* model,
                  const std::vector<GridColumn>& columns) {
    grid->setModel(model);
    applyGridColumns(grid, columns);
}

void applyGridColumns(QTreeView* grid, const std::vector<GridColumn>& columns) {
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        const int twips = columns[static_cast<std::size_t>(c)].widthTwips;
        grid->setColumnHidden(c, twips == 0);
        if (twips > 0)
            grid->setColumnWidth(c, twips / 15);
    }
}

std::vector<GridColumn> payoutColumns(bool resultsTab) {
    return {{QStringLiteral("Place"), 1200, kLeft, QString()},
            {QStringLiteral("Payout"), resultsTab ? 1950 : 1850, kRight, QStringLiteral("NUMBER")}};
}

std::vector<GridColumn> entryFeeColumns(bool progressive) {
    return toGridColumns(rh::entryFeeColumns(progressive));
}

std::vector<GridColumn> leaderColumns(bool progressive) {
    return toGridColumns(rh::leaderColumns(progressive));
}

std::vector<GridColumn> winnerColumns(bool progressive) {
    return toGridColumns(rh::winnerColumns(progressive));
}

std::vector<GridColumn> bumpColumns(bool progressive) {
    return toGridColumns(rh::bumpColumns(progressive));
}

std::vector<GridColumn> loneColumns(bool progressive) {
    return toGridColumns(rh::loneColumns(progressive));
}

std::vector<GridColumn> gameDetailColumns(bool progressive, int totalRounds) {
    return toGridColumns(rh::gameDetailColumns(progressive, totalRounds));
}

std::vector<GridColumn> playerAliasColumns(bool progressive) {
    return {{nameHeading(progressive), 4500, kLeft, QString()},
            {QStringLiteral("Alias Name"), 4500, kLeft, QString()}};
}

} // namespace rh::ui

#include "ui/grid.h"

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
        const int twips = columns[static_cast<std::size_t>(c)].twips;
        grid->setColumnHidden(c, twips == 0);
        if (twips > 0)
            grid->setColumnWidth(c, twips / 15);
    }
}

std::vector<GridColumn> payoutColumns(bool resultsTab) {
    return {{QStringLiteral("Place"), 1200, kLeft},
            {QStringLiteral("Payout"), resultsTab ? 1950 : 1850, kRight}};
}

std::vector<GridColumn> entryFeeColumns(bool progressive) {
    return {{QString(), 290, kLeft}, {nameHeading(progressive), 4060, kLeft}};
}

std::vector<GridColumn> leaderColumns(bool progressive) {
    return {{nameHeading(progressive), 3500, kLeft},   {QStringLiteral("Place"), 1200, kCentre},
            {QStringLiteral("Payout"), 2000, kCentre}, {QStringLiteral("Score"), 1400, kCentre},
            {QStringLiteral("Avg"), 1600, kCentre},    {QStringLiteral("Lone"), 1300, kCentre},
            {QStringLiteral("Paid"), 1200, kCentre},   {QStringLiteral("Total Due"), 1900, kCentre},
            {QStringLiteral("Bumps"), 1650, kCentre},  {QStringLiteral("Woods"), 1650, kCentre},
            {QStringLiteral("Colorize"), 0, kCentre},  {QStringLiteral("Owe Money"), 0, kCentre}};
}

std::vector<GridColumn> winnerColumns(bool progressive) {
    return {{nameHeading(progressive), 3700, kLeft},
            {QStringLiteral("Place"), 1050, kCentre},
            {QStringLiteral("Score"), 1050, kCentre},
            {QStringLiteral("Pay Out"), 1500, kRight},
            {QStringLiteral("Lone"), 950, kCentre}};
}

std::vector<GridColumn> bumpColumns(bool progressive) {
    return {{QString(), 290, kLeft},
            {nameHeading(progressive), 4230, kLeft},
            {QStringLiteral("Pay In"), 1560, kRight},
            {QStringLiteral("Bump"), 1100, kCentre},
            {QStringLiteral("Wood"), 1060, kCentre}};
}

std::vector<GridColumn> loneColumns(bool progressive) {
    return {{nameHeading(progressive), 5800, kLeft},
            {QStringLiteral("Pay Out"), 1500, kRight},
            {QStringLiteral("Lone"), 950, kCentre}};
}

std::vector<GridColumn> gameDetailColumns(bool progressive, int totalRounds) {
    std::vector<GridColumn> cols{{nameHeading(progressive), 2800, kLeft}};
    for (int r = 1; r <= totalRounds; ++r)
        cols.push_back({QStringLiteral("%1").arg(r, 2, 10, QLatin1Char('0')), 535, kCentre});
    cols.push_back({QStringLiteral("Total"), 880, kCentre});
    cols.push_back({QStringLiteral("Lone"), 840, kCentre});
    cols.push_back({QStringLiteral("Bump"), 920, kCentre});
    cols.push_back({QStringLiteral("Wood"), 920, kCentre});
    cols.push_back({QString(), 3000, kLeft});
    return cols;
}

std::vector<GridColumn> playerAliasColumns(bool progressive) {
    return {{nameHeading(progressive), 4500, kLeft}, {QStringLiteral("Alias Name"), 4500, kLeft}};
}

} // namespace rh::ui

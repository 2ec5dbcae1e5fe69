#include "ui/grid_view.h"

#include "ui/grid_model.h"

#include <QHeaderView>
#include <QItemSelectionModel>

namespace rh::ui {

GridBinding::GridBinding(QTreeView* view, GridModel* model)
    : QObject(view), m_view(view), m_model(model) {
    setObjectName(QStringLiteral("gridBinding"));
    view->setModel(model);
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setExpandsOnDoubleClick(false);
    view->setUniformRowHeights(true);
    view->setAlternatingRowColors(false);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setAllColumnsShowFocus(true);
    view->setWordWrap(false);
    // Heading clicks sort through the model's own rule, not the view's.
    view->setSortingEnabled(false);

    QHeaderView* header = view->header();
    header->setSectionsClickable(true);
    header->setSectionsMovable(false);
    header->setStretchLastSection(false);
    header->setMinimumSectionSize(0);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);

    connect(header, &QHeaderView::sectionClicked, this, [this](int column) {
        if (!m_model)
            return;
        m_model->headingClicked(column);
        emit headingSorted(column);
    });
    connect(model, &GridModel::columnsLaidOut, this, &GridBinding::applyColumnLayout);
    connect(model, &GridModel::sorted, this, &GridBinding::showSortIndicator);
    connect(model, &QAbstractItemModel::modelReset, this, &GridBinding::showSortIndicator);
    connect(view, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (m_model && index.isValid())
            emit rowClicked(index.row(), m_model->tag(index.row()));
    });
    connect(view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (m_model && index.isValid())
            emit rowDoubleClicked(index.row(), m_model->tag(index.row()));
    });
    connectSelection();
    applyColumnLayout();
}

void GridBinding::connectSelection() {
    if (QItemSelectionModel* selection = m_view->selectionModel())
        connect(selection, &QItemSelectionModel::currentRowChanged, this,
                [this](const QModelIndex& current) {
                    const int row = m_model && current.isValid() ? current.row() : -1;
                    emit rowSelected(row, row >= 0 ? m_model->tag(row) : QString());
                });
}

void GridBinding::applyColumnLayout() {
    if (!m_model)
        return;
    QHeaderView* header = m_view->header();
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const int width = m_model->column(c).widthPixels();
        m_view->setColumnHidden(c, width <= 0);
        if (width > 0)
            header->resizeSection(c, width);
    }
}

void GridBinding::showSortIndicator() {
    if (m_model)
        m_view->header()->setSortIndicator(m_model->sortColumn(), m_model->sortOrder());
}

int GridBinding::currentRow() const {
    const QModelIndex current = m_view->currentIndex();
    return m_model && current.isValid() ? current.row() : -1;
}

QString GridBinding::currentTag() const {
    const int row = currentRow();
    return row >= 0 ? m_model->tag(row) : QString();
}

GridBinding* gridBinding(const QTreeView* view) {
    return view ? view->findChild<GridBinding*>(QStringLiteral("gridBinding"),
                                                Qt::FindDirectChildrenOnly)
                : nullptr;
}

GridBinding* configureGrid(QTreeView* view, GridModel* model) {
    if (GridBinding* old = gridBinding(view)) {
        if (old->model() == model)
            return old;
        old->setParent(nullptr);
        delete old;
    }
    return new GridBinding(view, model);
}

GridView::GridView(QWidget* parent)
    : QTreeView(parent), m_model(new GridModel(this)), m_binding(configureGrid(this, m_model)) {
    connect(m_binding, &GridBinding::rowClicked, this, &GridView::rowClicked);
    connect(m_binding, &GridBinding::rowDoubleClicked, this, &GridView::rowDoubleClicked);
    connect(m_binding, &GridBinding::rowSelected, this, &GridView::rowSelected);
    connect(m_binding, &GridBinding::headingSorted, this, &GridView::headingSorted);
}

} // namespace rh::ui

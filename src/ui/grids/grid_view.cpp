#include "ui/grids/grid_view.h"

#include "ui/grids/grid_model.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOptionHeader>

namespace rh::ui {

namespace {

// Draws the headings' sort arrow from the heading's own order (see the header comment), and
// leaves everything else to the application's style.
class SortArrowStyle : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        const auto* view = qobject_cast<const QHeaderView*>(widget);
        const auto* heading = qstyleoption_cast<const QStyleOptionHeader*>(option);
        if (element != PE_IndicatorHeaderArrow || !view || !heading) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        if (heading->sortIndicator == QStyleOptionHeader::None)
            return;
        const bool up = sortArrow(view->sortIndicatorOrder()) == Qt::UpArrow;
        const QPointF c = QRectF(option->rect).center();
        const qreal half = 4.5, rise = 2.5;
        const QPointF tip(c.x(), up ? c.y() - rise : c.y() + rise);
        const QPointF left(c.x() - half, up ? c.y() + rise : c.y() - rise);
        const QPointF right(c.x() + half, left.y());
        QColor colour = option->palette.color(QPalette::WindowText);
        colour.setAlpha(200);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, true);
        painter->setPen(Qt::NoPen);
        painter->setBrush(colour);
        const QPointF triangle[] = {tip, left, right};
        painter->drawPolygon(triangle, 3);
        painter->restore();
    }
};

QStyle* sortArrowStyle() {
    static QPointer<SortArrowStyle> style;
    if (!style) {
        style = new SortArrowStyle;
        style->setParent(qApp); // one for all grids, gone with the application
    }
    return style;
}

} // namespace

Qt::ArrowType sortArrow(Qt::SortOrder order) {
    return order == Qt::AscendingOrder ? Qt::UpArrow : Qt::DownArrow;
}

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
    header->setStyle(sortArrowStyle());

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

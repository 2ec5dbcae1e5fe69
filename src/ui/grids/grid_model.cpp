#include "ui/grids/grid_model.h"

#include "core/text.h"
#include "ui/grids/grid_sort.h"

#include <QBrush>

#include <algorithm>
#include <numeric>

namespace rh::ui {

ColumnSort columnSortFromTag(const QString& tag) {
    const QString upper = tag.toUpper();
    if (upper == QStringLiteral("NUMBER"))
        return ColumnSort::Number;
    if (upper == QStringLiteral("XXXX"))
        return ColumnSort::Special;
    return ColumnSort::Text;
}

QList<int> gameDetailValueColumns(int totalRounds) {
    QList<int> columns;
    for (int c = 1; c <= totalRounds + 4; ++c)
        columns.append(c);
    return columns;
}

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent) {}

void GridModel::setColumns(std::vector<GridColumn> columns) {
    beginResetModel();
    m_columns = std::move(columns);
    m_rows.clear();
    m_headingDescending.assign(m_columns.size(), false);
    m_sortColumn = -1;
    m_sortOrder = Qt::AscendingOrder;
    endResetModel();
    emit columnsLaidOut();
}

void GridModel::setCheckable(bool checkable) {
    if (m_checkable == checkable)
        return;
    m_checkable = checkable;
    if (!m_rows.empty() && !m_columns.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::CheckStateRole});
}

void GridModel::setToolTipColumns(QList<int> columns) {
    m_toolTipColumns = std::move(columns);
    if (!m_rows.empty() && !m_columns.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::ToolTipRole});
}

void GridModel::setRows(std::vector<GridRow> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    m_sortColumn = -1;
    m_sortOrder = Qt::AscendingOrder;
    endResetModel();
}

QString GridModel::text(int row, int column) const {
    const auto& cells = m_rows.at(std::size_t(row)).cells;
    return column >= 0 && std::size_t(column) < cells.size() ? cells[std::size_t(column)].text
                                                             : QString();
}

int GridModel::findTag(const QString& tag) const {
    for (std::size_t r = 0; r < m_rows.size(); ++r)
        if (m_rows[r].tag == tag)
            return int(r);
    return -1;
}

QList<int> GridModel::rowsWithText(int column, const QString& text) const {
    QList<int> found;
    for (int r = 0; r < rowCount(); ++r)
        if (this->text(r, column) == text)
            found.append(r);
    return found;
}

void GridModel::emitRowChanged(int row, int firstColumn, int lastColumn, const QList<int>& roles) {
    if (firstColumn <= lastColumn)
        emit dataChanged(index(row, firstColumn), index(row, lastColumn), roles);
}

void GridModel::setCellText(int row, int column, const QString& text) {
    if (column < 0 || column >= columnCount())
        return;
    auto& cells = m_rows.at(std::size_t(row)).cells;
    if (cells.size() <= std::size_t(column))
        cells.resize(std::size_t(column) + 1);
    cells[std::size_t(column)].text = text;
    emitRowChanged(row, column, column, {Qt::DisplayRole, SortKeyRole});
}

void GridModel::setCellForeground(int row, int column, std::optional<QColor> color) {
    setRowForeground(row, std::move(color), column, column);
}

void GridModel::setRowForeground(int row, std::optional<QColor> color, int firstColumn,
                                 int lastColumn) {
    if (lastColumn < 0 || lastColumn >= columnCount())
        lastColumn = columnCount() - 1;
    firstColumn = std::max(firstColumn, 0);
    auto& cells = m_rows.at(std::size_t(row)).cells;
    if (lastColumn >= 0 && cells.size() <= std::size_t(lastColumn))
        cells.resize(std::size_t(lastColumn) + 1);
    for (int c = firstColumn; c <= lastColumn; ++c)
        cells[std::size_t(c)].foreground = color;
    emitRowChanged(row, firstColumn, lastColumn, {Qt::ForegroundRole});
}

void GridModel::setRowToolTip(int row, const QString& toolTip) {
    m_rows.at(std::size_t(row)).toolTip = toolTip;
    emitRowChanged(row, 0, columnCount() - 1, {Qt::ToolTipRole});
}

void GridModel::setRowChecked(int row, bool checked) {
    auto& r = m_rows.at(std::size_t(row));
    if (r.checked == checked)
        return;
    r.checked = checked;
    emitRowChanged(row, 0, 0, {Qt::CheckStateRole});
}

void GridModel::recolorByCheck(const QColor& checkedColor, const QColor& uncheckedColor,
                               int firstColumn) {
    if (m_rows.empty() || firstColumn >= columnCount())
        return;
    firstColumn = std::max(firstColumn, 0);
    const std::size_t width = std::size_t(columnCount());
    for (auto& r : m_rows) {
        if (r.cells.size() < width)
            r.cells.resize(width);
        for (std::size_t c = std::size_t(firstColumn); c < width; ++c)
            r.cells[c].foreground = r.checked ? checkedColor : uncheckedColor;
    }
    emit dataChanged(index(0, firstColumn), index(rowCount() - 1, columnCount() - 1),
                     {Qt::ForegroundRole});
}

// --- Sorting -------------------------------------------------------------------------------

bool GridModel::numericValue(const QString& text, double& value) const {
    const std::string utf8 = text.toStdString();
    // The plain form first: "2.5" is a number whatever the money format's separators are.
    return rh::tryParseNumber(utf8, value) || rh::parseMoney(utf8, m_currency, value);
}

QString GridModel::sortKey(int row, int column, SortKind kind) const {
    const QString shown = text(row, column);
    if (kind == SortKind::Text)
        return shown.toCaseFolded();
    double value = 0;
    if (kind == SortKind::NumberKey)
        return numericValue(shown, value) ? NumberMaskKey(value) : shown.toCaseFolded();
    numericValue(shown, value);
    return NumberMaskKey(value);
}

void GridModel::sortRows(int column, Qt::SortOrder order, SortKind kind) {
    if (column < 0 || column >= columnCount())
        return;
    const std::size_t n = m_rows.size();
    std::vector<int> order_(n);
    std::iota(order_.begin(), order_.end(), 0);
    const bool descending = order == Qt::DescendingOrder;

    // Keys are computed once per row; the comparisons then only read them. A descending sort
    // compares the other way round, so tied rows keep their order in both directions.
    if (kind == SortKind::Value) {
        std::vector<double> keys(n, 0.0);
        for (std::size_t r = 0; r < n; ++r)
            numericValue(text(int(r), column), keys[r]);
        std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
            return descending ? keys[std::size_t(b)] < keys[std::size_t(a)]
                              : keys[std::size_t(a)] < keys[std::size_t(b)];
        });
    } else {
        std::vector<QString> keys(n);
        for (std::size_t r = 0; r < n; ++r)
            keys[r] = sortKey(int(r), column, kind);
        std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
            return descending ? keys[std::size_t(b)] < keys[std::size_t(a)]
                              : keys[std::size_t(a)] < keys[std::size_t(b)];
        });
    }

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> newRow(n);
    std::vector<GridRow> sortedRows;
    sortedRows.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        newRow[std::size_t(order_[i])] = int(i);
        sortedRows.push_back(std::move(m_rows[std::size_t(order_[i])]));
    }
    m_rows = std::move(sortedRows);
    // Selection and current row follow their rows.
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& idx : from)
        to.append(index(newRow[std::size_t(idx.row())], idx.column()));
    changePersistentIndexList(from, to);
    m_sortColumn = column;
    m_sortOrder = order;
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    emit sorted(column, order);
}

void GridModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= columnCount())
        return;
    sortRows(column, order,
             m_columns[std::size_t(column)].sort() == ColumnSort::Number ? SortKind::NumberKey
                                                                         : SortKind::Text);
}

bool GridModel::headingDescending(int column) const {
    return column >= 0 && std::size_t(column) < m_headingDescending.size() &&
           m_headingDescending[std::size_t(column)];
}

void GridModel::setHeadingDescending(int column, bool descending) {
    if (column >= 0 && std::size_t(column) < m_headingDescending.size())
        m_headingDescending[std::size_t(column)] = descending;
}

void GridModel::headingClicked(int column) {
    switch (m_sortMode) {
    case GridSortMode::FlipDirection:
        SortByColumn(*this, column, true);
        break;
    case GridSortMode::PerHeading:
        SortGameDetailColumn(*this, column);
        break;
    case GridSortMode::None:
        break;
    }
}

// --- QAbstractItemModel ----------------------------------------------------------------------

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

bool GridModel::showsToolTip(int column) const {
    if (m_toolTipColumns.isEmpty())
        return true;
    return m_toolTipColumns.contains(column) ||
           (column == columnCount() - 1 && m_toolTipColumns.contains(-1));
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const GridRow& r = m_rows[std::size_t(index.row())];
    const int column = index.column();
    const GridCell* cell =
        std::size_t(column) < r.cells.size() ? &r.cells[std::size_t(column)] : nullptr;
    switch (role) {
    case Qt::DisplayRole:
        return cell ? cell->text : QString();
    case Qt::ForegroundRole:
        if (cell && cell->foreground)
            return QBrush(*cell->foreground);
        return {};
    case Qt::BackgroundRole:
        if (cell && cell->background)
            return QBrush(*cell->background);
        return {};
    case Qt::ToolTipRole:
        if (!r.toolTip.isEmpty() && showsToolTip(column))
            return r.toolTip;
        return {};
    case Qt::TextAlignmentRole:
        return int(m_columns[std::size_t(column)].alignment | Qt::AlignVCenter);
    case Qt::CheckStateRole:
        if (m_checkable && column == 0)
            return r.checked ? Qt::Checked : Qt::Unchecked;
        return {};
    case TagRole:
        return r.tag;
    case SortKeyRole:
        return sortKey(index.row(), column,
                       m_columns[std::size_t(column)].sort() == ColumnSort::Number
                           ? SortKind::NumberKey
                           : SortKind::Text);
    default:
        return {};
    }
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || !m_checkable || index.column() != 0 ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    const bool checked = value.toInt() == Qt::Checked;
    GridRow& r = m_rows[std::size_t(index.row())];
    if (r.checked == checked)
        return true;
    r.checked = checked;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    // Only the view calls setData; the program's own changes go through setRows/setRowChecked.
    emit rowCheckChanged(index.row(), r.tag, checked);
    return true;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    const GridColumn& c = m_columns[std::size_t(section)];
    switch (role) {
    case Qt::DisplayRole:
        return c.heading;
    case Qt::TextAlignmentRole:
        return int(c.alignment | Qt::AlignVCenter);
    default:
        return {};
    }
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (m_checkable && index.column() == 0)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QHash<int, QByteArray> GridModel::roleNames() const {
    QHash<int, QByteArray> names = QAbstractTableModel::roleNames();
    names.insert(TagRole, "tag");
    names.insert(SortKeyRole, "sortKey");
    return names;
}

} // namespace rh::ui

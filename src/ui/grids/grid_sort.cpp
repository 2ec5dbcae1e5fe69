#include "ui/grids/grid_sort.h"

#include "ui/grids/grid_model.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

namespace rh::ui {

namespace {

Qt::SortOrder orderOf(bool direction) {
    return direction ? Qt::DescendingOrder : Qt::AscendingOrder;
}

} // namespace

void SortByColumn(GridModel& grid, int column, bool flip) {
    if (flip)
        grid.setSortDirection(!grid.sortDirection());
    if (column < 0 || column >= grid.columnCount())
        return;
    // "XXXX" columns sort by their shown text like text columns: their keys are the texts.
    const SortKind kind =
        grid.column(column).sort() == ColumnSort::Number ? SortKind::NumberKey : SortKind::Text;
    grid.sortRows(column, orderOf(grid.sortDirection()), kind);
}

void SortByColumnWithDirection(GridModel& grid, int column, bool flip, bool direction) {
    grid.setSortDirection(direction);
    SortByColumn(grid, column, flip);
}

QString ComplementDigits(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        if (c == u'-')
            c = u' ';
        else if (c >= u'0' && c <= u'9')
            c = QChar(u'9' - c.unicode() + u'0');
    }
    return out;
}

QString NumberMaskKey(double value) {
    // The mask: at least 30 digits before the point, exactly 30 after it.
    constexpr int kDigits = 30;
    const bool negative = value < 0;
    char body[400];
    const auto result = std::to_chars(body, body + sizeof body, std::fabs(value),
                                      std::chars_format::fixed, kDigits);
    const std::string_view digits(body, std::size_t(result.ptr - body));
    const auto point = std::min(digits.find('.'), digits.size());
    QString key;
    key.reserve(2 * kDigits + 3);
    if (negative)
        key += QStringLiteral("& "); // the complemented minus sign is a blank
    for (std::size_t i = point; i < std::size_t(kDigits); ++i)
        key += negative ? u'9' : u'0';
    for (char c : digits)
        key += QLatin1Char(negative && c >= '0' && c <= '9' ? char('9' - (c - '0')) : c);
    return key;
}

bool SortNumeric(GridModel& grid, int column, Qt::SortOrder order) {
    if (column < 0 || column >= grid.columnCount())
        return false;
    grid.sortRows(column, order, SortKind::Value);
    return true;
}

void SortGameDetailColumn(GridModel& grid, int column) {
    if (column < 0 || column >= grid.columnCount())
        return;
    if (grid.sortColumn() == column)
        grid.setHeadingDescending(column, grid.sortOrder() != Qt::DescendingOrder);
    const Qt::SortOrder order =
        grid.headingDescending(column) ? Qt::DescendingOrder : Qt::AscendingOrder;
    grid.sortRows(column, order, SortKind::Text);
    if (grid.isValueSorted(column))
        SortNumeric(grid, column, order);
}

} // namespace rh::ui

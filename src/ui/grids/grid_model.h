#pragma once
// GridModel: the table model behind every list grid of the window (standings, results, jackpot,
// bump debts, game detail, aliases, entry fees, payouts).
//
// A grid is laid out once with its columns (heading, width in twips, alignment, sort tag) and then
// refilled as a whole with rows of plain data: cell texts with optional text and back colours,
// the row's tag (the entrant's ID text), the row's tool tip (the alias) and, for grids with check
// boxes, the row's check state in the first column. The rows are the order the grid shows: sorting
// moves rows inside the model (stable, keys computed once per sort), so a row number handed out by
// the model is the row the director sees, and texts, tags, tool tips, check states and colours
// always travel with their row.
//
// Ownership: the window creates one model per grid (usually parented to the view) and keeps it for
// its lifetime; the model holds copies of the rows and no reference into the tournament state.

#include "core/currency.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QList>
#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace rh::ui {

/// How a column sorts, taken from its heading's tag: "NUMBER" by value, "XXXX" by the shown text
/// (the standings grid's columns that want no numeric treatment), anything else as text.
enum class ColumnSort { Text, Number, Special };

ColumnSort columnSortFromTag(const QString& tag);

/// One column of a grid.
struct GridColumn {
    QString heading;
    int widthTwips = 0; // 15 twips to a pixel; 0 hides the column
    Qt::Alignment alignment = Qt::AlignLeft;
    QString tag; // "NUMBER", "XXXX" or anything else (see ColumnSort)

    ColumnSort sort() const { return columnSortFromTag(tag); }
    /// The width in pixels, at 15 twips to a pixel.
    int widthPixels() const { return widthTwips / 15; }
};

struct GridCell {
    QString text;
    std::optional<QColor> foreground; // nothing: the view's default text colour
    std::optional<QColor> background; // nothing: the view's default background

    GridCell() = default;
    GridCell(QString t) : text(std::move(t)) {} // NOLINT: a cell is mostly just its text
    GridCell(QString t, std::optional<QColor> fg, std::optional<QColor> bg = std::nullopt)
        : text(std::move(t)), foreground(std::move(fg)), background(std::move(bg)) {}
};

struct GridRow {
    std::vector<GridCell> cells; // missing trailing cells show as empty
    QString tag;                 // the entrant's ID text ("00" for none)
    QString toolTip;             // the alias; shown on the cells the model's tool-tip columns name
    bool checked = false;        // the check box in column 0, when the model is checkable
};

/// Text of a core string (UTF-8).
inline QString qtext(const std::string& text) {
    return QString::fromStdString(text);
}

/// A colour from any RGB value of the core (members red/green/blue or r/g/b).
template <class Rgb> QColor toQColor(const Rgb& c) {
    if constexpr (requires { c.red; })
        return QColor(int(c.red), int(c.green), int(c.blue));
    else
        return QColor(int(c.r), int(c.g), int(c.b));
}

/// How a column-heading click sorts a grid.
enum class GridSortMode {
    /// SortByColumn with the flip flag set: the grid's own direction flips.
    FlipDirection,
    /// The game detail rule: each heading keeps its own direction, and a click on the column the
    /// grid is sorted by sorts the other way round; columns named by setValueSortedColumns sort
    /// by value after the text sort, all others as text.
    PerHeading,
    /// Heading clicks do not sort.
    None
};

/// How one sort compares cells.
enum class SortKind {
    /// As text, ignoring letter case (Unicode case folding, then code-point order).
    Text,
    /// Numeric texts (plain numbers and money texts) by value through the number-mask key, other
    /// texts as text among the keys: empty texts and texts starting with a blank or one of
    /// ! " # $ % come before all numbers, texts starting with ' ( ) * + , - . / between the
    /// negative and the other numbers, letters after all numbers.
    NumberKey,
    /// Both cells converted to numbers (a text that is not a number counts as 0) and compared by
    /// value: the comparison-callback sort.
    Value
};

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role {
        TagRole = Qt::UserRole + 1, // the row's tag (entrant ID text), on every cell
        SortKeyRole                 // the text the cell sorts by in its column's own sort
    };

    explicit GridModel(QObject* parent = nullptr);

    // --- Layout --------------------------------------------------------------------------
    /// Replaces all columns (and removes all rows); resets the per-heading sort flags.
    void setColumns(std::vector<GridColumn> columns);
    const std::vector<GridColumn>& columns() const { return m_columns; }
    const GridColumn& column(int column) const { return m_columns.at(std::size_t(column)); }
    /// Check boxes in column 0 of every row (the bump-debt and entry-fee grids).
    void setCheckable(bool checkable);
    bool isCheckable() const { return m_checkable; }
    /// The columns whose cells show the row's tool tip: empty = every cell; -1 = the last column.
    /// E.g. {0, -1} for the game detail grid, {1} for the bump-debt grid's name.
    void setToolTipColumns(QList<int> columns);
    /// Money texts of number columns are read with this format (default: dollars).
    void setCurrencyFormat(const rh::CurrencyFormat& format) { m_currency = format; }
    const rh::CurrencyFormat& currencyFormat() const { return m_currency; }

    void setSortMode(GridSortMode mode) { m_sortMode = mode; }
    GridSortMode sortMode() const { return m_sortMode; }
    /// PerHeading mode: the columns that sort by value after their text sort (the game detail
    /// grid's rounds and its Total, Lone, Bump and Wood columns). See gameDetailValueColumns().
    void setValueSortedColumns(QList<int> columns) { m_valueColumns = std::move(columns); }
    bool isValueSorted(int column) const { return m_valueColumns.contains(column); }

    // --- Rows ----------------------------------------------------------------------------
    /// Replaces every row in one model reset. The rows show in the given order; the grid then
    /// counts as unsorted. Check states set here never raise rowCheckChanged.
    void setRows(std::vector<GridRow> rows);
    void clearRows() { setRows({}); }
    const std::vector<GridRow>& rows() const { return m_rows; }
    const GridRow& row(int row) const { return m_rows.at(std::size_t(row)); }
    QString text(int row, int column) const;
    QString tag(int row) const { return m_rows.at(std::size_t(row)).tag; }
    /// The first row with this tag, or -1.
    int findTag(const QString& tag) const;
    /// Every row whose cell in the column equals the text exactly.
    QList<int> rowsWithText(int column, const QString& text) const;

    void setCellText(int row, int column, const QString& text);
    void setCellForeground(int row, int column, std::optional<QColor> color);
    /// Colours the text of the row's cells from `firstColumn` to `lastColumn` (-1: the last).
    void setRowForeground(int row, std::optional<QColor> color, int firstColumn = 0,
                          int lastColumn = -1);
    void setRowToolTip(int row, const QString& toolTip);

    bool isRowChecked(int row) const { return m_rows.at(std::size_t(row)).checked; }
    /// Sets a row's check box from the program: no rowCheckChanged.
    void setRowChecked(int row, bool checked);
    /// Colours every row by its check box (text colour of columns `firstColumn` onwards).
    void recolorByCheck(const QColor& checkedColor, const QColor& uncheckedColor,
                        int firstColumn = 0);

    // --- Sorting -------------------------------------------------------------------------
    /// Reorders the rows by one column (stable: tied rows keep their order, also descending).
    void sortRows(int column, Qt::SortOrder order, SortKind kind);
    /// QAbstractItemModel's sort: by the column's own sort (NUMBER: NumberKey, else Text).
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    /// The column the rows were last sorted by (-1: unsorted since the last setRows) and how.
    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }
    /// The grid's own direction for SortByColumn (true: descending); it starts out true.
    bool sortDirection() const { return m_sortDirection; }
    void setSortDirection(bool descending) { m_sortDirection = descending; }
    /// PerHeading mode: the heading's own flag (none counts as ascending).
    bool headingDescending(int column) const;
    void setHeadingDescending(int column, bool descending);
    /// The sort key of one cell for a sort of that kind (the texts compared by Text/NumberKey).
    QString sortKey(int row, int column, SortKind kind) const;
    /// The number a text stands for in this grid (plain number or money text).
    bool numericValue(const QString& text, double& value) const;

    /// What a click on a column heading does, by the sort mode.
    void headingClicked(int column);

    // --- QAbstractItemModel ----------------------------------------------------------------
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    /// The director ticked or cleared a row's check box (never for program changes).
    void rowCheckChanged(int row, const QString& tag, bool checked);
    /// The rows were reordered by a sort.
    void sorted(int column, Qt::SortOrder order);
    /// setColumns ran: the views re-apply widths and hidden columns.
    void columnsLaidOut();

private:
    bool showsToolTip(int column) const;
    void emitRowChanged(int row, int firstColumn, int lastColumn, const QList<int>& roles);

    std::vector<GridColumn> m_columns;
    std::vector<GridRow> m_rows;
    std::vector<bool> m_headingDescending;
    QList<int> m_toolTipColumns;
    QList<int> m_valueColumns;
    rh::CurrencyFormat m_currency;
    GridSortMode m_sortMode = GridSortMode::FlipDirection;
    bool m_sortDirection = true;
    bool m_checkable = false;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

/// The game detail grid's value-sorted columns: every round 1..totalRounds (so round scores order
/// by number: 2 before 10) and Total, Lone, Bump and Wood (totalRounds + 1 .. totalRounds + 4).
QList<int> gameDetailValueColumns(int totalRounds);

} // namespace rh::ui

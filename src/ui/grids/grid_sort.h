#pragma once
// Column sorting for every grid of the window.
//
// Each grid keeps its own sort direction (GridModel::sortDirection): a heading click flips it and
// sorts the clicked column in the new direction (true: descending, false: ascending). It starts
// out true, the state the standings refresh leaves it in, so the first heading click on a grid
// sorts ascending and the next one descending; sorting one grid never changes another's. Number
// columns ("NUMBER" tag) sort by value through a text key: a value of
// 0 or more becomes the number mask (30 digits, a point, 30 digits) filled with the value, a
// negative value the same mask with its digits complemented behind "&", so comparing keys as text
// orders them by value and texts that are no number fall in among them as text.
//
// All functions run on the user-interface thread.

#include <QString>
#include <Qt>

namespace rh::ui {

class GridModel;

/// Sorts the grid by a column (0 for the first) by the column's type: "NUMBER" by value, else as
/// text. With `flip` set the grid's direction flips first. Tied rows keep their order.
void SortByColumn(GridModel& grid, int column, bool flip);
/// Stores the direction as the grid's own, then SortByColumn. The standings refresh calls it
/// with the Score column, no flip and direction true: descending numeric order of score.
void SortByColumnWithDirection(GridModel& grid, int column, bool flip, bool direction);

/// "-" becomes a blank and each digit d becomes 9 - d; other characters stay.
QString ComplementDigits(const QString& text);
/// The sortable key of a number: the number mask for 0 or more, "&" and the complemented mask
/// for negative values.
QString NumberMaskKey(double value);

/// The comparison sort: both cells of the column converted to numbers (a text that is no number
/// counts as 0) and compared by value. Returns false when the column does not exist.
bool SortNumeric(GridModel& grid, int column, Qt::SortOrder order);

/// The game detail grid's heading click: when the grid is already sorted by the column, it sorts
/// the other way round (and the heading keeps that direction); otherwise in the heading's own
/// direction (at first ascending). The rows sort by the column as text in that direction, then,
/// for the grid's value-sorted columns, by value in the same direction.
void SortGameDetailColumn(GridModel& grid, int column);

} // namespace rh::ui

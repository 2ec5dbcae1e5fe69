#pragma once
// TableOrder: the tables of one round in table-number order, for scoring a round table by table.
//
// A table has two sides: in a Progressive tournament the two partnerships (seats 1 and 2 against
// seats 3 and 4), in a Team tournament the two teams. The order runs table 1 side 1, table 1
// side 2, table 2 side 1, ... so that after one side's score the opposing side of the same table
// comes next, then the next table. The tables are those of the seating; an entrant without a seat
// there has no table.
//
// Ownership: a plain value built on demand from the seating; it holds the ID texts the Scores
// tab's lists carry, no reference into the state.

#include "roster/seating.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace rh {

struct RoundTable {
    long long number = 0;
    /// ID texts per side in seat order: two per side (Progressive) or one (Team).
    std::array<std::vector<std::string>, 2> sides;
};

class TableOrder {
public:
    TableOrder() = default;
    /// The tables of the round, in table-number order.
    TableOrder(const Seating& seating, RoundNo round);

    const std::vector<RoundTable>& tables() const { return m_tables; }
    bool empty() const { return m_tables.empty(); }

    /// Where the entrant sits: the table's position in tables() and the side (0 or 1).
    struct Place {
        std::size_t table = 0;
        int side = 0;
    };
    std::optional<Place> placeOf(const std::string& id) const;
    /// The table number of the entrant, nothing when it has no seat in the round.
    std::optional<long long> tableNumberOf(const std::string& id) const;

    /// The entrant to offer next: the first waiting entrant of the first side after `after`'s
    /// side (the opposing side of the same table first, then the following tables, then round
    /// from table 1 again) that has one. With `after` not seated (or empty) the search starts at
    /// table 1, side 1. "" when nobody is waiting.
    std::string nextWaiting(const std::string& after,
                            const std::function<bool(const std::string&)>& waiting) const;

private:
    std::vector<RoundTable> m_tables;
};

/// The table caption beside the entrant: "Table 7"; "" for no table.
std::string tableCaption(std::optional<long long> number);

/// Parses what is typed for one table: one or two scores separated by blanks or a comma, each a
/// whole number from 0 to 32 ("10 6", "7,5", "9"). Nothing for any other text.
std::optional<std::vector<int>> parseTableScores(const std::string& text);

} // namespace rh

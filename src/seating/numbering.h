#pragma once
// Table numbers for the rounds of a schedule (internal to the seating library): each round's
// tables get the numbers 0..T-1 so that as few entrants as possible sit at the table number of the
// last round they played, and, among assignments with as few such repeats, so that entrants spread
// over the numbers (the rounds already spent at a number break ties). Rounds of up to 32 tables,
// and larger rounds where a greedy pass in random order leaves a repeat, get the least-cost
// assignment by the Hungarian method.
#include "seating/random.h"

#include <vector>

namespace rh::seating::detail {

// members[r][t]: the entrants (0..entrants-1) at table t of round r. Returns numbers[r][t].
std::vector<std::vector<int>>
tableNumbers(const std::vector<std::vector<std::vector<int>>>& members, int entrants,
             Random& random);

// The least-cost assignment of rows to columns of a square cost matrix: column of each row.
std::vector<int> cheapestAssignment(const std::vector<std::vector<int>>& cost);

} // namespace rh::seating::detail

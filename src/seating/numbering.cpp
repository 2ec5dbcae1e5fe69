#include "seating/numbering.h"

#include <algorithm>
#include <climits>
#include <cstddef>

namespace rh::seating::detail {

namespace {
std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}
} // namespace

// The Hungarian method with potentials, O(n^3); rows and columns are 1-based inside.
std::vector<int> cheapestAssignment(const std::vector<std::vector<int>>& cost) {
    const int n = static_cast<int>(cost.size());
    std::vector<long long> u(at(n + 1), 0);
    std::vector<long long> v(at(n + 1), 0);
    std::vector<int> rowOfColumn(at(n + 1), 0);
    std::vector<int> way(at(n + 1), 0);
    for (int row = 1; row <= n; ++row) {
        rowOfColumn[0] = row;
        int column = 0;
        std::vector<long long> least(at(n + 1), LLONG_MAX);
        std::vector<char> used(at(n + 1), 0);
        do {
            used[at(column)] = 1;
            const int r = rowOfColumn[at(column)];
            long long delta = LLONG_MAX;
            int next = 0;
            for (int c = 1; c <= n; ++c) {
                if (used[at(c)])
                    continue;
                const long long reduced = cost[at(r - 1)][at(c - 1)] - u[at(r)] - v[at(c)];
                if (reduced < least[at(c)]) {
                    least[at(c)] = reduced;
                    way[at(c)] = column;
                }
                if (least[at(c)] < delta) {
                    delta = least[at(c)];
                    next = c;
                }
            }
            for (int c = 0; c <= n; ++c) {
                if (used[at(c)]) {
                    u[at(rowOfColumn[at(c)])] += delta;
                    v[at(c)] -= delta;
                } else {
                    least[at(c)] -= delta;
                }
            }
            column = next;
        } while (rowOfColumn[at(column)] != 0);
        do {
            const int previous = way[at(column)];
            rowOfColumn[at(column)] = rowOfColumn[at(previous)];
            column = previous;
        } while (column != 0);
    }
    std::vector<int> columnOfRow(at(n), 0);
    for (int c = 1; c <= n; ++c)
        columnOfRow[at(rowOfColumn[at(c)] - 1)] = c - 1;
    return columnOfRow;
}

std::vector<std::vector<int>>
tableNumbers(const std::vector<std::vector<std::vector<int>>>& members, int entrants,
             Random& random) {
    int most = 0;
    for (const auto& round : members)
        most = std::max(most, static_cast<int>(round.size()));
    std::vector<int> last(at(entrants), -1);                // table number of the last round played
    std::vector<int> run(at(entrants), 0);                  // rounds in a row at that number
    std::vector<int> stays(at(entrants) * at(most + 1), 0); // rounds each entrant spent at a number
    auto staysAt = [&](int e, int k) -> int& { return stays[at(e) * at(most + 1) + at(k)]; };
    std::vector<std::vector<int>> numbers;
    numbers.reserve(members.size());
    for (const auto& round : members) {
        const int tables = static_cast<int>(round.size());
        // A repeat of the last round's number costs far more than all earlier stays together, which
        // only break ties; the cost of a repeat grows with the square of the run it extends, so
        // that where repeats cannot be avoided (two tables) nobody keeps one number throughout.
        const int repeat = 1 + static_cast<int>(members.size()) * 4;
        std::vector<std::vector<int>> cost(at(tables), std::vector<int>(at(tables), 0));
        for (int t = 0; t < tables; ++t)
            for (int e : round[at(t)])
                for (int k = 0; k < tables; ++k)
                    cost[at(t)][at(k)] +=
                        (last[at(e)] == k ? repeat * run[at(e)] * run[at(e)] : 0) + staysAt(e, k);
        // Greedy: tables in random order, each the free number it costs least at, ties at random.
        std::vector<int> number(at(tables), -1);
        std::vector<char> taken(at(tables), 0);
        bool repeats = false;
        for (int t : random.permutation(tables)) {
            int best = -1;
            int ties = 0;
            for (int k = 0; k < tables; ++k) {
                if (taken[at(k)])
                    continue;
                if (best < 0 || cost[at(t)][at(k)] < cost[at(t)][at(best)]) {
                    best = k;
                    ties = 1;
                } else if (cost[at(t)][at(k)] == cost[at(t)][at(best)] &&
                           random.below(++ties) == 0) {
                    best = k;
                }
            }
            number[at(t)] = best;
            taken[at(best)] = 1;
            repeats = repeats || cost[at(t)][at(best)] >= repeat;
        }
        // Small rounds always get the exact answer; large ones when the greedy left a repeat.
        constexpr int kAlwaysExactUpTo = 32;
        if (repeats || tables <= kAlwaysExactUpTo)
            number = cheapestAssignment(cost);
        for (int t = 0; t < tables; ++t)
            for (int e : round[at(t)]) {
                run[at(e)] = last[at(e)] == number[at(t)] ? run[at(e)] + 1 : 1;
                last[at(e)] = number[at(t)];
                ++staysAt(e, number[at(t)]);
            }
        numbers.push_back(std::move(number));
    }
    return numbers;
}

} // namespace rh::seating::detail

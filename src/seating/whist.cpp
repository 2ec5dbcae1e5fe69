#include "seating/whist.h"

#include "seating/galois.h"
#include "seating/random.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace rh::seating::detail {

namespace {

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

// Mixed-radix arithmetic of G = Z_m1 x ... x Z_mk.
class Group {
public:
    explicit Group(const std::vector<int>& moduli) : m_moduli(moduli) {
        m_order = 1;
        for (int m : moduli)
            m_order *= m;
    }
    int order() const { return m_order; }
    int subtract(int a, int b) const {
        int result = 0;
        int weight = 1;
        for (int m : m_moduli) {
            const int d = ((a % m) - (b % m) + m) % m;
            result += d * weight;
            weight *= m;
            a /= m;
            b /= m;
        }
        return result;
    }
    int add(int a, int b) const { return subtract(a, subtract(0, b)); }

private:
    std::vector<int> m_moduli;
    int m_order = 1;
};

} // namespace

int WhistStarter::groupOrder() const {
    int order = 1;
    for (int m : moduli)
        order *= m;
    return order;
}

bool isWhistStarter(const WhistStarter& starter) {
    if (starter.moduli.empty())
        return false;
    for (int m : starter.moduli)
        if (m < 2)
            return false;
    const Group group(starter.moduli);
    const int order = group.order();
    const int infinity = order;
    const int v = starter.entrants();
    if (v % 4 > 1 || (v % 4 == 0) != starter.withInfinity)
        return false;
    if (static_cast<int>(starter.tables.size()) != v / 4)
        return false;
    std::vector<int> seen(at(order + 1), 0);
    std::vector<int> partner(at(order), 0);
    std::vector<int> opponent(at(order), 0);
    for (const auto& t : starter.tables) {
        for (int e : t) {
            if (e < 0 || e > order || (e == infinity && !starter.withInfinity) || seen[at(e)]++)
                return false;
        }
        auto count = [&](std::vector<int>& counts, int a, int b) {
            if (a == infinity || b == infinity)
                return;
            ++counts[at(group.subtract(a, b))];
            ++counts[at(group.subtract(b, a))];
        };
        count(partner, t[0], t[1]);
        count(partner, t[2], t[3]);
        for (int i : {0, 1})
            for (int j : {2, 3})
                count(opponent, t[at(i)], t[at(j)]);
    }
    if (starter.withInfinity && !seen[at(infinity)])
        return false;
    for (int g = 1; g < order; ++g)
        if (partner[at(g)] != 1 || opponent[at(g)] != 2)
            return false;
    return partner[0] == 0 && opponent[0] == 0;
}

std::optional<WhistStarter> ringStarter(int entrants) {
    if (entrants < 5 || entrants % 4 != 1)
        return std::nullopt;
    std::vector<GaloisField> fields;
    for (auto [p, k] : primePowers(entrants)) {
        int q = 1;
        for (int i = 0; i < k; ++i)
            q *= p;
        if (q % 4 != 1)
            return std::nullopt;
        auto field = GaloisField::make(q);
        if (!field)
            return std::nullopt;
        fields.push_back(std::move(*field));
    }
    WhistStarter starter;
    std::vector<int> fourthRoot;
    for (const auto& field : fields) {
        for (int k = 0; k < field.degree(); ++k)
            starter.moduli.push_back(field.characteristic());
        fourthRoot.push_back(field.power((field.order() - 1) / 4));
    }
    // Component-wise operations on codes of R (component i the i-th "digit" of radix q_i).
    auto componentWise = [&](int a, auto&& op) {
        int result = 0;
        int weight = 1;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const int q = fields[i].order();
            result += op(fields[i], i, a % q) * weight;
            weight *= q;
            a /= q;
        }
        return result;
    };
    auto negate = [&](int a) {
        return componentWise(a,
                             [](const GaloisField& f, std::size_t, int x) { return f.negate(x); });
    };
    auto timesRoot = [&](int a) {
        return componentWise(a, [&](const GaloisField& f, std::size_t i, int x) {
            return f.multiply(x, fourthRoot[i]);
        });
    };
    std::vector<char> used(at(entrants), 0);
    for (int e = 1; e < entrants; ++e) {
        if (used[at(e)])
            continue;
        const int we = timesRoot(e);
        const std::array<int, 4> table{e, negate(e), we, negate(we)};
        for (int x : table)
            used[at(x)] = 1;
        starter.tables.push_back(table);
    }
    if (!isWhistStarter(starter))
        return std::nullopt;
    return starter;
}

std::optional<WhistStarter> searchStarter(int entrants, long long moveBudget) {
    if (entrants < 4 || entrants % 4 > 1)
        return std::nullopt;
    const bool withInfinity = entrants % 4 == 0;
    const int m = withInfinity ? entrants - 1 : entrants;
    const int infinity = m;
    const int tables = entrants / 4;
    const int seats = 4 * tables;

    // Differences are counted by class {d, -d}: class(a - b) = min(d, m - d), 0 for infinity.
    auto differenceClass = [&](int a, int b) {
        if (a == infinity || b == infinity)
            return 0;
        const int d = ((a - b) % m + m) % m;
        return std::min(d, m - d);
    };
    std::vector<int> seat;
    std::vector<int> partner(at(m), 0);
    std::vector<int> opponent(at(m), 0);
    // Cost: partner classes used more than once, opponent classes used more than twice. The totals
    // are exactly right, so cost 0 means every class once (partners) and twice (opponents).
    auto tableCost = [&](int t, int sign) {
        const int* s = &seat[at(4 * t)];
        int delta = 0;
        auto pair = [&](std::vector<int>& counts, int limit, int a, int b) {
            const int c = differenceClass(a, b);
            if (c == 0)
                return;
            int& n = counts[at(c)];
            delta -= std::max(0, n - limit);
            n += sign;
            delta += std::max(0, n - limit);
        };
        pair(partner, 1, s[0], s[1]);
        pair(partner, 1, s[2], s[3]);
        for (int i : {0, 1})
            for (int j : {2, 3})
                pair(opponent, 2, s[i], s[j]);
        return delta;
    };
    auto swapSeats = [&](int i, int j) {
        const int ti = i / 4;
        const int tj = j / 4;
        int delta = tableCost(ti, -1) + (tj != ti ? tableCost(tj, -1) : 0);
        std::swap(seat[at(i)], seat[at(j)]);
        delta += tableCost(ti, 1) + (tj != ti ? tableCost(tj, 1) : 0);
        return delta;
    };
    auto inConflict = [&](int i) {
        const int base = i / 4 * 4;
        const int a = seat[at(i)];
        const int p = differenceClass(a, seat[at(i ^ 1)]);
        if (p != 0 && partner[at(p)] > 1)
            return true;
        const int first = (i % 4 < 2) ? base + 2 : base;
        for (int k = first; k < first + 2; ++k) {
            const int c = differenceClass(a, seat[at(k)]);
            if (c != 0 && opponent[at(c)] > 2)
                return true;
        }
        return false;
    };

    Random random(0x5eed0000u + static_cast<std::uint64_t>(entrants));
    const long long restartEvery = 20000LL * tables;
    constexpr long long kTenure = 10;
    long long moves = 0;
    while (moves < moveBudget) {
        seat.clear();
        for (int e = withInfinity ? 0 : 1; e < m; ++e)
            seat.push_back(e);
        if (withInfinity)
            seat.push_back(infinity);
        random.shuffle(seat);
        std::fill(partner.begin(), partner.end(), 0);
        std::fill(opponent.begin(), opponent.end(), 0);
        int cost = 0;
        for (int t = 0; t < tables; ++t)
            cost += tableCost(t, 1);
        int best = cost;
        // tabu[element * seats + seat]: until which move the element may not return to the seat
        std::vector<long long> tabu(at((m + 1) * seats), -1);
        for (long long step = 0; step < restartEvery && cost > 0 && moves < moveBudget;
             ++step, ++moves) {
            int i = random.below(seats);
            for (int tries = 0; tries < 50 && !inConflict(i); ++tries)
                i = random.below(seats);
            int bestDelta = 1 << 30;
            int bestJ = -1;
            int ties = 0;
            for (int j = 0; j < seats; ++j) {
                if (j / 2 == i / 2)
                    continue; // the same partnership: nothing changes
                const int delta = swapSeats(i, j);
                swapSeats(i, j);
                const bool forbidden = tabu[at(seat[at(i)] * seats + j)] > step ||
                                       tabu[at(seat[at(j)] * seats + i)] > step;
                if (forbidden && cost + delta >= best)
                    continue;
                if (delta < bestDelta) {
                    bestDelta = delta;
                    bestJ = j;
                    ties = 1;
                } else if (delta == bestDelta && random.below(++ties) == 0) {
                    bestJ = j;
                }
            }
            if (bestJ < 0)
                continue;
            tabu[at(seat[at(i)] * seats + i)] = step + kTenure;
            tabu[at(seat[at(bestJ)] * seats + bestJ)] = step + kTenure;
            cost += swapSeats(i, bestJ);
            best = std::min(best, cost);
        }
        if (cost == 0) {
            WhistStarter starter;
            starter.moduli = {m};
            starter.withInfinity = withInfinity;
            for (int t = 0; t < tables; ++t)
                starter.tables.push_back({seat[at(4 * t)], seat[at(4 * t + 1)], seat[at(4 * t + 2)],
                                          seat[at(4 * t + 3)]});
            if (isWhistStarter(starter))
                return starter;
        }
    }
    return std::nullopt;
}

std::optional<WhistStarter> whistStarter(int entrants) {
    if (entrants < 4 || entrants % 4 > 1)
        return std::nullopt;
    if (auto starter = ringStarter(entrants))
        return starter;
    if (auto starter = knownStarter(entrants))
        return starter;
    // Small v only: the search is quick there, and every such v is in the known table anyway.
    constexpr int kSearchUpTo = 24;
    if (entrants <= kSearchUpTo)
        return searchStarter(entrants, 200000);
    return std::nullopt;
}

std::vector<RawRound> developWhist(const WhistStarter& starter) {
    const Group group(starter.moduli);
    const int order = group.order();
    const int infinity = order;
    std::vector<char> inBase(at(order + 1), 0);
    for (const auto& t : starter.tables)
        for (int e : t)
            inBase[at(e)] = 1;
    int missing = -1;
    for (int e = 0; e < order; ++e)
        if (!inBase[at(e)])
            missing = e;
    std::vector<RawRound> rounds(at(order));
    for (int g = 0; g < order; ++g) {
        auto shift = [&](int e) { return e == infinity ? infinity : group.add(e, g); };
        auto& round = rounds[at(g)];
        for (const auto& t : starter.tables)
            round.tables.push_back({shift(t[0]), shift(t[1]), shift(t[2]), shift(t[3])});
        if (missing >= 0)
            round.sittingOut.push_back(shift(missing));
    }
    return rounds;
}

} // namespace rh::seating::detail

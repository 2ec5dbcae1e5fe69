#include "seating/annealing.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace rh::seating::detail {

namespace {

std::size_t at(long long i) {
    return static_cast<std::size_t>(i);
}

constexpr long long kPartnerWeight = 40;
constexpr long long kOpponentOverTwoWeight = 4;
constexpr int kMaxCount = 255;

long long partnerCost(long long c) {
    return kPartnerWeight * c * (c - 1) / 2;
}
long long opponentCost(long long c) {
    const long long over = std::max(0LL, c - 2);
    return c * (c - 1) / 2 + kOpponentOverTwoWeight * over * over;
}

// The least total of `cost` over `pairs` pairs sharing `meetings` meetings: spread evenly, as the
// costs are convex.
template <class Cost> long long evenSpread(long long meetings, long long pairs, Cost cost) {
    const long long each = meetings / pairs;
    const long long extra = meetings % pairs;
    return extra * cost(each + 1) + (pairs - extra) * cost(each);
}

class Annealer {
public:
    Annealer(int entrants, std::vector<RawRound>& rounds)
        : m_v(entrants), m_rounds(rounds), m_partner(at(entrants) * at(entrants), 0),
          m_opponent(at(entrants) * at(entrants), 0) {
        for (int c = 0; c <= kMaxCount; ++c) {
            m_partnerCost[at(c)] = partnerCost(c);
            m_opponentCost[at(c)] = opponentCost(c);
        }
        for (std::size_t r = 0; r < m_rounds.size(); ++r)
            for (std::size_t t = 0; t < m_rounds[r].tables.size(); ++t)
                m_cost += table(m_rounds[r].tables[t], 1);
    }

    long long cost() const { return m_cost; }

    // Swaps seats i and j of round r (i, j index the round's seats 0..4T-1) and returns the change
    // of cost.
    long long swapSeats(std::size_t r, int i, int j) {
        auto& tables = m_rounds[r].tables;
        auto& ti = tables[at(i / 4)];
        auto& tj = tables[at(j / 4)];
        const bool same = i / 4 == j / 4;
        long long delta = table(ti, -1) + (same ? 0 : table(tj, -1));
        std::swap(ti[at(i % 4)], tj[at(j % 4)]);
        delta += table(ti, 1) + (same ? 0 : table(tj, 1));
        m_cost += delta;
        return delta;
    }

    // Seats `entrant` (who sat out) at seat i of round r instead of the entrant there, who then
    // sits out; returns the change of cost. The caller keeps the sit-out lists.
    long long replaceSeat(std::size_t r, int i, int& entrant) {
        auto& t = m_rounds[r].tables[at(i / 4)];
        long long delta = table(t, -1);
        std::swap(t[at(i % 4)], entrant);
        delta += table(t, 1);
        m_cost += delta;
        return delta;
    }

private:
    std::uint8_t& cell(std::vector<std::uint8_t>& counts, int a, int b) {
        return a < b ? counts[at(a) * at(m_v) + at(b)] : counts[at(b) * at(m_v) + at(a)];
    }
    long long pair(std::vector<std::uint8_t>& counts,
                   const std::array<long long, kMaxCount + 1>& cost, int a, int b, int sign) {
        std::uint8_t& n = cell(counts, a, b);
        const long long before = cost[n];
        n = static_cast<std::uint8_t>(n + sign);
        return cost[n] - before;
    }
    long long table(const std::array<int, 4>& s, int sign) {
        long long delta = pair(m_partner, m_partnerCost, s[0], s[1], sign) +
                          pair(m_partner, m_partnerCost, s[2], s[3], sign);
        for (int i : {0, 1})
            for (int j : {2, 3})
                delta += pair(m_opponent, m_opponentCost, s[at(i)], s[at(j)], sign);
        return delta;
    }

    int m_v;
    std::vector<RawRound>& m_rounds;
    std::vector<std::uint8_t> m_partner; // upper triangle, [a * v + b] with a < b
    std::vector<std::uint8_t> m_opponent;
    std::array<long long, kMaxCount + 1> m_partnerCost{};
    std::array<long long, kMaxCount + 1> m_opponentCost{};
    long long m_cost = 0;
};

} // namespace

std::vector<RawRound> annealedRounds(int entrants, int rounds, Random& random) {
    const int sitOuts = entrants % 4;
    const int tables = entrants / 4;
    // Sit-outs in sweeps: each sweep a new random order of all entrants, taken s at a time. Where
    // a round straddles two sweeps and would take somebody twice, the newcomer trades places with
    // a later entrant of its sweep.
    std::vector<int> sequence;
    while (static_cast<long long>(sequence.size()) < static_cast<long long>(rounds) * sitOuts) {
        std::vector<int> sweep = random.permutation(entrants);
        const std::size_t start = sequence.size();
        const std::size_t roundStart = start - start % at(std::max(sitOuts, 1));
        for (std::size_t k = 0; k < sweep.size() && start + k < roundStart + at(sitOuts); ++k) {
            auto clashes = [&](int e) {
                for (std::size_t j = roundStart; j < start; ++j)
                    if (sequence[j] == e)
                        return true;
                return false;
            };
            for (std::size_t later = k + 1; clashes(sweep[k]) && later < sweep.size(); ++later)
                std::swap(sweep[k], sweep[later]);
        }
        sequence.insert(sequence.end(), sweep.begin(), sweep.end());
    }
    std::vector<RawRound> result(at(rounds));
    for (int r = 0; r < rounds; ++r) {
        auto& round = result[at(r)];
        std::vector<char> out(at(entrants), 0);
        for (int j = 0; j < sitOuts; ++j) {
            const int e = sequence[at(static_cast<long long>(r) * sitOuts + j)];
            out[at(e)] = 1;
            round.sittingOut.push_back(e);
        }
        std::vector<int> seated;
        for (int e = 0; e < entrants; ++e)
            if (!out[at(e)])
                seated.push_back(e);
        random.shuffle(seated);
        for (int t = 0; t < tables; ++t)
            round.tables.push_back({seated[at(4 * t)], seated[at(4 * t + 1)], seated[at(4 * t + 2)],
                                    seated[at(4 * t + 3)]});
    }
    if (tables == 0)
        return result;

    Annealer annealer(entrants, result);
    const long long pairs = static_cast<long long>(entrants) * (entrants - 1) / 2;
    const long long tableRounds = static_cast<long long>(tables) * rounds;
    const long long floor = evenSpread(2 * tableRounds, pairs, partnerCost) +
                            evenSpread(4 * tableRounds, pairs, opponentCost);
    // Moves: a few thousand per seat, capped so that the largest tournaments stay within seconds.
    const long long seats = 4 * tableRounds;
    const long long budget = std::min(4000 * seats, 24'000'000LL);
    constexpr int kStages = 50;
    // The probability of taking a move that costs 1 more falls from about 0.45 to about 0.002.
    constexpr std::uint32_t kHot = 0x7333'3333u;
    constexpr std::uint32_t kCold = 0x0080'0000u;
    const int seatCount = 4 * tables;
    // Sit-outs may move between entrants as long as every count stays within one of the others.
    std::vector<int> outCount(at(entrants), 0);
    for (const auto& round : result)
        for (int e : round.sittingOut)
            ++outCount[at(e)];
    const int fewestOut = rounds * sitOuts / entrants;
    const int mostOut = fewestOut + (rounds * sitOuts % entrants ? 1 : 0);
    // Stage 0 is a plain descent, which is all that easy seatings (few rounds for many entrants)
    // need; the annealing proper follows when it does not reach the floor.
    for (int stage = 0; stage <= kStages && annealer.cost() > floor; ++stage) {
        const std::uint64_t span = kHot - kCold;
        const auto pOne =
            stage == 0 ? std::uint32_t{0}
                       : static_cast<std::uint32_t>(
                             kHot - span * static_cast<std::uint64_t>(stage - 1) / (kStages - 1));
        const Acceptance acceptance(pOne);
        for (long long move = 0; move < budget / kStages; ++move) {
            const auto r = at(random.below(rounds));
            if (sitOuts > 0 && random.below(8) == 0) {
                const auto o = at(random.below(sitOuts));
                const int i = random.below(seatCount);
                int& out = result[r].sittingOut[o];
                const int in = out;
                int leaving = out;
                const long long delta = annealer.replaceSeat(r, i, leaving);
                if (outCount[at(in)] > fewestOut && outCount[at(leaving)] < mostOut &&
                    acceptance.accepts(delta, random)) {
                    --outCount[at(in)];
                    ++outCount[at(leaving)];
                    out = leaving;
                } else {
                    annealer.replaceSeat(r, i, leaving);
                }
                continue;
            }
            const int i = random.below(seatCount);
            const int j = random.below(seatCount);
            if (i / 2 == j / 2)
                continue; // the same partnership: nothing changes
            const long long delta = annealer.swapSeats(r, i, j);
            if (!acceptance.accepts(delta, random))
                annealer.swapSeats(r, i, j);
            if (annealer.cost() == floor)
                break;
        }
    }
    return result;
}

} // namespace rh::seating::detail

#include "seating/schedule.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <stdexcept>
#include <utility>

namespace rh::seating {

namespace {

// splitmix64: the same numbers on every platform.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int bound) { return static_cast<int>(next() % static_cast<std::uint64_t>(bound)); }

private:
    std::uint64_t m_state;
};

void checkArguments(int entrants, int least, int rounds) {
    if (entrants < least)
        throw std::invalid_argument("too few entrants to fill a table");
    if (rounds < 1 || rounds > 99)
        throw std::invalid_argument("rounds must be 1 to 99");
}

// Each round: the entrants in a fresh random order, those who sat out most seated first, the
// rest of the last incomplete table sitting out.
template <typename Seat>
void seatRounds(int entrants, int rounds, int perTable, std::uint64_t seed, Seat&& seat) {
    Random random(seed);
    std::vector<int> sitOuts(static_cast<std::size_t>(entrants) + 1, 0);
    std::vector<int> order(static_cast<std::size_t>(entrants));
    for (int r = 0; r < rounds; ++r) {
        std::iota(order.begin(), order.end(), 1);
        for (int i = entrants - 1; i > 0; --i)
            std::swap(order[static_cast<std::size_t>(i)],
                      order[static_cast<std::size_t>(random.below(i + 1))]);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return sitOuts[static_cast<std::size_t>(a)] > sitOuts[static_cast<std::size_t>(b)];
        });
        const int seated = entrants / perTable * perTable;
        for (int i = seated; i < entrants; ++i)
            ++sitOuts[static_cast<std::size_t>(order[static_cast<std::size_t>(i)])];
        seat(order, seated);
    }
}

using Pair = std::pair<int, int>;
Pair pairOf(int a, int b) {
    return a < b ? Pair{a, b} : Pair{b, a};
}

int mostOf(const std::map<Pair, int>& counts) {
    int most = 0;
    for (const auto& [pair, n] : counts)
        most = std::max(most, n);
    return most;
}

} // namespace

ProgressiveSchedule progressiveSchedule(int entrants, int rounds, std::uint64_t seed) {
    checkArguments(entrants, 4, rounds);
    ProgressiveSchedule schedule;
    seatRounds(entrants, rounds, 4, seed, [&](const std::vector<int>& order, int seated) {
        ProgressiveRound round;
        for (int i = 0; i < seated; i += 4) {
            const auto at = [&](int k) { return order[static_cast<std::size_t>(i + k)]; };
            round.tables.push_back({i / 4 + 1, {at(0), at(1), at(2), at(3)}});
        }
        round.sittingOut.assign(order.begin() + seated, order.end());
        std::sort(round.sittingOut.begin(), round.sittingOut.end());
        schedule.push_back(std::move(round));
    });
    return schedule;
}

TeamSchedule teamSchedule(int teams, int rounds, std::uint64_t seed) {
    checkArguments(teams, 2, rounds);
    TeamSchedule schedule;
    seatRounds(teams, rounds, 2, seed, [&](const std::vector<int>& order, int seated) {
        TeamRound round;
        for (int i = 0; i < seated; i += 2)
            round.tables.push_back(
                {i / 2 + 1,
                 {order[static_cast<std::size_t>(i)], order[static_cast<std::size_t>(i + 1)]}});
        round.byes.assign(order.begin() + seated, order.end());
        std::sort(round.byes.begin(), round.byes.end());
        schedule.push_back(std::move(round));
    });
    return schedule;
}

namespace {

template <typename Round>
Quality figures(const std::vector<Round>& schedule, int entrants,
                const std::map<Pair, int>& partners, const std::map<Pair, int>& opponents,
                const std::vector<int>& sitOuts, int tableRepeats) {
    Quality q{};
    for (const auto& [pair, n] : partners)
        q.repeatedPartnerships += n - 1;
    q.mostPartnerships = mostOf(partners);
    q.mostOpponentMeetings = mostOf(opponents);
    q.fewestSitOuts = entrants > 0 ? static_cast<int>(schedule.size()) : 0;
    for (int id = 1; id <= entrants; ++id) {
        q.fewestSitOuts = std::min(q.fewestSitOuts, sitOuts[static_cast<std::size_t>(id)]);
        q.mostSitOuts = std::max(q.mostSitOuts, sitOuts[static_cast<std::size_t>(id)]);
    }
    q.tableRepeats = tableRepeats;
    return q;
}

} // namespace

Quality progressiveQuality(const ProgressiveSchedule& schedule, int entrants) {
    std::map<Pair, int> partners, opponents;
    std::vector<int> sitOuts(static_cast<std::size_t>(std::max(entrants, 0)) + 1, 0);
    std::map<Pair, int> tablesSat; // (entrant, table)
    int tableRepeats = 0;
    for (const ProgressiveRound& round : schedule) {
        for (const ProgressiveTable& t : round.tables) {
            const auto& s = t.seats;
            ++partners[pairOf(s[0], s[1])];
            ++partners[pairOf(s[2], s[3])];
            for (int a : {s[0], s[1]})
                for (int b : {s[2], s[3]})
                    ++opponents[pairOf(a, b)];
            for (int id : s)
                tableRepeats += tablesSat[{id, t.number}]++ > 0;
        }
        for (int id : round.sittingOut)
            if (id >= 1 && id <= entrants)
                ++sitOuts[static_cast<std::size_t>(id)];
    }
    return figures(schedule, entrants, partners, opponents, sitOuts, tableRepeats);
}

Quality teamQuality(const TeamSchedule& schedule, int teams) {
    std::map<Pair, int> opponents;
    std::vector<int> sitOuts(static_cast<std::size_t>(std::max(teams, 0)) + 1, 0);
    std::map<Pair, int> tablesSat;
    int tableRepeats = 0;
    for (const TeamRound& round : schedule) {
        for (const TeamTable& t : round.tables) {
            ++opponents[pairOf(t.teams[0], t.teams[1])];
            for (int id : t.teams)
                tableRepeats += tablesSat[{id, t.number}]++ > 0;
        }
        for (int id : round.byes)
            if (id >= 1 && id <= teams)
                ++sitOuts[static_cast<std::size_t>(id)];
    }
    return figures(schedule, teams, {}, opponents, sitOuts, tableRepeats);
}

} // namespace rh::seating

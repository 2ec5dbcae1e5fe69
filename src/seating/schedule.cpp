#include "seating/schedule.h"

#include "seating/annealing.h"
#include "seating/numbering.h"
#include "seating/random.h"
#include "seating/whist.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <string>

namespace rh::seating {

using detail::RawRound;

namespace {

std::size_t at(long long i) {
    return static_cast<std::size_t>(i);
}

void checkRounds(int rounds) {
    if (rounds < 1 || rounds > kMaxRounds)
        throw std::invalid_argument("A seating needs between 1 and " + std::to_string(kMaxRounds) +
                                    " rounds, not " + std::to_string(rounds) + ".");
}

void checkEntrants(int entrants, int least, const char* kind, const char* word) {
    if (entrants < least)
        throw std::invalid_argument(std::string("A ") + kind + " seating needs at least " +
                                    std::to_string(least) + " " + word + ", not " +
                                    std::to_string(entrants) + ".");
    if (entrants > kMaxEntrants)
        throw std::invalid_argument(std::string("A ") + kind + " seating can hold at most " +
                                    std::to_string(kMaxEntrants) + " " + word + ", not " +
                                    std::to_string(entrants) + ".");
}

void checkProgressive(int entrants) {
    checkEntrants(entrants, kMinProgressiveEntrants, "Progressive", "players");
}

// Rounds from a whist tournament: cycles of the developed tournament, each with its own random
// numbering of the entrants, as many as the rounds need. Any set of rounds of one cycle keeps
// partners apart and opponents to two meetings; among them, each next round is the one whose
// opponents have met least so far (candidates in random order, the first of equals), so that a
// short tournament has few pairs meeting twice.
std::vector<RawRound> whistRounds(const detail::WhistStarter& starter, int rounds,
                                  detail::Random& random) {
    const std::vector<RawRound> cycle = detail::developWhist(starter);
    const int entrants = starter.entrants();
    std::vector<int> met(at(entrants) * at(entrants), 0);
    auto meetings = [&](int a, int b) -> int& { return met[at(a) * at(entrants) + at(b)]; };
    std::vector<RawRound> result;
    while (static_cast<int>(result.size()) < rounds) {
        const std::vector<int> label = random.permutation(entrants);
        std::vector<int> left = random.permutation(static_cast<int>(cycle.size()));
        while (!left.empty() && static_cast<int>(result.size()) < rounds) {
            std::size_t best = 0;
            long long bestCost = -1;
            for (std::size_t k = 0; k < left.size(); ++k) {
                long long cost = 0;
                for (const auto& t : cycle[at(left[k])].tables)
                    for (int i : {0, 1})
                        for (int j : {2, 3})
                            cost += meetings(label[at(t[at(i)])], label[at(t[at(j)])]);
                if (bestCost < 0 || cost < bestCost) {
                    bestCost = cost;
                    best = k;
                }
            }
            const RawRound& source = cycle[at(left[best])];
            left.erase(left.begin() + static_cast<std::ptrdiff_t>(best));
            RawRound round;
            for (const auto& t : source.tables) {
                const std::array<int, 4> seats{label[at(t[0])], label[at(t[1])], label[at(t[2])],
                                               label[at(t[3])]};
                for (int i : {0, 1})
                    for (int j : {2, 3}) {
                        ++meetings(seats[at(i)], seats[at(j)]);
                        ++meetings(seats[at(j)], seats[at(i)]);
                    }
                round.tables.push_back(seats);
            }
            for (int e : source.sittingOut)
                round.sittingOut.push_back(label[at(e)]);
            result.push_back(std::move(round));
        }
    }
    return result;
}

std::array<int, 4>& seatsOf(ProgressiveTable& t) {
    return t.seats;
}
std::array<int, 2>& seatsOf(TeamTable& t) {
    return t.teams;
}

// Puts each round's tables in table-number order under the numbers that tableNumbers chose.
template <class Table, class Members>
std::vector<std::vector<Table>> numberedTables(const std::vector<std::vector<Members>>& rounds,
                                               int entrants, detail::Random& random) {
    std::vector<std::vector<std::vector<int>>> members;
    for (const auto& round : rounds) {
        auto& list = members.emplace_back();
        for (const auto& t : round)
            list.emplace_back(t.begin(), t.end());
    }
    const auto numbers = detail::tableNumbers(members, entrants, random);
    std::vector<std::vector<Table>> result;
    for (std::size_t r = 0; r < rounds.size(); ++r) {
        auto& tables = result.emplace_back(rounds[r].size());
        for (std::size_t t = 0; t < rounds[r].size(); ++t) {
            const int number = numbers[r][t];
            auto& table = tables[at(number)];
            table.number = number + 1;
            for (std::size_t s = 0; s < rounds[r][t].size(); ++s)
                seatsOf(table)[s] = rounds[r][t][s] + 1;
        }
    }
    return result;
}

std::vector<int> sortedNumbers(std::vector<int> zeroBased) {
    for (int& e : zeroBased)
        ++e;
    std::sort(zeroBased.begin(), zeroBased.end());
    return zeroBased;
}

// Pair counts of 1..n in a flat triangle-free matrix.
class PairCounts {
public:
    explicit PairCounts(int n) : m_n(n), m_counts(at(n + 1) * at(n + 1), 0) {}
    bool valid(int a) const { return a >= 1 && a <= m_n; }
    void add(int a, int b) {
        if (valid(a) && valid(b) && a != b)
            ++m_counts[at(std::min(a, b)) * at(m_n + 1) + at(std::max(a, b))];
    }
    // Fills most, fewest and the sum of max(0, count - limit) over all pairs of 1..n.
    void summarize(int limit, int& most, int& fewest, int& excess) const {
        most = 0;
        fewest = 0;
        excess = 0;
        bool first = true;
        for (int a = 1; a <= m_n; ++a)
            for (int b = a + 1; b <= m_n; ++b) {
                const int c = m_counts[at(a) * at(m_n + 1) + at(b)];
                most = std::max(most, c);
                fewest = first ? c : std::min(fewest, c);
                first = false;
                excess += std::max(0, c - limit);
            }
    }

private:
    int m_n;
    std::vector<int> m_counts;
};

// Sit-outs, table repeats and the longest stay at one table number, from each round's seated
// entrants with their table numbers (1..tables).
class Attendance {
public:
    Attendance(int n, int tables)
        : m_n(n), m_tables(tables), m_played(at(n + 1), 0), m_last(at(n + 1), 0),
          m_atTable(at(n + 1) * at(tables + 1), 0) {}
    void seat(int e, int number) {
        if (e < 1 || e > m_n || number < 1 || number > m_tables)
            return;
        ++m_played[at(e)];
        if (m_last[at(e)] == number)
            ++m_quality.tableRepeats;
        m_last[at(e)] = number;
        int& stays = m_atTable[at(e) * at(m_tables + 1) + at(number)];
        m_quality.mostRoundsAtOneTable = std::max(m_quality.mostRoundsAtOneTable, ++stays);
    }
    Quality finish(int rounds) {
        for (int e = 1; e <= m_n; ++e) {
            const int out = rounds - m_played[at(e)];
            m_quality.fewestSitOuts = e == 1 ? out : std::min(m_quality.fewestSitOuts, out);
            m_quality.mostSitOuts = std::max(m_quality.mostSitOuts, out);
        }
        return m_quality;
    }

private:
    int m_n;
    int m_tables;
    std::vector<int> m_played;
    std::vector<int> m_last;
    std::vector<int> m_atTable;
    Quality m_quality;
};

template <class Round> int mostTableNumber(const std::vector<Round>& schedule) {
    int most = 0;
    for (const auto& round : schedule)
        for (const auto& t : round.tables)
            most = std::max(most, t.number);
    return std::min(most, kMaxEntrants);
}

} // namespace

int fullLength(int entrants) {
    checkProgressive(entrants);
    const int sitOuts = entrants % 4;
    if (sitOuts == 0)
        return entrants - 1;
    if (sitOuts == 1)
        return entrants;
    return entrants * (entrants - 1) / (entrants - sitOuts);
}

bool isWhistSeating(int entrants) {
    checkProgressive(entrants);
    return detail::whistStarter(entrants).has_value();
}

ProgressiveSchedule progressiveSchedule(int entrants, int rounds, std::uint64_t seed) {
    checkProgressive(entrants);
    checkRounds(rounds);
    detail::Random random(seed);
    std::vector<RawRound> raw;
    if (auto starter = detail::whistStarter(entrants))
        raw = whistRounds(*starter, rounds, random);
    else
        raw = detail::annealedRounds(entrants, rounds, random);

    // Which partnership sits first and who of a partnership sits first carries no meaning: mix it.
    std::vector<std::vector<std::array<int, 4>>> tables;
    for (auto& round : raw) {
        for (auto& t : round.tables) {
            if (random.below(2))
                std::swap(t[0], t[1]);
            if (random.below(2))
                std::swap(t[2], t[3]);
            if (random.below(2))
                t = {t[2], t[3], t[0], t[1]};
        }
        tables.push_back(round.tables);
    }
    auto numbered = numberedTables<ProgressiveTable>(tables, entrants, random);
    ProgressiveSchedule schedule(at(rounds));
    for (std::size_t r = 0; r < schedule.size(); ++r) {
        schedule[r].tables = std::move(numbered[r]);
        schedule[r].sittingOut = sortedNumbers(raw[r].sittingOut);
    }
    return schedule;
}

TeamSchedule teamSchedule(int teams, int rounds, std::uint64_t seed) {
    checkEntrants(teams, kMinTeams, "Team", "teams");
    checkRounds(rounds);
    detail::Random random(seed);
    // Circle method on an even number of places: place `fixed` stays, the others turn one step a
    // round. With an odd number of teams the fixed place is empty and its opponent has the bye.
    const int places = teams + teams % 2;
    const int fixed = places - 1;
    const int turning = places - 1;
    std::vector<std::vector<std::array<int, 2>>> tables;
    std::vector<std::vector<int>> byes;
    while (static_cast<int>(tables.size()) < rounds) {
        const std::vector<int> label = random.permutation(teams);
        for (int k : random.permutation(turning)) {
            if (static_cast<int>(tables.size()) == rounds)
                break;
            auto& round = tables.emplace_back();
            auto& bye = byes.emplace_back();
            auto meet = [&](int a, int b) {
                if (a >= teams || b >= teams)
                    bye.push_back(label[at(std::min(a, b))]);
                else
                    round.push_back({label[at(a)], label[at(b)]});
            };
            meet(fixed, k);
            for (int i = 1; i < places / 2; ++i)
                meet((k + i) % turning, (k - i + turning) % turning);
        }
    }
    auto numbered = numberedTables<TeamTable>(tables, teams, random);
    TeamSchedule schedule(at(rounds));
    for (std::size_t r = 0; r < schedule.size(); ++r) {
        schedule[r].tables = std::move(numbered[r]);
        schedule[r].byes = sortedNumbers(byes[r]);
    }
    return schedule;
}

Quality progressiveQuality(const ProgressiveSchedule& schedule, int entrants) {
    const int n = std::max(entrants, 0);
    PairCounts partners(n);
    PairCounts opponents(n);
    Attendance attendance(n, mostTableNumber(schedule));
    for (const auto& round : schedule)
        for (const auto& t : round.tables) {
            partners.add(t.seats[0], t.seats[1]);
            partners.add(t.seats[2], t.seats[3]);
            for (int i : {0, 1})
                for (int j : {2, 3})
                    opponents.add(t.seats[at(i)], t.seats[at(j)]);
            for (int e : t.seats)
                attendance.seat(e, t.number);
        }
    Quality quality = attendance.finish(static_cast<int>(schedule.size()));
    partners.summarize(1, quality.mostPartnerships, quality.fewestPartnerships,
                       quality.repeatedPartnerships);
    opponents.summarize(2, quality.mostOpponentMeetings, quality.fewestOpponentMeetings,
                        quality.opponentExcess);
    return quality;
}

Quality teamQuality(const TeamSchedule& schedule, int teams) {
    const int n = std::max(teams, 0);
    PairCounts meetings(n);
    Attendance attendance(n, mostTableNumber(schedule));
    for (const auto& round : schedule)
        for (const auto& t : round.tables) {
            meetings.add(t.teams[0], t.teams[1]);
            for (int e : t.teams)
                attendance.seat(e, t.number);
        }
    Quality quality = attendance.finish(static_cast<int>(schedule.size()));
    meetings.summarize(1, quality.mostOpponentMeetings, quality.fewestOpponentMeetings,
                       quality.opponentExcess);
    return quality;
}

} // namespace rh::seating

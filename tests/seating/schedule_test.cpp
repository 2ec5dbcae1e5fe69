// The schedule generator through its public functions: every schedule is checked for being a
// seating at all (each entrant once a round, table numbers 1..T) and for the quality the
// tournament kind promises.
#include "seating/schedule.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <vector>

using namespace rh::seating;

namespace {

// Every entrant seated or sitting out exactly once a round, tables numbered 1..T in order, the
// expected number of sit-outs.
void expectWellFormed(const ProgressiveSchedule& schedule, int v, int rounds) {
    ASSERT_EQ(static_cast<int>(schedule.size()), rounds);
    for (std::size_t r = 0; r < schedule.size(); ++r) {
        const auto& round = schedule[r];
        SCOPED_TRACE("round " + std::to_string(r + 1));
        ASSERT_EQ(static_cast<int>(round.tables.size()), v / 4);
        ASSERT_EQ(static_cast<int>(round.sittingOut.size()), v % 4);
        std::multiset<int> everybody(round.sittingOut.begin(), round.sittingOut.end());
        for (std::size_t t = 0; t < round.tables.size(); ++t) {
            EXPECT_EQ(round.tables[t].number, static_cast<int>(t) + 1);
            everybody.insert(round.tables[t].seats.begin(), round.tables[t].seats.end());
        }
        std::multiset<int> expected;
        for (int e = 1; e <= v; ++e)
            expected.insert(e);
        ASSERT_EQ(everybody, expected);
    }
}

void expectWellFormed(const TeamSchedule& schedule, int teams, int rounds) {
    ASSERT_EQ(static_cast<int>(schedule.size()), rounds);
    for (const auto& round : schedule) {
        ASSERT_EQ(static_cast<int>(round.tables.size()), teams / 2);
        ASSERT_EQ(static_cast<int>(round.byes.size()), teams % 2);
        std::multiset<int> everybody(round.byes.begin(), round.byes.end());
        for (std::size_t t = 0; t < round.tables.size(); ++t) {
            EXPECT_EQ(round.tables[t].number, static_cast<int>(t) + 1);
            everybody.insert(round.tables[t].teams.begin(), round.tables[t].teams.end());
        }
        ASSERT_EQ(static_cast<int>(everybody.size()), teams);
        ASSERT_EQ(static_cast<int>(std::set<int>(everybody.begin(), everybody.end()).size()),
                  teams);
        ASSERT_EQ(*everybody.begin(), 1);
        ASSERT_EQ(*everybody.rbegin(), teams);
    }
}

// Nobody at one table number for the whole tournament, wherever there is more than one table.
void expectTablesRotate(const Quality& q, int tables, int rounds) {
    if (tables >= 2 && rounds >= 2) {
        EXPECT_LT(q.mostRoundsAtOneTable, rounds);
    }
}

TEST(SeatingPreconditions, RejectOutOfRangeArguments) {
    struct Case {
        bool team;
        int entrants;
        int rounds;
        const char* message;
    };
    const Case cases[] = {
        {false, 3, 5, "A Progressive seating needs at least 4 players, not 3."},
        {false, 1000, 5, "A Progressive seating can hold at most 999 players, not 1000."},
        {false, 8, 0, "A seating needs between 1 and 99 rounds, not 0."},
        {false, 8, 100, "A seating needs between 1 and 99 rounds, not 100."},
        {true, 1, 5, "A Team seating needs at least 2 teams, not 1."},
        {true, 1000, 5, "A Team seating can hold at most 999 teams, not 1000."},
        {true, 6, -1, "A seating needs between 1 and 99 rounds, not -1."},
    };
    for (const auto& c : cases) {
        try {
            if (c.team)
                teamSchedule(c.entrants, c.rounds);
            else
                progressiveSchedule(c.entrants, c.rounds);
            ADD_FAILURE() << "no exception for " << c.entrants << " x " << c.rounds;
        } catch (const std::invalid_argument& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
    EXPECT_THROW(fullLength(3), std::invalid_argument);
    EXPECT_NO_THROW(progressiveSchedule(999, 1));
    EXPECT_NO_THROW(teamSchedule(2, 99));
}

TEST(SeatingLengths, FullLengthByResidue) {
    const std::pair<int, int> cases[] = {{4, 3},   {5, 5},   {6, 7},   {7, 10},  {8, 7},
                                         {9, 9},   {10, 11}, {11, 13}, {14, 15}, {15, 17},
                                         {32, 31}, {33, 33}, {34, 35}, {35, 37}, {999, 1001}};
    for (auto [v, length] : cases) {
        EXPECT_EQ(fullLength(v), length) << v;
    }
}

TEST(SeatingSeeds, SameSeedSameScheduleOtherSeedOther) {
    // Every round's sitters and seats as one text.
    auto text = [](const auto& schedule) {
        std::string out;
        for (const auto& round : schedule) {
            for (const auto& table : round.tables)
                for (int e : table.seats)
                    out += std::to_string(e) + " ";
            out += "|";
        }
        return out;
    };
    for (int v : {12, 13, 14, 15, 41}) {
        EXPECT_EQ(text(progressiveSchedule(v, 6, 7)), text(progressiveSchedule(v, 6, 7))) << v;
        EXPECT_NE(text(progressiveSchedule(v, 6, 7)), text(progressiveSchedule(v, 6, 8))) << v;
    }
    auto teams = [](const TeamSchedule& schedule) {
        std::string out;
        for (const auto& round : schedule)
            for (const auto& table : round.tables)
                out += std::to_string(table.teams[0]) + "-" + std::to_string(table.teams[1]) + " ";
        return out;
    };
    EXPECT_EQ(teams(teamSchedule(9, 5, 3)), teams(teamSchedule(9, 5, 3)));
}

// v = 0 or 1 mod 4: a whist tournament, for every prefix of rounds and at the full length.
TEST(SeatingWhist, EightRoundsUpTo64AndFullLengthUpTo32) {
    for (int v = 8; v <= 64; ++v) {
        if (v % 4 > 1)
            continue;
        std::vector<int> lengths;
        if (fullLength(v) >= 8)
            lengths.push_back(8);
        if (v <= 32)
            lengths.push_back(fullLength(v));
        for (int rounds : lengths) {
            SCOPED_TRACE(std::to_string(v) + " x " + std::to_string(rounds));
            if (rounds == fullLength(v)) {
                EXPECT_TRUE(isWhistSeating(v));
            }
            const auto schedule = progressiveSchedule(v, rounds, 2026);
            expectWellFormed(schedule, v, rounds);
            const Quality q = progressiveQuality(schedule, v);
            EXPECT_EQ(q.repeatedPartnerships, 0);
            EXPECT_LE(q.mostOpponentMeetings, 2);
            EXPECT_LE(q.mostSitOuts, v % 4);
            expectTablesRotate(q, v / 4, rounds);
            if (rounds == fullLength(v)) {
                EXPECT_EQ(q.fewestPartnerships, 1);
                EXPECT_EQ(q.mostPartnerships, 1);
                EXPECT_EQ(q.fewestOpponentMeetings, 2);
                EXPECT_EQ(q.mostOpponentMeetings, 2);
                EXPECT_EQ(q.fewestSitOuts, v % 4);
            }
        }
    }
}

// Past the full length a second cycle starts: partners repeat, each pair at most twice, and only
// as often as the extra rounds force.
TEST(SeatingWhist, BeyondTheFullLengthRepeatsEvenly) {
    const std::pair<int, int> cases[] = {{8, 9}, {8, 14}, {9, 12}, {12, 20}, {13, 20}, {16, 20}};
    for (auto [v, rounds] : cases) {
        SCOPED_TRACE(std::to_string(v) + " x " + std::to_string(rounds));
        const auto schedule = progressiveSchedule(v, rounds, 5);
        expectWellFormed(schedule, v, rounds);
        const Quality q = progressiveQuality(schedule, v);
        EXPECT_EQ(q.repeatedPartnerships, (rounds - fullLength(v)) * (v / 4) * 2);
        EXPECT_EQ(q.mostPartnerships, 2);
        EXPECT_LE(q.mostSitOuts - q.fewestSitOuts, 1);
    }
}

// Two or three sit out each round: sit-outs even, partners new while the rounds allow, opponents
// rarely more than twice.
TEST(SeatingSearch, OtherCountsEightRounds) {
    for (int v = 6; v <= 64; ++v) {
        if (v % 4 < 2)
            continue;
        SCOPED_TRACE(v);
        EXPECT_FALSE(isWhistSeating(v));
        const int rounds = 8;
        const auto schedule = progressiveSchedule(v, rounds, 11);
        expectWellFormed(schedule, v, rounds);
        const Quality q = progressiveQuality(schedule, v);
        EXPECT_LE(q.mostSitOuts - q.fewestSitOuts, 1);
        if (rounds <= fullLength(v)) {
            EXPECT_EQ(q.repeatedPartnerships, 0);
        }
        if (v >= 14) {
            EXPECT_LE(q.mostOpponentMeetings, 2);
        }
        expectTablesRotate(q, v / 4, rounds);
    }
}

TEST(SeatingSearch, PartnersNewUpToHalfTheEntrantsAndEvenBeyond) {
    const std::pair<int, int> cases[] = {{6, 7},   {7, 10},  {10, 11}, {11, 13}, {18, 9},
                                         {22, 11}, {30, 15}, {10, 20}, {7, 30}};
    for (auto [v, rounds] : cases) {
        SCOPED_TRACE(std::to_string(v) + " x " + std::to_string(rounds));
        const auto schedule = progressiveSchedule(v, rounds, 3);
        expectWellFormed(schedule, v, rounds);
        const Quality q = progressiveQuality(schedule, v);
        EXPECT_LE(q.mostSitOuts - q.fewestSitOuts, 1);
        if (rounds <= fullLength(v)) {
            EXPECT_EQ(q.repeatedPartnerships, 0);
        } else {
            // as even as the rounds allow: no pair partners twice more often than it must
            const int partnerships = rounds * (v / 4) * 2;
            const int pairs = v * (v - 1) / 2;
            EXPECT_LE(q.mostPartnerships, (partnerships + pairs - 1) / pairs);
        }
    }
}

TEST(SeatingTeam, RoundRobinCyclesWithRotatingByes) {
    for (int teams = 2; teams <= 40; ++teams) {
        const int cycle = teams % 2 == 0 ? teams - 1 : teams;
        for (int rounds : {1, cycle, cycle + 3, 2 * cycle}) {
            if (rounds > kMaxRounds)
                continue;
            SCOPED_TRACE(std::to_string(teams) + " x " + std::to_string(rounds));
            const auto schedule = teamSchedule(teams, rounds, 9);
            expectWellFormed(schedule, teams, rounds);
            const Quality q = teamQuality(schedule, teams);
            const int cycles = rounds / cycle;
            EXPECT_LE(q.mostOpponentMeetings, cycles + (rounds % cycle ? 1 : 0));
            EXPECT_GE(q.fewestOpponentMeetings, cycles);
            EXPECT_LE(q.mostSitOuts - q.fewestSitOuts, 1);
            if (teams % 2 == 0) {
                EXPECT_EQ(q.mostSitOuts, 0);
            }
            // Four or five teams over three rounds cannot avoid it: whoever moves in round 2, the
            // pairings of round 3 leave one team at its first number throughout.
            if (teams / 2 > 2 || rounds > 3)
                expectTablesRotate(q, teams / 2, rounds);
        }
    }
}

TEST(SeatingQuality, CountsAHandMadeSchedule) {
    // 5 players, two rounds: 1-2 partner twice; 3 sits at table 1 twice.
    ProgressiveSchedule s(2);
    s[0].tables = {{1, {1, 2, 3, 4}}};
    s[0].sittingOut = {5};
    s[1].tables = {{1, {2, 1, 5, 3}}};
    s[1].sittingOut = {4};
    const Quality q = progressiveQuality(s, 5);
    EXPECT_EQ(q.repeatedPartnerships, 1);
    EXPECT_EQ(q.mostPartnerships, 2);
    EXPECT_EQ(q.fewestPartnerships, 0);
    EXPECT_EQ(q.mostOpponentMeetings, 2); // 1-3 and 2-3
    EXPECT_EQ(q.fewestOpponentMeetings, 0);
    EXPECT_EQ(q.opponentExcess, 0);
    EXPECT_EQ(q.fewestSitOuts, 0);
    EXPECT_EQ(q.mostSitOuts, 1);
    EXPECT_EQ(q.tableRepeats, 3); // 1, 2 and 3 at table 1 again
    EXPECT_EQ(q.mostRoundsAtOneTable, 2);

    TeamSchedule t(3);
    t[0].tables = {{1, {1, 2}}};
    t[1].tables = {{1, {2, 1}}};
    t[2].tables = {{1, {1, 3}}};
    const Quality tq = teamQuality(t, 3);
    EXPECT_EQ(tq.mostOpponentMeetings, 2);
    EXPECT_EQ(tq.fewestOpponentMeetings, 0);
    EXPECT_EQ(tq.opponentExcess, 1);
    EXPECT_EQ(tq.mostSitOuts, 2);
    EXPECT_EQ(tq.fewestSitOuts, 0);
    EXPECT_EQ(tq.tableRepeats, 3);
}

} // namespace

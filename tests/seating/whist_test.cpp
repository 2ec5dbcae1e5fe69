// The whist constructions on their own: the initial rounds (algebraic, from the known table and
// from the search) satisfy the difference conditions (which no broken finite field would give), a
// broken one is caught, and the table numbering's assignment is the cheapest.
#include "seating/numbering.h"
#include "seating/random.h"
#include "seating/whist.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

using namespace rh::seating::detail;

namespace {

TEST(WhistStarters, RingConstructionForEveryProductOfPrimePowersOneModFour) {
    // 1 mod 4 and every prime-power factor 1 mod 4; 21, 33, 57, 77 are not of that form
    for (int v : {5,  9,  13, 17,  25,  29,  37,  41,  45,  49,  53,  61,  65,  73,     81,
                  85, 89, 97, 101, 109, 113, 117, 121, 125, 225, 325, 625, 841, 989 - 4}) {
        const auto starter = ringStarter(v);
        ASSERT_TRUE(starter.has_value()) << v;
        EXPECT_TRUE(isWhistStarter(*starter)) << v;
        EXPECT_EQ(starter->entrants(), v);
    }
    for (int v : {8, 21, 33, 57, 77, 93}) {
        EXPECT_FALSE(ringStarter(v).has_value()) << v;
    }
}

TEST(WhistStarters, KnownTableEntriesAreWhistStarters) {
    for (int v : {8, 12, 16, 20, 21, 24, 28, 32, 36, 40, 77}) {
        const auto starter = knownStarter(v);
        ASSERT_TRUE(starter.has_value()) << v;
        EXPECT_EQ(starter->entrants(), v);
    }
    // every v = 0/1 mod 4 up to 32 has one way or another, and so do the larger ones above
    for (int v = 4; v <= 32; ++v) {
        if (v % 4 <= 1) {
            EXPECT_TRUE(whistStarter(v).has_value()) << v;
        }
    }
    for (int v : {36, 37, 40, 41, 45, 77, 85, 117, 125}) {
        EXPECT_TRUE(whistStarter(v).has_value()) << v;
    }
}

TEST(WhistStarters, SearchFindsSmallOnesAndNoCyclicNine) {
    for (int v : {4, 8, 12, 13, 16, 17, 20}) {
        const auto starter = searchStarter(v, 100000);
        ASSERT_TRUE(starter.has_value()) << v;
        EXPECT_TRUE(isWhistStarter(*starter));
    }
    EXPECT_FALSE(searchStarter(9, 20000).has_value());
    EXPECT_FALSE(searchStarter(10, 1000).has_value());
}

TEST(WhistStarters, BrokenStartersAreRejected) {
    auto starter = *ringStarter(13);
    ASSERT_TRUE(isWhistStarter(starter));
    auto swapped = starter;
    std::swap(swapped.tables[0][1], swapped.tables[1][2]);
    EXPECT_FALSE(isWhistStarter(swapped));
    auto twice = starter;
    twice.tables[0][0] = twice.tables[1][0];
    EXPECT_FALSE(isWhistStarter(twice));
    auto infinite = starter;
    infinite.withInfinity = true;
    EXPECT_FALSE(isWhistStarter(infinite));
}

TEST(WhistStarters, DevelopedRoundsPartitionTheEntrants) {
    for (int v : {24, 25}) {
        const auto starter = *whistStarter(v);
        const auto rounds = developWhist(starter);
        ASSERT_EQ(static_cast<int>(rounds.size()), v % 4 == 0 ? v - 1 : v);
        std::vector<int> sitOuts(static_cast<std::size_t>(v), 0);
        for (const auto& round : rounds) {
            std::vector<int> seen(round.sittingOut);
            for (const auto& t : round.tables)
                seen.insert(seen.end(), t.begin(), t.end());
            std::sort(seen.begin(), seen.end());
            std::vector<int> all(static_cast<std::size_t>(v));
            std::iota(all.begin(), all.end(), 0);
            EXPECT_EQ(seen, all);
            for (int e : round.sittingOut)
                ++sitOuts[static_cast<std::size_t>(e)];
        }
        for (int n : sitOuts) {
            EXPECT_EQ(n, v % 4);
        }
    }
}

TEST(TableNumbers, AssignmentIsTheCheapest) {
    Random random(4);
    for (int n = 1; n <= 6; ++n)
        for (int trial = 0; trial < 20; ++trial) {
            std::vector<std::vector<int>> cost(static_cast<std::size_t>(n),
                                               std::vector<int>(static_cast<std::size_t>(n)));
            for (auto& row : cost)
                for (int& c : row)
                    c = random.below(5);
            auto total = [&](const std::vector<int>& columns) {
                int sum = 0;
                for (std::size_t r = 0; r < columns.size(); ++r)
                    sum += cost[r][static_cast<std::size_t>(columns[r])];
                return sum;
            };
            std::vector<int> p(static_cast<std::size_t>(n));
            std::iota(p.begin(), p.end(), 0);
            int best = total(p);
            while (std::next_permutation(p.begin(), p.end()))
                best = std::min(best, total(p));
            const auto found = cheapestAssignment(cost);
            auto sorted = found;
            std::sort(sorted.begin(), sorted.end());
            std::iota(p.begin(), p.end(), 0);
            ASSERT_EQ(sorted, p);
            EXPECT_EQ(total(found), best);
        }
}

} // namespace

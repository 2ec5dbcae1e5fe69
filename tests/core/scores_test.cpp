// The score store, the per-entrant stores and the derived lone rules.
#include "core/errors.h"
#include "scoring/queries.h"
#include "scoring/score.h"

#include <gtest/gtest.h>

using namespace rh;

TEST(Score, SetReplaceAndBlankRemoves) {
    ScoreStore s;
    s.setScore("3", "12", "07");
    EXPECT_EQ(s.Item("0312"), "07");
    s.setScore("03", "12", "09");
    EXPECT_EQ(s.getScore2("3", "12"), "09");
    EXPECT_EQ(s.Count(), 1);
    s.setScore("3", "12", "   ");
    EXPECT_FALSE(s.ExistsKey2("3", "12"));
    EXPECT_EQ(s.getScore2("3", "12"), "");
}

TEST(Score, StoresTheValueUntrimmed) {
    ScoreStore s;
    s.setScore("1", "1", " 7");
    EXPECT_EQ(s.Item("0101"), " 7");
}

TEST(Score, ExistsKeyFormsAgree) {
    ScoreStore s;
    s.setScore("3", "12", "00");
    EXPECT_TRUE(s.ExistsKey3(3, 12));
    EXPECT_TRUE(s.ExistsKey2("03", "12"));
    EXPECT_TRUE(s.ExistsKey1("0312"));
    EXPECT_FALSE(s.ExistsKey3(3, 13));
}

TEST(Score, ItemNeverFailsButRemoveAndAddDo) {
    ScoreStore s;
    EXPECT_EQ(s.Item("9999"), "");
    EXPECT_THROW(s.Remove(std::string_view("9999")), RhError);
    s.Add("01", "0101");
    EXPECT_THROW(s.Add("02", "0101"), RhError);
}

TEST(Score, EmptyingRemovesEveryEntry) {
    ScoreStore s;
    for (int r = 1; r <= 3; ++r)
        for (int id = 1; id <= 5; ++id)
            s.setScore(std::to_string(r), std::to_string(id), "10");
    emptyStore(s);
    EXPECT_EQ(s.Count(), 0);
}

TEST(PerEntrantStores, WriteRule) {
    KeyedCollection bumps;
    writeCount(bumps, bumpKey(12), "3");
    EXPECT_EQ(bumps.Item("1200"), "03");
    writeCount(bumps, bumpKey(12), "");
    EXPECT_FALSE(bumps.Exists("1200"));
    writePaid(bumps, 12, false);
    EXPECT_EQ(bumps.Item("1202"), "0");
    writePaid(bumps, 12, true);
    EXPECT_EQ(bumps.Item("1202"), "1");
    EXPECT_EQ(woodKey(5), "0501");
    EXPECT_EQ(loneKey(5), "05");
}

TEST(Queries, TotalsCountOnlyRoundsSoFar) {
    ScoreStore s;
    s.setScore("1", "7", "10");
    s.setScore("2", "7", "05");
    s.setScore("3", "7", "32"); // a later round is ignored while round 2 is current
    s.setScore("1", "8", "xx"); // damaged: not numeric
    EXPECT_EQ(ScoreTotal(s, 2, 7), 15);
    EXPECT_EQ(ScoreTotal(s, 3, 7), 47);
    EXPECT_EQ(ScoreTotal(s, 2, 8), 0);
    EXPECT_EQ(getMaxLones(s, 2, 8), 0);
}

TEST(Queries, LoneCapacityIsPerRoundButValidityIsOnTheTotal) {
    ScoreStore s;
    KeyedCollection lones;
    s.setScore("1", "4", "03");
    s.setScore("2", "4", "05");
    EXPECT_EQ(getMaxLones(s, 2, 4), 1); // floor(3/4) + floor(5/4)
    writeCount(lones, loneKey(4), "2");
    EXPECT_EQ(LoneCount(lones, 4), 2);
    EXPECT_TRUE(IsValid(s, lones, 2, 4)); // 8 >= 8
    s.setScore("2", "4", "04");
    EXPECT_FALSE(IsValid(s, lones, 2, 4)); // 7 < 8
}

TEST(Queries, NoScoresAndNoLonesIsValid) {
    ScoreStore s;
    KeyedCollection lones;
    EXPECT_EQ(getMaxLones(s, 3, 1), 0);
    EXPECT_TRUE(IsValid(s, lones, 3, 1));
    EXPECT_EQ(LoneCount(lones, 1), 0);
}

// The game detail rows: every entrant's score per round, total and fine counts. The rows of whole
// tournaments are in the golden folders (golden_test).
#include "engine_fixture.h"
#include "services/views.h"
#include "standings/game_detail.h"

#include <gtest/gtest.h>

using namespace rh;
using rh::test::Tourney;

TEST(GameDetail, PlayedRoundsOnlyAndNoneBeforeALoad) {
    Tourney t(4, 99);
    t.round(98);
    int total = 0;
    for (int r = 1; r <= 99; ++r) {
        t.score(r, 3, r % 10);
        total += r < 99 ? r % 10 : 0; // round 99 is not played yet
    }
    t.score(98, 2, 0);
    auto rows = gameDetailRows(t.session());
    ASSERT_EQ(rows.size(), 4u);
    const std::vector<std::string>& c = rows[2].cells; // "Entrant 03"
    ASSERT_EQ(c.size(), 99u + 6u);
    EXPECT_EQ(c[98], " 8");
    EXPECT_EQ(c[99], "");
    EXPECT_EQ(c[100], "  " + std::to_string(total));
    EXPECT_EQ(rows[1].cells[98], " 0"); // a zero is shown, a missing score is blank
    EXPECT_EQ(rows[0].cells[98], "");

    ScriptedPrompt prompt;
    EXPECT_TRUE(gameDetailRows(Session(prompt)).empty());
}

TEST(GameDetail, ColumnsForEveryRound) {
    auto cols = gameDetailColumns(true, 99);
    ASSERT_EQ(cols.size(), 105u);
    EXPECT_EQ(cols[0].heading, "Player Name");
    EXPECT_EQ(cols[1].heading, "01");
    EXPECT_EQ(cols[99].heading, "99");
    EXPECT_EQ(cols[100].heading, "Total");
    EXPECT_EQ(cols[103].heading, "Wood");
    EXPECT_EQ(cols[104].heading, "");
    EXPECT_EQ(cols[104].widthTwips, 3000);
    EXPECT_EQ(gameDetailColumns(false, 1)[0].heading, "Team Name");
}

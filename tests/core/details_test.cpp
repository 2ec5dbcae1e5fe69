// The game detail rows: every entrant's score per round, total and fine counts.
#include "engine_fixture.h"
#include "services/views.h"
#include "standings/game_detail.h"

#include <gtest/gtest.h>

using namespace rh;
using rh::test::Tourney;

using Cells = std::vector<std::string>;

TEST(GameDetail, EmptyBeforeATournamentIsLoaded) {
    Tourney t(4);
    t.session.markEmpty();
    EXPECT_TRUE(gameDetailRows(t.session).empty());
}

TEST(GameDetail, PlayedRoundsScoresUnplayedRoundsBlank) {
    Tourney t(4, 4, true, {"Dan", "Bea", "Cal", "Abe"});
    t.tourney().setCurrentRound(2);
    t.score(1, 1, 7);
    t.score(2, 1, 12);
    t.score(3, 1, 30); // round 3 is not played yet
    t.score(1, 2, 0);
    t.lones(1, 2);
    t.bumps(1, 1);
    t.woods(1, 3);
    t.state().aliases.Add("D", "01");
    auto rows = gameDetailRows(t.session);
    ASSERT_EQ(rows.size(), 4u);
    // Name order, as the entrant list holds them.
    EXPECT_EQ(rows[0].cells.front(), "Abe");
    EXPECT_EQ(rows[3].cells,
              (Cells{"Dan", " 7", " 12", "", "", "  19", "  2", "  1", "  3", "Dan"}));
    EXPECT_EQ(rows[3].tag, "01");
    EXPECT_EQ(rows[3].toolTip, "D");
    // Bea has no score in round 2 yet: blank, not 0.
    EXPECT_EQ(rows[1].cells, (Cells{"Bea", " 0", "", "", "", "  0", "  0", "  0", "  0", "Bea"}));
}

TEST(GameDetail, ColumnsForEveryRound) {
    auto cols = gameDetailColumns(true, 4);
    ASSERT_EQ(cols.size(), 10u);
    EXPECT_EQ(cols[0].heading, "Player Name");
    EXPECT_EQ(cols[1].heading, "01");
    EXPECT_EQ(cols[4].heading, "04");
    EXPECT_EQ(cols[5].heading, "Total");
    EXPECT_EQ(cols[8].heading, "Wood");
    EXPECT_EQ(cols[9].heading, "");
    EXPECT_EQ(cols[9].widthTwips, 3000);
    EXPECT_EQ(gameDetailColumns(false, 1)[0].heading, "Team Name");
}

TEST(GameDetail, NinetyNineRounds) {
    Tourney t(4, 99);
    t.tourney().setCurrentRound(99);
    int total = 0;
    for (int r = 1; r <= 99; ++r) {
        t.score(r, 3, r % 10);
        total += r % 10;
    }
    auto rows = gameDetailRows(t.session);
    ASSERT_EQ(rows.size(), 4u);
    const Cells& c = rows[2].cells; // "Entrant 03"
    ASSERT_EQ(c.size(), 99u + 6u);
    EXPECT_EQ(c[99], " 9");
    EXPECT_EQ(c[100], "  " + std::to_string(total));
    EXPECT_EQ(gameDetailColumns(true, 99)[99].heading, "99");
}

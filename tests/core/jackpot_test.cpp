// The lone jackpot: its winners, the lone grid rows and the texts around them. The amounts and
// summaries of whole tournaments are in the golden folders (golden_test).
#include "engine_fixture.h"
#include "money/jackpot.h"
#include "services/views.h"

#include <gtest/gtest.h>

using namespace rh;
using rh::test::Tourney;
using Texts = std::vector<std::string>;

TEST(Jackpot, TheMostLonesWinAndTiesShare) {
    struct Case {
        int entrants;
        double bumpFee, woodFee;
        int fined, bumps, woods;
        std::vector<std::pair<int, int>> lones;
        Texts tags, payouts; // of the first rows
        Rgb leaderColour;
    } cases[] = {
        {8,
         0,
         1,
         5,
         0,
         10,
         {{2, 4}, {7, 4}, {1, 3}},
         {"02", "07", "01", "03"},
         {"$5.00", "$5.00", "", ""},
         {0, 153, 51}},
        {5, 0.25, 0, 3, 50, 0, {{4, 5}, {1, 2}}, {"04", "01"}, {"$12.50", ""}, {0, 153, 51}},
        {3, 0, 0, 1, 0, 0, {{2, 1}}, {"02"}, {"$0.00"}, kBlack}, // nothing to win
        {3, 0, 1, 1, 0, 10, {}, {"01", "02", "03"}, Texts(3, "$3.33"), {0, 153, 51}},
        {1, 0, 3, 1, 0, 1, {}, {"01"}, {"$3.00"}, {0, 153, 51}},
    };
    for (const Case& c : cases) {
        Tourney t(c.entrants);
        t.fees(c.bumpFee, c.woodFee).bumps(c.fined, c.bumps).woods(c.fined, c.woods);
        for (auto [id, n] : c.lones)
            t.lones(id, n);
        auto rows = loneRows(t.session());
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(c.entrants));
        for (std::size_t i = 0; i < c.tags.size(); ++i) {
            EXPECT_EQ(rows[i].tag, c.tags[i]) << c.entrants << " " << i;
            EXPECT_EQ(rows[i].payout, c.payouts[i]) << c.entrants << " " << i;
        }
        EXPECT_EQ(rows[0].color, c.leaderColour) << c.entrants;
    }
    Tourney t(8);
    t.woods(5, 10).lones(2, 4);
    auto rows = loneRows(t.session());
    EXPECT_EQ(rows[0].lones, "4");
    EXPECT_EQ(rows[0].name, "Entrant 02");
    EXPECT_EQ(rows[1].color, kBlack);
    EXPECT_EQ(rows[7].lones, "0");
}

TEST(Jackpot, ManyEntrantsAllGetARowAndTiedWinnersAShare) {
    Tourney t(120);
    t.fees(0, 1).woods(1, 100);
    for (int id = 1; id <= 50; ++id)
        t.lones(id * 2, 7);
    auto rows = loneRows(t.session());
    ASSERT_EQ(rows.size(), 120u);
    EXPECT_EQ(rows[49].payout, "$2.00");
    EXPECT_EQ(rows[49].tag, "100");
    EXPECT_EQ(rows[50].payout, "");
}

TEST(Jackpot, NoRowsBeforeTheViewsAreFilledAndAnErrorIsReported) {
    Tourney t(3);
    t.session().markRead();
    EXPECT_TRUE(loneRows(t.session()).empty());
    t.session().markViewsFilled();
    t.session().state().entrantRecord(entrantAt(2)).lones = 40000; // beyond sixteen bits
    EXPECT_TRUE(loneRows(t.session()).empty());
    EXPECT_EQ(t.prompt.countTitled("AddToLoneGrid"), 1);
}

TEST(JackpotTexts, TitleHeadingExplanationAndColumns) {
    TournamentSettings t;
    EXPECT_EQ(jackpotWinnerHeading(t), "Bump Jackpot - Winner");
    EXPECT_EQ(jackpotResultsCaption(t), "Bump Jackpot:");
    t.setJackpotTitle("Wood Pot");
    EXPECT_EQ(jackpotExplanation(t),
              "The person(s) with the most lones wins the Bump / Woodpecker money otherwise "
              "known as the Wood Pot.  If there is a tie - it can be settled with a hand of "
              "showdown poker or it can be evenly split.");
    t.setJackpotTitle("   ");
    EXPECT_EQ(jackpotWinnerHeading(t), "Bump Jackpot - Winner");
    auto c = loneColumns(false);
    ASSERT_EQ(c.size(), 3u);
    EXPECT_EQ((Texts{c[0].heading, c[1].heading, c[2].heading}),
              (Texts{"Team Name", "Pay Out", "Lone"}));
}

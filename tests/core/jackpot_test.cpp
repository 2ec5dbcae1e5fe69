// The lone jackpot: its amount, its winners, the lone grid rows and the summary texts.
#include "engine_fixture.h"
#include "money/jackpot.h"
#include "services/views.h"

#include <gtest/gtest.h>

using namespace rh;
using rh::test::Tourney;

namespace {

std::vector<std::string> payoutsOf(const std::vector<LoneRow>& rows) {
    std::vector<std::string> out;
    for (const LoneRow& r : rows)
        out.push_back(r.payout);
    return out;
}

} // namespace

TEST(Jackpot, AllFinesOfAllEntrantsPaidOrNot) {
    Tourney t(6);
    t.tourney().setBumpFee(0.25);
    t.tourney().setWoodFee(0.50);
    t.bumps(1, 3);
    t.bumps(4, 1);
    t.woods(2, 2);
    t.paid(1, true);
    EXPECT_DOUBLE_EQ(JackpotAmount(t.state()), 2.0);
    EXPECT_EQ(formatMoney(JackpotAmount(t.state()), t.session.currency(), kMoney2), "$2.00");
    // Entrants beyond TotalPlort and counts that are no number add nothing.
    writeCount(t.state().fines, bumpKey(7), "4");
    t.state().fines.replace(woodKey(3), "many");
    EXPECT_DOUBLE_EQ(JackpotAmount(t.state()), 2.0);
}

TEST(Jackpot, TiedLeadersShareIt) {
    Tourney t(8);
    t.tourney().setWoodFee(1.0);
    t.woods(5, 10); // $10.00
    t.lones(2, 4);
    t.lones(7, 4);
    t.lones(1, 3);
    auto rows = loneRows(t.session);
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(rows[0].tag, "02");
    EXPECT_EQ(rows[1].tag, "07");
    EXPECT_EQ(rows[2].tag, "01");
    EXPECT_EQ(payoutsOf(rows),
              (std::vector<std::string>{"$5.00", "$5.00", "", "", "", "", "", ""}));
    EXPECT_EQ(rows[0].color, (Rgb{0, 153, 51}));
    EXPECT_EQ(rows[1].color, (Rgb{0, 153, 51}));
    EXPECT_EQ(rows[2].color, kBlack);
    EXPECT_EQ(rows[0].lones, "4");
    EXPECT_EQ(rows[7].lones, "0");
    EXPECT_EQ(rows[0].name, "Entrant 02");
}

TEST(Jackpot, ASingleLeaderTakesItAll) {
    Tourney t(5);
    t.tourney().setBumpFee(0.25);
    t.bumps(3, 50); // $12.50
    t.lones(4, 5);
    t.lones(1, 2);
    auto rows = loneRows(t.session);
    EXPECT_EQ(payoutsOf(rows), (std::vector<std::string>{"$12.50", "", "", "", ""}));
    EXPECT_EQ(rows[0].tag, "04");
}

TEST(Jackpot, AnEmptyJackpotLeavesTheLeaderBlack) {
    Tourney t(3);
    t.lones(2, 1);
    auto rows = loneRows(t.session);
    EXPECT_EQ(rows[0].payout, "$0.00");
    EXPECT_EQ(rows[0].color, kBlack);
}

TEST(Jackpot, WithoutLonesEveryoneShares) {
    Tourney t(3);
    t.tourney().setWoodFee(1.0);
    t.woods(1, 10);
    auto rows = loneRows(t.session);
    EXPECT_EQ(payoutsOf(rows), (std::vector<std::string>(3, "$3.33")));
}

TEST(Jackpot, ALoneEntrantTakesTheWholeJackpot) {
    Tourney t(1);
    t.tourney().setWoodFee(3.0);
    t.woods(1, 1);
    auto rows = loneRows(t.session);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].payout, "$3.00");
}

TEST(Jackpot, ManyEntrantsAllGetARowAndTiedWinnersAShare) {
    Tourney t(120);
    t.tourney().setWoodFee(1.0);
    t.woods(1, 100);
    for (int id = 1; id <= 50; ++id)
        t.lones(id * 2, 7);
    auto rows = loneRows(t.session);
    ASSERT_EQ(rows.size(), 120u);
    EXPECT_EQ(rows[49].payout, "$2.00");
    EXPECT_EQ(rows[49].tag, "100");
    EXPECT_EQ(rows[50].payout, "");
}

TEST(Jackpot, NoRowsBeforeTheViewsAreFilled) {
    Tourney t(4);
    t.session.markRead();
    EXPECT_TRUE(loneRows(t.session).empty());
}

TEST(Jackpot, ACountBeyondSixteenBitsIsReported) {
    Tourney t(3);
    t.state().lones.replace("02", "40000");
    EXPECT_TRUE(loneRows(t.session).empty());
    EXPECT_EQ(t.prompt.countTitled("AddToLoneGrid"), 1);
}

TEST(JackpotSummary, CountsAndMoneyWithoutALeadingZero) {
    Tourney t(4);
    t.tourney().setBumpFee(0.25);
    t.tourney().setWoodFee(0.10);
    t.bumps(1, 2);
    t.bumps(2, 1);
    t.woods(3, 4);
    FineSummary b = bumpSummary(t.session);
    EXPECT_EQ(b.count, "   03");
    EXPECT_EQ(b.money, "$.75");
    EXPECT_EQ(b.jackpot, "$1.15");
    FineSummary w = woodSummary(t.session);
    EXPECT_EQ(w.count, "   04");
    EXPECT_EQ(w.money, "$.40");
    EXPECT_EQ(w.jackpot, "$1.15");

    Tourney none(2);
    EXPECT_EQ(bumpSummary(none.session).count, "   00");
    EXPECT_EQ(bumpSummary(none.session).money, "$.00");
}

TEST(JackpotTexts, TitleHeadingAndExplanation) {
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
}

TEST(JackpotLayout, Columns) {
    auto c = loneColumns(false);
    ASSERT_EQ(c.size(), 3u);
    EXPECT_EQ(c[0].heading, "Team Name");
    EXPECT_EQ(c[1].heading, "Pay Out");
    EXPECT_EQ(c[2].heading, "Lone");
}

// The results tab's winners and debt rows, and the paid mark a debt row writes.
#include "engine_fixture.h"
#include "services/views.h"
#include "standings/leader_rows.h"
#include "standings/results.h"

#include <gtest/gtest.h>

using namespace rh;
using rh::test::Tourney;

TEST(Winners, PlacesPayoutsAndColours) {
    Tourney t(4);
    t.net(25); // $100.00
    t.totals({30, 25, 20, 30});
    t.lones(4, 2);
    t.state().aliases.Add("Dee", "04");
    auto rows = winnerRows(t.session);
    ASSERT_EQ(rows.size(), 4u);
    std::vector<std::string> places, payouts, tags;
    for (const WinnerRow& r : rows) {
        places.push_back(r.place);
        payouts.push_back(r.payout);
        tags.push_back(r.tag);
    }
    EXPECT_EQ(places, (std::vector<std::string>{"01", "01", "02", "03"}));
    EXPECT_EQ(payouts, (std::vector<std::string>{"$40.00", "$40.00", "$20.00", " "}));
    EXPECT_EQ(tags, (std::vector<std::string>{"01", "04", "02", "03"}));
    EXPECT_EQ(rows[0].color, (Rgb{0, 153, 51}));
    EXPECT_EQ(rows[2].color, (Rgb{0, 153, 51}));
    EXPECT_EQ(rows[3].color, kBlack);
    EXPECT_EQ(rows[1].name, "Entrant 04");
    EXPECT_EQ(rows[1].score, "30");
    EXPECT_EQ(rows[1].lones, "2");
    EXPECT_EQ(rows[1].toolTip, "Dee");
    EXPECT_EQ(rows[3].lones, "0");
}

TEST(Winners, ATopTotalOfZeroIsPlaceZeroAndAZeroPayoutIsBlack) {
    Tourney t(3);
    t.net(0);
    auto rows = winnerRows(t.session);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].place, "00");
    EXPECT_EQ(rows[0].payout, "$0.00");
    EXPECT_EQ(rows[0].color, kBlack);
}

TEST(Winners, DisabledPayoutsShowTheStoredTexts) {
    Tourney t(4);
    t.net(25);
    t.totals({30, 25, 20, 10});
    winnerRows(t.session);
    t.session.payout.setPayoutsEnabled(false);
    t.totals({1, 2, 3, 4});
    auto rows = winnerRows(t.session);
    EXPECT_EQ(rows[0].tag, "04");
    EXPECT_EQ(rows[0].payout, "$50.00");
    EXPECT_EQ(rows[3].payout, " ");
}

TEST(Winners, AnErrorStopsQuietly) {
    Tourney t(3);
    t.score(1, 1, "99999");
    EXPECT_TRUE(winnerRows(t.session).empty());
    EXPECT_TRUE(t.prompt.shown.empty());
}

TEST(Winners, MoreThanFortyThreeRowsAllGetTheirPlace) {
    Tourney t(60);
    t.net(10);
    for (int id = 1; id <= 60; ++id)
        t.score(1, id, id % 33);
    auto rows = winnerRows(t.session);
    ASSERT_EQ(rows.size(), 60u);
    EXPECT_EQ(rows.back().score, "0");
}

TEST(BumpDebts, OnlyEntrantsWithFinesInNameOrder) {
    Tourney t(5, 3, true, {"Zed", "Amy", "Moe", "Bob", "Cy"});
    t.tourney().setBumpFee(0.25);
    t.tourney().setWoodFee(0.50);
    t.bumps(1, 2); // Zed
    t.woods(3, 1); // Moe
    t.bumps(2, 1); // Amy
    t.woods(2, 2);
    t.paid(4, true);                          // Bob: paid, but owes nothing
    t.state().fines.replace(bumpKey(5), "x"); // Cy: not a number
    auto rows = debtorRows(t.session);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].name, "Amy");
    EXPECT_EQ(rows[1].name, "Moe");
    EXPECT_EQ(rows[2].name, "Zed");
    EXPECT_EQ(rows[0].payIn, "$1.25");
    EXPECT_EQ(rows[0].bumps, "1");
    EXPECT_EQ(rows[0].woods, "2");
    EXPECT_EQ(rows[2].payIn, "$0.50");
    EXPECT_EQ(rows[2].woods, "0");
    EXPECT_FALSE(rows[2].paid);
    EXPECT_EQ(rows[2].color, (Rgb{255, 0, 0}));
    EXPECT_EQ(rows[2].tag, "01");
}

TEST(BumpDebts, TickingARowRecordsThePaymentAndMarksTheStandingsStale) {
    Tourney t(4);
    t.tourney().setBumpFee(0.25);
    t.bumps(3, 2);
    t.session.refresh().takeLeaderRefresh();
    EXPECT_EQ(setFinesPaid(t.session, "03", true), (Rgb{0, 153, 51}));
    EXPECT_EQ(t.state().fines.value("0302"), "1");
    EXPECT_TRUE(t.session.refresh().leaderRefreshRequested());
    auto rows = debtorRows(t.session);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_TRUE(rows[0].paid);
    EXPECT_EQ(rows[0].color, (Rgb{0, 153, 51}));
    auto leaders = leaderGridRows(t.session);
    for (const LeaderRow& r : leaders) {
        if (r.tag == "03") {
            EXPECT_EQ(r.entry[kLeaderPaid], "Y");
        }
    }

    EXPECT_EQ(setFinesPaid(t.session, "03", false), (Rgb{255, 0, 0}));
    EXPECT_EQ(t.state().fines.value("0302"), "0");
    EXPECT_EQ(t.state().fines.Count(), 2u);

    t.session.refresh().takeLeaderRefresh();
    setFinesPaid(t.session, "00", true);
    EXPECT_FALSE(t.session.refresh().leaderRefreshRequested());
    EXPECT_FALSE(t.state().fines.Exists("0002"));
}

TEST(ResultsLayout, WordsFollowTheTournamentKind) {
    EXPECT_EQ(bumpFrameCaption(true), "Players who owe bump money");
    EXPECT_EQ(bumpFrameCaption(false), "Teams who owe bump money");
    EXPECT_EQ(winnerColumns(false)[0].heading, "Team Name");
    EXPECT_EQ(bumpColumns(false)[1].heading, "Team Name");
    EXPECT_EQ(winnerColumns(true)[3].heading, "Pay Out");
    EXPECT_EQ(bumpColumns(true)[2].heading, "Pay In");
}

// The results tab's winners and debt rows, and the paid mark a debt row writes. The rows of whole
// tournaments are in the golden folders (golden_test).
#include "engine_fixture.h"
#include "persistence/tournament_writer.h"
#include "services/views.h"
#include "standings/leader_rows.h"
#include "standings/results.h"

#include <gtest/gtest.h>

using namespace rh;
using rh::test::Tourney;
using Texts = std::vector<std::string>;

TEST(Winners, DisabledPayoutsShowTheStoredTextsAndErrorsStopQuietly) {
    Tourney t(4);
    t.net(25).totals({30, 25, 20, 10});
    winnerRows(t.session());
    t.session().payout().setPayoutsEnabled(false);
    // Beyond what entry allows, as a file may hold it: 03 and partner 4.
    for (int id : {3, 4})
        t.session().state().setScore(roundAt(1), entrantAt(id), 40);
    auto rows = winnerRows(t.session());
    EXPECT_EQ(rows[0].tag, "03");
    EXPECT_EQ(rows[0].payout, "$50.00");
    EXPECT_EQ(rows[3].payout, " ");

    t.session().state().setScore(roundAt(1), entrantAt(1), 99999);
    t.prompt.clear();
    EXPECT_TRUE(winnerRows(t.session()).empty());
    EXPECT_TRUE(t.prompt.shown.empty());
}

TEST(Winners, MoreThanFortyThreeRowsAllGetTheirPlace) {
    Tourney t(60);
    t.net(10);
    for (int id = 1; id <= 60; ++id)
        t.score(1, id, id % 33);
    auto rows = winnerRows(t.session());
    ASSERT_EQ(rows.size(), 60u);
    EXPECT_EQ(rows.back().score, "0");
}

TEST(BumpDebts, TickingARowRecordsThePaymentAndMarksTheStandingsStale) {
    Tourney t(4);
    t.fees(0.25, 0).bumps(3, 2);
    Session& s = t.session();
    s.refresh().takeLeaderRefresh();
    EXPECT_EQ(setFinesPaid(s, "03", true), (Rgb{0, 153, 51}));
    EXPECT_TRUE(s.refresh().leaderRefreshRequested());
    auto rows = debtorRows(s);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_TRUE(rows[0].paid);
    EXPECT_EQ(rows[0].color, (Rgb{0, 153, 51}));
    for (const LeaderRow& r : leaderGridRows(s))
        EXPECT_EQ(r.entry[kLeaderPaid], r.tag == "03" ? "Y" : "N");

    EXPECT_EQ(setFinesPaid(s, "03", false), (Rgb{255, 0, 0}));
    EXPECT_FALSE(debtorRows(s)[0].paid);
    s.refresh().takeLeaderRefresh();
    const std::string before = buildTournamentXml(s.state());
    setFinesPaid(s, "00", true); // a row tagged "00" changes nothing
    EXPECT_FALSE(s.refresh().leaderRefreshRequested());
    EXPECT_EQ(buildTournamentXml(s.state()), before);
}

TEST(ResultsLayout, WordsFollowTheTournamentKind) {
    EXPECT_EQ(bumpFrameCaption(true), "Players who owe bump money");
    EXPECT_EQ(bumpFrameCaption(false), "Teams who owe bump money");
    EXPECT_EQ(winnerColumns(false)[0].heading, "Team Name");
    EXPECT_EQ(bumpColumns(false)[1].heading, "Team Name");
    EXPECT_EQ(winnerColumns(true)[3].heading, "Pay Out");
    EXPECT_EQ(bumpColumns(true)[2].heading, "Pay In");
}

// The leader entries and the standings grid rows built from them.
#include "engine_fixture.h"
#include "services/views.h"
#include "standings/leader_rows.h"
#include "standings/leaders.h"

#include <gtest/gtest.h>

using namespace rh;
using rh::test::Tourney;

namespace {

std::vector<std::string> column(const std::vector<LeaderEntry>& entries, LeaderField f) {
    std::vector<std::string> out;
    for (const LeaderEntry& e : entries)
        out.push_back(e[f]);
    return out;
}

const LeaderEntry& entryOf(const std::vector<LeaderEntry>& entries, const std::string& id) {
    for (const LeaderEntry& e : entries)
        if (e[kLeaderId] == id)
            return e;
    throw std::runtime_error("no entry " + id);
}

using Texts = std::vector<std::string>;

} // namespace

TEST(LeaderEntries, RowsPlacesAndPayoutsOfATiedField) {
    Tourney t(4);
    t.net(25); // $100.00
    t.totals({30, 25, 20, 30});
    auto entries = leaderEntries(t.session);
    EXPECT_EQ(column(entries, kLeaderId), (Texts{"01", "04", "02", "03"}));
    EXPECT_EQ(column(entries, kLeaderPlace), (Texts{"1", "1", "2", "3"}));
    EXPECT_EQ(column(entries, kLeaderPayout), (Texts{"$40.00", "$40.00", "$20.00", "$0.00"}));
    EXPECT_EQ(column(entries, kLeaderInMoney), (Texts{"Y", "Y", "Y", "N"}));
    EXPECT_EQ(column(entries, kLeaderScore), (Texts{"30", "30", "25", "20"}));
    EXPECT_EQ(column(entries, kLeaderName),
              (Texts{"Entrant 01", "Entrant 04", "Entrant 02", "Entrant 03"}));
}

TEST(LeaderEntries, BeforeAnyScoreEveryPlaceIsZero) {
    Tourney t(8);
    t.net(10);
    auto entries = leaderEntries(t.session);
    ASSERT_EQ(entries.size(), 8u);
    EXPECT_EQ(column(entries, kLeaderPlace), Texts(8, "0"));
    EXPECT_EQ(column(entries, kLeaderScore), Texts(8, "00"));
    EXPECT_EQ(column(entries, kLeaderAverage), Texts(8, "0.0"));
    // Everyone is seated in round 1 and waiting for a score.
    EXPECT_EQ(entries[0][kLeaderName], "* Entrant 01");
}

TEST(LeaderEntries, AveragesCountOnlyAMissingCurrentRoundAsNotPlayed) {
    Tourney t(8, 3);
    t.tourney().setCurrentRound(3);
    t.score(1, 1, 12);
    t.score(2, 1, 13); // ID 1: rounds 1 and 2, total 25, round 3 outstanding
    t.score(1, 2, 10);
    t.score(3, 2, 14); // ID 2: rounds 1 and 3, total 24
    t.score(1, 3, 5);
    t.score(2, 3, 5);
    t.score(3, 3, 5);
    auto entries = leaderEntries(t.session);
    EXPECT_EQ(entryOf(entries, "01")[kLeaderAverage], "12.5");
    EXPECT_EQ(entryOf(entries, "01")[kLeaderName], "* Entrant 01");
    EXPECT_EQ(entryOf(entries, "02")[kLeaderAverage], "8.0");
    EXPECT_EQ(entryOf(entries, "02")[kLeaderName], "Entrant 02");
    EXPECT_EQ(entryOf(entries, "03")[kLeaderAverage], "5.0");
    EXPECT_EQ(entryOf(entries, "04")[kLeaderAverage], "0.0");
}

TEST(LeaderEntries, NoPendingMarkForAnEntrantSittingOut) {
    Tourney t(6, 2); // IDs 5 and 6 have no table of four
    t.tourney().setCurrentRound(1);
    auto entries = leaderEntries(t.session);
    EXPECT_EQ(entryOf(entries, "04")[kLeaderName], "* Entrant 04");
    EXPECT_EQ(entryOf(entries, "05")[kLeaderName], "Entrant 05");
    EXPECT_EQ(entryOf(entries, "06")[kLeaderName], "Entrant 06");
}

TEST(LeaderEntries, TeamTournamentsLookUpTheTeamSeating) {
    Tourney t(5, 2, false); // team 5 has no opponent
    t.score(1, 1, 9);
    auto entries = leaderEntries(t.session);
    EXPECT_EQ(entryOf(entries, "01")[kLeaderName], "Entrant 01");
    EXPECT_EQ(entryOf(entries, "02")[kLeaderName], "* Entrant 02");
    EXPECT_EQ(entryOf(entries, "05")[kLeaderName], "Entrant 05");
}

TEST(LeaderEntries, FinesAndTheirPayment) {
    Tourney t(4);
    t.tourney().setBumpFee(0.25);
    t.tourney().setWoodFee(0.50);
    t.bumps(1, 2);
    t.woods(1, 1);
    t.lones(1, 3);
    t.woods(2, 1);
    t.paid(3, true); // paid without owing anything
    auto entries = leaderEntries(t.session);
    const LeaderEntry& one = entryOf(entries, "01");
    EXPECT_EQ(one[kLeaderTotalDue], "$1.00");
    EXPECT_EQ(one[kLeaderBumps], "2");
    EXPECT_EQ(one[kLeaderWoods], "1");
    EXPECT_EQ(one[kLeaderLones], "3");
    EXPECT_EQ(one[kLeaderOwes], "True");
    EXPECT_EQ(one[kLeaderPaid], "N");
    EXPECT_EQ(entryOf(entries, "03")[kLeaderOwes], "False");
    EXPECT_EQ(entryOf(entries, "03")[kLeaderPaid], "Y");
    EXPECT_EQ(entryOf(entries, "04")[kLeaderTotalDue], "$0.00");
    EXPECT_EQ(entryOf(entries, "04")[kLeaderBumps], "0");

    LeaderRow unpaid = AddToLeaderGrid(t.state(), one);
    EXPECT_EQ(unpaid.paymentColor, (Rgb{255, 0, 0}));
    t.paid(1, true);
    entries = leaderEntries(t.session);
    LeaderRow paid = AddToLeaderGrid(t.state(), entryOf(entries, "01"));
    EXPECT_EQ(paid.paymentColor, (Rgb{0, 128, 0}));
    for (std::size_t c : {kColPaid, kColTotalDue, kColBumps, kColWoods})
        EXPECT_EQ(paid.colors[c], (Rgb{0, 128, 0})) << c;
    LeaderRow noFines = AddToLeaderGrid(t.state(), entryOf(entries, "03"));
    EXPECT_EQ(noFines.paymentColor, kBlack);
}

TEST(LeaderEntries, APaidMarkCountsOnlyWhenItIsOne) {
    Tourney t(3);
    t.bumps(1, 1);
    t.state().fines.replace(paidKey(1), "2");
    t.bumps(2, 1);
    t.state().fines.replace(paidKey(2), "01");
    auto entries = leaderEntries(t.session);
    EXPECT_EQ(entryOf(entries, "01")[kLeaderPaid], "N");
    EXPECT_EQ(entryOf(entries, "02")[kLeaderPaid], "Y");
}

TEST(LeaderEntries, DisabledPayoutsShowNobodyInTheMoney) {
    Tourney t(4);
    t.net(25);
    t.totals({30, 25, 20, 10});
    t.session.payout.setPayoutsEnabled(false);
    auto rows = leaderGridRows(t.session);
    ASSERT_EQ(rows.size(), 4u);
    for (const LeaderRow& r : rows) {
        EXPECT_EQ(r.entry[kLeaderPayout], "$0.00");
        EXPECT_EQ(r.entry[kLeaderInMoney], "N");
        EXPECT_EQ(r.standingColor, kBlack);
    }
}

TEST(LeaderEntries, RowsPastThePaidRowsShowZeroInTheSessionsCurrency) {
    Tourney t(5);
    CurrencyFormat pounds = t.session.currency();
    pounds.symbol = "£";
    t.session.setCurrency(pounds);
    t.net(20);
    t.totals({5, 4, 3, 2, 1});
    auto entries = leaderEntries(t.session);
    EXPECT_EQ(entries[0][kLeaderPayout], "£50.00");
    EXPECT_EQ(entries[4][kLeaderPayout], "£0.00");
}

TEST(LeaderEntries, MissingNameIsEmpty) {
    Tourney t(2);
    t.state().names.Remove("02");
    t.score(1, 1, 3);
    t.score(1, 2, 2);
    auto entries = leaderEntries(t.session);
    EXPECT_EQ(entries[1][kLeaderName], "");
}

TEST(LeaderGrid, CellsColoursTagAndToolTip) {
    Tourney t(4);
    t.net(25);
    t.totals({7, 30, 25, 20});
    t.state().aliases.Add("Ace", "02");
    auto rows = leaderGridRows(t.session);
    ASSERT_EQ(rows.size(), 4u);
    const LeaderRow& top = rows[0];
    EXPECT_EQ(top.tag, "02");
    EXPECT_EQ(top.toolTip, "Ace");
    EXPECT_EQ(top.cells, (std::array<std::string, 12>{"Entrant 02", "1", "$50.00", "30", "30.0",
                                                      "0", "N", "$0.00", "0", "0", "Y", "False"}));
    EXPECT_EQ(top.standingColor, (Rgb{0, 128, 0}));
    for (std::size_t c :
         {kColName, kColPlace, kColPayout, kColScore, kColAvg, kColLone, kColColorize})
        EXPECT_EQ(top.colors[c], (Rgb{0, 128, 0})) << c;
    EXPECT_FALSE(top.colors[kColOweMoney].has_value());
    const LeaderRow& last = rows[3];
    EXPECT_EQ(last.tag, "01");
    EXPECT_EQ(last.cells[kColScore], "7"); // a number column shows no leading zero
    EXPECT_EQ(last.entry[kLeaderScore], "07");
    EXPECT_EQ(last.colors[kColName], kBlack);
    EXPECT_EQ(last.toolTip, "");
}

TEST(LeaderGrid, PendingMarkIsTrimmedOnlyInTheGrid) {
    Tourney t(4);
    t.state().names.Remove("01");
    t.state().names.Add("  Padded ", "01");
    auto rows = leaderGridRows(t.session);
    EXPECT_EQ(rows[0].entry[kLeaderName], "*   Padded ");
    EXPECT_EQ(rows[0].cells[kColName], "*   Padded");
}

TEST(LeaderGrid, ColumnsFollowTheTournamentKind) {
    auto p = leaderColumns(true);
    ASSERT_EQ(p.size(), 12u);
    EXPECT_EQ(p[0].heading, "Player Name");
    EXPECT_EQ(leaderColumns(false)[0].heading, "Team Name");
    EXPECT_EQ(p[3].heading, "Score");
    EXPECT_EQ(p[3].sortTag, "NUMBER");
    EXPECT_EQ(p[10].widthTwips, 0);
    EXPECT_EQ(p[11].heading, "Owe Money");
}

TEST(LeaderGrid, AnErrorIsReportedAndLeavesNoRows) {
    Tourney t(3);
    t.score(1, 2, "40000"); // a damaged file: beyond any 16-bit total
    auto rows = leaderGridRows(t.session);
    EXPECT_TRUE(rows.empty());
    auto messages = t.prompt.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "error in UpdateLeaderGridMain");
    EXPECT_EQ(messages[0].title, "");
    EXPECT_EQ(messages[0].buttons, MsgButtons::Ok);
}

TEST(LeaderEntries, BuildEntryReportsABadRecordAndGoesOn) {
    Tourney t(2);
    LeaderEntry entry;
    LeaderCounters counters;
    std::vector<RhError> errors;
    EXPECT_FALSE(buildLeaderEntry(t.session.state(), t.session.currency(), "x~01", entry, 0,
                                  counters, {}, errors));
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_TRUE(buildLeaderEntry(t.session.state(), t.session.currency(), "5~02", entry, 0,
                                 counters, {}, errors));
    EXPECT_EQ(entry[kLeaderPlace], "1");
    EXPECT_EQ(counters.row, 2);
}

// The leader entries and the standings grid rows built from them.
#include "engine_fixture.h"
#include "services/views.h"
#include "standings/leader_rows.h"
#include "standings/leaders.h"

#include <gtest/gtest.h>

using namespace rh;
using rh::test::Tourney;
using Texts = std::vector<std::string>;

namespace {

Texts column(const std::vector<LeaderEntry>& entries, LeaderField f) {
    Texts out;
    for (const LeaderEntry& e : entries)
        out.push_back(e[f]);
    return out;
}
/// The field of every entrant in ID order.
Texts byId(const std::vector<LeaderEntry>& entries, LeaderField f) {
    std::map<std::string, std::string> m;
    for (const LeaderEntry& e : entries)
        m[e[kLeaderId]] = e[f];
    Texts out;
    for (const auto& [id, v] : m)
        out.push_back(v);
    return out;
}
const LeaderRow& rowOf(const std::vector<LeaderRow>& rows, const std::string& id) {
    for (const LeaderRow& r : rows)
        if (r.tag == id)
            return r;
    throw std::runtime_error("no row " + id);
}

} // namespace

TEST(LeaderEntries, RowsPlacesAndPayoutsOfATiedField) {
    Tourney t(4);
    t.net(25).totals({30, 25, 20, 30});
    auto entries = leaderEntries(t.session());
    EXPECT_EQ(column(entries, kLeaderId), (Texts{"01", "04", "02", "03"}));
    EXPECT_EQ(column(entries, kLeaderPlace), (Texts{"1", "1", "2", "3"}));
    EXPECT_EQ(column(entries, kLeaderPayout), (Texts{"$40.00", "$40.00", "$20.00", "$0.00"}));
    EXPECT_EQ(column(entries, kLeaderInMoney), (Texts{"Y", "Y", "Y", "N"}));
    EXPECT_EQ(column(entries, kLeaderScore), (Texts{"30", "30", "25", "20"}));
    EXPECT_EQ(column(entries, kLeaderName),
              (Texts{"Entrant 01", "Entrant 04", "Entrant 02", "Entrant 03"}));

    Tourney none(8); // before any score: every place 0, everyone seated and waiting
    none.net(10);
    entries = leaderEntries(none.session());
    EXPECT_EQ(column(entries, kLeaderPlace), Texts(8, "0"));
    EXPECT_EQ(column(entries, kLeaderScore), Texts(8, "00"));
    EXPECT_EQ(column(entries, kLeaderAverage), Texts(8, "0.0"));
    EXPECT_EQ(entries[0][kLeaderName], "* Entrant 01");
}

TEST(LeaderEntries, AveragesAndThePendingMark) {
    // Only a missing score of the current round counts as not played.
    Tourney t(8, 3);
    t.round(3).score(1, 1, 12).score(2, 1, 13).score(1, 2, 10).score(3, 2, 14);
    t.score(1, 3, 5).score(2, 3, 5).score(3, 3, 5);
    auto entries = leaderEntries(t.session());
    EXPECT_EQ(byId(entries, kLeaderAverage),
              (Texts{"12.5", "8.0", "5.0", "0.0", "0.0", "0.0", "0.0", "0.0"}));
    EXPECT_EQ(byId(entries, kLeaderName)[0], "* Entrant 01");
    EXPECT_EQ(byId(entries, kLeaderName)[1], "Entrant 02");

    Tourney sitOut(6, 2); // IDs 5 and 6 have no table of four
    EXPECT_EQ(byId(leaderEntries(sitOut.session()), kLeaderName),
              (Texts{"* Entrant 01", "* Entrant 02", "* Entrant 03", "* Entrant 04", "Entrant 05",
                     "Entrant 06"}));

    Tourney team(5, 2, false); // team 5 has no opponent
    team.score(1, 1, 9);
    EXPECT_EQ(byId(leaderEntries(team.session()), kLeaderName),
              (Texts{"Entrant 01", "* Entrant 02", "* Entrant 03", "* Entrant 04", "Entrant 05"}));

    Tourney padded(4); // the pending mark is trimmed only in the grid
    padded.unnamed(2);
    Change rename;
    rename.kind = ChangeKind::Rename;
    rename.entrant = "01";
    rename.value = "  Padded ";
    padded.apply(rename);
    auto rows = leaderGridRows(padded.session());
    EXPECT_EQ(rowOf(rows, "01").entry[kLeaderName], "*   Padded ");
    EXPECT_EQ(rowOf(rows, "01").cells[kColName], "*   Padded");
    EXPECT_EQ(rowOf(rows, "02").entry[kLeaderName], "* "); // no name in the file
}

TEST(LeaderEntries, FinesAndTheirPayment) {
    Tourney t(5);
    t.fees(0.25, 0.50).bumps(1, 2).woods(1, 1).lones(1, 3).woods(2, 1);
    t.paid(3, true);                                              // paid without owing anything
    t.bumps(4, 1).paidMark(4, "2").bumps(5, 1).paidMark(5, "01"); // only a mark of 1 counts
    auto entries = leaderEntries(t.session());
    EXPECT_EQ(byId(entries, kLeaderTotalDue), (Texts{"$1.00", "$0.50", "$0.00", "$0.25", "$0.25"}));
    EXPECT_EQ(byId(entries, kLeaderBumps), (Texts{"2", "0", "0", "1", "1"}));
    EXPECT_EQ(byId(entries, kLeaderWoods), (Texts{"1", "1", "0", "0", "0"}));
    EXPECT_EQ(byId(entries, kLeaderLones), (Texts{"3", "0", "0", "0", "0"}));
    EXPECT_EQ(byId(entries, kLeaderOwes), (Texts{"True", "True", "False", "True", "True"}));
    EXPECT_EQ(byId(entries, kLeaderPaid), (Texts{"N", "N", "Y", "N", "Y"}));

    auto rows = leaderGridRows(t.session());
    EXPECT_EQ(rowOf(rows, "01").paymentColor, (Rgb{255, 0, 0}));
    EXPECT_EQ(rowOf(rows, "03").paymentColor, kBlack);
    t.apply(Change::count(ChangeKind::Paid, "01", "1"));
    const LeaderRow paid = rowOf(leaderGridRows(t.session()), "01");
    EXPECT_EQ(paid.paymentColor, (Rgb{0, 128, 0}));
    for (std::size_t c : {kColPaid, kColTotalDue, kColBumps, kColWoods})
        EXPECT_EQ(paid.colors[c], (Rgb{0, 128, 0})) << c;
}

TEST(LeaderEntries, PayoutsInTheSessionsCurrencyAndNoneWhenDisabled) {
    Tourney t(5);
    t.currency().symbol = "£";
    t.net(20).totals({5, 4, 3, 2, 1});
    auto entries = leaderEntries(t.session());
    EXPECT_EQ(entries[0][kLeaderPayout], "£50.00");
    EXPECT_EQ(entries[4][kLeaderPayout], "£0.00");

    t.session().payout.setPayoutsEnabled(false);
    for (const LeaderRow& r : leaderGridRows(t.session())) {
        EXPECT_EQ(r.entry[kLeaderPayout], "£0.00");
        EXPECT_EQ(r.entry[kLeaderInMoney], "N");
        EXPECT_EQ(r.standingColor, kBlack);
    }
}

TEST(LeaderGrid, CellsColoursTagAndToolTip) {
    Tourney t(4);
    t.net(25).totals({7, 30, 25, 20}).alias(2, "Ace");
    auto rows = leaderGridRows(t.session());
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

    auto p = leaderColumns(true);
    ASSERT_EQ(p.size(), 12u);
    EXPECT_EQ(p[0].heading, "Player Name");
    EXPECT_EQ(leaderColumns(false)[0].heading, "Team Name");
    EXPECT_EQ(p[3].sortTag, "NUMBER");
    EXPECT_EQ(p[10].widthTwips, 0);
    EXPECT_EQ(p[11].heading, "Owe Money");
}

TEST(LeaderGrid, ErrorsAreReported) {
    Tourney t(3);
    t.apply(Change::score(1, "02", "40000")); // beyond any 16-bit total
    EXPECT_TRUE(leaderGridRows(t.session()).empty());
    auto messages = t.prompt.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "error in UpdateLeaderGridMain");
    EXPECT_EQ(messages[0].title, "");
    EXPECT_EQ(messages[0].buttons, MsgButtons::Ok);
}

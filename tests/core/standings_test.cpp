// The leader entries and the standings grid rows built from them. The rows of whole tournaments
// (places, ties, payouts, averages, fines, colours, tool tips) are in the golden folders
// (golden_test).
#include "engine_fixture.h"
#include "services/views.h"
#include "standings/leader_rows.h"
#include "standings/leaders.h"

#include <gtest/gtest.h>

using namespace rh;
using rh::test::Tourney;
using Texts = std::vector<std::string>;

namespace {

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

TEST(LeaderEntries, ThePendingMark) {
    // Only a missing score of the current round counts as not played.
    Tourney t(8, 3);
    t.round(3).score(1, 1, 12).score(2, 1, 13).score(1, 2, 10).score(3, 2, 14);
    EXPECT_EQ(byId(leaderEntries(t.session()), kLeaderName)[0], "* Entrant 01");
    EXPECT_EQ(byId(leaderEntries(t.session()), kLeaderName)[1], "Entrant 02");

    Tourney team(5, 2, false); // team 5 has no opponent
    team.score(1, 1, 9);
    EXPECT_EQ(byId(leaderEntries(team.session()), kLeaderName),
              (Texts{"Entrant 01", "* Entrant 02", "* Entrant 03", "* Entrant 04", "Entrant 05"}));

    Tourney padded(4); // the pending mark is trimmed only in the grid
    padded.unnamed(2);
    padded.apply(Change::count(ChangeKind::Rename, "01", "  Padded "));
    auto rows = leaderGridRows(padded.session());
    EXPECT_EQ(rowOf(rows, "01").entry[kLeaderName], "*   Padded ");
    EXPECT_EQ(rowOf(rows, "01").cells[kColName], "*   Padded");
    EXPECT_EQ(rowOf(rows, "02").entry[kLeaderName], "* "); // no name in the file
}

TEST(LeaderEntries, PayoutsInTheSessionsCurrencyAndNoneWhenDisabled) {
    Tourney t(5);
    t.currency().symbol = "£";
    t.net(20).totals({5, 4, 3, 2, 1});
    auto entries = leaderEntries(t.session());
    EXPECT_EQ(entries[0][kLeaderPayout], "£50.00");
    EXPECT_EQ(entries[4][kLeaderPayout], "£0.00");

    t.session().payout().setPayoutsEnabled(false);
    for (const LeaderRow& r : leaderGridRows(t.session())) {
        EXPECT_EQ(r.entry[kLeaderPayout], "£0.00");
        EXPECT_EQ(r.entry[kLeaderInMoney], "N");
        EXPECT_EQ(r.standingColor, kBlack);
    }
}

TEST(LeaderGrid, ColumnsAndAScoreWithoutItsLeadingZero) {
    Tourney t(4);
    t.totals({7, 30, 25, 20});
    const LeaderRow last = leaderGridRows(t.session()).back();
    EXPECT_EQ(last.cells[kColScore], "7");
    EXPECT_EQ(last.entry[kLeaderScore], "07");
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
    t.session().state().setScore(roundAt(1), entrantAt(2), 40000); // beyond any 16-bit total
    EXPECT_TRUE(leaderGridRows(t.session()).empty());
    auto messages = t.prompt.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "error in UpdateLeaderGridMain");
    EXPECT_EQ(messages[0].title, "");
    EXPECT_EQ(messages[0].buttons, MsgButtons::Ok);
}

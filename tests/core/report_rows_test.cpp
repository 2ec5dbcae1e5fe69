// The rows of the printed and exported reports, and their CSV text: the treasurer's figures
// balance (cash counted from what came in and went out equals cash counted from what is still
// owed and what was not handed out), the standings agree with the grid, and the CSV quotes every
// field, doubles quotes, ends lines with CR LF and starts with a byte-order mark.
//
// To write the golden files again after a deliberate change of the layout:
//   RANKHALL_UPDATE_GOLDEN=1 build/release/tests/report_rows_test
#include "engine_fixture.h"
#include "services/csv_export.h"
#include "services/report_rows.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace rh;
using rh::test::Tourney;

namespace {

void expectGolden(const std::string& name, const std::string& text) {
    const std::string path = std::string(RANKHALL_TEST_DATA_DIR) + "/" + name;
    if (std::getenv("RANKHALL_UPDATE_GOLDEN"))
        rh::test::writeFile(path, text);
    EXPECT_EQ(text, rh::test::readFile(path)) << name;
}

/// Eight players, entry fee $10 and $5 expenses ($75 net), three rounds of scores, fines and
/// lones; six entry fees collected.
struct Evening : Tourney {
    Evening() : Tourney(8, 3, true, {"Smith, \"Red\"", "Kit <Lucky> King"}) {
        tourney().setTourneyTitle("Club \"Night\", Autumn");
        tourney().setBumpFee(0.25);
        tourney().setWoodFee(0.50);
        totals({30, 25, 25, 20, 18, 15, 12, 10});
        bumps(1, 2), paid(1, true);
        woods(2, 1), paid(2, false);
        bumps(3, 1), woods(3, 1), paid(3, true);
        lones(4, 3), lones(5, 3), lones(6, 1);
        for (int id = 1; id <= 6; ++id)
            state().entryFeePaid.replace(fmt00(id), "1");
        net(10, 5);
    }
};

} // namespace

TEST(TreasurerReport, FiguresBalanceWithPaidAndUnpaidFeesAndFines) {
    Evening e;
    const TreasurerReport r = treasurerReport(e.session());
    const TreasurerFigures& f = r.figures;
    EXPECT_EQ(r.paidCount, 6);
    EXPECT_EQ(r.entryFees.size(), 8u);
    EXPECT_DOUBLE_EQ(f.feesCollected, 60);
    EXPECT_DOUBLE_EQ(f.feesOwed, 20);
    EXPECT_DOUBLE_EQ(f.expenses, 5);
    EXPECT_DOUBLE_EQ(f.netPayout, 75);
    // 50 / 30 / 20 of $75, the second and third place tied on 25: they share $22.50 + $15.00.
    ASSERT_EQ(r.prizes.size(), 3u);
    EXPECT_EQ(r.prizes[0].amount.text, "$37.50");
    EXPECT_EQ(r.prizes[1].amount.text, "$18.75");
    EXPECT_EQ(r.prizes[2].place, "2");
    EXPECT_DOUBLE_EQ(f.prizesPaid, 75);
    EXPECT_DOUBLE_EQ(f.finesCollected, 0.50 + 0.75);
    EXPECT_DOUBLE_EQ(f.finesOwed, 0.50);
    EXPECT_DOUBLE_EQ(f.jackpot, 1.75);
    // Two winners of $1.75 are each handed $0.88: the box pays a cent more than the fines.
    ASSERT_EQ(r.jackpot.winners.size(), 2u);
    EXPECT_EQ(r.jackpot.winners[0].share.text, "$0.88");
    EXPECT_DOUBLE_EQ(f.jackpotPaid, 1.76);
    EXPECT_DOUBLE_EQ(f.cash(), 60 + 1.25 - 5 - 75 - 1.76);
    EXPECT_DOUBLE_EQ(f.cashFromBalance(), f.cash());
    EXPECT_TRUE(f.balances());
    EXPECT_EQ(r.cash.text, "($20.51)");
    EXPECT_EQ(r.cashFromBalance.text, r.cash.text);
}

TEST(TreasurerReport, AFullyPaidEveningLeavesOnlyTheCentsOfAnUnevenSplit) {
    struct Case {
        std::vector<int> loners;
        double cash;
    };
    for (const Case& c : {Case{{2}, 0}, Case{{2, 3, 4}, 0.01}}) {
        Tourney t(6);
        t.tourney().setBumpFee(1);
        t.totals({9, 8, 7, 6, 5, 4});
        t.bumps(1, 10), t.paid(1, true);
        for (int id : c.loners)
            t.lones(id, 2);
        for (int id = 1; id <= 6; ++id)
            t.state().entryFeePaid.replace(fmt00(id), "1");
        t.net(5);
        const TreasurerReport r = treasurerReport(t.session());
        EXPECT_DOUBLE_EQ(r.figures.feesOwed + r.figures.finesOwed, 0);
        EXPECT_DOUBLE_EQ(r.figures.prizesPaid, 30);
        EXPECT_DOUBLE_EQ(r.figures.cash(), c.cash) << c.loners.size() << " winners";
        EXPECT_TRUE(r.figures.balances());
    }
}

TEST(TreasurerReport, WithNoEntryFeeEverybodyCountsAsPaid) {
    Tourney t(4);
    t.net(0);
    const TreasurerReport r = treasurerReport(t.session());
    EXPECT_EQ(r.paidCount, 4);
    EXPECT_DOUBLE_EQ(r.figures.feesCollected, 0);
    EXPECT_TRUE(r.prizes.empty());
    EXPECT_TRUE(r.figures.balances());
}

TEST(StandingsReport, FollowsTheStandingsGrid) {
    Evening e;
    e.tourney().setCurrentRound(2);
    e.score(2, 1, 5);
    const StandingsReport r = standingsReport(e.session());
    ASSERT_EQ(r.lines.size(), 8u);
    EXPECT_EQ(r.lines[0].name, "Smith, \"Red\"");
    EXPECT_EQ(r.lines[0].score, "35");
    EXPECT_FALSE(r.lines[0].pending);
    EXPECT_TRUE(r.lines[1].pending); // seated in round 2, no score yet
    std::vector<std::string> places;
    for (const StandingsLine& l : r.lines)
        places.push_back(l.place);
    EXPECT_EQ(places, (std::vector<std::string>{"1", "2", "2", "3", "4", "5", "6", "7"}));
    EXPECT_DOUBLE_EQ(r.lines[2].payout.amount, 18.75);
    EXPECT_TRUE(r.lines[2].inTheMoney);
    EXPECT_FALSE(r.lines[3].inTheMoney);
    EXPECT_EQ(r.lines[3].payout.text, "$0.00");
}

TEST(ResultsReport, WinnersFinesAndJackpot) {
    Evening e;
    const ResultsReport r = resultsReport(e.session());
    ASSERT_EQ(r.winners.size(), 3u);
    EXPECT_EQ(r.winners[0].name, "Smith, \"Red\"");
    EXPECT_EQ(r.finesHeading, "Players who owe bump money");
    ASSERT_EQ(r.fines.size(), 3u);
    EXPECT_EQ(r.fines[0].name, "Entrant 03"); // by name
    EXPECT_EQ(r.fines[0].amount.text, "$0.75");
    EXPECT_EQ(r.finesCollected.text, "$1.25");
    EXPECT_EQ(r.finesOwed.text, "$0.50");
    EXPECT_EQ(r.jackpot.title, "Bump Jackpot");
    EXPECT_EQ(r.jackpot.bumps, 3);
    EXPECT_EQ(r.jackpot.woods, 2);
    EXPECT_EQ(r.jackpot.amount.text, "$1.75");
}

TEST(Csv, FieldsAndMoney) {
    const std::pair<std::string, std::string> fields[] = {
        {"", "\"\""},
        {"Ann", "\"Ann\""},
        {"Smith, \"Red\"", "\"Smith, \"\"Red\"\"\""},
        {"Kit <Lucky> King", "\"Kit <Lucky> King\""},
        {"two\r\nlines", "\"two\r\nlines\""},
    };
    for (const auto& [text, quoted] : fields)
        EXPECT_EQ(csvField(text), quoted);
    const std::pair<double, std::string> amounts[] = {
        {0, "0.00"}, {1234.5, "1234.50"}, {-10, "-10.00"}, {0.125, "0.13"}, {-0.001, "0.00"}};
    for (const auto& [amount, text] : amounts)
        EXPECT_EQ(csvMoney(amount), text);
    EXPECT_EQ(csvText({{"a", "b"}, {"1"}}), "\xEF\xBB\xBF\"a\",\"b\"\r\n\"1\"\r\n");
}

TEST(Csv, ReportsAsGoldenFiles) {
    Evening e;
    expectGolden("evening_standings.csv", standingsCsv(standingsReport(e.session())));
    expectGolden("evening_results.csv", resultsCsv(resultsReport(e.session())));
    expectGolden("evening_treasurer.csv", treasurerCsv(treasurerReport(e.session())));
}

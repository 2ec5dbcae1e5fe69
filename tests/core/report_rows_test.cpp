// The printed and exported reports: the treasurer's figures balance (cash counted from what came
// in and went out equals cash counted from what is still owed and what was not handed out), and
// the CSV quotes every field, doubles quotes, ends lines with CR LF and starts with a byte-order
// mark. The reports of whole tournaments are in the golden folders (golden_test).
#include "engine_fixture.h"
#include "services/csv_export.h"
#include "services/report_rows.h"

#include <gtest/gtest.h>

using namespace rh;
using rh::test::Tourney;

TEST(TreasurerReport, FiguresBalanceWithPaidAndUnpaidFeesAndFines) {
    // Eight players, entry fee $10 and $5 expenses ($75 net), fines and lones; six fees in.
    Tourney e(8);
    e.fees(0.25, 0.50).totals({30, 25, 25, 20, 18, 15, 12, 10}).net(10, 5);
    e.bumps(1, 2).paid(1, true).woods(2, 1).bumps(3, 1).woods(3, 1).paid(3, true);
    e.lones(4, 3).lones(5, 3).lones(6, 1);
    for (int id = 1; id <= 6; ++id)
        e.apply(Change::count(ChangeKind::EntryFeePaid, fmt00(id), "1"));
    const TreasurerReport r = treasurerReport(e.session());
    const TreasurerFigures& f = r.figures;
    EXPECT_EQ(r.paidCount, 6);
    EXPECT_DOUBLE_EQ(f.feesCollected, 60);
    EXPECT_DOUBLE_EQ(f.feesOwed, 20);
    EXPECT_DOUBLE_EQ(f.expenses, 5);
    EXPECT_DOUBLE_EQ(f.netPayout, 75);
    // 50 / 30 / 20 of $75, the second and third place tied on 25: they share $22.50 + $15.00.
    ASSERT_EQ(r.prizes.size(), 3u);
    EXPECT_EQ(r.prizes[1].amount.text, "$18.75");
    EXPECT_DOUBLE_EQ(f.prizesPaid, 75);
    EXPECT_DOUBLE_EQ(f.finesCollected, 0.50 + 0.75);
    EXPECT_DOUBLE_EQ(f.finesOwed, 0.50);
    EXPECT_DOUBLE_EQ(f.jackpot, 1.75);
    // Two winners of $1.75 are each handed $0.88: the box pays a cent more than the fines.
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
        t.fees(1, 0).totals({9, 8, 7, 6, 5, 4}).bumps(1, 10).paid(1, true).net(5);
        for (int id : c.loners)
            t.lones(id, 2);
        t.apply(Change::count(ChangeKind::EntryFeeAll, "", "1"));
        const TreasurerReport r = treasurerReport(t.session());
        EXPECT_DOUBLE_EQ(r.figures.feesOwed + r.figures.finesOwed, 0);
        EXPECT_DOUBLE_EQ(r.figures.prizesPaid, 30);
        EXPECT_DOUBLE_EQ(r.figures.cash(), c.cash) << c.loners.size() << " winners";
        EXPECT_TRUE(r.figures.balances());
    }
    Tourney none(4); // with no entry fee everybody counts as paid
    const TreasurerReport r = treasurerReport(none.session());
    EXPECT_EQ(r.paidCount, 4);
    EXPECT_DOUBLE_EQ(r.figures.feesCollected, 0);
    EXPECT_TRUE(r.prizes.empty());
    EXPECT_TRUE(r.figures.balances());
}

TEST(Csv, FieldsAndMoney) {
    const std::pair<std::string, std::string> fields[] = {
        {"", "\"\""},
        {"Ann", "\"Ann\""},
        {"Smith, \"Red\"", "\"Smith, \"\"Red\"\"\""},
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

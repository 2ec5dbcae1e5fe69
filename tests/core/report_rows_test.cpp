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
        // What a spreadsheet would run as a formula stays text; numbers keep their sign.
        {"=SUM(A1:A9)", "\"'=SUM(A1:A9)\""},
        {"+Ann", "\"'+Ann\""},
        {"-Bob", "\"'-Bob\""},
        {"-1+2", "\"'-1+2\""},
        {"@Cat", "\"'@Cat\""},
        {"\tTab", "\"'\tTab\""},
        {"\rCR", "\"'\rCR\""},
        {"=\"x\"", "\"'=\"\"x\"\"\""},
        {"Lee =1+1", "\"Lee =1+1\""},
        {"-10.00", "\"-10.00\""},
        {"+7", "\"+7\""},
        {"-", "\"'-\""},
    };
    for (const auto& [text, quoted] : fields)
        EXPECT_EQ(csvField(text), quoted);
    const std::pair<double, std::string> amounts[] = {
        {0, "0.00"}, {1234.5, "1234.50"}, {-10, "-10.00"}, {0.125, "0.13"}, {-0.001, "0.00"}};
    for (const auto& [amount, text] : amounts)
        EXPECT_EQ(csvMoney(amount), text);
    EXPECT_EQ(csvText({{"a", "b"}, {"1"}}), "\xEF\xBB\xBF\"a\",\"b\"\r\n\"1\"\r\n");
}

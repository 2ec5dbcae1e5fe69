// The payout worksheet's arithmetic: default shares, offered counts, typed amounts, the remaining
// payout and its colour, when OK is offered and what OK compares, and what the worksheet hands
// back.
#include "money/payout_editor.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace rh;

namespace {

PayoutEditorRequest request(double net, int entrants, int placeCount = 0,
                            std::array<double, 8> amounts = {}) {
    PayoutEditorRequest r;
    r.netPayout = net;
    r.netPayoutText = formatMoney(net, CurrencyFormat::dollars());
    r.entrants = entrants;
    r.placeCount = placeCount;
    r.amounts = amounts;
    return r;
}

std::vector<std::string> boxes(const PayoutWorksheet& w, int count) {
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i)
        out.push_back(w.boxText(i));
    return out;
}

constexpr Rgb kWhite{255, 255, 255};

} // namespace

TEST(PayoutWorksheet, DefaultSharesAndOfferedCounts) {
    for (int places = 3; places <= 8; ++places) {
        auto percents = defaultPayoutPercents(places);
        EXPECT_EQ(int(percents.size()), places);
        EXPECT_EQ(std::accumulate(percents.begin(), percents.end(), 0), 100) << places;
        EXPECT_TRUE(std::is_sorted(percents.rbegin(), percents.rend())) << places;
    }
    EXPECT_TRUE(defaultPayoutPercents(2).empty());
    EXPECT_TRUE(defaultPayoutPercents(9).empty());
    EXPECT_EQ(defaultPayoutPercents(6), (std::vector<int>{40, 25, 15, 10, 7, 3}));
    // Counts up to the entrants and at most eight.
    EXPECT_EQ(payoutCountItems(5), (std::vector<std::string>{"03", "04", "05"}));
    EXPECT_EQ(payoutCountItems(40), (std::vector<std::string>{"03", "04", "05", "06", "07", "08"}));
    EXPECT_TRUE(payoutCountItems(2).empty());
}

TEST(PayoutWorksheet, AChosenCountSplitsTheNetPayoutByTheDefaultShares) {
    struct Case {
        double net;
        int entrants, count;
        std::vector<std::string> boxes, percents;
    } cases[] = {
        {240, 24, 3, {"$120.00", "$72.00", "$48.00"}, {"50%", "30%", "20%"}},
        {500,
         30,
         8,
         {"$190.00", "$100.00", "$75.00", "$50.00", "$35.00", "$25.00", "$15.00", "$10.00"},
         {"38%", "20%", "15%", "10%", "7%", "5%", "3%", "2%"}},
        {12000, 300, 3, {"$6,000.00", "$3,600.00", "$2,400.00"}, {"50%", "30%", "20%"}},
        {0, 12, 3, {"$0.00", "$0.00", "$0.00"}, {"0%", "0%", "0%"}}, // no net payout, no shares
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.net);
        PayoutWorksheet w;
        w.open(request(c.net, c.entrants, 3, {250, 150, 100}));
        w.chooseCount(c.count);
        EXPECT_EQ(boxes(w, c.count), c.boxes);
        for (int i = 0; i < c.count; ++i)
            EXPECT_EQ(w.percentText(i), c.percents[static_cast<std::size_t>(i)]) << i;
        EXPECT_EQ(w.PlaceCount(), c.count);
        EXPECT_EQ(w.remainingText(), "$0.00");
        EXPECT_EQ(w.remainingColor(), kWhite);
        EXPECT_TRUE(w.okEnabled());
        EXPECT_EQ(w.balance(), PayoutBalance::Balanced);
        for (int i = 0; i < kPayoutPlaces; ++i)
            EXPECT_EQ(w.boxEnabled(i), i < c.count) << i;
    }
    PayoutWorksheet w; // a large amount is read back without its grouping
    w.open(request(12000, 300));
    w.chooseCount(3);
    EXPECT_EQ(w.enterBox(0), "6000");
    // Choosing fewer places again empties and disables the boxes beyond them.
    w.chooseCount(8);
    w.chooseCount(4);
    EXPECT_EQ(w.boxText(4), "");
    EXPECT_FALSE(w.boxEnabled(4));
    EXPECT_EQ(w.percentText(7), "0%");
    EXPECT_EQ(w.boxText(0), "$5,400.00");
}

TEST(PayoutWorksheet, OpensWithTheHandedInAmounts) {
    PayoutWorksheet w;
    EXPECT_TRUE(w.open(request(240, 24, 3, {100, 80, 60, 999})));
    EXPECT_EQ(w.selectedCount(), 3);
    EXPECT_EQ(boxes(w, 4), (std::vector<std::string>{"$100.00", "$80.00", "$60.00", ""}));
    EXPECT_EQ(w.percentText(0), "42%");
    EXPECT_EQ(w.percentText(1), "33%");
    EXPECT_EQ(w.percentText(2), "25%");
    EXPECT_FALSE(w.boxEnabled(3));
    EXPECT_EQ(w.netPayoutText(), "$240.00");
    EXPECT_EQ(w.remainingText(), "$0.00");
}

TEST(PayoutWorksheet, OpensEmptyWithoutACountAndReportsACountNoLongerOffered) {
    PayoutWorksheet none;
    EXPECT_TRUE(none.open(request(240, 24, 0)));
    EXPECT_EQ(none.selectedCount(), 0);
    for (int i = 0; i < kPayoutPlaces; ++i)
        EXPECT_FALSE(none.boxEnabled(i));
    EXPECT_EQ(none.remainingText(), "$240.00");
    EXPECT_FALSE(none.okEnabled());

    PayoutWorksheet gone;
    EXPECT_FALSE(gone.open(request(100, 5, 6, {40, 20, 15, 10, 10, 5})));
    EXPECT_EQ(gone.selectedCount(), 0);
    EXPECT_EQ(gone.PlaceCount(), 6);
    EXPECT_EQ(gone.boxText(5), "$5.00");
}

TEST(PayoutWorksheet, RemainingPayoutColourAndOk) {
    PayoutWorksheet w;
    w.open(request(240, 24));
    w.chooseCount(3);

    w.setBoxText(2, "47.6"); // 120 + 72 + 47.60 = 239.60
    EXPECT_EQ(w.remainingText(), "$0.40");
    EXPECT_EQ(w.remainingColor(), (Rgb{180, 255, 180}));
    EXPECT_TRUE(w.okEnabled());
    EXPECT_EQ(w.balance(), PayoutBalance::Short);

    w.setBoxText(2, "49"); // 241.00
    EXPECT_EQ(w.remainingText(), "($1.00)");
    EXPECT_EQ(w.remainingColor(), (Rgb{255, 180, 180}));
    EXPECT_FALSE(w.okEnabled());
    EXPECT_EQ(w.balance(), PayoutBalance::Exceeds);

    w.setBoxText(2, "48.5"); // half a unit over: still offered, but too much
    EXPECT_TRUE(w.okEnabled());
    EXPECT_EQ(w.balance(), PayoutBalance::Exceeds);
    w.setBoxText(2, "48.51");
    EXPECT_FALSE(w.okEnabled());

    // A box that is not a number is left out.
    w.setBoxText(2, "");
    EXPECT_EQ(w.remainingText(), "$48.00");
    EXPECT_DOUBLE_EQ(w.sum(), 192);
}

TEST(PayoutWorksheet, BalanceIsComparedInWholeCents) {
    EXPECT_EQ(comparePayouts(0.1 + 0.2, 0.3), PayoutBalance::Balanced);
    EXPECT_EQ(comparePayouts(239.999, 240), PayoutBalance::Balanced);
    EXPECT_EQ(comparePayouts(239.99, 240), PayoutBalance::Short);
    EXPECT_EQ(comparePayouts(240.01, 240), PayoutBalance::Exceeds);
}

TEST(PayoutWorksheet, TypedAmountsEditAsPlainNumbersAndShowAsCurrency) {
    EXPECT_TRUE(isAmountInput("12.5"));
    EXPECT_TRUE(isAmountInput(""));
    EXPECT_TRUE(isAmountInput(".5"));
    EXPECT_FALSE(isAmountInput("12.5."));
    EXPECT_FALSE(isAmountInput("-3"));
    EXPECT_FALSE(isAmountInput("1e3"));
    EXPECT_FALSE(isAmountInput("$12"));

    PayoutWorksheet w;
    w.open(request(100, 12));
    w.chooseCount(3);
    EXPECT_EQ(w.enterBox(0), "50");
    w.setBoxText(0, "12.5");
    w.leaveBox(0);
    EXPECT_EQ(w.boxText(0), "$12.50");
    EXPECT_EQ(w.percentText(0), "13%");
    // An emptied box stays empty on leaving and keeps its last percent.
    w.setBoxText(1, "");
    EXPECT_EQ(w.enterBox(1), "");
    w.leaveBox(1);
    EXPECT_EQ(w.boxText(1), "");
    EXPECT_EQ(w.percentText(1), "30%");
}

TEST(PayoutWorksheet, ClearEmptiesEveryBox) {
    PayoutWorksheet w;
    w.open(request(240, 24));
    w.chooseCount(5);
    w.clear();
    for (int i = 0; i < kPayoutPlaces; ++i) {
        EXPECT_EQ(w.boxText(i), "");
        EXPECT_EQ(w.percentText(i), "0%");
    }
    EXPECT_EQ(w.remainingText(), "$240.00");
    EXPECT_FALSE(w.okEnabled());
    EXPECT_EQ(w.PlaceCount(), 5);
}

TEST(PayoutWorksheet, ResultAndCancel) {
    PayoutWorksheet w;
    w.open(request(240, 24, 4, {100, 70, 40, 30, 0, 0, 0, 7}));
    w.chooseCount(3);
    w.setBoxText(1, "");
    PayoutEditorRequest r = w.result();
    EXPECT_EQ(r.placeCount, 3);
    EXPECT_DOUBLE_EQ(r.amounts[0], 120);
    EXPECT_DOUBLE_EQ(r.amounts[1], 70); // emptied: keeps its old amount
    EXPECT_DOUBLE_EQ(r.amounts[2], 48);
    EXPECT_DOUBLE_EQ(r.amounts[3], 30); // beyond the places: as handed in
    EXPECT_DOUBLE_EQ(r.amounts[7], 7);

    w.cancel();
    EXPECT_EQ(w.PlaceCount(), 4);
}

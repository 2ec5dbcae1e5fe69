// The net payout, the payout table and the split of the table over row positions with ties.
#include "engine_fixture.h"
#include "money/payout.h"
#include "services/views.h"

#include <gtest/gtest.h>

using namespace rh;
using rh::test::Tourney;
using Texts = std::vector<std::string>;

namespace {

Texts amountTexts(const PayoutTable& p) {
    Texts out;
    for (const PayoutRow& r : p.rows())
        out.push_back(r.amountText);
    return out;
}
Texts payoutTexts(Session& s, int n, int* paid = nullptr) {
    Texts texts;
    const int count = s.payout().GetPayouts(s, texts);
    if (paid)
        *paid = count;
    Texts out;
    for (int i = 1; i <= n; ++i)
        out.push_back(payoutTextAt(texts, i));
    return out;
}
/// The leader list as "total~ID", best first.
Texts ranking(Session& s) {
    Texts out;
    for (const LeaderEntry& e : leaderEntries(s))
        out.push_back(std::to_string(std::stoi(e[kLeaderScore])) + "~" + e[kLeaderId]);
    return out;
}

} // namespace

TEST(NetPayout, TextColourOptionsAndTable) {
    struct Case {
        int entrants;
        double fee, expenses;
        const char* net;
        Rgb colour;
        bool options;
        Texts amounts;
    } cases[] = {
        {24, 10, 0, "$240.00", {0, 153, 51}, true, {"$120.00", "$72.00", "$48.00"}},
        {24, 10, 250, "($10.00)", {255, 0, 0}, false, {"$0.00", "$0.00", "$0.00"}},
        {4, 0, 0, "$0.00", kRed, false, {"$0.00", "$0.00", "$0.00"}},
        // The table is built from the amounts as they are displayed.
        {4, 10, 6.65, "$33.35", {0, 153, 51}, true, {"$16.68", "$10.01", "$6.67"}},
    };
    for (const Case& c : cases) {
        Tourney t(c.entrants);
        t.net(c.fee, c.expenses);
        PayoutTable& p = t.session().payout();
        SCOPED_TRACE(c.net);
        EXPECT_EQ(p.netPayoutText(), c.net);
        EXPECT_EQ(p.netPayoutColor(), c.colour);
        EXPECT_EQ(p.payoutOptionsEnabled(), c.options);
        EXPECT_EQ(amountTexts(p), c.amounts);
        EXPECT_FALSE(p.ChkPayout(t.session().currency()));
        EXPECT_FALSE(t.session().refresh().payoutRebuildRequested());
    }
}

TEST(NetPayout, ExpensesTextThatIsNoNumberIsIgnoredAndNothingHappensBeforeALoad) {
    Tourney t(4);
    t.net(5, 7);
    Session& s = t.session();
    s.payout().UpdateNetPayout(s, false);
    EXPECT_EQ(s.payout().netPayoutText(), "$20.00");
    s.payout().UpdateNetPayout(s, true);
    EXPECT_EQ(s.payout().netPayoutText(), "$13.00");

    ScriptedPrompt prompt;
    Session empty(prompt);
    empty.refresh().requestPayoutRebuild();
    empty.payout().UpdateNetPayout(empty);
    EXPECT_EQ(empty.payout().netPayoutText(), "");
    EXPECT_TRUE(empty.payout().rows().empty());
    EXPECT_TRUE(empty.refresh().payoutRebuildRequested());
}

TEST(NetPayout, GroupingAndTheSessionsCurrency) {
    Tourney t(200);
    CurrencyFormat& c = t.currency();
    c.symbol = "€";
    c.symbolAfter = true;
    c.spaceBetween = true;
    c.decimalPoint = ",";
    c.groupSeparator = ".";
    t.net(25).totals({30, 30, 20, 10});
    Session& s = t.session();
    EXPECT_EQ(s.payout().netPayoutText(), "5.000,00 €");
    EXPECT_EQ(amountTexts(s.payout()), (Texts{"2.500,00 €", "1.500,00 €", "1.000,00 €"}));
    EXPECT_EQ(payoutTexts(s, 3), (Texts{"2.000,00 €", "2.000,00 €", "1.000,00 €"}));
}

TEST(PayoutTable, RebuiltOnlyWhenMarkedStale) {
    Tourney t(10);
    t.net(10);
    Session& s = t.session();
    applyChange(s, Change::money(ChangeKind::EntryFee, 20));
    s.refresh().takePayoutRebuild();
    s.payout().UpdateNetPayout(s);
    // The net payout follows, the table waits for updatePayout.
    EXPECT_EQ(s.payout().netPayoutText(), "$200.00");
    EXPECT_EQ(amountTexts(s.payout())[0], "$50.00");
    EXPECT_TRUE(s.payout().ChkPayout(s.currency()));
    s.refresh().requestPayoutRebuild();
    s.payout().UpdateNetPayout(s);
    EXPECT_EQ(amountTexts(s.payout())[0], "$100.00");
    EXPECT_FALSE(s.payout().ChkPayout(s.currency()));
}

TEST(PayoutTable, CustomRowsTheirPlaceWordsAndACheckOfTheTotal) {
    const Texts words = {"First", "Second", "Third",   "Fourth",
                         "Fifth", "Sixth",  "Seventh", "Eighth"};
    struct Case {
        int entrants;
        std::vector<double> custom;
        Texts rows; // eight amounts: each in place order
        bool short_;
    } cases[] = {
        {15, {100, 0, 50}, {"First $100.00", "Third $50.00"}, false},
        {17, {50, 40, 30, 20, 10, 5, 3, 2}, {}, true}, // $160 of $170.00
        {17, {60, 40, 30, 20, 10, 5, 3, 2}, {}, false},
    };
    for (Case& c : cases) {
        for (std::size_t i = 0; i < 8 && c.custom.size() == 8; ++i)
            c.rows.push_back(words[i] + " $" + std::to_string(int(c.custom[i])) + ".00");
        Tourney t(c.entrants);
        t.net(10).customPayouts(c.custom);
        PayoutTable& p = t.session().payout();
        Texts rows;
        for (const PayoutRow& r : p.rows())
            rows.push_back(r.placeWord + " " + r.amountText);
        EXPECT_EQ(rows, c.rows);
        EXPECT_EQ(p.ChkPayout(t.session().currency()), c.short_);
    }
    Tourney t(8);
    t.net(10);
    t.session().payout().SelectPayoutOption(t.session(), 2); // no such option: no rows
    EXPECT_TRUE(t.session().payout().rows().empty());
    EXPECT_DOUBLE_EQ(t.session().payout().TotalPayout(), 0.0);
    Texts texts;
    EXPECT_EQ(t.session().payout().GetPayouts(t.session(), texts), 0);
}

TEST(CalcPayouts, TiedRowsShareTheMoneyOfThePlacesTheyCover) {
    struct Case {
        int entrants;
        double fee, expenses;
        std::vector<double> custom;
        std::vector<int> totals;
        int paid;
        Texts texts;
    } cases[] = {
        {4, 25, 0, {}, {30, 25, 20, 30}, 3, {"$40.00", "$40.00", "$20.00", ""}},
        {5, 20, 0, {}, {40, 30, 30, 30, 10}, 4, {"$50.00", "$16.67", "$16.67", "$16.67", ""}},
        {5, 20, 0, {}, {40, 30, 20, 20, 10}, 4, {"$50.00", "$30.00", "$10.00", "$10.00", ""}},
        {4, 22.5, 0, {}, {20, 20, 20, 20}, 4, {"$22.50", "$22.50", "$22.50", "$22.50"}},
        {6, 10, 0, {}, {12, 12, 4, 3, 2, 1}, 3, {"$24.00", "$24.00", "$12.00", ""}},
        // (16.68 + 10.01) / 2 = 13.345: the amounts are read back as displayed.
        {4, 10, 6.65, {}, {20, 20, 10, 5}, 3, {"$13.35", "$13.35", "$6.67", ""}},
        {4, 25, 0, {100, 0, 0}, {9, 9, 9, 1}, 3, {"$33.33", "$33.33", "$33.33", ""}},
        {15, 10, 0, {100, 0, 50}, {30, 25, 20, 10}, 2, {"$100.00", "$50.00", ""}},
        // Fewer entrants than places: each is paid its row position; a tie at the end pays
        // nothing past the last entrant.
        {1, 30, 0, {}, {12}, 1, {"$15.00", ""}},
        {2, 50, 0, {}, {10, 14}, 2, {"$50.00", "$30.00", ""}},
        {3, 100, 0, {}, {9, 8, 7}, 3, {"$150.00", "$90.00", "$60.00"}},
        {2, 50, 0, {}, {10, 10}, 2, {"$40.00", "$40.00", ""}},
        // Before any score everyone ties.
        {6, 10, 0, {}, {}, 6, Texts(6, "$10.00")},
    };
    for (const Case& c : cases) {
        Tourney t(c.entrants);
        t.net(c.fee, c.expenses).totals(c.totals);
        if (!c.custom.empty())
            t.customPayouts(c.custom);
        int paid = 0;
        EXPECT_EQ(payoutTexts(t.session(), static_cast<int>(c.texts.size()), &paid), c.texts);
        EXPECT_EQ(paid, c.paid);
    }
    Tourney t(4);
    t.net(25).totals({30, 25, 20, 30});
    // Ties stand in ascending ID order.
    EXPECT_EQ(ranking(t.session()), (Texts{"30~01", "30~04", "25~02", "20~03"}));

    Texts texts;
    EXPECT_EQ(assignPayouts(std::vector<long long>{5, 5, 3}, {-10.0, 0.0},
                            CurrencyFormat::dollars(), texts),
              2);
    EXPECT_EQ(payoutTextAt(texts, 2), "($5.00)");
}

TEST(GetPayouts, DisabledPayoutsHandOutTheStoredTexts) {
    Tourney t(4);
    t.net(25).totals({30, 25, 20, 10});
    ASSERT_EQ(payoutTexts(t.session(), 4), (Texts{"$50.00", "$30.00", "$20.00", ""}));
    Session& s = t.session();
    applyChange(s, Change::score(1, "01", "05")); // partners 1 and 2
    s.payout().setPayoutsEnabled(false);
    int paid = -1;
    EXPECT_EQ(payoutTexts(s, 4, &paid), (Texts{"$50.00", "$30.00", "$20.00", ""}));
    EXPECT_EQ(paid, 0);
    // The leader list is rebuilt all the same.
    EXPECT_EQ(ranking(s).front(), "20~03");
}

TEST(GetPayouts, StoredTextsAreKeptAcrossCallsAndClearedWithTheVariables) {
    Tourney t(5);
    t.net(20).totals({40, 30, 30, 30, 10});
    Session& s = t.session();
    payoutTexts(s, 0);
    applyChange(s, Change::score(1, "01", "05")); // and partner 2: 5 5 30 30 10
    payoutTexts(s, 0);                            // three positions filled, the fourth kept
    EXPECT_EQ(s.payout().storedPayoutTexts(), (Texts{"$40.00", "$40.00", "$20.00", "$16.67"}));

    s.closeTournament();
    EXPECT_FALSE(s.payout().PayoutsEnabled());
    EXPECT_TRUE(s.payout().storedPayoutTexts().empty());
    EXPECT_TRUE(s.payout().rows().empty());
    EXPECT_FALSE(s.payout().controlsEnabled());
    int paid = -1;
    payoutTexts(s, 0, &paid);
    EXPECT_EQ(paid, 0);
}

TEST(GetPayouts, WhatCountsTowardsTheTotals) {
    Tourney big(3);
    big.net(10);
    // Beyond sixteen bits (no entry makes it): an error to the caller.
    big.session().state().setScore(roundAt(1), entrantAt(2), 40000);
    Texts texts;
    EXPECT_THROW(big.session().payout().GetPayouts(big.session(), texts), RhError);

    Tourney t(4);
    t.net(25).round(2).score(1, 1, 10).score(2, 1, 5).score(1, 2, 12).score(3, 3, 30);
    // Round 3 is not played yet.
    EXPECT_EQ(ranking(t.session()), (Texts{"15~01", "12~02", "0~03", "0~04"}));
}

// The net payout, the payout table and the split of the table over row positions with ties.
#include "engine_fixture.h"
#include "money/payout.h"
#include "standings/leaders.h"

#include <gtest/gtest.h>

using namespace rh;
using rh::test::Tourney;

namespace {

std::vector<std::string> placeWords(const PayoutTable& p) {
    std::vector<std::string> out;
    for (const PayoutRow& r : p.rows())
        out.push_back(r.placeWord);
    return out;
}
std::vector<std::string> amountTexts(const PayoutTable& p) {
    std::vector<std::string> out;
    for (const PayoutRow& r : p.rows())
        out.push_back(r.amountText);
    return out;
}
std::vector<std::string> head(const std::vector<std::string>& texts, int n) {
    std::vector<std::string> out;
    for (int i = 1; i <= n; ++i)
        out.push_back(payoutTextAt(texts, i));
    return out;
}

} // namespace

TEST(NetPayout, StandardSplitOfEntryFees) {
    Tourney t(24);
    t.net(10.00);
    PayoutTable& p = t.session.payout;
    EXPECT_EQ(p.netPayoutText(), "$240.00");
    EXPECT_EQ(p.netPayoutColor(), (Rgb{0, 153, 51}));
    EXPECT_TRUE(p.payoutOptionsEnabled());
    EXPECT_EQ(placeWords(p), (std::vector<std::string>{"First", "Second", "Third"}));
    EXPECT_EQ(amountTexts(p), (std::vector<std::string>{"$120.00", "$72.00", "$48.00"}));
    EXPECT_DOUBLE_EQ(p.TotalPayout(), 240.0);
    EXPECT_FALSE(p.ChkPayout(t.session.currency()));
    EXPECT_FALSE(t.session.refresh().payoutRebuildRequested());
}

TEST(NetPayout, ExpensesAboveTheFeesLeaveNothingToPay) {
    Tourney t(24);
    t.net(10.00, 250.00);
    PayoutTable& p = t.session.payout;
    EXPECT_EQ(p.netPayoutText(), "($10.00)");
    EXPECT_EQ(p.netPayoutColor(), (Rgb{255, 0, 0}));
    EXPECT_FALSE(p.payoutOptionsEnabled());
    EXPECT_EQ(amountTexts(p), (std::vector<std::string>{"$0.00", "$0.00", "$0.00"}));
    EXPECT_FALSE(p.ChkPayout(t.session.currency()));
}

TEST(NetPayout, ZeroIsRedAndExpensesTextThatIsNoNumberIsIgnored) {
    Tourney t(4);
    t.net(0);
    EXPECT_EQ(t.session.payout.netPayoutText(), "$0.00");
    EXPECT_EQ(t.session.payout.netPayoutColor(), kRed);

    t.tourney().setEntryFee(5);
    t.tourney().setExpenses(7);
    t.session.payout.UpdateNetPayout(t.session, false);
    EXPECT_EQ(t.session.payout.netPayoutText(), "$20.00");
    t.session.payout.UpdateNetPayout(t.session, true);
    EXPECT_EQ(t.session.payout.netPayoutText(), "$13.00");
}

TEST(NetPayout, NothingHappensBeforeATournamentIsLoaded) {
    Tourney t(4);
    t.session.closeTournament();
    t.net(10);
    EXPECT_EQ(t.session.payout.netPayoutText(), "");
    EXPECT_TRUE(t.session.payout.rows().empty());
    EXPECT_TRUE(t.session.refresh().payoutRebuildRequested());
}

TEST(NetPayout, GroupingAndTheSessionsCurrency) {
    Tourney t(200);
    CurrencyFormat euro = t.session.currency();
    euro.symbol = "€";
    euro.symbolAfter = true;
    euro.spaceBetween = true;
    euro.decimalPoint = ",";
    euro.groupSeparator = ".";
    t.session.setCurrency(euro);
    t.net(25);
    EXPECT_EQ(t.session.payout.netPayoutText(), "5.000,00 €");
    EXPECT_EQ(amountTexts(t.session.payout),
              (std::vector<std::string>{"2.500,00 €", "1.500,00 €", "1.000,00 €"}));
    t.totals({30, 30, 20, 10});
    std::vector<std::string> texts;
    EXPECT_EQ(t.session.payout.GetPayouts(t.session, texts), 3);
    EXPECT_EQ(head(texts, 3), (std::vector<std::string>{"2.000,00 €", "2.000,00 €", "1.000,00 €"}));
}

TEST(PayoutTable, RebuiltOnlyWhenMarkedStale) {
    Tourney t(10);
    t.net(10);
    t.tourney().setEntryFee(20);
    t.session.payout.UpdateNetPayout(t.session);
    // The net payout follows, the table waits for a rebuild request.
    EXPECT_EQ(t.session.payout.netPayoutText(), "$200.00");
    EXPECT_EQ(amountTexts(t.session.payout)[0], "$50.00");
    EXPECT_TRUE(t.session.payout.ChkPayout(t.session.currency()));
    t.session.refresh().requestPayoutRebuild();
    t.session.payout.UpdateNetPayout(t.session);
    EXPECT_EQ(amountTexts(t.session.payout)[0], "$100.00");
    EXPECT_FALSE(t.session.payout.ChkPayout(t.session.currency()));
}

TEST(PayoutTable, CustomRowsKeepTheirOwnPlaceWords) {
    Tourney t(15);
    t.net(10);
    PayoutSettings& ps = t.state().payout;
    ps.CustomPayoutCount = 3;
    ps.CustomPayouts = {100, 0, 50};
    t.session.payout.SelectPayoutOption(t.session, 1);
    EXPECT_EQ(ps.PayoutOption, 1);
    EXPECT_TRUE(t.session.refresh().leaderRefreshRequested());
    EXPECT_EQ(placeWords(t.session.payout), (std::vector<std::string>{"First", "Third"}));
    EXPECT_EQ(amountTexts(t.session.payout), (std::vector<std::string>{"$100.00", "$50.00"}));
    EXPECT_DOUBLE_EQ(t.session.payout.TotalPayout(), 150.0);
    EXPECT_FALSE(t.session.payout.ChkPayout(t.session.currency())); // $150.00 net, $150 paid

    t.totals({30, 25, 20, 10});
    std::vector<std::string> texts;
    EXPECT_EQ(t.session.payout.GetPayouts(t.session, texts), 2);
    EXPECT_EQ(head(texts, 3), (std::vector<std::string>{"$100.00", "$50.00", ""}));
}

TEST(PayoutTable, CustomTableThatFallsShortIsReported) {
    Tourney t(17);
    t.net(10); // $170.00
    PayoutSettings& ps = t.state().payout;
    ps.CustomPayoutCount = 8;
    ps.CustomPayouts = {50, 40, 30, 20, 10, 5, 3, 2};
    t.session.payout.SelectPayoutOption(t.session, 1);
    EXPECT_EQ(placeWords(t.session.payout).size(), 8u);
    EXPECT_EQ(placeWords(t.session.payout).back(), "Eighth");
    EXPECT_TRUE(t.session.payout.ChkPayout(t.session.currency())); // $160 of $170.00

    ps.CustomPayouts[0] = 60;
    t.session.payout.SelectPayoutOption(t.session, 1);
    EXPECT_FALSE(t.session.payout.ChkPayout(t.session.currency()));
}

TEST(PayoutTable, AnUnknownOptionBuildsNoRows) {
    Tourney t(8);
    t.net(10);
    t.session.payout.SelectPayoutOption(t.session, 2);
    EXPECT_TRUE(t.session.payout.rows().empty());
    EXPECT_DOUBLE_EQ(t.session.payout.TotalPayout(), 0.0);
    t.totals({5, 5, 3});
    std::vector<std::string> texts;
    EXPECT_EQ(t.session.payout.GetPayouts(t.session, texts), 0);
}

TEST(CalcPayouts, TiedRowsShareThePositionsTheyCover) {
    Tourney t(4);
    t.net(25); // $100.00
    t.totals({30, 25, 20, 30});
    std::vector<std::string> texts;
    EXPECT_EQ(t.session.payout.GetPayouts(t.session, texts), 3);
    EXPECT_EQ(head(texts, 4), (std::vector<std::string>{"$40.00", "$40.00", "$20.00", ""}));
    // The leader list was rebuilt: IDs 1 and 4 tie on top in ascending ID order.
    EXPECT_EQ(t.state().sortedScores.items(),
              (std::vector<std::string>{"30~01", "30~04", "25~02", "20~03"}));
}

TEST(CalcPayouts, ATieStraddlingTheLastPaidPlaceSpreadsItsMoney) {
    Tourney t(5);
    t.net(20); // $100.00
    t.totals({40, 30, 30, 30, 10});
    std::vector<std::string> texts;
    EXPECT_EQ(t.session.payout.GetPayouts(t.session, texts), 4);
    EXPECT_EQ(head(texts, 5),
              (std::vector<std::string>{"$50.00", "$16.67", "$16.67", "$16.67", ""}));

    t.totals({40, 30, 20, 20, 10}); // third place $20.00 shared by rows 3 and 4
    EXPECT_EQ(t.session.payout.GetPayouts(t.session, texts), 4);
    EXPECT_EQ(head(texts, 4), (std::vector<std::string>{"$50.00", "$30.00", "$10.00", "$10.00"}));
}

TEST(CalcPayouts, FourWayTieAtTheTop) {
    Tourney t(4);
    t.net(22.5); // $90.00
    t.totals({20, 20, 20, 20});
    std::vector<std::string> texts;
    EXPECT_EQ(t.session.payout.GetPayouts(t.session, texts), 4);
    EXPECT_EQ(head(texts, 4), (std::vector<std::string>(4, "$22.50")));
}

TEST(CalcPayouts, ATwoWayTieTakesFirstAndSecond) {
    Tourney t(6);
    t.net(10); // $60.00: 30 / 18 / 12
    t.totals({12, 12, 4, 3, 2, 1});
    std::vector<std::string> texts;
    EXPECT_EQ(t.session.payout.GetPayouts(t.session, texts), 3);
    EXPECT_EQ(head(texts, 3), (std::vector<std::string>{"$24.00", "$24.00", "$12.00"}));
}

TEST(CalcPayouts, AmountsAreReadBackAsDisplayed) {
    Tourney t(4);
    t.net(10, 6.65); // $33.35: rows $16.68, $10.01, $6.67 as shown
    EXPECT_EQ(amountTexts(t.session.payout),
              (std::vector<std::string>{"$16.68", "$10.01", "$6.67"}));
    t.totals({20, 20, 10, 5});
    std::vector<std::string> texts;
    t.session.payout.GetPayouts(t.session, texts);
    // (16.68 + 10.01) / 2 = 13.345, where the unrounded amounts would give 13.34.
    EXPECT_EQ(head(texts, 3), (std::vector<std::string>{"$13.35", "$13.35", "$6.67"}));
}

TEST(CalcPayouts, FewEntrantsAreEachPaidTheirRowPosition) {
    Tourney one(1);
    one.net(30);
    one.totals({12});
    std::vector<std::string> texts;
    EXPECT_EQ(one.session.payout.GetPayouts(one.session, texts), 1);
    EXPECT_EQ(head(texts, 2), (std::vector<std::string>{"$15.00", ""}));

    Tourney two(2);
    two.net(50);
    two.totals({10, 14});
    EXPECT_EQ(two.session.payout.GetPayouts(two.session, texts), 2);
    EXPECT_EQ(head(texts, 3), (std::vector<std::string>{"$50.00", "$30.00", ""}));

    Tourney three(3);
    three.net(100);
    three.totals({9, 8, 7});
    EXPECT_EQ(three.session.payout.GetPayouts(three.session, texts), 3);
    EXPECT_EQ(head(texts, 3), (std::vector<std::string>{"$150.00", "$90.00", "$60.00"}));

    // A tie at the end pays nothing past the last entrant.
    Tourney tied(2);
    tied.net(50);
    tied.totals({10, 10});
    EXPECT_EQ(tied.session.payout.GetPayouts(tied.session, texts), 2);
    EXPECT_EQ(head(texts, 3), (std::vector<std::string>{"$40.00", "$40.00", ""}));
}

TEST(CalcPayouts, BeforeAnyScoreEveryoneTiesAndShares) {
    Tourney t(6);
    t.net(10); // $60.00
    std::vector<std::string> texts;
    EXPECT_EQ(t.session.payout.GetPayouts(t.session, texts), 6);
    EXPECT_EQ(head(texts, 6), (std::vector<std::string>(6, "$10.00")));
}

TEST(CalcPayouts, ThreeWaySplitIsNotRoundedBeforeTheText) {
    Tourney t(4);
    t.net(25); // $100.00
    PayoutSettings& ps = t.state().payout;
    ps.CustomPayoutCount = 3;
    ps.CustomPayouts = {100, 0, 0};
    t.session.payout.SelectPayoutOption(t.session, 1);
    t.totals({9, 9, 9, 1});
    std::vector<std::string> texts;
    EXPECT_EQ(t.session.payout.GetPayouts(t.session, texts), 3);
    EXPECT_EQ(head(texts, 3), (std::vector<std::string>(3, "$33.33")));
}

TEST(CalcPayouts, ANegativeShareShowsInParentheses) {
    std::vector<std::string> texts;
    int paid = assignPayouts({"5", "5", "3"}, {-10.0, 0.0}, CurrencyFormat::dollars(), texts);
    EXPECT_EQ(paid, 2);
    EXPECT_EQ(head(texts, 2), (std::vector<std::string>(2, "($5.00)")));
}

TEST(GetPayouts, DisabledPayoutsHandOutTheStoredTexts) {
    Tourney t(4);
    t.net(25);
    t.totals({30, 25, 20, 10});
    std::vector<std::string> texts;
    ASSERT_EQ(t.session.payout.GetPayouts(t.session, texts), 3);

    t.totals({10, 10, 10, 10}); // the stored texts stay as the last calculation left them
    t.session.payout.setPayoutsEnabled(false);
    EXPECT_EQ(t.session.payout.GetPayouts(t.session, texts), 0);
    EXPECT_EQ(head(texts, 4), (std::vector<std::string>{"$50.00", "$30.00", "$20.00", ""}));
    // The leader list is rebuilt all the same.
    EXPECT_EQ(t.state().sortedScores.Item(1), "10~01");
}

TEST(GetPayouts, StoredTextsAreKeptAcrossCallsAndClearedWithTheVariables) {
    Tourney t(5);
    t.net(20);
    t.totals({40, 30, 30, 30, 10});
    std::vector<std::string> texts;
    t.session.payout.GetPayouts(t.session, texts);
    t.totals({40, 30, 20, 10, 5});
    t.session.payout.GetPayouts(t.session, texts);
    // The second call filled three positions; the fourth keeps the first call's text.
    EXPECT_EQ(t.session.payout.storedPayoutTexts(),
              (std::vector<std::string>{"$50.00", "$30.00", "$20.00", "$16.67"}));

    t.session.closeTournament();
    EXPECT_FALSE(t.session.payout.PayoutsEnabled());
    EXPECT_TRUE(t.session.payout.storedPayoutTexts().empty());
    EXPECT_TRUE(t.session.payout.rows().empty());
    EXPECT_FALSE(t.session.payout.controlsEnabled());
    EXPECT_EQ(t.session.payout.GetPayouts(t.session, texts), 0);
}

TEST(GetPayouts, ATotalBeyondSixteenBitsIsAnErrorToTheCaller) {
    Tourney t(3);
    t.net(10);
    t.score(1, 2, "40000");
    std::vector<std::string> texts;
    EXPECT_THROW(t.session.payout.GetPayouts(t.session, texts), RhError);
}

TEST(GetPayouts, ScoresPastTheCurrentRoundDoNotCount) {
    Tourney t(4);
    t.net(25);
    t.tourney().setCurrentRound(2);
    t.score(1, 1, 10);
    t.score(2, 1, 5);
    t.score(1, 2, 12);
    t.score(3, 3, 30); // round 3 is not played yet
    std::vector<std::string> texts;
    t.session.payout.GetPayouts(t.session, texts);
    EXPECT_EQ(t.state().sortedScores.items(),
              (std::vector<std::string>{"15~01", "12~02", "0~03", "0~04"}));
}

// The settings record, the common error message and the two-digit text helpers.
#include "core/errors.h"
#include "core/text.h"
#include "core/tournament_settings.h"

#include <gtest/gtest.h>

using namespace rh;

TEST(Tourney, FreshRecordHasTheDefaults) {
    TournamentSettings t;
    EXPECT_TRUE(t.isProgressive());
    EXPECT_FALSE(t.isTeam());
    EXPECT_EQ(t.TotalPlort(), 4);
    EXPECT_EQ(t.TotalTables(), 1);
    EXPECT_EQ(t.TotalRounds(), 3);
    EXPECT_EQ(t.CurrentRound(), 1);
    EXPECT_EQ(t.BumpFee(), 0);
    EXPECT_EQ(t.WoodFee(), 0);
    EXPECT_EQ(t.EntryFee(), 0);
    EXPECT_EQ(t.Expenses(), 0);
    EXPECT_EQ(t.TourneyTitle(), "Shuffle Up and Deal Again");
    EXPECT_EQ(t.JackpotTitle(), "Bump Jackpot");
    EXPECT_EQ(t.TourneyCode(), "");
    EXPECT_EQ(t.TourneyTypeLabel(), "Progressive");
}

TEST(Tourney, KindFromTextIsExactAndCaseSensitive) {
    TournamentSettings t;
    t.SetTourneyTypeFromStr("Team");
    EXPECT_TRUE(t.isTeam());
    EXPECT_FALSE(t.isProgressive());
    EXPECT_EQ(t.TourneyType(), 1);
    EXPECT_EQ(t.TourneyTypeLabel(), "Team");
    t.SetTourneyTypeFromStr("Progressive");
    EXPECT_TRUE(t.isProgressive());
    EXPECT_EQ(t.TourneyType(), 0);
    EXPECT_EQ(t.TourneyTypeLabel(), "Progressive");
    for (const char* other : {"progressive", "", " Progressive", "Progressive "}) {
        t.SetTourneyTypeFromStr("Progressive");
        t.SetTourneyTypeFromStr(other);
        EXPECT_TRUE(t.isTeam()) << '"' << other << '"';
    }
}

TEST(Tourney, TypeAndLabelAlwaysAgree) {
    TournamentSettings t;
    t.setTourneyType(1);
    EXPECT_EQ(t.TourneyType(), 1);
    EXPECT_EQ(t.TourneyTypeLabel(), "Team");
    t.setTourneyType(7);
    EXPECT_EQ(t.TourneyType(), 0);
    EXPECT_EQ(t.TourneyTypeLabel(), "Progressive");
}

TEST(Tourney, JackpotTitleFallsBackOnlyWhenBlank) {
    TournamentSettings t;
    t.setJackpotTitle("   ");
    EXPECT_EQ(t.JackpotTitle(), "Bump Jackpot");
    EXPECT_EQ(t.StoredJackpotTitle(), "   ");
    t.setJackpotTitle(" Woody Pot ");
    EXPECT_EQ(t.JackpotTitle(), " Woody Pot ");
}

TEST(Tourney, TablesFollowEntrantsAndKind) {
    TournamentSettings t;
    t.setTotalPlort(16);
    t.DeriveTotalTables();
    EXPECT_EQ(t.TotalTables(), 4);
    t.setTotalPlort(9);
    t.DeriveTotalTables();
    EXPECT_EQ(t.TotalTables(), 2);
    t.SetTypeTeam();
    t.setTotalPlort(16);
    t.DeriveTotalTables();
    EXPECT_EQ(t.TotalTables(), 8);
    t.setTotalPlort(7);
    t.DeriveTotalTables();
    EXPECT_EQ(t.TotalTables(), 3);
}

TEST(CommonError, ThreeLinesJoinedByCrLf) {
    RhError e(err::InvalidCall);
    EXPECT_EQ(e.number(), 5);
    EXPECT_EQ(commonErrorText(e), "The following error occured: \r\nError # 5\r\n"
                                  "Invalid procedure call or argument");
    EXPECT_EQ(RhError(457).description(),
              "This key is already associated with an element of this collection");
    EXPECT_EQ(RhError(53).description(), "File not found");
}

TEST(Text, TwoDigitPictures) {
    EXPECT_EQ(fmt00(7), "07");
    EXPECT_EQ(fmt00(12), "12");
    EXPECT_EQ(fmt00(123), "123");
    EXPECT_EQ(fmt00(-3), "-03");
    EXPECT_EQ(fmtItem(7), " 07");
    EXPECT_EQ(Pad2("7"), "07");
    EXPECT_EQ(Pad2(" 7 "), "07");
    EXPECT_EQ(Pad2(7), "07");
    EXPECT_EQ(Pad2("123"), "123");
    EXPECT_EQ(Pad2("abc"), "abc");
    EXPECT_EQ(Pad2(""), "");
}

TEST(Text, SixteenBitConversionRaisesTypedErrors) {
    EXPECT_EQ(toInt16(" 42 "), 42);
    EXPECT_EQ(toInt16("2.5"), 2); // halves to the even neighbour
    EXPECT_EQ(toInt16("3.5"), 4);
    EXPECT_EQ(toInt16("-32768"), -32768);
    try {
        toInt16("abc");
        FAIL() << "no error";
    } catch (const RhError& e) {
        EXPECT_EQ(e.number(), 13);
    }
    try {
        toInt16("32768");
        FAIL() << "no error";
    } catch (const RhError& e) {
        EXPECT_EQ(e.number(), 6);
    }
    EXPECT_THROW(toInt16(""), RhError);
}

TEST(Text, NumbersParseAndPrintWithoutTheLocale) {
    double v = 0;
    EXPECT_TRUE(tryParseNumber("12.5", v));
    EXPECT_DOUBLE_EQ(v, 12.5);
    EXPECT_FALSE(tryParseNumber("12,5", v));
    EXPECT_TRUE(tryParseDecimal("12,5", v));
    EXPECT_DOUBLE_EQ(v, 12.5);
    EXPECT_TRUE(tryParseNumber(".5", v));
    EXPECT_FALSE(tryParseNumber("1.2.3", v));
    EXPECT_FALSE(tryParseNumber("12abc", v));
    EXPECT_FALSE(tryParseNumber("-", v));
    EXPECT_EQ(formatGeneral(2), "2");
    EXPECT_EQ(formatGeneral(0.25), "0.25");
    EXPECT_EQ(formatGeneral(12.5), "12.5");
    EXPECT_EQ(formatGeneral(0.1 + 0.2), "0.3");
    EXPECT_EQ(formatFixed(8.25, 1), "8.3");
    EXPECT_EQ(formatFixed(-0.001, 2), "0.00");
}

TEST(Text, RecordFields) {
    EXPECT_EQ(field("57~07", 0), "57");
    EXPECT_EQ(field("57~07", 1), "07");
    EXPECT_EQ(field("57", 1), "");
    EXPECT_EQ(splitFields("a~b~c").size(), 3u);
}

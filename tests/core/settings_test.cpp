// The common error message and the text helpers. (The settings record's defaults and kind words
// are seen through the reading rules' files and the tournament info tests of persist_reader_test.)
#include "core/errors.h"
#include "core/text.h"

#include <gtest/gtest.h>

using namespace rh;

TEST(CommonError, ThreeLinesJoinedByCrLf) {
    RhError e(err::InvalidCall);
    EXPECT_EQ(e.number(), 5);
    EXPECT_EQ(commonErrorText(e), "The following error occured: \r\nError # 5\r\n"
                                  "Invalid procedure call or argument");
    EXPECT_EQ(RhError(457).description(),
              "This key is already associated with an element of this collection");
    EXPECT_EQ(RhError(53).description(), "File not found");
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

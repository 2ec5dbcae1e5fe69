// Keys, the seating roster and its partner and opponent lookups.
#include "core/errors.h"
#include "roster/keys.h"
#include "roster/roster.h"

#include <gtest/gtest.h>

using namespace rh;

TEST(Keys, PaddedAndJoined) {
    EXPECT_EQ(RosterKey("3", "12", "3"), "031203");
    EXPECT_EQ(TeamKey("10", "7"), "1007");
    EXPECT_EQ(RosterKey("1", "105", "1"), "0110501");
    EXPECT_EQ(makekey(" 5", "12 "), "0512");
    EXPECT_EQ(makekey(" ", "5"), "0005");
    EXPECT_EQ(makekey2(3, 7), "0307");
    EXPECT_EQ(makekey("100", "1"), "10001");
    EXPECT_EQ(SeatKey(2, 3, 1, 2), "02030102");
    EXPECT_EQ(TeamSeatKey(2, 3, 2), "020302");
}

TEST(Keys, StayUniqueForLargeFieldsBelowARoundOf100) {
    KeyedCollection keys;
    for (int r = 1; r <= 99; r += 7)
        for (int id = 1; id <= 2000; id += 13)
            keys.Add("", makekey2(r, id)); // a collision would throw
    SUCCEED();
}

TEST(Keys, PlayerNameLookupFailsForAMissingId) {
    KeyedCollection names;
    names.Add("Alice", "07");
    EXPECT_EQ(GetPlayerName(names, 7), "Alice");
    EXPECT_EQ(GetPlayerName(names, "7"), "Alice");
    try {
        (void)GetPlayerName(names, 8);
        FAIL();
    } catch (const RhError& e) {
        EXPECT_EQ(e.number(), err::InvalidCall);
    }
}

TEST(Roster, TwelveRelationsOfAProgressiveTable) {
    Roster roster;
    roster.AddPlayers(2, {5, 9, 14, 3});
    EXPECT_EQ(roster.Count(), 12);
    EXPECT_EQ(roster.getPartner("2", "5"), "09");
    EXPECT_EQ(roster.getOpponent1("02", "05"), "14");
    EXPECT_EQ(roster.getOpponent2("2", "05"), "03");
    EXPECT_EQ(roster.getPartner("2", "14"), "03");
    EXPECT_EQ(roster.getOpponent1("2", "3"), "05");
    EXPECT_EQ(roster.getOpponent2("2", "3"), "09");
    EXPECT_EQ(roster.GetPlayer("2", "9", "1"), "05");
    // Insertion order: seat 1's three relations first.
    auto values = roster.NewEnum();
    EXPECT_EQ((std::vector<std::string>(values.begin(), values.begin() + 6)),
              (std::vector<std::string>{"09", "14", "03", "05", "14", "03"}));
    EXPECT_EQ((std::vector<std::string>(values.begin() + 6, values.end())),
              (std::vector<std::string>{"03", "05", "09", "14", "05", "09"}));
}

TEST(Roster, MissingRelationsReadEmpty) {
    Roster roster;
    roster.AddPlayers(1, {1, 2, 3, 4});
    EXPECT_EQ(roster.getPartner("1", "6"), "");
    EXPECT_EQ(roster.getPartner("2", "1"), "");
    EXPECT_EQ(roster.getPartner("1", "00"), "");
    EXPECT_EQ(roster.Item("999999"), "");
    EXPECT_TRUE(roster.Exists("1", "1", "1"));
    EXPECT_TRUE(roster.Exists("01", "01", "01"));
    EXPECT_FALSE(roster.Exists("1", "5", "1"));
}

TEST(Roster, TeamTables) {
    Roster roster;
    roster.AddTeams(1, {4, 6});
    EXPECT_EQ(roster.GetTeam("1", "4"), "06");
    EXPECT_EQ(roster.GetTeam("01", "06"), "04");
    EXPECT_TRUE(roster.ExistsTeam("1", "4"));
    EXPECT_FALSE(roster.ExistsTeam("2", "4"));
    EXPECT_TRUE(roster.isSeated(false, "1", "06"));
}

TEST(Roster, SeatingSomeoneTwiceInARoundIsADuplicateKey) {
    Roster roster;
    roster.AddPlayers(1, {1, 2, 3, 4});
    try {
        roster.AddPlayers(1, {5, 1, 6, 7});
        FAIL();
    } catch (const RhError& e) {
        EXPECT_EQ(e.number(), err::DuplicateKey);
    }
}

TEST(Roster, ClearEmptiesEverything) {
    Roster roster;
    roster.AddPlayers(1, {1, 2, 3, 4});
    roster.Clear();
    EXPECT_EQ(roster.Count(), 0);
    EXPECT_EQ(roster.getPartner("1", "1"), "");
}

// The alias rules of the Alias tab: duplicates in any letter case, an entrant's own alias in
// another case, empty aliases, and the entrant offered next.
#include "core/keyed_collection.h"
#include "roster/aliases.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rh {
namespace {

struct Aliases : ::testing::Test {
    KeyedCollection aliases;
    std::vector<std::string> ids{"03", "01", "04", "02"}; // the list's order (by name)

    void SetUp() override {
        aliases.Add("Ace", "01");
        aliases.Add("Bower", "04");
    }
};

TEST_F(Aliases, AnotherEntrantsAliasInAnyCaseIsADuplicate) {
    EXPECT_TRUE(IsDuplicateAlias(aliases, ids, "ace", "03"));
    EXPECT_TRUE(IsDuplicateAlias(aliases, ids, "BOWER", "02"));
    EXPECT_TRUE(IsDuplicateAlias(aliases, ids, " Ace ", "02")); // reads the same in a hint
    EXPECT_FALSE(IsDuplicateAlias(aliases, ids, "Aces", "03"));
    // The entrant's own alias is no duplicate of itself; a blank alias never is one.
    EXPECT_FALSE(IsDuplicateAlias(aliases, ids, "ACE", "01"));
    EXPECT_FALSE(IsDuplicateAlias(aliases, ids, "", "03"));
    EXPECT_FALSE(IsDuplicateAlias(aliases, ids, "   ", "03"));
}

TEST_F(Aliases, OnlyListedEntrantsCount) {
    aliases.Add("Joker", "99"); // an alias without an entrant in the list
    EXPECT_FALSE(IsDuplicateAlias(aliases, ids, "joker", "03"));
}

TEST_F(Aliases, DuplicateStoresNothing) {
    EXPECT_EQ(UpdateAlias(aliases, ids, "03", "aCE"), AliasUpdate::Duplicate);
    EXPECT_FALSE(aliases.Exists("03"));
    EXPECT_EQ(aliases.value("01"), "Ace");
}

TEST_F(Aliases, OwnAliasInOtherCaseChangesNothing) {
    EXPECT_EQ(UpdateAlias(aliases, ids, "01", "ACE"), AliasUpdate::Unchanged);
    EXPECT_EQ(aliases.value("01"), "Ace");
}

TEST_F(Aliases, StoresAsTyped) {
    EXPECT_EQ(UpdateAlias(aliases, ids, "03", "Left Bower "), AliasUpdate::Stored);
    EXPECT_EQ(aliases.Item("03"), "Left Bower ");
    EXPECT_EQ(UpdateAlias(aliases, ids, "01", "Lefty"), AliasUpdate::Stored);
    EXPECT_EQ(aliases.Item("01"), "Lefty");
    // The freed alias may be taken by someone else now.
    EXPECT_EQ(UpdateAlias(aliases, ids, "02", "ace"), AliasUpdate::Stored);
    EXPECT_EQ(aliases.Item("02"), "ace");
}

TEST_F(Aliases, ClearingStoresAnEmptyAlias) {
    EXPECT_EQ(UpdateAlias(aliases, ids, "04", ""), AliasUpdate::Stored);
    ASSERT_TRUE(aliases.Exists("04"));
    EXPECT_EQ(aliases.Item("04"), "");
    EXPECT_FALSE(HasAlias(aliases, "04"));
}

TEST_F(Aliases, NoEntrantChosenStoresNothing) {
    EXPECT_EQ(UpdateAlias(aliases, ids, "00", "Nobody"), AliasUpdate::NoEntrant);
    EXPECT_EQ(UpdateAlias(aliases, ids, "", "Nobody"), AliasUpdate::NoEntrant);
    EXPECT_FALSE(aliases.Exists("00"));
    EXPECT_EQ(aliases.Count(), 2u);
}

TEST_F(Aliases, NextWithoutAliasFollowsTheListOrder) {
    EXPECT_EQ(SelectNextWithoutAlias(aliases, ids), 0); // "03"
    UpdateAlias(aliases, ids, "03", "Trump");
    EXPECT_EQ(SelectNextWithoutAlias(aliases, ids), 3); // "02"
    UpdateAlias(aliases, ids, "02", "Euchred");
    // Everybody has one: the first entrant.
    EXPECT_EQ(SelectNextWithoutAlias(aliases, ids), 0);
    // A cleared alias counts as none again.
    UpdateAlias(aliases, ids, "04", "");
    EXPECT_EQ(SelectNextWithoutAlias(aliases, ids), 2);
    EXPECT_EQ(SelectNextWithoutAlias(aliases, {}), -1);
}

} // namespace
} // namespace rh

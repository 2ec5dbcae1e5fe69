// The alias rules of the Alias tab: duplicates in any letter case, an entrant's own alias in
// another case, empty aliases, and the entrant offered next.
#include "roster/aliases.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rh {
namespace {

struct Aliases : ::testing::Test {
    Entrants entrants;
    // The list's order (by name).
    std::vector<EntrantId> ids{entrantAt(3), entrantAt(1), entrantAt(4), entrantAt(2)};

    void SetUp() override {
        entrants.record(entrantAt(1)).alias = "Ace";
        entrants.record(entrantAt(4)).alias = "Bower";
        entrants.record(entrantAt(99)).alias = "Joker"; // an alias without an entrant listed
    }
    AliasUpdate update(int id, const std::string& typed) {
        return updateAlias(entrants, ids, entrantAt(id), typed);
    }
};

TEST_F(Aliases, AnotherListedEntrantsAliasInAnyCaseIsADuplicate) {
    struct Case {
        const char* alias;
        int except;
        bool duplicate;
    } cases[] = {{"ace", 3, true},  {"BOWER", 2, true}, {" Ace ", 2, true}, {"Aces", 3, false},
                 {"ACE", 1, false}, {"", 3, false},     {"   ", 3, false},  {"joker", 3, false}};
    for (const Case& c : cases)
        EXPECT_EQ(isDuplicateAlias(entrants, ids, c.alias, entrantAt(c.except)), c.duplicate)
            << "[" << c.alias << "] for " << c.except;
}

TEST_F(Aliases, WhatAnUpdateStores) {
    EXPECT_EQ(update(3, "aCE"), AliasUpdate::Duplicate);
    EXPECT_FALSE(entrants.find(entrantAt(3)));
    EXPECT_EQ(update(1, "ACE"), AliasUpdate::Unchanged);
    EXPECT_EQ(entrants.aliasOf(entrantAt(1)), "Ace");
    EXPECT_EQ(update(3, "Left Bower "), AliasUpdate::Stored);
    EXPECT_EQ(entrants.aliasOf(entrantAt(3)), "Left Bower ") << "stored as typed";
    EXPECT_EQ(update(1, "Lefty"), AliasUpdate::Stored);
    EXPECT_EQ(update(2, "ace"), AliasUpdate::Stored) << "a freed alias may be taken";
    // Clearing stores an empty alias, which counts as none.
    EXPECT_EQ(update(4, ""), AliasUpdate::Stored);
    EXPECT_EQ(entrants.find(entrantAt(4))->alias, std::optional<std::string>(""));
    EXPECT_FALSE(hasAlias(entrants, entrantAt(4)));
    // No entrant chosen: nothing stored.
    EXPECT_EQ(updateAlias(entrants, ids, entrantAt(0), "Nobody"), AliasUpdate::NoEntrant);
    EXPECT_EQ(updateAlias(entrants, ids, std::nullopt, "Nobody"), AliasUpdate::NoEntrant);
    EXPECT_FALSE(entrants.find(entrantAt(0)));
}

TEST_F(Aliases, NextWithoutAliasFollowsTheListOrder) {
    EXPECT_EQ(nextWithoutAlias(entrants, ids), 0); // 3
    update(3, "Trump");
    EXPECT_EQ(nextWithoutAlias(entrants, ids), 3); // 2
    update(2, "Euchred");
    EXPECT_EQ(nextWithoutAlias(entrants, ids), 0) << "everybody has one: the first entrant";
    update(4, "");
    EXPECT_EQ(nextWithoutAlias(entrants, ids), 2) << "a cleared alias counts as none again";
    EXPECT_EQ(nextWithoutAlias(entrants, {}), -1);
}

} // namespace
} // namespace rh

// Round completeness, the waiting entrants, the score/lone mismatch list, who sits out, and the
// validation window's lists (every seated player with the partner's score, or only the
// disagreements).
#include "engine_fixture.h"
#include "state/round.h"
#include "state/validate.h"

#include <gtest/gtest.h>

using namespace rh;
using rh::test::Tourney;
using Texts = std::vector<std::string>;

namespace {

Texts numbered(int count) {
    Texts names;
    for (int i = 1; i <= count; ++i)
        names.push_back("A" + fmt00(i));
    return names;
}
Texts namesOf(const std::vector<EntrantRef>& entrants) {
    Texts out;
    for (const auto& e : entrants)
        out.push_back(e.name);
    return out;
}

} // namespace

TEST(RoundCompleteness, OnlySeatedEntrantsCountAndDoubleZeroIsAScore) {
    Tourney t(5, 1, true, numbered(5)); // A05 sits out
    EXPECT_FALSE(isRoundComplete(t.session().state(), roundAt(1)));
    EXPECT_EQ(namesOf(waitingEntrants(t.session().state(), roundAt(1))),
              (Texts{"A01", "A02", "A03", "A04"}));
    t.score(1, 1, 0).score(1, 2, 0).score(1, 3, 0);
    EXPECT_FALSE(isRoundComplete(t.session().state(), roundAt(1)));
    EXPECT_EQ(namesOf(waitingEntrants(t.session().state(), roundAt(1))), (Texts{"A04"}));
    t.score(1, 4, 0);
    const TournamentState& s = t.session().state();
    EXPECT_TRUE(isRoundComplete(s, roundAt(1)));
    EXPECT_TRUE(waitingEntrants(s, roundAt(1)).empty());
    EXPECT_TRUE(isRoundComplete(s, roundAt(7))); // a round nobody is seated in has nobody missing

    Tourney team(3, 1, false, numbered(3));
    team.seat(1, {1, 3}).score(1, 1, 10);
    EXPECT_FALSE(isRoundComplete(team.session().state(), roundAt(1)));
    team.score(1, 3, 4);
    EXPECT_TRUE(isRoundComplete(team.session().state(), roundAt(1)));
    EXPECT_FALSE(team.session().state().isSeated(roundAt(1), entrantAt(2)));
}

TEST(Mismatches, FourPointsALoneNamesInNameOrderEachOnItsOwnLine) {
    Tourney t(5, 3, true, {"Zed", "Amy", "Max", "Bea", "Cy"});
    t.round(2).score(1, 1, 3).score(2, 1, 2).lones(1, 2); // Zed: 5 with 2 lones
    t.score(1, 2, 4).lones(2, 1);                         // Amy: 4 with 1 lone fits
    t.lones(3, 1).score(3, 3, 32); // Max: no score, 1 lone; a later round does not count
    t.score(1, 4, 7).lones(4, 2);  // Bea: 7 with 2 lones, one point short
    t.score(1, 5, 8).lones(5, 2);  // Cy: 8 with 2 lones fits exactly
    EXPECT_EQ(mismatchList(t.session().state()), "Bea\r\nMax\r\nZed\r\n");
    t.lones(1, 1).lones(3, 0).lones(4, 1);
    EXPECT_EQ(mismatchList(t.session().state()), "");
}

TEST(SittingOut, WhoAndHowManyLabels) {
    Tourney t(10, 2, true, {"Jo", "Al", "Bo", "Cy", "Di", "Ed", "Fi", "Gil", "Hu", "Ivy"});
    t.seat(1, {1, 3, 5, 7}).seat(1, {2, 4, 6, 8});  // Hu (9) and Ivy (10) sit out round 1
    t.seat(2, {3, 4, 5, 6}).seat(2, {7, 8, 9, 10}); // Jo (1) and Al (2) sit out round 2
    EXPECT_FALSE(sittingOut(t.session().state(), false).frameVisible);
    SittingOut out = sittingOut(t.session().state(), true);
    EXPECT_TRUE(out.frameVisible);
    EXPECT_EQ(out.visibleLabels, 2);
    EXPECT_EQ(out.labels, (std::array<std::string, 3>{"Hu", "Ivy", ""}));
    EXPECT_EQ(out.names, (Texts{"Hu", "Ivy"}));
    t.round(2);
    EXPECT_EQ(sittingOut(t.session().state(), true).names, (Texts{"Al", "Jo"})); // name order

    // Every sitter is listed, even beyond the labels.
    Tourney nine(9, 1, true, numbered(9));
    nine.seat(1, {1, 2, 3, 4});
    out = sittingOut(nine.session().state(), true);
    EXPECT_EQ(out.visibleLabels, 1);
    EXPECT_EQ(out.labels[0], "A05");
    EXPECT_EQ(out.labels[2], "A07");
    EXPECT_EQ(out.names.size(), 5u);
    EXPECT_EQ(out.names.back(), "A09");

    for (int players : {5, 6, 7, 8, 9, 12}) {
        Tourney n(players, 1, true, numbered(players));
        const int rest = players % 4;
        EXPECT_EQ(someoneSitsOut(n.session().state(), true), rest != 0) << players;
        EXPECT_EQ(sittingOut(n.session().state(), true).visibleLabels, rest == 1   ? 1
                                                                       : rest == 2 ? 2
                                                                                   : 3)
            << players;
    }
    for (int teams : {8, 9}) {
        Tourney n(teams, 1, false, numbered(teams));
        EXPECT_EQ(someoneSitsOut(n.session().state(), true), teams == 9);
    }
}

TEST(Validate, CheckListsEverySeatedPlayerValidateOnlyDisagreements) {
    // Five players (Eve sits out round 1, Ann round 2); round 2 is current.
    auto five = [](Tourney& t) {
        t.seat(1, {1, 2, 3, 4}).seat(2, {2, 5, 3, 4}).round(2);
        t.score(1, 1, 7).score(1, 2, 7).score(1, 3, 3).score(1, 4, 3);
    };
    const Texts names = {"Ann", "Bob", "Cat", "Dan", "Eve"};
    Tourney t(5, 3, true, names);
    five(t);
    EXPECT_EQ(ValidateList(t.session().state(), ValidateMode::Validate),
              (Texts{"*** End of Validation ***"}));
    t.score(2, 2, 11).score(3, 1, 5); // a later round is not reported
    EXPECT_EQ(
        ValidateList(t.session().state(), ValidateMode::Check),
        (Texts{"Round: 1 Player: Ann  Score: 07  Partner: Bob Score: 07",
               "Round: 1 Player: Bob  Score: 07  Partner: Ann Score: 07",
               "Round: 1 Player: Cat  Score: 03  Partner: Dan Score: 03",
               "Round: 1 Player: Dan  Score: 03  Partner: Cat Score: 03",
               "Round: 2 Player: Bob  Score: 11  Partner:  Score: ",
               "Round: 2 Player: Cat  Score:   Partner:  Score: ",
               "Round: 2 Player: Dan  Score:   Partner:  Score: ",
               "Round: 2 Player: Eve  Score:   Partner: Bob Score: 11", "*** End of Check ***"}));
    Tourney v(5, 3, true, names);
    five(v);
    v.score(1, 4, 5).score(2, 5, 8); // Dan disagrees with Cat; Eve scored, her partner Bob not
    EXPECT_EQ(
        ValidateList(v.session().state(), ValidateMode::Validate),
        (Texts{"Round: 1 Player: Cat  Score: 03  Partner: Dan Score: 05",
               "Round: 1 Player: Dan  Score: 05  Partner: Cat Score: 03",
               "Round: 2 Player: Bob  Score:   Partner: Eve Score: 08",
               "Round: 2 Player: Eve  Score: 08  Partner:  Score: ", "*** End of Validation ***"}));
}

TEST(Validate, PartnerWithoutANameAndTeamTournaments) {
    Tourney t(9, 1, true, {"Ann"});
    t.unnamed(9).unnamed(8).unnamed(7).seat(1, {1, 9, 8, 7}).score(1, 1, 4).score(1, 9, 4);
    EXPECT_EQ(ValidateList(t.session().state(), ValidateMode::Check).front(),
              "Round: 1 Player: Ann  Score: 04  Partner:  Score: 04");

    Tourney team(2, 1, false, {"Aces", "Bees"});
    team.score(1, 1, 5);
    EXPECT_EQ(ValidateList(team.session().state(), ValidateMode::Check),
              (Texts{"*** End of Check ***"}));
    EXPECT_EQ(ValidateList(team.session().state(), ValidateMode::Validate),
              (Texts{"*** End of Validation ***"}));
}

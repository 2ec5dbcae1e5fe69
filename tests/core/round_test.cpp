// Round completeness, the waiting entrants, the score/lone mismatch list and who sits out.
#include "core/text.h"
#include "state/round.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

using namespace rh;

namespace {

// Entrants "A01".."Ann": names sort in id order unless given otherwise.
void addEntrants(TournamentState& s, const std::vector<std::string>& names) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string id = fmt00(static_cast<long long>(i + 1));
        s.names.Add(names[i], id);
        s.sortedNames.AddItem(names[i] + "~" + id);
    }
    s.settings.setTotalPlort(static_cast<std::int16_t>(names.size()));
}

std::vector<std::string> numbered(int count) {
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i)
        names.push_back("A" + fmt00(i));
    return names;
}

std::vector<std::string> namesOf(const std::vector<EntrantRef>& entrants) {
    std::vector<std::string> out;
    for (const auto& e : entrants)
        out.push_back(e.name);
    return out;
}

} // namespace

TEST(RoundCompleteness, OnlySeatedEntrantsCountAndDoubleZeroIsAScore) {
    TournamentState s;
    addEntrants(s, numbered(5));
    s.roster.AddPlayers(1, {1, 2, 3, 4}); // A05 sits out
    EXPECT_FALSE(isRoundComplete(s, 1LL));
    EXPECT_EQ(namesOf(waitingEntrants(s, 1)),
              (std::vector<std::string>{"A01", "A02", "A03", "A04"}));
    for (const char* id : {"1", "2", "3"})
        s.scores.setScore("1", id, "00");
    EXPECT_FALSE(isRoundComplete(s, "1"));
    EXPECT_EQ(namesOf(waitingEntrants(s, 1)), (std::vector<std::string>{"A04"}));
    s.scores.setScore("1", "4", "00");
    EXPECT_TRUE(isRoundComplete(s, "01"));
    EXPECT_TRUE(isRoundComplete(s, " 1"));
    EXPECT_TRUE(waitingEntrants(s, 1).empty());
    // A round nobody is seated in has nobody missing.
    EXPECT_TRUE(isRoundComplete(s, 7LL));
}

TEST(RoundCompleteness, TeamsAreSeatedByTheirOpponents) {
    TournamentState s;
    s.settings.SetTypeTeam();
    addEntrants(s, numbered(3));
    s.roster.AddTeams(1, {1, 3});
    s.scores.setScore("1", "1", "10");
    EXPECT_FALSE(isRoundComplete(s, 1LL));
    s.scores.setScore("1", "3", "04");
    EXPECT_TRUE(isRoundComplete(s, 1LL));
    EXPECT_FALSE(isSeatedInRound(s, "1", "2"));
}

TEST(Mismatches, NamesInNameOrderEachOnItsOwnLine) {
    TournamentState s;
    addEntrants(s, {"Zed", "Amy", "Max"});
    s.settings.setCurrentRound(2);
    s.scores.setScore("1", "1", "03");
    s.scores.setScore("2", "1", "02"); // Zed: 5 with 2 lones
    s.lones.Add("02", "01");
    s.scores.setScore("1", "2", "04"); // Amy: 4 with 1 lone fits
    s.lones.Add("01", "02");
    s.lones.Add("01", "03");           // Max: no score, 1 lone
    s.scores.setScore("3", "3", "32"); // a later round does not count
    EXPECT_EQ(mismatchList(s), "Max\r\nZed\r\n");
    s.lones.replace("01", "01");
    s.lones.replace("03", "00");
    EXPECT_EQ(mismatchList(s), "");
}

TEST(SittingOut, TenPlayersNameTheTwoLeftOver) {
    TournamentState s;
    addEntrants(s, {"Jo", "Al", "Bo", "Cy", "Di", "Ed", "Fi", "Gil", "Hu", "Ivy"});
    s.roster.AddPlayers(1, {1, 3, 5, 7});
    s.roster.AddPlayers(1, {2, 4, 6, 8}); // Hu (9) and Ivy (10) sit out round 1
    s.roster.AddPlayers(2, {3, 4, 5, 6});
    s.roster.AddPlayers(2, {7, 8, 9, 10}); // Jo (1) and Al (2) sit out round 2
    s.settings.setCurrentRound(1);

    EXPECT_FALSE(sittingOut(s, false).frameVisible);
    SittingOut out = sittingOut(s, true);
    EXPECT_TRUE(out.frameVisible);
    EXPECT_EQ(out.visibleLabels, 2);
    EXPECT_EQ(out.labels, (std::array<std::string, 3>{"Hu", "Ivy", ""}));
    EXPECT_EQ(out.names, (std::vector<std::string>{"Hu", "Ivy"}));

    s.settings.setCurrentRound(2);
    out = sittingOut(s, true);
    EXPECT_EQ(out.names, (std::vector<std::string>{"Al", "Jo"})); // name order
}

TEST(SittingOut, LabelCountFollowsTheEntrantCount) {
    for (int players : {5, 6, 7, 8, 9, 12}) {
        TournamentState s;
        addEntrants(s, numbered(players));
        const int rest = players % 4;
        EXPECT_EQ(someoneSitsOut(s, true), rest != 0) << players;
        EXPECT_EQ(sittingOut(s, true).visibleLabels, rest == 1 ? 1 : rest == 2 ? 2 : 3) << players;
    }
    TournamentState team;
    team.settings.SetTypeTeam();
    addEntrants(team, numbered(8));
    EXPECT_FALSE(someoneSitsOut(team, true));
    team.settings.setTotalPlort(9);
    EXPECT_TRUE(someoneSitsOut(team, true));
}

TEST(SittingOut, EverySitterIsListedEvenBeyondTheLabels) {
    TournamentState s;
    addEntrants(s, numbered(9));
    s.roster.AddPlayers(1, {1, 2, 3, 4}); // five sit out
    const SittingOut out = sittingOut(s, true);
    EXPECT_EQ(out.visibleLabels, 1);
    EXPECT_EQ(out.labels[0], "A05");
    EXPECT_EQ(out.labels[2], "A07");
    EXPECT_EQ(out.names.size(), 5u);
    EXPECT_EQ(out.names.back(), "A09");
}

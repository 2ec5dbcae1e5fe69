// The validation window's lists: every seated player with the partner's score (Check), or only the
// disagreements (Validate).
#include "core/text.h"
#include "state/validate.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace rh;

namespace {

void addEntrants(TournamentState& s, const std::vector<std::string>& names) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string id = fmt00(static_cast<long long>(i + 1));
        s.names.Add(names[i], id);
        s.sortedNames.AddItem(names[i] + "~" + id);
    }
    s.settings.setTotalPlort(static_cast<std::int16_t>(names.size()));
}

// Five players (Eve sits out round 1, Ann round 2); round 2 is current.
TournamentState fivePlayers() {
    TournamentState s;
    addEntrants(s, {"Ann", "Bob", "Cat", "Dan", "Eve"});
    s.roster.AddPlayers(1, {1, 2, 3, 4});
    s.roster.AddPlayers(2, {2, 5, 3, 4});
    s.settings.setCurrentRound(2);
    for (const char* id : {"1", "2"})
        s.scores.setScore("1", id, "07");
    for (const char* id : {"3", "4"})
        s.scores.setScore("1", id, "03");
    return s;
}

} // namespace

TEST(Validate, CheckListsEverySeatedPlayerOfEveryRoundSoFar) {
    TournamentState s = fivePlayers();
    s.scores.setScore("2", "2", "11");
    s.scores.setScore("3", "1", "05"); // a later round is not reported
    const std::vector<std::string> lines = ValidateList(s, ValidateMode::Check);
    EXPECT_EQ(lines,
              (std::vector<std::string>{"Round: 1 Player: Ann  Score: 07  Partner: Bob Score: 07",
                                        "Round: 1 Player: Bob  Score: 07  Partner: Ann Score: 07",
                                        "Round: 1 Player: Cat  Score: 03  Partner: Dan Score: 03",
                                        "Round: 1 Player: Dan  Score: 03  Partner: Cat Score: 03",
                                        "Round: 2 Player: Bob  Score: 11  Partner:  Score: ",
                                        "Round: 2 Player: Cat  Score:   Partner:  Score: ",
                                        "Round: 2 Player: Dan  Score:   Partner:  Score: ",
                                        "Round: 2 Player: Eve  Score:   Partner: Bob Score: 11",
                                        "*** End of Check ***"}));
}

TEST(Validate, ValidateListsOnlyDisagreements) {
    TournamentState s = fivePlayers();
    EXPECT_EQ(ValidateList(s, ValidateMode::Validate),
              (std::vector<std::string>{"*** End of Validation ***"}));

    s.scores.setScore("1", "4", "05"); // Dan disagrees with Cat
    s.scores.setScore("2", "5", "08"); // Eve scored, her partner Bob not yet: both listed
    EXPECT_EQ(ValidateList(s, ValidateMode::Validate),
              (std::vector<std::string>{"Round: 1 Player: Cat  Score: 03  Partner: Dan Score: 05",
                                        "Round: 1 Player: Dan  Score: 05  Partner: Cat Score: 03",
                                        "Round: 2 Player: Bob  Score:   Partner: Eve Score: 08",
                                        "Round: 2 Player: Eve  Score: 08  Partner:  Score: ",
                                        "*** End of Validation ***"}));
}

TEST(Validate, PartnerWithoutANameReadsEmpty) {
    TournamentState s;
    addEntrants(s, {"Ann"});
    s.roster.AddPlayers(1, {1, 9, 8, 7}); // 9 has no name (a damaged file)
    s.scores.setScore("1", "1", "04");
    s.scores.setScore("1", "9", "04");
    EXPECT_EQ(ValidateList(s, ValidateMode::Check).front(),
              "Round: 1 Player: Ann  Score: 04  Partner:  Score: 04");
}

TEST(Validate, TeamTournamentsHoldOnlyTheClosingLine) {
    TournamentState s;
    s.settings.SetTypeTeam();
    addEntrants(s, {"Aces", "Bees"});
    s.roster.AddTeams(1, {1, 2});
    s.scores.setScore("1", "1", "05");
    EXPECT_EQ(ValidateList(s, ValidateMode::Check),
              (std::vector<std::string>{"*** End of Check ***"}));
    EXPECT_EQ(ValidateList(s, ValidateMode::Validate),
              (std::vector<std::string>{"*** End of Validation ***"}));
}

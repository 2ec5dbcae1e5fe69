// A substitute takes over an entrant's seat and scores: renameEntrant changes the name wherever
// the tournament holds it, refuses names that would clash, and the change survives a save.
#include "core/scripted_prompt.h"
#include "persistence/tournament_writer.h"
#include "scoring/score.h"
#include "services/load_save.h"
#include "services/substitute.h"
#include "support/generator.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace rh;

namespace {

class Substitute : public ::testing::Test {
protected:
    void SetUp() override {
        test::GeneratorOptions o;
        o.entrants = 8;
        o.rounds = 3;
        o.scoredRounds = 1;
        o.code = "SUB1";
        o.names = {"Ann", "Bob", "Cy", "Dee"};
        TournamentState original;
        test::generateTournament(original, o);
        file = (tmp / "sub.qmc").string();
        ScriptedPrompt quiet;
        ASSERT_TRUE(CreateSaveDoc(original, quiet, file, false));
        ASSERT_TRUE(ResetAndLoad(session, file));
        session.markSaved();
    }

    std::vector<std::string> sortedNames() const {
        std::vector<std::string> out;
        for (const EntrantRef& e : session.state().entrantsByName())
            out.push_back(e.name + "~" + e.id);
        return out;
    }

    test::TempDir tmp;
    std::string file;
    ScriptedPrompt prompt;
    Session session{prompt};
};

} // namespace

TEST_F(Substitute, RefusesNamesThatCannotStand) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"  ", "The new name is empty."},
        {" bob ", "\"Bob\" is already in the tournament."},
        {"A~B", "A name cannot hold \"~\"."},
        {"A\tB", "A name cannot hold a control character."},
    };
    const std::string before = test::dumpTournament(session.state());
    for (const auto& [name, why] : cases)
        EXPECT_EQ(renameEntrant(session, "01", name), why) << name;
    EXPECT_EQ(renameEntrant(session, "99", "Zed"), "No entrant has the ID 99.");
    EXPECT_EQ(test::dumpTournament(session.state()), before);
    EXPECT_TRUE(session.isSaved());
    // Its own name in other letter case is not a clash.
    EXPECT_EQ(renameEntrant(session, "1", "ANN"), "");
    EXPECT_EQ(session.state().nameOf("01"), "ANN");
}

TEST_F(Substitute, TheSubstituteKeepsSeatAndScoresAndTheRenameIsSaved) {
    const std::string score = session.state().scores.getScore2("01", "02");
    ASSERT_FALSE(score.empty());
    const std::string partner = session.state().roster.getPartner("01", "02");
    ASSERT_EQ(renameEntrant(session, "2", "  Zed Young "), "");
    EXPECT_FALSE(session.isSaved());
    EXPECT_EQ(session.state().nameOf("02"), "Zed Young");
    const std::vector<std::string> names = sortedNames();
    EXPECT_EQ(names.back(), "Zed Young~02");
    EXPECT_EQ(std::count(names.begin(), names.end(), "Bob~02"), 0);
    EXPECT_EQ(std::count(session.state().debugNames.begin(), session.state().debugNames.end(),
                         "Zed Young~02"),
              1);

    ASSERT_TRUE(SaveTournament(session, file));
    ScriptedPrompt quiet;
    Session reloaded(quiet);
    ASSERT_TRUE(ResetAndLoad(reloaded, file));
    EXPECT_EQ(reloaded.state().nameOf("02"), "Zed Young");
    EXPECT_EQ(reloaded.state().scores.getScore2("01", "02"), score);
    EXPECT_EQ(reloaded.state().roster.getPartner("01", "02"), partner);
}

TEST(SubstituteWithoutTournament, IsRefused) {
    ScriptedPrompt prompt;
    Session session(prompt);
    EXPECT_EQ(renameEntrant(session, "01", "Ann"), "No tournament is loaded.");
}

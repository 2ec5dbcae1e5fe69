// A substitute takes over an entrant's seat and scores: renameEntrant changes the name wherever
// the tournament holds it, refuses names that would clash, and the change survives a save.
#include "core/scripted_prompt.h"
#include "engine_fixture.h"
#include "persistence/tournament_writer.h"
#include "services/load_save.h"
#include "services/substitute.h"
#include "services/views.h"
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

    std::vector<std::string> names() {
        std::vector<std::string> out;
        for (const GameDetailRow& r : gameDetailRows(session))
            out.push_back(r.cells.front() + "~" + r.tag);
        return out;
    }
    std::string section(const char* name) {
        const std::string x = buildTournamentXml(session.state());
        const auto at = x.find(std::string("<") + name + ">");
        return x.substr(at, x.find(std::string("</") + name + ">") - at);
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
    const std::string before = buildTournamentXml(session.state());
    for (const auto& [name, why] : cases)
        EXPECT_EQ(renameEntrant(session, "01", name), why) << name;
    EXPECT_EQ(renameEntrant(session, "99", "Zed"), "No entrant has the ID 99.");
    EXPECT_EQ(buildTournamentXml(session.state()), before);
    EXPECT_TRUE(session.isSaved());
    // Its own name in other letter case is not a clash.
    EXPECT_EQ(renameEntrant(session, "1", "ANN"), "");
    EXPECT_EQ(names().front(), "ANN~01");
}

TEST_F(Substitute, TheSubstituteKeepsSeatAndScoresAndTheRenameIsSaved) {
    const std::string seats = section("RosterRounds"), scores = section("Scores");
    ASSERT_NE(test::savedValue(session, "Score", 2, 1), "");
    ASSERT_EQ(renameEntrant(session, "2", "  Zed Young "), "");
    EXPECT_FALSE(session.isSaved());
    const std::vector<std::string> listed = names();
    EXPECT_EQ(listed.back(), "Zed Young~02");
    EXPECT_EQ(std::count(listed.begin(), listed.end(), "Bob~02"), 0);
    ASSERT_TRUE(SaveTournament(session, file));
    ASSERT_TRUE(loadTournament(session, file));
    EXPECT_EQ(names(), listed);
    EXPECT_EQ(section("RosterRounds"), seats);
    EXPECT_EQ(section("Scores"), scores);
}

TEST(SubstituteWithoutTournament, IsRefused) {
    ScriptedPrompt prompt;
    Session session(prompt);
    EXPECT_EQ(renameEntrant(session, "01", "Ann"), "No tournament is loaded.");
}

// New tournaments: the entrant import and its findings, the request's validation, the suggested
// code, and a new tournament of each kind written, loaded like any other file (no message but
// "loaded") and played to the end through the score-entry screen.
#include "core/scripted_prompt.h"
#include "core/text.h"
#include "engine_fixture.h"
#include "persistence/tournament_writer.h"
#include "services/entrant_import.h"
#include "services/load_save.h"
#include "services/new_tournament.h"
#include "services/round_advance.h"
#include "services/score_entry.h"
#include "services/views.h"
#include "state/round.h"
#include "support/generator.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace rh;
using namespace std::chrono;
namespace fs = std::filesystem;

namespace {

NewTournamentRequest validRequest(int entrants = 8) {
    NewTournamentRequest r;
    r.title = "Club Night";
    r.code = "CLUB1";
    r.rounds = 4;
    r.entryFee = 10;
    r.bumpFee = 0.25;
    r.woodFee = 0.5;
    for (int i = 1; i <= entrants; ++i)
        r.entrants.push_back("Player " + std::to_string(i));
    return r;
}

} // namespace

// Each file of tests/data/import is read as the entrant list; beside it (.expected) the names,
// their lines and what the director is told. To write the expected files again:
//   RANKHALL_UPDATE_GOLDEN=1 build/release/tests/new_tournament_test
class ImportFile : public testing::TestWithParam<std::string> {};

const fs::path kImports = fs::path(RANKHALL_TEST_DATA_DIR) / "import";

TEST_P(ImportFile, NamesLinesAndFindings) {
    const EntrantImport got = importEntrantFile((kImports / GetParam()).string());
    std::string out = "== names (line)\n";
    for (std::size_t i = 0; i < got.entrants.size(); ++i) {
        std::string name = got.names()[i];
        for (auto at = name.find('\n'); at != std::string::npos; at = name.find('\n'))
            name.replace(at, 1, "\\n");
        out += name + " (" + std::to_string(got.lines()[i]) + ")\n";
    }
    out += "== findings\n";
    for (const std::string& f : got.findings)
        out += f + "\n";
    out += "== header " + std::to_string(got.headerSkipped) + ", blank lines " +
           std::to_string(got.blankLines) + ", repeats " + std::to_string(got.duplicates) + "\n";
    const fs::path expected = kImports / (fs::path(GetParam()).stem().string() + ".expected");
    if (std::getenv("RANKHALL_UPDATE_GOLDEN"))
        test::writeFile(expected, out);
    EXPECT_TRUE(out == test::readFile(expected)) << expected << " now gives:\n" << out;
}

INSTANTIATE_TEST_SUITE_P(Files, ImportFile, testing::ValuesIn([] {
                             std::vector<std::string> names;
                             for (const auto& e : fs::directory_iterator(kImports))
                                 if (e.path().extension() != ".expected")
                                     names.push_back(e.path().filename().string());
                             std::sort(names.begin(), names.end());
                             return names;
                         }()),
                         [](const auto& info) {
                             std::string n = info.param;
                             std::replace(n.begin(), n.end(), '-', '_');
                             std::replace(n.begin(), n.end(), '.', '_');
                             return n;
                         });

TEST(EntrantImport, TypedTextReadsAsAPlainFileAndAMissingFileIsAnError) {
    const std::string text = "Name\n\nZo\xC3\xAB\nzo\xC3\xAB\n";
    EXPECT_EQ(importEntrantText(text).findings, importEntrantBytes(text, false).findings);
    EXPECT_EQ(importEntrantText(text).names(), importEntrantBytes(text, false).names());
    EXPECT_THROW(importEntrantFile((kImports / "missing.txt").string()), RhError);
}

TEST(NewTournament, ValidationNamesEveryProblem) {
    struct Case {
        const char* what;
        void (*change)(NewTournamentRequest&);
        std::vector<std::string> problems;
    };
    const std::vector<Case> cases = {
        {"valid", [](NewTournamentRequest&) {}, {}},
        {"three players",
         [](NewTournamentRequest& r) { r.entrants.resize(3); },
         {"A Progressive tournament needs at least 4 players; 3 are listed."}},
        {"one team",
         [](NewTournamentRequest& r) {
             r.kind = TournamentKind::Team;
             r.entrants.resize(1);
         },
         {"A Team tournament needs at least 2 teams; 1 is listed."}},
        {"two teams are enough",
         [](NewTournamentRequest& r) {
             r.kind = TournamentKind::Team;
             r.entrants.resize(2);
         },
         {}},
        {"100 rounds",
         [](NewTournamentRequest& r) { r.rounds = 100; },
         {"The number of rounds must be 1 to 99, not 100."}},
        {"no rounds",
         [](NewTournamentRequest& r) { r.rounds = 0; },
         {"The number of rounds must be 1 to 99, not 0."}},
        {"repeats in other case and blanks, empty names, with their source lines",
         [](NewTournamentRequest& r) {
             r.entrants = {"Ann", " ", "Bob", "  ann ", "Cy", "", "BOB", "Ann"};
             r.entrantLines = {1, 2, 3, 5, 6, 7, 9, 12};
         },
         {"Lines 2, 7 hold no name.", "\"Ann\" is listed more than once: lines 1, 5, 12.",
          "\"Bob\" is listed more than once: lines 3, 9."}},
        {"tilde and control characters",
         [](NewTournamentRequest& r) {
             r.entrants[1] = "A~B";
             r.entrants[2] = "Tab\there";
         },
         {"Line 2: a name cannot hold \"~\".", "Line 3: a name cannot hold a control character."}},
        {"title and code",
         [](NewTournamentRequest& r) {
             r.title = "  ";
             r.code = "A/B";
         },
         {"The tournament needs a title.",
          "The code \"A/B\" may hold only letters, digits, \"-\" and \"_\", at most 16 of them."}},
        {"no code", [](NewTournamentRequest& r) { r.code = ""; }, {"The tournament needs a code."}},
        {"fees the lists do not offer",
         [](NewTournamentRequest& r) {
             r.entryFee = 12;
             r.bumpFee = 0.33;
             r.woodFee = -1;
         },
         {"The entry fee of 12 is not one the fee list offers (0 to 10, then 15 to 100 in steps "
          "of 5).",
          "The bump fee of 0.33 is not one the fee list offers (0 to 1 in steps of 0.05).",
          "The wood fee of -1 is not one the fee list offers (0 to 3 in steps of 0.10)."}},
    };
    for (const Case& c : cases) {
        NewTournamentRequest r = validRequest();
        c.change(r);
        EXPECT_EQ(validateRequest(r), c.problems) << c.what;
    }
}

TEST(NewTournament, SuggestsACodeSafeInAFileName) {
    const year_month_day day{year{2026}, month{12}, std::chrono::day{7}};
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Tuesday Night Euchre", "TNE261207"},
        {"euchre", "EUCH261207"},
        {"Ann's & Bob's Big Winter Card Club Night", "ASBSBW261207"},
        {"Zoë's Cup / 2", "ZSC2261207"},
        {"", "RH261207"},
        {"***", "RH261207"},
    };
    for (const auto& [title, code] : cases) {
        EXPECT_EQ(suggestCode(title, day), code) << title;
        EXPECT_TRUE(isSafeCode(code)) << code;
    }
    EXPECT_FALSE(isSafeCode("CON:"));
    EXPECT_FALSE(isSafeCode("THIS-CODE-IS-TOO-LONG"));
}

TEST(NewTournament, AnInvalidRequestWritesNothing) {
    test::TempDir tmp;
    ScriptedPrompt prompt;
    NewTournamentRequest r = validRequest(3);
    const std::string path = (tmp / "new.qmc").string();
    const NewTournamentOutcome out = writeNewTournament(r, path, prompt);
    EXPECT_FALSE(out.written);
    EXPECT_EQ(out.problems.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(prompt.shown.empty());
}

// Written, loaded with only the "loaded" message, the same tournament as built, then every
// score of every round entered through the Scores tab's controller until the tournament is over.
TEST(NewTournament, EachKindLoadsQuietlyAndPlaysToTheEnd) {
    struct Case {
        TournamentKind kind;
        int entrants;
        int rounds;
    };
    for (const Case& c :
         {Case{TournamentKind::Progressive, 10, 5}, Case{TournamentKind::Team, 7, 6},
          Case{TournamentKind::Progressive, 16, 3}}) {
        SCOPED_TRACE(std::to_string(c.entrants) + " entrants");
        test::TempDir tmp;
        NewTournamentRequest r = validRequest(c.entrants);
        r.kind = c.kind;
        r.rounds = c.rounds;
        r.title = "New & <Improved>";
        r.entrants[0] = "Zo\xC3\xAB Brandt";
        const std::string path = (tmp / "new.qmc").string();
        ScriptedPrompt writing;
        ASSERT_TRUE(writeNewTournament(r, path, writing).written);
        EXPECT_TRUE(writing.shown.empty());

        ScriptedPrompt prompt;
        Session session(prompt);
        ASSERT_TRUE(loadTournament(session, path));
        ASSERT_EQ(prompt.messages().size(), 1u);
        EXPECT_EQ(prompt.messages()[0].text, kLoadedText);
        EXPECT_EQ(buildTournamentXml(session.state()),
                  buildTournamentXml(newTournamentState(r, seatingFor(r))));
        const TournamentSettings& t = session.tourney();
        EXPECT_EQ(t.isProgressive(), c.kind == TournamentKind::Progressive);
        EXPECT_EQ(t.TotalPlort(), c.entrants);
        EXPECT_EQ(t.TotalRounds(), c.rounds);
        EXPECT_EQ(t.CurrentRound(), 1);
        EXPECT_EQ(t.TourneyCode(), "CLUB1");

        prompt.clear();
        ScoreEntry screen(session);
        bindRoundAdvance(screen, session, {});
        screen.UpdateEnterScores();
        int choices = 0;
        auto over = [&] {
            for (const auto& s : prompt.shown)
                if (s.kind == "roundOver" && s.tournamentOver)
                    return true;
            return false;
        };
        while (!over() && choices < 1000) {
            ASSERT_TRUE(screen.view().comboPlayerName.hasSelection());
            const int id = std::stoi(screen.selectedEntrantId());
            screen.chooseScore((id * 3 + t.CurrentRound()) % 11 + 1);
            ++choices;
        }
        ASSERT_TRUE(over());
        for (int round = 1; round <= c.rounds; ++round)
            EXPECT_TRUE(isRoundComplete(session.state(), roundAt(round))) << round;
        // Progressive partners share a score: one choice per partnership.
        const int seated = c.entrants / (c.kind == TournamentKind::Team ? 2 : 4) *
                           (c.kind == TournamentKind::Team ? 2 : 4);
        EXPECT_EQ(choices, c.rounds * (c.kind == TournamentKind::Team ? seated : seated / 2));
        EXPECT_EQ(leaderGridRows(session).size(), static_cast<std::size_t>(c.entrants));
        EXPECT_FALSE(winnerRows(session).empty());
    }
}

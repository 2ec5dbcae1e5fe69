// The report of `rankhall-cli report`, built in-process: every case of the command's golden
// folders (tests/data/golden/report/<case>/: args, stdout, exit) is loaded as the tool loads it
// and its report compared byte for byte with the folder's stdout. Cases run in another locale
// (a locale file) are left to the command's own golden run.
#include "services/load_save.h"
#include "services/report_json.h"
#include "services/tournament_summary.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace rh;
namespace fs = std::filesystem;

namespace {

const fs::path kGolden = fs::path(RANKHALL_TEST_DATA_DIR) / "golden";

/// The tournament file a case's args name, with its folders put in.
std::string caseFile(const fs::path& folder, const fs::path& out) {
    std::ifstream in(folder / "args");
    std::string command, file;
    std::getline(in, command);
    std::getline(in, file);
    EXPECT_EQ(command, "report") << folder;
    for (const auto& [name, path] :
         {std::pair<std::string, std::string>{"@examples@", RANKHALL_SOURCE_DIR "/examples"},
          {"@golden@", kGolden.string()},
          {"@out@", out.string()}})
        if (file.rfind(name, 0) == 0)
            file = path + file.substr(name.size());
    return file;
}

TEST(ReportJson, MatchesEveryGoldenReport) {
    int cases = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(kGolden / "report")) {
        const fs::path folder = entry.path();
        if (!fs::exists(folder / "args") || fs::exists(folder / "locale"))
            continue;
        SCOPED_TRACE(folder.filename().string());
        test::TempDir dir;
        ScriptedPrompt prompt;
        prompt.defaultYesNo = MsgAnswer::No; // the file itself, never a recovery copy
        Session session(prompt);
        session.setCurrency(CurrencyFormat::fromCLocale());
        const bool loaded = loadTournament(session, caseFile(folder, dir.path()));
        const bool failed = fs::exists(folder / "exit") && test::readFile(folder / "exit") != "0\n";
        EXPECT_EQ(loaded, !failed);
        EXPECT_EQ(reportJson(session, prompt, loaded), test::readFile(folder / "stdout"));
        ++cases;
    }
    EXPECT_GE(cases, 8);
}

// The one-line summaries of `rankhall-cli check` and of the window's standings without a display.
TEST(TournamentSummary, SaysTypeSizeAndRound) {
    struct Case {
        const char* file;
        const char* summary;
        const char* heading;
    };
    for (const Case& c : {
             Case{"demo.qmc",
                  "Progressive tournament: 16 players, 4 tables, 8 rounds, current round 4",
                  "Friday Night Euchre (DEMO16), Players: 16, round 4 of 8"},
             Case{"teams7.qmc", "Team tournament: 7 teams, 3 tables, 7 rounds, current round 4",
                  "Club Team Night (TEAM7), Teams: 7, round 4 of 7"},
         }) {
        SCOPED_TRACE(c.file);
        test::TempDir dir;
        ScriptedPrompt prompt;
        Session session(prompt);
        ASSERT_TRUE(
            loadTournament(session, std::string(RANKHALL_SOURCE_DIR "/examples/") + c.file));
        EXPECT_EQ(tournamentSummary(session.tourney()), c.summary);
        EXPECT_EQ(standingsHeading(session.tourney()), c.heading);
    }
}

} // namespace

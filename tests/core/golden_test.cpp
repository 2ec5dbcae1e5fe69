// Golden folders: each folder of tests/data/views holds a tournament file (or names an example),
// optionally the director's changes made after the load (changes.txt, one journal record a line),
// and beside it what the program shows and writes for it: every grid's rows (views.txt), the
// three CSV reports, the HTML standings page and the saved file (unmasked). Each is compared byte
// for byte.
//
// To write the expected files again after a deliberate change of what is shown:
//   RANKHALL_UPDATE_GOLDEN=1 build/release/tests/golden_test
#include "engine_fixture.h"
#include "persistence/code_page.h"
#include "services/csv_export.h"
#include "services/report_rows.h"
#include "services/standings_page.h"
#include "services/views.h"
#include "standings/leader_rows.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

using namespace rh;
namespace fs = std::filesystem;

namespace {

const fs::path kGolden = fs::path(RANKHALL_TEST_DATA_DIR) / "views";

std::string rgb(const Rgb& c) {
    return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
}

/// Every grid of the loaded tournament as text, one row a line, fields separated by " | ".
std::string viewsText(Session& s) {
    std::ostringstream o;
    o << "== payout table " << s.payout().netPayoutText() << "\n";
    for (const PayoutRow& r : s.payout().rows())
        o << r.placeWord << " | " << r.amountText << "\n";
    o << "== leaders\n";
    for (const LeaderRow& r : leaderGridRows(s)) {
        o << r.tag << " | " << r.toolTip << " | " << rgb(r.standingColor) << " | "
          << rgb(r.paymentColor);
        for (std::size_t c = 0; c < r.cells.size(); ++c)
            o << " | " << r.cells[c] << (r.colors[c] ? " {" + rgb(*r.colors[c]) + "}" : "");
        o << "\n";
    }
    o << "== winners\n";
    for (const WinnerRow& r : winnerRows(s))
        o << r.tag << " | " << r.toolTip << " | " << r.name << " | " << r.place << " | " << r.score
          << " | " << r.payout << " | " << r.lones << " | " << rgb(r.color) << "\n";
    o << "== debtors\n";
    for (const BumpRow& r : debtorRows(s))
        o << r.tag << " | " << r.toolTip << " | " << r.paid << " | " << r.name << " | " << r.payIn
          << " | " << r.bumps << " | " << r.woods << " | " << rgb(r.color) << "\n";
    o << "== lones\n";
    for (const LoneRow& r : loneRows(s))
        o << r.tag << " | " << r.toolTip << " | " << r.name << " | " << r.payout << " | " << r.lones
          << " | " << rgb(r.color) << "\n";
    o << "== details\n";
    for (const GameDetailRow& r : gameDetailRows(s)) {
        o << r.tag << " | " << r.toolTip;
        for (const std::string& c : r.cells)
            o << " | " << c;
        o << "\n";
    }
    for (bool chosen : {true, false}) {
        o << "== entry fees " << (chosen ? "chosen" : "not chosen") << "\n";
        for (const EntryFeeRow& r : entryFeeRows(s, chosen))
            o << r.tag << " | " << r.toolTip << " | " << r.paid << " | " << r.name << " | "
              << rgb(r.color) << "\n";
    }
    const FineSummary b = bumpSummary(s), w = woodSummary(s);
    o << "== summaries\n"
      << b.count << " | " << b.money << " | " << b.jackpot << "\n"
      << w.count << " | " << w.money << " | " << w.jackpot << "\n";
    return o.str();
}

void expectGolden(const fs::path& path, const std::string& text) {
    if (std::getenv("RANKHALL_UPDATE_GOLDEN"))
        rh::test::writeFile(path, text);
    EXPECT_TRUE(text == rh::test::readFile(path)) << path << " differs; what is made now:\n"
                                                  << text;
}

class Golden : public testing::TestWithParam<std::string> {};

} // namespace

TEST_P(Golden, ViewsReportsPageAndSavedFile) {
    const fs::path dir = kGolden / GetParam();
    rh::test::TempDir temp;
    fs::path input = dir / "tournament.qmc";
    if (!fs::exists(input)) // the folder names an example
        input = rh::test::examplePath(GetParam() + ".qmc");
    ScriptedPrompt prompt;
    Session s(prompt);
    ASSERT_TRUE(loadTournament(s, input.string()));
    std::istringstream changes(
        fs::exists(dir / "changes.txt") ? rh::test::readFile(dir / "changes.txt") : std::string());
    for (std::string line; std::getline(changes, line);) {
        std::vector<std::string> fields;
        std::istringstream words(line);
        for (std::string w; words >> w;)
            fields.push_back(w);
        const auto change = decodeChange(fields);
        ASSERT_TRUE(change) << line;
        applyChange(s, *change);
    }
    expectGolden(dir / "views.txt", viewsText(s));
    expectGolden(dir / "standings.csv", standingsCsv(standingsReport(s)));
    expectGolden(dir / "results.csv", resultsCsv(resultsReport(s)));
    expectGolden(dir / "treasurer.csv", treasurerCsv(treasurerReport(s)));
    expectGolden(dir / "page.html", buildHtmlPage(s, false));
    const fs::path saved = temp / "saved.qmc";
    ASSERT_TRUE(SaveTournament(s, saved.string()));
    const std::string bytes = rh::test::readFile(saved);
    EXPECT_FALSE(looksPlain(bytes));
    expectGolden(dir / "saved.xml", MaskText(bytes));
    // Once read, a tournament goes round again unchanged.
    Session again(prompt);
    ASSERT_TRUE(loadTournament(again, saved.string()));
    ASSERT_TRUE(SaveTournament(again, saved.string()));
    EXPECT_TRUE(rh::test::readFile(saved) == bytes);
}

INSTANTIATE_TEST_SUITE_P(Folders, Golden, testing::ValuesIn([] {
                             std::vector<std::string> names;
                             for (const auto& e : fs::directory_iterator(kGolden))
                                 names.push_back(e.path().filename().string());
                             std::sort(names.begin(), names.end());
                             return names;
                         }()));

// A tournament file loaded and saved again gives back the very same bytes, whatever the size,
// the kind, the payout, the characters in the names or the locale of the machine; and the example
// tournaments under examples/ are exactly what the generator makes, masked and plain.
//
// To make the examples again after a change of the generator or the file layout:
//   RANKHALL_UPDATE_EXAMPLES=1 build/release/tests/persist_roundtrip_test
// (examples/regenerate.sh does this).
#include "engine_fixture.h"
#include "persistence/code_page.h"
#include "persistence/tournament_reader.h"
#include "persistence/tournament_writer.h"
#include "persistence/xml_document.h"
#include "services/views.h"
#include "support/generator.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <locale>

using namespace rh;
using rh::test::GeneratorOptions;
using rh::test::Kind;
namespace fs = std::filesystem;

namespace {

std::string generatedXml(const GeneratorOptions& o, const PayoutSettings& payout = {}) {
    TournamentState st;
    test::generateTournament(st, o);
    st.payout = payout;
    return buildTournamentXml(st);
}

PayoutSettings custom(std::vector<double> amounts) {
    PayoutSettings p;
    p.PayoutOption = 1;
    p.CustomPayoutCount = static_cast<std::int16_t>(amounts.size());
    std::copy(amounts.begin(), amounts.end(), p.CustomPayouts.begin());
    return p;
}

/// Loads the file as the window does and saves it again; the saved bytes, unmasked.
std::string loadAndSave(const fs::path& file, ScriptedPrompt& prompt) {
    Session s(prompt);
    EXPECT_TRUE(loadTournament(s, file.string()));
    const fs::path saved = file.string() + ".saved";
    EXPECT_TRUE(SaveTournament(s, saved.string()));
    const std::string bytes = test::readFile(saved);
    EXPECT_FALSE(looksPlain(bytes)); // saved masked
    return MaskText(bytes);
}

} // namespace

TEST(RoundTrip, LoadingAndSavingGivesBackTheSameBytes) {
    struct Case {
        GeneratorOptions options;
        PayoutSettings payout;
    };
    std::vector<Case> cases = {
        {{Kind::Progressive, 16, 8, 3, 7}, {}},
        {{Kind::Team, 7, 6, 2, 11}, custom({40, 25.5, 12.25, 7, 0.1})},
        {{Kind::Progressive, 12, 3, 1, 3},
         custom({100, 50, 25, 12.5, 6.25, 3.125, 1e-3, 123456.789})},
    };
    for (int n : {5, 9, 10, 11, 13}) // sitting out and odd entrants
        cases.push_back({{Kind::Progressive, n, 5, 4, static_cast<std::uint64_t>(n)}, {}});
    for (int n : {3, 7, 9})
        cases.push_back({{Kind::Team, n, 5, 5, static_cast<std::uint64_t>(n)}, {}});
    GeneratorOptions equal; // equal names (any case, any blanks) keep their order
    equal.entrants = 6;
    equal.rounds = 2;
    equal.names = {"Pat Lee", "pat lee", "Kim", "PAT LEE", "Al", "Kim"};
    cases.push_back({equal, {}});

    test::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.options.entrants) + " entrants");
        const std::string xml = generatedXml(c.options, c.payout);
        test::writeFile(dir / "t.qmc", MaskText(xml));
        ScriptedPrompt prompt;
        EXPECT_TRUE(loadAndSave(dir / "t.qmc", prompt) == xml);
        EXPECT_EQ(prompt.messages().size(), 2u) << prompt.messages().back().text; // loaded, saved
    }
}

TEST(RoundTrip, Windows1252TextThatLooksLikeUtf8StaysWhatItWas) {
    // "ÃŠ" is the bytes C3 8A in Windows-1252, which read as UTF-8 would be "Ê".
    for (const char* title : {"Plain", "Zoë"}) {
        test::Tourney t(4, 1, true, {"ÃŠ", "Bob", "Cy", "Di"});
        t.title(title);
        const std::string plain = buildTournamentXml(t.session().state());
        // All ASCII apart from it: written as references. With any other character beyond
        // ASCII the bytes are no UTF-8 anyway, and the name is one byte each.
        EXPECT_NE(plain.find(std::string(title) == "Plain" ? "<PlayerName>&#195;&#352;<"
                                                           : "<PlayerName>\xC3\x8A<"),
                  std::string::npos);
        test::writeFile(t.file(), plain);
        ScriptedPrompt prompt;
        Session s(prompt);
        ASSERT_TRUE(loadTournament(s, t.file().string()));
        EXPECT_EQ(gameDetailRows(s).back().cells.front(), "ÃŠ");
    }
}

namespace {
// A decimal comma, as a German machine has it.
struct CommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

// A C locale with a decimal comma: an installed one, or a small one built in the test's folder.
bool setCommaCLocale(const fs::path& folder) {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"})
        if (std::setlocale(LC_NUMERIC, name))
            return true;
    test::writeFile(folder / "comma.src", "LC_NUMERIC\ndecimal_point \",\"\nthousands_sep \".\"\n"
                                          "grouping 3\nEND LC_NUMERIC\n");
    // localedef warns about the categories the source leaves out; -c writes the locale anyway.
    std::string cmd = "localedef -c -i '" + (folder / "comma.src").string() +
                      "' -f ANSI_X3.4-1968 '" + (folder / "xx_XX").string() + "' >/dev/null 2>&1";
    if (std::system(cmd.c_str()) < 0)
        return false;
    ::setenv("LOCPATH", folder.c_str(), 1);
    bool ok = std::setlocale(LC_NUMERIC, "xx_XX") != nullptr;
    ::unsetenv("LOCPATH");
    return ok;
}
} // namespace

TEST(RoundTrip, DecimalCommaLocaleStillWritesAndReadsPoints) {
    test::TempDir dir;
    std::locale oldGlobal =
        std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
    bool cLocale = setCommaCLocale(dir.path());
    if (cLocale) {
        const char* point = std::localeconv()->decimal_point;
        EXPECT_STREQ(point, ",");
    }
    GeneratorOptions o{Kind::Progressive, 8, 2, 1, 1};
    o.expenses = 12.5;
    const std::string plain = generatedXml(o, custom({20.75, 1234.5}));
    EXPECT_NE(plain.find("<BumpFee>0.25</BumpFee>"), std::string::npos);
    EXPECT_NE(plain.find("<Expenses>12.5</Expenses>"), std::string::npos);
    EXPECT_NE(plain.find("<Value>1234.5</Value>"), std::string::npos);
    test::writeFile(dir / "t.qmc", plain);
    ScriptedPrompt prompt;
    EXPECT_TRUE(loadAndSave(dir / "t.qmc", prompt) == plain);
    // A file written on a machine with a decimal comma reads the same.
    std::string comma = plain;
    comma.replace(comma.find("<BumpFee>0.25<"), 14, "<BumpFee>0,25<");
    test::writeFile(dir / "comma.qmc", comma);
    EXPECT_TRUE(loadAndSave(dir / "comma.qmc", prompt) == plain);
    std::setlocale(LC_NUMERIC, "C");
    std::locale::global(oldGlobal);
    if (!cLocale)
        GTEST_SKIP() << "no C locale with a decimal comma could be made; checked the C++ one only";
}

// ---- The examples ---------------------------------------------------------------------------

namespace {

struct Example {
    std::string file;
    GeneratorOptions options;
    PayoutSettings payout;
};

std::vector<Example> examples() {
    GeneratorOptions demo{Kind::Progressive, 16, 8, 3, 16};
    demo.title = "Friday Night Euchre";
    demo.code = "DEMO16";
    demo.names = {"Ann Abbott", "Bob Baker", "Carla Chen",       "Dev Diaz",
                  "Edna Evans", "Fay Fox",   "Gus Gray",         "Hana Hart",
                  "Ian Ivers",  "Jo Jones",  "Kit <Lucky> King", "Lou Lopez",
                  "Mia Moore",  "Ned Nuñez", "Oli O'Hara",       "Zoë Brandt"};
    GeneratorOptions sitOut{Kind::Progressive, 10, 6, 2, 10};
    sitOut.title = "Tuesday Ten & Two Sit Out";
    sitOut.code = "SIT10";
    sitOut.expenses = 10;
    GeneratorOptions teams{Kind::Team, 7, 7, 3, 7};
    teams.title = "Club Team Night";
    teams.code = "TEAM7";
    teams.entryFee = 5;
    teams.aliasEvery = 3;
    return {{"demo.qmc", demo, {}},
            {"sitout10.qmc", sitOut, custom({45, 30, 15})},
            {"teams7.qmc", teams, {}}};
}

} // namespace

TEST(Examples, AreExactlyWhatTheGeneratorMakesAndLoadMaskedOrPlain) {
    const bool update = std::getenv("RANKHALL_UPDATE_EXAMPLES") != nullptr;
    test::TempDir dir;
    for (const Example& e : examples()) {
        SCOPED_TRACE(e.file);
        const std::string xml = generatedXml(e.options, e.payout);
        const fs::path masked = test::examplePath(e.file);
        const fs::path plain = test::examplePath("plain/" + e.file);
        if (update) {
            test::writeFile(masked, MaskText(xml));
            test::writeFile(plain, xml);
        }
        EXPECT_TRUE(test::readFile(masked) == MaskText(xml))
            << "regenerate with RANKHALL_UPDATE_EXAMPLES=1";
        EXPECT_TRUE(test::readFile(plain) == xml);
        for (const fs::path& file : {masked, plain}) {
            fs::copy_file(file, dir / e.file, fs::copy_options::overwrite_existing);
            ScriptedPrompt prompt;
            EXPECT_TRUE(loadAndSave(dir / e.file, prompt) == xml);
            EXPECT_EQ(prompt.messages().at(0).text, "Data file loaded successfully");
        }
    }
}

// Writing a tournament and reading it back gives back every setting, payout choice and amount,
// entrant, alias, seat, score, lone, bump, wood and paid mark, whatever the size, the kind, the
// characters in the names or the locale of the machine.
#include "core/scripted_prompt.h"
#include "persistence/code_page.h"
#include "persistence/tournament_reader.h"
#include "persistence/tournament_writer.h"
#include "persistence/xml_document.h"
#include "support/generator.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <clocale>
#include <cstdlib>
#include <iostream>
#include <locale>

using namespace rh;
using rh::test::GeneratorOptions;
using rh::test::Kind;

namespace {

// Reads XML text (UTF-8) into a fresh state; the prompt records any report.
TournamentState readText(const std::string& utf8, ScriptedPrompt& prompt) {
    XmlDocument doc;
    ParseError error;
    EXPECT_TRUE(doc.parse(utf8, &error)) << parseReportText(error);
    TournamentState st;
    showAll(prompt, readTournament(doc, st));
    return st;
}

// Writes the state as the program does (masked bytes), decodes and reads them back.
TournamentState throughFile(const TournamentState& st, ScriptedPrompt& prompt) {
    std::string bytes = MaskText(buildTournamentXml(st));
    return readText(fileBytesToText(bytes), prompt);
}

void expectRoundTrip(const TournamentState& original) {
    ScriptedPrompt prompt;
    TournamentState back = throughFile(original, prompt);
    EXPECT_TRUE(prompt.shown.empty()) << prompt.shown.front().message.text;
    EXPECT_EQ(test::dumpTournament(back), test::dumpTournament(original));
    // A second pass writes the very same bytes: the layout is stable.
    EXPECT_EQ(buildTournamentXml(back), buildTournamentXml(original));
}

} // namespace

TEST(RoundTrip, GeneratedProgressiveWithStandardPayout) {
    TournamentState st;
    test::generateTournament(st, {Kind::Progressive, 16, 8, 3, 7});
    ASSERT_GT(st.scores.Count(), 0);
    ASSERT_GT(st.fines.Count(), 0);
    ASSERT_GT(st.lones.Count(), 0);
    expectRoundTrip(st);
}

TEST(RoundTrip, GeneratedTeamWithCustomPayout) {
    TournamentState st;
    test::generateTournament(st, {Kind::Team, 7, 6, 2, 11});
    st.payout.PayoutOption = 1;
    st.payout.CustomPayoutCount = 5;
    st.payout.CustomPayouts = {40, 25.5, 12.25, 7, 0.1, 0, 0, 0};
    expectRoundTrip(st);
}

TEST(RoundTrip, EveryCustomAmountOfAFullTable) {
    TournamentState st;
    test::generateTournament(st, {Kind::Progressive, 12, 3, 1, 3});
    st.payout.PayoutOption = 1;
    st.payout.CustomPayoutCount = 8;
    st.payout.CustomPayouts = {100, 50, 25, 12.5, 6.25, 3.125, 1e-3, 123456.789};
    expectRoundTrip(st);
}

TEST(RoundTrip, SittingOutAndOddEntrants) {
    for (int n : {5, 9, 10, 11, 13}) {
        TournamentState st;
        test::generateTournament(st, {Kind::Progressive, n, 5, 4, static_cast<std::uint64_t>(n)});
        SCOPED_TRACE(n);
        expectRoundTrip(st);
    }
    for (int n : {3, 7, 9}) {
        TournamentState st;
        test::generateTournament(st, {Kind::Team, n, 5, 5, static_cast<std::uint64_t>(n)});
        SCOPED_TRACE(n);
        expectRoundTrip(st);
    }
}

TEST(RoundTrip, TitlesCodesAndNamesWithAnyCharacter) {
    GeneratorOptions o;
    o.entrants = 8;
    o.rounds = 2;
    o.scoredRounds = 1;
    o.names = {"Tom & Jerry",
               "A<B>C",
               "  padded  ",
               "Zoë €uro",
               "Ωmega",
               "tab\there",
               "quote \" and ' apostrophe",
               "tilde~name"};
    o.title = " Spring <Open> & \"Friends\" ";
    o.code = "Ω/€";
    TournamentState st;
    test::generateTournament(st, o);
    st.settings.setJackpotTitle("   ");
    st.settings.setSupportDir("line one\r\nline two");
    st.aliases.replace("03", "Ace");
    ScriptedPrompt prompt;
    TournamentState back = throughFile(st, prompt);
    // Names are trimmed on reading, as they are when a file made elsewhere is loaded.
    EXPECT_EQ(back.nameOf("03"), "padded");
    EXPECT_EQ(back.nameOf("01"), "Tom & Jerry");
    EXPECT_EQ(back.nameOf("02"), "A<B>C");
    EXPECT_EQ(back.nameOf("04"), "Zoë €uro");
    EXPECT_EQ(back.nameOf("05"), "Ωmega");
    EXPECT_EQ(back.nameOf("06"), "tab\there");
    EXPECT_EQ(back.nameOf("08"), "tilde~name");
    EXPECT_EQ(back.settings.TourneyTitle(), o.title);
    EXPECT_EQ(back.settings.TourneyCode(), "Ω/€");
    EXPECT_EQ(back.settings.StoredJackpotTitle(), "   ");
    EXPECT_EQ(back.settings.SupportDir(), "line one\r\nline two");
    EXPECT_EQ(back.GetAlias(3), "Ace");
    // Once read, a tournament goes round again unchanged.
    expectRoundTrip(back);
}

// Entrants with equal names (any case, any blanks) tie in the name list, which puts a later one in
// front; the file must keep their order so that saving again writes the same bytes.
TEST(RoundTrip, EntrantsWithEqualNamesKeepTheirOrder) {
    GeneratorOptions o;
    o.entrants = 6;
    o.rounds = 2;
    o.names = {"Pat Lee", "pat lee", "Kim", "PAT LEE", "Al", "Kim"};
    TournamentState st;
    test::generateTournament(st, o);
    ScriptedPrompt prompt;
    TournamentState back = throughFile(st, prompt);
    EXPECT_EQ(back.sortedNames.items(), st.sortedNames.items());
    expectRoundTrip(back);
}

TEST(RoundTrip, CodePageOnDiskAndCharacterReferences) {
    GeneratorOptions o;
    o.entrants = 4;
    o.rounds = 1;
    o.names = {"€ Euro", "Ω Omega", "Zoë", "Ann"};
    TournamentState st;
    test::generateTournament(st, o);
    std::string plain = buildTournamentXml(st);
    // "€" is in Windows-1252 (one byte, 0x80); "Ω" is not and travels as a character reference.
    EXPECT_NE(plain.find("<PlayerName>\x80 Euro</PlayerName>"), std::string::npos);
    EXPECT_NE(plain.find("<PlayerName>&#937; Omega</PlayerName>"), std::string::npos);
    EXPECT_NE(plain.find("<PlayerName>Zo\xEB</PlayerName>"), std::string::npos);
    EXPECT_FALSE(isValidUtf8(plain)); // single bytes, not UTF-8
    ScriptedPrompt prompt;
    TournamentState back = readText(fileBytesToText(plain), prompt);
    EXPECT_EQ(back.nameOf("01"), "€ Euro");
    EXPECT_EQ(back.nameOf("02"), "Ω Omega");
    EXPECT_EQ(back.nameOf("03"), "Zoë");
}

TEST(RoundTrip, Windows1252TextThatLooksLikeUtf8StaysWhatItWas) {
    // "ÃŠ" is the bytes C3 8A in Windows-1252, which read as UTF-8 would be "Ê".
    GeneratorOptions o;
    o.entrants = 4;
    o.rounds = 1;
    o.names = {"ÃŠ", "Bob", "Cy", "Di"};
    TournamentState st;
    test::generateTournament(st, o);
    std::string plain = buildTournamentXml(st);
    EXPECT_NE(plain.find("<PlayerName>&#195;&#352;</PlayerName>"), std::string::npos);
    ScriptedPrompt prompt;
    TournamentState back = readText(fileBytesToText(plain), prompt);
    EXPECT_EQ(back.nameOf("01"), "ÃŠ");
    // With any other character beyond ASCII the bytes are no UTF-8, and the name is one byte each.
    st.settings.setTourneyTitle("Zoë");
    plain = buildTournamentXml(st);
    EXPECT_NE(plain.find("<PlayerName>\xC3\x8A</PlayerName>"), std::string::npos);
    EXPECT_EQ(readText(fileBytesToText(plain), prompt).nameOf("01"), "ÃŠ");
}

TEST(RoundTrip, ThroughFilesOnDisk) {
    test::TempDir dir;
    TournamentState st;
    test::generateTournament(st, {Kind::Team, 12, 6, 4, 5});
    ScriptedPrompt prompt;
    std::string path = (dir / "team.qmc").string();
    ASSERT_TRUE(CreateSaveDoc(st, prompt, path, false));
    std::string bytes = test::readFile(path);
    EXPECT_FALSE(looksPlain(bytes)); // written masked
    TournamentState back = readText(ReadDataFile(path), prompt);
    EXPECT_EQ(test::dumpTournament(back), test::dumpTournament(st));
    std::string plainPath = (dir / "plain.qmc").string();
    ASSERT_TRUE(CreateSaveDoc(st, prompt, plainPath, false, /*masked=*/false));
    EXPECT_EQ(test::readFile(plainPath), MaskText(bytes));
    EXPECT_TRUE(prompt.shown.empty());
}

TEST(RoundTrip, LargeTournamentsAndTheirTimes) {
    for (Kind kind : {Kind::Progressive, Kind::Team}) {
        TournamentState st;
        test::generateTournament(st, {kind, 2000, 40, 40, 2026});
        using clock = std::chrono::steady_clock;
        auto t0 = clock::now();
        std::string bytes = MaskText(buildTournamentXml(st));
        auto t1 = clock::now();
        std::string text = fileBytesToText(bytes);
        XmlDocument doc;
        ASSERT_TRUE(doc.parse(text));
        auto t2 = clock::now();
        TournamentState back;
        ScriptedPrompt prompt;
        showAll(prompt, readTournament(doc, back));
        auto t3 = clock::now();
        auto ms = [](auto d) {
            return std::chrono::duration_cast<std::chrono::microseconds>(d).count() / 1000.0;
        };
        std::cout << (kind == Kind::Progressive ? "Progressive" : "Team")
                  << " 2000 x 40: " << bytes.size() / 1024 << " KiB, write " << ms(t1 - t0)
                  << " ms, decode+parse " << ms(t2 - t1) << " ms, read sections " << ms(t3 - t2)
                  << " ms (" << test::sizesOf(back) << ")\n";
        EXPECT_TRUE(prompt.shown.empty())
            << prompt.shown.front().message.title << ": " << prompt.shown.front().message.text;
        EXPECT_EQ(test::dumpTournament(back), test::dumpTournament(st));
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
bool setCommaCLocale(const std::filesystem::path& folder) {
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
    TournamentState st;
    test::generateTournament(st, {Kind::Progressive, 8, 2, 1, 1});
    st.settings.setExpenses(12.5);
    st.payout.PayoutOption = 1;
    st.payout.CustomPayoutCount = 2;
    st.payout.CustomPayouts[0] = 20.75;
    st.payout.CustomPayouts[1] = 1234.5;
    std::string plain = buildTournamentXml(st);
    EXPECT_NE(plain.find("<BumpFee>0.25</BumpFee>"), std::string::npos);
    EXPECT_NE(plain.find("<Expenses>12.5</Expenses>"), std::string::npos);
    EXPECT_NE(plain.find("<Value>1234.5</Value>"), std::string::npos);
    ScriptedPrompt prompt;
    TournamentState back = readText(fileBytesToText(plain), prompt);
    EXPECT_EQ(test::dumpTournament(back), test::dumpTournament(st));
    // A file written on a machine with a decimal comma reads the same.
    std::string comma = plain;
    comma.replace(comma.find("<BumpFee>0.25<"), 14, "<BumpFee>0,25<");
    TournamentState fromComma = readText(fileBytesToText(comma), prompt);
    EXPECT_DOUBLE_EQ(fromComma.settings.BumpFee(), 0.25);
    std::setlocale(LC_NUMERIC, "C");
    std::locale::global(oldGlobal);
    if (!cLocale)
        GTEST_SKIP() << "no C locale with a decimal comma could be made; checked the C++ one only";
}

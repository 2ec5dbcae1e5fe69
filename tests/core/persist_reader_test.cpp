// The section readers of the tournament file, one reading rule at a time, their reports, and
// broken files of every kind: each gives its reports and a tournament in a defined state.
#include "core/scripted_prompt.h"
#include "engine_fixture.h"
#include "persistence/code_page.h"
#include "persistence/tournament_reader.h"
#include "persistence/tournament_writer.h"
#include "persistence/xml_document.h"
#include "services/tournament_file.h"
#include "services/views.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <set>

using namespace rh;
namespace fs = std::filesystem;

namespace {

struct Loaded {
    TournamentState st;
    ScriptedPrompt prompt;
};

// Reads a document (UTF-8 XML text) through every section, as a load does.
std::unique_ptr<Loaded> read(const std::string& xml) {
    auto out = std::make_unique<Loaded>();
    XmlDocument doc;
    ParseError error;
    EXPECT_TRUE(doc.parse(xml, &error)) << parseReportText(error);
    showFindings(out->prompt, readTournament(doc, out->st));
    return out;
}

// The same as the load reads a file: parsed in place, the seating and scores taken from the text
// where it has the writer's plain shape.
std::unique_ptr<Loaded> readAsLoaded(const std::string& xml) {
    auto out = std::make_unique<Loaded>();
    XmlDocument doc;
    PlainSections plain;
    EXPECT_TRUE(
        doc.parseInPlace(xml, [&](std::string_view text, std::size_t section, std::size_t at) {
            return readPlainSection(plain, text, section, at);
        }));
    showFindings(out->prompt, readTournament(doc, out->st, &plain));
    return out;
}

std::string tournament(const std::string& sections) {
    return "<?xml version='1.0'?><Tournament>" + sections + "</Tournament>";
}

std::string info(const std::string& children) {
    return "<TournamentInfo>" + children + "</TournamentInfo>";
}

int count(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto p = text.find(what); p != std::string::npos; p = text.find(what, p + 1))
        ++n;
    return n;
}

} // namespace

// ---- The sections, one reading rule a file -------------------------------------------------
//
// Each file of tests/data/reading (its rule in a comment at the top) is read through every
// section; beside it, what the director is shown and the tournament as it would be saved.
// To write the expected files again after a deliberate change:
//   RANKHALL_UPDATE_GOLDEN=1 build/release/tests/persist_reader_test

TEST(ReadTournamentInfo, TablesFollowTheEntrantsAndAKindWordOfExactlyProgressive) {
    struct Case {
        const char* kind;
        int entrants, tables;
    } cases[] = {{"Progressive", 10, 2},  {"Progressive", 9, 2}, {"Progressive", 16, 4},
                 {"Team", 7, 3},          {"Team", 16, 8},       {"progressive", 10, 5},
                 {" Progressive", 10, 5}, {"", 10, 5},           {"PROGRESSIVE", 10, 5}};
    for (const Case& c : cases) {
        // The kind is read before the size whatever the element order, and the tables come last.
        auto r = read(
            tournament(info("<TotalPlayers>" + std::to_string(c.entrants) +
                            "</TotalPlayers><TournamentType>" + c.kind + "</TournamentType>")));
        EXPECT_EQ(r->st.settings.TotalTables(), c.tables) << "[" << c.kind << "] " << c.entrants;
    }
}

namespace {

class ReadingRule : public testing::TestWithParam<std::string> {};

const fs::path kReading = fs::path(RANKHALL_TEST_DATA_DIR) / "reading";

} // namespace

// Both roads, the tree alone and the load's (text first, tree where the text is not plain), give
// the same.
TEST_P(ReadingRule, ReportsAndWhatIsKept) {
    const fs::path input = kReading / (GetParam() + ".xml");
    const std::string text = fileBytesToText(test::readFile(input));
    auto outcome = [](const Loaded& r) {
        std::string out = "== shown\n";
        for (const Message& m : r.prompt.messages())
            out += m.title + " | " + m.text + "\n";
        return out + "== saved\n" + buildTournamentXml(r.st);
    };
    const std::string out = outcome(*read(text));
    const fs::path expected = kReading / (GetParam() + ".expected");
    if (std::getenv("RANKHALL_UPDATE_GOLDEN"))
        test::writeFile(expected, out);
    EXPECT_TRUE(out == test::readFile(expected)) << input << " now gives:\n" << out;
    EXPECT_EQ(outcome(*readAsLoaded(text)), out) << input << " read as a load reads it";
}

INSTANTIATE_TEST_SUITE_P(Files, ReadingRule, testing::ValuesIn([] {
                             std::vector<std::string> names;
                             for (const auto& e : fs::directory_iterator(kReading))
                                 if (e.path().extension() == ".xml")
                                     names.push_back(e.path().stem().string());
                             std::sort(names.begin(), names.end());
                             return names;
                         }()),
                         [](const auto& info) {
                             std::string n = info.param;
                             std::replace(n.begin(), n.end(), '-', '_');
                             return n;
                         });

// The reader's findings are values; the load shows an error that ended a section as the common
// error message (critical) and a note as a plain message, under the application's title where
// the note has none of its own.
TEST(ReadFindings, ErrorsAreCriticalNotesPlainAndEveryOneHasATitle) {
    const std::string text =
        fileBytesToText(test::readFile(kReading / "every-broken-part-reports-once.xml"));
    XmlDocument doc;
    ASSERT_TRUE(doc.parse(text));
    TournamentState st;
    const ReadFindings findings = readTournament(doc, st);
    const std::vector<Message> shown = findingMessages(findings);
    ASSERT_EQ(shown.size(), findings.size());
    std::set<MsgIcon> icons;
    bool appTitled = false;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const ReadFinding& f = findings[i];
        EXPECT_EQ(f.error, f.text.starts_with("The following error occured: ")) << f.text;
        EXPECT_EQ(shown[i].icon, f.error ? MsgIcon::Critical : MsgIcon::None) << f.text;
        EXPECT_EQ(shown[i].buttons, MsgButtons::Ok);
        EXPECT_EQ(shown[i].title, f.title.empty() ? std::string(kAppTitle) : f.title);
        EXPECT_EQ(shown[i].text, f.text);
        icons.insert(shown[i].icon);
        appTitled = appTitled || f.title.empty();
    }
    EXPECT_EQ(icons.size(), 2u); // the file holds both kinds
    EXPECT_TRUE(appTitled);
}

TEST(ReadSections, EachEmptiesWhatItReadsIntoEvenWhenMissing) {
    // Reading into a session's own state (nothing reset first): a file without the sections
    // leaves no entrant, seat, score, fine or lone of the tournament before.
    test::TempDir dir;
    ScriptedPrompt prompt;
    Session s(prompt);
    ASSERT_TRUE(loadTournament(s, std::string(RANKHALL_SOURCE_DIR) + "/examples/demo.qmc"));
    test::writeFile(dir / "bare.qmc", tournament(info("<TotalPlayers>16</TotalPlayers>")));
    ASSERT_TRUE(LoadXMLDocument(s, (dir / "bare.qmc").string()));
    const std::string x = buildTournamentXml(s.state());
    EXPECT_NE(x.find("<RosterRounds/>"), std::string::npos);
    EXPECT_EQ(count(x, "<Players/>"), 3); // scores, fines, lones
    for (const WinnerRow& w : winnerRows(s))
        EXPECT_EQ(w.name, "") << w.tag; // the name list stays, the names are gone
}

// ---- Parse report ---------------------------------------------------------------------------

TEST(ParseReport, ExactTextOfAFaultyLine) {
    XmlDocument doc;
    ParseError e;
    std::string text = "<?xml version='1.0'?>\r\n<Tournament>\r\n\t<Title>Zoë</Titel>\r\n";
    ASSERT_FALSE(doc.parse(text, &e));
    EXPECT_EQ(e.line, 3);
    EXPECT_EQ(e.linePos, 14); // at "Titel", counted in characters: "ë" is one
    EXPECT_EQ(e.srcText, "\t<Title>Zoë</Titel>");
    EXPECT_EQ(e.filePos, (21 + 2) + (12 + 2) + 14);
    EXPECT_EQ(parseReportText(e), "Your XML Document failed to load due to the following error.\r\n"
                                  "Error #: " +
                                      std::to_string(e.code) + ": " + e.reason +
                                      "Line #: 3\r\nLine Position: 14\r\nPosition In File: 51\r\n"
                                      "Source Text: \t<Title>Zoë</Titel>\r\nDocument URL: ");
    EXPECT_EQ(e.reason.substr(e.reason.size() - 2), "\r\n");
    EXPECT_NE(e.code, 0);

    ScriptedPrompt prompt;
    showParseReport(prompt, e);
    auto m = prompt.messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].title, kAppTitle);
    EXPECT_EQ(m[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(m[0].buttons, MsgButtons::Ok);
}

TEST(ParseReport, EmptyAndBinaryInput) {
    XmlDocument doc;
    ParseError e;
    EXPECT_FALSE(doc.parse("", &e));
    EXPECT_EQ(e.line, 1);
    EXPECT_EQ(e.linePos, 1);
    std::string binary("\x01\x02<\x00\xff\xfe garbage", 14);
    EXPECT_FALSE(doc.parse(fileBytesToText(binary), &e));
    for (char c : e.srcText)
        EXPECT_TRUE(static_cast<unsigned char>(c) >= 0x20 || c == '\t');
    std::string longLine(5000, 'x');
    EXPECT_FALSE(doc.parse("<a>" + longLine, &e));
    EXPECT_LE(e.srcText.size(), kMaxSourceText + 3);
}

// ---- Broken files ---------------------------------------------------------------------------

namespace {
std::string validFile() {
    return fileBytesToText(
        test::readFile(std::string(RANKHALL_SOURCE_DIR) + "/examples/sitout10.qmc"));
}
} // namespace

TEST(BrokenFiles, TruncatedAnywhereNeverCrashes) {
    std::string whole = validFile();
    for (std::size_t cut = 0; cut < whole.size(); cut += 97) {
        XmlDocument doc;
        ParseError e;
        if (!doc.parse(whole.substr(0, cut), &e)) {
            EXPECT_FALSE(parseReportText(e).empty());
            continue;
        }
        TournamentState st;
        ScriptedPrompt prompt;
        showFindings(prompt, readTournament(doc, st));
    }
}

TEST(BrokenFiles, DeepNestingCostsNoStack) {
    const int depth = 200000;
    std::string deep;
    deep.reserve(depth * 7u + 100);
    for (int i = 0; i < depth; ++i)
        deep += "<a>";
    deep += "<TournamentInfo><Title>Deep</Title></TournamentInfo>";
    for (int i = 0; i < depth; ++i)
        deep += "</a>";
    auto r = read(deep);
    EXPECT_EQ(r->st.settings.TourneyTitle(), "Deep");
    // And a deep value: its text is gathered without recursion.
    std::string title = "<TournamentInfo><Title>";
    for (int i = 0; i < depth; ++i)
        title += "<b>x";
    for (int i = 0; i < depth; ++i)
        title += "</b>";
    title += "</Title></TournamentInfo>";
    auto t = read(title);
    EXPECT_EQ(t->st.settings.TourneyTitle().size(), static_cast<std::size_t>(depth));
}

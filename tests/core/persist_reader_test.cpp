// The section readers of the tournament file, one reading rule at a time, their reports, and
// broken files of every kind: each gives its reports and a tournament in a defined state.
#include "core/scripted_prompt.h"
#include "engine_fixture.h"
#include "persistence/code_page.h"
#include "persistence/tournament_reader.h"
#include "persistence/tournament_writer.h"
#include "persistence/xml_document.h"
#include "services/views.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

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
    showAll(out->prompt, readTournament(doc, out->st));
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

// ---- TournamentInfo -------------------------------------------------------------------------

TEST(ReadTournamentInfo, EveryFieldInto) {
    auto r = read(tournament(info(
        "<TournamentType>Progressive</TournamentType><Title> Spring Open </Title>"
        "<JackpotTitle>Loner Pot</JackpotTitle><TourneyCode>SP26</TourneyCode>"
        "<SupportDir>S-1</SupportDir><TotalPlayers>24</TotalPlayers><TotalRounds>9</TotalRounds>"
        "<CurrentRound>5</CurrentRound><BumpFee>0.25</BumpFee><WoodFee>0,5</WoodFee>"
        "<EntryFee>10</EntryFee><Expenses>12.75</Expenses>")));
    const TournamentSettings& t = r->st.settings;
    EXPECT_TRUE(t.isProgressive());
    EXPECT_EQ(t.TourneyTitle(), " Spring Open "); // kept as written
    EXPECT_EQ(t.StoredJackpotTitle(), "Loner Pot");
    EXPECT_EQ(t.TourneyCode(), "SP26");
    EXPECT_EQ(t.SupportDir(), "S-1");
    EXPECT_EQ(t.TotalPlort(), 24);
    EXPECT_EQ(t.TotalTables(), 6);
    EXPECT_EQ(t.TotalRounds(), 9);
    EXPECT_EQ(t.CurrentRound(), 5);
    EXPECT_DOUBLE_EQ(t.BumpFee(), 0.25);
    EXPECT_DOUBLE_EQ(t.WoodFee(), 0.5); // a decimal comma reads too
    EXPECT_DOUBLE_EQ(t.EntryFee(), 10);
    EXPECT_DOUBLE_EQ(t.Expenses(), 12.75);
    EXPECT_TRUE(r->prompt.shown.empty());
}

TEST(ReadTournamentInfo, MissingOrBadValuesLeaveTheFieldSilently) {
    auto r = read(tournament(info("<Title>Only a title</Title><TotalPlayers>many</TotalPlayers>"
                                  "<TotalRounds>70000</TotalRounds><BumpFee>cheap</BumpFee>"
                                  "<EntryFee></EntryFee>")));
    const TournamentSettings& t = r->st.settings;
    TournamentSettings defaults;
    EXPECT_EQ(t.TourneyTitle(), "Only a title");
    EXPECT_EQ(t.TotalPlort(), defaults.TotalPlort());
    EXPECT_EQ(t.TotalRounds(), defaults.TotalRounds());   // 70000 overflows 16 bits
    EXPECT_EQ(t.CurrentRound(), defaults.CurrentRound()); // absent: the default round
    EXPECT_DOUBLE_EQ(t.BumpFee(), 0);
    EXPECT_DOUBLE_EQ(t.EntryFee(), 0);
    EXPECT_EQ(t.TourneyCode(), "");
    EXPECT_TRUE(r->prompt.shown.empty());
}

TEST(ReadTournamentInfo, KindWordMustBeExactlyProgressive) {
    for (const char* word : {"progressive", " Progressive", "", "PROGRESSIVE", "Team", "Bridge"}) {
        auto r = read(tournament(info(std::string("<TournamentType>") + word +
                                      "</TournamentType><TotalPlayers>10</TotalPlayers>")));
        SCOPED_TRACE(word);
        EXPECT_TRUE(r->st.settings.isTeam());
        EXPECT_EQ(r->st.settings.TotalTables(), 5);
    }
}

TEST(ReadTournamentInfo, TablesFollowTheEntrantsAndTheKind) {
    auto tables = [](const char* kind, int entrants) {
        auto r =
            read(tournament(info(std::string("<TotalPlayers>") + std::to_string(entrants) +
                                 "</TotalPlayers><TournamentType>" + kind + "</TournamentType>")));
        return r->st.settings.TotalTables();
    };
    // The kind is read before the size whatever the element order, and the tables come last.
    EXPECT_EQ(tables("Progressive", 10), 2);
    EXPECT_EQ(tables("Progressive", 9), 2);
    EXPECT_EQ(tables("Progressive", 16), 4);
    EXPECT_EQ(tables("Team", 7), 3);
    EXPECT_EQ(tables("Team", 16), 8);
}

TEST(ReadTournamentInfo, SectionFoundAnywhereFirstOneCounts) {
    auto r = read("<Wrapper><Deep><TournamentInfo><Title>First</Title></TournamentInfo></Deep>"
                  "<TournamentInfo><Title>Second</Title></TournamentInfo></Wrapper>");
    EXPECT_EQ(r->st.settings.TourneyTitle(), "First");
    // The first child of a name counts, too.
    auto two = read(tournament(info("<Title>One</Title><Title>Two</Title>")));
    EXPECT_EQ(two->st.settings.TourneyTitle(), "One");
}

TEST(ReadTournamentInfo, EmptySectionChangesNothing) {
    auto r = read(tournament("<TournamentInfo/>"));
    EXPECT_EQ(r->st.settings.TotalTables(), 1);
    EXPECT_EQ(r->st.settings.TourneyTitle(), TournamentSettings::kDefaultTitle);
}

// ---- FeesPayout -----------------------------------------------------------------------------

namespace {
std::string fees(const std::string& option, const std::string& customValues = "") {
    return "<FeesPayout><Payout><Custom><Value>" + option + "</Value></Custom>" + customValues +
           "</Payout></FeesPayout>";
}
std::string values(const std::string& count, int n) {
    std::string v = "<CustomValues Count=\"" + count + "\">";
    for (int i = 1; i <= n; ++i)
        v += "<Value>" + std::to_string(i * 10) + ".5</Value>";
    return v + "</CustomValues>";
}
} // namespace

TEST(ReadFeesPayout, StandardOptionIgnoresCustomValues) {
    auto r = read(tournament(fees("0", values("3", 3))));
    EXPECT_EQ(r->st.payout.PayoutOption, 0);
    EXPECT_EQ(r->st.payout.CustomPayoutCount, 0);
    EXPECT_DOUBLE_EQ(r->st.payout.CustomPayouts[0], 0);
}

TEST(ReadFeesPayout, AnyOtherOptionIsCustomAndTheCountComesFromTheAttribute) {
    auto r = read(tournament(fees("7", values("3", 4))));
    EXPECT_EQ(r->st.payout.PayoutOption, 1);
    EXPECT_EQ(r->st.payout.CustomPayoutCount, 3);
    EXPECT_DOUBLE_EQ(r->st.payout.CustomPayouts[0], 10.5);
    EXPECT_DOUBLE_EQ(r->st.payout.CustomPayouts[3], 40.5); // four amounts read, count kept at 3
    EXPECT_TRUE(r->prompt.shown.empty());
}

TEST(ReadFeesPayout, MoreThanEightAmountsIsASectionError) {
    auto r = read(tournament(fees("1", values("8", 9))));
    auto m = r->prompt.messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].text, "Error processing FeesPayout");
    EXPECT_EQ(m[0].title, kAppTitle);
    EXPECT_EQ(m[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(r->st.payout.CustomPayoutCount, 8);
    EXPECT_DOUBLE_EQ(r->st.payout.CustomPayouts[7], 80.5); // what was read stays
}

TEST(ReadFeesPayout, BadCountOrAmountIsASectionError) {
    for (const std::string& bad : {values("", 2), values("9", 2), values("-1", 2), values("x", 2),
                                   std::string("<CustomValues Count=\"2\"><Value>ten</Value>"
                                               "</CustomValues>")}) {
        auto r = read(tournament(fees("1", bad)));
        SCOPED_TRACE(bad);
        EXPECT_EQ(r->prompt.countTitled(kAppTitle), 1);
        EXPECT_EQ(r->st.payout.PayoutOption, 1);
        EXPECT_LE(r->st.payout.CustomPayoutCount, 8);
    }
}

TEST(ReadFeesPayout, StopsQuietlyAtAMissingLevel) {
    for (const std::string& body :
         {std::string("<FeesPayout/>"), std::string("<FeesPayout><Payout/></FeesPayout>"),
          std::string("<FeesPayout><Payout><Custom/></Payout></FeesPayout>"),
          std::string(
              "<FeesPayout><Payout><Custom><Other>1</Other></Custom></Payout></FeesPayout>"),
          fees("1")}) {
        auto r = read(tournament(body));
        EXPECT_TRUE(r->prompt.shown.empty()) << body;
        EXPECT_EQ(r->st.payout.CustomPayoutCount, 0);
    }
    EXPECT_EQ(read(tournament(fees("1")))->st.payout.PayoutOption, 1);
}

TEST(ReadFeesPayout, NonNumericOptionIsASectionError) {
    auto r = read(tournament(fees("custom")));
    EXPECT_EQ(r->prompt.messages().at(0).text, "Error processing FeesPayout");
    EXPECT_EQ(r->st.payout.PayoutOption, 0);
}

// ---- The other sections, one reading rule a file --------------------------------------------
//
// Each file of tests/data/reading (its rule in a comment at the top) is read through every
// section; beside it, what the director is shown and the tournament as it would be saved.
// To write the expected files again after a deliberate change:
//   RANKHALL_UPDATE_GOLDEN=1 build/release/tests/persist_reader_test

namespace {

class ReadingRule : public testing::TestWithParam<std::string> {};

const fs::path kReading = fs::path(RANKHALL_TEST_DATA_DIR) / "reading";

} // namespace

TEST_P(ReadingRule, ReportsAndWhatIsKept) {
    const fs::path input = kReading / (GetParam() + ".xml");
    auto r = read(fileBytesToText(test::readFile(input)));
    std::string out = "== shown\n";
    for (const Message& m : r->prompt.messages())
        out += m.title + " | " + m.text + "\n";
    out += "== saved\n" + buildTournamentXml(r->st);
    const fs::path expected = kReading / (GetParam() + ".expected");
    if (std::getenv("RANKHALL_UPDATE_GOLDEN"))
        test::writeFile(expected, out);
    EXPECT_TRUE(out == test::readFile(expected)) << input << " now gives:\n" << out;
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
        showAll(prompt, readTournament(doc, st));
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

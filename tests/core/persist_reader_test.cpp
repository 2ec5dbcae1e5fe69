// The section readers of the tournament file, one reading rule at a time, their reports, and
// broken files of every kind: each gives its reports and a tournament in a defined state.
#include "core/scripted_prompt.h"
#include "persistence/code_page.h"
#include "persistence/tournament_reader.h"
#include "persistence/tournament_writer.h"
#include "persistence/xml_document.h"
#include "roster/keys.h"
#include "support/generator.h"

#include <gtest/gtest.h>

using namespace rh;

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

std::string player(const std::string& name, const std::string& id, const char* alias = nullptr) {
    std::string p =
        "<PlayerKey><PlayerName>" + name + "</PlayerName><PlayerID>" + id + "</PlayerID>";
    if (alias)
        p += std::string("<PlayerAlias>") + alias + "</PlayerAlias>";
    return p + "</PlayerKey>";
}

std::string progressiveTable(int a, int b, int c, int d) {
    auto p = [](int id) { return "<Player>" + std::to_string(id) + "</Player>"; };
    return "<Table><Team><Players>" + p(a) + p(b) + "</Players></Team><Team><Players>" + p(c) +
           p(d) + "</Players></Team></Table>";
}

std::string teamTable(int a, int b) {
    return "<Table><Teams><Team>" + std::to_string(a) + "</Team><Team>" + std::to_string(b) +
           "</Team></Teams></Table>";
}

std::string round(const std::string& tables) {
    return "<Round><Tables>" + tables + "</Tables></Round>";
}

const std::string kTeamInfo = info("<TournamentType>Team</TournamentType>");

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

// ---- PlayerKeys -----------------------------------------------------------------------------

TEST(ReadPlayers, NamesIdsAliasesAndTheSortedList) {
    auto r = read(tournament("<PlayerKeys>" + player("  Zed  ", "5", " Z ") +
                             player("Amy", "12", "") + player("Bo", "3") +
                             "<PlayerKey><PlayerName>No ID</PlayerName></PlayerKey>"
                             "<PlayerKey><PlayerID>9</PlayerID></PlayerKey><PlayerKey/>"
                             "</PlayerKeys>"));
    const TournamentState& st = r->st;
    EXPECT_EQ(st.names.Count(), 3u);
    EXPECT_EQ(st.nameOf("05"), "Zed");
    EXPECT_EQ(st.nameOf("12"), "Amy");
    EXPECT_EQ(st.aliases.value("05"), "Z");
    EXPECT_TRUE(st.aliases.Exists("12"));  // an empty alias is an entry
    EXPECT_FALSE(st.aliases.Exists("03")); // no alias element: no entry
    EXPECT_EQ(st.sortedNames.items(), (std::vector<std::string>{"Amy~12", "Bo~03", "Zed~05"}));
    EXPECT_EQ(st.debugNames, (std::vector<std::string>{"Zed~05", "Amy~12", "Bo~03"}));
    EXPECT_TRUE(r->prompt.shown.empty());
}

TEST(ReadPlayers, DuplicateIdEndsTheSectionWithItsNumber) {
    auto r = read(tournament("<PlayerKeys>" + player("Ann", "1") + player("Bob", "01") +
                             player("Cy", "2") + "</PlayerKeys>"));
    auto m = r->prompt.messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].text, "Error processing players: 457");
    EXPECT_EQ(m[0].title, kAppTitle);
    EXPECT_EQ(r->st.nameOf("01"), "Ann");
    EXPECT_FALSE(r->st.names.Exists("02")); // nothing after the error is read
    // The duplicate is not listed either: every listed entrant has exactly one name.
    EXPECT_EQ(r->st.sortedNames.items(), (std::vector<std::string>{"Ann~01"}));
}

TEST(ReadPlayers, BadIdsGiveTypeMismatchOrOverflow) {
    auto mismatch = read(tournament("<PlayerKeys>" + player("Ann", "one") + "</PlayerKeys>"));
    EXPECT_EQ(mismatch->prompt.messages().at(0).text, "Error processing players: 13");
    auto overflow = read(tournament("<PlayerKeys>" + player("Ann", "40000") + "</PlayerKeys>"));
    EXPECT_EQ(overflow->prompt.messages().at(0).text, "Error processing players: 6");
}

TEST(ReadPlayers, NamesAreEmptiedBeforeReading) {
    TournamentState st;
    st.names.Add("Old", "01");
    XmlDocument doc;
    ASSERT_TRUE(doc.parse(tournament("<Other/>")));
    ScriptedPrompt prompt;
    {
        ReadFindings found;
        ProcessPlayers(doc, st, found);
        showAll(prompt, found);
    }
    EXPECT_EQ(st.names.Count(), 0u);
}

// ---- RosterRounds ---------------------------------------------------------------------------

TEST(ReadRoster, SeatsInDocumentOrderAndTheRelations) {
    auto r = read(tournament("<RosterRounds>" + round(progressiveTable(1, 2, 3, 4)) +
                             round(progressiveTable(3, 1, 4, 2) + progressiveTable(5, 9, 14, 7)) +
                             "</RosterRounds>"));
    const TournamentState& st = r->st;
    EXPECT_TRUE(r->prompt.shown.empty());
    EXPECT_EQ(st.tableSeats.value("02020101"), "05");
    EXPECT_EQ(st.tableSeats.value("02020102"), "09");
    EXPECT_EQ(st.tableSeats.value("02020201"), "14");
    EXPECT_EQ(st.tableSeats.value("02020202"), "07");
    EXPECT_EQ(st.roster.getPartner("2", "5"), "09");
    EXPECT_EQ(st.roster.getOpponent1("2", "5"), "14");
    EXPECT_EQ(st.roster.getOpponent2("2", "5"), "07");
    EXPECT_EQ(st.roster.getPartner("1", "3"), "04");
    EXPECT_EQ(st.tableSeats.Count(), 12u);
    EXPECT_EQ(st.roster.Count(), 36);
}

TEST(ReadRoster, OnlyElementsWithChildrenAreNumbered) {
    auto r = read(tournament("<RosterRounds><Round/>" + round(progressiveTable(1, 2, 3, 4)) +
                             "<Round><Other>x</Other></Round>" + "<Round><Tables><Table/>" +
                             progressiveTable(5, 6, 7, 8) + "</Tables></Round></RosterRounds>"));
    const TournamentState& st = r->st;
    EXPECT_EQ(st.tableSeats.value("01010101"), "01"); // the empty Round is not round 1
    EXPECT_FALSE(st.tableSeats.Exists("02010101"));   // round 2 has no Tables
    EXPECT_EQ(st.tableSeats.value("03010101"), "05"); // the empty Table is not table 1
}

TEST(ReadRoster, TeamTables) {
    auto r = read(tournament(kTeamInfo + "<RosterRounds>" +
                             round(teamTable(4, 6) + teamTable(1, 2) + teamTable(3, 5)) +
                             round(teamTable(1, 6)) + "</RosterRounds>"));
    const TournamentState& st = r->st;
    EXPECT_TRUE(r->prompt.shown.empty());
    for (const char* key : {"010101", "010102", "010201", "010202", "010301", "010302"})
        EXPECT_TRUE(st.tableSeats.Exists(key)) << key;
    EXPECT_EQ(st.roster.GetTeam("1", "4"), "06");
    EXPECT_EQ(st.roster.GetTeam("01", "06"), "04");
    EXPECT_EQ(st.roster.GetTeam("2", "1"), "06");
}

TEST(ReadRoster, TooManySeatsRejectsTheTableAndEndsTheSection) {
    std::string five = "<Table><Team><Players><Player>5</Player><Player>6</Player>"
                       "<Player>7</Player></Players></Team><Team><Players><Player>8</Player>"
                       "<Player>9</Player></Players></Team></Table>";
    auto r = read(tournament("<RosterRounds>" + round(progressiveTable(1, 2, 3, 4) + five) +
                             round(progressiveTable(1, 2, 3, 4)) + "</RosterRounds>"));
    auto m = r->prompt.messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].title, "Process Roster");
    EXPECT_EQ(m[0].icon, MsgIcon::Critical);
    EXPECT_EQ(m[0].text, commonErrorText(RhError(err::BadIndex)));
    EXPECT_EQ(r->st.tableSeats.Count(), 4u); // the first table stays; the bad one and round 2 not
    EXPECT_EQ(r->st.roster.Count(), 12);
    EXPECT_EQ(r->st.roster.getPartner("1", "5"), "");

    auto teams = read(tournament(kTeamInfo + "<RosterRounds>" +
                                 round("<Table><Teams><Team>1</Team><Team>2</Team><Team>3</Team>"
                                       "</Teams></Table>") +
                                 "</RosterRounds>"));
    EXPECT_EQ(teams->prompt.countTitled("Process Roster"), 1);
    EXPECT_EQ(teams->st.tableSeats.Count(), 0u);
}

TEST(ReadRoster, TooFewSeatsIsRejectedRatherThanFilledFromAnotherTable) {
    std::string three = "<Table><Team><Players><Player>5</Player><Player>6</Player></Players>"
                        "</Team><Team><Players><Player>7</Player></Players></Team></Table>";
    auto r = read(tournament("<RosterRounds>" + round(progressiveTable(1, 2, 3, 4) + three) +
                             "</RosterRounds>"));
    EXPECT_EQ(r->prompt.countTitled("Process Roster"), 1);
    EXPECT_EQ(r->st.tableSeats.Count(), 4u);
    EXPECT_FALSE(r->st.tableSeats.Exists("01020101"));
}

TEST(ReadRoster, APlayerSeatedTwiceInARoundRejectsThatTable) {
    auto r = read(tournament("<RosterRounds>" +
                             round(progressiveTable(1, 2, 3, 4) + progressiveTable(5, 6, 7, 1)) +
                             "</RosterRounds>"));
    auto m = r->prompt.messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].text, commonErrorText(RhError(err::DuplicateKey)));
    // Nothing of the rejected table was stored, not even the seats before the duplicate.
    EXPECT_EQ(r->st.roster.Count(), 12);
    EXPECT_EQ(r->st.tableSeats.Count(), 4u);
    EXPECT_EQ(r->st.roster.getPartner("1", "5"), "");
    // The same player twice at one table is the same error.
    auto same = read(
        tournament("<RosterRounds>" + round(progressiveTable(1, 2, 1, 4)) + "</RosterRounds>"));
    EXPECT_EQ(same->prompt.countTitled("Process Roster"), 1);
    EXPECT_EQ(same->st.roster.Count(), 0);
}

TEST(ReadRoster, NonNumericSeatIsASectionError) {
    auto r = read(tournament("<RosterRounds>" +
                             round("<Table><Team><Players><Player>x</Player></Players></Team>"
                                   "</Table>") +
                             "</RosterRounds>"));
    EXPECT_EQ(r->prompt.messages().at(0).text, commonErrorText(RhError(err::TypeMismatch)));
}

TEST(ReadRoster, StoresAreClearedEvenWhenTheSectionIsMissing) {
    TournamentState st;
    st.roster.AddPlayers(1, {1, 2, 3, 4});
    st.tableSeats.Add("01", "01010101");
    XmlDocument doc;
    ASSERT_TRUE(doc.parse(tournament("")));
    ScriptedPrompt prompt;
    {
        ReadFindings found;
        ProcessRoster(doc, st, found);
        showAll(prompt, found);
    }
    EXPECT_EQ(st.roster.Count(), 0);
    EXPECT_EQ(st.tableSeats.Count(), 0u);
}

// ---- Scores, Bumps, Lones -------------------------------------------------------------------

namespace {
std::string scoreEntry(const std::string& inner) {
    return "<Player>" + inner + "</Player>";
}
} // namespace

TEST(ReadScores, KeysAndTwoDigitScores) {
    auto r = read(tournament(
        "<Scores><Players>" + scoreEntry("<Round>2</Round><PlayerID>5</PlayerID><Score>7</Score>") +
        scoreEntry("<Round>3</Round><PlayerID>12</PlayerID><Score>-3</Score>") +
        scoreEntry("<Round>1</Round><PlayerID>1</PlayerID><Score>0</Score>") +
        "</Players></Scores>"));
    const ScoreStore& s = r->st.scores;
    EXPECT_EQ(s.Item("0205"), "07");
    EXPECT_EQ(s.Item("0312"), "-03");
    EXPECT_EQ(s.Item("0101"), "00"); // a score of nothing is still a score
    EXPECT_EQ(s.Count(), 3);
}

TEST(ReadScores, MissingValuesComeFromThePreviousEntry) {
    auto r = read(tournament("<Scores><Players>" +
                             scoreEntry("<Round>4</Round><PlayerID>5</PlayerID><Score>10</Score>") +
                             scoreEntry("<PlayerID>6</PlayerID>") + scoreEntry("<Score>8</Score>") +
                             "<Player/><Note>x</Note>" + scoreEntry("<PlayerID>1</PlayerID>") +
                             "</Players></Scores>"));
    const ScoreStore& s = r->st.scores;
    EXPECT_EQ(s.Item("0405"), "10");
    EXPECT_EQ(s.Item("0406"), "08"); // round and score of the first entry, then score 8 replaces
    EXPECT_EQ(s.Item("0401"), "08");
    EXPECT_EQ(s.Count(), 3);
    // Before the first entry everything is 0.
    auto zero = read(
        tournament("<Scores><Players>" + scoreEntry("<Score>9</Score>") + "</Players></Scores>"));
    EXPECT_EQ(zero->st.scores.Item("0000"), "09");
}

TEST(ReadScores, MissingPlayersOrBadNumberIsACommonError) {
    auto missing = read(tournament("<Scores><Other/></Scores>"));
    auto m = missing->prompt.messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].title, "Process Scores");
    EXPECT_EQ(m[0].icon, MsgIcon::Critical);
    EXPECT_NE(m[0].text.find("Error # 91"), std::string::npos);

    auto bad = read(tournament(
        "<Scores><Players>" + scoreEntry("<Round>1</Round><PlayerID>1</PlayerID><Score>9</Score>") +
        scoreEntry("<Round>1</Round><PlayerID>2</PlayerID><Score>nine</Score>") +
        scoreEntry("<Round>1</Round><PlayerID>3</PlayerID><Score>9</Score>") +
        "</Players></Scores>"));
    EXPECT_EQ(bad->prompt.messages().at(0).text, commonErrorText(RhError(err::TypeMismatch)));
    EXPECT_EQ(bad->st.scores.Count(), 1); // what came before the error stays
}

TEST(ReadBumps, InheritedValuesAndThreeEntriesPerPlayer) {
    auto r = read(
        tournament("<Bumps><Players>" +
                   scoreEntry("<PlayerID>3</PlayerID><Bump>2</Bump><Wood>1</Wood><Paid>1</Paid>") +
                   scoreEntry("<PlayerID>4</PlayerID><Paid>0</Paid>") + "</Players></Bumps>"));
    const KeyedCollection& b = r->st.fines;
    EXPECT_EQ(b.value("0300"), "02");
    EXPECT_EQ(b.value("0301"), "01");
    EXPECT_EQ(b.value("0302"), "1");
    EXPECT_EQ(b.value("0400"), "02"); // bump and wood of the previous entry
    EXPECT_EQ(b.value("0401"), "01");
    EXPECT_EQ(b.value("0402"), "0");
    auto first =
        read(tournament("<Bumps><Players>" + scoreEntry("<PlayerID>7</PlayerID><Paid>1</Paid>") +
                        "</Players></Bumps>"));
    EXPECT_EQ(first->st.fines.value("0700"), "00");
    EXPECT_EQ(first->st.fines.value("0701"), "00");
    EXPECT_EQ(first->st.fines.value("0702"), "1");
}

TEST(ReadBumps, ErrorsAndMissingParts) {
    auto none = read(tournament("<Bumps><Other/></Bumps>"));
    EXPECT_TRUE(none->prompt.shown.empty()); // no "Players" here is no error
    auto bad = read(tournament("<Bumps><Players>" + scoreEntry("<PlayerID>x</PlayerID>") +
                               "</Players></Bumps>"));
    EXPECT_EQ(bad->prompt.countTitled("Process Bumps"), 1);
    EXPECT_EQ(bad->st.fines.Count(), 0u);
}

TEST(ReadLones, TwoDigitCountsUnderTheId) {
    auto r = read(
        tournament("<Lones><Players>" + scoreEntry("<PlayerID>5</PlayerID><Lone>2</Lone>") +
                   scoreEntry("<PlayerID>6</PlayerID>") +
                   scoreEntry("<PlayerID>7</PlayerID><Lone>many</Lone>") + "</Players></Lones>"));
    EXPECT_EQ(r->st.lones.value("05"), "02");
    EXPECT_EQ(r->st.lones.value("06"), "02");
    EXPECT_FALSE(r->st.lones.Exists("07"));
    EXPECT_EQ(r->prompt.countTitled("Process Lones"), 1);
}

TEST(ReadStores, EmptiedBeforeTheirSectionIsRead) {
    TournamentState st;
    st.scores.setScore("1", "1", "10");
    writeCount(st.lones, "01", "1");
    writePaid(st.fines, 1, true);
    XmlDocument doc;
    ASSERT_TRUE(doc.parse(tournament("")));
    ScriptedPrompt prompt;
    {
        ReadFindings found;
        ProcessScores(doc, st, found);
        showAll(prompt, found);
    }
    {
        ReadFindings found;
        ProcessBumps(doc, st, found);
        showAll(prompt, found);
    }
    {
        ReadFindings found;
        ProcessLones(doc, st, found);
        showAll(prompt, found);
    }
    EXPECT_EQ(st.scores.Count(), 0);
    EXPECT_EQ(st.lones.Count(), 0u);
    EXPECT_EQ(st.fines.Count(), 0u);
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
    TournamentState st;
    test::generateTournament(st, {test::Kind::Progressive, 12, 4, 2, 3});
    return fileBytesToText(buildTournamentXml(st));
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

TEST(BrokenFiles, HugeNumbersAreSectionErrorsNotCrashes) {
    std::string big = "99999999999999999999999999";
    auto r = read(tournament(
        info("<TotalPlayers>" + big + "</TotalPlayers><BumpFee>1e999</BumpFee>") +
        fees("1", "<CustomValues Count=\"" + big + "\"><Value>1</Value></CustomValues>") +
        "<PlayerKeys>" + player("A", big) + "</PlayerKeys>" + "<Scores><Players>" +
        scoreEntry("<Round>" + big + "</Round>") + "</Players></Scores>"));
    EXPECT_EQ(r->st.settings.TotalPlort(), 4);
    EXPECT_DOUBLE_EQ(r->st.settings.BumpFee(), 0);
    EXPECT_EQ(r->prompt.messages().size(), 3u);
    EXPECT_EQ(r->st.names.Count(), 0u);
}

TEST(BrokenFiles, AMillionPlayersLoadInADefinedState) {
    std::string keys;
    keys.reserve(60u * 1000000u);
    for (int i = 1; i <= 1000000; ++i)
        keys += "<PlayerKey><PlayerName>P</PlayerName><PlayerID>" + std::to_string(i) +
                "</PlayerID></PlayerKey>";
    auto r = read(tournament("<PlayerKeys>" + keys + "</PlayerKeys>"));
    // IDs are 16-bit: the first one beyond is an overflow that ends the section.
    EXPECT_EQ(r->st.names.Count(), 32767u);
    EXPECT_EQ(r->prompt.messages().at(0).text, "Error processing players: 6");
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

TEST(BrokenFiles, WrongKindWordReadsProgressiveSeatingAsTeamTables) {
    // A Progressive seating read as a Team tournament: its tables hold no "Teams" element and are
    // rejected; the rest of the file still loads.
    auto r =
        read(tournament(info("<TournamentType>progressive</TournamentType>") + "<PlayerKeys>" +
                        player("A", "1") + "</PlayerKeys><RosterRounds>" +
                        round(progressiveTable(1, 2, 3, 4)) + "</RosterRounds><Lones><Players>" +
                        scoreEntry("<PlayerID>1</PlayerID><Lone>1</Lone>") + "</Players></Lones>"));
    EXPECT_TRUE(r->st.settings.isTeam());
    EXPECT_EQ(r->prompt.countTitled("Process Roster"), 1);
    EXPECT_EQ(r->st.tableSeats.Count(), 0u);
    EXPECT_EQ(r->st.lones.value("01"), "01");
    EXPECT_EQ(r->st.nameOf("01"), "A");
}

TEST(BrokenFiles, EveryBrokenPartReportsOnceAndTheRestLoads) {
    std::string file = tournament(
        info("<TotalPlayers>8</TotalPlayers>") + fees("1", values("2", 9)) + "<PlayerKeys>" +
        player("A", "1") + player("B", "1") + "</PlayerKeys><RosterRounds>" +
        round(progressiveTable(1, 2, 3, 4) + progressiveTable(5, 6, 7, 8)) +
        round(progressiveTable(1, 2, 3, 3)) + "</RosterRounds><Scores><Players>" +
        scoreEntry("<Round>1</Round><PlayerID>1</PlayerID><Score>10</Score>") +
        scoreEntry("<Score>bad</Score>") + "</Players></Scores><Bumps><Players>" +
        scoreEntry("<PlayerID>2</PlayerID><Bump>1</Bump>") + "</Players></Bumps>");
    auto r = read(file);
    std::vector<std::string> titles;
    for (const auto& m : r->prompt.messages())
        titles.push_back(m.title + "|" + m.text.substr(0, 29));
    EXPECT_EQ(titles, (std::vector<std::string>{"Rankhall|Error processing FeesPayout",
                                                "Rankhall|Error processing players: 457",
                                                "Process Roster|The following error occured: ",
                                                "Process Scores|The following error occured: "}));
    EXPECT_EQ(r->st.tableSeats.Count(), 8u);
    EXPECT_EQ(r->st.scores.Item("0101"), "10");
    EXPECT_EQ(r->st.fines.value("0200"), "01");
    // What was read writes back and reads again without a single report.
    ScriptedPrompt quiet;
    XmlDocument again;
    ASSERT_TRUE(again.parse(fileBytesToText(buildTournamentXml(r->st))));
    TournamentState back;
    showAll(quiet, readTournament(again, back));
    EXPECT_TRUE(quiet.shown.empty());
    EXPECT_EQ(buildTournamentXml(back), buildTournamentXml(r->st));
}

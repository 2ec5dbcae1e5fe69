// Scoring a round table by table: the tables of a round in table-number order, the entrant offered
// after each score, the table caption, and both scores of a table typed at once.
#include "core/scripted_prompt.h"
#include "core/text.h"
#include "roster/keys.h"
#include "scoring/table_order.h"
#include "services/load_save.h"
#include "services/score_entry.h"
#include "services/session.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

using namespace rh;

namespace {

class TableEntry : public ::testing::Test {
protected:
    ScriptedPrompt prompt;
    Session session{prompt};

    TournamentState& st() { return session.state(); }

    void names(const std::vector<std::string>& list) {
        for (std::size_t i = 0; i < list.size(); ++i) {
            const std::string id = fmt00(static_cast<long long>(i + 1));
            st().names.Add(list[i], id);
            st().sortedNames.AddItem(list[i] + "~" + id);
        }
        st().settings.setTotalPlort(static_cast<std::int16_t>(list.size()));
    }
    // One Progressive table as the file reader seats it: roster relations and seat keys.
    void players(int round, int table, std::array<std::int16_t, 4> seats) {
        st().roster.AddPlayers(static_cast<std::int16_t>(round), seats);
        for (int i = 0; i < 4; ++i)
            st().tableSeats.Add(fmt00(seats[static_cast<std::size_t>(i)]),
                                SeatKey(round, table, i / 2 + 1, i % 2 + 1));
    }
    void teams(int round, int table, std::array<std::int16_t, 2> pair) {
        st().roster.AddTeams(static_cast<std::int16_t>(round), pair);
        for (int i = 0; i < 2; ++i)
            st().tableSeats.Add(fmt00(pair[static_cast<std::size_t>(i)]),
                                TeamSeatKey(round, table, i + 1));
    }
    void loaded(int rounds) {
        st().settings.setTotalRounds(static_cast<std::int16_t>(rounds));
        st().settings.setCurrentRound(1);
        finishLoad(session);
    }
    // Eight players at tables 10 and 2 of round 1 (seated in that order; names sort by id):
    // table 2 seats Cat+Hal against Ann+Fay, table 10 Bob+Eve against Dan+Gus.
    void eightPlayers() {
        names({"Ann", "Bob", "Cat", "Dan", "Eve", "Fay", "Gus", "Hal"});
        players(1, 10, {2, 5, 4, 7});
        players(1, 2, {3, 8, 1, 6});
        loaded(2);
    }
    std::string score(int id) { return st().scores.getScore2("01", fmt00(id)); }
    static int scoreIndex(int score) { return score + 1; } // item 0 is the blank score
};

} // namespace

TEST_F(TableEntry, TablesRunInTableNumberOrderSideBySide) {
    eightPlayers();
    const TableOrder order(st().tableSeats, true, 1);
    ASSERT_EQ(order.tables().size(), 2u);
    EXPECT_EQ(order.tables()[0].number, 2);
    EXPECT_EQ(order.tables()[0].sides[0], (std::vector<std::string>{"03", "08"}));
    EXPECT_EQ(order.tables()[0].sides[1], (std::vector<std::string>{"01", "06"}));
    EXPECT_EQ(order.tables()[1].number, 10);
    EXPECT_EQ(order.tableNumberOf("07"), 10);
    EXPECT_EQ(order.tableNumberOf("09"), std::nullopt);
    EXPECT_TRUE(TableOrder(st().tableSeats, true, 2).empty());

    auto all = [](const std::string&) { return true; };
    auto not03or01 = [](const std::string& id) { return id != "03" && id != "01"; };
    EXPECT_EQ(order.nextWaiting("", all), "03");
    EXPECT_EQ(order.nextWaiting("08", all), "01"); // the opposing side of the same table
    EXPECT_EQ(order.nextWaiting("06", all), "02"); // then the next table
    EXPECT_EQ(order.nextWaiting("07", all), "03"); // and round again
    EXPECT_EQ(order.nextWaiting("", not03or01), "08");
    EXPECT_EQ(order.nextWaiting("", [](const std::string&) { return false; }), "");
}

TEST_F(TableEntry, TypedTableScores) {
    const std::vector<std::pair<std::string, std::optional<std::vector<int>>>> cases = {
        {"10 6", std::vector<int>{10, 6}},
        {" 7,5 ", std::vector<int>{7, 5}},
        {"09", std::vector<int>{9}},
        {"0 32", std::vector<int>{0, 32}},
        {"33 1", std::nullopt},
        {"1 2 3", std::nullopt},
        {"", std::nullopt},
        {"7a 5", std::nullopt},
        {"-1 5", std::nullopt}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(parseTableScores(text), expected) << '"' << text << '"';
    EXPECT_EQ(tableCaption(7), "Table 7");
    EXPECT_EQ(tableCaption(std::nullopt), "");
}

TEST_F(TableEntry, ScoresOfferTheOpposingSideThenTheNextTable) {
    eightPlayers();
    session.chooseInStandings("05"); // by table, the tables and not the standings choose
    ScoreEntry screen(session);
    screen.setByTable(true);
    screen.UpdateEnterScores();
    const EnterScoresView& v = screen.view();
    EXPECT_EQ(screen.selectedEntrantId(), "03");
    EXPECT_EQ(v.lblTable.text, "Table 2");
    EXPECT_TRUE(v.txtTableScores.visible);
    EXPECT_EQ(v.focus, "txtTableScores");

    const std::vector<std::pair<int, std::string>> steps = {
        {10, "01"}, {6, "02"}, {9, "04"}, {10, ""}};
    for (const auto& [points, next] : steps) {
        screen.chooseScore(scoreIndex(points));
        EXPECT_EQ(v.comboPlayerName.hasSelection() ? screen.selectedEntrantId() : "", next);
    }
    EXPECT_EQ(score(8), "10");
    EXPECT_EQ(score(6), "06");
    EXPECT_EQ(score(7), "10");
    EXPECT_EQ(v.lblTable.text, "");

    // Without "By table" the list order rules again, and the box is hidden.
    screen.chooseByTable(false);
    EXPECT_FALSE(v.txtTableScores.visible);
}

TEST_F(TableEntry, BothScoresOfATableInOneLine) {
    eightPlayers();
    ScoreEntry screen(session);
    screen.UpdateEnterScores();
    EXPECT_EQ(screen.selectedEntrantId(), "01"); // the list's first entrant
    screen.chooseByTable(true);
    const EnterScoresView& v = screen.view();
    EXPECT_EQ(screen.selectedEntrantId(), "03"); // the first table still waiting
    EXPECT_EQ(v.focus, "txtTableScores");

    screen.enterTableScores("33 4"); // no score: kept and marked, nothing stored
    EXPECT_EQ(v.txtTableScores.text, "33 4");
    EXPECT_EQ(v.txtTableScores.background, kLightRed);
    EXPECT_EQ(st().scores.Count(), 0);

    screen.enterTableScores("10 7");
    EXPECT_EQ(score(3), "10");
    EXPECT_EQ(score(8), "10");
    EXPECT_EQ(score(1), "07");
    EXPECT_EQ(score(6), "07");
    EXPECT_EQ(v.txtTableScores.text, "");
    EXPECT_FALSE(v.txtTableScores.background.has_value());
    EXPECT_EQ(v.lblTable.text, "Table 10");
    EXPECT_EQ(v.focus, "txtTableScores");

    // One number is the offered side's score; the other side follows.
    screen.enterTableScores("4");
    EXPECT_EQ(score(2), "04");
    EXPECT_EQ(score(4), "");
    screen.enterTableScores("10");
    EXPECT_EQ(score(7), "10");
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(TableEntry, ConflictAndLoneCheckRunAsForAChosenScore) {
    eightPlayers();
    st().scores.setScore("1", "08", "05"); // Hal's score disagrees with the one typed for Cat
    writeCount(st().lones, "03", "3");     // and Cat cannot have 3 lones with 9 points
    prompt.conflictTakesPlayer.push_back(true);
    ScoreEntry screen(session);
    screen.setByTable(true);
    screen.UpdateEnterScores();
    ASSERT_EQ(screen.selectedEntrantId(), "03");
    prompt.clear();

    screen.enterTableScores("9 2");
    // The lone check's message, then the conflict, as when 9 is chosen for Cat.
    ASSERT_EQ(prompt.shown.size(), 2u);
    EXPECT_EQ(prompt.shown[0].message.title, "Data Mismatch");
    EXPECT_EQ(prompt.shown[1].kind, "conflict");
    EXPECT_EQ(prompt.shown[1].conflict.playerScore, "09");
    EXPECT_EQ(prompt.shown[1].conflict.partnerScore, "05");
    // The score is stored all the same, and the entry stops there: the other side waits, and
    // the typed text stays for a second try.
    EXPECT_EQ(score(3), "09");
    EXPECT_EQ(score(8), "09");
    EXPECT_EQ(score(1), "");
    EXPECT_EQ(screen.view().txtTableScores.text, "9 2");
    EXPECT_FALSE(screen.view().txtTableScores.background.has_value());
}

TEST_F(TableEntry, TeamTablesSeatTwoTeams) {
    st().settings.SetTypeTeam();
    names({"Aces", "Bees", "Cubs", "Dots"});
    teams(1, 2, {4, 1});
    teams(1, 1, {2, 3});
    loaded(1);
    ScoreEntry screen(session);
    screen.setByTable(true);
    screen.UpdateEnterScores();
    EXPECT_EQ(screen.selectedEntrantId(), "02");
    EXPECT_EQ(screen.view().lblTable.text, "Table 1");
    screen.enterTableScores("10 8");
    EXPECT_EQ(score(2), "10");
    EXPECT_EQ(score(3), "08");
    EXPECT_EQ(screen.selectedEntrantId(), "04");
    screen.enterTableScores("3 10");
    EXPECT_EQ(score(4), "03");
    EXPECT_EQ(score(1), "10");
    EXPECT_EQ(st().scores.Count(), 4);
}

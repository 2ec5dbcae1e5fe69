// Scoring a round table by table: the tables of a round in table order, the entrant offered after
// each score, the table caption, and both scores of a table typed at once.
#include "core/scripted_prompt.h"
#include "core/text.h"
#include "engine_fixture.h"
#include "scoring/table_order.h"
#include "services/score_entry.h"
#include "services/session.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using namespace rh;

namespace {

class TableEntry : public ::testing::Test {
protected:
    ScriptedPrompt prompt;
    Session session{prompt};
    std::unique_ptr<test::Tourney> t;

    void load() {
        ASSERT_TRUE(loadTournament(session, t->writeFile()));
        prompt.clear();
    }
    // Eight players at two tables of round 1 (names sort by id): table 1 seats Cat+Hal against
    // Ann+Fay, table 2 Bob+Eve against Dan+Gus.
    void eightPlayers(const std::function<void(test::Tourney&)>& more = {}) {
        t = std::make_unique<test::Tourney>(
            8, 2, true,
            std::vector<std::string>{"Ann", "Bob", "Cat", "Dan", "Eve", "Fay", "Gus", "Hal"});
        t->seat(1, {3, 8, 1, 6}).seat(1, {2, 5, 4, 7});
        if (more)
            more(*t);
        load();
    }
    std::string score(int id) { return test::savedValue(session, "Score", id, 1); }
    static int scoreIndex(int score) { return score + 1; } // item 0 is the blank score
};

} // namespace

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
    EXPECT_EQ(v.lblTable.text, "Table 1");
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
    EXPECT_EQ(score(3), "");

    screen.enterTableScores("10 7");
    EXPECT_EQ(score(3), "10");
    EXPECT_EQ(score(8), "10");
    EXPECT_EQ(score(1), "07");
    EXPECT_EQ(score(6), "07");
    EXPECT_EQ(v.txtTableScores.text, "");
    EXPECT_FALSE(v.txtTableScores.background.has_value());
    EXPECT_EQ(v.lblTable.text, "Table 2");
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
    // Hal's score disagrees with the one typed for Cat, and Cat cannot have 3 lones with 9.
    eightPlayers([](test::Tourney& t) { t.score(1, 8, 5).lones(3, 3); });
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
    t = std::make_unique<test::Tourney>(4, 1, false,
                                        std::vector<std::string>{"Aces", "Bees", "Cubs", "Dots"});
    t->seat(1, {2, 3}).seat(1, {4, 1});
    load();
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
}

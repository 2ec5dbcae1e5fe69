// The round check after every score and the advance to the next round, driven through the
// score-entry screen with recording hooks in place of the clocks, the recovery copy and the views.
#include "core/scripted_prompt.h"
#include "core/text.h"
#include "engine_fixture.h"
#include "services/round_advance.h"
#include "services/score_entry.h"
#include "services/session.h"
#include "state/round.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using namespace rh;

namespace {

using Table = std::vector<int>;

class Advance : public ::testing::Test {
protected:
    ScriptedPrompt prompt;
    Session session{prompt};
    std::vector<std::string> calls;
    RoundAdvanceHooks hooks;

    Advance() {
        auto note = [this](const char* what) { return [this, what] { calls.emplace_back(what); }; };
        hooks.refreshViews = note("refreshViews");
        hooks.StopRoundTimer = note("StopRoundTimer");
        hooks.RecordRoundTime = note("RecordRoundTime");
        hooks.ResetRoundTimer = note("ResetRoundTimer");
        hooks.ResetPauseTimer = note("ResetPauseTimer");
        hooks.SaveData = [this] {
            calls.push_back("SaveData round " + std::to_string(session.tourney().CurrentRound()));
        };
        hooks.StartRoundTimer = note("StartRoundTimer");
        hooks.ChangeRound = note("ChangeRound");
        hooks.UpdateProgressBars = [this](bool done) {
            calls.push_back(done ? "UpdateProgressBars(true)" : "UpdateProgressBars(false)");
        };
        hooks.ShowResultsTab = note("ShowResultsTab");
    }

    /// Entrants "P01".."P99" (name order is id order) seated so, round by round; `more` adds to
    /// the file before it is loaded.
    void seat(int count, const std::vector<std::vector<Table>>& rounds,
              const std::function<void(test::Tourney&)>& more = {}) {
        std::vector<std::string> names;
        for (int i = 1; i <= count; ++i)
            names.push_back("P" + fmt00(i));
        test::Tourney t(count, static_cast<int>(rounds.size()), true, names);
        for (std::size_t r = 0; r < rounds.size(); ++r)
            for (const Table& table : rounds[r])
                t.seat(static_cast<int>(r) + 1, table);
        if (more)
            more(t);
        ASSERT_TRUE(loadTournament(session, t.writeFile()));
        prompt.clear();
    }
    void score(int round, int id, const char* value) {
        applyChange(session, Change::score(round, fmt00(id), value));
    }
    std::string saved(int round, int id) { return test::savedValue(session, "Score", id, round); }

    int roundOvers(bool tournamentOver) const {
        int n = 0;
        for (const auto& s : prompt.shown)
            n += s.kind == "roundOver" && s.tournamentOver == tournamentOver;
        return n;
    }
    std::vector<std::string> shownKinds() const {
        std::vector<std::string> out;
        for (const auto& s : prompt.shown)
            out.push_back(s.kind == "message" ? s.message.title : s.kind);
        return out;
    }
    static int scoreIndex(int score) { return score + 1; }
};

} // namespace

TEST_F(Advance, TwoScoresFillAFourPlayerRoundAndOnlyTheSecondEndsIt) {
    seat(4, {{{1, 2, 3, 4}}, {{1, 3, 2, 4}}});
    ScoreEntry screen(session);
    bindRoundAdvance(screen, session, hooks);
    screen.UpdateEnterScores();

    screen.chooseScore(scoreIndex(6)); // P01 and P02
    EXPECT_EQ(roundOvers(false), 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"refreshViews"}));
    EXPECT_EQ(screen.view().comboPlayerName.selectedText(), "*P03");

    calls.clear();
    screen.chooseScore(scoreIndex(3)); // P03 and P04
    for (int id = 1; id <= 4; ++id)
        EXPECT_NE(saved(1, id), "") << id;
    EXPECT_EQ(roundOvers(false), 1);
    EXPECT_EQ(session.tourney().CurrentRound(), 2);
    EXPECT_EQ(calls, (std::vector<std::string>{"refreshViews", "StopRoundTimer", "RecordRoundTime",
                                               "ResetRoundTimer", "ResetPauseTimer",
                                               "SaveData round 2", "StartRoundTimer", "ChangeRound",
                                               "UpdateProgressBars(false)"}));
    // The Scores tab has been reloaded for the new round.
    EXPECT_EQ(screen.selectedRound(), "02");
    EXPECT_EQ(screen.view().comboSelectRnd.items.size(), 2u);
    EXPECT_EQ(screen.view().comboPlayerName.items.size(), 4u);
    EXPECT_EQ(screen.view().comboPlayerName.selectedText(), "*P01");
    EXPECT_EQ(screen.view().txtPartnerName.text, "*P03");
    EXPECT_TRUE(screen.view().comboPlayerScore.enabled);
}

TEST_F(Advance, SittingOutEntrantsNeverHoldARoundOpen) {
    seat(5, {{{1, 2, 3, 4}}, {{5, 1, 2, 3}}}); // P05 sits out round 1, P04 round 2
    ScoreEntry screen(session);
    bindRoundAdvance(screen, session, hooks);
    screen.UpdateEnterScores();
    EXPECT_EQ(screen.view().comboPlayerName.items.size(), 4u);
    screen.chooseScore(scoreIndex(4));
    screen.chooseScore(scoreIndex(5));
    EXPECT_EQ(roundOvers(false), 1);
    EXPECT_EQ(session.tourney().CurrentRound(), 2);
    EXPECT_EQ(saved(1, 5), "");
}

TEST_F(Advance, AScoreInAnEarlierRoundAdvancesNothing) {
    seat(4, {{{1, 2, 3, 4}}, {{1, 3, 2, 4}}, {{1, 4, 2, 3}}},
         [](test::Tourney& t) { t.round(2).score(1, 1, 5).score(1, 2, 5); });
    ScoreEntry screen(session);
    bindRoundAdvance(screen, session, hooks);
    screen.UpdateEnterScores();
    screen.chooseRound(0);
    ASSERT_EQ(screen.view().comboPlayerName.selectedText(), "P01");
    ASSERT_EQ(screen.view().comboPlayerName.items[2].text, "*P03");
    screen.chooseEntrant(2);
    screen.chooseScore(scoreIndex(8)); // round 1 is now complete; round 2 is not
    EXPECT_TRUE(isRoundComplete(session.state(), roundAt(1)));
    EXPECT_EQ(roundOvers(false), 0);
    EXPECT_EQ(session.tourney().CurrentRound(), 2);
    EXPECT_EQ(calls, (std::vector<std::string>{"refreshViews"}));
}

TEST_F(Advance, AfterTheLastRoundEveryScoreSaysTheTournamentIsOver) {
    seat(4, {{{1, 2, 3, 4}}});
    ScoreEntry screen(session);
    bindRoundAdvance(screen, session, hooks);
    screen.UpdateEnterScores();
    screen.chooseScore(scoreIndex(6));
    screen.chooseScore(scoreIndex(7));
    EXPECT_EQ(roundOvers(true), 1);
    EXPECT_EQ(roundOvers(false), 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"refreshViews", "refreshViews", "ShowResultsTab",
                                               "UpdateProgressBars(true)"}));
    EXPECT_EQ(session.tourney().CurrentRound(), 1);
    EXPECT_TRUE(screen.view().comboPlayerName.items.empty());

    // A correction after the end: the dialog comes again, no clock is touched.
    calls.clear();
    screen.chooseShowAll(true);
    prompt.conflictTakesPlayer = {true};
    screen.chooseScore(scoreIndex(9));
    EXPECT_EQ(roundOvers(true), 2);
    EXPECT_EQ(session.tourney().CurrentRound(), 1);
    EXPECT_EQ(calls, (std::vector<std::string>{"refreshViews", "ShowResultsTab",
                                               "UpdateProgressBars(true)"}));
    EXPECT_EQ(prompt.shown.back().message.text, "THE TOURNAMENT IS OVER");
}

TEST_F(Advance, MismatchesAreListedAndTheRoundAdvancesAllTheSame) {
    // P03 will score 5 with 2 lones, P07 3 with 3 lones.
    seat(8, {{{1, 2, 3, 4}, {5, 6, 7, 8}}, {{1, 3, 5, 7}, {2, 4, 6, 8}}},
         [](test::Tourney& t) { t.lones(3, 2).lones(7, 3); });
    ScoreEntry screen(session);
    bindRoundAdvance(screen, session, hooks);
    screen.UpdateEnterScores();
    screen.chooseScore(scoreIndex(9)); // P01, P02
    screen.chooseScore(scoreIndex(5)); // P03, P04
    screen.chooseScore(scoreIndex(8)); // P05, P06
    screen.chooseScore(scoreIndex(3)); // P07, P08

    const std::vector<Message> messages = prompt.messages();
    ASSERT_FALSE(messages.empty());
    const Message& m = messages.back();
    EXPECT_EQ(m.title, "Auto-Advance Round");
    EXPECT_EQ(m.icon, MsgIcon::Exclamation);
    EXPECT_EQ(m.text, "Press OK to advance to the next round\r\n"
                      "The following players have a score/lone mismatch\r\n"
                      "P03\r\nP07\r\n");
    // The round-over dialog first, then the list; the round moves on regardless.
    const std::vector<std::string> kinds = shownKinds();
    auto over = std::find(kinds.begin(), kinds.end(), "roundOver");
    auto list = std::find(kinds.begin(), kinds.end(), "Auto-Advance Round");
    EXPECT_LT(over, list);
    EXPECT_EQ(session.tourney().CurrentRound(), 2);
}

TEST_F(Advance, NoAdvanceWithoutALoadedTournamentFile) {
    seat(4, {{{1, 2, 3, 4}}, {{1, 3, 2, 4}}});
    session.markEmpty();
    score(1, 1, "05");
    score(1, 3, "05");
    EXPECT_EQ(UpdateGrid(session, nullptr, hooks), RoundOutcome::NotAdvanced);
    EXPECT_EQ(roundOvers(false), 1);
    EXPECT_EQ(session.tourney().CurrentRound(), 1);
    EXPECT_EQ(calls, (std::vector<std::string>{"refreshViews"}));

    session.markRead();
    EXPECT_EQ(UpdateGrid(session, nullptr, hooks), RoundOutcome::Advanced);
    EXPECT_EQ(UpdateGrid(session, nullptr, hooks), RoundOutcome::Open);
}

TEST_F(Advance, AFailingHookIsReportedAndLeavesWhatWasDone) {
    seat(4, {{{1, 2, 3, 4}}, {{1, 3, 2, 4}}});
    score(1, 1, "05");
    score(1, 3, "05");
    hooks.SaveData = [] { throw RhError(err::DiskFull); };
    EXPECT_TRUE(AdvanceRound(session, hooks)); // the round did move before the failure
    EXPECT_EQ(prompt.countTitled("Advance Round"), 1);
    EXPECT_EQ(prompt.messages().back().text,
              "The following error occured: \r\nError # 61\r\nDisk full");
    EXPECT_EQ(session.tourney().CurrentRound(), 2);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "StartRoundTimer"), 0);
}

TEST_F(Advance, ShowAllUncheckedBlanksTheFieldsBeforeTheReload) {
    seat(4, {{{1, 2, 3, 4}}, {{1, 3, 2, 4}}, {{1, 4, 2, 3}}});
    ScoreEntry screen(session);
    std::vector<std::string> seen;
    hooks.StopRoundTimer = [&] { seen.push_back(screen.view().txtPartnerName.text); };
    screen.UpdateEnterScores();
    ASSERT_EQ(screen.view().txtPartnerName.text, "*P02");

    // The round is completed elsewhere while the screen still shows P01.
    score(1, 1, "05");
    score(1, 3, "05");
    EXPECT_EQ(UpdateGrid(session, &screen, hooks), RoundOutcome::Advanced);
    EXPECT_EQ(screen.view().txtPartnerName.text, "*P03"); // round 2 loaded afterwards

    // With "Show All" checked the fields stay as they were until the reload.
    screen.chooseShowAll(true);
    score(2, 1, "05"); // round 2 seats 1 with 3, 2 with 4
    score(2, 2, "05");
    screen.UpdateEnterScores();
    ASSERT_EQ(screen.view().txtPartnerName.text, "P03");
    EXPECT_EQ(UpdateGrid(session, &screen, hooks), RoundOutcome::Advanced);
    EXPECT_EQ(seen, (std::vector<std::string>{"", "P03"}));
    EXPECT_EQ(screen.selectedRound(), "03");
}

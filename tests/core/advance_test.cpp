// The round check and the advance to the next round called on their own, with recording hooks in
// place of the clocks, the recovery copy and the views. The advance driven through the score-entry
// screen is in the screen's scripts (score_screen_test, data/scores/advance-*).
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
    int roundOvers(bool tournamentOver) const {
        int n = 0;
        for (const auto& s : prompt.shown)
            n += s.kind == "roundOver" && s.tournamentOver == tournamentOver;
        return n;
    }
};

} // namespace

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

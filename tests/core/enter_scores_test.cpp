// The score-entry screen driven as the director drives it: choices of round, entrant, score,
// lones, bumps, woods and paid, with the stores, the captions and the messages checked after each.
#include "core/scripted_prompt.h"
#include "core/text.h"
#include "engine_fixture.h"
#include "services/score_entry.h"
#include "services/session.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace rh;

namespace {

// A prompt that also notes what the tournament held when the conflict dialog opened.
class RecordingPrompt : public ScriptedPrompt {
public:
    Session* session = nullptr;
    std::vector<std::string> storeAtConflict; // "round/id=score" of the watched entrants
    std::vector<int> watched;                 // round-1 entrants

    std::string resolveConflict(const ConflictRequest& request) override {
        for (int id : watched)
            storeAtConflict.push_back(std::to_string(id) + "=" +
                                      test::savedValue(*session, "Score", id, 1));
        return ScriptedPrompt::resolveConflict(request);
    }
};

// Dan: 3 in round 1 (partner Cat), 5 in round 2 (partner Bob).
void danScores(test::Tourney& t) {
    t.score(1, 3, 3).score(1, 4, 3).score(2, 2, 5).score(2, 4, 5);
}

class EnterScores : public ::testing::Test {
protected:
    RecordingPrompt prompt;
    Session session{prompt};
    std::unique_ptr<test::Tourney> t;

    EnterScores() { prompt.session = &session; }

    // Eight players; round 1 seats 1-2 v 3-4 and 5-6 v 7-8, round 2 1-3 v 5-7 and 2-4 v 6-8,
    // round 3 1-4 v 6-7 and 2-3 v 5-8. Names sort in id order. `more` adds to the file.
    void eightPlayers(int rounds, int current,
                      const std::function<void(test::Tourney&)>& more = {}) {
        t = std::make_unique<test::Tourney>(
            8, rounds, true,
            std::vector<std::string>{"Ann", "Bob", "Cat", "Dan", "Eve", "Fay", "Gus", "Hal"});
        const std::vector<std::vector<std::vector<int>>> seating = {{{1, 2, 3, 4}, {5, 6, 7, 8}},
                                                                    {{1, 3, 5, 7}, {2, 4, 6, 8}},
                                                                    {{1, 4, 6, 7}, {2, 3, 5, 8}}};
        for (int r = 0; r < rounds; ++r)
            for (const auto& table : seating[static_cast<std::size_t>(r)])
                t->seat(r + 1, table);
        t->round(current);
        if (more)
            more(*t);
        load();
    }

    // Four teams; round 1: 1 v 2, 3 v 4; round 2: 1 v 3, 2 v 4.
    void fourTeams(const std::function<void(test::Tourney&)>& more) {
        t = std::make_unique<test::Tourney>(
            4, 2, false, std::vector<std::string>{"Aces", "Bees", "Cubs", "Dots"});
        t->seat(1, {1, 2}).seat(1, {3, 4}).seat(2, {1, 3}).seat(2, {2, 4});
        more(*t);
        load();
    }

    void load() {
        ASSERT_TRUE(loadTournament(session, t->writeFile()));
        prompt.clear();
    }

    static int indexOf(const ListView& list, const std::string& text) {
        for (std::size_t i = 0; i < list.items.size(); ++i)
            if (list.items[i].text == text)
                return static_cast<int>(i);
        return -1;
    }
    static std::vector<std::string> texts(const ListView& list) {
        std::vector<std::string> out;
        for (const auto& item : list.items)
            out.push_back(item.text);
        return out;
    }
    static int scoreIndex(int score) { return score + 1; } // item 0 is the blank score

    std::string score(int round, int id) { return test::savedValue(session, "Score", id, round); }
    std::string saved(const char* element, int id) {
        return test::savedValue(session, element, id);
    }
    int scoreCount() {
        const std::string x = buildTournamentXml(session.state());
        int n = 0;
        for (auto p = x.find("<Score>"); p != std::string::npos; p = x.find("<Score>", p + 1))
            ++n;
        return n;
    }
    int mismatchMessages() { return prompt.countTitled("Data Mismatch"); }
    int conflicts() const {
        int n = 0;
        for (const auto& s : prompt.shown)
            n += s.kind == "conflict";
        return n;
    }
    // Selects an entrant by its listed text, as the director would.
    void choose(ScoreEntry& screen, const std::string& listed) {
        const int at = indexOf(screen.view().comboPlayerName, listed);
        ASSERT_GE(at, 0) << listed;
        screen.chooseEntrant(at);
    }
};

} // namespace

TEST_F(EnterScores, CreatedScreenHoldsTheFixedListsAndNothingElse) {
    ScoreEntry screen(session);
    screen.UpdateEnterScores(); // nothing loaded yet
    const EnterScoresView& v = screen.view();
    ASSERT_EQ(v.comboPlayerScore.items.size(), 34u);
    EXPECT_EQ(v.comboPlayerScore.items[0].text, "");
    EXPECT_EQ(v.comboPlayerScore.items[8].text, " 07");
    EXPECT_EQ(v.comboPlayerScore.items[33].text, " 32");
    ASSERT_EQ(v.comboPlayerBumps.items.size(), 100u);
    EXPECT_EQ(v.comboPlayerWoods.items[99].text, " 99");
    EXPECT_EQ(v.comboPlayerWoods.items[99].data, "99");
    EXPECT_TRUE(v.comboSelectRnd.items.empty());
    EXPECT_FALSE(v.comboPlayerScore.enabled);
    EXPECT_FALSE(v.comboPlayerName.enabled);
    EXPECT_FALSE(v.checkPaid.enabled);
    EXPECT_EQ(v.boxPlayer.caption, "Player Round Score");
    EXPECT_EQ(v.frmPartnerScore.caption, "Partner Round Score");
    EXPECT_EQ(v.lblPlayer.text, "Name");
    EXPECT_TRUE(v.frmOpponent.visible);
    EXPECT_TRUE(prompt.shown.empty());

    // A choice on a disabled list is not a choice.
    screen.chooseScore(scoreIndex(7));
    EXPECT_EQ(scoreCount(), 0);
}

TEST_F(EnterScores, LoadListsWaitingEntrantsOfTheCurrentRound) {
    eightPlayers(3, 2, [](test::Tourney& t) { t.score(2, 1, 5).score(2, 3, 5); }); // Ann, Cat
    ScoreEntry screen(session);
    screen.UpdateEnterScores();
    const EnterScoresView& v = screen.view();
    EXPECT_EQ(texts(v.comboSelectRnd), (std::vector<std::string>{"01", "02"}));
    EXPECT_EQ(v.comboSelectRnd.index, 1);
    EXPECT_EQ(texts(v.comboPlayerName),
              (std::vector<std::string>{"*Bob", "*Dan", "*Eve", "*Fay", "*Gus", "*Hal"}));
    EXPECT_EQ(v.comboPlayerName.items[1].data, "04");
    EXPECT_EQ(v.comboPlayerName.index, 0);
    EXPECT_EQ(screen.selectedEntrantId(), "02");
    EXPECT_TRUE(v.frmEnterScores.visible);
    EXPECT_TRUE(v.comboPlayerScore.enabled);
    EXPECT_EQ(v.focus, "comboPlayerScore");
    // Bob's table in round 2: 2-4 against 6-8.
    EXPECT_EQ(v.txtPartnerName.text, "*Dan");
    EXPECT_EQ(v.txtOppo1Name.text, "*Fay");
    EXPECT_EQ(v.txtOppo2Name.text, "*Hal");
    EXPECT_EQ(v.comboPlayerScore.index, 0);

    // "Show All" lists the scored entrants by their bare names.
    screen.chooseShowAll(true);
    EXPECT_EQ(texts(v.comboPlayerName), (std::vector<std::string>{"Ann", "*Bob", "Cat", "*Dan",
                                                                  "*Eve", "*Fay", "*Gus", "*Hal"}));
}

TEST_F(EnterScores, SelectionFollowsTheEntrantLastClickedOnTheStandings) {
    eightPlayers(2, 1);
    session.chooseInStandings("06");
    ScoreEntry screen(session);
    screen.UpdateEnterScores();
    EXPECT_EQ(screen.selectedEntrantId(), "06");
    // Fay's score moves the selection to the first waiting entrant, Fay being done.
    screen.chooseScore(scoreIndex(4));
    EXPECT_EQ(screen.view().comboPlayerName.selectedText(), "*Ann");
}

TEST_F(EnterScores, ScoreIsStoredForBothPartnersAndSelectionMovesOn) {
    eightPlayers(2, 1);
    ScoreEntry screen(session);
    screen.UpdateEnterScores();
    ASSERT_EQ(screen.view().comboPlayerName.selectedText(), "*Ann");

    screen.chooseScore(scoreIndex(7));
    EXPECT_EQ(score(1, 1), "07");
    EXPECT_EQ(score(1, 2), "07");
    EXPECT_EQ(scoreCount(), 2);
    EXPECT_EQ(conflicts(), 0);
    EXPECT_TRUE(prompt.messages().empty());

    const EnterScoresView& v = screen.view();
    EXPECT_EQ(texts(v.comboPlayerName),
              (std::vector<std::string>{"*Cat", "*Dan", "*Eve", "*Fay", "*Gus", "*Hal"}));
    EXPECT_EQ(v.comboPlayerName.selectedText(), "*Cat");
    // Cat's table: partner Dan (no score yet), opponents Ann and Bob with their 07.
    EXPECT_EQ(v.txtPartnerName.text, "*Dan");
    EXPECT_EQ(v.txtOppo1Name.text, "Ann");
    EXPECT_EQ(v.lblScoreOppo1.text, "07");
    EXPECT_EQ(v.lbTotalScoreOppo1.text, "07");
    EXPECT_EQ(v.txtOppo2Name.text, "Bob");
    EXPECT_EQ(v.lbLonesOppo2.text, "00");
    EXPECT_EQ(v.comboPlayerScore.index, 0);
    EXPECT_EQ(v.lbTotalScorePlayer.text, "00");
}

TEST_F(EnterScores, PartnerConflictIsSettledBeforeAnythingIsStored) {
    eightPlayers(2, 1);
    ScoreEntry screen(session);
    screen.UpdateEnterScores();
    screen.chooseScore(scoreIndex(7)); // Ann and Bob: 07
    screen.chooseShowAll(true);
    choose(screen, "Bob");
    EXPECT_EQ(screen.view().lblScorePartner.text, "07");

    prompt.watched = {1, 2};
    prompt.conflictTakesPlayer = {true};
    screen.chooseScore(scoreIndex(9));
    ASSERT_EQ(conflicts(), 1);
    const ConflictRequest& asked = prompt.shown.back().conflict;
    EXPECT_EQ(asked.playerName, "Bob");
    EXPECT_EQ(asked.partnerName, "Ann");
    EXPECT_EQ(asked.playerScore, "09");
    EXPECT_EQ(asked.partnerScore, "07");
    EXPECT_EQ(prompt.storeAtConflict, (std::vector<std::string>{"1=07", "2=07"}));
    EXPECT_EQ(score(1, 1), "09");
    EXPECT_EQ(score(1, 2), "09");

    // The other way: the partner's score stands and becomes the selected score.
    choose(screen, "Ann");
    prompt.storeAtConflict.clear();
    prompt.conflictTakesPlayer = {false};
    screen.chooseScore(scoreIndex(12));
    ASSERT_EQ(conflicts(), 2);
    EXPECT_EQ(prompt.shown.back().conflict.playerName, "Ann");
    EXPECT_EQ(prompt.shown.back().conflict.partnerScore, "09");
    EXPECT_EQ(prompt.storeAtConflict, (std::vector<std::string>{"1=09", "2=09"}));
    EXPECT_EQ(score(1, 1), "09");
    EXPECT_EQ(score(1, 2), "09");
}

TEST_F(EnterScores, BlankScoreRemovesBothAndTheEntrantWaitsAgain) {
    eightPlayers(2, 1);
    ScoreEntry screen(session);
    screen.UpdateEnterScores();
    screen.chooseScore(scoreIndex(7));
    screen.chooseShowAll(true);
    choose(screen, "Ann");

    // The blank disagrees with the partner's 07, so the director confirms it first.
    prompt.conflictTakesPlayer = {true};
    screen.chooseScore(0);
    EXPECT_EQ(conflicts(), 1);
    EXPECT_EQ(prompt.shown.back().conflict.playerScore, "");
    EXPECT_EQ(score(1, 1), "");
    EXPECT_EQ(score(1, 2), "");
    EXPECT_EQ(indexOf(screen.view().comboPlayerName, "*Ann"), 0);
    EXPECT_EQ(indexOf(screen.view().comboPlayerName, "*Bob"), 1);
}

TEST_F(EnterScores, LastWaitingEntrantEmptiesTheListAndBlanksTheScreen) {
    eightPlayers(1, 1); // one round: completing it ends the tournament, nothing reloads
    ScoreEntry screen(session);
    screen.UpdateEnterScores();
    screen.chooseScore(scoreIndex(7)); // Ann, Bob
    screen.chooseScore(scoreIndex(6)); // Cat, Dan
    screen.chooseScore(scoreIndex(5)); // Eve, Fay
    ASSERT_EQ(screen.view().comboPlayerName.selectedText(), "*Gus");
    screen.chooseScore(scoreIndex(3)); // Gus, Hal
    EXPECT_EQ(score(1, 8), "03");

    const EnterScoresView& v = screen.view();
    EXPECT_TRUE(v.comboPlayerName.items.empty());
    EXPECT_EQ(screen.selectedEntrantId(), "00");
    for (const auto& [name, list] : v.lists()) {
        const std::string control = name;
        if (control == "comboSelectRnd")
            continue;
        EXPECT_FALSE(list->enabled) << control;
        if (control != "comboPlayerName") {
            EXPECT_FALSE(list->hasSelection()) << control;
        }
    }
    for (const auto& [name, caption] : v.captions()) {
        if (std::string(name) != "lblPlayer") {
            EXPECT_EQ(caption->text, "") << name;
        }
    }
    EXPECT_FALSE(v.checkPaid.enabled);
    EXPECT_TRUE(v.comboSelectRnd.enabled); // an earlier round can still be chosen
}

TEST_F(EnterScores, ChoosingARoundShowsAllOfItsEntrants) {
    eightPlayers(2, 2, [](test::Tourney& t) { t.totals({5, 5, 5, 5, 5, 5, 5, 5}); });
    ScoreEntry screen(session);
    screen.UpdateEnterScores();
    EXPECT_FALSE(screen.showAll());
    screen.chooseRound(0);
    EXPECT_TRUE(screen.showAll());
    EXPECT_EQ(screen.selectedRound(), "01");
    EXPECT_EQ(texts(screen.view().comboPlayerName),
              (std::vector<std::string>{"Ann", "Bob", "Cat", "Dan", "Eve", "Fay", "Gus", "Hal"}));
    EXPECT_EQ(screen.view().lblScorePartner.text, "05");
    // The screen reload goes back to the current round.
    screen.UpdateEnterScores();
    EXPECT_EQ(screen.selectedRound(), "02");
}

TEST_F(EnterScores, LoneListAndTheOnScreenLoneCheck) {
    eightPlayers(2, 2, danScores); // Dan: 3 in round 1 (partner Cat), 5 in round 2 (Bob)
    ScoreEntry screen(session);
    screen.UpdateEnterScores();
    screen.chooseShowAll(true);
    choose(screen, "Dan");
    const EnterScoresView& v = screen.view();
    EXPECT_EQ(texts(v.comboPlayerLones), (std::vector<std::string>{" 00", " 01"}));
    EXPECT_EQ(saved("Lone", 4), "00"); // showing the count stores it again

    screen.chooseLones(1); // 8 >= 4
    EXPECT_EQ(saved("Lone", 4), "01");
    EXPECT_EQ(mismatchMessages(), 0);

    choose(screen, "Dan");
    prompt.conflictTakesPlayer = {true};
    screen.chooseScore(scoreIndex(2)); // 3 + 2 = 5 >= 4
    EXPECT_EQ(mismatchMessages(), 0);
    EXPECT_EQ(score(2, 4), "02");
    EXPECT_EQ(score(2, 2), "02");

    choose(screen, "Dan");
    prompt.conflictTakesPlayer = {true};
    screen.chooseScore(scoreIndex(0)); // 3 + 0 = 3 < 4
    ASSERT_EQ(mismatchMessages(), 1);
    const Message m = prompt.messages().back();
    EXPECT_EQ(m.text, "Score and Lone data mismatch");
    EXPECT_EQ(m.icon, MsgIcon::Exclamation);
    EXPECT_EQ(m.buttons, MsgButtons::Ok);
    EXPECT_EQ(score(2, 4), "00"); // stored all the same
    EXPECT_EQ(score(2, 2), "00");
    EXPECT_EQ(saved("Lone", 4), "01");
    // Dan stays on the screen with the round and entrant choice held back.
    EXPECT_EQ(screen.selectedEntrantId(), "04");
    EXPECT_FALSE(v.comboSelectRnd.enabled);
    EXPECT_FALSE(v.comboPlayerName.enabled);
    EXPECT_TRUE(v.comboPlayerScore.enabled);
    EXPECT_EQ(texts(v.comboPlayerLones), (std::vector<std::string>{" 00"}));
    EXPECT_FALSE(v.comboPlayerLones.hasSelection()); // the stored 1 no longer fits the list
    screen.chooseRound(0);                           // held back: not a choice
    EXPECT_EQ(screen.selectedRound(), "02");

    // Correcting the lones gives the choice back.
    screen.chooseLones(0);
    EXPECT_EQ(saved("Lone", 4), "00");
    EXPECT_TRUE(v.comboSelectRnd.enabled);
    EXPECT_TRUE(v.comboPlayerName.enabled);
    EXPECT_EQ(mismatchMessages(), 1);
}

TEST_F(EnterScores, AConflictAnswerIsWhatTheLoneCheckJudges) {
    eightPlayers(2, 2, [](test::Tourney& t) { danScores(t.lones(4, 1)); });
    ScoreEntry screen(session);
    screen.UpdateEnterScores();
    screen.chooseShowAll(true);
    choose(screen, "Dan");
    // 0 fails the check, but the partner's 05 is kept: the selectors come back.
    prompt.conflictTakesPlayer = {false};
    screen.chooseScore(scoreIndex(0));
    EXPECT_EQ(mismatchMessages(), 1);
    EXPECT_EQ(score(2, 4), "05");
    EXPECT_TRUE(screen.view().comboPlayerName.enabled);
    EXPECT_TRUE(screen.view().comboSelectRnd.enabled);
}

TEST_F(EnterScores, LoneCountBeyondTheListIsKeptAndNotSelected) {
    // From the file: Dan more lones than his scores allow.
    eightPlayers(2, 2, [](test::Tourney& t) { danScores(t.lones(4, 3).lones(2, 1)); });
    ScoreEntry screen(session);
    screen.UpdateEnterScores();
    screen.chooseShowAll(true);
    choose(screen, "Dan");
    EXPECT_FALSE(screen.view().comboPlayerLones.hasSelection());
    EXPECT_EQ(saved("Lone", 4), "03");
    EXPECT_EQ(mismatchMessages(), 0);
    choose(screen, "Bob");
    EXPECT_EQ(screen.view().comboPlayerLones.index, 1);
    EXPECT_EQ(saved("Lone", 2), "01");
    EXPECT_EQ(screen.view().lbLonesPartner.text, "03"); // Dan beside Bob
}

TEST_F(EnterScores, AStoredScoreBeyondTheListStillCountsForTheLones) {
    eightPlayers(2, 1, [](test::Tourney& t) { t.score(1, 5, 40).score(1, 6, 40); }); // Eve, Fay
    ScoreEntry screen(session);
    screen.UpdateEnterScores();
    screen.chooseShowAll(true);
    choose(screen, "Eve");
    const EnterScoresView& v = screen.view();
    EXPECT_FALSE(v.comboPlayerScore.hasSelection());
    EXPECT_EQ(v.lbTotalScorePlayer.text, "40");
    ASSERT_EQ(v.comboPlayerLones.items.size(), 11u);
    screen.chooseLones(10); // 40 >= 40
    EXPECT_EQ(mismatchMessages(), 0);
    EXPECT_EQ(saved("Lone", 5), "10");
    EXPECT_TRUE(v.comboPlayerName.enabled);
}

TEST_F(EnterScores, PaidBoxAndMoneyOwed) {
    eightPlayers(2, 1, [](test::Tourney& t) { t.fees(0.50, 1.25); });
    ScoreEntry screen(session);
    screen.UpdateEnterScores();
    const EnterScoresView& v = screen.view();
    // Ann: no bumps, no woods.
    EXPECT_FALSE(v.checkPaid.enabled);
    EXPECT_FALSE(v.checkPaid.checked);
    EXPECT_EQ(saved("Paid", 1), "0");
    EXPECT_EQ(v.lblTotalFeePlayer.text, "$.00");
    EXPECT_EQ(v.lblTotalFeePlayer.background, kLightGreen);

    screen.chooseBumps(1);
    EXPECT_EQ(saved("Bump", 1), "01");
    EXPECT_TRUE(v.checkPaid.enabled);
    EXPECT_EQ(v.lblTotalFeePlayer.text, "$.50");
    EXPECT_EQ(v.lblTotalFeePlayer.background, kLightRed);

    screen.chooseWoods(2);
    EXPECT_EQ(saved("Wood", 1), "02");
    EXPECT_EQ(v.lblTotalFeePlayer.text, "$3.00");

    screen.choosePaid(true);
    EXPECT_EQ(saved("Paid", 1), "1");
    EXPECT_FALSE(v.comboPlayerBumps.enabled);
    EXPECT_FALSE(v.comboPlayerWoods.enabled);
    EXPECT_EQ(v.lblTotalFeePlayer.background, kLightGreen);
    screen.chooseBumps(0); // disabled while paid: no change
    EXPECT_EQ(saved("Bump", 1), "01");

    screen.choosePaid(false);
    EXPECT_EQ(saved("Paid", 1), "0");
    EXPECT_TRUE(v.comboPlayerBumps.enabled);
    screen.chooseWoods(0);
    screen.chooseBumps(0);
    EXPECT_FALSE(v.checkPaid.enabled);
    EXPECT_EQ(saved("Bump", 1), "00");

    // Bob beside Ann: his fee in the partner fields, coloured by his own flag.
    applyChange(session, Change::count(ChangeKind::Bump, "02", "03"));
    applyChange(session, Change::count(ChangeKind::Paid, "02", "1"));
    choose(screen, "*Ann");
    EXPECT_EQ(v.lblTotalFeePartner.text, "$1.50");
    EXPECT_EQ(v.lblTotalFeePartner.background, kLightGreen);
    EXPECT_EQ(v.lbBumpsPartner.text, "03");
    EXPECT_EQ(v.lblTotalFeeOppo1.background, kLightGreen); // Cat owes nothing
}

TEST_F(EnterScores, LoadingStoresThePaidFlagAgainAndClearsItWithoutCounts) {
    eightPlayers(2, 1, [](test::Tourney& t) {
        t.paid(1, true);                 // paid, but nothing owed
        t.bumps(2, 2).paid(2, true);     // Bob: two bumps, paid
        t.bumps(3, 1).paidMark(3, "-1"); // a negative flag counts as unpaid
    });
    ScoreEntry screen(session);
    screen.UpdateEnterScores();
    EXPECT_EQ(saved("Paid", 1), "0");
    choose(screen, "*Bob");
    EXPECT_TRUE(screen.view().checkPaid.checked);
    EXPECT_TRUE(screen.view().checkPaid.enabled);
    EXPECT_FALSE(screen.view().comboPlayerBumps.enabled);
    EXPECT_EQ(saved("Paid", 2), "1");
    choose(screen, "*Cat");
    EXPECT_FALSE(screen.view().checkPaid.checked);
    EXPECT_EQ(saved("Paid", 3), "0");
    EXPECT_EQ(screen.view().lblTotalFeePlayer.background, kLightGreen); // fee 0: nothing owed
    // Loading writes no bump or wood counts of its own.
    EXPECT_EQ(saved("Bump", 4), "");
    EXPECT_EQ(saved("Wood", 4), "");
}

TEST_F(EnterScores, TeamScoresAreNotCopiedAndTheOpposingTeamFillsThePartnerFields) {
    fourTeams([](test::Tourney& t) { t.score(1, 2, 4); });
    ScoreEntry screen(session);
    screen.UpdateEnterScores();
    const EnterScoresView& v = screen.view();
    EXPECT_FALSE(v.frmOpponent.visible);
    EXPECT_EQ(v.frmPartnerScore.caption, "Opponent Round Score");
    EXPECT_EQ(v.boxPlayer.caption, "Team Round Score");
    EXPECT_EQ(v.lblPlayer.text, "Team Name");
    EXPECT_EQ(v.comboPlayerName.selectedText(), "*Aces");
    EXPECT_EQ(v.txtPartnerName.text, "Bees");
    EXPECT_EQ(v.lblScorePartner.text, "04");
    EXPECT_EQ(v.txtOppo1Name.text, "");

    screen.chooseScore(scoreIndex(9));
    EXPECT_EQ(conflicts(), 0);
    EXPECT_EQ(score(1, 1), "09");
    EXPECT_EQ(score(1, 2), "04");
    EXPECT_EQ(scoreCount(), 2);
    EXPECT_EQ(texts(v.comboPlayerName), (std::vector<std::string>{"*Cubs", "*Dots"}));
    EXPECT_EQ(v.txtPartnerName.text, "*Dots");
}

TEST_F(EnterScores, FailuresAreReportedWithTheOperationsName) {
    eightPlayers(2, 1);
    ScoreEntry screen(session);
    screen.afterScore = [] { throw RhError(err::Overflow); };
    screen.UpdateEnterScores();
    screen.chooseScore(scoreIndex(7));
    EXPECT_EQ(score(1, 1), "07"); // what was written before the failure stays
    ASSERT_EQ(prompt.countTitled("Player Score Click"), 1);
    EXPECT_EQ(prompt.messages().back().text,
              "The following error occured: \r\nError # 6\r\nOverflow");
    EXPECT_EQ(prompt.messages().back().icon, MsgIcon::Critical);
}

TEST_F(EnterScores, AResetTournamentIsReadAfresh) {
    eightPlayers(2, 1);
    ScoreEntry screen(session);
    screen.UpdateEnterScores();
    session.closeTournament();
    screen.UpdateEnterScores();
    EXPECT_FALSE(screen.view().comboPlayerScore.enabled);
    screen.chooseScore(scoreIndex(7));
    EXPECT_EQ(scoreCount(), 0);
}

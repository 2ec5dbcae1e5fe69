// The shared tournament state as one owner object, its load state and reset, and the prompt seam.
#include "core/scripted_prompt.h"
#include "services/session.h"

#include <gtest/gtest.h>

#include <memory>

using namespace rh;

TEST(Session, ResetReplacesEveryObjectAtOnce) {
    ScriptedPrompt prompt;
    Session session(prompt);
    session.state().scores.setScore("1", "1", "10");
    session.state().roster.AddPlayers(1, {1, 2, 3, 4});
    session.tourney().setTourneyTitle("Old");
    session.state().payout.PayoutOption = 1;
    auto old = session.sharedState();

    session.closeTournament();
    session.state().scores.setScore("1", "1", "20");
    session.state().names.Add("New", "01");

    // A holder of the old object sees none of the new data, and the new object none of the old.
    EXPECT_EQ(old->scores.Item("0101"), "10");
    EXPECT_EQ(old->names.Count(), 0u);
    EXPECT_EQ(session.state().roster.Count(), 0);
    EXPECT_EQ(session.tourney().TourneyTitle(), "Shuffle Up and Deal Again");
    EXPECT_EQ(session.state().payout.PayoutOption, 0);
    EXPECT_EQ(session.state().scores.Item("0101"), "20");
}

TEST(Session, LoadStateFollowsTheLoadAndTheClose) {
    ScriptedPrompt prompt;
    Session session(prompt);
    auto expect = [&](LoadState state, bool settled) {
        EXPECT_EQ(session.loadState(), state);
        EXPECT_EQ(session.isLoaded(), state != LoadState::Empty);
        EXPECT_EQ(session.viewsFilled(), state == LoadState::ViewsFilled);
        EXPECT_EQ(session.isSettled(), settled);
    };
    expect(LoadState::Empty, false);
    session.beginLoad();
    session.openTournament(std::make_shared<TournamentState>());
    expect(LoadState::Read, false);
    session.markViewsFilled();
    expect(LoadState::ViewsFilled, false); // the window is still filling its views
    session.endLoad();
    expect(LoadState::ViewsFilled, true);
    session.closeTournament();
    expect(LoadState::Empty, false);
}

TEST(Session, ARefreshRequestIsTakenOnce) {
    RefreshRequests r;
    EXPECT_FALSE(r.takeLeaderRefresh());
    r.requestMoneyRefresh();
    EXPECT_TRUE(r.takeLeaderRefresh());
    EXPECT_FALSE(r.leaderRefreshRequested());
    EXPECT_TRUE(r.payoutRebuildRequested());
    EXPECT_TRUE(r.takePayoutRebuild());
    EXPECT_FALSE(r.takePayoutRebuild());
}

TEST(Session, CommonErrorMessageGoesThroughThePrompt) {
    ScriptedPrompt prompt;
    Session session(prompt);
    session.ShowErrorMsg("makekey", RhError(err::InvalidCall));
    auto messages = prompt.messages();
    ASSERT_EQ(messages.size(), 1u);
    const Message& m = messages[0];
    EXPECT_EQ(m.title, "makekey");
    EXPECT_EQ(m.icon, MsgIcon::Critical);
    EXPECT_EQ(m.buttons, MsgButtons::Ok);
    EXPECT_EQ(m.text,
              "The following error occured: \r\nError # 5\r\nInvalid procedure call or argument");
}

TEST(ScriptedPrompt, AnswersFromItsQueueThenDefaults) {
    ScriptedPrompt prompt;
    prompt.answers = {MsgAnswer::Cancel};
    EXPECT_EQ(ask(prompt, "Exit", "?", MsgButtons::OkCancel, MsgIcon::Exclamation),
              MsgAnswer::Cancel);
    EXPECT_EQ(ask(prompt, "Exit", "?", MsgButtons::OkCancel, MsgIcon::Exclamation), MsgAnswer::Ok);
    EXPECT_EQ(ask(prompt, "Q", "?", MsgButtons::YesNo, MsgIcon::Exclamation), MsgAnswer::No);
    EXPECT_EQ(prompt.countTitled("Exit"), 2);
    EXPECT_EQ(prompt.chooseOpenFile({}), "");
}

TEST(FileNames, TournamentCodesCannotEscapeTheFolder) {
    EXPECT_EQ(safeFileComponent("T1"), "T1");
    EXPECT_EQ(safeFileComponent("Club 2026-12"), "Club 2026-12");
    EXPECT_EQ(safeFileComponent("../../etc/passwd"), ".._.._etc_passwd");
    EXPECT_EQ(safeFileComponent(".."), "__");
    EXPECT_EQ(safeFileComponent("a\\b:c*?\"<>|"), "a_b_c______");
    ScriptedPrompt prompt;
    Session session(prompt);
    session.tourney().setTourneyCode("x/y");
    // Made safe, the code carries a hash of itself, so "x:y" names another page.
    EXPECT_EQ(session.htmlFileName(), "Quillmark" + fileNameOfCode("x/y") + ".html");
    EXPECT_EQ(session.htmlFileName().rfind("Quillmarkx_y-", 0), 0u);
}

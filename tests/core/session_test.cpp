// The shared tournament state as one owner object, its reset, and the prompt seam.
#include "core/scripted_prompt.h"
#include "engine_fixture.h"
#include "services/session.h"

#include <gtest/gtest.h>

using namespace rh;

TEST(Session, ResetReplacesEveryObjectAtOnce) {
    test::Tourney t(4);
    t.title("Old").customPayouts({10, 5, 1}).score(1, 1, 10).bumps(1, 1);
    Session& session = t.session();
    EXPECT_TRUE(session.state().entrant(entrantAt(1))->bumps.has_value());
    auto old = session.sharedState();
    const std::string before = buildTournamentXml(*old);
    session.closeTournament();
    session.state().setScore(roundAt(1), entrantAt(1), 20); // the new object takes it
    // A holder of the old object sees none of the new data, and the new object none of the old.
    EXPECT_EQ(buildTournamentXml(*old), before);
    EXPECT_EQ(session.tourney().TourneyTitle(), "Shuffle Up and Deal Again");
    EXPECT_EQ(session.state().payout.PayoutOption, 0);
    EXPECT_FALSE(session.state().entrant(entrantAt(1))->bumps.has_value());
    EXPECT_EQ(session.state().seating.roundCount(), 0);
    EXPECT_EQ(test::savedValue(session, "Score", 1, 1), "20");
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

TEST(FileNames, TournamentCodesCannotEscapeTheFolder) {
    EXPECT_EQ(safeFileComponent("T1"), "T1");
    EXPECT_EQ(safeFileComponent("Club 2026-12"), "Club 2026-12");
    EXPECT_EQ(safeFileComponent("../../etc/passwd"), ".._.._etc_passwd");
    EXPECT_EQ(safeFileComponent(".."), "__");
    EXPECT_EQ(safeFileComponent("a\\b:c*?\"<>|"), "a_b_c______");
}

// The entry-fee roll call: the marks its check boxes write, what it shows, and that the tournament
// file keeps it. The rows of whole tournaments are in the golden folders (golden_test).
#include "engine_fixture.h"
#include "money/entry_fees.h"
#include "services/report_rows.h"
#include "services/views.h"

#include <gtest/gtest.h>

using namespace rh;
using rh::test::Tourney;
using Ticks = std::vector<bool>;

namespace {

Ticks ticks(const std::vector<EntryFeeRow>& rows) {
    Ticks out;
    for (const EntryFeeRow& r : rows)
        out.push_back(r.paid);
    return out;
}

} // namespace

TEST(EntryFees, TickingClearingSetAllAndClearAll) {
    Tourney t(3);
    Session& s = t.session();
    EXPECT_EQ(setEntryFeePaid(s, "02", true), (Rgb{0, 153, 51}));
    EXPECT_EQ(ticks(entryFeeRows(s, true)), (Ticks{false, true, false}));
    EXPECT_EQ(setEntryFeePaid(s, "02", false), (Rgb{255, 0, 0}));
    EXPECT_EQ(ticks(entryFeeRows(s, true)), (Ticks{false, false, false}));
    // No fee chosen shows everyone ticked, and stores nothing by it.
    EXPECT_EQ(ticks(entryFeeRows(s, false)), (Ticks{true, true, true}));
    EXPECT_EQ(ticks(entryFeeRows(s, true)), (Ticks{false, false, false}));
    setEntryFeePaid(s, "00", true); // a row tagged "00" changes nothing
    EXPECT_EQ(ticks(entryFeeRows(s, true)), (Ticks{false, false, false}));

    EXPECT_EQ(ticks(markAllEntryFeesPaid(s)), (Ticks{true, true, true}));
    EXPECT_EQ(ticks(entryFeeRows(s, true)), (Ticks{true, true, true}));
    EXPECT_EQ(ticks(clearAllEntryFees(s)), (Ticks{false, false, false}));
    EXPECT_EQ(ticks(entryFeeRows(s, true)), (Ticks{false, false, false}));
    EXPECT_TRUE(s.isModified()); // cleared is stored, not only redrawn
}

TEST(EntryFees, ColumnsFollowTheTournamentKind) {
    EXPECT_EQ(entryFeeColumns(true)[1].heading, "Player Name");
    EXPECT_EQ(entryFeeColumns(false)[1].heading, "Team Name");
    EXPECT_EQ(entryFeeColumns(false)[1].widthTwips, 4060);
}

TEST(EntryFees, TheRollCallIsKeptWithTheTournamentAndUnknownWithoutIt) {
    Tourney t(3);
    t.net(10);
    Session& s = t.session();
    // Nobody has a mark: the treasurer cannot tell who paid.
    EXPECT_FALSE(treasurerReport(s).rollCallKnown);
    setEntryFeePaid(s, "02", true);
    setEntryFeePaid(s, "03", false);
    test::TempDir dir;
    const std::string saved = (dir / "kept.qmc").string();
    ASSERT_TRUE(CreateSaveDoc(s.state(), t.prompt, saved, false));

    ScriptedPrompt prompt;
    Session reopened(prompt);
    ASSERT_TRUE(loadTournament(reopened, saved));
    EXPECT_FALSE(reopened.loadReportedError());
    EXPECT_EQ(ticks(entryFeeRows(reopened, true)), (Ticks{false, true, false}));
    // A mark of "not paid" is a mark too: the roll call is known.
    EXPECT_EQ(reopened.state().entrant(EntrantId{3})->entryFeePaid, false);
    EXPECT_FALSE(reopened.state().entrant(EntrantId{1})->entryFeePaid.has_value());
    const TreasurerReport r = treasurerReport(reopened);
    EXPECT_TRUE(r.rollCallKnown);
    EXPECT_EQ(r.paidCount, 1);
    EXPECT_DOUBLE_EQ(r.figures.feesCollected, 10);
}

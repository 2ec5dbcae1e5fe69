// The entry-fee roll call: its rows and the marks they write.
#include "engine_fixture.h"
#include "money/entry_fees.h"
#include "services/views.h"

#include <gtest/gtest.h>

using namespace rh;
using rh::test::Tourney;

namespace {

std::vector<bool> ticks(const std::vector<EntryFeeRow>& rows) {
    std::vector<bool> out;
    for (const EntryFeeRow& r : rows)
        out.push_back(r.paid);
    return out;
}

} // namespace

TEST(EntryFees, NoFeeChosenTicksEveryone) {
    Tourney t(3);
    t.state().entryFeePaid.replace("02", "0");
    auto rows = entryFeeRows(t.session(), false);
    EXPECT_EQ(ticks(rows), (std::vector<bool>{true, true, true}));
    for (const EntryFeeRow& r : rows)
        EXPECT_EQ(r.color, (Rgb{0, 153, 51}));
    // Nothing is stored by showing them ticked.
    EXPECT_EQ(t.state().entryFeePaid.value("02"), "0");
    EXPECT_FALSE(t.state().entryFeePaid.Exists("01"));
}

TEST(EntryFees, RowsInNameOrderFromTheStoredMarks) {
    Tourney t(3, 3, true, {"Walt", "Ann", "Kim"});
    t.state().aliases.Add("Wally", "01");
    t.state().entryFeePaid.replace("01", "1");
    auto rows = entryFeeRows(t.session(), true);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].name, "Ann");
    EXPECT_EQ(rows[1].name, "Kim");
    EXPECT_EQ(rows[2].name, "Walt");
    EXPECT_EQ(ticks(rows), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(rows[0].color, (Rgb{255, 0, 0}));
    EXPECT_EQ(rows[2].color, (Rgb{0, 153, 51}));
    EXPECT_EQ(rows[2].tag, "01");
    EXPECT_EQ(rows[2].toolTip, "Wally");
}

TEST(EntryFees, TickingAndClearingStoreTheMark) {
    Tourney t(2);
    EXPECT_EQ(setEntryFeePaid(t.session(), "02", true), (Rgb{0, 153, 51}));
    EXPECT_EQ(t.state().entryFeePaid.value("02"), "1");
    EXPECT_EQ(setEntryFeePaid(t.session(), "02", false), (Rgb{255, 0, 0}));
    EXPECT_EQ(t.state().entryFeePaid.value("02"), "0");
    EXPECT_EQ(t.state().entryFeePaid.Count(), 1u);
    setEntryFeePaid(t.session(), "00", true);
    EXPECT_FALSE(t.state().entryFeePaid.Exists("00"));
    EXPECT_EQ(t.state().entryFeePaid.Count(), 1u);
}

TEST(EntryFees, SetAllAndClearAllStoreEveryMark) {
    Tourney t(3);
    auto set = markAllEntryFeesPaid(t.session());
    EXPECT_EQ(ticks(set), (std::vector<bool>{true, true, true}));
    for (const char* id : {"01", "02", "03"})
        EXPECT_EQ(t.state().entryFeePaid.value(id), "1") << id;
    EXPECT_EQ(ticks(entryFeeRows(t.session(), true)), (std::vector<bool>{true, true, true}));

    auto cleared = clearAllEntryFees(t.session());
    EXPECT_EQ(ticks(cleared), (std::vector<bool>{false, false, false}));
    for (const char* id : {"01", "02", "03"})
        EXPECT_EQ(t.state().entryFeePaid.value(id), "0") << id;
    EXPECT_EQ(ticks(entryFeeRows(t.session(), true)), (std::vector<bool>{false, false, false}));
}

TEST(EntryFees, ColumnsFollowTheTournamentKind) {
    EXPECT_EQ(entryFeeColumns(true)[1].heading, "Player Name");
    EXPECT_EQ(entryFeeColumns(false)[1].heading, "Team Name");
    EXPECT_EQ(entryFeeColumns(false)[1].widthTwips, 4060);
}

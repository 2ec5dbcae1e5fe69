// The typed model underneath everything: IDs read from text, the name order, the seating's
// relations, the score table (no score is not 0) and the lone rule.

#include "core/errors.h"
#include "state/tournament_state.h"

#include <gtest/gtest.h>

using namespace rh;

namespace {

EntrantId id(int n) {
    return EntrantId{static_cast<std::int16_t>(n)};
}
RoundNo round(int n) {
    return RoundNo{static_cast<std::int16_t>(n)};
}

} // namespace

TEST(Ids, ReadFromTextAndShownWithTwoDigits) {
    struct Case {
        const char* text;
        std::optional<int> id;
    } cases[] = {{"07", 7},        {" 7 ", 7},    {"007", 7}, {"123", 123}, {"-5", -5},
                 {"32767", 32767}, {"32768", {}}, {"", {}},   {"7a", {}},   {"1.5", {}}};
    for (const Case& c : cases) {
        const auto got = entrantIdOf(c.text);
        EXPECT_EQ(got.has_value(), c.id.has_value()) << c.text;
        if (got && c.id) {
            EXPECT_EQ(num(*got), *c.id) << c.text;
        }
    }
    EXPECT_EQ(idText(id(7)), "07");
    EXPECT_EQ(idText(id(123)), "123");
    EXPECT_EQ(idText(id(-3)), "-03");
}

TEST(Entrants, NameOrderIgnoresCaseAndBlanksAndPutsLaterArrivalsFirst) {
    Entrants e;
    ASSERT_TRUE(e.addName(id(1), "bob"));
    ASSERT_TRUE(e.addName(id(2), "Alice"));
    ASSERT_TRUE(e.addName(id(3), "BOB"));
    ASSERT_TRUE(e.addName(id(4), "carol~x")); // the order reads a name up to its "~"
    ASSERT_TRUE(e.addName(id(5), "Carol"));
    EXPECT_FALSE(e.addName(id(2), "Again")) << "an ID is named once";
    EXPECT_EQ(e.nameOf(id(2)), "Alice");
    const std::vector<EntrantId> expected{id(2), id(3), id(1), id(5), id(4)};
    EXPECT_EQ(e.byName(), expected);
    // A rename arrives anew: in front of the names it ties with.
    e.rename(id(1), "Bob");
    EXPECT_EQ(e.byName(), (std::vector<EntrantId>{id(2), id(1), id(3), id(5), id(4)}));
    EXPECT_EQ(e.inFileOrder(), (std::vector<EntrantId>{id(1), id(2), id(3), id(4), id(5)}));
}

TEST(Entrants, RecordsAreMadeOnFirstMentionAndKeepTheirSlot) {
    Entrants e;
    EXPECT_EQ(e.find(id(9)), nullptr);
    EXPECT_EQ(e.nameOf(id(9)), "");
    e.record(id(9)).lones = 2;
    const int slot = e.slotOf(id(9));
    e.addName(id(9), "Nine");
    e.record(id(-4));
    EXPECT_EQ(e.slotOf(id(9)), slot);
    EXPECT_EQ(*e.find(id(9))->lones, 2);
    EXPECT_FALSE(e.find(id(9))->bumps.has_value()) << "no count is not a count of 0";
    EXPECT_EQ(e.namedCount(), 1u);
    EXPECT_EQ(e.slotCount(), 2u);
}

TEST(Seating, PartnersAndOpponentsOfEverySeat) {
    TournamentState st;
    st.addTable(round(1), SeatedTable{{id(1), id(2), id(3), id(4)}});
    st.addTable(round(1), SeatedTable{{id(5), id(6), id(7), id(8)}});
    st.addTable(round(3), SeatedTable{{id(4), id(1), id(2), id(3)}}); // round 2 stays empty
    struct Case {
        int round, who, partner, first, second, table;
    } cases[] = {{1, 1, 2, 3, 4, 1}, {1, 2, 1, 3, 4, 1}, {1, 3, 4, 1, 2, 1},
                 {1, 4, 3, 1, 2, 1}, {1, 7, 8, 5, 6, 2}, {3, 1, 4, 2, 3, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.round) + "/" + std::to_string(c.who));
        EXPECT_EQ(st.partnerOf(round(c.round), id(c.who)), id(c.partner));
        EXPECT_EQ(st.opponent1Of(round(c.round), id(c.who)), id(c.first));
        EXPECT_EQ(st.opponent2Of(round(c.round), id(c.who)), id(c.second));
        EXPECT_EQ(st.seatOf(round(c.round), id(c.who))->table, c.table);
    }
    EXPECT_EQ(st.seating.roundCount(), 3);
    EXPECT_TRUE(st.seating.tables(round(2)).empty());
    for (int r : {0, 2, 4, -1})
        EXPECT_FALSE(st.isSeated(round(r), id(1))) << r;
    EXPECT_FALSE(st.partnerOf(round(1), id(9)).has_value());
}

TEST(Seating, TeamTablesHaveOneOpponentAndNoPartner) {
    TournamentState st;
    st.seating.setProgressive(false);
    st.addTable(round(1), SeatedTable{{id(3), id(8), EntrantId{0}, EntrantId{0}}});
    EXPECT_EQ(st.opponent1Of(round(1), id(3)), id(8));
    EXPECT_EQ(st.opponent1Of(round(1), id(8)), id(3));
    EXPECT_FALSE(st.partnerOf(round(1), id(3)).has_value());
    EXPECT_FALSE(st.opponent2Of(round(1), id(3)).has_value());
    EXPECT_FALSE(st.isSeated(round(1), EntrantId{0}));
}

TEST(ScoreTable, NoScoreIsNotZeroAndOddRoundsAreKept) {
    TournamentState st;
    st.setScore(round(1), id(4), 0);
    st.setScore(round(2), id(4), 9);
    st.setScore(round(1200), id(4), 5); // a damaged file's round: kept, never totalled below it
    st.setScore(round(-3), id(4), 6);
    EXPECT_EQ(st.score(round(1), id(4)), 0);
    EXPECT_FALSE(st.score(round(3), id(4)).has_value());
    EXPECT_FALSE(st.score(round(1), id(5)).has_value());
    EXPECT_EQ(st.scores.count(), 4u);
    std::vector<int> rounds;
    st.scores.forEach([&](RoundNo r, int, int) { rounds.push_back(num(r)); });
    EXPECT_EQ(rounds, (std::vector<int>{-3, 1, 2, 1200}));
    st.setScore(round(1), id(4), std::nullopt);
    st.setScore(round(1), id(5), std::nullopt); // removing what is not there changes nothing
    EXPECT_EQ(st.scores.count(), 3u);
}

TEST(ScoreTable, TotalsAndTheLoneRuleCountTheRoundsSoFar) {
    TournamentState st;
    st.settings.setCurrentRound(2);
    st.setScore(round(1), id(1), 7);
    st.setScore(round(2), id(1), 9);
    st.setScore(round(3), id(1), 16); // not played yet
    st.setScore(round(1), id(2), -5);
    EXPECT_EQ(st.scoreTotal(id(1)), 16);
    EXPECT_EQ(st.maxLones(id(1)), 1 + 2) << "floor(score / 4) per round";
    EXPECT_EQ(st.maxLones(id(2)), -2) << "floor, not truncation";
    EXPECT_EQ(st.scores.totals(st.entrants.slotCount(), 2), (std::vector<std::int64_t>{16, -5}));
    struct Case {
        int lones;
        bool valid;
    } cases[] = {{0, true}, {4, true}, {5, false}};
    for (const Case& c : cases) {
        st.entrantRecord(id(1)).lones = c.lones;
        EXPECT_EQ(st.isValid(id(1)), c.valid) << c.lones << " lones against 16 points";
    }
    EXPECT_TRUE(st.isValid(id(9))) << "no scores and no lones fit";
}

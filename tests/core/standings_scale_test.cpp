// A field of 2000 entrants: after one more score the standings, the results and the page are
// rebuilt, and each agrees with a ranking worked out independently here.
#include "engine_fixture.h"
#include "publishing/html.h"
#include "services/standings_page.h"
#include "services/views.h"
#include "standings/leader_rows.h"
#include "standings/results.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace rh;
using rh::test::Tourney;

namespace {

struct Lcg {
    unsigned long long s = 12345;
    int next(int bound) {
        s = s * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<int>((s >> 33) % static_cast<unsigned long long>(bound));
    }
};

} // namespace

TEST(LargeField, EveryViewAgreesAfterOneMoreScore) {
    const int n = 2000, rounds = 12, current = 6;
    Tourney t(n, rounds);
    t.round(current);
    Lcg rng;
    std::vector<int> totals(n + 1, 0), last(n + 1, 0);
    for (int id = 1; id <= n; ++id) {
        for (int r = 1; r <= current; ++r) {
            if (r == current && id % 7 == 0)
                continue; // still outstanding
            int s = rng.next(33);
            t.score(r, id, s);
            totals[id] += s;
            last[id] = s;
        }
    }
    t.net(5); // $10,000.00
    leaderGridRows(t.session());

    // One more score (for 14 and its partner 13), then the full rebuild.
    t.apply(Change::score(current, "14", "32"));
    totals[14] += 32;
    totals[13] += 32 - last[13];
    auto leaders = leaderGridRows(t.session());
    auto winners = winnerRows(t.session());
    std::string page = buildHtmlPage(t.session(), false);

    // The ranking: total descending, ties in ascending ID order, dense places.
    std::vector<int> order(n);
    for (int i = 0; i < n; ++i)
        order[static_cast<std::size_t>(i)] = i + 1;
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return totals[a] > totals[b]; });
    ASSERT_EQ(leaders.size(), static_cast<std::size_t>(n));
    ASSERT_EQ(winners.size(), static_cast<std::size_t>(n));
    int place = 0, previous = 0;
    for (int i = 0; i < n; ++i) {
        int id = order[static_cast<std::size_t>(i)];
        if (totals[id] != previous)
            ++place;
        previous = totals[id];
        const LeaderRow& row = leaders[static_cast<std::size_t>(i)];
        ASSERT_EQ(row.tag, fmt00(id)) << i;
        ASSERT_EQ(row.entry[kLeaderPlace], std::to_string(place)) << i;
        ASSERT_EQ(row.cells[kColScore], std::to_string(totals[id])) << i;
        ASSERT_EQ(winners[static_cast<std::size_t>(i)].tag, fmt00(id)) << i;
        ASSERT_EQ(row.entry[kLeaderName].rfind("* ", 0) == 0, id % 7 == 0 && id != 14) << i;
    }

    // The payouts: 5000 / 3000 / 2000 over the first positions, tie groups sharing.
    const double amounts[] = {5000, 3000, 2000};
    int pos = 0, paid = 0;
    while (pos < 3) {
        int end = pos + 1;
        while (end < n && totals[order[static_cast<std::size_t>(end)]] ==
                              totals[order[static_cast<std::size_t>(pos)]])
            ++end;
        double sum = 0;
        for (int k = pos; k < std::min(end, 3); ++k)
            sum += amounts[k];
        for (int k = pos; k < end; ++k) {
            double shown = -1;
            ASSERT_TRUE(parseMoney(leaders[static_cast<std::size_t>(k)].entry[kLeaderPayout],
                                   t.session().currency(), shown));
            EXPECT_NEAR(shown, sum / (end - pos), 0.005) << k;
        }
        paid = end;
        pos = end;
    }
    for (int k = 0; k < n; ++k)
        ASSERT_EQ(leaders[static_cast<std::size_t>(k)].entry[kLeaderInMoney], k < paid ? "Y" : "N");

    std::size_t firstRow = page.find("<tr><td style=\"WIDTH:18%;");
    int pageRows = 0;
    for (auto p = firstRow; p != std::string::npos; p = page.find("<tr><td ", p + 1))
        ++pageRows;
    EXPECT_EQ(pageRows, n);
}

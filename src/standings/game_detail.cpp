#include "standings/game_detail.h"

#include "core/text.h"
#include "roster/keys.h"
#include "scoring/queries.h"
#include "services/session.h"

#include <algorithm>
#include <cmath>

namespace rh {

namespace {

/// The " 0" and "  0" pictures: blanks, then at least one digit.
std::string picture(long long value, const char* blanks) {
    if (value < 0)
        return "-" + std::string(blanks) + std::to_string(-value);
    return std::string(blanks) + std::to_string(value);
}

} // namespace

std::vector<GridColumn> gameDetailColumns(bool progressive, int totalRounds) {
    std::vector<GridColumn> cols;
    cols.reserve(static_cast<std::size_t>(std::max(totalRounds, 0)) + 6);
    cols.push_back({entrantNameHeading(progressive), 2800, Align::Left, ""});
    for (int r = 1; r <= totalRounds; ++r)
        cols.push_back({fmt00(r), 535, Align::Center, "NUMBER"});
    cols.push_back({"Total", 880, Align::Center, "NUMBER"});
    cols.push_back({"Lone", 840, Align::Center, "NUMBER"});
    cols.push_back({"Bump", 920, Align::Center, "NUMBER"});
    cols.push_back({"Wood", 920, Align::Center, "NUMBER"});
    cols.push_back({"", 3000, Align::Left, ""});
    return cols;
}

std::vector<GameDetailRow> LoadGameDetailGrid(const Session& session) {
    std::vector<GameDetailRow> rows;
    if (!session.IsTourneyLoaded())
        return rows;
    const TournamentState& state = session.state();
    const int totalRounds = std::max<int>(state.m_Tourney.TotalRounds(), 0);
    const int current = state.currentRound();
    auto entrants = state.entrantsByName();
    rows.reserve(entrants.size());
    for (const EntrantRef& e : entrants) {
        GameDetailRow row;
        row.cells.reserve(static_cast<std::size_t>(totalRounds) + 6);
        row.cells.push_back(e.name);
        long long total = 0;
        for (int r = 1; r <= totalRounds; ++r) {
            if (r > current) {
                row.cells.emplace_back();
                continue;
            }
            const std::string* score = state.gScores.col().find(makekey(fmt00(r), e.id));
            if (!score) {
                row.cells.emplace_back("0");
                continue;
            }
            std::string text = trim(*score);
            if (text.empty())
                text = "00";
            double v;
            if (tryParseNumber(text, v) && std::fabs(v) < 9.0e15) {
                long long n = static_cast<long long>(roundHalfEven(v));
                total += n;
                row.cells.push_back(picture(n, " "));
            } else {
                row.cells.push_back(text); // a damaged value is shown as it is
            }
        }
        // Rounds played beyond the columns (a current round past TotalRounds) still count.
        for (int r = totalRounds + 1; r <= current; ++r) {
            double v;
            const std::string* score = state.gScores.col().find(makekey(fmt00(r), e.id));
            if (score && tryParseNumber(*score, v))
                total += static_cast<long long>(roundHalfEven(v));
        }
        row.cells.push_back(picture(total, "  "));
        row.cells.push_back(picture(countOf(state.gLones, e.id), "  "));
        row.cells.push_back(picture(countOf(state.gBumps, makekey(e.id, "00")), "  "));
        row.cells.push_back(picture(countOf(state.gBumps, makekey(e.id, "01")), "  "));
        row.cells.push_back(e.name);
        row.tag = e.id;
        row.toolTip = state.gPlayerAliases.value(e.id);
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace rh

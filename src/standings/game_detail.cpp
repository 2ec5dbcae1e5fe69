#include "standings/game_detail.h"

#include "core/text.h"
#include "state/tournament_state.h"

#include <algorithm>
#include <cmath>

namespace rh {

namespace {

/// The " 0" and "  0" pictures: blanks, then at least one digit.
std::string picture(long long value, std::size_t blanks) {
    std::string text;
    if (value < 0) {
        text += '-';
        value = -value;
    }
    text.append(blanks, ' ');
    char digits[24];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0);
    while (n > 0)
        text += digits[--n];
    return text;
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

std::vector<GameDetailRow> gameDetailRows(const TournamentState& state) {
    std::vector<GameDetailRow> rows;
    const int totalRounds = std::max<int>(state.settings.TotalRounds(), 0);
    const int current = state.currentRound();
    const auto& ids = state.idsByName();

    rows.reserve(ids.size());
    for (EntrantId id : ids) {
        const EntrantRecord& e = *state.entrant(id);
        const int slot = state.entrants.slotOf(id);
        GameDetailRow row;
        row.cells.reserve(static_cast<std::size_t>(totalRounds) + 6);
        row.cells.push_back(*e.name);
        long long total = 0;
        for (int r = 1; r <= std::max(totalRounds, current); ++r) {
            const auto score = r <= current
                                   ? state.scores.get(RoundNo{static_cast<std::int16_t>(r)}, slot)
                                   : std::nullopt;
            if (score)
                total += *score;
            if (r > totalRounds)
                continue; // a round past the columns still counts towards the total
            if (score)
                row.cells.push_back(picture(*score, 1));
            else
                row.cells.emplace_back(); // not played (yet): blank, not a score of 0
        }
        row.cells.push_back(picture(total, 2));
        row.cells.push_back(picture(e.lones.value_or(0), 2));
        row.cells.push_back(picture(e.bumps.value_or(0), 2));
        row.cells.push_back(picture(e.woods.value_or(0), 2));
        row.cells.push_back(*e.name);
        row.tag = idText(id);
        row.toolTip = e.alias.value_or(std::string());
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace rh

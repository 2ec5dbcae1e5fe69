#include "standings/game_detail.h"

#include "core/text.h"
#include "state/tournament_state.h"

#include <algorithm>
#include <cmath>

namespace rh {

namespace {

/// Adds the " 0" or "  0" picture of a number: blanks, then at least one digit.
void addPicture(std::vector<std::string>& cells, long long value, std::size_t blanks) {
    char text[32];
    std::size_t n = 0;
    unsigned long long magnitude = static_cast<unsigned long long>(value);
    if (value < 0) {
        text[n++] = '-';
        magnitude = 0ULL - magnitude;
    }
    for (std::size_t i = 0; i < blanks && n < 8; ++i)
        text[n++] = ' ';
    char digits[24];
    int d = 0;
    do {
        digits[d++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
    while (d > 0)
        text[n++] = digits[--d];
    cells.emplace_back(text, n);
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
        GameDetailRow& row = rows.emplace_back();
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
                addPicture(row.cells, *score, 1);
            else
                row.cells.emplace_back(); // not played (yet): blank, not a score of 0
        }
        addPicture(row.cells, total, 2);
        addPicture(row.cells, e.lones.value_or(0), 2);
        addPicture(row.cells, e.bumps.value_or(0), 2);
        addPicture(row.cells, e.woods.value_or(0), 2);
        row.cells.push_back(*e.name);
        row.tag = idText(id);
        row.toolTip = e.alias.value_or(std::string());
    }
    return rows;
}

} // namespace rh

#include "standings/game_detail.h"

#include "core/text.h"
#include "roster/keys.h"
#include "scoring/queries.h"
#include "standings/score_scan.h"
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
    const auto entrants = state.entrantsByName();
    const std::size_t count = entrants.size();

    // The scores of the played rounds, filed by row and round in one pass over the store. An
    // entrant whose ID text is not a plain number (or appears twice) is looked up directly.
    const int scanned = current >= 1 && current <= 99 ? current : 0;
    std::vector<std::string> idTexts(count);
    std::vector<bool> filed(count, false);
    std::vector<long long> rowOfId;
    for (std::size_t i = 0; i < count; ++i) {
        idTexts[i] = makekey(entrants[i].id, "00");
        idTexts[i].resize(idTexts[i].size() - 2); // the ID text as the score keys hold it
        int round;
        long long id;
        if (!scanned || !splitScoreKey("01" + idTexts[i], round, id) || id > 1000000)
            continue;
        if (rowOfId.size() <= static_cast<std::size_t>(id))
            rowOfId.resize(static_cast<std::size_t>(id) + 1, -1);
        if (rowOfId[static_cast<std::size_t>(id)] >= 0)
            continue;
        rowOfId[static_cast<std::size_t>(id)] = static_cast<long long>(i);
        filed[i] = true;
    }
    std::vector<const std::string*> matrix(count * static_cast<std::size_t>(scanned), nullptr);
    if (scanned) {
        forEachScore(state.scores, [&](int round, long long id, const std::string& value) {
            if (round < 1 || round > scanned || id < 0 ||
                static_cast<std::size_t>(id) >= rowOfId.size())
                return;
            long long row = rowOfId[static_cast<std::size_t>(id)];
            if (row >= 0)
                matrix[static_cast<std::size_t>(row) * static_cast<std::size_t>(scanned) +
                       static_cast<std::size_t>(round - 1)] = &value;
        });
    }
    auto scoreOf = [&](std::size_t row, int round) -> const std::string* {
        if (filed[row])
            return matrix[row * static_cast<std::size_t>(scanned) +
                          static_cast<std::size_t>(round - 1)];
        return state.scores.col().find(makekey(fmt00(round), entrants[row].id));
    };

    rows.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const EntrantRef& e = entrants[i];
        GameDetailRow row;
        row.cells.reserve(static_cast<std::size_t>(totalRounds) + 6);
        row.cells.push_back(e.name);
        long long total = 0;
        for (int r = 1; r <= std::max(totalRounds, current); ++r) {
            const std::string* score = r <= current ? scoreOf(i, r) : nullptr;
            long long n = 0;
            bool numeric = false;
            if (score) {
                std::string_view text = *score;
                numeric = trim(text).empty() ? (n = 0, true) : scoreValue(text, n);
                if (numeric)
                    total += n;
            }
            if (r > totalRounds)
                continue; // a round past the columns still counts towards the total
            if (r > current || !score)
                row.cells.emplace_back(); // not played (yet): blank, not a score of 0
            else if (numeric)
                row.cells.push_back(picture(n, 1));
            else
                row.cells.push_back(trim(*score)); // a damaged value is shown as it is
        }
        row.cells.push_back(picture(total, 2));
        row.cells.push_back(picture(countValue(state.lones.find(idTexts[i])), 2));
        row.cells.push_back(picture(countValue(state.fines.find(idTexts[i] + "00")), 2));
        row.cells.push_back(picture(countValue(state.fines.find(idTexts[i] + "01")), 2));
        row.cells.push_back(e.name);
        row.tag = e.id;
        row.toolTip = state.aliases.value(e.id);
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace rh

#include "standings/leader_rows.h"

#include "state/tournament_state.h"

#include "core/errors.h"
#include "core/text.h"

#include <algorithm>

namespace rh {

namespace {

/// A column shown as a number: the integer value of a numeric field, else 0.
std::string asNumber(const std::string& text) {
    // Most fields already are plain whole numbers ("0", "12", "-3"): shown as they stand.
    const std::size_t sign = !text.empty() && text[0] == '-' ? 1 : 0;
    const std::size_t digits = text.size() - sign;
    if (digits >= 1 && digits <= 9 && (text[sign] != '0' || digits == 1) &&
        std::all_of(text.begin() + static_cast<std::ptrdiff_t>(sign), text.end(),
                    [](char c) { return c >= '0' && c <= '9'; }) &&
        text != "-0")
        return text;
    double v;
    return tryParseNumber(text, v) ? std::to_string(static_cast<long long>(roundHalfEven(v)))
                                   : std::string("0");
}

} // namespace

std::vector<GridColumn> leaderColumns(bool progressive) {
    return {
        {entrantNameHeading(progressive), 3500, Align::Left, ""},
        {"Place", 1200, Align::Center, "NUMBER"},
        {"Payout", 2000, Align::Center, "NUMBER"},
        {"Score", 1400, Align::Center, "NUMBER"},
        {"Avg", 1600, Align::Center, "NUMBER"},
        {"Lone", 1300, Align::Center, "NUMBER"},
        {"Paid", 1200, Align::Center, "XXXX"},
        {"Total Due", 1900, Align::Center, "NUMBER"},
        {"Bumps", 1650, Align::Center, "NUMBER"},
        {"Woods", 1650, Align::Center, "NUMBER"},
        {"Colorize", 0, Align::Center, "XXXX"},
        {"Owe Money", 0, Align::Center, ""},
    };
}

namespace {

// Fills a new row in place: a row holds some thirty strings, cheaper built where it stays than
// moved there.
void fillLeaderRow(const TournamentState& state, LeaderEntry&& entry, LeaderRow& row) {
    row.tag = entry[kLeaderId];
    const auto id = entrantIdOf(entry[kLeaderId]);
    row.toolTip = id ? state.aliasOf(*id) : std::string();
    auto& cells = row.cells;
    cells[kColName] = trim(entry[kLeaderName]);
    cells[kColPlace] = asNumber(entry[kLeaderPlace]);
    cells[kColPayout] = entry[kLeaderPayout];
    cells[kColScore] = asNumber(entry[kLeaderScore]);
    cells[kColAvg] = entry[kLeaderAverage];
    cells[kColLone] = asNumber(entry[kLeaderLones]);
    cells[kColPaid] = entry[kLeaderPaid];
    cells[kColTotalDue] = entry[kLeaderTotalDue];
    cells[kColBumps] = asNumber(entry[kLeaderBumps]);
    cells[kColWoods] = asNumber(entry[kLeaderWoods]);
    cells[kColColorize] = entry[kLeaderInMoney];
    cells[kColOweMoney] = entry[kLeaderOwes];
    row.standingColor = entry[kLeaderInMoney] == "Y" ? kDarkGreen : kBlack;
    if (entry[kLeaderOwes] == "True")
        row.paymentColor = entry[kLeaderPaid] == "Y" ? kDarkGreen : kRed;
    else
        row.paymentColor = kBlack;
    for (std::size_t c :
         {kColName, kColPlace, kColPayout, kColScore, kColAvg, kColLone, kColColorize})
        row.colors[c] = row.standingColor;
    for (std::size_t c : {kColPaid, kColTotalDue, kColBumps, kColWoods})
        row.colors[c] = row.paymentColor;
    row.entry = std::move(entry);
}

} // namespace

LeaderRow AddToLeaderGrid(const TournamentState& state, LeaderEntry entry) {
    LeaderRow row;
    fillLeaderRow(state, std::move(entry), row);
    return row;
}

std::vector<LeaderRow> leaderRows(const TournamentState& state, std::vector<LeaderEntry> entries) {
    std::vector<LeaderRow> rows(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        fillLeaderRow(state, std::move(entries[i]), rows[i]);
    return rows;
}

} // namespace rh

#include "standings/leader_rows.h"

#include "state/tournament_state.h"

#include "core/errors.h"
#include "core/prompt.h"
#include "core/text.h"

namespace rh {

namespace {

/// A column shown as a number: the integer value of a numeric field, else 0.
std::string asNumber(const std::string& text) {
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

LeaderRow AddToLeaderGrid(const TournamentState& state, LeaderEntry entry) {
    LeaderRow row;
    row.tag = entry[kLeaderId];
    const auto id = entrantIdOf(entry[kLeaderId]);
    row.toolTip = id ? state.aliasOf(*id) : std::string();
    row.cells = {
        trim(entry[kLeaderName]),
        asNumber(entry[kLeaderPlace]),
        entry[kLeaderPayout],
        asNumber(entry[kLeaderScore]),
        entry[kLeaderAverage],
        asNumber(entry[kLeaderLones]),
        entry[kLeaderPaid],
        entry[kLeaderTotalDue],
        asNumber(entry[kLeaderBumps]),
        asNumber(entry[kLeaderWoods]),
        entry[kLeaderInMoney],
        entry[kLeaderOwes],
    };
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
    return row;
}

std::vector<LeaderRow> leaderRows(const TournamentState& state, std::vector<LeaderEntry> entries) {
    std::vector<LeaderRow> rows;
    rows.reserve(entries.size());
    for (LeaderEntry& entry : entries)
        rows.push_back(AddToLeaderGrid(state, std::move(entry)));
    return rows;
}

} // namespace rh

#include "standings/results.h"

#include "core/currency.h"
#include "core/errors.h"
#include "core/text.h"
#include "roster/keys.h"
#include "scoring/queries.h"
#include "standings/leaders.h"
#include "standings/score_scan.h"
#include "state/tournament_state.h"

#include <cmath>

namespace rh {

namespace {

/// A per-entrant count as read for the debt list: the stored text, "0" when missing.
std::string storedCount(const KeyedCollection& bumps, const std::string& key) {
    const std::string* v = bumps.find(key);
    return v ? trim(*v) : std::string("0");
}

/// A count as the debt list shows it: the whole number when the text is numeric, else the text.
std::string countText(const std::string& count) {
    double v;
    if (!tryParseNumber(count, v) || std::fabs(v) > 9.0e15)
        return count;
    return std::to_string(static_cast<long long>(roundHalfEven(v)));
}

/// Whether a count text is a number of at least 1.
bool atLeastOne(const std::string& count) {
    double v;
    return tryParseNumber(count, v) && v >= 1;
}

bool positiveAmount(const std::string& text, const CurrencyFormat& format) {
    double v;
    return parseMoney(text, format, v) && v > 0;
}

} // namespace

std::vector<GridColumn> winnerColumns(bool progressive) {
    return {
        {entrantNameHeading(progressive), 3700, Align::Left, ""},
        {"Place", 1050, Align::Center, "NUMBER"},
        {"Score", 1050, Align::Center, "NUMBER"},
        {"Pay Out", 1500, Align::Right, "NUMBER"},
        {"Lone", 950, Align::Center, "NUMBER"},
    };
}

std::vector<GridColumn> bumpColumns(bool progressive) {
    return {
        {"", 290, Align::Left, ""},
        {entrantNameHeading(progressive), 4230, Align::Left, ""},
        {"Pay In", 1560, Align::Right, "NUMBER"},
        {"Bump", 1100, Align::Center, "NUMBER"},
        {"Wood", 1060, Align::Center, "NUMBER"},
    };
}

std::string bumpFrameCaption(bool progressive) {
    return progressive ? "Players who owe bump money" : "Teams who owe bump money";
}

std::vector<WinnerRow> winnerRows(const TournamentState& state, const CurrencyFormat& currency,
                                  const std::vector<std::string>& texts) {
    std::vector<WinnerRow> rows;
    try {
        const auto& records = state.sortedScores.items();
        const long long entrants = state.settings.TotalPlort();
        const auto names = valuesById(state.names, entrants);
        const auto lones = valuesById(state.lones, entrants);
        const auto aliases = valuesById(state.aliases, entrants);
        auto at = [](const std::vector<const std::string*>& v, long long id) {
            return id >= 1 && static_cast<std::size_t>(id) <= v.size()
                       ? v[static_cast<std::size_t>(id - 1)]
                       : nullptr;
        };
        rows.reserve(records.size());
        int place = 0;
        std::int16_t previous = 0;
        int position = 0;
        for (const std::string& record : records) {
            ++position;
            std::string total = field(record, 0);
            std::string id = field(record, 1);
            std::int16_t value = toInt16(total);
            if (value != previous)
                ++place;
            previous = value;
            long long n = 0;
            const bool filed = parseIdText(id, n);
            WinnerRow row;
            const std::string* name = filed ? at(names, n) : state.names.find(id);
            row.name = name ? *name : std::string();
            row.place = fmt00(place);
            row.score = total;
            const std::string& payout = payoutTextAt(texts, position);
            row.payout = payout.empty() ? " " : payout;
            row.lones = std::to_string(countValue(filed ? at(lones, n) : state.lones.find(id)));
            row.color = positiveAmount(row.payout, currency) ? kMoneyGreen : kBlack;
            row.tag = id;
            const std::string* alias = filed ? at(aliases, n) : state.aliases.find(id);
            row.toolTip = alias ? *alias : std::string();
            rows.push_back(std::move(row));
        }
    } catch (const std::exception&) {
        // The winners view stops quietly; the rows made so far stay.
    }
    return rows;
}

std::vector<BumpRow> debtorRows(const TournamentState& state, const CurrencyFormat& currency) {
    std::vector<BumpRow> rows;
    try {
        const TournamentSettings& t = state.settings;
        for (const EntrantRef& e : state.entrantsByName()) {
            std::string bumps = storedCount(state.fines, makekey(e.id, "00"));
            std::string woods = storedCount(state.fines, makekey(e.id, "01"));
            if (!atLeastOne(bumps) && !atLeastOne(woods))
                continue;
            std::string mark = storedCount(state.fines, makekey(e.id, "02"));
            double b = 0, w = 0, m = 0;
            tryParseNumber(bumps, b);
            tryParseNumber(woods, w);
            BumpRow row;
            row.paid = tryParseNumber(mark, m) && m == 1.0;
            row.name = e.name;
            row.payIn = formatMoney(w * t.WoodFee() + b * t.BumpFee(), currency, kMoney);
            row.bumps = countText(bumps);
            row.woods = countText(woods);
            row.color = bumpRowColor(row.paid);
            row.tag = e.id;
            row.toolTip = state.aliases.value(e.id);
            rows.push_back(std::move(row));
        }
    } catch (const std::exception&) {
        // Stops quietly, as the winners view does.
    }
    return rows;
}

bool storeFinesPaid(TournamentState& state, std::string_view idText, bool paid) {
    if (trim(idText) == "00")
        return false;
    state.fines.replace(makekey(idText, "02"), paid ? "1" : "0");
    return true;
}

} // namespace rh

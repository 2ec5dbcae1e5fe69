#include "standings/results.h"

#include "core/currency.h"
#include "core/errors.h"
#include "core/text.h"
#include "standings/leaders.h"
#include "state/tournament_state.h"

#include <cmath>

namespace rh {

namespace {

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
        rows.reserve(state.ranking.size());
        int place = 0;
        std::int16_t previous = 0;
        int position = 0;
        for (const RankedEntrant& ranked : state.ranking) {
            ++position;
            if (ranked.total != previous)
                ++place;
            previous = ranked.total;
            const EntrantRecord* r = state.entrant(ranked.id);
            WinnerRow row;
            row.name = r && r->name ? *r->name : std::string();
            row.place = fmt00(place);
            row.score = std::to_string(ranked.total);
            const std::string& payout = payoutTextAt(texts, position);
            row.payout = payout.empty() ? " " : payout;
            row.lones = std::to_string(r && r->lones ? *r->lones : 0);
            row.color = positiveAmount(row.payout, currency) ? kMoneyGreen : kBlack;
            row.tag = idText(ranked.id);
            row.toolTip = r && r->alias ? *r->alias : std::string();
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
        for (EntrantId id : state.idsByName()) {
            const EntrantRecord& r = *state.entrant(id);
            const std::int32_t bumps = r.bumps.value_or(0);
            const std::int32_t woods = r.woods.value_or(0);
            if (bumps < 1 && woods < 1)
                continue;
            BumpRow row;
            row.paid = r.finesPaid();
            row.name = *r.name;
            row.payIn = formatMoney(woods * t.WoodFee() + bumps * t.BumpFee(), currency, kMoney);
            row.bumps = std::to_string(bumps);
            row.woods = std::to_string(woods);
            row.color = bumpRowColor(row.paid);
            row.tag = idText(id);
            row.toolTip = state.aliasOf(id);
            rows.push_back(std::move(row));
        }
    } catch (const std::exception&) {
        // Stops quietly, as the winners view does.
    }
    return rows;
}

} // namespace rh

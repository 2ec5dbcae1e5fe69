#include "money/jackpot.h"

#include "core/currency.h"
#include "core/errors.h"
#include "core/text.h"
#include "state/tournament_state.h"

#include <algorithm>

namespace rh {

namespace {

bool positiveAmount(const std::string& text, const CurrencyFormat& format) {
    double v;
    return parseMoney(text, format, v) && v > 0;
}

} // namespace

FineCounts fineCounts(const TournamentState& state) {
    FineCounts c;
    for (int n = 1; n <= state.settings.TotalPlort(); ++n)
        if (const EntrantRecord* r = state.entrant(EntrantId{static_cast<std::int16_t>(n)})) {
            c.bumps += r->bumps.value_or(0);
            c.woods += r->woods.value_or(0);
        }
    return c;
}

double JackpotAmount(const TournamentState& state) {
    FineCounts c = fineCounts(state);
    const TournamentSettings& t = state.settings;
    return static_cast<double>(c.woods) * t.WoodFee() + static_cast<double>(c.bumps) * t.BumpFee();
}

std::vector<RankedEntrant> loneRanking(const TournamentState& state) {
    std::vector<RankedEntrant> list;
    for (int n = 1; n <= state.settings.TotalPlort(); ++n) {
        const EntrantId id{static_cast<std::int16_t>(n)};
        const std::int32_t lones = state.loneCount(id);
        if (lones < INT16_MIN || lones > INT16_MAX)
            throw RhError(err::Overflow);
        list.push_back({id, static_cast<std::int16_t>(lones)});
    }
    std::stable_sort(list.begin(), list.end(), [](const RankedEntrant& a, const RankedEntrant& b) {
        return a.total > b.total;
    });
    return list;
}

std::vector<std::string> jackpotShares(const std::vector<RankedEntrant>& loneList, double jackpot,
                                       const CurrencyFormat& format) {
    std::vector<std::string> texts(loneList.size());
    if (loneList.empty())
        return texts;
    std::size_t size = 1;
    while (size < loneList.size() && loneList[size].total == loneList[0].total)
        ++size;
    const std::string share = formatMoney(jackpot / static_cast<double>(size), format, kMoney2);
    for (std::size_t i = 0; i < size; ++i)
        texts[i] = share;
    return texts;
}

std::vector<GridColumn> loneColumns(bool progressive) {
    return {
        {entrantNameHeading(progressive), 5800, Align::Left, ""},
        {"Pay Out", 1500, Align::Right, "NUMBER"},
        {"Lone", 950, Align::Center, "NUMBER"},
    };
}

void loneRows(const TournamentState& state, const CurrencyFormat& currency,
              std::vector<LoneRow>& rows) {
    const std::vector<RankedEntrant> list = loneRanking(state);
    const std::vector<std::string> payouts = jackpotShares(list, JackpotAmount(state), currency);
    rows.reserve(list.size());
    for (std::size_t r = 0; r < list.size(); ++r) {
        LoneRow row;
        row.tag = idText(list[r].id);
        row.name = state.nameOf(list[r].id);
        row.payout = payouts[r];
        row.lones = std::to_string(list[r].total);
        row.color = positiveAmount(row.payout, currency) ? kMoneyGreen : kBlack;
        row.toolTip = state.aliasOf(list[r].id);
        rows.push_back(std::move(row));
    }
}

namespace {
// One line of the jackpot summary: the count, its money at the fee, and the whole jackpot.
FineSummary fineSummary(const TournamentState& state, const CurrencyFormat& currency,
                        long long count, double fee) {
    FineSummary s;
    s.count = "   " + fmt00(count);
    s.money = formatMoney(static_cast<double>(count) * fee, currency, kMoneyNoLeadingZero);
    s.jackpot = formatMoney(JackpotAmount(state), currency, kMoneyNoLeadingZero);
    return s;
}
} // namespace

FineSummary bumpSummary(const TournamentState& state, const CurrencyFormat& currency) {
    return fineSummary(state, currency, fineCounts(state).bumps, state.settings.BumpFee());
}

FineSummary woodSummary(const TournamentState& state, const CurrencyFormat& currency) {
    return fineSummary(state, currency, fineCounts(state).woods, state.settings.WoodFee());
}

std::string jackpotResultsCaption(const TournamentSettings& tourney) {
    return tourney.JackpotTitle() + ":";
}

std::string jackpotWinnerHeading(const TournamentSettings& tourney) {
    return tourney.JackpotTitle() + " - Winner";
}

std::string jackpotExplanation(const TournamentSettings& tourney) {
    return "The person(s) with the most lones wins the Bump / Woodpecker money otherwise known as "
           "the " +
           tourney.JackpotTitle() +
           ".  If there is a tie - it can be settled with a hand of showdown poker or it can be "
           "evenly split.";
}

} // namespace rh

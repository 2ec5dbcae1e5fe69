#include "money/jackpot.h"

#include "core/currency.h"
#include "core/errors.h"
#include "core/text.h"
#include "roster/keys.h"
#include "scoring/queries.h"
#include "standings/score_scan.h"
#include "state/tournament_state.h"

namespace rh {

namespace {

bool positiveAmount(const std::string& text, const CurrencyFormat& format) {
    double v;
    return parseMoney(text, format, v) && v > 0;
}

} // namespace

FineCounts fineCounts(const TournamentState& state) {
    const long long entrants = state.settings.TotalPlort();
    FineCounts c;
    for (const std::string* v : valuesById(state.fines, entrants, "00"))
        c.bumps += countValue(v);
    for (const std::string* v : valuesById(state.fines, entrants, "01"))
        c.woods += countValue(v);
    return c;
}

double JackpotAmount(const TournamentState& state) {
    FineCounts c = fineCounts(state);
    const TournamentSettings& t = state.settings;
    return static_cast<double>(c.woods) * t.WoodFee() + static_cast<double>(c.bumps) * t.BumpFee();
}

void BuildLoneList(const TournamentState& state, SortedCollection& list) {
    list.RemoveAll();
    list.setNumericSort(true);
    list.setAscendingOrder(false);
    const int entrants = state.settings.TotalPlort();
    const auto lones = valuesById(state.lones, entrants);
    std::string record;
    for (int id = 1; id <= entrants; ++id) {
        record = std::to_string(countValue(lones[static_cast<std::size_t>(id - 1)]));
        record += '~';
        record += fmt00(id);
        list.AddItem(record);
    }
}

std::vector<std::string> JackpotPayouts(const SortedCollection& loneList, double jackpot,
                                        const CurrencyFormat& format) {
    const auto& records = loneList.items();
    std::vector<std::string> texts(records.size());
    if (records.empty())
        return texts;
    const std::string top = field(records[0], 0);
    std::size_t size = 1;
    while (size < records.size() && field(records[size], 0) == top)
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
    {
        SortedCollection list;
        BuildLoneList(state, list);
        std::vector<std::string> payouts = JackpotPayouts(list, JackpotAmount(state), currency);
        const auto& records = list.items();
        rows.reserve(records.size());
        for (std::size_t r = 0; r < records.size(); ++r) {
            LoneRow row;
            row.tag = field(records[r], 1);
            row.name = state.nameOf(row.tag);
            row.payout = payouts[r];
            row.lones = field(records[r], 0); // already the whole number of the count
            row.color = positiveAmount(row.payout, currency) ? kMoneyGreen : kBlack;
            row.toolTip = state.aliases.value(row.tag);
            rows.push_back(std::move(row));
        }
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

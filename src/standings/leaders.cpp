#include "standings/leaders.h"

#include "core/currency.h"
#include "core/errors.h"
#include "core/text.h"
#include "state/tournament_state.h"

#include <algorithm>
#include <map>

namespace rh {

namespace {

/// The row-building state carried from one entry to the next within one refresh.
struct LeaderCounters {
    int row = 0;
    int place = 0;
    std::int32_t previousTotal = 0;
};

/// What stays the same for every entry of one refresh.
struct EntryContext {
    const TournamentState& state;
    const CurrencyFormat& format;
    std::string zeroMoney;
    int round = 0;
    // The fines due, by bumps and woods: few distinct pairs among many entrants.
    mutable std::map<std::pair<std::int32_t, std::int32_t>, std::string> dueTexts;

    const std::string& dueText(std::int32_t bumps, std::int32_t woods) const {
        if (bumps == 0 && woods == 0)
            return zeroMoney;
        auto [at, added] = dueTexts.try_emplace({bumps, woods});
        if (added)
            at->second =
                formatMoney(bumps * state.settings.BumpFee() + woods * state.settings.WoodFee(),
                            format, kMoney);
        return at->second;
    }

    EntryContext(const TournamentState& s, const CurrencyFormat& f)
        : state(s), format(f), zeroMoney(formatMoney(0, f, kMoney)), round(s.currentRound()) {}
};

/// total / played with one decimal, rounded half away from zero.
std::string averageText(std::int32_t total, int played) {
    if (played <= 0)
        return "0.0";
    if (total < 0)
        return formatFixed(static_cast<double>(total) / played, 1);
    long long tenths = (20LL * total + played) / (2LL * played);
    std::string text = std::to_string(tenths / 10);
    text += '.';
    text += static_cast<char>('0' + tenths % 10);
    return text;
}

void buildEntry(const EntryContext& ctx, const RankedEntrant& ranked, LeaderEntry& entry,
                int paidCount, LeaderCounters& counters,
                const std::vector<std::string>& payoutTexts) {
    const TournamentState& state = ctx.state;
    const int position = ++counters.row;
    const std::int16_t total = ranked.total;

    // Dense places: equal totals share a place, the next lower total takes the next number.
    if (total != counters.previousTotal)
        ++counters.place;
    counters.previousTotal = total;

    static const EntrantRecord kNobody;
    const EntrantRecord* record = state.entrant(ranked.id);
    const EntrantRecord& r = record ? *record : kNobody;
    const std::int32_t lones = r.lones.value_or(0);
    const std::int32_t bumps = r.bumps.value_or(0);
    const std::int32_t woods = r.woods.value_or(0);
    const RoundNo round{static_cast<std::int16_t>(ctx.round)};

    const bool scoredThisRound = state.hasScore(round, ranked.id);
    int played = ctx.round;
    if (!scoredThisRound && ctx.round >= 2)
        --played;

    std::string& nameField = entry[kLeaderName];
    nameField.clear();
    // Only an entrant seated in the current round can be waiting for a score.
    if (!scoredThisRound && state.isSeated(round, ranked.id))
        nameField = "* ";
    if (r.name)
        nameField += *r.name;

    const bool inMoney = position <= paidCount;
    entry[kLeaderScore] = fmt00(total);
    entry[kLeaderAverage] = averageText(total, played);
    entry[kLeaderLones] = std::to_string(lones);
    entry[kLeaderBumps] = std::to_string(bumps);
    entry[kLeaderWoods] = std::to_string(woods);
    entry[kLeaderPayout] = inMoney ? payoutTextAt(payoutTexts, position) : ctx.zeroMoney;
    entry[kLeaderInMoney] = inMoney ? "Y" : "N";
    entry[kLeaderPlace] = std::to_string(counters.place);
    entry[kLeaderPaid] = r.finesPaid() ? "Y" : "N";
    entry[kLeaderOwes] = (bumps >= 1 || woods >= 1) ? "True" : "False";
    entry[kLeaderTotalDue] = ctx.dueText(bumps, woods);
    entry[kLeaderId] = idText(ranked.id);
}

} // namespace

const std::string& payoutTextAt(const std::vector<std::string>& texts, int position) {
    static const std::string empty;
    if (position < 1 || static_cast<std::size_t>(position) > texts.size())
        return empty;
    return texts[static_cast<std::size_t>(position - 1)];
}

void buildRanking(TournamentState& state) {
    state.ranking.clear();
    const int entrants = std::max<int>(state.settings.TotalPlort(), 0);
    const std::vector<std::int64_t> totals =
        state.scores.totals(state.entrants.slotCount(), state.currentRound());
    std::vector<RankedEntrant> ranking;
    ranking.reserve(static_cast<std::size_t>(entrants));
    for (int n = 1; n <= entrants; ++n) {
        const EntrantId id{static_cast<std::int16_t>(n)};
        const int slot = state.entrants.slotOf(id);
        const std::int64_t total = slot < 0 ? 0 : totals[static_cast<std::size_t>(slot)];
        if (total < INT16_MIN || total > INT16_MAX)
            throw RhError(err::Overflow);
        ranking.push_back({id, static_cast<std::int16_t>(total)});
    }
    std::stable_sort(
        ranking.begin(), ranking.end(),
        [](const RankedEntrant& a, const RankedEntrant& b) { return a.total > b.total; });
    state.ranking = std::move(ranking);
}

std::vector<LeaderEntry> leaderEntries(const TournamentState& state, const CurrencyFormat& currency,
                                       int paidCount, const std::vector<std::string>& payoutTexts) {
    const EntryContext ctx(state, currency);
    std::vector<LeaderEntry> entries(state.ranking.size());
    LeaderCounters counters;
    for (std::size_t i = 0; i < entries.size(); ++i)
        buildEntry(ctx, state.ranking[i], entries[i], paidCount, counters, payoutTexts);
    return entries;
}

} // namespace rh

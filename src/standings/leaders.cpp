#include "standings/leaders.h"

#include "core/currency.h"
#include "core/errors.h"
#include "core/text.h"
#include "roster/keys.h"
#include "scoring/queries.h"
#include "standings/score_scan.h"
#include "state/tournament_state.h"

#include <algorithm>

namespace rh {

namespace {

/// The paid mark counts as paid only when it is the number 1.
bool paidMarkIsOne(const std::string* mark) {
    double v;
    return mark && tryParseNumber(*mark, v) && v == 1.0;
}

/// What the entries of one refresh read about each entrant, gathered in one pass over each
/// per-entrant store (IDs 1..TotalPlort) rather than several lookups per row.
class EntrantFacts {
public:
    explicit EntrantFacts(const TournamentState& state)
        : m_count(std::max<long long>(state.settings.TotalPlort(), 0)),
          m_names(valuesById(state.names, m_count)), m_lones(valuesById(state.lones, m_count)),
          m_bumps(valuesById(state.fines, m_count, "00")),
          m_woods(valuesById(state.fines, m_count, "01")),
          m_paid(valuesById(state.fines, m_count, "02")) {}

    /// The slot of an ID text, or -1 when the facts do not cover it.
    long long slot(std::string_view idText) const {
        long long id;
        return parseIdText(idText, id) && id >= 1 && id <= m_count ? id - 1 : -1;
    }
    const std::string* name(long long s) const { return m_names[static_cast<std::size_t>(s)]; }
    const std::string* lones(long long s) const { return m_lones[static_cast<std::size_t>(s)]; }
    const std::string* bumps(long long s) const { return m_bumps[static_cast<std::size_t>(s)]; }
    const std::string* woods(long long s) const { return m_woods[static_cast<std::size_t>(s)]; }
    const std::string* paid(long long s) const { return m_paid[static_cast<std::size_t>(s)]; }

private:
    long long m_count;
    std::vector<const std::string*> m_names, m_lones, m_bumps, m_woods, m_paid;
};

/// What stays the same for every entry of one refresh.
struct EntryContext {
    const TournamentState& state;
    const CurrencyFormat& format;
    const EntrantFacts* facts = nullptr;
    std::string zeroMoney;
    std::string roundText;
    int round = 0;
    bool progressive = true;

    EntryContext(const TournamentState& s, const CurrencyFormat& f, const EntrantFacts* ef)
        : state(s), format(f), facts(ef), zeroMoney(formatMoney(0, f, kMoney)),
          roundText(fmt00(s.currentRound())), round(s.currentRound()),
          progressive(s.isProgressive()) {}
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

bool buildEntry(const EntryContext& ctx, const std::string& record, LeaderEntry& entry,
                int paidCount, LeaderCounters& counters,
                const std::vector<std::string>& payoutTexts, std::vector<RhError>& errors) {
    try {
        const TournamentState& state = ctx.state;
        const TournamentSettings& t = state.settings;
        const int position = ++counters.row;
        const auto tilde = record.find('~');
        const std::string_view totalText = std::string_view(record).substr(0, tilde);
        const std::string id =
            tilde == std::string::npos ? std::string() : field(record.substr(tilde + 1), 0);
        const std::int16_t total = toInt16(totalText);

        // Dense places: equal totals share a place, the next lower total takes the next number.
        if (total != counters.previousTotal)
            ++counters.place;
        counters.previousTotal = total;

        const long long slot = ctx.facts ? ctx.facts->slot(id) : -1;
        const std::string* name;
        std::int32_t lones, bumps, woods;
        bool paid;
        if (slot >= 0) {
            name = ctx.facts->name(slot);
            lones = countValue(ctx.facts->lones(slot));
            bumps = countValue(ctx.facts->bumps(slot));
            woods = countValue(ctx.facts->woods(slot));
            paid = paidMarkIsOne(ctx.facts->paid(slot));
        } else {
            name = state.names.find(id);
            lones = countValue(state.lones.find(id));
            bumps = countValue(state.fines.find(makekey(id, "00")));
            woods = countValue(state.fines.find(makekey(id, "01")));
            paid = paidMarkIsOne(state.fines.find(makekey(id, "02")));
        }

        const bool scoredThisRound =
            state.scores.ExistsKey1(slot >= 0 ? ctx.roundText + id : makekey(ctx.roundText, id));
        int played = ctx.round;
        if (!scoredThisRound && ctx.round >= 2)
            --played;

        std::string& nameField = entry[kLeaderName];
        nameField.clear();
        // Only an entrant seated in the current round can be waiting for a score.
        if (!scoredThisRound) {
            bool seated = slot >= 0 ? state.roster.col().Exists(ctx.progressive
                                                                    ? ctx.roundText + id + kPartner
                                                                    : ctx.roundText + id)
                                    : state.isSeated(ctx.round, id);
            if (seated)
                nameField = "* ";
        }
        if (name)
            nameField += *name;

        const bool inMoney = position <= paidCount;
        entry[kLeaderScore] = fmt00(total);
        entry[kLeaderAverage] = averageText(total, played);
        entry[kLeaderLones] = std::to_string(lones);
        entry[kLeaderBumps] = std::to_string(bumps);
        entry[kLeaderWoods] = std::to_string(woods);
        entry[kLeaderPayout] = inMoney ? payoutTextAt(payoutTexts, position) : ctx.zeroMoney;
        entry[kLeaderInMoney] = inMoney ? "Y" : "N";
        entry[kLeaderPlace] = std::to_string(counters.place);
        entry[kLeaderPaid] = paid ? "Y" : "N";
        entry[kLeaderOwes] = (bumps >= 1 || woods >= 1) ? "True" : "False";
        entry[kLeaderTotalDue] =
            (bumps == 0 && woods == 0)
                ? ctx.zeroMoney
                : formatMoney(bumps * t.BumpFee() + woods * t.WoodFee(), ctx.format, kMoney);
        entry[kLeaderId] = id;
        return true;
    } catch (const RhError& e) {
        errors.push_back(e);
        return false;
    }
}

} // namespace

const std::string& payoutTextAt(const std::vector<std::string>& texts, int position) {
    static const std::string empty;
    if (position < 1 || static_cast<std::size_t>(position) > texts.size())
        return empty;
    return texts[static_cast<std::size_t>(position - 1)];
}

void BuildLeaderList(TournamentState& state) {
    SortedCollection& list = state.sortedScores;
    list.RemoveAll();
    list.setNumericSort(true);
    list.setAscendingOrder(false);
    const int entrants = state.settings.TotalPlort();
    const std::vector<std::int32_t> totals =
        ScoreTotals(state.scores, state.currentRound(), entrants);
    std::string record;
    for (int id = 1; id <= entrants; ++id) {
        record = std::to_string(totals[static_cast<std::size_t>(id - 1)]);
        record += '~';
        record += fmt00(id);
        list.AddItem(record);
    }
}

bool buildLeaderEntry(const TournamentState& state, const CurrencyFormat& currency,
                      const std::string& record, LeaderEntry& entry, int paidCount,
                      LeaderCounters& counters, const std::vector<std::string>& payoutTexts,
                      std::vector<RhError>& errors) {
    EntryContext ctx(state, currency, nullptr);
    return buildEntry(ctx, record, entry, paidCount, counters, payoutTexts, errors);
}

LeaderEntries leaderEntries(const TournamentState& state, const CurrencyFormat& currency,
                            int paidCount, const std::vector<std::string>& payoutTexts) {
    const EntrantFacts facts(state);
    const EntryContext ctx(state, currency, &facts);
    const auto& records = state.sortedScores.items();
    LeaderEntries result;
    result.entries.reserve(records.size());
    LeaderCounters counters;
    LeaderEntry entry;
    for (const std::string& record : records)
        if (buildEntry(ctx, record, entry, paidCount, counters, payoutTexts, result.errors))
            result.entries.push_back(entry);
    return result;
}

} // namespace rh

#include "standings/leaders.h"

#include "core/errors.h"
#include "core/text.h"
#include "roster/keys.h"
#include "scoring/queries.h"
#include "services/session.h"

namespace rh {

namespace {

/// The paid mark counts as paid only when it is the number 1.
bool paidMarkIsOne(const KeyedCollection& bumps, const std::string& key) {
    const std::string* mark = bumps.find(key);
    double v;
    return mark && tryParseNumber(*mark, v) && v == 1.0;
}

} // namespace

const std::string& payoutTextAt(const std::vector<std::string>& texts, int position) {
    static const std::string empty;
    if (position < 1 || static_cast<std::size_t>(position) > texts.size())
        return empty;
    return texts[static_cast<std::size_t>(position - 1)];
}

void BuildLeaderList(TournamentState& state) {
    SortedCollection& list = state.m_SortedScores;
    list.RemoveAll();
    list.setNumericSort(true);
    list.setAscendingOrder(false);
    const int entrants = state.m_Tourney.TotalPlort();
    const int round = state.currentRound();
    for (int id = 1; id <= entrants; ++id) {
        std::string record = std::to_string(ScoreTotal(state.gScores, round, id));
        record += '~';
        record += fmt00(id);
        list.AddItem(record);
    }
}

bool BuildEntry(Session& session, const std::string& record, LeaderEntry& entry, int paidCount,
                LeaderCounters& counters, const std::vector<std::string>& payoutTexts) {
    try {
        const TournamentState& state = session.state();
        const CTourney& t = state.m_Tourney;
        const int position = ++counters.row;
        const std::string totalText = field(record, 0);
        const std::string id = field(record, 1);
        const std::int16_t total = toInt16(totalText);

        // Dense places: equal totals share a place, the next lower total takes the next number.
        if (total != counters.previousTotal)
            ++counters.place;
        counters.previousTotal = total;

        const std::int32_t lones = countOf(state.gLones, id);
        const std::int32_t bumps = countOf(state.gBumps, makekey(id, "00"));
        const std::int32_t woods = countOf(state.gBumps, makekey(id, "01"));
        const bool paid = paidMarkIsOne(state.gBumps, makekey(id, "02"));

        const int round = t.CurrentRound();
        const bool scoredThisRound = state.gScores.ExistsKey2(fmt00(round), id);
        int played = round;
        if (!scoredThisRound && round >= 2)
            --played;
        const double average = played > 0 ? static_cast<double>(total) / played : 0.0;

        std::string name = state.nameOf(id);
        // Only an entrant seated in the current round can be waiting for a score.
        if (!scoredThisRound && state.isSeated(round, id))
            name = "* " + name;

        const bool inMoney = position <= paidCount;
        const double due = bumps * t.BumpFee() + woods * t.WoodFee();

        entry[kLeaderName] = std::move(name);
        entry[kLeaderScore] = fmt00(total);
        entry[kLeaderAverage] = formatFixed(average, 1);
        entry[kLeaderLones] = std::to_string(lones);
        entry[kLeaderBumps] = std::to_string(bumps);
        entry[kLeaderWoods] = std::to_string(woods);
        entry[kLeaderPayout] = inMoney ? payoutTextAt(payoutTexts, position)
                                       : formatMoney(0, session.currency, kMoney);
        entry[kLeaderInMoney] = inMoney ? "Y" : "N";
        entry[kLeaderPlace] = std::to_string(counters.place);
        entry[kLeaderPaid] = paid ? "Y" : "N";
        entry[kLeaderOwes] = (bumps >= 1 || woods >= 1) ? "True" : "False";
        entry[kLeaderTotalDue] = formatMoney(due, session.currency, kMoney);
        entry[kLeaderId] = id;
        return true;
    } catch (const RhError& e) {
        session.ShowErrorMsg("BuildEntry", e);
        return false;
    }
}

std::vector<LeaderEntry> BuildLeaderEntries(Session& session) {
    std::vector<std::string> texts;
    const int paid = session.m_Payout.GetPayouts(session, texts);
    const auto& records = session.state().m_SortedScores.items();
    std::vector<LeaderEntry> entries;
    entries.reserve(records.size());
    LeaderCounters counters;
    LeaderEntry entry;
    for (const std::string& record : records)
        if (BuildEntry(session, record, entry, paid, counters, texts))
            entries.push_back(entry);
    return entries;
}

} // namespace rh

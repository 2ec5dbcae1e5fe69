#include "services/changes.h"
#include "services/substitute.h"

#include "core/text.h"
#include "roster/keys.h"
#include "scoring/score.h"

#include <ctime>

namespace rh {

namespace {

constexpr const char* kWriteJournalTitle = "Write Journal";

std::string roundText(long long round) {
    return fmt00(round);
}

// The stored text that writeCount leaves for a count: two digits, or the trimmed text.
std::string countText(std::string_view count) {
    std::string text = trim(count);
    double v;
    if (tryParseNumber(text, v))
        text = fmt00(static_cast<long long>(roundHalfAway(v)));
    return text;
}

const std::string* fineStore(const TournamentState& s, const Change& c, std::string& key) {
    switch (c.kind) {
    case ChangeKind::Lone:
        key = Pad2(c.entrant);
        return s.lones.find(key);
    case ChangeKind::Bump:
        key = makekey(c.entrant, "00");
        return s.fines.find(key);
    case ChangeKind::Wood:
        key = makekey(c.entrant, "01");
        return s.fines.find(key);
    case ChangeKind::Paid:
        key = makekey(c.entrant, "02");
        return s.fines.find(key);
    case ChangeKind::EntryFeePaid:
        key = Pad2(c.entrant);
        return s.entryFeePaid.find(key);
    case ChangeKind::Alias:
        key = Pad2(c.entrant);
        return s.aliases.find(key);
    default:
        return nullptr;
    }
}

std::string flag(const std::string& value) {
    return trim(value) == "1" ? "1" : "0";
}

// The partner who takes the same score in a Progressive tournament; "" in a Team tournament or
// for an entrant without one.
std::string partnerOf(const TournamentState& s, const Change& c) {
    return s.isProgressive() ? s.roster.getPartner(roundText(c.round), Pad2(c.entrant))
                             : std::string();
}

bool sameScore(const TournamentState& s, const std::string& round, const std::string& id,
               const std::string& value) {
    if (!s.scores.ExistsKey2(round, id))
        return trim(value).empty();
    return s.scores.getScore2(round, id) == value;
}

void advanceClockTo(Session& session, const Change& c) {
    TournamentSettings& t = session.tourney();
    if (t.CurrentRound() + 1 != c.round)
        return; // the advance is already in the state
    std::int64_t seconds = 0;
    double v;
    if (tryParseNumber(trim(c.value), v) && v > 0)
        seconds = static_cast<std::int64_t>(v);
    session.clock.RTimer.Reset();
    session.clock.RTimer.Add(seconds);
    AdvanceRound(session, clockHooks(session));
}

} // namespace

std::int64_t localWallSeconds() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return static_cast<std::int64_t>(now) + local.tm_gmtoff;
}

Change roundAdvanceChange(const Session& session) {
    Change c = Change::clock(ChangeKind::RoundAdvance, localWallSeconds());
    c.round = session.tourney().CurrentRound() + 1;
    c.value = std::to_string(session.clock.RTimer.totalSeconds());
    return c;
}

RoundAdvanceHooks clockHooks(Session& session) {
    TournamentClock& clock = session.clock;
    RoundAdvanceHooks h;
    h.StopRoundTimer = [&clock] { clock.StopRoundTimer(); };
    h.RecordRoundTime = [&clock, &session] {
        clock.RecordRoundTime(session.tourney().CurrentRound(), session.tourney().TotalRounds());
    };
    h.ResetRoundTimer = [&clock] { clock.RTimer.Reset(); };
    h.ResetPauseTimer = [&clock] { clock.ResetPauseTimer(); };
    h.StartRoundTimer = [&clock] { clock.StartRoundTimer(); };
    return h;
}

bool changesState(const Session& session, const Change& c) {
    const TournamentState& s = session.state();
    const TournamentSettings& t = s.settings;
    std::string key;
    switch (c.kind) {
    case ChangeKind::Score: {
        const std::string id = Pad2(c.entrant);
        const std::string partner = partnerOf(s, c);
        const std::string round = roundText(c.round);
        return !sameScore(s, round, id, c.value) ||
               (!partner.empty() && !sameScore(s, round, partner, c.value));
    }
    case ChangeKind::Lone:
    case ChangeKind::Bump:
    case ChangeKind::Wood: {
        const std::string* stored = fineStore(s, c, key);
        const std::string wanted = countText(c.value);
        return wanted.empty() ? stored != nullptr : !stored || *stored != wanted;
    }
    case ChangeKind::Paid:
    case ChangeKind::EntryFeePaid: {
        const std::string* stored = fineStore(s, c, key);
        return !stored || *stored != flag(c.value);
    }
    case ChangeKind::Alias: {
        const std::string* stored = fineStore(s, c, key);
        return !stored || *stored != c.value;
    }
    case ChangeKind::Rename: {
        const std::string* stored = s.names.find(Pad2(c.entrant));
        return !stored || *stored != c.value;
    }
    case ChangeKind::EntryFeeAll: {
        bool differs = false;
        for (const EntrantRef& e : s.entrantsByName()) {
            const std::string* stored = s.entryFeePaid.find(Pad2(e.id));
            differs = differs || !stored || *stored != flag(c.value);
        }
        return differs;
    }
    case ChangeKind::PayoutOption:
        return std::to_string(s.payout.PayoutOption) != trim(c.value);
    case ChangeKind::CustomPayouts: {
        if (static_cast<std::size_t>(s.payout.CustomPayoutCount) != c.amounts.size())
            return true;
        for (std::size_t i = 0; i < c.amounts.size(); ++i)
            if (s.payout.CustomPayouts[i] != c.amounts[i])
                return true;
        return false;
    }
    case ChangeKind::BumpFee:
        return t.BumpFee() != c.amount;
    case ChangeKind::WoodFee:
        return t.WoodFee() != c.amount;
    case ChangeKind::EntryFee:
        return t.EntryFee() != c.amount;
    case ChangeKind::Expenses:
        return t.Expenses() != c.amount;
    case ChangeKind::ClockStart:
    case ChangeKind::ClockPause:
    case ChangeKind::ClockResume:
    case ChangeKind::ClockStop:
        return true;
    case ChangeKind::RoundAdvance:
        return t.CurrentRound() + 1 == c.round;
    }
    return true;
}

void applyChange(Session& session, const Change& c) {
    TournamentState& s = session.state();
    TournamentSettings& t = s.settings;
    TournamentClock& clock = session.clock;
    std::string key;
    switch (c.kind) {
    case ChangeKind::Score: {
        const std::string round = roundText(c.round);
        const std::string partner = partnerOf(s, c);
        s.scores.setScore(round, Pad2(c.entrant), c.value);
        if (!partner.empty())
            s.scores.setScore(round, partner, c.value);
        break;
    }
    case ChangeKind::Lone:
    case ChangeKind::Bump:
    case ChangeKind::Wood:
        fineStore(s, c, key);
        writeCount(c.kind == ChangeKind::Lone ? s.lones : s.fines, key, c.value);
        break;
    case ChangeKind::Paid:
        s.fines.replace(makekey(c.entrant, "02"), flag(c.value));
        break;
    case ChangeKind::EntryFeePaid:
        s.entryFeePaid.replace(Pad2(c.entrant), flag(c.value));
        break;
    case ChangeKind::EntryFeeAll:
        for (const EntrantRef& e : s.entrantsByName())
            s.entryFeePaid.replace(Pad2(e.id), flag(c.value));
        break;
    case ChangeKind::Alias:
        s.aliases.replace(Pad2(c.entrant), c.value);
        session.refresh().requestLeaderRefresh();
        break;
    case ChangeKind::Rename:
        storeEntrantName(s, c.entrant, c.value);
        session.refresh().requestLeaderRefresh();
        session.markChangedSinceSave();
        break;
    case ChangeKind::PayoutOption:
        s.payout.PayoutOption = trim(c.value) == "1" ? 1 : 0;
        session.refresh().requestMoneyRefresh();
        break;
    case ChangeKind::CustomPayouts:
        if (c.amounts.size() > s.payout.CustomPayouts.size())
            throw RhError(err::BadIndex);
        for (std::size_t i = 0; i < c.amounts.size(); ++i)
            s.payout.CustomPayouts[i] = c.amounts[i];
        s.payout.CustomPayoutCount = static_cast<std::int16_t>(c.amounts.size());
        session.refresh().requestMoneyRefresh();
        break;
    case ChangeKind::BumpFee:
        t.setBumpFee(c.amount);
        break;
    case ChangeKind::WoodFee:
        t.setWoodFee(c.amount);
        break;
    case ChangeKind::EntryFee:
        t.setEntryFee(c.amount);
        session.refresh().requestMoneyRefresh();
        break;
    case ChangeKind::Expenses:
        t.setExpenses(c.amount);
        session.refresh().requestMoneyRefresh();
        break;
    case ChangeKind::ClockStart:
        clock.StartTournament(WallTime{c.clockTime});
        break;
    case ChangeKind::ClockPause:
        clock.PauseTournament();
        break;
    case ChangeKind::ClockResume:
        clock.ResumeTournament();
        break;
    case ChangeKind::ClockStop:
        clock.StopTournament(WallTime{c.clockTime});
        break;
    case ChangeKind::RoundAdvance:
        advanceClockTo(session, c);
        break;
    }
}

bool recordChange(Session& session, const Change& change, bool alreadyMade) {
    Journal* journal = session.journal();
    if (!journal || (!alreadyMade && !changesState(session, change)))
        return true;
    try {
        journal->append(change);
        return true;
    } catch (const RhError& e) {
        // Play goes on without a journal; the director has been told.
        session.setJournal(nullptr);
        session.ShowErrorMsg(kWriteJournalTitle, e);
    }
    return false;
}

void storeChange(Session& session, const Change& change) {
    recordChange(session, change);
    applyChange(session, change);
}

} // namespace rh

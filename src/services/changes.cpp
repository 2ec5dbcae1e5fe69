#include "services/changes.h"
#include "services/substitute.h"

#include "core/errors.h"
#include "core/text.h"

#include <cmath>

#include <ctime>

namespace rh {

namespace {

constexpr const char* kWriteJournalTitle = "Write Journal";

// The entrant a change names; a change that names none does not fit the tournament.
EntrantId entrantOf(const Change& c) {
    const auto id = entrantIdOf(c.entrant);
    if (!id)
        throw RhError(err::InvalidCall);
    return *id;
}

RoundNo roundOf(const Change& c) {
    const auto round = roundNoOf(c.round);
    if (!round)
        throw RhError(err::Overflow);
    return *round;
}

// A score or count as the change gives it: blank is none (the entry is removed), a number is
// stored whole (a score rounded half to even, as totals count it; a count half away from zero).
// Anything else does not fit the tournament.
std::optional<int> numberOf(const std::string& text, bool isCount) {
    const std::string t = trim(text);
    if (t.empty())
        return std::nullopt;
    double v;
    if (!tryParseNumber(t, v))
        throw RhError(err::TypeMismatch);
    v = isCount ? roundHalfAway(v) : roundHalfEven(v);
    if (!(std::fabs(v) <= 2.0e9))
        throw RhError(err::Overflow);
    return static_cast<int>(v);
}

std::optional<std::int32_t> EntrantRecord::*countField(ChangeKind kind) {
    switch (kind) {
    case ChangeKind::Lone:
        return &EntrantRecord::lones;
    case ChangeKind::Bump:
        return &EntrantRecord::bumps;
    case ChangeKind::Wood:
        return &EntrantRecord::woods;
    default:
        return &EntrantRecord::paid;
    }
}

bool flag(const std::string& value) {
    return trim(value) == "1";
}

// The partner who takes the same score in a Progressive tournament.
std::optional<EntrantId> partnerOf(const TournamentState& s, const Change& c) {
    return s.isProgressive() ? s.partnerOf(roundOf(c), entrantOf(c)) : std::nullopt;
}

void advanceClockTo(Session& session, const Change& c) {
    TournamentSettings& t = session.tourney();
    if (t.CurrentRound() + 1 != c.round)
        return; // the advance is already in the state
    std::int64_t seconds = 0;
    double v;
    if (tryParseNumber(trim(c.value), v) && v > 0)
        seconds = static_cast<std::int64_t>(v);
    session.clock().RTimer.Reset();
    session.clock().RTimer.Add(seconds);
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
    c.value = std::to_string(session.clock().RTimer.totalSeconds());
    return c;
}

RoundAdvanceHooks clockHooks(Session& session) {
    TournamentClock& clock = session.clock();
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
    auto record = [&]() -> const EntrantRecord* { return s.entrant(entrantOf(c)); };
    switch (c.kind) {
    case ChangeKind::Score: {
        const RoundNo round = roundOf(c);
        const auto wanted = numberOf(c.value, false);
        const auto partner = partnerOf(s, c);
        return s.score(round, entrantOf(c)) != wanted ||
               (partner && s.score(round, *partner) != wanted);
    }
    case ChangeKind::Lone:
    case ChangeKind::Bump:
    case ChangeKind::Wood: {
        const EntrantRecord* r = record();
        const std::optional<std::int32_t> stored =
            r ? r->*countField(c.kind) : std::optional<std::int32_t>();
        return stored != numberOf(c.value, true);
    }
    case ChangeKind::Paid: {
        const EntrantRecord* r = record();
        return !r || r->paid != (flag(c.value) ? 1 : 0);
    }
    case ChangeKind::EntryFeePaid: {
        const EntrantRecord* r = record();
        return !r || r->entryFeePaid != flag(c.value);
    }
    case ChangeKind::Alias: {
        const EntrantRecord* r = record();
        const std::optional<std::string> wanted =
            trim(c.value).empty() ? std::nullopt : std::optional(c.value);
        return !r || r->alias != wanted;
    }
    case ChangeKind::Rename:
        return !s.hasName(entrantOf(c)) || s.nameOf(entrantOf(c)) != c.value;
    case ChangeKind::EntryFeeAll: {
        for (EntrantId id : s.idsByName())
            if (s.entrant(id)->entryFeePaid != flag(c.value))
                return true;
        return false;
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
    TournamentClock& clock = session.clock();
    switch (c.kind) {
    case ChangeKind::Score: {
        const RoundNo round = roundOf(c);
        const auto score = numberOf(c.value, false);
        const auto partner = partnerOf(s, c);
        s.setScore(round, entrantOf(c), score);
        if (partner)
            s.setScore(round, *partner, score);
        break;
    }
    case ChangeKind::Lone:
    case ChangeKind::Bump:
    case ChangeKind::Wood: {
        const auto count = numberOf(c.value, true);
        s.entrantRecord(entrantOf(c)).*countField(c.kind) = count;
        break;
    }
    case ChangeKind::Paid:
        s.entrantRecord(entrantOf(c)).paid = flag(c.value) ? 1 : 0;
        break;
    case ChangeKind::EntryFeePaid:
        s.entrantRecord(entrantOf(c)).entryFeePaid = flag(c.value);
        break;
    case ChangeKind::EntryFeeAll:
        for (EntrantId id : s.idsByName())
            s.entrantRecord(id).entryFeePaid = flag(c.value);
        break;
    case ChangeKind::Alias: {
        EntrantRecord& r = s.entrantRecord(entrantOf(c));
        if (trim(c.value).empty())
            r.alias.reset();
        else
            r.alias = c.value;
        session.refresh().requestLeaderRefresh();
        break;
    }
    case ChangeKind::Rename:
        storeEntrantName(s, entrantOf(c), c.value);
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

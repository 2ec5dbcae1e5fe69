#include "services/changes.h"
#include "services/load_save.h"
#include "services/substitute.h"

#include "core/errors.h"
#include "core/text.h"
#include "money/fee_choices.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

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
    session.clock().RTimer.reset();
    session.clock().RTimer.add(seconds);
    AdvanceRound(session, clockHooks(session));
}

// --- The checks every change passes -----------------------------------------------------------

// The most the expenses box or a custom place may hold: far beyond any night's money, well within
// what the file and the journal write back exactly.
constexpr double kMaxAmount = 1e9;
constexpr int kMaxScore = 32;
constexpr int kMaxCount = 99;
constexpr std::size_t kFewestPlaces = 3;
constexpr std::size_t kMostPlaces = 8;

// A whole number as the lists give it (" 07", "7"); blank is none.
bool wholeNumberText(const std::string& text, long long& out) {
    const std::string t = trim(text);
    const char* end = t.data() + t.size();
    auto [ptr, ec] = std::from_chars(t.data(), end, out);
    return !t.empty() && ec == std::errc() && ptr == end;
}

bool isMark(const std::string& value) {
    const std::string t = trim(value);
    return t == "0" || t == "1";
}

bool isAmount(double amount) {
    return std::isfinite(amount) && amount >= 0 && amount <= kMaxAmount;
}

// An amount as the director would read it in a message ("12.5", "nan", "1e+308").
std::string amountText(double amount) {
    char text[40];
    std::snprintf(text, sizeof text, "%.10g", amount);
    return text;
}

std::string amountProblem(const char* what, double amount) {
    if (isAmount(amount))
        return {};
    return std::string(what) + " must be an amount from 0 to " + amountText(kMaxAmount) + ", not " +
           amountText(amount) + ".";
}

std::string feeProblem(const char* what, const std::vector<int>& choices, double amount) {
    if (isFeeChoice(choices, amount))
        return {};
    return std::string("A ") + what + " of " + amountText(amount) +
           " is not one of the fees the list offers.";
}

// Whether the change names an entrant at all.
bool namesEntrant(ChangeKind kind) {
    static constexpr ChangeKind kEntrantKinds[] = {
        ChangeKind::Score, ChangeKind::Lone,         ChangeKind::Bump,  ChangeKind::Wood,
        ChangeKind::Paid,  ChangeKind::EntryFeePaid, ChangeKind::Alias, ChangeKind::Rename};
    return std::find(std::begin(kEntrantKinds), std::end(kEntrantKinds), kind) !=
           std::end(kEntrantKinds);
}

std::string scoreProblem(const TournamentState& s, const Change& c, EntrantId id) {
    const auto round = roundNoOf(c.round);
    if (!round || c.round < 1 || c.round > s.currentRound())
        return "Round " + std::to_string(c.round) + " is not open for scores.";
    if (!s.isSeated(*round, id))
        return "Entrant " + trim(c.entrant) + " does not play in round " + std::to_string(c.round) +
               ".";
    long long n = 0;
    if (!trim(c.value).empty() && (!wholeNumberText(c.value, n) || n < 0 || n > kMaxScore))
        return "A score must be 0 to 32, not " + trim(c.value) + ".";
    return {};
}

std::string countProblem(const TournamentState& s, const Change& c, EntrantId id) {
    static const char* const kNames[] = {"Lones", "Bumps", "Woods"};
    const char* what = kNames[c.kind == ChangeKind::Lone ? 0 : c.kind == ChangeKind::Bump ? 1 : 2];
    long long n = 0;
    if (trim(c.value).empty())
        return {};
    if (!wholeNumberText(c.value, n) || n < 0 || n > kMaxCount)
        return std::string(what) + " must be 0 to 99, not " + trim(c.value) + ".";
    if (c.kind == ChangeKind::Lone && n > s.maxLones(id))
        return std::to_string(n) + " lones need more points than the scores of entrant " +
               trim(c.entrant) + " hold (4 points a lone).";
    return {};
}

std::string nameProblem(const Change& c) {
    if (trim(c.value).empty())
        return "The new name is empty.";
    for (char ch : c.value)
        if (ch == '~' || static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F)
            return "The new name holds a character a name cannot hold.";
    return {};
}

std::string roundAdvanceProblem(const TournamentSettings& t, const Change& c) {
    // An advance to a round already reached is in the state: nothing to do.
    if (c.round >= 2 && c.round <= t.CurrentRound())
        return {};
    if (c.round == t.CurrentRound() + 1 && c.round <= t.TotalRounds())
        return {};
    return "The tournament cannot advance to round " + std::to_string(c.round) + " of " +
           std::to_string(t.TotalRounds()) + " from round " + std::to_string(t.CurrentRound()) +
           ".";
}

std::string payoutsProblem(const Change& c) {
    if (c.amounts.size() < kFewestPlaces || c.amounts.size() > kMostPlaces)
        return "Custom payouts need 3 to 8 places, not " + std::to_string(c.amounts.size()) + ".";
    for (double a : c.amounts)
        if (std::string why = amountProblem("A custom payout", a); !why.empty())
            return why;
    return {};
}

} // namespace

std::string validateChange(const TournamentState& s, const Change& c) {
    std::optional<EntrantId> id;
    if (namesEntrant(c.kind)) {
        id = entrantIdOf(c.entrant);
        if (!id || !s.hasName(*id))
            return "The tournament has no entrant " + trim(c.entrant) + ".";
    }
    const TournamentSettings& t = s.settings;
    switch (c.kind) {
    case ChangeKind::Score:
        return scoreProblem(s, c, *id);
    case ChangeKind::Lone:
    case ChangeKind::Bump:
    case ChangeKind::Wood:
        return countProblem(s, c, *id);
    case ChangeKind::Paid:
    case ChangeKind::EntryFeePaid:
    case ChangeKind::EntryFeeAll:
    case ChangeKind::PayoutOption:
        return isMark(c.value) ? std::string() : "A mark must be 0 or 1, not " + c.value + ".";
    case ChangeKind::Alias:
        return {};
    case ChangeKind::Rename:
        return nameProblem(c);
    case ChangeKind::CustomPayouts:
        return payoutsProblem(c);
    case ChangeKind::BumpFee:
        return feeProblem("bump fee", bumpFeeCents(), c.amount);
    case ChangeKind::WoodFee:
        return feeProblem("wood fee", woodFeeCents(), c.amount);
    case ChangeKind::EntryFee:
        return feeProblem("entry fee", entryFeeCents(), c.amount);
    case ChangeKind::Expenses:
        return amountProblem("The expenses", c.amount);
    case ChangeKind::ClockStart:
    case ChangeKind::ClockPause:
    case ChangeKind::ClockResume:
    case ChangeKind::ClockStop:
        return {};
    case ChangeKind::RoundAdvance:
        return roundAdvanceProblem(t, c);
    }
    return "This kind of change is not known.";
}

std::string unprotectedQuestionText() {
    return "Changes can no longer be written to the journal, so they are no longer protected "
           "against a crash.\r\n"
           "Press Yes to save the tournament now\r\n"
           "Press No to go on without protection";
}

bool offerSaveWithoutJournal(Session& session) {
    if (ask(session.prompt(), kUnprotectedTitle, unprotectedQuestionText(), MsgButtons::YesNo,
            MsgIcon::Exclamation) != MsgAnswer::Yes)
        return false;
    return cmdSave(session);
}

std::string skippedChangesText(const std::vector<SkippedChange>& skipped) {
    std::string text = std::to_string(skipped.size()) +
                       (skipped.size() == 1 ? " change of the journal does not fit the tournament"
                                            : " changes of the journal do not fit the tournament") +
                       " and " + (skipped.size() == 1 ? "was" : "were") +
                       " left out; every other change was restored.";
    for (const SkippedChange& k : skipped)
        text += "\r\nChange " + std::to_string(k.sequence) + ": " + k.reason;
    return text;
}

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
    h.StopRoundTimer = [&clock] { clock.stopRoundTimer(); };
    h.RecordRoundTime = [&clock, &session] {
        clock.recordRoundTime(session.tourney().CurrentRound(), session.tourney().TotalRounds());
    };
    h.ResetRoundTimer = [&clock] { clock.RTimer.reset(); };
    h.ResetPauseTimer = [&clock] { clock.resetPauseTimer(); };
    h.StartRoundTimer = [&clock] { clock.startRoundTimer(); };
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
    if (std::string why = validateChange(session.state(), c); !why.empty())
        throw RhError(err::InvalidCall, why);
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
        clock.startTournament(WallTime{c.clockTime});
        break;
    case ChangeKind::ClockPause:
        clock.pauseTournament();
        break;
    case ChangeKind::ClockResume:
        clock.resumeTournament();
        break;
    case ChangeKind::ClockStop:
        clock.stopTournament(WallTime{c.clockTime});
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
    if (alreadyMade)
        offerSaveWithoutJournal(session);
    return false;
}

void storeChange(Session& session, const Change& change) {
    // Another program records this tournament's changes: a change here would be on no record.
    // Screens that restate what the tournament holds change nothing and go on.
    if (session.viewOnly() && !changesState(session, change))
        return;
    if (session.viewOnly())
        throw RhError(err::PermissionDenied,
                      "This tournament is open in another program, which records its changes; "
                      "here it can only be viewed. Close it there and load it again here to "
                      "change it.");
    if (std::string why = validateChange(session.state(), change); !why.empty())
        throw RhError(err::InvalidCall, why);
    const bool recorded = recordChange(session, change);
    applyChange(session, change);
    if (!recorded)
        offerSaveWithoutJournal(session); // the save holds the change just made
}

} // namespace rh

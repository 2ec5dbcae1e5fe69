#include "services/report_rows.h"
#include "services/views.h"

#include "core/currency.h"
#include "core/text.h"
#include "money/entry_fees.h"
#include "money/jackpot.h"
#include "money/payout.h"
#include "services/session.h"
#include "standings/grid_data.h"
#include "standings/leader_rows.h"
#include "standings/results.h"

#include <cmath>

namespace rh {

namespace {

double cents(double amount) {
    return std::round(amount * 100) / 100;
}

MoneyText money(double amount, const CurrencyFormat& format) {
    const double rounded = cents(amount);
    return {rounded, formatMoney(rounded, format, kMoney2)};
}

/// A money text as a grid shows it, with its value; a text that holds no amount counts as 0.
MoneyText shown(const std::string& text, const CurrencyFormat& format) {
    double amount = 0;
    if (!parseMoney(text, format, amount))
        amount = 0;
    return {cents(amount), text};
}

long long countOf(const std::string& text) {
    double v = 0;
    return tryParseNumber(text, v) ? static_cast<long long>(std::llround(v)) : 0;
}

/// "01" as the winners grid writes a place, "1" as a report prints it.
std::string plainNumber(const std::string& text) {
    double v = 0;
    return tryParseNumber(text, v) ? std::to_string(std::llround(v)) : text;
}

/// The winners grid's rows that receive a positive payout, best first.
std::vector<WinnerLine> winnerLines(Session& session) {
    std::vector<WinnerLine> lines;
    for (const WinnerRow& row : winnerRows(session)) {
        const MoneyText payout = shown(row.payout, session.currency());
        if (payout.amount > 0)
            lines.push_back(WinnerLine{plainNumber(row.place), row.name, row.tag, row.score,
                                       row.lones, payout});
    }
    return lines;
}

/// Every entrant with a bump or a wood, by name, with what the fines come to.
std::vector<FineLine> fineLines(Session& session) {
    const TournamentSettings& t = session.tourney();
    std::vector<FineLine> lines;
    for (const BumpRow& row : debtorRows(session)) {
        FineLine line;
        line.name = row.name;
        line.id = row.tag;
        line.bumps = countOf(row.bumps);
        line.woods = countOf(row.woods);
        line.amount = {cents(static_cast<double>(line.woods) * t.WoodFee() +
                             static_cast<double>(line.bumps) * t.BumpFee()),
                       row.payIn};
        line.paid = row.paid;
        lines.push_back(std::move(line));
    }
    return lines;
}

JackpotSummary jackpotSummary(Session& session) {
    const TournamentSettings& t = session.tourney();
    const CurrencyFormat& format = session.currency();
    const FineCounts counts = fineCounts(session.state());
    JackpotSummary j;
    j.title = t.JackpotTitle();
    j.bumps = counts.bumps;
    j.woods = counts.woods;
    j.bumpFee = money(t.BumpFee(), format);
    j.woodFee = money(t.WoodFee(), format);
    j.bumpMoney = money(static_cast<double>(counts.bumps) * t.BumpFee(), format);
    j.woodMoney = money(static_cast<double>(counts.woods) * t.WoodFee(), format);
    j.amount = money(JackpotAmount(session.state()), format);
    double paid = 0;
    for (const LoneRow& row : loneRows(session)) {
        if (row.payout.empty())
            continue;
        const MoneyText share = shown(row.payout, format);
        paid += share.amount;
        j.winners.push_back(JackpotShare{row.name, row.tag, row.lones, share});
    }
    j.paidOut = money(paid, format);
    return j;
}

} // namespace

double TreasurerFigures::cash() const {
    return cents(feesCollected + finesCollected - expenses - prizesPaid - jackpotPaid);
}

double TreasurerFigures::cashFromBalance() const {
    return cents((netPayout - prizesPaid) + (jackpot - jackpotPaid) - feesOwed - finesOwed);
}

bool TreasurerFigures::balances() const {
    return std::fabs(cash() - cashFromBalance()) < 0.005;
}

std::vector<std::string> cashFormulaLines() {
    return {
        "Cash that should be in the box = entry fees collected + fines collected - expenses",
        "    - prizes paid out - jackpot paid out.",
        "Balance: the net payout is every entrant's entry fee less the expenses, and the jackpot",
        "is every bump and wood at its fee, paid or not; so the same cash is (net payout - prizes",
        "paid out) + (jackpot - jackpot paid out) - entry fees still owed - fines still owed.",
    };
}

StandingsReport standingsReport(Session& session) {
    const TournamentSettings& t = session.tourney();
    StandingsReport report;
    report.title = t.TourneyTitle();
    report.entrantHeading = entrantNameHeading(t.isProgressive());
    report.currentRound = t.CurrentRound();
    report.rounds = t.TotalRounds();
    for (const LeaderRow& row : leaderGridRows(session)) {
        StandingsLine line;
        line.id = row.entry[kLeaderId];
        line.name = session.state().nameOf(entrantIdOf(line.id).value_or(EntrantId{0}));
        line.pending = row.entry[kLeaderName] == "* " + line.name;
        line.place = row.cells[kColPlace];
        line.score = row.cells[kColScore];
        line.lones = row.cells[kColLone];
        line.payout = shown(row.cells[kColPayout], session.currency());
        line.inTheMoney = row.entry[kLeaderInMoney] == "Y";
        report.lines.push_back(std::move(line));
    }
    return report;
}

ResultsReport resultsReport(Session& session) {
    const TournamentSettings& t = session.tourney();
    ResultsReport report;
    report.title = t.TourneyTitle();
    report.entrantHeading = entrantNameHeading(t.isProgressive());
    report.winners = winnerLines(session);
    report.finesHeading = bumpFrameCaption(t.isProgressive());
    report.fines = fineLines(session);
    double collected = 0, owed = 0;
    for (const FineLine& f : report.fines)
        (f.paid ? collected : owed) += f.amount.amount;
    report.finesCollected = money(collected, session.currency());
    report.finesOwed = money(owed, session.currency());
    report.jackpot = jackpotSummary(session);
    return report;
}

TreasurerReport treasurerReport(Session& session) {
    const TournamentSettings& t = session.tourney();
    const CurrencyFormat& format = session.currency();
    TreasurerReport report;
    report.title = t.TourneyTitle();
    report.entrantHeading = entrantNameHeading(t.isProgressive());
    report.entrantsWord = t.isProgressive() ? "players" : "teams";
    report.entryFee = money(t.EntryFee(), format);
    report.entrants = t.TotalPlort();

    // The roll call as the window shows it: with no entry fee chosen, everybody counts as paid.
    for (const EntryFeeRow& row : entryFeeRows(session, t.EntryFee() > 0)) {
        report.entryFees.push_back(EntryFeeLine{row.name, row.tag, row.paid});
        report.paidCount += row.paid ? 1 : 0;
    }
    const int unpaid = static_cast<int>(report.entryFees.size()) - report.paidCount;
    report.rollCallKnown = entryFeeRollCallKnown(session.state(), t.EntryFee() > 0);

    for (const WinnerLine& w : winnerLines(session))
        report.prizes.push_back(PrizeLine{w.place, w.name, w.id, w.payout});
    report.finesHeading = bumpFrameCaption(t.isProgressive());
    report.fines = fineLines(session);
    report.jackpot = jackpotSummary(session);

    TreasurerFigures& f = report.figures;
    f.feesCollected = cents(report.paidCount * t.EntryFee());
    f.feesOwed = cents(unpaid * t.EntryFee());
    f.netPayout = cents(netPayout(t.EntryFee(), t.TotalPlort(), t.Expenses(),
                                  session.payout().expenseTextNumeric()));
    // What the net payout left out of the entry fees: the expenses, unless the window's expenses
    // box held no number.
    f.expenses = cents(t.EntryFee() * t.TotalPlort() - f.netPayout);
    for (const PrizeLine& p : report.prizes)
        f.prizesPaid += p.amount.amount;
    f.prizesPaid = cents(f.prizesPaid);
    for (const FineLine& l : report.fines)
        (l.paid ? f.finesCollected : f.finesOwed) += l.amount.amount;
    f.finesCollected = cents(f.finesCollected);
    f.finesOwed = cents(f.finesOwed);
    f.jackpot = report.jackpot.amount.amount;
    f.jackpotPaid = report.jackpot.paidOut.amount;

    report.feesDue = money(t.EntryFee() * t.TotalPlort(), format);
    report.feesCollected = money(f.feesCollected, format);
    report.feesOwed = money(f.feesOwed, format);
    report.expenses = money(f.expenses, format);
    report.netPayout = money(f.netPayout, format);
    report.prizesPaid = money(f.prizesPaid, format);
    report.finesCollected = money(f.finesCollected, format);
    report.finesOwed = money(f.finesOwed, format);
    report.jackpotPaid = money(f.jackpotPaid, format);
    report.netLeft = money(f.netPayout - f.prizesPaid, format);
    report.jackpotLeft = money(f.jackpot - f.jackpotPaid, format);
    report.cash = money(f.cash(), format);
    report.cashFromBalance = money(f.cashFromBalance(), format);
    return report;
}

} // namespace rh

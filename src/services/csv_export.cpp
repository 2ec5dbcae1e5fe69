#include "services/csv_export.h"

#include "core/text.h"

namespace rh {

namespace {

using Row = std::vector<std::string>;

const char* yesNo(bool value) {
    return value ? "Y" : "N";
}

// A whole number or amount as the reports write them ("-10.00", "7"): a number, not a formula.
bool isPlainNumber(std::string_view text) {
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    bool digit = false, point = false;
    for (char c : text) {
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c == '.' && !point)
            point = true;
        else
            return false;
    }
    return digit;
}

// A spreadsheet takes a text that begins with = + - @, a tab or a CR for a formula and runs it:
// such a text (a name, a title) is written after a single quote so that it stays text. Numbers
// keep their sign.
bool readsAsFormula(std::string_view text) {
    if (text.empty())
        return false;
    switch (text.front()) {
    case '=':
    case '@':
    case '\t':
    case '\r':
        return true;
    case '+':
    case '-':
        return !isPlainNumber(text);
    default:
        return false;
    }
}

} // namespace

std::string csvField(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 3);
    out += '"';
    if (readsAsFormula(text))
        out += '\'';
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string csvMoney(double amount) {
    std::string text = formatFixed(amount, 2);
    return text == "-0.00" ? std::string("0.00") : text;
}

std::string csvText(const std::vector<Row>& rows) {
    std::string out = "\xEF\xBB\xBF";
    for (const Row& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0)
                out += ',';
            out += csvField(row[i]);
        }
        out += "\r\n";
    }
    return out;
}

std::string standingsCsv(const StandingsReport& report) {
    std::vector<Row> rows;
    rows.reserve(report.lines.size() + 1);
    rows.push_back({"Place", report.entrantHeading, "ID", "Score", "Lones", "Payout",
                    "In the Money", "Round Score Pending"});
    for (const StandingsLine& l : report.lines)
        rows.push_back({l.place, l.name, l.id, l.score, l.lones, csvMoney(l.payout.amount),
                        yesNo(l.inTheMoney), yesNo(l.pending)});
    return csvText(rows);
}

std::string resultsCsv(const ResultsReport& report) {
    std::vector<Row> rows;
    rows.push_back({"Section", "Place", report.entrantHeading, "ID", "Score", "Lones", "Bumps",
                    "Woods", "Amount", "Paid"});
    for (const WinnerLine& w : report.winners)
        rows.push_back({"Winner", w.place, w.name, w.id, w.score, w.lones, "", "",
                        csvMoney(w.payout.amount), ""});
    for (const FineLine& f : report.fines)
        rows.push_back({"Fine", "", f.name, f.id, "", "", std::to_string(f.bumps),
                        std::to_string(f.woods), csvMoney(f.amount.amount), yesNo(f.paid)});
    const JackpotSummary& j = report.jackpot;
    rows.push_back({"Jackpot", "", j.title, "", "", "", std::to_string(j.bumps),
                    std::to_string(j.woods), csvMoney(j.amount.amount), ""});
    for (const JackpotShare& s : j.winners)
        rows.push_back({"Jackpot Winner", "", s.name, s.id, "", s.lones, "", "",
                        csvMoney(s.share.amount), ""});
    return csvText(rows);
}

std::string treasurerCsv(const TreasurerReport& report) {
    std::vector<Row> rows;
    rows.push_back({"Section", "Item", "ID", "Place", "Bumps", "Woods", "Paid", "Amount"});
    // With the roll call unknown nobody is marked paid or not paid: the Paid cells stay empty.
    for (const EntryFeeLine& e : report.entryFees)
        rows.push_back({"Entry Fee", e.name, e.id, "", "", "",
                        report.rollCallKnown ? yesNo(e.paid) : std::string(),
                        csvMoney(report.entryFee.amount)});
    const TreasurerFigures& f = report.figures;
    rows.push_back({"Expenses", "Expenses", "", "", "", "", "", csvMoney(f.expenses)});
    rows.push_back({"Net Payout", "Net payout", "", "", "", "", "", csvMoney(f.netPayout)});
    for (const PrizeLine& p : report.prizes)
        rows.push_back({"Prize", p.name, p.id, p.place, "", "", "", csvMoney(p.amount.amount)});
    for (const FineLine& l : report.fines)
        rows.push_back({"Fine", l.name, l.id, "", std::to_string(l.bumps), std::to_string(l.woods),
                        yesNo(l.paid), csvMoney(l.amount.amount)});
    const JackpotSummary& j = report.jackpot;
    rows.push_back({"Jackpot", j.title, "", "", std::to_string(j.bumps), std::to_string(j.woods),
                    "", csvMoney(j.amount.amount)});
    for (const JackpotShare& s : j.winners)
        rows.push_back({"Jackpot Winner", s.name, s.id, "", "", "", "", csvMoney(s.share.amount)});
    const std::pair<const char*, double> totals[] = {
        {"Entry fees collected", f.feesCollected},
        {"Entry fees owed", f.feesOwed},
        {"Fines collected", f.finesCollected},
        {"Fines owed", f.finesOwed},
        {"Prizes paid out", f.prizesPaid},
        {"Jackpot paid out", f.jackpotPaid},
        {"Cash that should be in the box", f.cash()},
    };
    for (const auto& [item, amount] : totals) {
        // The figures that count the entry fees cannot be told without the roll call.
        const bool counted = report.rollCallKnown || (std::string_view(item) != totals[0].first &&
                                                      std::string_view(item) != totals[1].first &&
                                                      std::string_view(item) != totals[6].first);
        rows.push_back(
            {"Total", item, "", "", "", "", "", counted ? csvMoney(amount) : std::string()});
    }
    if (!report.rollCallKnown)
        rows.push_back({"Note", kRollCallUnknown, "", "", "", "", "", ""});
    return csvText(rows);
}

} // namespace rh

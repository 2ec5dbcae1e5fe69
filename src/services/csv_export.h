#pragma once
// The standings, results and treasurer's reports as CSV text that spreadsheets open as it is:
// UTF-8 with a byte-order mark, a header row, every field quoted (a quote inside doubled; a text
// that would run as a formula after a single quote), lines ended by CR LF, money as plain numbers
// with two decimals and "." (never the locale's form).
// The rows come from report_rows.h, the same rows the printed reports show.

#include "services/report_rows.h"

#include <string>
#include <string_view>
#include <vector>

namespace rh {

/// One field, quoted: Smith, "Red" -> "Smith, ""Red""". A text a spreadsheet would run as a
/// formula (beginning with = + - @, a tab or CR; numbers such as -10.00 aside) gets a single quote
/// in front: =SUM(A1) -> "'=SUM(A1)".
std::string csvField(std::string_view text);
/// An amount as a plain number with two decimals: 1234.5 -> 1234.50, -10 -> -10.00.
std::string csvMoney(double amount);
/// The whole text: the byte-order mark, then one CR LF-ended line per row.
std::string csvText(const std::vector<std::vector<std::string>>& rows);

/// Place, name, ID, score, lones, payout, in the money, and whether the round's score is pending.
std::string standingsCsv(const StandingsReport& report);
/// One table of sections: the winners, the fines, the jackpot and its winners.
std::string resultsCsv(const ResultsReport& report);
/// One table of sections: the entry-fee roll call, expenses and net payout, prizes, fines, the
/// jackpot, and the cash figures.
std::string treasurerCsv(const TreasurerReport& report);

} // namespace rh

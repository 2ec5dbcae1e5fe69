#pragma once
// The payout arithmetic: the net payout (entry fees collected less expenses) and the sharing of the
// payout table's amounts over the standings' row positions, tied positions sharing the money of the
// positions they cover. Pure functions; the payout table the window shows lives with the session.

#include "core/currency.h"
#include "state/tournament_state.h"

#include <cstdint>
#include <string>
#include <vector>

namespace rh {

/// One row of the payout table (lvPayout and lvResultPayout show the same rows).
struct PayoutRow {
    std::string placeWord; // "First" .. "Eighth"
    double amount = 0;
    std::string amountText; // currency text, default style
};

/// Net payout: entry fee x entrants, less the expenses when the expenses box holds a number.
double netPayout(double entryFee, int entrants, double expenses, bool expenseTextNumeric);

/// The assignment of payout amounts (by paid place, 1-based in `amounts[0]`..) to a ranking given
/// as its score totals in order: a tie group (equal totals) shares the amounts of the
/// positions it covers, positions past the last amount adding nothing. Writes the share texts
/// (currency, exactly 2 decimals) into `texts` by position - 1 and returns the number of positions
/// that received a text. Every entrant is reached while paid places remain.
int assignPayouts(const std::vector<long long>& totals, const std::vector<double>& amounts,
                  const CurrencyFormat& format, std::vector<std::string>& texts,
                  std::string* trace = nullptr);

/// The same assignment over the ranking.
int assignPayouts(const std::vector<RankedEntrant>& ranking, const std::vector<double>& amounts,
                  const CurrencyFormat& format, std::vector<std::string>& texts,
                  std::string* trace = nullptr);

/// A money text read back as a number, as a displayed amount is: the whole text first (symbol,
/// grouping and parentheses allowed), else the part before its first blank.
bool readAmountText(const std::string& text, const CurrencyFormat& format, double& amount);

} // namespace rh

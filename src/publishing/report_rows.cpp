#include "publishing/report_rows.h"

#include <cmath>

namespace rh {

namespace {

double cents(double amount) {
    return std::round(amount * 100) / 100;
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

} // namespace rh

#pragma once
// The payout worksheet's request: what it is opened with and what it hands back. Plain data,
// shared by the worksheet's arithmetic and the prompt that shows it.

#include "core/currency.h"

#include <array>
#include <string>

namespace rh {

/// What the payout worksheet is opened with and hands back.
struct PayoutEditorRequest {
    int placeCount = 3;
    std::array<double, 8> amounts{};
    double netPayout = 0;
    std::string netPayoutText;
    int entrants = 0;
    CurrencyFormat currency; // the amounts are written in this format
};

} // namespace rh

#pragma once
// The amounts a tournament's fees may take: the window's fee lists offer exactly these, and a new
// tournament is made only with fees among them, so its fees show in the lists once it is loaded.

#include <string>
#include <vector>

namespace rh {

/// Bump fees: 0 to 1.00 in steps of 0.05, in cents.
std::vector<int> bumpFeeCents();
/// Wood fees: 0 to 3.00 in steps of 0.10, in cents.
std::vector<int> woodFeeCents();
/// Entry fees: 0 to 10 in whole units, then 15 to 100 in steps of 5, in cents.
std::vector<int> entryFeeCents();

/// Whether the amount (in currency units) is one of the choices.
bool isFeeChoice(const std::vector<int>& choices, double amount);

} // namespace rh

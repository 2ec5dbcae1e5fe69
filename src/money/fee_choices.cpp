#include "money/fee_choices.h"

#include <algorithm>
#include <cmath>

namespace rh {

namespace {
std::vector<int> steps(int from, int to, int step) {
    std::vector<int> out;
    for (int c = from; c <= to; c += step)
        out.push_back(c);
    return out;
}
} // namespace

std::vector<int> bumpFeeCents() {
    return steps(0, 100, 5);
}

std::vector<int> woodFeeCents() {
    return steps(0, 300, 10);
}

std::vector<int> entryFeeCents() {
    std::vector<int> out = steps(0, 1000, 100);
    for (int c : steps(1500, 10000, 500))
        out.push_back(c);
    return out;
}

bool isFeeChoice(const std::vector<int>& choices, double amount) {
    if (!std::isfinite(amount) || std::abs(amount) > 1e6)
        return false;
    const double cents = amount * 100;
    const long long rounded = std::llround(cents);
    return std::abs(cents - static_cast<double>(rounded)) < 1e-6 &&
           std::find(choices.begin(), choices.end(), rounded) != choices.end();
}

} // namespace rh

#include "money/payout.h"

#include "core/errors.h"
#include "core/text.h"

#include <algorithm>
#include <new>

namespace rh {

namespace {

std::string num(long long v) {
    return std::to_string(v);
}

template <typename KeyAt>
int assignImpl(long long count, KeyAt keyAt, const std::vector<double>& amounts,
               const CurrencyFormat& format, std::vector<std::string>& texts, std::string* trace) {
    const long long n = static_cast<long long>(amounts.size());
    auto put = [&](long long position, double value) {
        if (static_cast<long long>(texts.size()) < position)
            texts.resize(static_cast<std::size_t>(position));
        texts[static_cast<std::size_t>(position - 1)] = formatMoney(value, format, kMoney2);
    };
    // Row positions and records advance together (index == o), so a step always finds its record;
    // the loop ends when every paid place is handed out or every entrant has been reached.
    long long o = 1, index = 1, step = 0, j = 0, last = 0, k = 0;
    while (index <= n && o <= count) {
        ++step;
        const auto key = keyAt(o);
        j = o + 1;
        bool tied = false;
        long long size = 1;
        while (j <= count && keyAt(j) == key) {
            tied = true;
            ++size;
            ++j;
        }
        if (tied) {
            last = index + size - 1;
            double sum = 0;
            for (long long p = index; p <= std::min(last, n); ++p)
                sum += amounts[static_cast<std::size_t>(p - 1)];
            double share = sum / static_cast<double>(size);
            for (k = index; k <= last; ++k)
                put(k, share);
            index += size;
            o = j;
        } else {
            if (index <= n) {
                put(index, amounts[static_cast<std::size_t>(index - 1)]);
                ++index;
            }
            ++o;
        }
        if (trace)
            *trace = "o_Idx=" + num(step) + " i_idx=" + num(j) + "PayoutCnt=" + num(last) +
                     " PayoutIndex=" + num(index) + " index=" + num(k) +
                     " checkIndex=" + num(o + 1);
    }
    return static_cast<int>(index - 1);
}

} // namespace

double netPayout(double entryFee, int entrants, double expenses, bool expenseTextNumeric) {
    double gross = entryFee * entrants;
    return expenseTextNumeric ? gross - expenses : gross;
}

int assignPayouts(const std::vector<long long>& totals, const std::vector<double>& amounts,
                  const CurrencyFormat& format, std::vector<std::string>& texts,
                  std::string* trace) {
    return assignImpl(
        static_cast<long long>(totals.size()),
        [&](long long i) { return totals[static_cast<std::size_t>(i - 1)]; }, amounts, format,
        texts, trace);
}

bool readAmountText(const std::string& text, const CurrencyFormat& format, double& amount) {
    std::string t = trim(text);
    if (parseMoney(t, format, amount))
        return true;
    auto blank = t.find(' ');
    return blank != std::string::npos && parseMoney(t.substr(0, blank), format, amount);
}

int assignPayouts(const std::vector<RankedEntrant>& ranking, const std::vector<double>& amounts,
                  const CurrencyFormat& format, std::vector<std::string>& texts,
                  std::string* trace) {
    return assignImpl(
        static_cast<long long>(ranking.size()),
        [&](long long i) { return ranking[static_cast<std::size_t>(i - 1)].total; }, amounts,
        format, texts, trace);
}

} // namespace rh

#include "standings/score_scan.h"

#include "core/text.h"
#include "scoring/queries.h"

#include <cmath>

namespace rh {

namespace {
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
} // namespace

bool splitScoreKey(std::string_view key, int& round, long long& id) {
    // Two digits of round, then the ID text: two digits, or more without a leading zero.
    if (key.size() < 4 || key.size() > 20)
        return false;
    for (char c : key)
        if (!isDigit(c))
            return false;
    if (key.size() > 4 && key[2] == '0')
        return false;
    round = (key[0] - '0') * 10 + (key[1] - '0');
    long long v = 0;
    for (std::size_t i = 2; i < key.size(); ++i)
        v = v * 10 + (key[i] - '0');
    id = v;
    return true;
}

bool scoreValue(std::string_view text, long long& value) {
    if (!text.empty() && text.size() <= 9) {
        long long v = 0;
        bool plain = true;
        for (char c : text) {
            if (!isDigit(c)) {
                plain = false;
                break;
            }
            v = v * 10 + (c - '0');
        }
        if (plain) {
            value = v;
            return true;
        }
    }
    double d;
    if (!tryParseNumber(text, d) || std::fabs(d) >= 9.0e18)
        return false;
    value = static_cast<long long>(roundHalfEven(d));
    return true;
}

std::int32_t countValue(const std::string* text) {
    long long v;
    if (!text || !scoreValue(*text, v) || v > 2000000000LL || v < -2000000000LL)
        return 0;
    return static_cast<std::int32_t>(v);
}

bool parseIdText(std::string_view text, long long& id) {
    if (text.size() < 2 || text.size() > 12 || (text.size() > 2 && text[0] == '0'))
        return false;
    long long v = 0;
    for (char c : text) {
        if (!isDigit(c))
            return false;
        v = v * 10 + (c - '0');
    }
    id = v;
    return true;
}

std::vector<const std::string*> valuesById(const KeyedCollection& store, long long entrants,
                                           std::string_view suffix) {
    std::vector<const std::string*> out(static_cast<std::size_t>(entrants > 0 ? entrants : 0),
                                        nullptr);
    store.forEach([&](const std::string& key, const std::string& value) {
        std::string_view k(key);
        if (k.size() < suffix.size() || k.substr(k.size() - suffix.size()) != suffix)
            return;
        long long id;
        if (parseIdText(k.substr(0, k.size() - suffix.size()), id) && id >= 1 && id <= entrants)
            out[static_cast<std::size_t>(id - 1)] = &value;
    });
    return out;
}

std::vector<std::int32_t> ScoreTotals(const ScoreStore& scores, int currentRound, int entrants) {
    std::vector<std::int32_t> totals(static_cast<std::size_t>(entrants > 0 ? entrants : 0), 0);
    if (currentRound > 99) {
        // Keys of rounds past 99 are no longer unique; ask round by round.
        for (int id = 1; id <= entrants; ++id)
            totals[static_cast<std::size_t>(id - 1)] = ScoreTotal(scores, currentRound, id);
        return totals;
    }
    std::vector<std::int64_t> sums(totals.size(), 0);
    forEachScore(scores, [&](int round, long long id, const std::string& text) {
        if (round < 1 || round > currentRound || id < 1 || id > entrants)
            return;
        long long v;
        if (scoreValue(text, v))
            sums[static_cast<std::size_t>(id - 1)] += v;
    });
    for (std::size_t i = 0; i < sums.size(); ++i)
        totals[i] = static_cast<std::int32_t>(sums[i]);
    return totals;
}

} // namespace rh

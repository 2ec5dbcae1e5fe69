#include "scoring/queries.h"

#include "core/text.h"

#include <cmath>

namespace rh {

namespace {
bool numericScore(const std::string* s, double& v) {
    return s && tryParseNumber(*s, v);
}
} // namespace

std::int32_t ScoreTotal(const ScoreStore& scores, int currentRound, long long id) {
    std::int64_t total = 0;
    for (int r = 1; r <= currentRound; ++r) {
        double v;
        if (numericScore(scores.find(r, id), v))
            total += static_cast<std::int64_t>(roundHalfEven(v));
    }
    return static_cast<std::int32_t>(total);
}

std::int32_t countOf(const KeyedCollection& store, const std::string& key) {
    const std::string* s = store.find(key);
    double v;
    if (!s || !tryParseNumber(*s, v) || std::fabs(v) > 2.0e9)
        return 0;
    return static_cast<std::int32_t>(roundHalfEven(v));
}

std::int32_t LoneCount(const KeyedCollection& lones, long long id) {
    return countOf(lones, loneKey(id));
}

std::int32_t getMaxLones(const ScoreStore& scores, int currentRound, long long id) {
    std::int64_t total = 0;
    for (int r = 1; r <= currentRound; ++r) {
        double v;
        if (numericScore(scores.find(r, id), v))
            total += static_cast<std::int64_t>(std::floor(roundHalfEven(v) / 4.0));
    }
    return static_cast<std::int32_t>(total);
}

bool IsValid(const ScoreStore& scores, const KeyedCollection& lones, int currentRound,
             long long id) {
    return static_cast<std::int64_t>(ScoreTotal(scores, currentRound, id)) >=
           4LL * LoneCount(lones, id);
}

} // namespace rh

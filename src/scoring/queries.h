#pragma once
// Derived questions on the score store. "Rounds so far" are rounds 1 to the current round.

#include "core/keyed_collection.h"
#include "scoring/score.h"

#include <cstdint>

namespace rh {

/// Sum of the entrant's numeric stored scores over rounds 1..currentRound.
std::int32_t ScoreTotal(const ScoreStore& scores, int currentRound, long long id);
/// The entrant's lone count as a number, 0 when it has none (or it is not a number).
std::int32_t LoneCount(const KeyedCollection& lones, long long id);
/// Sum over the rounds so far of floor(score / 4) for each numeric stored score.
std::int32_t getMaxLones(const ScoreStore& scores, int currentRound, long long id);
/// True when the score total leaves at least 4 points per lone.
bool IsValid(const ScoreStore& scores, const KeyedCollection& lones, int currentRound,
             long long id);

/// A per-entrant count of fines/lones as a number (0 when missing or not numeric).
std::int32_t countOf(const KeyedCollection& store, const std::string& key);

} // namespace rh

#pragma once
// One pass over the round-score store instead of one lookup per entrant and round: the views that
// need every entrant's scores read the store front to back and file each entry under its round and
// entrant. Only keys exactly as makekey writes them for rounds 01..99 are recognised, so the scan
// sees precisely what the per-round lookups would find.

#include "scoring/score.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rh {

/// The round and the entrant of a score key as makekey2(round, id) writes it for rounds 1..99;
/// false for any other key.
bool splitScoreKey(std::string_view key, int& round, long long& id);

/// A stored score as the totals count it: its whole value (rounded half to even), false when the
/// text is not a number.
bool scoreValue(std::string_view text, long long& value);

/// A per-entrant count as countOf reads it (0 when missing, not a number or beyond +-2e9),
/// without the general parser for the usual plain digits.
std::int32_t countValue(const std::string* text);

/// Calls visit(round, id, value) for every entry of the store whose key splitScoreKey accepts.
template <typename F> void forEachScore(const ScoreStore& scores, F&& visit) {
    scores.col().forEach([&](const std::string& key, const std::string& value) {
        int round;
        long long id;
        if (splitScoreKey(key, round, id))
            visit(round, id, value);
    });
}

/// The number of an ID text exactly as the stores write it ("07", "123"); false for any other
/// text (unpadded, padded beyond two digits, blanks, signs).
bool parseIdText(std::string_view text, long long& id);

/// The values of a per-entrant store filed by entrant: element id - 1 points at the value stored
/// under ID text + `suffix` for IDs 1..entrants, or is null. One pass over the store; the pointers
/// stay valid until the store changes.
std::vector<const std::string*> valuesById(const KeyedCollection& store, long long entrants,
                                           std::string_view suffix = {});

/// Every entrant's score total over rounds 1..currentRound, element id - 1 for IDs 1..entrants;
/// the same sums as ScoreTotal, in one pass.
std::vector<std::int32_t> ScoreTotals(const ScoreStore& scores, int currentRound, int entrants);

} // namespace rh

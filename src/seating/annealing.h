#pragma once
// Progressive rounds by simulated annealing, for entrant counts without a whist tournament at hand
// (internal to the seating library).
//
// Who sits out starts in sweeps: s = v mod 4 entrants a round, taken from a random order of all
// entrants, a new order for each sweep, so that sit-out counts differ by at most one after every
// round and entrants do not keep sitting out with the same others. The search then swaps seated
// entrants within a round, and now and then a seated entrant with one sitting out when that keeps
// every entrant's sit-out count within one of everybody else's, to lower a cost that is convex in
// how often a pair has partnered (heavily weighted, so partnerships spread as evenly as the rounds
// allow) and in how often a pair has met as opponents (with an extra charge for meeting more than
// twice). Temperatures and move counts are fixed numbers and every decision uses integer
// thresholds, so the result depends on the arguments only.
#include "seating/random.h"
#include "seating/whist.h"

#include <vector>

namespace rh::seating::detail {

std::vector<RawRound> annealedRounds(int entrants, int rounds, Random& random);

} // namespace rh::seating::detail

#pragma once
// The leader list and the leader entry: the ranking of the entrants by total score and the
// 13-field record per entrant from which the standings grid, the winners view and the HTML page
// are drawn, so all of them always agree.
//
// Payout texts are handed around as a vector indexed by row position - 1 (row position 1 is
// element 0); a position past the end reads as "".

#include "core/errors.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace rh {

struct CurrencyFormat;
class TournamentState;

/// The fields of a leader entry, by index.
enum LeaderField : std::size_t {
    kLeaderName = 0, // name, "* " in front while the current round's score is outstanding
    kLeaderScore,    // total score, "00"
    kLeaderAverage,  // total / rounds played, "0.0"
    kLeaderLones,    // lone count, "0"
    kLeaderBumps,    // bump count
    kLeaderWoods,    // wood count
    kLeaderPayout,   // payout text of the row position, or $0.00 past the paid rows
    kLeaderInMoney,  // "Y" / "N"
    kLeaderPlace,    // dense place number
    kLeaderPaid,     // "Y" when the paid mark is 1, else "N"
    kLeaderOwes,     // "True" when bumps or woods >= 1, else "False"
    kLeaderTotalDue, // bumps x BumpFee + woods x WoodFee, as currency
    kLeaderId,       // ID text
    kLeaderFieldCount
};

using LeaderEntry = std::array<std::string, kLeaderFieldCount>;

/// The payout text of a 1-based row position, "" when there is none.
const std::string& payoutTextAt(const std::vector<std::string>& texts, int position);

/// Rebuilds the state's ranking: every ID 1..TotalPlort by its score total over rounds
/// 1..CurrentRound, highest first, equal totals in ascending ID order. Throws RhError 6 for a
/// total outside 16 bits (a damaged file); the ranking is then empty.
void buildRanking(TournamentState& state);

/// The leader entries in ranking order (the ranking must be built), each with the payout text of
/// its row position.
std::vector<LeaderEntry> leaderEntries(const TournamentState& state, const CurrencyFormat& currency,
                                       int paidCount, const std::vector<std::string>& payoutTexts);

} // namespace rh

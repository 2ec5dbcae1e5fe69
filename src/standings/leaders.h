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

/// The row-building state carried from one buildLeaderEntry to the next within one refresh.
struct LeaderCounters {
    int row = 0;
    int place = 0;
    std::int32_t previousTotal = 0;
};

/// The payout text of a 1-based row position, "" when there is none.
const std::string& payoutTextAt(const std::vector<std::string>& texts, int position);

/// Rebuilds sortedScores: numeric, descending, "total~ID" for every ID 1..TotalPlort in
/// ascending order (equal totals keep ascending ID order), the total summing the recorded scores
/// of rounds 1..CurrentRound. Throws RhError 6 for a total outside 16 bits (a damaged file).
void BuildLeaderList(TournamentState& state);

/// Fills the entry for one leader record and advances the counters. A failure is added to
/// `errors`; the entry then keeps what it had and the result is false.
bool buildLeaderEntry(const TournamentState& state, const CurrencyFormat& currency,
                      const std::string& record, LeaderEntry& entry, int paidCount,
                      LeaderCounters& counters, const std::vector<std::string>& payoutTexts,
                      std::vector<RhError>& errors);

/// The leader entries in sortedScores order (the leader list must be built), each with the
/// payout text of its row position; the records that failed are left out and their errors kept,
/// in order.
struct LeaderEntries {
    std::vector<LeaderEntry> entries;
    std::vector<RhError> errors;
};
LeaderEntries leaderEntries(const TournamentState& state, const CurrencyFormat& currency,
                            int paidCount, const std::vector<std::string>& payoutTexts);

} // namespace rh

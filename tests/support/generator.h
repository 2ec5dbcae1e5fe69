#pragma once
// A generator of valid tournaments of any size, for tests, benchmarks and the example files.
//
// Seating follows the round-robin circle method: each round pairs every entrant with a different
// partner (Progressive) or opponent (Team) until the pairings run out, so nobody partners anyone
// twice within entrants - 1 rounds and nobody sits twice in a round. Pairs are seated two to a
// Progressive table; entrants that do not fill a table sit the round out, a different group each
// round. The first `scoredRounds` rounds carry scores (partners equal, a game to 10 per table),
// lones that the scores allow, and some bumps, woods and paid marks. Everything is drawn from a
// seeded generator of its own, so a seed gives the same tournament on every platform.

#include "state/tournament_state.h"

#include <cstdint>
#include <string>
#include <vector>

namespace rh::test {

enum class Kind { Progressive, Team };

struct GeneratorOptions {
    Kind kind = Kind::Progressive;
    int entrants = 16;
    int rounds = 8;
    int scoredRounds = 0;
    std::uint64_t seed = 1;

    // Optional settings; the defaults make a plain club evening.
    std::string title = "Generated Tournament";
    std::string code{}; // "" = "GEN" + seed
    double bumpFee = 0.25;
    double woodFee = 0.50;
    double entryFee = 10;
    double expenses = 0;
    std::vector<std::string> names{}; // names of the first entrants; the rest are made up
    int aliasEvery = 4;               // every n-th entrant gets an alias; 0 = none
};

/// Replaces the state with a generated tournament.
void generateTournament(TournamentState& state, const GeneratorOptions& options);

/// Every setting, payout choice, entrant, alias, seat, score, lone, bump, wood and paid mark of
/// the state as one text, stores sorted by key: two states hold the same tournament exactly when
/// their dumps are equal (and a failed comparison shows where they differ).
std::string dumpTournament(const TournamentState& state);

/// The tables of one round from the circle method: each entry lists the seated IDs in seat order
/// (4 for Progressive, 2 for Team). Entrants not listed sit out. IDs are 1-based.
std::vector<std::vector<int>> seatRound(Kind kind, int entrants, int round,
                                        const std::vector<int>& order);

} // namespace rh::test

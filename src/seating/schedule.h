#pragma once
// Seating schedules for a new tournament, drawn up by the program itself, and the figures that say
// how good a schedule is. Pure functions: every schedule is a value owned by the caller, nothing is
// kept between calls, nothing touches a file or the screen.
//
// Progressive: v individual entrants, tables of four, two partnerships a table. Where v is 0 or 1
// modulo 4 the schedule is a whist tournament Wh(v) (every two entrants partner exactly once and
// oppose each other exactly twice over the full length, see fullLength), developed from an initial
// round over a group; other entrant counts, and counts for which no initial round is known, are
// seated by a seeded local search. Team: fixed teams, a round robin by the circle method.
//
// Entrants and teams are numbered 1..n. A Progressive table seats {a, b, c, d}: a and b are
// partners, c and d are partners, the two partnerships are opponents. Table numbers are 1..tables,
// and each round lists its tables in table-number order. The same seed gives the same schedule on
// every machine (the generator uses its own random numbers and no clock).
#include <array>
#include <cstdint>
#include <vector>

namespace rh::seating {

struct ProgressiveTable {
    int number;
    std::array<int, 4> seats;
};

struct ProgressiveRound {
    std::vector<ProgressiveTable> tables;
    std::vector<int> sittingOut; // ascending
};

struct TeamTable {
    int number;
    std::array<int, 2> teams;
};

struct TeamRound {
    std::vector<TeamTable> tables;
    std::vector<int> byes; // ascending
};

using ProgressiveSchedule = std::vector<ProgressiveRound>; // one per round, round 1 first
using TeamSchedule = std::vector<TeamRound>;

// Bounds of what the generator accepts; outside them the functions throw std::invalid_argument
// with a sentence fit to show the director.
inline constexpr int kMinProgressiveEntrants = 4;
inline constexpr int kMinTeams = 2;
inline constexpr int kMaxEntrants = 999;
inline constexpr int kMaxRounds = 99;

ProgressiveSchedule progressiveSchedule(int entrants, int rounds, std::uint64_t seed = 1);
TeamSchedule teamSchedule(int teams, int rounds, std::uint64_t seed = 1);

// The number of rounds in which no partnership needs to repeat:
//   v = 0 mod 4: v - 1 (a whist tournament: everybody plays every round);
//   v = 1 mod 4: v (a whist tournament: each entrant sits out one round);
//   v = 2 or 3 mod 4: the counting bound floor(v(v-1) / (v - v mod 4)), the most rounds whose
//   partnerships ((v - v mod 4) / 2 a round) still fit into the v(v-1)/2 pairs, so that one more
//   round must repeat a partnership. The generator reaches it for small v; for larger v it keeps
//   partners apart at least up to v/2 rounds.
// Throws std::invalid_argument for entrants outside 4..999.
int fullLength(int entrants);

// Whether progressiveSchedule seats `entrants` from a whist tournament (every pair partners once
// and opposes twice over fullLength rounds) rather than by local search.
bool isWhistSeating(int entrants);

struct Quality {
    int repeatedPartnerships = 0; // partnerships that repeat an earlier one (sum of count - 1)
    int mostPartnerships = 0;     // most times one pair partnered
    int mostOpponentMeetings = 0; // most times one pair met as opponents (Team: met at all)
    int fewestSitOuts = 0;        // Team: byes
    int mostSitOuts = 0;
    int tableRepeats = 0; // times an entrant sat at the table number of its previous round played
    int fewestPartnerships = 0;     // fewest times any pair partnered (Team: 0)
    int fewestOpponentMeetings = 0; // fewest times any pair met as opponents (Team: met at all)
    int opponentExcess = 0;         // meetings beyond the second (Team: the first) of each pair
    int mostRoundsAtOneTable = 0;   // the most rounds one entrant spent at one table number
};

// Figures of a schedule for `entrants` entrants (teams); entrants outside the schedule count with
// zero meetings and sit-outs, numbers outside 1..entrants are ignored.
Quality progressiveQuality(const ProgressiveSchedule& schedule, int entrants);
Quality teamQuality(const TeamSchedule& schedule, int teams);

} // namespace rh::seating

#pragma once
// Seating schedules for a new tournament: who sits where in every round, and figures that say how
// well the schedule mixes the field. Pure functions: no files, no screen.
//
// A Progressive table seats {a, b, c, d}: a and b partners, c and d partners. Numbers are 1-based
// entrant IDs and table numbers. Entrants that do not fill a table sit the round out.

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
    std::vector<int> sittingOut;
};
struct TeamTable {
    int number;
    std::array<int, 2> teams;
};
struct TeamRound {
    std::vector<TeamTable> tables;
    std::vector<int> byes;
};
using ProgressiveSchedule = std::vector<ProgressiveRound>;
using TeamSchedule = std::vector<TeamRound>;

/// Throws std::invalid_argument for entrants < 4 or rounds outside 1..99.
ProgressiveSchedule progressiveSchedule(int entrants, int rounds, std::uint64_t seed = 1);
/// Throws std::invalid_argument for teams < 2 or rounds outside 1..99.
TeamSchedule teamSchedule(int teams, int rounds, std::uint64_t seed = 1);

struct Quality {
    int repeatedPartnerships; // partnerships beyond the first of each pair
    int mostPartnerships;     // the most rounds two entrants partner each other
    int mostOpponentMeetings; // the most rounds two entrants meet as opponents
    int fewestSitOuts;
    int mostSitOuts;
    int tableRepeats; // times an entrant comes back to a table number it sat at before
};

Quality progressiveQuality(const ProgressiveSchedule& schedule, int entrants);
Quality teamQuality(const TeamSchedule& schedule, int teams);

} // namespace rh::seating

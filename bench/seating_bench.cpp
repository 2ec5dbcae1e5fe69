// Benchmarks of the seating generator: how long a new tournament's seating takes and how good it
// is. One iteration draws up one whole schedule (seed 1). The quality figures of that schedule are
// reported as counters:
//   whist        1 where the seating comes from a whist tournament, 0 where from the search
//   repeats      partnerships that repeat an earlier one      mostP  most partnerships of a pair
//   mostOpp      most opponent meetings of a pair (Team: meetings)
//   oppExcess    meetings beyond the second (Team: the first) summed over pairs
//   sitSpread    most minus fewest sit-outs (Team: byes)
//   tableRep     entrants at the table number of their previous round
//   mostAtTable  the most rounds one entrant spent at one table number
//
// Names: Progressive/<entrants>/<rounds> and Team/<teams>/<rounds>.
#include "seating/schedule.h"

#include <benchmark/benchmark.h>

using namespace rh::seating;

namespace {

void report(benchmark::State& st, const Quality& q) {
    st.counters["repeats"] = q.repeatedPartnerships;
    st.counters["mostP"] = q.mostPartnerships;
    st.counters["mostOpp"] = q.mostOpponentMeetings;
    st.counters["oppExcess"] = q.opponentExcess;
    st.counters["sitSpread"] = q.mostSitOuts - q.fewestSitOuts;
    st.counters["tableRep"] = q.tableRepeats;
    st.counters["mostAtTable"] = q.mostRoundsAtOneTable;
}

void progressive(benchmark::State& st) {
    const int v = static_cast<int>(st.range(0));
    const int rounds = static_cast<int>(st.range(1));
    ProgressiveSchedule schedule;
    for (auto _ : st) {
        schedule = progressiveSchedule(v, rounds);
        benchmark::DoNotOptimize(schedule.data());
    }
    report(st, progressiveQuality(schedule, v));
    st.counters["whist"] = isWhistSeating(v) ? 1 : 0;
}

void team(benchmark::State& st) {
    const int teams = static_cast<int>(st.range(0));
    const int rounds = static_cast<int>(st.range(1));
    TeamSchedule schedule;
    for (auto _ : st) {
        schedule = teamSchedule(teams, rounds);
        benchmark::DoNotOptimize(schedule.data());
    }
    report(st, teamQuality(schedule, teams));
}

// 8 rounds for every v from 8 to 128; the full length for every v up to 32 and for v = 0/1 mod 4
// up to 64 (within the 99 rounds a seating may have); a few long seatings of many entrants.
void progressiveSizes(benchmark::internal::Benchmark* b) {
    for (int v = 8; v <= 128; ++v)
        b->Args({v, 8});
    for (int v = 8; v <= 64; ++v)
        if (v <= 32 || v % 4 <= 1)
            b->Args({v, fullLength(v)});
    b->Args({128, 32});
    b->Args({128, 99});
    b->Args({500, 20});
}

void teamSizes(benchmark::internal::Benchmark* b) {
    for (int t : {8, 16, 31, 32, 64, 127, 128})
        b->Args({t, std::min(t, kMaxRounds)});
}

} // namespace

BENCHMARK(progressive)
    ->Name("Progressive")
    ->Apply(progressiveSizes)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK(team)->Name("Team")->Apply(teamSizes)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

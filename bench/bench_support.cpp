#include "bench_support.h"

#include "core/text.h"
#include "persistence/code_page.h"
#include "persistence/tournament_writer.h"
#include "services/load_save.h"

#include <malloc.h>

#include <map>
#include <stdexcept>
#include <tuple>

namespace rh::bench {

namespace {

using Key = std::tuple<int, int, int>;

// glibc hands large freed blocks back to the system and maps them anew on the next use, so every
// repetition of a load or a parse would pay the page faults of fresh memory; on a virtual machine
// those cost more than the work measured, and vary from run to run. Keeping freed memory in the
// heap measures the work itself, for the load and the bare parse alike.
[[maybe_unused]] const bool kHeapKept = [] {
    mallopt(M_MMAP_THRESHOLD, 512 << 20);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    return true;
}();

Key keyOf(const Shape& s) {
    return {static_cast<int>(s.kind), s.entrants, s.rounds};
}

} // namespace

test::GeneratorOptions optionsFor(const Shape& shape) {
    test::GeneratorOptions o;
    o.kind = shape.kind;
    o.entrants = shape.entrants;
    o.rounds = shape.rounds;
    o.scoredRounds = shape.rounds / 2;
    o.seed = 7;
    o.code = "BENCH";
    o.title = "Benchmark Tournament";
    o.entryFee = 10;
    return o;
}

Shape shapeOf(const benchmark::State& state, test::Kind kind) {
    return Shape{kind, static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
}

const std::string& plainBytesFor(const Shape& shape) {
    static std::map<Key, std::string> cache;
    auto [it, added] = cache.try_emplace(keyOf(shape));
    if (added) {
        TournamentState state;
        test::generateTournament(state, optionsFor(shape));
        it->second = buildTournamentXml(state);
    }
    return it->second;
}

const std::string& fileBytesFor(const Shape& shape) {
    static std::map<Key, std::string> cache;
    auto [it, added] = cache.try_emplace(keyOf(shape));
    if (added)
        it->second = MaskText(plainBytesFor(shape));
    return it->second;
}

LoadedTournament::LoadedTournament(const Shape& shape)
    : m_session(std::make_unique<Session>(m_prompt)) {
    m_file = (m_dir / "bench.qmc").string();
    test::writeFile(m_file, fileBytesFor(shape));
    m_prompt.defaultYesNo = MsgAnswer::No;
    Session& s = *m_session;
    s.setTempDir(m_dir.str());
    if (!loadTournament(s, m_file))
        throw std::runtime_error("the generated tournament did not load");
    m_prompt.clear();

    // The entrant whose score is entered: the first one seated in the round in play.
    const TournamentState& st = s.state();
    m_round = st.currentRoundNo();
    for (int id = 1; id <= st.settings.TotalPlort(); ++id) {
        const EntrantId entrant{static_cast<std::int16_t>(id)};
        if (st.isSeated(m_round, entrant)) {
            m_id = entrant;
            m_partner = st.partnerOf(m_round, entrant);
            break;
        }
    }
    if (!m_id)
        throw std::runtime_error("nobody is seated in the round in play");
}

void LoadedTournament::storeOneScore() {
    const int value = m_flip ? 7 : 10;
    m_flip = !m_flip;
    state().setScore(m_round, *m_id, value);
    if (m_partner)
        state().setScore(m_round, *m_partner, value);
}

void sizeGrid(benchmark::internal::Benchmark* b) {
    for (int entrants : {24, 200, 2000})
        for (int rounds : {8, 20, 40})
            b->Args({entrants, rounds});
    b->ArgNames({"entrants", "rounds"});
    b->Unit(benchmark::kMicrosecond);
}

} // namespace rh::bench

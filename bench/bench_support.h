#pragma once
// Tournaments for the benchmarks, made by the test generator: a shape (kind, entrants, rounds),
// the file a save of it writes, and a session that holds it as the window holds a tournament
// after a load, half its rounds scored, so that "one more score" lands in a round in play.
//
// Ownership: a LoadedTournament owns its prompt, its session and the temporary folder its files
// live in (TMPDIR points there while it lives, so recovery copies and pages stay inside).

#include "core/scripted_prompt.h"
#include "services/session.h"
#include "support/generator.h"
#include "support/temp_dir.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <optional>
#include <string>

namespace rh::bench {

struct Shape {
    test::Kind kind = test::Kind::Progressive;
    int entrants = 24;
    int rounds = 8;
};

/// The generator's options for a shape: every round seated, the first half scored.
test::GeneratorOptions optionsFor(const Shape& shape);

/// The shape from a benchmark's arguments (entrants, rounds).
Shape shapeOf(const benchmark::State& state, test::Kind kind);

/// The masked bytes a save of the generated tournament writes (cached per shape).
const std::string& fileBytesFor(const Shape& shape);
/// The same document, plain (not masked).
const std::string& plainBytesFor(const Shape& shape);

/// A generated tournament loaded through the one load path (loadTournament) from a file in a
/// temporary folder of its own, as the window leaves it after its load: views filled, payouts
/// enabled, the payout table built for the entry fee.
class LoadedTournament {
public:
    explicit LoadedTournament(const Shape& shape);
    LoadedTournament(const LoadedTournament&) = delete;
    LoadedTournament& operator=(const LoadedTournament&) = delete;

    Session& session() { return *m_session; }
    TournamentState& state() { return m_session->state(); }
    const std::string& filePath() const { return m_file; }
    const test::TempDir& dir() const { return m_dir; }

    /// Stores one score in the current round for the entrant and its partner (or opponent, in a
    /// Team tournament), as the score-entry screen does. Alternates between two values, so every
    /// call changes the stores.
    void storeOneScore();

private:
    test::TempDir m_dir;
    ScriptedPrompt m_prompt;
    std::unique_ptr<Session> m_session;
    std::string m_file;
    RoundNo m_round{};
    std::optional<EntrantId> m_id;
    std::optional<EntrantId> m_partner;
    bool m_flip = false;
};

/// Registers the 3 x 3 grid of entrants (24, 200, 2000) and rounds (8, 20, 40).
void sizeGrid(benchmark::internal::Benchmark* b);

} // namespace rh::bench

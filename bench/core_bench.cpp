// Benchmarks of the core: loading and saving a tournament file, and everything the program does
// after one score (store it, rank the field, share the payouts, rebuild every grid's rows, the
// jackpot and the standings page). Sizes: 24, 200 and 2000 entrants with 8, 20 and 40 rounds.
//
// Names are "Group/What/..." so the summary tool can pair a load with the bare parse of the same
// bytes and compare 200 with 2000 entrants.
#include "bench_support.h"
#include "services/standings_page.h"
#include "services/views.h"

#include "money/entry_fees.h"
#include "money/jackpot.h"
#include "money/payout.h"
#include "persistence/atomic_file.h"
#include "persistence/code_page.h"
#include "persistence/tournament_writer.h"
#include "publishing/html.h"
#include "services/load_save.h"
#include "standings/game_detail.h"
#include "standings/leader_rows.h"
#include "standings/leaders.h"
#include "standings/results.h"

#include <pugixml.hpp>

#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>

using namespace rh;
using rh::bench::LoadedTournament;
using rh::bench::Shape;
using rh::test::Kind;

namespace {

// --- Load ------------------------------------------------------------------------------------

// The whole load path of the window: read the file, unmask, decode, parse, fill every store.
void loadFile(benchmark::State& st, Kind kind) {
    Shape shape = bench::shapeOf(st, kind);
    test::TempDir dir;
    std::string path = (dir / "load.qmc").string();
    test::writeFile(path, bench::fileBytesFor(shape));
    ScriptedPrompt prompt;
    prompt.defaultYesNo = MsgAnswer::No;
    auto session = std::make_unique<Session>(prompt);
    for (auto _ : st) {
        // Into an empty session, as the program opens a file: letting go of the previous
        // iteration's tournament is not part of the load.
        st.PauseTiming();
        session = std::make_unique<Session>(prompt);
        prompt.clear();
        st.ResumeTiming();
        if (!ResetAndLoad(*session, path))
            throw std::runtime_error("load failed");
        benchmark::DoNotOptimize(session->state().scores.count());
    }
    st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations()) *
                         static_cast<std::int64_t>(bench::fileBytesFor(shape).size()));
}

// The floor: pugixml alone parsing the same document, already in memory and plain.
void bareParse(benchmark::State& st, Kind kind) {
    Shape shape = bench::shapeOf(st, kind);
    const std::string& plain = bench::plainBytesFor(shape);
    for (auto _ : st) {
        pugi::xml_document doc;
        pugi::xml_parse_result r =
            doc.load_buffer(plain.data(), plain.size(), pugi::parse_default, pugi::encoding_utf8);
        if (!r)
            throw std::runtime_error("bare parse failed");
        benchmark::DoNotOptimize(doc.first_child());
    }
    st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations()) *
                         static_cast<std::int64_t>(bench::fileBytesFor(shape).size()));
}

void BM_Load_Progressive(benchmark::State& st) {
    loadFile(st, Kind::Progressive);
}
void BM_BareParse_Progressive(benchmark::State& st) {
    bareParse(st, Kind::Progressive);
}
void BM_Load_Team(benchmark::State& st) {
    loadFile(st, Kind::Team);
}
void BM_BareParse_Team(benchmark::State& st) {
    bareParse(st, Kind::Team);
}

// --- Save ------------------------------------------------------------------------------------

// The Save button's work: build the document, encode, mask and write atomically (a temporary file
// flushed to the disk and renamed over the old one).
void save(benchmark::State& st, Kind kind) {
    LoadedTournament t(bench::shapeOf(st, kind));
    std::string path = (t.dir() / "saved.qmc").string();
    for (auto _ : st) {
        if (!CreateSaveDoc(t.state(), t.session().prompt(), path, false))
            throw std::runtime_error("save failed");
    }
}

// The same without the disk: document, encoding and mask only.
void buildDocument(benchmark::State& st, Kind kind) {
    LoadedTournament t(bench::shapeOf(st, kind));
    for (auto _ : st) {
        std::string masked = MaskText(buildTournamentXml(t.state()));
        benchmark::DoNotOptimize(masked.data());
    }
}

void BM_Save_Progressive(benchmark::State& st) {
    save(st, Kind::Progressive);
}
void BM_SaveBuild_Progressive(benchmark::State& st) {
    buildDocument(st, Kind::Progressive);
}
void BM_Save_Team(benchmark::State& st) {
    save(st, Kind::Team);
}

// --- After one score -------------------------------------------------------------------------

template <typename F> void afterScore(benchmark::State& st, F&& work) {
    LoadedTournament t(bench::shapeOf(st, Kind::Progressive));
    // One warm-up refresh, as the window has done by the time the director enters scores.
    leaderGridRows(t.session());
    for (auto _ : st) {
        t.storeOneScore();
        work(t.session());
    }
    if (!static_cast<ScriptedPrompt&>(t.session().prompt()).shown.empty())
        st.SkipWithError("a message was shown during the refresh");
}

void BM_StoreScore(benchmark::State& st) {
    afterScore(st, [](Session&) {});
}
void BM_LeaderList(benchmark::State& st) {
    afterScore(st, [](Session& s) { buildRanking(s.state()); });
}
void BM_Payouts(benchmark::State& st) {
    std::vector<std::string> texts;
    afterScore(st, [&](Session& s) {
        s.payout().GetPayouts(s, texts);
        benchmark::DoNotOptimize(texts.data());
    });
}
void BM_LeaderGrid(benchmark::State& st) {
    afterScore(st, [](Session& s) { benchmark::DoNotOptimize(leaderGridRows(s)); });
}
void BM_WinnerGrid(benchmark::State& st) {
    afterScore(st, [](Session& s) { benchmark::DoNotOptimize(winnerRows(s)); });
}
void BM_BumpGrid(benchmark::State& st) {
    afterScore(st, [](Session& s) { benchmark::DoNotOptimize(debtorRows(s)); });
}
void BM_LoneGrid(benchmark::State& st) {
    afterScore(st, [](Session& s) { benchmark::DoNotOptimize(loneRows(s)); });
}
void BM_GameDetailGrid(benchmark::State& st) {
    afterScore(st, [](Session& s) { benchmark::DoNotOptimize(gameDetailRows(s)); });
}
void BM_EntryFeeGrid(benchmark::State& st) {
    afterScore(st, [](Session& s) { benchmark::DoNotOptimize(entryFeeRows(s, true)); });
}
void BM_Jackpot(benchmark::State& st) {
    afterScore(st, [](Session& s) {
        benchmark::DoNotOptimize(JackpotAmount(s.state()));
        benchmark::DoNotOptimize(bumpSummary(s));
        benchmark::DoNotOptimize(woodSummary(s));
    });
}
void BM_HtmlPage(benchmark::State& st) {
    afterScore(st, [](Session& s) { benchmark::DoNotOptimize(buildHtmlPage(s, false)); });
}
// The page built and written to the temporary folder (atomic write, flushed to the disk).
void BM_HtmlPublish(benchmark::State& st) {
    afterScore(st, [](Session& s) {
        if (!publishStandingsPage(s, false))
            throw std::runtime_error("page not written");
    });
}
// Everything at once: every score-dependent view of the window rebuilt after one score, and the
// standings page built from the same leader entries. More than the window does (it refreshes the
// tab in view and the page), so this is the ceiling of the after-score work.
void BM_AfterScoreAll(benchmark::State& st) {
    afterScore(st, [](Session& s) {
        auto leaders = leaderGridRows(s);
        benchmark::DoNotOptimize(leaders);
        benchmark::DoNotOptimize(winnerRows(s));
        benchmark::DoNotOptimize(debtorRows(s));
        benchmark::DoNotOptimize(loneRows(s));
        benchmark::DoNotOptimize(bumpSummary(s));
        benchmark::DoNotOptimize(woodSummary(s));
        benchmark::DoNotOptimize(gameDetailRows(s));
        benchmark::DoNotOptimize(entryFeeRows(s, true));
        benchmark::DoNotOptimize(buildHtmlPage(s, false, leaders));
    });
}

} // namespace

BENCHMARK(BM_Load_Progressive)->Apply(bench::sizeGrid);
BENCHMARK(BM_BareParse_Progressive)->Apply(bench::sizeGrid);
BENCHMARK(BM_Load_Team)->Apply(bench::sizeGrid);
BENCHMARK(BM_BareParse_Team)->Apply(bench::sizeGrid);
BENCHMARK(BM_Save_Progressive)->Apply(bench::sizeGrid);
BENCHMARK(BM_SaveBuild_Progressive)->Apply(bench::sizeGrid);
BENCHMARK(BM_Save_Team)->Apply(bench::sizeGrid);
BENCHMARK(BM_StoreScore)->Apply(bench::sizeGrid);
BENCHMARK(BM_LeaderList)->Apply(bench::sizeGrid);
BENCHMARK(BM_Payouts)->Apply(bench::sizeGrid);
BENCHMARK(BM_LeaderGrid)->Apply(bench::sizeGrid);
BENCHMARK(BM_WinnerGrid)->Apply(bench::sizeGrid);
BENCHMARK(BM_BumpGrid)->Apply(bench::sizeGrid);
BENCHMARK(BM_LoneGrid)->Apply(bench::sizeGrid);
BENCHMARK(BM_GameDetailGrid)->Apply(bench::sizeGrid);
BENCHMARK(BM_EntryFeeGrid)->Apply(bench::sizeGrid);
BENCHMARK(BM_Jackpot)->Apply(bench::sizeGrid);
BENCHMARK(BM_HtmlPage)->Apply(bench::sizeGrid);
BENCHMARK(BM_HtmlPublish)->Apply(bench::sizeGrid);
BENCHMARK(BM_AfterScoreAll)->Apply(bench::sizeGrid);

BENCHMARK_MAIN();
